// Report pieces that the driver words.
// Texts for codes, texts for value lists, and the driver's formats filled
// with texts of the answer.
#include <cstring>

#include "answers/answers.h"
#include "kvt/bytes.h"

namespace kvt {

namespace {

// The record from a byte to its end, then zeros: what a list or a text
// argument that runs onward from that byte may read, and never more. The
// zeros end a text of one- or two-byte characters.
struct RecordTail {
  std::array<BYTE, kRecordSize + 4> bytes{};
};

RecordTail TailOf(std::span<const BYTE> answer, std::size_t at) {
  RecordTail tail;
  const std::size_t end = answer.size() < kRecordSize ? answer.size() : kRecordSize;
  for (std::size_t i = at; i < end; ++i) tail.bytes[i - at] = answer[i];
  return tail;
}

// What FormatDriverTexts hands to the driver's format: two texts, then null texts.
constexpr int kFormatArguments = 8;

// At most three digits of a width or precision.
bool SkipDigits(const char *&p) {
  for (int digits = 0; *p >= '0' && *p <= '9'; ++p) {
    if (++digits > 3) return false;
  }
  return true;
}

// Whether the driver's format reads only the arguments it is given: each
// conversion one that wvsprintfA knows, with small widths, and no more
// conversions than arguments. A broken or hostile format would read past them.
bool ReadsOnlyItsArguments(const char *format) {
  int conversions = 0;
  for (const char *p = format; *p; ++p) {
    if (*p != '%' || *++p == '%') continue;
    for (const char flag : {'-', '#', '0'}) {
      if (*p == flag) ++p;
    }
    if (!SkipDigits(p)) return false;
    if (*p == '.' && !SkipDigits(++p)) return false;
    if (*p == 'l' || *p == 'h' || *p == 'w') ++p;
    if (*p == '\0' || !std::strchr("cCdiusSxX", *p) || ++conversions > kFormatArguments) return false;
  }
  return true;
}

// Keeps the text within the buffer even if a driver forgot its terminator.
void AppendBuffer(Report &report) {
  report.driverText.back() = '\0';
  Append(report.out, report.driverText.data());
}

}  // namespace

void AppendDriverText(Report &report, int textClass, unsigned code) {
  TextSensor(textClass, static_cast<WORD>(code), report.driverText.data(), kDriverTextSize, 0);
  AppendBuffer(report);
}

void AppendDriverList(Report &report, int textClass, std::span<const WORD> values) {
  TextSensorMulPar(textClass, values.data(), report.driverText.data(), kDriverTextSize, 0);
  AppendBuffer(report);
}

void AppendDriverList(Report &report, int textClass, std::span<const DWORD> values) {
  TextSensorMulPar(textClass, values.data(), report.driverText.data(), kDriverTextSize, 0);
  AppendBuffer(report);
}

void AppendDriverListAt(Report &report, int textClass, std::size_t at) {
  const RecordTail tail = TailOf(report.answer, at);
  TextSensorMulPar(textClass, tail.bytes.data(), report.driverText.data(), kDriverTextSize, 0);
  AppendBuffer(report);
}

const char *FormatDriverTexts(Report &report, int textClass, std::size_t first, std::size_t second) {
  TextSensor(textClass, 0, report.driverText.data(), kDriverTextSize, 0);
  report.driverText.back() = '\0';
  // A format that would read more than it is given is shown as the driver's words.
  if (!ReadsOnlyItsArguments(report.driverText.data())) return FormatLiteral("%s", report.driverText.data());
  const RecordTail one = TailOf(report.answer, first);
  const RecordTail two = TailOf(report.answer, second);
  // Null arguments behind the texts: a format that asks for more than it
  // is given shows "(null)" or 0 instead of reading what is not there.
  const BYTE *secondText = second == kNoText ? nullptr : two.bytes.data();
  return FormatLiteral(report.driverText.data(), one.bytes.data(), secondText, nullptr, nullptr, nullptr, nullptr,
                       nullptr, nullptr);
}

void AppendLineFeed(Report &report) { Append(report.out, "\n"); }

void AppendIndentedLine(Report &report) { Append(report.out, "\n   "); }

void AppendSeparator(Report &report) { Append(report.out, FormatFromTable(ids::kSeparatorLine)); }

void AppendDriverLine(Report &report, int textClass, unsigned code) {
  AppendDriverText(report, textClass, code);
  AppendLineFeed(report);
}

void AppendDriverListLine(Report &report, int textClass, std::span<const WORD> values) {
  AppendDriverList(report, textClass, values);
  AppendLineFeed(report);
}

void AppendDriverListLine(Report &report, int textClass, std::span<const DWORD> values) {
  AppendDriverList(report, textClass, values);
  AppendLineFeed(report);
}

void AppendDriverListLineAt(Report &report, int textClass, std::size_t at) {
  AppendDriverListAt(report, textClass, at);
  AppendLineFeed(report);
}

}  // namespace kvt
