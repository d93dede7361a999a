// Ranges with measured and remission values (answer 0xF5).
// Up to five range descriptors, then the distances and the remissions of
// all ranges, each in one list. The values are numbered per range, the
// lists are read with one running index.
#include "answers/measured.h"
#include "kvt/bytes.h"

namespace kvt {

namespace {

constexpr std::size_t kRangeCount = 9;
constexpr std::size_t kDescriptors = 11;
constexpr std::size_t kDescriptorSize = 6;
constexpr std::size_t kDistances = 41;
constexpr std::size_t kRemissions = 441;
constexpr WORD kRangeValuesMask = 0x3FFF;

// The descriptors end where the distances begin.
constexpr std::size_t kMaxRanges = (kDistances - kDescriptors) / kDescriptorSize;
static_assert(kMaxRanges == 5);

// The record ends inside the remissions: 193 of them fit, fewer distances.
std::size_t ValuesInRecord(std::span<const BYTE> answer) {
  const std::size_t remissions = WordsInRecord(answer, kRemissions, kRecordSize);
  const std::size_t distances = WordsInRecord(answer, kDistances, (kRemissions - kDistances) / 2);
  return remissions < distances ? remissions : distances;
}

}  // namespace

// Numbers only: the variant has no flags to show here.
void RangesWithRemission(ResultText &out, std::span<const BYTE> answer, BYTE) {
  const std::size_t ranges = Word(answer, kRangeCount) < kMaxRanges ? Word(answer, kRangeCount) : kMaxRanges;
  const std::size_t readable = ValuesInRecord(answer);
  char line[kStringLimit];
  LoadText(ids::kRangeValueRow, line);
  Pending pending{out};
  std::size_t k = 0;
  for (std::size_t r = 0; r < ranges; ++r) {
    const std::size_t at = kDescriptors + kDescriptorSize * r;
    const unsigned first = Word(answer, at);
    const unsigned count = Word(answer, at + 4) & kRangeValuesMask;
    Add(pending, FormatFromTable(ids::kRangeFirstValue, first));
    Add(pending, FormatFromTable(ids::kRangeLastValue, static_cast<unsigned>(Word(answer, at + 2))));
    Add(pending, FormatFromTable(ids::kRangeValueCount, count));
    Add(pending, FormatFromTable(ids::kRangeTitle));
    Add(pending, "\n");
    for (unsigned j = 0; j < count && k < readable; ++j, ++k) {
      char formatted[1025];
      const int written = wsprintfA(formatted, line, first + j, static_cast<unsigned>(Word(answer, kDistances + 2 * k)),
                                    static_cast<unsigned>(Word(answer, kRemissions + 2 * k)));
      if (written > 0) Add(pending, std::string_view(formatted, static_cast<std::size_t>(written)));
      Add(pending, "\n");
    }
    Add(pending, "\n");
  }
  Flush(pending);
}

}  // namespace kvt
