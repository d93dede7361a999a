// Sensor status, error memory, the whole-system test and the sensor type.
#include "dispatch/dispatch.h"

namespace kvt {

namespace {

constexpr UINT kNoErrorMessage = 54;
constexpr BYTE kErrorMemoryCommand = 0x32;
constexpr BYTE kErrorMemoryAnswer = 0xB2;
constexpr BYTE kSystemTestData = 0x11;

AnswerFormatter StatusFormatter(BYTE type) {
  switch (type) {
    case kDevicePxd: return StatusPxd;
    case kDeviceKvtQ1:
    case kDeviceKvt90: return StatusKvtQ1;
    default: return StatusKvt;
  }
}

// An answer of the code alone holds no entries.
BOOL ShowErrorMemory(Command &command, AnswerFormatter formatter) {
  if (AnswerCount(command.Answer()) == 1) return MessageEnding(command, kNoErrorMessage);
  formatter(command.out, command.Answer());
  return SuccessEnding(command);
}

}  // namespace

BOOL RunSensorStatus(Command &command, const HandlerRow &row) {
  BOOL ending;
  if (!Exchanged(command, row.command, row.expected, ending)) return ending;
  StatusFormatter(command.Request()[kRecType])(command.out, command.Answer());
  return SuccessEnding(command);
}

BOOL RunErrorMemory(Command &command, const HandlerRow &row) {
  BOOL ending;
  if (!Exchanged(command, row.command, row.expected, ending)) return ending;
  return ShowErrorMemory(command, command.Request()[kRecType] == kDevicePxd ? ErrorMemoryPxd : ErrorMemoryKvt);
}

BOOL RunWholeSystemTest(Command &command, const HandlerRow &row) {
  command.Request()[kRecData] = kSystemTestData;
  BOOL ending;
  if (!Exchanged(command, row.command, row.expected, ending)) return ending;
  if (!Exchanged(command, kErrorMemoryCommand, kErrorMemoryAnswer, ending)) return ending;
  return ShowErrorMemory(command, ErrorMemoryKvt);
}

BOOL RunSensorType(Command &command, const HandlerRow &row) {
  BOOL ending;
  if (!Exchanged(command, row.command, row.expected, ending)) return ending;
  SensorTypeText(command.out, command.Answer());
  return SuccessEnding(command);
}

}  // namespace kvt
