// Text classes of the PXD interface unit's configuration and evaluation-case
// reports. Each line names the field as the unit's dialogs label it; the
// name classes are formats that the library fills with the 8-character
// names of the answer.
#include "driver.h"

namespace kvtdrv {

namespace {

// Class 43 and 42: a sensor's and a field's name; class 32: the case's.
constexpr CodeText kSensorName[] = {{0, "Name KVT: %.8s"}};
constexpr CodeText kFieldName[] = {{0, "Name Feld: %.8s"}};
constexpr CodeText kCaseName[] = {{0, "Name des Überwachungsfalls: %.8s"}};

// Class 67: the motor flap of the evaluation case.
constexpr CodeText kMotorFlap[] = {
    {0, "Motorklappe: nicht angesteuert"},
    {1, "Motorklappe: angesteuert"},
};

// Class 82: the unit in which the restart times count.
constexpr CodeText kRestartTimeBase[] = {
    {0, "Zeitbasis für Wiederanlauf: 100 ms"},
    {1, "Zeitbasis für Wiederanlauf: 1 s"},
};

constexpr TextClass kClasses[] = {
    // Configuration (0x38)
    {.id = 40, .otherCodes = "Eingänge: %u"},
    {.id = 41, .otherCodes = "Ausgänge: %u"},
    {.id = 42, .codes = kFieldName, .otherCodes = ""},
    {.id = 43, .codes = kSensorName, .otherCodes = ""},
    {.id = 44, .otherCodes = "Zusammengehörende Felder: %u"},
    {.id = 45, .otherCodes = "Inkrementalgeber: %u Impulse/cm"},
    {.id = 47, .otherCodes = "Maximale Geschwindigkeit: %u cm/s"},
    {.id = 48, .otherCodes = "Anzahl KVT: %u"},
    {.id = 49, .otherCodes = "Anzahl Felder: %u"},
    {.id = 50, .otherCodes = "Anzahl Überwachungsfälle: %u"},
    // Evaluation case (0x39). Class 34 ends where class 35 goes on the same line.
    {.id = 31, .otherCodes = "Nummer des Überwachungsfalls: %u"},
    {.id = 32, .codes = kCaseName, .otherCodes = ""},
    {.id = 33, .otherCodes = "Eingangsabbild: 0x%04X"},
    {.id = 34, .otherCodes = "Aktiver KVT: %u, "},
    {.id = 37, .otherCodes = "Ausgangsabbild: 0x%02X"},
    {.id = 67, .codes = kMotorFlap, .prefix = "Motorklappe: "},
    {.id = 82, .codes = kRestartTimeBase, .prefix = "Zeitbasis für Wiederanlauf: "},
};

}  // namespace

std::span<const TextClass> InterfaceUnitClasses() { return kClasses; }

}  // namespace kvtdrv
