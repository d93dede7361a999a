// Handler 11: change of operating mode.
// Every entry sends command 0x20 with the mode byte of its telegram code,
// and after it a password or values from the ParamBlock; the answer is
// reported with the accepted or refused message of the entry's group.
#include "dispatch/dispatch.h"

namespace kvt {

namespace {

constexpr std::size_t kModeByte = kRecData;
constexpr BYTE kAcceptedStatus = 0;

enum class Group : BYTE { kMode, kPasswordTest, kPasswordReset, kBaudRate };

struct GroupMessages {
  Group group;
  UINT accepted;
  UINT refused;
};

constexpr GroupMessages kGroupMessages[] = {
    {Group::kMode, ids::kModeChanged, ids::kModeNotChanged},
    {Group::kPasswordTest, ids::kPasswordCorrect, ids::kPasswordWrong},
    {Group::kPasswordReset, ids::kPasswordReset, ids::kPasswordNotReset},
    {Group::kBaudRate, ids::kBaudRateChanged, ids::kBaudRateNotChanged},
};

struct ModeRow {
  WORD telegram;
  BYTE mode;
  Group group = Group::kMode;
  std::array<Place, 3> data{};  // what follows the mode byte
  // The parameter dialog: its collector, the argument passed through to
  // the starter, and whether the collector gets the answer record.
  Collector collector = Collector::kNone;
  BYTE argument = 0;
  bool withAnswerRecord = false;
};

using enum Group;
using enum Collector;

constexpr BYTE kSelectorOne = 1;
constexpr BYTE kNavigationKind = 4;

constexpr ModeRow kModes[] = {
    // Einrichtmodus
    {.telegram = 0x14, .mode = 0x00, .data = {Password(10)}},
    // Abgleichmodus
    {.telegram = 0x15, .mode = 0x01, .data = {Password(10)}},
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
    {.telegram = 0x74, .mode = kOnRequestMode},
    // Kont. gemittl. Messwerte
    {.telegram = 0xAE, .mode = 0x26, .data = {BlockByte(10, 0)}, .collector = kAverageMV, .argument = kSelectorOne},
    // Kont. Messw.teilber.
    {.telegram = 0xAF, .mode = 0x27, .data = {BlockWord(10, 2), BlockWord(12, 4)}, .collector = kMVPartial,
     .argument = kSelectorOne},
    // Kont. gemittl. Messw.teilber.(KVT Typ6)
    {.telegram = 0xB2, .mode = 0x28, .data = {BlockByte(10, 2), BlockWord(11, 4), BlockWord(13, 6)},
     .collector = kAMVP, .argument = kSelectorOne},
    // Kont. Messw.teilber. u. Feldw.(KVT Typ6)
    {.telegram = 0xB6, .mode = 0x29, .data = {BlockWord(10, 2), BlockWord(12, 4)}, .collector = kMVPartial,
     .argument = kSelectorOne},
    // Kont. alle Messw. direkt(KVT Typ6)
    {.telegram = 0xBB, .mode = 0x2A},
    // Kont. Messw. u. Remissionsw(KVT Typ6)
    {.telegram = 0xCC, .mode = 0x2B, .data = {RangePairs(10)}, .collector = kMwRem, .withAnswerRecord = true},
    // Kont. Teilber. min. Messwerte
    {.telegram = 0xCF, .mode = 0x2C, .data = {BlockByte(10, 2), BlockWord(11, 4), BlockWord(13, 6)},
     .collector = kSegmP, .argument = kSelectorOne},
    // BM: Kont. Navigationsdaten
    {.telegram = 0xC8, .mode = 0x2E, .data = {BlockByte(10, 0), BlockByte(11, 1)}, .collector = kNavDat,
     .argument = kNavigationKind, .withAnswerRecord = true},
    // Test Einrichtpasswort
    {.telegram = 0x44, .mode = 0x30, .group = kPasswordTest, .data = {Password(10)}},
    // Test Superuserpasswort
    {.telegram = 0x45, .mode = 0x31, .group = kPasswordTest, .data = {Password(10)}},
    // Test Instandhaltungspasswort
    {.telegram = 0x6E, .mode = 0x32, .group = kPasswordTest, .data = {Password(10)}},
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

// A code without a row sends the mode any run can go back to, measured
// values only on request (the mode check's own): it changes no password,
// baud rate or output, and starts no stream of telegrams.
constexpr ModeRow kUnlistedMode{.telegram = 0, .mode = kOnRequestMode};

constexpr bool RowsConsistent() {
  for (std::size_t i = 0; i < std::size(kModes); ++i) {
    const ModeRow &row = kModes[i];
    for (std::size_t j = i + 1; j < std::size(kModes); ++j) {
      if (kModes[j].telegram == row.telegram) return false;
    }
    // Rows that read the block have a dialog that fills it, and only they.
    bool readsBlock = false;
    for (const Place &place : row.data) readsBlock = readsBlock || ReadsBlock(place);
    if (readsBlock != (row.collector != kNone)) return false;
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

}  // namespace

BOOL RunOperatingModeParameters(Command &command, const HandlerRow &) {
  const ModeRow *row = FindMode(command.Telegram());
  if (!row || row->collector == kNone) return SuccessEnding(command);
  // Nothing has been sent into the answer record at this point.
  const TelegramRecord *answer = row->withAnswerRecord ? &command.Answer() : nullptr;
  return CollectParams(command.owner, command.request, row->collector, row->argument, answer);
}

BOOL RunOperatingMode(Command &command, const HandlerRow &handler) {
  const ModeRow *listed = FindMode(command.Telegram());
  if (!listed) Clear(command.out);
  const ModeRow &row = listed ? *listed : kUnlistedMode;
  command.Request()[kModeByte] = row.mode;
  if (!PlaceData(command, row.data)) return FALSE;
  // Any answer but 0xA0 with status 0 is a refusal; kWrongAnswer is not used here.
  if (const Ending ending = Exchange(command, handler.command, kAnyAnswer)) return *ending;
  const bool accepted =
      AnswerCode(command.Answer()) == handler.expected && command.Answer()[kRecData] == kAcceptedStatus;
  const GroupMessages &messages = MessagesOf(row.group);
  return MessageEnding(command, accepted ? messages.accepted : messages.refused);
}

}  // namespace kvt
