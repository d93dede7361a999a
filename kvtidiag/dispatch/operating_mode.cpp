// Handler 11: change of operating mode. Every entry sends command 0x20
// with the mode byte of its telegram code, and after it a password or
// values from the ParamBlock; the answer is reported with the accepted or
// refused message of the entry's group.
#include <cstring>

#include "dispatch/dispatch.h"

namespace kvt {

namespace {

constexpr std::size_t kModeByte = kRecData;
constexpr std::size_t kModeData = kRecData + 1;
constexpr BYTE kAcceptedStatus = 0;

enum class Group : BYTE { kMode, kPasswordTest, kPasswordReset, kBaudRate };

struct GroupMessages {
  Group group;
  UINT accepted;
  UINT refused;
};

constexpr GroupMessages kGroupMessages[] = {
    {Group::kMode, 87, 88},
    {Group::kPasswordTest, 183, 184},
    {Group::kPasswordReset, 185, 186},
    {Group::kBaudRate, 160, 182},
};

// What follows the mode byte.
enum class Data : BYTE {
  kModeOnly,
  kPassword,   // CommandRequest field 8 with its zero
  kBlock,      // the pieces below
  kWordPairs,  // a count word, then that many word pairs
};

// A byte or word of the ParamBlock copied into the request.
struct Piece {
  BYTE to;    // request byte
  BYTE from;  // block byte
  BYTE size;  // 1 or 2; 0 ends the list
};

struct ModeRow {
  WORD telegram;
  BYTE mode;
  Group group = Group::kMode;
  Data data = Data::kModeOnly;
  std::array<Piece, 3> pieces{};
  // The parameter dialog: its collector, the argument passed through to
  // the starter, and whether the collector gets the answer record.
  Collector collector = Collector::kNone;
  BYTE argument = 0;
  bool withAnswerRecord = false;
};

using enum Group;
using enum Data;
using enum Collector;

constexpr BYTE kSelectorOne = 1;
constexpr BYTE kNavigationKind = 4;

constexpr ModeRow kModes[] = {
    // Einrichtmodus
    {.telegram = 0x14, .mode = 0x00, .data = kPassword},
    // Abgleichmodus
    {.telegram = 0x15, .mode = 0x01, .data = kPassword},
    // password reset, not in the menu
    {.telegram = 0x16, .mode = 0x02, .group = kPasswordReset},
    // Diagnosemodus
    {.telegram = 0x17, .mode = 0x10},
    // Kont. min. Messwerte
    {.telegram = 0x18, .mode = 0x20},
    // Min. Messwerte, auf Anforderung
    {.telegram = 0x19, .mode = 0x21},
    // Kont. senkr. Abstand
    {.telegram = 0x1A, .mode = 0x22},
    // Senkr. Abstand, auf Anforderung
    {.telegram = 0x1B, .mode = 0x23},
    // Kont. alle Messwerte
    {.telegram = 0x6D, .mode = 0x24},
    // Messwerte nur auf Anforderung; also the mode-check mode
    {.telegram = 0x74, .mode = 0x25},
    // Kont. gemittl. Messwerte
    {.telegram = 0xAE, .mode = 0x26, .data = kBlock, .pieces = {{{10, 0, 1}}}, .collector = kAverageMV,
     .argument = kSelectorOne},
    // Kont. Messw.teilber.
    {.telegram = 0xAF, .mode = 0x27, .data = kBlock, .pieces = {{{10, 2, 2}, {12, 4, 2}}}, .collector = kMVPartial,
     .argument = kSelectorOne},
    // Kont. gemittl. Messw.teilber.(KVT Typ6)
    {.telegram = 0xB2, .mode = 0x28, .data = kBlock, .pieces = {{{10, 2, 1}, {11, 4, 2}, {13, 6, 2}}},
     .collector = kAMVP, .argument = kSelectorOne},
    // Kont. Messw.teilber. u. Feldw.(KVT Typ6)
    {.telegram = 0xB6, .mode = 0x29, .data = kBlock, .pieces = {{{10, 2, 2}, {12, 4, 2}}}, .collector = kMVPartial,
     .argument = kSelectorOne},
    // Kont. alle Messw. direkt(KVT Typ6)
    {.telegram = 0xBB, .mode = 0x2A},
    // Kont. Messw. u. Remissionsw(KVT Typ6)
    {.telegram = 0xCC, .mode = 0x2B, .data = kWordPairs, .collector = kMwRem, .withAnswerRecord = true},
    // Kont. Teilber. min. Messwerte
    {.telegram = 0xCF, .mode = 0x2C, .data = kBlock, .pieces = {{{10, 2, 1}, {11, 4, 2}, {13, 6, 2}}},
     .collector = kSegmP, .argument = kSelectorOne},
    // BM: Kont. Navigationsdaten
    {.telegram = 0xC8, .mode = 0x2E, .data = kBlock, .pieces = {{{10, 0, 1}, {11, 1, 1}}}, .collector = kNavDat,
     .argument = kNavigationKind, .withAnswerRecord = true},
    // Test Einrichtpasswort
    {.telegram = 0x44, .mode = 0x30, .group = kPasswordTest, .data = kPassword},
    // Test Superuserpasswort
    {.telegram = 0x45, .mode = 0x31, .group = kPasswordTest, .data = kPassword},
    // Test Instandhaltungspasswort
    {.telegram = 0x6E, .mode = 0x32, .group = kPasswordTest, .data = kPassword},
    // 38400 Baud
    {.telegram = 0x46, .mode = 0x40, .group = kBaudRate},
    // 19200 Baud
    {.telegram = 0x47, .mode = 0x41, .group = kBaudRate},
    // 9600 Baud
    {.telegram = 0x4A, .mode = 0x42, .group = kBaudRate},
    // not in the menu
    {.telegram = 0x73, .mode = 0x43, .group = kBaudRate},
    // 500000 Baud
    {.telegram = 0x83, .mode = 0x48, .group = kBaudRate},
};

constexpr bool RowsConsistent() {
  for (std::size_t i = 0; i < std::size(kModes); ++i) {
    const ModeRow &row = kModes[i];
    for (std::size_t j = i + 1; j < std::size(kModes); ++j) {
      if (kModes[j].telegram == row.telegram) return false;
    }
    // Rows that read the block have a dialog that fills it, and only they.
    const bool readsBlock = row.data == kBlock || row.data == kWordPairs;
    if (readsBlock != (row.collector != kNone)) return false;
    for (const Piece &piece : row.pieces) {
      if (piece.size > 2 || (piece.size != 0 && row.data != kBlock)) return false;
    }
  }
  return true;
}
static_assert(RowsConsistent());

const ModeRow *FindMode(WORD telegram) {
  for (const ModeRow &row : kModes) {
    if (row.telegram == telegram) return &row;
  }
  return nullptr;
}

const GroupMessages &MessagesOf(Group group) {
  for (const GroupMessages &messages : kGroupMessages) {
    if (messages.group == group) return messages;
  }
  return kGroupMessages[0];
}

// The host's text with its zero, as far as the record reaches.
void PlacePassword(TelegramRecord &request, const char *password) {
  constexpr std::size_t kMaxChars = kRecordSize - kModeData - 1;
  const std::size_t length = password ? strnlen(password, kMaxChars) : 0;
  if (length > 0) std::memcpy(request.data() + kModeData, password, length);
  request[kModeData + length] = 0;
}

void PlacePieces(TelegramRecord &request, std::span<const BYTE> block, const ModeRow &row) {
  for (const Piece &piece : row.pieces) {
    if (piece.size == 1) PutByte(request, piece.to, Byte(block, piece.from));
    if (piece.size == 2) PutWord(request, piece.to, Word(block, piece.from));
  }
}

// FALSE when the row needs a ParamBlock and the request carries none.
bool PlaceModeData(Command &command, const ModeRow &row) {
  TelegramRecord &request = command.Request();
  request[kModeByte] = row.mode;
  switch (row.data) {
    case kModeOnly: return true;
    case kPassword:
      PlacePassword(request, reinterpret_cast<const char *>(command.request[kReqPassword]));
      return true;
    case kBlock:
    case kWordPairs:
      if (command.Block().empty()) return false;
      if (row.data == kBlock) PlacePieces(request, command.Block(), row);
      else PlaceRangePairs(request, kModeData, command.Block());
      return true;
  }
  return false;
}

}  // namespace

BOOL RunOperatingModeParameters(Command &command, const HandlerRow &) {
  const ModeRow *row = FindMode(command.Telegram());
  if (!row || row->collector == kNone) return SuccessEnding(command);
  // Nothing has been sent into the answer record at this point.
  const TelegramRecord *answer = row->withAnswerRecord ? &command.Answer() : nullptr;
  return CollectParams(command.owner, command.request, row->collector, row->argument, answer);
}

BOOL RunOperatingMode(Command &command, const HandlerRow &handler) {
  const ModeRow *row = FindMode(command.Telegram());
  // A code without a row is refused without sending: no mode byte of ours
  // would be the one meant.
  if (!row) return MessageEnding(command, MessagesOf(kMode).refused);
  if (!PlaceModeData(command, *row)) return FALSE;
  const GroupMessages &messages = MessagesOf(row->group);
  switch (Send(command, handler.command, handler.expected)) {
    case Exchange::kNoAnswer: return CommunicationFailure(command);
    case Exchange::kWrongCode: return MessageEnding(command, messages.refused);
    case Exchange::kAnswered: break;
  }
  const bool accepted = command.Answer()[kRecData] == kAcceptedStatus;
  return MessageEnding(command, accepted ? messages.accepted : messages.refused);
}

}  // namespace kvt
