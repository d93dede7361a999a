// The state of the three switching outputs: one line each, HIGH for any
// value but 0.
#include "answers/answers.h"
#include "kvt/bytes.h"

namespace kvt {

namespace {

struct OutputLine {
  std::size_t at;
  UINT low;
  UINT high;
};

constexpr OutputLine kOutputs[] = {
    {9, ids::kOutputALow, ids::kOutputAHigh},
    {10, ids::kOutputBLow, ids::kOutputBHigh},
    {11, ids::kOutputCLow, ids::kOutputCHigh},
};

}  // namespace

void OutputState(ResultText &out, std::span<const BYTE> answer) {
  Clear(out);
  for (const OutputLine &output : kOutputs) {
    Append(out, FormatFromTable(Byte(answer, output.at) != 0 ? output.high : output.low));
  }
}

}  // namespace kvt
