// Result text and messages, and the answer formatters.
// The one appender every handler and formatter writes through, the
// string-table loader, the two format routines and the message box.
#pragma once

#include <windows.h>

#include <array>
#include <cstddef>
#include <span>
#include <string_view>

#include "kvt/abi.h"
#include "string_ids.h"

namespace kvt {

// The host's ResultText buffer with the capacity it gave us. Every write
// stays inside the capacity and leaves the text zero-terminated; what does
// not fit is cut.
struct ResultText {
  char *text = nullptr;
  std::size_t capacity = 0;
  // Where the text ends, as the appender last left it, so that a long
  // report is not measured again for every piece it appends.
  std::size_t end = kUnknownEnd;
  static constexpr std::size_t kUnknownEnd = static_cast<std::size_t>(-1);
};

ResultText ResultTextOf(const ULONG_PTR *request);
std::size_t Length(const ResultText &out);
void Replace(ResultText &out, std::string_view piece);
void Append(ResultText &out, std::string_view piece);
void Clear(ResultText &out);
// Driver texts may carry carriage returns; the result list wants blanks.
void CarriageReturnsToBlanks(ResultText &out);

// The module whose string table the texts come from (DllMain sets it; test
// programs that link the objects set their own).
HINSTANCE Instance();
void SetInstance(HINSTANCE instance);

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
// The PXD interface unit (interface_unit.cpp): its configuration starts a
// new text, an evaluation case appends.
void PxdConfiguration(ResultText &out, std::span<const BYTE> answer);
void PxdEvaluationCase(ResultText &out, std::span<const BYTE> answer);
// Measured-value lists (measured_lists.cpp, measured_ranges.cpp); each
// appends to the header lines the dispatcher wrote, flags shown by the row
// of the sensor variant.
using ValuesFormatter = void (*)(ResultText &out, std::span<const BYTE> answer, BYTE variant);
void ValuesScan(ResultText &out, std::span<const BYTE> answer, BYTE variant);
void ValuesStatistics(ResultText &out, std::span<const BYTE> answer, BYTE variant);
void ValuesTaught(ResultText &out, std::span<const BYTE> answer, BYTE variant);
void ValuesPartialRange(ResultText &out, std::span<const BYTE> answer, BYTE variant);
void ValuesAveraged(ResultText &out, std::span<const BYTE> answer, BYTE variant);
void ValueAt90Degrees(ResultText &out, std::span<const BYTE> answer, BYTE variant);
void ValuesAveragedPartial(ResultText &out, std::span<const BYTE> answer, BYTE variant);
void ValuesWithFields(ResultText &out, std::span<const BYTE> answer, BYTE variant);
void ValuesXY(ResultText &out, std::span<const BYTE> answer, BYTE variant);
void RangesWithRemission(ResultText &out, std::span<const BYTE> answer, BYTE variant);
// The type-6 sensor's configuration (kvt_config.cpp, parameter_lists.cpp,
// output_state.cpp, positioning_shot.cpp). All append, except OutputState,
// which starts a new text; PositioningShot is given the request it renders.
void KvtConfigRead(ResultText &out, std::span<const BYTE> answer);
void KvtConfigDefined(ResultText &out, std::span<const BYTE> answer);
void KvtConfig2Read(ResultText &out, std::span<const BYTE> answer);
void KvtConfig2Defined(ResultText &out, std::span<const BYTE> answer);
void DistanceCorrectionParameters(ResultText &out, std::span<const BYTE> answer);
void BandControlParameters(ResultText &out, std::span<const BYTE> answer);
void FinalTestData(ResultText &out, std::span<const BYTE> answer);
void OutputState(ResultText &out, std::span<const BYTE> answer);
void PositioningShot(ResultText &out, std::span<const BYTE> request);

// Protective fields (field_answers.cpp). Letters 0 to 5 are the fields A to
// F, units 0 to 2 cm, mm and 10 cm, shapes 0 to 5 rectangular, radial,
// segmented, taught-in, dynamic rectangle and dynamic segmented; a number
// beyond these gives no line.
void AppendFieldLetter(ResultText &out, unsigned letter);
// The unit line (FormatFromTable's buffer); null for a unit without one.
const char *UnitText(unsigned unit);
void AppendUnitLine(ResultText &out, unsigned unit);
void AppendFieldHeading(ResultText &out, unsigned shape);
// The shape's dimension lines, from answer byte `at` on.
void AppendFieldDimensions(ResultText &out, std::span<const BYTE> answer, unsigned shape, std::size_t at);
// The corner points of a segmented field the device took over (0xC0).
void FieldCornerPoints(ResultText &out, std::span<const BYTE> answer);
// The corner points or the taught-in contour of a stored field (0xC5).
void RenderFieldValues(ResultText &out, std::span<const BYTE> answer);
// A stored field (0xC5) described anew, with the text of its letter.
void StoredFieldText(ResultText &out, std::span<const BYTE> answer, unsigned letter);

// Service reports (service_reports.cpp): the memory dump starts the text,
// the reference-target record is appended, the counters start the text.
void MemoryDump(ResultText &out, std::span<const BYTE> answer);
void ReferenceTargetDiagnosis(ResultText &out, std::span<const BYTE> answer);
void OperatingCounters(ResultText &out, std::span<const BYTE> answer);
// Navigation answers the device has taken (navigation_reports.cpp), appended
// to the status line.
void RenderRaySet(ResultText &out, std::span<const BYTE> answer);
void RenderReflectorLevel(ResultText &out, std::span<const BYTE> answer);
void RenderNavigationCase(ResultText &out, std::span<const BYTE> answer);
void RenderNavigationData(ResultText &out, std::span<const BYTE> answer);

// Reports made of driver texts (driver_text.cpp). A report asks the driver
// into one buffer of its own, emptied once before the first driver call.
struct Report {
  ResultText &out;
  std::span<const BYTE> answer;
  std::array<char, kFormatBufferSize> driverText{};
};
// The size the driver is told: one byte less than the buffer, so the text
// always ends within it.
inline constexpr int kDriverTextSize = 255;
void AppendDriverText(Report &report, int textClass, unsigned code);
void AppendDriverList(Report &report, int textClass, std::span<const WORD> values);
void AppendDriverList(Report &report, int textClass, std::span<const DWORD> values);
// A list that runs onward from a record byte.
void AppendDriverListAt(Report &report, int textClass, std::size_t at);
// The driver's format of a class (code 0) filled with the texts that run
// onward from the record bytes given; never reads past the record.
inline constexpr std::size_t kNoText = static_cast<std::size_t>(-1);
const char *FormatDriverTexts(Report &report, int textClass, std::size_t first, std::size_t second = kNoText);
void AppendLineFeed(Report &report);
// A line feed and three blanks: what starts each line of the reports made
// of one driver text a line.
void AppendIndentedLine(Report &report);
void AppendSeparator(Report &report);
// A line of its own: the piece, then a line feed.
void AppendDriverLine(Report &report, int textClass, unsigned code);
void AppendDriverListLine(Report &report, int textClass, std::span<const WORD> values);
void AppendDriverListLine(Report &report, int textClass, std::span<const DWORD> values);
void AppendDriverListLineAt(Report &report, int textClass, std::size_t at);
// Starts a status report with its heading line (status_heading.cpp).
void StartStatusReport(Report &report);
// The operating mode (byte 17) as a line closed by a separator.
void AppendOperatingModeLine(Report &report);
// Lines the KVT and the KVT-Q1 word alike (status_sensor.cpp): the serial
// settings (bytes 126-130), and from the device address (byte 133) to the
// scan list (byte 29) in the class the report picks.
void AppendSensorSerialLines(Report &report);
void AppendSensorModeLines(Report &report, int scanClass);

// Values of the status answers (status_values.cpp).
// Ten times the number of all digits, split: digits before the last two in
// the upper 16 bits, the last two in the lower ("V02.10" gives 0x2000A).
DWORD ParseVersion(std::span<const BYTE> text);
inline constexpr DWORD kVersion200 = 0x20000;
// Passed to the driver instead of a quotient whose divisor is 0: no
// measurement can give it.
inline constexpr DWORD kNoQuotient32 = 0xFFFFFFFF;
inline constexpr WORD kNoQuotient16 = 0xFFFF;
// 1048576 divided by the status word at bytes 79-80.
DWORD MirrorQuotient(WORD divisor);
// The two TDC resolutions in ps from the calibration values at bytes 142-163.
std::array<WORD, 2> TdcResolutions(std::span<const BYTE> answer);

}  // namespace kvt
