// Result text and messages: the one appender every handler and formatter
// writes through, the string-table loader, the two format routines and the
// message box.
#pragma once

#include <windows.h>

#include <cstddef>
#include <span>
#include <string_view>

#include "kvt/abi.h"

namespace kvt {

// The host's ResultText buffer with the capacity it gave us. Every write
// stays inside the capacity and leaves the text zero-terminated; what does
// not fit is cut.
struct ResultText {
  char *text = nullptr;
  std::size_t capacity = 0;
};

ResultText ResultTextOf(const ULONG_PTR *request);
std::size_t Length(const ResultText &out);
void Replace(ResultText &out, std::string_view piece);
void Append(ResultText &out, std::string_view piece);
void Clear(ResultText &out);
// Driver texts may carry carriage returns; the result list wants blanks.
void CarriageReturnsToBlanks(ResultText &out);

// Loads string `id` (at most 127 characters) as CP1252 into `buffer`.
void LoadText(UINT id, std::span<char> buffer);

inline constexpr std::size_t kFormatBufferSize = 256;
inline constexpr std::size_t kMessageBufferSize = 160;
inline constexpr std::size_t kStringLimit = 128;

// wvsprintfA rules: every integer argument one slot, %s takes an address.
const char *FormatFromTable(UINT id, ...);
const char *FormatLiteral(const char *format, ...);
inline constexpr int kTextArgument = -1;
int MessageBoxFromTable(HWND owner, UINT flags, int id, ...);
inline constexpr UINT kMessageFlags = MB_OK | MB_ICONEXCLAMATION;

// Formatters of answers that the dispatcher hands over (request, answer).
using AnswerFormatter = void (*)(ResultText &out, std::span<const BYTE> answer);
void ReferenceValues(ResultText &out, std::span<const BYTE> answer);
void CorrectionTable(ResultText &out, std::span<const BYTE> answer);
void StatusKvt(ResultText &out, std::span<const BYTE> answer);
void StatusPxd(ResultText &out, std::span<const BYTE> answer);
void StatusKvtQ1(ResultText &out, std::span<const BYTE> answer);
void ErrorMemoryKvt(ResultText &out, std::span<const BYTE> answer);
void ErrorMemoryPxd(ResultText &out, std::span<const BYTE> answer);
void SensorTypeText(ResultText &out, std::span<const BYTE> answer);
// Measured-value lists (measured_lists.cpp, measured_ranges.cpp); each
// appends to the header lines the dispatcher wrote.
void ValuesScan(ResultText &out, std::span<const BYTE> answer);
void ValuesStatistics(ResultText &out, std::span<const BYTE> answer);
void ValuesTaught(ResultText &out, std::span<const BYTE> answer);
void ValuesPartialRange(ResultText &out, std::span<const BYTE> answer);
void ValuesAveraged(ResultText &out, std::span<const BYTE> answer);
void ValueAt90Degrees(ResultText &out, std::span<const BYTE> answer);
void ValuesAveragedPartial(ResultText &out, std::span<const BYTE> answer);
void ValuesWithFields(ResultText &out, std::span<const BYTE> answer);
void ValuesXY(ResultText &out, std::span<const BYTE> answer);
void RangesWithRemission(ResultText &out, std::span<const BYTE> answer);

}  // namespace kvt
