// Requests for the device's status, error memory and type, and the whole-system test.
#include "dispatch/dispatch.h"

namespace kvt {

namespace {

constexpr BYTE kErrorMemoryCommand = 0x32;
constexpr BYTE kErrorMemoryAnswer = 0xB2;

const DeviceKind &RequestKind(Command &command) { return KindOf(command.Request()[kRecType]); }

// An answer of the code alone holds no entries.
BOOL ShowErrorMemory(Command &command, AnswerFormatter formatter) {
  if (AnswerCount(command.Answer()) == 1) return MessageEnding(command, ids::kNoErrorRecorded);
  formatter(command.out, command.Answer());
  return SuccessEnding(command);
}

}  // namespace

BOOL RunSensorStatus(Command &command, const HandlerRow &row) {
  if (const Ending ending = Exchange(command, row.command, row.expected)) return *ending;
  RequestKind(command).status(command.out, command.Answer());
  return SuccessEnding(command);
}

BOOL RunErrorMemory(Command &command, const HandlerRow &row) {
  if (const Ending ending = Exchange(command, row.command, row.expected)) return *ending;
  return ShowErrorMemory(command, RequestKind(command).errorMemory);
}

// The test telegram, then the error memory, read as a KVT's.
BOOL RunWholeSystemTest(Command &command, const HandlerRow &row) {
  PlaceRowData(command, row);
  if (const Ending ending = Exchange(command, row.command, row.expected)) return *ending;
  if (const Ending ending = Exchange(command, kErrorMemoryCommand, kErrorMemoryAnswer)) return *ending;
  return ShowErrorMemory(command, ErrorMemoryKvt);
}

BOOL RunSensorType(Command &command, const HandlerRow &row) {
  if (const Ending ending = Exchange(command, row.command, row.expected)) return *ending;
  SensorTypeText(command.out, command.Answer());
  return SuccessEnding(command);
}

}  // namespace kvt
