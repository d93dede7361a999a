// The value-flag table and the renderers of one measured value.
// Its flags (field infringements, blinding, reflector level) by the sensor
// variant's row, and its number.
#include <cstring>

#include "answers/measured.h"
#include "kvt/bytes.h"

namespace kvt {

namespace {

using ids::kFlagBlinding;
using ids::kFlagFieldA;
using ids::kFlagFieldB;
using ids::kFlagFieldC;
using ids::kFlagReflectorLevel;

// A dash of the table is a mask of 0, which never matches; the string
// behind it is never shown.
constexpr std::array<FlagRow, kFlagRows> kValueFlagTable{{
    {{{{0x8000, kFlagFieldA}, {0x4000, kFlagFieldB}, {0x2000, kFlagBlinding}}}, 0, 0x1FFF},
    {{{{0xE000, kFlagReflectorLevel}, {0, kFlagFieldB}, {0, kFlagFieldC}}}, 13, 0x1FFF},
    {{{{0x8000, kFlagFieldA}, {0x4000, kFlagFieldB}, {0x2000, kFlagFieldC}}}, 0, 0x1FFF},
    {{{{0xC000, kFlagReflectorLevel}, {0, kFlagFieldB}, {0, kFlagFieldC}}}, 14, 0x3FFF},
    {{{{0x8000, kFlagFieldA}, {0x4000, kFlagFieldB}, {0, kFlagReflectorLevel}}}, 0, 0x3FFF},
    {{{{0x8000, kFlagReflectorLevel}, {0, kFlagFieldB}, {0, kFlagFieldC}}}, 15, 0x7FFF},
    {{{{0x8000, kFlagFieldA}, {0, kFlagFieldB}, {0, kFlagFieldC}}}, 0, 0x7FFF},
    {{{{0x8000, kFlagFieldA}, {0, kFlagFieldB}, {0, kFlagFieldC}}}, 0, 0x1FFF},
    {{{{0x8000, kFlagFieldA}, {0, kFlagFieldB}, {0, kFlagFieldC}}}, 0, 0x1FFF},
    {{{{0x8000, kFlagFieldA}, {0, kFlagFieldB}, {0, kFlagFieldC}}}, 0, 0x7FFF},
}};

// A shifted row's number sits above its value bits, and the flag bits of
// every row lie outside its value mask.
constexpr bool TableConsistent() {
  for (const FlagRow &row : kValueFlagTable) {
    for (const FlagPair &pair : row.pairs) {
      if ((pair.mask & row.valueMask) != 0) return false;
    }
    if (row.shift != 0 && (row.pairs[0].mask >> row.shift) << row.shift != row.pairs[0].mask) return false;
    if (row.shift != 0 && (row.pairs[1].mask != 0 || row.pairs[2].mask != 0)) return false;
  }
  return true;
}
static_assert(TableConsistent());

void AddBlanks(Pending &pending, const ValueTexts &texts) {
  for (int i = 0; i < 3; ++i) Add(pending, texts.blanks);
}

}  // namespace

const FlagRow &FlagRowOf(BYTE variant) {
  return variant < kValueFlagTable.size() ? kValueFlagTable[variant] : kValueFlagTable[0];
}

void Add(Pending &pending, std::string_view piece) {
  if (piece.size() > pending.text.size() - pending.length) Flush(pending);
  if (piece.size() > pending.text.size()) {
    Append(pending.out, piece);
    return;
  }
  std::memcpy(pending.text.data() + pending.length, piece.data(), piece.size());
  pending.length += piece.size();
}

void AddFormatted(Pending &pending, const char *format, unsigned value) {
  // wvsprintfA writes at most 1024 characters and the terminator.
  char formatted[1025];
  const int written = wsprintfA(formatted, format, value);
  if (written > 0) Add(pending, std::string_view(formatted, static_cast<std::size_t>(written)));
}

void Flush(Pending &pending) {
  Append(pending.out, std::string_view(pending.text.data(), pending.length));
  pending.length = 0;
}

void LoadValueTexts(ValueTexts &texts, BYTE variant) {
  texts.row = &FlagRowOf(variant);
  LoadText(ids::kMeasuredValue, texts.number);
  LoadText(ids::kTwoBlanks, texts.blanks);
  for (std::size_t i = 0; i < texts.row->pairs.size(); ++i) {
    if (texts.row->pairs[i].mask != 0) LoadText(texts.row->pairs[i].string, texts.flags[i]);
    else texts.flags[i][0] = '\0';
  }
  LoadText(ids::kXValue, texts.xValue);
  LoadText(ids::kFlagVerified, texts.verified);
}

void ValueFlags(Pending &pending, const ValueTexts &texts, WORD value) {
  const FlagRow &row = *texts.row;
  if (row.shift != 0) {
    if ((value & row.pairs[0].mask) != 0) AddFormatted(pending, texts.flags[0], value >> row.shift);
    else AddBlanks(pending, texts);
    return;
  }
  bool flagged = false;
  for (std::size_t i = 0; i < row.pairs.size(); ++i) {
    if ((value & row.pairs[i].mask) != 0) {
      Add(pending, texts.flags[i]);
      flagged = true;
    }
  }
  if (!flagged) AddBlanks(pending, texts);
}

void ValueNumber(Pending &pending, const ValueTexts &texts, WORD value) {
  AddFormatted(pending, texts.number, value & texts.row->valueMask);
}

void ValueText(Pending &pending, const ValueTexts &texts, WORD value) {
  ValueFlags(pending, texts, value);
  ValueNumber(pending, texts, value);
}

void XValueText(Pending &pending, const ValueTexts &texts, WORD value) { AddFormatted(pending, texts.xValue, value); }

std::size_t WordsInRecord(std::span<const BYTE> answer, std::size_t first, std::size_t wanted) {
  if (first >= answer.size()) return 0;
  const std::size_t fitting = (answer.size() - first) / 2;
  return wanted < fitting ? wanted : fitting;
}

}  // namespace kvt
