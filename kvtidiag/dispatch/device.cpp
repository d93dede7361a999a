// Reset, and the change of the device talked to.
#include <climits>
#include <cstdlib>

#include "dispatch/dispatch.h"
#include "entry/entry.h"

namespace kvt {

namespace {

constexpr UINT kResetMessage = 66;

}  // namespace

BOOL RunReset(Command &command, const HandlerRow &row) {
  switch (Send(command, row.command, row.expected)) {
    case Exchange::kNoAnswer: {
      // The driver's own words first; the communication message then replaces them.
      const std::size_t capacity = command.out.capacity < INT_MAX ? command.out.capacity : INT_MAX;
      if (command.out.text && capacity > 0) {
        ErrorSensor(Run().sensor, command.out.text, static_cast<int>(capacity));
        command.out.text[capacity - 1] = '\0';
      }
      return CommunicationFailure(command);
    }
    case Exchange::kWrongCode: return WrongAnswer(command);
    case Exchange::kAnswered: break;
  }
  return MessageEnding(command, kResetMessage);
}

BOOL RunDeviceAndAddress(Command &command, const HandlerRow &) {
  BYTE *block = static_cast<BYTE *>(std::malloc(4));
  if (!block) {
    MessageBoxFromTable(command.owner, kMessageFlags, kOutOfMemoryMessage);
    return FALSE;
  }
  // Byte 2 is not set here: the dialog offers the text of whatever it holds.
  block[0] = Run().target.address;
  block[1] = Run().target.type;
  if (DialogDeviceAdr(command.owner, block)) {
    Run().target.address = block[0];
    Run().target.type = block[1];
    command.Request()[kRecAddress] = block[0];
    command.Request()[kRecType] = block[1];
  }
  std::free(block);
  return SuccessEnding(command);
}

}  // namespace kvt
