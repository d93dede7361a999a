// The pieces the measured-value reports are built from.
// The flag table, the texts of one report loaded once, and a buffer that
// collects the pieces before they go into ResultText in a few large appends
// (a scan has hundreds of values; appending each would walk the whole text
// every time).
#pragma once

#include <windows.h>

#include <array>
#include <cstddef>
#include <span>
#include <string_view>

#include "answers/answers.h"

namespace kvt {

// One row of the value-flag table: three (mask, string) pairs, a shift and
// the value mask, eight 16-bit entries. A shift of 0: each mask is a flag
// bit shown by its string. Otherwise the first mask covers a small number
// (a reflector level) shown through its string's "%1u".
struct FlagPair {
  WORD mask;
  WORD string;
};

struct FlagRow {
  std::array<FlagPair, 3> pairs;
  WORD shift;
  WORD valueMask;
};
static_assert(sizeof(FlagRow) == 8 * sizeof(WORD));

inline constexpr std::size_t kFlagRows = 10;

// The row for a sensor variant; a variant without a row gets row 0.
const FlagRow &FlagRowOf(BYTE variant);

// Result text on its way into ResultText: appended whenever the buffer
// fills and at Flush. ResultText cuts what exceeds its capacity.
struct Pending {
  ResultText &out;
  std::size_t length = 0;
  std::array<char, 4096> text{};
};

void Add(Pending &pending, std::string_view piece);
// `format` with one 32-bit argument, by the rules of wvsprintfA.
void AddFormatted(Pending &pending, const char *format, unsigned value);
void Flush(Pending &pending);

// The string-table texts one report needs, each loaded once.
struct ValueTexts {
  const FlagRow *row;
  char number[kStringLimit];    // "%5u;"
  char blanks[kStringLimit];    // shown three times for a value without flags
  char flags[3][kStringLimit];  // the row's strings
  char xValue[kStringLimit];    // " %5d;"
  char verified[kStringLimit];  // "V"
};

// Loads the texts for a sensor variant.
void LoadValueTexts(ValueTexts &texts, BYTE variant);

// The value renderers.
void ValueFlags(Pending &pending, const ValueTexts &texts, WORD value);
void ValueNumber(Pending &pending, const ValueTexts &texts, WORD value);
void ValueText(Pending &pending, const ValueTexts &texts, WORD value);
void XValueText(Pending &pending, const ValueTexts &texts, WORD value);

// How many 16-bit words of a list that starts at `first` the record holds,
// at most `wanted`.
std::size_t WordsInRecord(std::span<const BYTE> answer, std::size_t first, std::size_t wanted);

inline constexpr WORD kCountMask = 0x3FF;

}  // namespace kvt
