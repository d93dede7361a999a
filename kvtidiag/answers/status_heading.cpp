// The heading and the operating-mode line of the status reports.
// The heading is the driver's format of class 18 filled with the version
// text (byte 9) and the second text (byte 19).
#include "answers/answers.h"
#include "kvt/bytes.h"

namespace kvt {

namespace {

constexpr int kHeadingFormat = 18;
constexpr std::size_t kVersionText = 9;
constexpr std::size_t kSecondText = 19;
constexpr int kOperatingMode = 1;
constexpr std::size_t kOperatingModeByte = 17;

}  // namespace

void StartStatusReport(Report &report) {
  Replace(report.out, FormatDriverTexts(report, kHeadingFormat, kVersionText, kSecondText));
  AppendLineFeed(report);
}

void AppendOperatingModeLine(Report &report) {
  AppendDriverLine(report, kOperatingMode, Byte(report.answer, kOperatingModeByte));
  AppendSeparator(report);
}

}  // namespace kvt
