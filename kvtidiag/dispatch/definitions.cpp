// Definitions: one telegram, answered with an accepted or refused message.
// At most a data byte or word is sent; some accepted answers say a line more.
#include "dispatch/dispatch.h"

namespace kvt {

namespace {

constexpr BYTE kAccepted = 1;
constexpr BYTE kRefused = 0;
constexpr std::size_t kStatusByte = kRecData;
constexpr std::size_t kDetailByte = kRecData + 1;

// The accepted message, then a line chosen by the answer's second data byte.
struct Detail {
  BYTE value;
  UINT message;
};

BOOL RunWithDetail(Command &command, const HandlerRow &row, std::span<const Detail> details) {
  if (!PlaceRowData(command, row)) return FALSE;
  if (const Ending ending = Exchange(command, row.command, row.expected)) return *ending;
  const BYTE status = command.Answer()[kStatusByte];
  if (status == kRefused) return MessageEnding(command, row.refused);
  if (status == kAccepted) {
    Replace(command.out, FormatFromTable(row.accepted));
    for (const auto &detail : details) {
      if (command.Answer()[kDetailByte] == detail.value) Append(command.out, FormatFromTable(detail.message));
    }
  }
  // Any other status leaves the text as it was.
  return SuccessEnding(command);
}

constexpr Detail kFieldSetDetails[] = {{0, ids::kFieldsFromVolatileMemory}, {1, ids::kFieldsFromNonVolatileMemory}};
constexpr Detail kLaserDetails[] = {{1, ids::kLaserIsOn}, {0, ids::kLaserIsOff}};

}  // namespace

BOOL RunDefinition(Command &command, const HandlerRow &row) {
  if (!PlaceRowData(command, row)) return FALSE;
  if (const Ending ending = Exchange(command, row.command, row.expected)) return *ending;
  const BYTE status = command.Answer()[kStatusByte];
  if (status == kAccepted) return MessageEnding(command, row.accepted);
  if (status == kRefused) return MessageEnding(command, row.refused);
  if (row.other == OtherStatus::kWrongAnswer) return WrongAnswer(command);
  return SuccessEnding(command);
}

BOOL RunFieldSetMemory(Command &command, const HandlerRow &row) {
  return RunWithDetail(command, row, kFieldSetDetails);
}

BOOL RunLaser(Command &command, const HandlerRow &row) { return RunWithDetail(command, row, kLaserDetails); }

BOOL RunNewFieldSet(Command &command, const HandlerRow &row) {
  if (!PlaceRowData(command, row)) return FALSE;
  if (const Ending ending = Exchange(command, row.command, row.expected)) return *ending;
  Replace(command.out, FormatFromTable(ids::kFieldNumber, command.Request()[kRecData]));
  return SuccessEnding(command);
}

BOOL RunStopThreshold(Command &command, const HandlerRow &row) {
  if (!PlaceRowData(command, row)) return FALSE;
  if (const Ending ending = Exchange(command, row.command, row.expected)) return *ending;
  const BYTE status = command.Answer()[kStatusByte];
  const DWORD threshold = Dword(command.Block(), 0);
  if (status == kAccepted && command.Answer()[kDetailByte] == threshold) {
    return MessageEnding(command, ids::kStopThresholdAccepted);
  }
  if (status == kRefused) return MessageEnding(command, ids::kStopThresholdRefused);
  return WrongAnswer(command);
}

}  // namespace kvt
