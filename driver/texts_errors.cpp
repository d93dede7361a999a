// Text classes of the error memory: the error type (also the error state in
// the status report) and the error numbers of the sensors and of the
// interface unit. A report line reads "(12) Fehlerart: Warnung - <number text>".
#include "driver.h"

namespace kvtdrv {

namespace {

// Class 3: error type.
constexpr CodeText kErrorTypes[] = {
    {0, "Fehlerart: kein Fehler"},
    {1, "Fehlerart: Warnung"},
    {2, "Fehlerart: Fehler"},
    {3, "Fehlerart: schwerer Fehler"},
};

// Class 4: error numbers of the KVT sensors.
constexpr CodeText kSensorErrors[] = {
    {1, " - Prüfsumme des Programmspeichers falsch"},
    {2, " - Parameterspeicher (EEPROM) fehlerhaft, Standardwerte geladen"},
    {3, " - Anlauftest nicht bestanden"},
    {5, " - Frontscheibe verschmutzt"},
    {6, " - Frontscheibe stark verschmutzt, Messung unsicher"},
    {7, " - Drehzahl des Spiegels außerhalb der Toleranz"},
    {8, " - Spiegelmotor läuft nicht an"},
    {10, " - Laserleistung zu gering"},
    {11, " - Laserdiode ausgefallen"},
    {12, " - Versorgungsspannung zu niedrig"},
    {13, " - Versorgungsspannung zu hoch"},
    {17, " - Empfangssignal zu schwach"},
    {18, " - Empfänger übersteuert (Fremdlicht)"},
    {21, " - Temperatur im Gerät zu hoch"},
    {22, " - Temperatur im Gerät zu niedrig"},
    {30, " - Zeitmessung (TDC) nicht abgeglichen"},
    {31, " - Zeitmessung (TDC) fehlerhaft"},
    {40, " - Referenzziel nicht erkannt"},
    {41, " - Referenzwerte außerhalb der Toleranz"},
    {50, " - Telegrammfehler auf der Schnittstelle"},
    {51, " - Überlauf des Empfangspuffers"},
    {60, " - Watchdog hat ausgelöst"},
};

// Class 55: error numbers of the PXD interface unit. Numbers it shares
// with the sensors mean the same there, since the whole-system test reports
// the interface unit's findings with the sensors' words (class 4); its own
// faults have numbers from 70 on, which no sensor uses.
constexpr CodeText kPxdErrors[] = {
    {1, " - Prüfsumme des Programmspeichers falsch"},
    {2, " - Konfigurationsspeicher (EEPROM) fehlerhaft, Standardwerte geladen"},
    {12, " - Versorgungsspannung zu niedrig"},
    {13, " - Versorgungsspannung zu hoch"},
    {17, " - Empfangssignal eines Sensors zu schwach"},
    {21, " - Temperatur im Gerät zu hoch"},
    {50, " - Telegrammfehler auf der Schnittstelle"},
    {51, " - Überlauf des Empfangspuffers"},
    {60, " - Watchdog hat ausgelöst"},
    {70, " - Sensor an Eingang 1 antwortet nicht"},
    {71, " - Sensor an Eingang 2 antwortet nicht"},
    {72, " - Sensor an Eingang 3 antwortet nicht"},
    {73, " - Sensor an Eingang 4 antwortet nicht"},
    {74, " - Sensor an Eingang 1 antwortet verzögert"},
    {75, " - Sensor an Eingang 2 antwortet verzögert"},
    {76, " - Sensor an Eingang 3 antwortet verzögert"},
    {77, " - Sensor an Eingang 4 antwortet verzögert"},
    {80, " - Auswertefall nicht konfiguriert"},
    {81, " - Kurzschluss an einem Schaltausgang"},
};

constexpr TextClass kClasses[] = {
    {.id = 3, .codes = kErrorTypes, .prefix = "Fehlerart: "},
    {.id = 4, .codes = kSensorErrors, .otherCodes = " - unbekannte Fehlernummer %u"},
    {.id = 55, .codes = kPxdErrors, .otherCodes = " - unbekannte Fehlernummer %u"},
};

}  // namespace

std::span<const TextClass> ErrorClasses() { return kClasses; }

}  // namespace kvtdrv
