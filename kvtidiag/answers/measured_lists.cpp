// The measured-value lists.
// A scan, a partial range, averaged values, the value at 90 degrees, taught
// values, the statistics layout, values with field values and XY
// coordinates. Each appends to the header lines the dispatcher wrote; none
// reads beyond the answer record, whatever its count says.
#include "answers/measured.h"
#include "kvt/bytes.h"

namespace kvt {

namespace {

constexpr std::size_t kValuesPerRow = 8;
constexpr WORD kVerifiedBit = 0x4000;
constexpr WORD kTaughtValueMask = 0x1FFF;
constexpr char kNoMark[] = "   ";

using ValueRenderer = void (*)(Pending &pending, const ValueTexts &texts, WORD value);

// The values behind a count word, as far as the record holds them.
struct ValueList {
  std::size_t first;
  std::size_t count;
};

ValueList ListAt(std::span<const BYTE> answer, std::size_t countWord, std::size_t first) {
  return {first, WordsInRecord(answer, first, Word(answer, countWord) & kCountMask)};
}

// Full rows of eight end in a line feed; the rest of a row has none.
void RowsOfEight(ResultText &out, std::span<const BYTE> answer, BYTE variant, ValueList list, ValueRenderer render) {
  ValueTexts texts;
  LoadValueTexts(texts, variant);
  Pending pending{out};
  for (std::size_t i = 0; i < list.count; ++i) {
    render(pending, texts, Word(answer, list.first + 2 * i));
    if ((i + 1) % kValuesPerRow == 0) Add(pending, "\n");
  }
  Flush(pending);
}

void TaughtValue(Pending &pending, const ValueTexts &texts, WORD value) {
  Add(pending, (value & kVerifiedBit) != 0 ? std::string_view(texts.verified) : std::string_view(kNoMark));
  AddFormatted(pending, texts.number, value & kTaughtValueMask);
}

}  // namespace

void ValuesScan(ResultText &out, std::span<const BYTE> answer, BYTE variant) {
  RowsOfEight(out, answer, variant, ListAt(answer, 10, 12), ValueText);
}

void ValuesPartialRange(ResultText &out, std::span<const BYTE> answer, BYTE variant) {
  RowsOfEight(out, answer, variant, ListAt(answer, 14, 16), ValueText);
}

void ValuesAveraged(ResultText &out, std::span<const BYTE> answer, BYTE variant) {
  RowsOfEight(out, answer, variant, ListAt(answer, 11, 13), ValueText);
}

void ValuesAveragedPartial(ResultText &out, std::span<const BYTE> answer, BYTE variant) {
  RowsOfEight(out, answer, variant, ListAt(answer, 15, 17), ValueText);
}

void ValuesTaught(ResultText &out, std::span<const BYTE> answer, BYTE variant) {
  RowsOfEight(out, answer, variant, ListAt(answer, 10, 12), TaughtValue);
}

void ValuesStatistics(ResultText &out, std::span<const BYTE> answer, BYTE variant) {
  const ValueList list = ListAt(answer, 10, 12);
  ValueTexts texts;
  LoadValueTexts(texts, variant);
  Pending pending{out};
  for (std::size_t i = 0; i < list.count; ++i) {
    AddFormatted(pending, "%u", static_cast<unsigned>(i + 1));
    ValueText(pending, texts, Word(answer, list.first + 2 * i));
    Add(pending, "\n");
  }
  Flush(pending);
}

// The middle value: index N / 2 of the list.
void ValueAt90Degrees(ResultText &out, std::span<const BYTE> answer, BYTE variant) {
  constexpr std::size_t kFirst = 13;
  const std::size_t count = Word(answer, 11) & kCountMask;
  if (count == 0) return;
  const std::size_t at = kFirst + 2 * (count / 2);
  if (WordsInRecord(answer, at, 1) == 0) return;
  ValueTexts texts;
  LoadValueTexts(texts, variant);
  Pending pending{out};
  ValueText(pending, texts, Word(answer, at));
  Flush(pending);
}

// Groups of four words: a measured value and three field values. The word
// count decides how many whole groups there are; a rest of fewer than four
// words is not shown.
void ValuesWithFields(ResultText &out, std::span<const BYTE> answer, BYTE variant) {
  constexpr std::size_t kGroupWords = 4;
  const ValueList list = ListAt(answer, 13, 15);
  ValueTexts texts;
  LoadValueTexts(texts, variant);
  Pending pending{out};
  for (std::size_t group = 0; group < list.count / kGroupWords; ++group) {
    const std::size_t at = list.first + 2 * kGroupWords * group;
    ValueText(pending, texts, Word(answer, at));
    for (std::size_t field = 1; field < kGroupWords; ++field) {
      AddFormatted(pending, texts.number, Word(answer, at + 2 * field));
    }
    Add(pending, "\n");
  }
  Flush(pending);
}

// One pair per line: the flags of Y, the X word as it is, the value of Y.
void ValuesXY(ResultText &out, std::span<const BYTE> answer, BYTE variant) {
  constexpr std::size_t kFirst = 16;
  const std::size_t pairs = WordsInRecord(answer, kFirst, 2 * (Word(answer, 14) & kCountMask)) / 2;
  Append(out, FormatFromTable(ids::kFlagsXYTitle));
  Append(out, "\n");
  ValueTexts texts;
  LoadValueTexts(texts, variant);
  Pending pending{out};
  for (std::size_t i = 0; i < pairs; ++i) {
    const WORD x = Word(answer, kFirst + 4 * i);
    const WORD y = Word(answer, kFirst + 4 * i + 2);
    ValueFlags(pending, texts, y);
    Add(pending, ",");
    XValueText(pending, texts, x);
    ValueNumber(pending, texts, y);
    Add(pending, "\n");
  }
  Flush(pending);
}

}  // namespace kvt
