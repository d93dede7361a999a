// Text classes of the type-6 sensor's configuration reports: configuration
// block, configuration block 2 and the positioning shot. Each line names
// the field as the configuration dialogs label it.
#include "driver.h"

namespace kvtdrv {

namespace {

// Class 70: bit 1 of the configuration bit field (the value AND 2).
constexpr CodeText kConfigBit1[] = {
    {0, "Konfigurationsbit 1: nicht gesetzt"},
    {2, "Konfigurationsbit 1: gesetzt"},
};

constexpr CodeText kOnOff78[] = {
    {0, "Pixelorientierte Auswertung: aus"},
    {1, "Pixelorientierte Auswertung: ein"},
};

constexpr CodeText kMeanValueModes[] = {
    {0, "Mittelwert-Modus: aus"},
};

// Class 72: the fields that are subtracted, one bit each for A, B and C.
constexpr const char *kFieldNames[] = {"A", "B", "C"};

void SubtractiveFields(std::span<const DWORD> values, std::span<char> out) {
  PutBitNames(out, "Subtraktive Felder", values.empty() ? 0 : values[0], kFieldNames);
}

constexpr TextClass kClasses[] = {
    {.id = 38, .otherCodes = "Blankingfaktor: %u"},
    {.id = 51, .otherCodes = "Flüchtige Feldgruppe: %u"},
    {.id = 63, .otherCodes = "Positive Toleranz: %u cm"},
    {.id = 64, .otherCodes = "Negative Toleranz: %u cm"},
    {.id = 65, .otherCodes = "Startwinkel: %u°"},
    {.id = 66, .otherCodes = "Stoppwinkel: %u°"},
    {.id = 69, .otherCodes = "Stoppschwelle: %u mV"},
    {.id = 70, .codes = kConfigBit1, .prefix = "Konfigurationsbit 1: "},
    {.id = 72, .build = SubtractiveFields},
    {.id = 74, .otherCodes = "Konturparameter Feld A: Referenz (Mindestobjektgröße) %u cm"},
    {.id = 75, .otherCodes = "Konturparameter Feld B: Referenz (Mindestobjektgröße) %u cm"},
    {.id = 76, .otherCodes = "Konturparameter Feld C: Referenz (Mindestobjektgröße) %u cm"},
    {.id = 78, .codes = kOnOff78, .prefix = "Pixelorientierte Auswertung: "},
    {.id = 79, .codes = kMeanValueModes, .otherCodes = "Mittelwert-Modus: Mittelung über %u Scans"},
    {.id = 83, .otherCodes = "Anzahl der Bereiche: %u"},
    {.id = 116, .otherCodes = "Konfigurationsbitfeld: 0x%02X"},
    {.id = 117, .otherCodes = "Maximale Blendung: %u"},
    {.id = 118, .otherCodes = "Flag-Byte: 0x%02X"},
    {.id = 119, .otherCodes = "Konturbezugswinkel Feld A: %d°", .signedCode = true},
    {.id = 120, .otherCodes = "Konturbezugswinkel Feld B: %d°", .signedCode = true},
    {.id = 121, .otherCodes = "Konturbezugswinkel Feld C: %d°", .signedCode = true},
    {.id = 123, .otherCodes = "Mode für Verschmutzung an Ausgang C: %u"},
    {.id = 126, .otherCodes = "Auswertestrategie: %u"},
    {.id = 127, .otherCodes = "Verschmutzungsschwelle Warnung: %u %%"},
    {.id = 128, .otherCodes = "Verschmutzungsschwelle Störung: %u %%"},
};

}  // namespace

std::span<const TextClass> ConfigClasses() { return kClasses; }

}  // namespace kvtdrv
