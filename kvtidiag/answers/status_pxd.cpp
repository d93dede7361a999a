// The status report of the PXD interface unit (DeviceType 1).
// One block per sensor input.
#include "answers/answers.h"
#include "kvt/bytes.h"

namespace kvt {

namespace {

constexpr std::size_t kSensorInputs = 4;
constexpr std::size_t kSensorKinds = 36;
constexpr std::size_t kSensorStates = 44;

}  // namespace

void StatusPxd(ResultText &out, std::span<const BYTE> answer) {
  Report r{out, answer};
  StartStatusReport(r);
  AppendSeparator(r);
  AppendOperatingModeLine(r);

  AppendDriverLine(r, 26, Byte(answer, 31));
  AppendDriverLine(r, 25, Byte(answer, 30));
  AppendDriverLine(r, 21, Word(answer, 28));
  AppendSeparator(r);

  AppendDriverLine(r, 3, Byte(answer, 18));
  AppendDriverLine(r, 54, Byte(answer, 32));
  AppendDriverLine(r, 36, Byte(answer, 33));
  AppendDriverLine(r, 77, Word(answer, 34));

  for (std::size_t i = 0; i < kSensorInputs; ++i) {
    const WORD kind = Word(answer, kSensorKinds + 2 * i);
    if (kind == 0) {
      Append(out, FormatFromTable(ids::kNoSensorConnected));
    } else {
      AppendDriverLine(r, 57, kind);
      AppendDriverText(r, 58, Word(answer, kSensorStates + 2 * i));
    }
    AppendLineFeed(r);
  }
  CarriageReturnsToBlanks(out);
}

}  // namespace kvt
