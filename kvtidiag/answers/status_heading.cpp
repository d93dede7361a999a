// The heading every status report starts with: the driver's format of
// class 18 filled with the version text (byte 9) and the second text
// (byte 19).
#include "answers/answers.h"

namespace kvt {

namespace {

constexpr int kHeadingFormat = 18;
constexpr std::size_t kVersionText = 9;
constexpr std::size_t kSecondText = 19;

}  // namespace

void StartStatusReport(Report &report) {
  Replace(report.out, FormatDriverTexts(report, kHeadingFormat, kVersionText, kSecondText));
  AppendLineFeed(report);
}

}  // namespace kvt
