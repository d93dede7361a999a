// The type-6 sensor's configuration handlers through the descriptor: the
// blocks they send, the reading that presets a dialog, the message for each
// status and what follows it.
#include <gtest/gtest.h>

#include "kvtidiag/session.h"
#include "support/texts.h"

namespace kvt::test {
namespace {

constexpr BYTE kAddress = 4;
constexpr int kStopLow = 1061, kStopHigh = 1057, kMultiple = 1058, kFlags = 1182, kCorrectionCount = 1104;

std::string Line() { return AddressLine(kDeviceKvtQ1, kAddress); }

void InSession(const std::function<void(const Descriptor &)> &body) {
  RunSession("device=kvtq1;address=4", body, {.address = "4"});
}

struct Case {
  const char *name;
  Entry entry;
  Script answers;
  BYTE command;   // of the one telegram sent; 0: none
  Bytes data;     // its leading data bytes
  std::string text;  // the whole text, or with `rendered` its beginning before a rendering
  bool rendered = false;
  BOOL result = TRUE;
};

Bytes Block(std::size_t size, Bytes head = {}) {
  head.resize(size, 0x5A);
  return head;
}

TEST(SensorConfig, DefinitionsSendTheirBlockAndReportEachStatus) {
  const Bytes config = Block(33, {1, 2, 3});
  const Bytes config2 = Block(84, {9});
  const Bytes five00 = Block(804, Words({500}));
  Bytes sent401 = Words({401});
  sent401.resize(2 + 2 * 401, 0x5A);
  sent401.insert(sent401.end(), {0, 0});  // the 402nd word stays unsent
  const std::string wrong = std::string(text::kWrongAnswer) + Line();
  const Case cases[] = {
      {"configuration accepted", {168, 0, config}, {Answer(0xF7, {1})}, 0x77, config,
       std::string(text::kConfigurationAccepted) + "\n   Blankingfaktor: 0\n", true},
      {"configuration refused, rendered all the same", {168, 0, config}, {Answer(0xF7, {0})}, 0x77, config,
       std::string(text::kConfigurationAborted) + "\n   Blankingfaktor: 0\n", true},
      {"configuration, status 2", {168, 0, config}, {Answer(0xF7, {2})}, 0x77, config, wrong},
      {"configuration 2 takes any status", {210, 0, config2}, {Answer(0xFC, {7, 3})}, 0x7C, config2,
       std::string(text::kConfigurationAccepted) + "\n   Flag-Byte: 0x03\n", true},
      {"variant: low words of angle and resolution", {166, 0, {180, 1, 2, 3, 50, 4, 5, 6}}, {Answer(0xBB, {1})}, 0x3B,
       {0xB4, 0x01, 0x32, 0x04, 0}, text::kDefinitionAccepted + Line()},
      {"corrections: a count of 0 sends the count alone", {173, 0, Block(804, {0, 0})}, {Answer(0xF8, {0})}, 0x78,
       {0, 0, 0, 0}, text::kDefinitionRefused + Line()},
      {"shell check: 500 words go as 401", {199, 0, five00}, {Answer(0xFA, {1})}, 0x7A, sent401,
       std::string(text::kDefinitionAccepted) + "\nParameteranzahl:   0\n\n" + Line()},
      {"belt check renders the answer", {206, 0, Block(804, {1, 0, 7})}, {Answer(0xFA, {1, 2, 0, 7, 0, 8, 0})}, 0x7A,
       {1, 0, 7, 0x5A},
       std::string(text::kDefinitionAccepted) + "\nParameteranzahl:   2\n\n    7;           8;       \n" + Line()},
      {"distance correction refused: nothing follows", {189, 0, Block(804, {1, 0})}, {Answer(0xF9, {0, 1, 0, 5, 0})},
       0x79, {1, 0, 0x5A, 0x5A}, text::kDefinitionRefused + Line()},
      {"positioning shot refused shows what was sent", {196, 0, Words({100, 1, 90, 90, 0, 0, 0, 0})},
       {Answer(0xE9, {0, 25, 0, 3})}, 0x69, Words({100, 1, 90}), text::kDefinitionRefused + std::string(text::kShotDefault) + Line()},
      {"final test takes any status", {208, 0, Block(68, {9, 1, 0, 0})}, {Answer(0xD2, {9, 1})}, 0x52, {9, 1, 0, 0},
       std::string(text::kDefinitionAccepted) + "\n" + text::kFinalTestHeading +
           "  9\nModus lesen[0] / schreiben[1]:  1\n Anzahl:   0\n" + text::kFinalTestTitleLine + Line()},
      {"configuration read, wrong answer", {181}, {Answer(0xF5)}, 0x74, {}, wrong},
      {"a definition without a block sends nothing", {168}, {}, 0, {}, kBefore, false, FALSE},
  };
  InSession([&](const Descriptor &d) {
    for (const Case &c : cases) {
      SCOPED_TRACE(c.name);
      SimReset();
      Queue(c.answers);
      const EntryRun run = RunEntry(d, c.entry);
      EXPECT_EQ(run.result, c.result);
      if (c.rendered) {
        EXPECT_TRUE(run.text.starts_with(c.text) && run.text.ends_with(Line())) << Escaped(run.text);
      } else {
        EXPECT_EQ(Escaped(run.text), Escaped(c.text));
      }
      const auto sent = SentRequests();
      ASSERT_EQ(sent.size(), c.command ? 1u : 0u);
      if (c.command) {
        EXPECT_EQ(Differences(Request(kDeviceKvtQ1, kAddress, c.command, c.data), sent[0], kRecData + c.data.size()),
                  "");
      }
    }
  });
}

// The reading presets the dialog when it answers as expected, and the
// dialog shows its defaults otherwise; what the user confirms goes out.
TEST(SensorConfig, ReadingsPresetTheDialogs) {
  InSession([&](const Descriptor &d) {
    const struct {
      const char *name;
      WORD handler;
      std::optional<TelegramRecord> reading;
      const char *title;
      std::vector<std::pair<int, std::string>> shown;
    } cases[] = {
        {"configuration: threshold 0x1234", 168, AnswerWords(0xF4, 9, {0, 0x1234}), text::kSensorConfigTitle,
         {{kStopLow, "52"}, {kStopHigh, "18"}, {kMultiple, "0"}}},
        {"configuration: a wrong code", 168, Answer(0xF7, {7}), text::kSensorConfigTitle,
         {{kStopLow, "70"}, {kStopHigh, "0"}, {kMultiple, "2"}}},
        {"configuration 2", 210, Answer(0xFB, {7}), text::kSensorConfig2Title, {{kFlags, "7"}}},
        {"distance correction from byte 10", 189, Answer(0xF9, {1, 3, 0}), text::kCorrectionTitle,
         {{kCorrectionCount, "3"}}},
    };
    for (const auto &c : cases) {
      SCOPED_TRACE(c.name);
      SimReset();
      Queue({c.reading});
      std::vector<std::pair<int, std::string>> seen;
      const EntryRun run = RunEntry(d, {c.handler, 0, {}, 0, nullptr, Phase::kParameters},
                                    {{c.title, [&](HWND dialog) {
                                        for (const auto &[control, text] : c.shown) seen.emplace_back(control, ItemText(dialog, control));
                                        Click(dialog, IDCANCEL);
                                      }}});
      EXPECT_FALSE(run.result);
      EXPECT_EQ(seen, c.shown);
      EXPECT_EQ(Escaped(run.text), Escaped(kBefore));
      const auto sent = SentRequests();
      ASSERT_EQ(sent.size(), 1u);
      EXPECT_EQ(sent[0][kRecCode], c.handler == 168 ? 0x74 : c.handler == 210 ? 0x7B : 0x79);
    }
    // Read, typed, sent and kept: the device reports the new threshold.
    SimReset();
    const EntryRun defined = RunEntry(d, {168, 0, {}, 0, nullptr, Phase::kBoth},
                                      {{text::kSensorConfigTitle, [](HWND dialog) {
                                          SetText(dialog, kStopLow, "300");
                                          Click(dialog, IDOK);
                                        }}});
    EXPECT_NE(defined.text.find("Stoppschwelle: 300 mV"), std::string::npos) << Escaped(defined.text);
    EXPECT_NE(RunEntry(d, {181}).text.find("Stoppschwelle: 300 mV"), std::string::npos);
  });
}

}  // namespace
}  // namespace kvt::test
