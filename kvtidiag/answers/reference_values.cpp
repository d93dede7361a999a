// Reference value triples and the correction table.
#include "answers/answers.h"
#include "kvt/bytes.h"

namespace kvt {

namespace {

constexpr unsigned kMaxTriples = 100;
constexpr unsigned kMaxPairs = 128;
constexpr std::size_t kTripleStart = 12;
constexpr std::size_t kPairStart = 11;
constexpr std::size_t kGroupSize = 8;

}  // namespace

void ReferenceValues(ResultText &out, std::span<const BYTE> answer) {
  const BYTE selector = Byte(answer, 9);
  const unsigned range = ((selector >> 4) & 0x03) * 25;
  const bool longLayout = (selector & 0x80) != 0;
  const unsigned triples = Word(answer, 10);
  if (triples == 0 || triples > kMaxTriples) return;
  for (unsigned i = 0; i < triples; ++i) {
    const std::size_t at = kTripleStart + kGroupSize * i;
    const unsigned w1 = Word(answer, at);
    const unsigned w2 = Word(answer, at + 2);
    const unsigned w3 = Word(answer, at + 4);
    const unsigned w4 = Word(answer, at + 6);
    if (longLayout) {
      Append(out, FormatFromTable(ids::kReferenceValuesLong, w4 & 0xFF, range, (w4 >> 8) * 10, w1, w2, w3));
    } else {
      Append(out, FormatFromTable(ids::kReferenceValuesShort, w1, w2, w3));
    }
    Append(out, "\n");
  }
}

void CorrectionTable(ResultText &out, std::span<const BYTE> answer) {
  const unsigned pairs = Word(answer, 9);
  Replace(out, FormatFromTable(ids::kCorrectionPairCount, pairs));
  Append(out, "\n");
  Append(out, FormatFromTable(ids::kCorrectionTableTitle));
  Append(out, "\n");
  if (pairs > kMaxPairs) return;
  // The record holds 102 groups; pairs announced beyond it are not shown.
  const std::size_t fitting = (answer.size() - kPairStart) / kGroupSize;
  const std::size_t shown = pairs < fitting ? pairs : fitting;
  for (std::size_t i = 0; i < shown; ++i) {
    const std::size_t at = kPairStart + kGroupSize * i;
    Append(out, FormatFromTable(ids::kWordColumn, Word(answer, at)));
    Append(out, FormatFromTable(ids::kWordColumn, Word(answer, at + 2)));
    Append(out, FormatFromTable(ids::kLongColumn, Dword(answer, at + 4)));
    Append(out, "\n");
  }
}

}  // namespace kvt
