// Reference values (four ranges) and the correction table.
#include "dispatch/dispatch.h"

namespace kvt {

namespace {

constexpr WORD kAveragedValues = 0xAB;
constexpr unsigned kRanges = 4;

}  // namespace

BOOL RunReferenceValues(Command &command, const HandlerRow &row) {
  Clear(command.out);
  const BYTE averaged = command.Telegram() == kAveragedValues ? 1 : 0;
  // All four ranges are asked for, whatever the earlier ones gave.
  for (unsigned range = 0; range < kRanges; ++range) {
    command.Request()[kRecData] = static_cast<BYTE>(averaged | (range * 16));
    if (!Exchange(command, row.command, row.expected, ExchangeFailure::kAppend)) {
      ReferenceValues(command.out, command.Answer());
    }
  }
  return SuccessEnding(command);
}

BOOL RunCorrectionTable(Command &command, const HandlerRow &row) {
  if (const Ending ending = Exchange(command, row.command, row.expected)) return *ending;
  CorrectionTable(command.out, command.Answer());
  return SuccessEnding(command);
}

}  // namespace kvt
