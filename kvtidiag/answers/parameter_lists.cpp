// Lists of parameters the sensor sent back: the distance-dependent
// correction, the shell and belt checks, and the final-test data.
#include "answers/answers.h"
#include "kvt/bytes.h"

namespace kvt {

namespace {

struct ListLayout {
  unsigned limit;     // a larger count shows no values
  UINT valueFormat;
  bool signedValues;
  unsigned perLine;
};

constexpr ListLayout kDistanceCorrection{256, ids::kSignedParameter, true, 10};
constexpr ListLayout kBandControl{64, ids::kWordColumn, false, 10};
constexpr ListLayout kFinalTest{32, ids::kFinalTestValue, true, 3};

// `count` values from record byte `at`, a line feed after every
// `perLine`-th and after a last, shorter line.
void AppendValues(ResultText &out, std::span<const BYTE> answer, std::size_t at, unsigned count,
                  const ListLayout &layout) {
  if (count > layout.limit) return;
  for (unsigned i = 0; i < count; ++i) {
    const WORD value = Word(answer, at + 2 * i);
    const int shown = layout.signedValues ? static_cast<short>(value) : value;
    Append(out, FormatFromTable(layout.valueFormat, shown));
    if ((i + 1) % layout.perLine == 0) Append(out, "\n");
  }
  if (count % layout.perLine != 0) Append(out, "\n");
}

void AppendParameters(ResultText &out, std::span<const BYTE> answer, const ListLayout &layout) {
  const unsigned count = Word(answer, 10);
  Append(out, FormatFromTable(ids::kParameterCount, count));
  Append(out, "\n");
  AppendValues(out, answer, 12, count, layout);
}

}  // namespace

void DistanceCorrectionParameters(ResultText &out, std::span<const BYTE> answer) {
  AppendParameters(out, answer, kDistanceCorrection);
}

void BandControlParameters(ResultText &out, std::span<const BYTE> answer) {
  AppendParameters(out, answer, kBandControl);
}

void FinalTestData(ResultText &out, std::span<const BYTE> answer) {
  const unsigned count = Word(answer, 11);
  Append(out, FormatFromTable(ids::kFinalTestAction, Byte(answer, 9)));
  Append(out, "\n");
  Append(out, FormatFromTable(ids::kFinalTestMode, Byte(answer, 10)));
  Append(out, "\n");
  Append(out, FormatFromTable(ids::kFinalTestValueCount, count));
  Append(out, "\n");
  Append(out, FormatFromTable(ids::kFinalTestDataTitle));
  Append(out, "\n");
  AppendValues(out, answer, 13, count, kFinalTest);
}

}  // namespace kvt
