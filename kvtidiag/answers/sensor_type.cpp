// The sensor type report.
// Three identification lines, each the driver's format filled with a text
// of the answer.
#include "answers/answers.h"

namespace kvt {

namespace {

struct IdentificationLine {
  int formatClass;
  std::size_t text;
};

constexpr IdentificationLine kLines[] = {{60, 9}, {61, 17}, {62, 25}};

}  // namespace

void SensorTypeText(ResultText &out, std::span<const BYTE> answer) {
  Report r{out, answer};
  Replace(out, FormatDriverTexts(r, kLines[0].formatClass, kLines[0].text));
  AppendLineFeed(r);
  Append(out, FormatDriverTexts(r, kLines[1].formatClass, kLines[1].text));
  AppendLineFeed(r);
  Append(out, FormatDriverTexts(r, kLines[2].formatClass, kLines[2].text));
}

}  // namespace kvt
