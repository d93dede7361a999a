// The text classes: one row per class, pointing at its code → text rows or
// at the format of its value list. Texts are the device's German words
// (CP1252 at run time).
#include "driver.h"

namespace kvtdrv {

namespace {

// Class 1: operating mode (status byte 17).
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

// Class 3: error type (error memory, status byte 18).
constexpr CodeText kErrorTypes[] = {
    {0, "kein Fehler"},
    {1, "Warnung:"},
    {2, "Fehler:"},
    {3, "schwerer Fehler:"},
};

// Class 4: error numbers of the sensors.
constexpr CodeText kSensorErrors[] = {
    {5, "Verschmutzung der Frontscheibe"},
    {7, "Drehzahl des Spiegels außerhalb der Toleranz"},
    {12, "Versorgungsspannung zu niedrig"},
    {17, "Empfangssignal zu schwach"},
    {21, "Temperatur im Gerät zu hoch"},
    {40, "Referenzziel nicht erkannt"},
};

// Class 55: error numbers of the interface unit.
constexpr CodeText kPxdErrors[] = {
    {3, "Sensor an Eingang 2 antwortet verzögert"},
    {17, "Empfangssignal eines Sensors zu schwach"},
};

// Formats that the library fills with texts from the answer.
constexpr CodeText kStatusHeading[] = {{0, "Programmversion: %.8s   Seriennummer: %.9s"}};
constexpr CodeText kStatusSecondLine[] = {{0, "Gerätevariante: %.8s"}};
constexpr CodeText kTypeFirst[] = {{0, "Sensortyp: %.8s"}};
constexpr CodeText kTypeSecond[] = {{0, "Programmversion: %.8s"}};
constexpr CodeText kTypeThird[] = {{0, "%s"}};

constexpr TextClass kClasses[] = {
    // id, code rows, list format, list value width, list count
    {1, kModes, nullptr, 0, 0},
    {3, kErrorTypes, nullptr, 0, 0},
    {4, kSensorErrors, nullptr, 0, 0},
    {18, kStatusHeading, nullptr, 0, 0},
    {55, kPxdErrors, nullptr, 0, 0},
    {60, kTypeFirst, nullptr, 0, 0},
    {61, kTypeSecond, nullptr, 0, 0},
    {62, kTypeThird, nullptr, 0, 0},
    {68, kStatusSecondLine, nullptr, 0, 0},
};

}  // namespace

std::span<const TextClass> TextClasses() { return kClasses; }

}  // namespace kvtdrv
