// Reset, and the change of the device talked to.
#include <cstdlib>

#include "dispatch/dispatch.h"

namespace kvt {

BOOL RunReset(Command &command, const HandlerRow &row) {
  if (const Ending ending = Exchange(command, row.command, row.expected, ExchangeFailure::kEndAfterDriverText)) {
    return *ending;
  }
  return MessageEnding(command, ids::kSensorResetting);
}

BOOL RunDeviceAndAddress(Command &command, const HandlerRow &) {
  BYTE *block = static_cast<BYTE *>(std::malloc(4));
  if (!block) {
    MessageBoxFromTable(command.owner, kMessageFlags, ids::kOutOfMemory);
    return FALSE;
  }
  // Byte 2 is not set here: the dialog offers the text of whatever it holds.
  DiagTarget &target = command.run.target;
  block[0] = target.address;
  block[1] = target.type;
  if (DialogDeviceAdr(command.owner, block)) {
    target = {block[1], block[0]};
    command.Request()[kRecAddress] = target.address;
    command.Request()[kRecType] = target.type;
  }
  std::free(block);
  return SuccessEnding(command);
}

}  // namespace kvt
