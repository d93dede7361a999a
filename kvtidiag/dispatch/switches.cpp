// Field set memory, laser, new field set and stop threshold: definitions
// whose accepted answer says a little more.
#include "dispatch/dispatch.h"

namespace kvt {

namespace {

constexpr std::size_t kStatusByte = kRecData;
constexpr std::size_t kDetailByte = kRecData + 1;

// The accepted message, then a line chosen by the answer's second data byte.
struct Detail {
  BYTE value;
  UINT message;
};

BOOL RunWithDetail(Command &command, const HandlerRow &row, std::span<const Detail> details) {
  PlaceData(command, row);
  BOOL ending;
  if (!Exchanged(command, row.command, row.expected, ending)) return ending;
  const BYTE status = command.Answer()[kStatusByte];
  if (status == 0) return MessageEnding(command, row.refused);
  if (status == 1) {
    Replace(command.out, FormatFromTable(row.accepted));
    for (const auto &detail : details) {
      if (command.Answer()[kDetailByte] == detail.value) Append(command.out, FormatFromTable(detail.message));
    }
  }
  // Any other status leaves the text as it was.
  return SuccessEnding(command);
}

constexpr Detail kFieldSetDetails[] = {{0, 205}, {1, 206}};
constexpr Detail kLaserDetails[] = {{1, 231}, {0, 232}};

constexpr UINT kFieldNumberMessage = 233;
constexpr UINT kThresholdAccepted = 123;
constexpr UINT kThresholdRefused = 124;

}  // namespace

BOOL RunFieldSetMemory(Command &command, const HandlerRow &row) {
  return RunWithDetail(command, row, kFieldSetDetails);
}

BOOL RunLaser(Command &command, const HandlerRow &row) { return RunWithDetail(command, row, kLaserDetails); }

BOOL RunNewFieldSet(Command &command, const HandlerRow &row) {
  if (!PlaceData(command, row)) return FALSE;
  BOOL ending;
  if (!Exchanged(command, row.command, row.expected, ending)) return ending;
  Replace(command.out, FormatFromTable(kFieldNumberMessage, command.Request()[kRecData]));
  return SuccessEnding(command);
}

BOOL RunStopThreshold(Command &command, const HandlerRow &row) {
  if (!PlaceData(command, row)) return FALSE;
  BOOL ending;
  if (!Exchanged(command, row.command, row.expected, ending)) return ending;
  const BYTE status = command.Answer()[kStatusByte];
  const DWORD threshold = Dword(command.Block(), 0);
  if (status == 1 && command.Answer()[kDetailByte] == threshold) return MessageEnding(command, kThresholdAccepted);
  if (status == 0) return MessageEnding(command, kThresholdRefused);
  return WrongAnswer(command);
}

}  // namespace kvt
