// What the trace calls each telegram, worded as the menu entry that sends it
// (or its heading, where several entries share a command), and how many
// bytes of a request the device reads: the record carries no length for
// TelegramSensor, so the length follows from the command, and for some
// commands from a count or a kind in the data.
#include <algorithm>
#include <cstring>

#include "driver.h"

namespace kvtdrv {

namespace {

constexpr std::size_t kMaxData = kvt::kRecordSize - kvt::kRecData;

// A zero-terminated text from record byte `at` on, with its zero.
std::size_t TextWithZero(std::span<const BYTE> request, std::size_t at) {
  const auto begin = request.begin() + static_cast<std::ptrdiff_t>(at);
  return static_cast<std::size_t>(std::find(begin, request.end(), BYTE{0}) - begin) + 1;
}

// 0x20: the mode byte, then the mode's parameters or a password.
struct ModeLength {
  BYTE mode;
  WORD data;  // bytes from byte 10 on; 0xFFFF: a password text
};
constexpr WORD kPassword = 0xFFFF;
constexpr ModeLength kModeLengths[] = {
    {0x00, kPassword}, {0x01, kPassword}, {0x30, kPassword}, {0x31, kPassword}, {0x32, kPassword},
    {0x26, 1},         {0x27, 4},         {0x29, 4},         {0x28, 5},         {0x2C, 5},
    {0x2E, 2},
};

std::size_t ModeChange(std::span<const BYTE> r) {
  const BYTE mode = kvt::Byte(r, 9);
  if (mode == 0x2B) return 3 + 4 * std::size_t{kvt::Word(r, 10)};  // count, then first and last of each range
  for (const ModeLength &m : kModeLengths) {
    if (m.mode == mode) return 1 + (m.data == kPassword ? TextWithZero(r, 10) : m.data);
  }
  return 1;
}

// 0x40: up to the last word of the field's shape (byte 15): a rectangle
// ends at byte 27, a radial field at 23, a segmented field after its
// segments + 1 corners from byte 24.
std::size_t FieldDefinition(std::span<const BYTE> r) {
  switch (kvt::Byte(r, 15)) {
    case 1: return 15;
    case 2: return 15 + 2 * (std::size_t{kvt::Word(r, 22)} + 1);
    default: return 19;
  }
}

// 0x46: the begin (step 0 at byte 25) brings two words more.
std::size_t LearnMode(std::span<const BYTE> r) { return kvt::Byte(r, 25) == 0 ? 21 : 17; }

// 0x50: the manufacturing code (3) brings its text.
std::size_t Calibration(std::span<const BYTE> r) { return kvt::Byte(r, 9) == 3 ? 1 + TextWithZero(r, 10) : 1; }

// 0x78 to 0x7A: the count word, then as many words.
std::size_t WordList(std::span<const BYTE> r) { return 2 + 2 * std::size_t{kvt::Word(r, 9)}; }

// 0x75: the count word, then first and last value of each range.
std::size_t Ranges(std::span<const BYTE> r) { return 2 + 4 * std::size_t{kvt::Word(r, 9)}; }

// 0x7E: the sub-function; a read (action 0) names only it (and the ray
// set), a definition brings the sub-function's block from byte 10.
std::size_t Navigation(std::span<const BYTE> r) {
  constexpr std::size_t kBlocks[] = {809, 26, 3, 6};
  const BYTE sub = kvt::Byte(r, 9);
  if (sub >= std::size(kBlocks)) return 3;  // navigation data: content and coordinates
  if (kvt::Byte(r, 10) == 0) return sub == 1 ? 3 : 2;
  return 1 + kBlocks[sub];
}

// Download records: their length words count from the command byte on.
std::size_t Download(std::span<const BYTE> r) {
  const std::size_t length = kvt::Word(r, kvt::kRecLength);
  return length > 0 ? length - 1 : 0;
}

constexpr TelegramName kNames[] = {
    {0x10, "Reset u. Initialisierung", 0},
    {0x20, "Betriebsmodus wechseln", 0, ModeChange},
    {0x30, "Messwerte anfordern", 3},
    {0x31, "Sensorstatus lesen", 0},
    {0x32, "Fehlerspeicher lesen", 0},
    {0x33, "Test Gesamtsystem (PXDHUB u. KVT Typ1-5)", 1},
    {0x34, "Speicherauszug anfordern", 5},
    {0x2F, "Referenzzieldiagnosedaten anfordern", 1},
    {0x35, "Betriebszähler lesen", 1},
    {0x46, "Lernmodusbefehle", 0, LearnMode},
    {0x50, "Abgleich durchfuehren", 0, Calibration},
    {0x7E, "Navigationsschnittstelle", 0, Navigation},
    {0x36, "Gemittelte Messwerte", 2},
    {0x37, "Messwerteteilbereich", 5},
    {0x3A, "Sensortyp  lesen", 0},
    {0x38, "PXD-Konfiguration lesen", 0},
    {0x39, "Auswertefalldefinition  lesen", 1},
    {0x4C, "Vorgabe einer dynam. Feldnummer", 2},
    {0x4D, "Ausgänge aktiv/inaktiv schalten", 2},
    {0x70, "Definition der PXD-Konfiguration", 103},
    {0x72, "Definition PXD-Auswertefalles", 43},
    {0x3C, "Anforderung Referenzwerte", 1},
    {0x3D, "Anforderung der Korrekturtabelle", 0},
    {0x3E, "Messw.teilber. u. Feldw.(KVT Typ6)", 4},
    {0x3F, "Gemittelter Messwertteilbereich", 6},
    {0x40, "Neues Feld konfigurieren", 0, FieldDefinition},
    {0x41, "Vorgabe eines neuen Feldsatzes für KVT", 1},
    {0x45, "Gespeichertes Feld anfordern", 2},
    {0x48, "Dynamisches Rechteck(PXDHUB)", 260},
    {0x4B, "Dynamisches segm. Feld(PXDHUB)", 688},
    {0x51, "Stoppschwelle", 2},
    {0x60, "Anlauftest", 1},
    {0x63, "Anzahl der Mehrfachauswertungen", 1},
    {0x65, "Definition Feldsatz im flüchtigen Speicher", 1},
    {0x66, "Definition perman. Baudrate / Variante", 1},
    {0x67, "Geräteadresse definieren", 1},
    {0x68, "Laser Zu/Abschaltung", 1},
    {0x74, "KVT-Konfiguration lesen", 0},
    {0x75, "n Bereiche mit Mess- u. Remissionsw.(KVT Typ6)", 0, Ranges},
    {0x76, "Messwerte in XY-Koord.(KVT Typ6)", 5},
    {0x3B, "KVT Variante definieren", 4},
    {0x4A, "Zustand der Ausgänge anfordern", 0},
    {0x52, "Endprüfdaten lesen / schreiben", 68},
    {0x69, "Positionierhilfe: Schuss definieren", 16},
    {0x77, "Definition der KVT-Konfiguration", 33},
    {0x78, "Parameterdef. f. Messwertkorrektur", 0, WordList},
    {0x79, "Parameterdef. f. entferngsabh. Korrektur", 0, WordList},
    // Both checks send the same command: the device cannot tell them apart.
    {0x7A, "Parameterdef. f. Schalenkontrolle / Parameterdef. f. Bandkontrolle", 0, WordList},
    {0x7B, "KVT-Konfiguration 2 lesen", 0},
    {0x7C, "Definition der KVT-Konfiguration 2", 84},
    {0x0B, "Programmdownload (Start)", 0, Download},
    {0x0C, "Programmdownload (Datensatz)", 0, Download},
};

constexpr bool UniqueCommands() {
  for (std::size_t i = 0; i < std::size(kNames); ++i) {
    for (std::size_t j = i + 1; j < std::size(kNames); ++j) {
      if (kNames[i].command == kNames[j].command) return false;
    }
  }
  return true;
}
static_assert(UniqueCommands(), "one name per command");

const TelegramName *Find(BYTE command) {
  for (const TelegramName &row : kNames) {
    if (row.command == command) return &row;
  }
  return nullptr;
}

}  // namespace

std::string_view CommandName(BYTE command) {
  const TelegramName *row = Find(command);
  return row ? row->name : "unbekannter Befehl";
}

std::size_t RequestLength(std::span<const BYTE> request) {
  const TelegramName *row = Find(kvt::Byte(request, kvt::kRecCode));
  std::size_t data = 0;
  if (!row) {
    // Unknown to us: the data up to its last nonzero byte.
    data = request.size() - kvt::kRecData;
    while (data > 0 && request[kvt::kRecData + data - 1] == 0) --data;
  } else {
    data = row->rule ? row->rule(request) : row->dataLength;
  }
  return kvt::kRecData + std::min(data, kMaxData);
}

}  // namespace kvtdrv
