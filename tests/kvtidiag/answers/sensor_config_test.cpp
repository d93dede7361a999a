// The type-6 sensor's configuration reports on edited answers: where a
// block starts, and the limits and line ends of the parameter lists. Whole
// reports as the device answers are golden files (reports_test.cpp).
#include <gtest/gtest.h>

#include <algorithm>

#include "answers/answers.h"
#include "support/records.h"
#include "support/texts.h"

namespace kvt::test {
namespace {

std::string Render(AnswerFormatter formatter, const TelegramRecord &answer, const std::string &before = "") {
  std::string text(16384, '\0');
  std::copy(before.begin(), before.end(), text.begin());
  ResultText out{text.data(), text.size()};
  formatter(out, answer);
  return text.c_str();
}

// `count` at `countAt`, then the values from the byte behind it.
TelegramRecord List(BYTE code, std::size_t countAt, unsigned count, std::initializer_list<int> values) {
  TelegramRecord answer = Answer(code);
  PutWord(answer, countAt, count);
  std::size_t at = countAt + 2;
  for (int v : values) {
    PutWord(answer, at, static_cast<unsigned>(v));
    at += 2;
  }
  return answer;
}

TEST(SensorConfigReports, ADefinedBlockStartsOneByteLater) {
  const struct {
    AnswerFormatter read, defined;
    int size;
  } blocks[] = {{KvtConfigRead, KvtConfigDefined, 33}, {KvtConfig2Read, KvtConfig2Defined, 84}};
  for (const auto &[read, defined, size] : blocks) {
    TelegramRecord readAnswer = Answer(0xF4), definedAnswer = Answer(0xF7, {1});
    for (int i = 0; i < size; ++i) readAnswer[kRecData + i] = definedAnswer[kRecData + 1 + i] = static_cast<BYTE>(7 * i + 1);
    const std::string text = Render(read, readAnswer);
    EXPECT_EQ(Escaped(text), Escaped(Render(defined, definedAnswer)));
    EXPECT_TRUE(text.ends_with("\n   ")) << Escaped(text);
  }
}

// Counts above a list's limit show no values, nor does a count of 0.
TEST(SensorConfigReports, ParameterListLimits) {
  const auto count = [](unsigned n) {
    char line[32];
    wsprintfA(line, "Parameteranzahl: %3u\n\n", n);
    return std::string(line);
  };
  const std::string finalHead = std::string(text::kFinalTestHeading) + "  0\nModus lesen[0] / schreiben[1]:  0\n Anzahl:  33\n";
  const struct {
    AnswerFormatter formatter;
    TelegramRecord answer;
    std::string text;
  } cases[] = {
      {DistanceCorrectionParameters, List(0xF9, 10, 257, {1}), count(257)},
      {DistanceCorrectionParameters, List(0xF9, 10, 0, {1}), count(0)},
      {BandControlParameters, List(0xFA, 10, 65, {1}), count(65)},
      {FinalTestData, List(0xD2, 11, 33, {1}), finalHead + text::kFinalTestTitleLine},
  };
  for (const auto &c : cases) EXPECT_EQ(Escaped(Render(c.formatter, c.answer, "vorher")), Escaped("vorher" + c.text));
  // Twenty values end with the second line: no line feed of their own.
  const std::string full = Render(DistanceCorrectionParameters, List(0xF9, 10, 20, {}));
  EXPECT_EQ(std::count(full.begin(), full.end(), '\n'), 4);
}

}  // namespace
}  // namespace kvt::test
