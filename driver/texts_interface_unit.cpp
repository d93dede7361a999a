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

// Class 59 in the configuration: the unit of the measured values.
constexpr CodeText kValueUnits[] = {
    {0, "Einheit der Messwerte: cm"},
    {1, "Einheit der Messwerte: mm"},
    {2, "Einheit der Messwerte: 10 cm"},
};

// Class 6 in the evaluation case: how a field's output comes back after it
// was infringed; the automatic restart adds its time (class 56).
constexpr CodeText kRestartBehaviours[] = {
    {0, "Wiederanlaufverhalten: manuell (Quittierung)"},
    {1, "Wiederanlaufverhalten: automatisch"},
};

// The fields of these reports that go through classes of the status report.
constexpr ReportClass kReportClasses[] = {
    {0xB8, {.id = 59, .codes = kValueUnits, .prefix = "Einheit der Messwerte: "}},
    {0xB8, {.id = 26, .otherCodes = "PXD-Adresse: %u"}},
    {0xB9, {.id = 35, .otherCodes = "Aktive Feldnummer: %u"}},
    {0xB9, {.id = 36, .otherCodes = "Dynamische Felder: %u"}},
    {0xB9, {.id = 24, .otherCodes = "Mehrfachauswertung: %u"}},
    {0xB9, {.id = 6, .codes = kRestartBehaviours, .prefix = "Wiederanlaufverhalten: "}},
    {0xB9, {.id = 56, .otherCodes = ", Wiederanlaufzeit: %u"}},
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

std::span<const ReportClass> ReportClasses() { return kReportClasses; }

}  // namespace kvtdrv
