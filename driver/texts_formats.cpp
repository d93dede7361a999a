// Text classes that are formats: the library fills them (FormatLiteral)
// with the addresses of texts inside the answer, one "%.Ns" per text. The
// precision keeps each text to its field, since the answer texts are not
// zero-terminated.
#include "driver.h"

namespace kvtdrv {

namespace {

// Class 18, status heading: version (record bytes 9-16), serial number (19-27).
constexpr CodeText kStatusHeading[] = {{0, "Programmversion: %.8s   Seriennummer: %.9s"}};
// Class 68, second heading line of the type-6 status: variant (bytes 134-141).
constexpr CodeText kStatusVariant[] = {{0, "Gerätevariante: %.8s"}};
// Classes 60 to 62, sensor type: type (bytes 9-16), program version (17-24),
// description (from byte 25, zero-terminated).
constexpr CodeText kTypeFirst[] = {{0, "Sensortyp: %.8s"}};
constexpr CodeText kTypeSecond[] = {{0, "Programmversion: %.8s"}};
constexpr CodeText kTypeThird[] = {{0, "Beschreibung: %.100s"}};

constexpr TextClass kClasses[] = {
    {.id = 18, .codes = kStatusHeading, .otherCodes = ""},
    {.id = 60, .codes = kTypeFirst, .otherCodes = ""},
    {.id = 61, .codes = kTypeSecond, .otherCodes = ""},
    {.id = 62, .codes = kTypeThird, .otherCodes = ""},
    {.id = 68, .codes = kStatusVariant, .otherCodes = ""},
};

}  // namespace

std::span<const TextClass> FormatClasses() { return kClasses; }

}  // namespace kvtdrv
