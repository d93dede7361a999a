// Single-code text classes of the status report: operating mode, interface,
// baud rate and parity, field sets, sensors on the interface unit, outputs,
// start-up test, calibration state, shell and belt checks.
#include "driver.h"

namespace kvtdrv {

namespace {

// Class 1: operating mode (status byte 17), as set by command 0x20.
constexpr CodeText kModes[] = {
    {0x00, "Betriebsmodus: Einrichtmodus"},
    {0x01, "Betriebsmodus: Abgleichmodus"},
    {0x10, "Betriebsmodus: Diagnosemodus"},
    {0x20, "Betriebsmodus: kontinuierlich minimale Messwerte"},
    {0x21, "Betriebsmodus: minimale Messwerte auf Anforderung"},
    {0x22, "Betriebsmodus: kontinuierlich senkrechter Abstand"},
    {0x23, "Betriebsmodus: senkrechter Abstand auf Anforderung"},
    {0x24, "Betriebsmodus: kontinuierlich alle Messwerte"},
    {0x25, "Betriebsmodus: Messwerte nur auf Anforderung"},
    {0x26, "Betriebsmodus: kontinuierlich gemittelte Messwerte"},
    {0x27, "Betriebsmodus: kontinuierlich Messwertteilbereich"},
    {0x28, "Betriebsmodus: kontinuierlich gemittelter Messwertteilbereich"},
    {0x29, "Betriebsmodus: kontinuierlich Messwertteilbereich und Feldwerte"},
    {0x2A, "Betriebsmodus: kontinuierlich alle Messwerte direkt"},
    {0x2B, "Betriebsmodus: kontinuierlich Mess- und Remissionswerte"},
    {0x2C, "Betriebsmodus: kontinuierlich Teilbereich minimale Messwerte"},
    {0x2E, "Betriebsmodus: kontinuierlich Navigationsdaten"},
};

// Class 6: interface of a type-6 sensor (low five bits of status byte 121).
// The kinds 1, 3 and 5 carry a parameter (class 56) on the same line.
constexpr CodeText kInterfaces[] = {
    {0, "Schnittstelle: RS 232"},
    {1, "Schnittstelle: RS 422"},
    {2, "Schnittstelle: RS 485"},
    {3, "Schnittstelle: Profibus DP"},
    {4, "Schnittstelle: CANopen"},
    {5, "Schnittstelle: Ethernet"},
};

// Class 21: baud rate, coded in hundreds of baud.
constexpr CodeText kBaudRates[] = {
    {48, "Baudrate: 4800 Baud"},
    {96, "Baudrate: 9600 Baud"},
    {192, "Baudrate: 19200 Baud"},
    {384, "Baudrate: 38400 Baud"},
    {5000, "Baudrate: 500000 Baud"},
};

// Class 24: the active field set, counted from 1.
constexpr CodeText kFieldSets[] = {
    {1, "Aktiver Feldsatz: 1"},
    {2, "Aktiver Feldsatz: 2"},
    {3, "Aktiver Feldsatz: 3"},
    {4, "Aktiver Feldsatz: 4"},
};

// Class 25: parity of the serial line.
constexpr CodeText kParities[] = {
    {0, "Parität: keine"},
    {1, "Parität: gerade"},
    {2, "Parität: ungerade"},
};

// Class 26: what the device does with its settings when switched on
// (command 0x66).
constexpr CodeText kPowerOn[] = {
    {0, "Nach dem Einschalten: 9600 Baud"},
    {1, "Nach dem Einschalten: zuletzt eingestellte Baudrate"},
    {2, "Nach dem Einschalten: zuletzt eingestellte Baudrate und KVT-Variante"},
};

// Class 35: where the field sets are kept.
constexpr CodeText kFieldMemory[] = {
    {0, "Feldsätze im flüchtigen Speicher (RAM)"},
    {1, "Feldsätze im nichtflüchtigen Speicher (EEPROM)"},
};

// Class 36: how the interface unit combines its sensors.
constexpr CodeText kEvaluationModes[] = {
    {0, "Auswertemodus: jeder Sensor einzeln"},
    {1, "Auswertemodus: Sensoren paarweise verknüpft"},
    {2, "Auswertemodus: alle Sensoren gemeinsam"},
};

// Class 57: the kind of a sensor (interface unit inputs, type-6 status).
constexpr CodeText kSensorKinds[] = {
    {0, "Sensor: keiner"},
    {1, "Sensor: KVT Typ 1"},
    {2, "Sensor: KVT Typ 2"},
    {3, "Sensor: KVT Typ 3"},
    {4, "Sensor: KVT Typ 4"},
    {5, "Sensor: KVT Typ 5"},
    {6, "Sensor: KVT-Q1 (Typ 6)"},
    {7, "Sensor: KVT 90°/0,5° (Typ 6)"},
    // The interface unit's configuration report passes the scan angle of
    // each sensor (degrees) through this class; no kind has these codes.
    {90, "Scanwinkel: 90°"},
    {100, "Scanwinkel: 100°"},
    {180, "Scanwinkel: 180°"},
};

// Class 58: the state of a sensor.
constexpr CodeText kSensorStates[] = {
    {0x00, "Zustand: in Ordnung"},
    {0x01, "Zustand: Warnung, Frontscheibe verschmutzt"},
    {0x02, "Zustand: Warnung, Innentemperatur hoch"},
    {0x10, "Zustand: Störung, Referenzziel nicht erkannt"},
    {0x11, "Zustand: Störung, Empfangssignal zu schwach"},
    {0x12, "Zustand: Störung, Spiegeldrehzahl außerhalb der Toleranz"},
    {0x20, "Zustand: Sensor antwortet nicht"},
    {0x21, "Zustand: Sensor antwortet verzögert"},
    // The positioning shot's report passes its single-shot resolution
    // (1/100 degree) through this class; no state has these codes.
    {25, "Einzelschussauflösung: 0,25°"},
    {50, "Einzelschussauflösung: 0,5°"},
    {100, "Einzelschussauflösung: 1°"},
};

// Class 59: the sensor's place in a group of sensors.
constexpr CodeText kSensorNumbers[] = {
    {0, "Rolle im Sensorverbund: Einzelsensor"},
    {1, "Rolle im Sensorverbund: Master (Sensor 1)"},
    {2, "Rolle im Sensorverbund: Slave (Sensor 2)"},
    {3, "Rolle im Sensorverbund: Slave (Sensor 3)"},
    {4, "Rolle im Sensorverbund: Slave (Sensor 4)"},
};

// Classes 92 and 99: the start-up test (command 0x60).
constexpr CodeText kStartupTest[] = {
    {0, "Anlauftest: ausgeschaltet"},
    {1, "Anlauftest: eingeschaltet"},
};

// Classes 93 and 94: switching outputs 1 and 2, program versions before 2.00.
constexpr CodeText kOutput1Old[] = {
    {0, "Ausgang 1: Öffner"},
    {1, "Ausgang 1: Schließer"},
};
constexpr CodeText kOutput2Old[] = {
    {0, "Ausgang 2: Öffner"},
    {1, "Ausgang 2: Schließer"},
};

// Classes 105 and 106: the same outputs from program version 2.00 on, which
// also tell what switches them.
constexpr CodeText kOutput1[] = {
    {0, "Ausgang 1: Öffner, schaltet bei Verletzung von Feld A"},
    {1, "Ausgang 1: Schließer, schaltet bei Verletzung von Feld A"},
    {2, "Ausgang 1: Öffner, schaltet bei Verletzung von Feld A oder B"},
    {3, "Ausgang 1: Schließer, schaltet bei Verletzung von Feld A oder B"},
    {4, "Ausgang 1: Verschmutzungsmeldung"},
};
constexpr CodeText kOutput2[] = {
    {0, "Ausgang 2: Öffner, schaltet bei Verletzung von Feld B"},
    {1, "Ausgang 2: Schließer, schaltet bei Verletzung von Feld B"},
    {2, "Ausgang 2: Öffner, Störungsmeldung"},
    {3, "Ausgang 2: Schließer, Störungsmeldung"},
    {4, "Ausgang 2: Verschmutzungsmeldung"},
};

// Classes 109 to 111: the calibration data of a type-6 sensor.
constexpr CodeText kCalibration[] = {
    {1, "Abgleich: Werksabgleich gültig"},
    {2, "Abgleich: Kundenabgleich gültig"},
};
constexpr CodeText kCalibrationLocked[] = {
    {0xAAAB, "Abgleich: Werks- und Winkelabgleich gültig, gegen Änderung gesperrt"},
};
constexpr CodeText kCalibrationMissing[] = {
    {0, "Abgleich: keine Abgleichdaten vorhanden (Speicher gelöscht)"},
};

// Classes 114 and 115: shell check and belt check of a type-6 sensor.
constexpr CodeText kShellCheck[] = {
    {0, "Schalenprüfung: ausgeschaltet"},
    {1, "Schalenprüfung: eingeschaltet"},
};
constexpr CodeText kBeltCheck[] = {
    {0, "Bandkontrolle: ausgeschaltet"},
    {1, "Bandkontrolle: eingeschaltet"},
};

// Class 77: the active sensor inputs of the interface unit, one bit each.
constexpr const char *kInputNames[] = {"1", "2", "3", "4"};

void ActiveInputs(std::span<const DWORD> values, std::span<char> out) {
  PutBitNames(out, "Aktive Sensoreingänge", values.empty() ? 0 : values[0], kInputNames);
}

constexpr TextClass kClasses[] = {
    {.id = 1, .codes = kModes, .prefix = "Betriebsmodus: "},
    {.id = 6, .codes = kInterfaces, .prefix = "Schnittstelle: "},
    {.id = 21, .codes = kBaudRates, .prefix = "Baudrate: "},
    {.id = 24, .codes = kFieldSets, .prefix = "Aktiver Feldsatz: "},
    {.id = 25, .codes = kParities, .prefix = "Parität: "},
    {.id = 26, .codes = kPowerOn, .prefix = "Nach dem Einschalten: "},
    {.id = 28, .otherCodes = "Geräteadresse: %u"},
    {.id = 35, .codes = kFieldMemory, .prefix = "Feldsatzspeicher: "},
    {.id = 36, .codes = kEvaluationModes, .prefix = "Auswertemodus: "},
    {.id = 54, .otherCodes = "Angeschlossene Sensoren: %u"},
    {.id = 56, .otherCodes = ", Parameter %u"},
    {.id = 57, .codes = kSensorKinds, .prefix = "Sensor: "},
    {.id = 58, .codes = kSensorStates, .prefix = "Zustand: "},
    {.id = 59, .codes = kSensorNumbers, .prefix = "Rolle im Sensorverbund: "},
    {.id = 77, .build = ActiveInputs},
    {.id = 92, .codes = kStartupTest, .prefix = "Anlauftest: "},
    {.id = 93, .codes = kOutput1Old, .prefix = "Ausgang 1: "},
    {.id = 94, .codes = kOutput2Old, .prefix = "Ausgang 2: "},
    {.id = 99, .codes = kStartupTest, .prefix = "Anlauftest: "},
    {.id = 105, .codes = kOutput1, .prefix = "Ausgang 1: "},
    {.id = 106, .codes = kOutput2, .prefix = "Ausgang 2: "},
    {.id = 109, .codes = kCalibration, .prefix = "Abgleich: "},
    {.id = 110, .codes = kCalibrationLocked, .prefix = "Abgleich: "},
    {.id = 111, .codes = kCalibrationMissing, .prefix = "Abgleich: "},
    {.id = 114, .codes = kShellCheck, .prefix = "Schalenprüfung: "},
    {.id = 115, .codes = kBeltCheck, .prefix = "Bandkontrolle: "},
    {.id = 122, .otherCodes = "Innentemperatur: %d °C", .signedCode = true},
};

}  // namespace

std::span<const TextClass> StatusCodeClasses() { return kClasses; }

}  // namespace kvtdrv
