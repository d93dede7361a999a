// DiagCommandProc through the descriptor with scripted answers: the request
// bytes of each command, its German text for each answer, the status and
// the result, for every ending.
#include <gtest/gtest.h>

#include <numeric>

#include "dialogs/dialogs.h"
#include "kvtidiag/session.h"
#include "support/texts.h"

namespace kvt::test {
namespace {

struct Sent {
  BYTE command;
  Bytes data = {};  // leading data bytes
};

struct Case {
  const char *name;
  Entry entry;
  Script answers;
  std::vector<Sent> sent;
  std::string text;  // the whole ResultText afterwards
  ULONG_PTR status = 0;
  BOOL result = TRUE;
};

constexpr BYTE kAddress = 12;

void Check(const Descriptor &d, const Case &c) {
  SCOPED_TRACE(c.name);
  SimReset();
  Queue(c.answers);
  const EntryRun run = RunEntry(d, c.entry);
  EXPECT_EQ(run.result, c.result);
  EXPECT_EQ(Escaped(run.text), Escaped(c.text));
  EXPECT_EQ(run.status, c.status);
  const auto sent = SentRequests();
  ASSERT_EQ(sent.size(), c.sent.size());
  for (std::size_t i = 0; i < sent.size(); ++i) {
    const Sent &s = c.sent[i];
    EXPECT_EQ(Differences(Request(kDeviceKvt, kAddress, s.command, s.data), sent[i], kRecData + s.data.size()), "")
        << "telegram " << i;
  }
}

std::string Line() { return AddressLine(kDeviceKvt, kAddress); }
TelegramRecord Status(BYTE code, BYTE status, BYTE detail = 0) { return Answer(code, {status, detail}); }
// A block whose every byte says where it stands.
Bytes Counting(std::size_t size) {
  Bytes bytes(size);
  std::iota(bytes.begin(), bytes.end(), BYTE{1});
  return bytes;
}

void InSession(const std::function<void(const Descriptor &)> &body) {
  RunSession("address=12", body, {.address = "12"});
}

TEST(Dispatch, EndingsOfEveryHandler) {
  const std::string comm = std::string(text::kCommFailure) + Line();
  const std::string wrong = std::string(text::kWrongAnswer) + Line();
  const std::optional<TelegramRecord> none;
  const Case cases[] = {
      {"reset", {10}, {Answer(0x91)}, {{0x10}}, text::kReset + Line()},
      {"reset, no answer", {10}, {none}, {{0x10}}, comm, 255},
      {"reset, wrong answer", {10}, {Answer(0x90)}, {{0x10}}, wrong},
      {"unknown code 9", {9, 0}, {}, {}, comm, 255},
      {"unknown code 212", {212, 0}, {}, {}, comm, 255},
      {"162 adds only the address line", {162, 0}, {}, {}, kBefore + Line()},
      {"163 adds only the address line", {163, 0}, {}, {}, kBefore + Line()},
      {"167 adds only the address line", {167, 0}, {}, {}, kBefore + Line()},
      {"172 parameter phase sends nothing", {172, 65535, {}, 0, nullptr, Phase::kParameters}, {}, {},
       kBefore + Line()},
      {"laser on", {124, 0x7D}, {Status(0xE8, 1, 1)}, {{0x68, {1}}},
       std::string(text::kLaserAccepted) + text::kLaserOn + Line()},
      {"laser off", {124, 0x7E}, {Status(0xE8, 1, 0)}, {{0x68, {0}}},
       std::string(text::kLaserAccepted) + text::kLaserOff + Line()},
      {"laser refused", {124, 0x7D}, {Status(0xE8, 0)}, {{0x68, {1}}}, text::kLaserRefused + Line()},
      {"laser, strange status keeps the text", {124, 0x7D}, {Status(0xE8, 9)}, {{0x68, {1}}}, kBefore + Line()},
      {"laser, wrong answer", {124, 0x7D}, {Status(0xE9, 1)}, {{0x68, {1}}}, wrong},
      {"field set volatile", {107, 0x6A}, {Status(0xE5, 1, 0)}, {{0x65, {0}}},
       std::string(text::kFieldSetAccepted) + text::kFieldsVolatile + Line()},
      {"field set non-volatile", {107, 0x6C}, {Status(0xE5, 1, 1)}, {{0x65, {1}}},
       std::string(text::kFieldSetAccepted) + text::kFieldsNonVolatile + Line()},
      {"field set refused", {107, 0x6A}, {Status(0xE5, 0)}, {{0x65, {0}}}, text::kFieldSetRefused + Line()},
      {"baud 9600 at power on", {118, 0x77}, {Status(0xE6, 1)}, {{0x66, {0}}}, text::kSettingStored + Line()},
      {"variant constant refused", {118, 0xB0}, {Status(0xE6, 0)}, {{0x66, {2}}}, text::kSettingNotStored + Line()},
      {"baud, strange status keeps the text", {118, 0x78}, {Status(0xE6, 3)}, {{0x66, {1}}}, kBefore + Line()},
      {"start-up test on", {89, 0x5A}, {Status(0xE0, 1)}, {{0x60, {1}}}, text::kStartUpTestStarted + Line()},
      {"start-up test off refused", {89, 0x5B}, {Status(0xE0, 0)}, {{0x60, {0}}}, text::kStartUpTestNotStarted + Line()},
      {"multiple evaluations", {103, 0x68, {5, 0, 0, 0}}, {Status(0xE4, 1)}, {{0x63, {5}}},
       text::kEvaluationsAccepted + Line()},
      {"multiple evaluations, strange status", {103, 0x68, {5, 0, 0, 0}}, {Status(0xE4, 2)}, {{0x63, {5}}}, wrong},
      {"multiple evaluations without a block", {103, 0x68}, {}, {}, kBefore, 0, FALSE},
      {"device address", {121, 65535, {33, 0, 0, 0}}, {Status(0xE7, 1)}, {{0x67, {33}}},
       text::kAddressAccepted + Line()},
      {"device address refused", {121, 65535, {33, 0, 0, 0}}, {Status(0xE7, 0)}, {{0x67, {33}}},
       text::kAddressRefused + Line()},
      {"new field set", {180, 0, {3, 0, 0, 0}}, {Answer(0xC1, {1})}, {{0x41, {3}}}, "Feldnummer:  3 \n" + Line()},
      {"stop threshold accepted", {185, 0, {0x42, 0, 0, 0}}, {Status(0xD1, 1, 0x42)}, {{0x51, {0x42, 0x00}}},
       text::kStopThresholdAccepted + Line()},
      {"stop threshold, other echo", {185, 0, {0x42, 0, 0, 0}}, {Status(0xD1, 1, 0x41)}, {{0x51, {0x42, 0x00}}},
       wrong},
      {"stop threshold above a byte", {185, 0, {0x2C, 1, 0, 0}}, {Status(0xD1, 1, 0x2C)}, {{0x51, {0x2C, 0x01}}},
       wrong},
      {"stop threshold refused, from a block of two bytes", {185, 0, {0x42, 1}}, {Status(0xD1, 0)},
       {{0x51, {0x42, 0x01}}}, text::kStopThresholdRefused + Line()},
      {"error memory empty, even in the parameter phase", {14, 65535, {}, 0, nullptr, Phase::kParameters},
       {Answer(0xB2)}, {{0x32}}, text::kNoError + Line()},
      {"error memory, no answer", {14}, {none}, {{0x32}}, comm, 255},
      {"whole-system test", {15, 0x4C}, {Answer(0xB2), Answer(0xB2)}, {{0x33, {0x11}}, {0x32}},
       text::kNoError + Line()},
      {"whole-system test stops at the first failure", {15, 0x4C}, {Answer(0xB3)}, {{0x33, {0x11}}}, wrong},
      {"status, wrong answer", {13}, {Answer(0xB2)}, {{0x31}}, wrong},
      {"status, no answer", {13}, {none}, {{0x31}}, comm, 255},
      {"sensor type, wrong answer", {164}, {Answer(0x80)}, {{0x3A}}, wrong},
      {"PXD configuration", {136, 0, Counting(103)}, {Status(0xF0, 1)}, {{0x70, Counting(103)}},
       text::kConfigurationAccepted + Line()},
      {"evaluation case refused", {138, 0, Counting(43)}, {Status(0xF2, 0)}, {{0x72, Counting(43)}},
       text::kCaseAborted + Line()},
      {"dynamic field number", {160, 0, {17, 5, 6, 7}}, {Status(0xCC, 1)}, {{0x4C, {17, 0}}},
       text::kDefinitionAccepted + Line()},
      {"outputs refused", {161, 0, {7, 1}}, {Status(0xCD, 0)}, {{0x4D, {7, 1, 0}}}, text::kDefinitionRefused + Line()},
  };
  InSession([&](const Descriptor &d) {
    for (const Case &c : cases) Check(d, c);
  });
}

TelegramRecord Reference(BYTE selector, std::vector<WORD> words) {
  Bytes data{selector, static_cast<BYTE>(words.size() / 4), 0};
  for (WORD w : words) data.insert(data.end(), {static_cast<BYTE>(w & 0xFF), static_cast<BYTE>(w >> 8)});
  return Answer(0xBC, data);
}

TEST(Dispatch, ReferenceValuesAskForAllFourRanges) {
  const TelegramRecord shortLayout = Reference(0x00, {100, 200, 300, 0});
  const TelegramRecord longLayout = Reference(0x90, {11, 22, 33, 0x0305});
  const std::string shortText = "  100 ;    200;     300\n";
  const Case cases[] = {
      {"two ranges answer", {169, 0xAA}, {shortLayout, longLayout, std::nullopt, std::nullopt},
       {{0x3C, {0x00}}, {0x3C, {0x10}}, {0x3C, {0x20}}, {0x3C, {0x30}}},
       shortText + "  5,25;  30;    11;    22;   33\n" + text::kCommFailure + text::kCommFailure + Line(), 255},
      {"averaged, one wrong answer", {169, 0xAB}, {shortLayout, Answer(0xBD), shortLayout, shortLayout},
       {{0x3C, {0x01}}, {0x3C, {0x11}}, {0x3C, {0x21}}, {0x3C, {0x31}}},
       shortText + text::kWrongAnswer + shortText + shortText + Line()},
      {"more than 100 triples show nothing", {169, 0xAA},
       {AnswerWith(0xBC, {{10, 101}}), AnswerWith(0xBC, {{10, 0}}), Reference(0x20, {1, 2, 3, 4}),
        Reference(0xA0, {1, 2, 3, 0x0102})},
       {{0x3C, {0x00}}, {0x3C, {0x10}}, {0x3C, {0x20}}, {0x3C, {0x30}}},
       "    1 ;      2;       3\n  2,50;  10;     1;     2;    3\n" + Line()},
  };
  InSession([&](const Descriptor &d) {
    for (const Case &c : cases) Check(d, c);
  });
}

TEST(Dispatch, CorrectionTable) {
  const std::string twoHeader = "Anzahl der Korrekturwertpaare:    2\nLadung/Breite         Korrekturwert\n";
  const Case cases[] = {
      {"two pairs", {172},
       {Answer(0xBD, {2, 0, 10, 0, 20, 0, 0x40, 0x42, 0x0F, 0x00, 65, 0, 66, 0, 1, 0, 0, 0})},
       {{0x3D}},
       twoHeader + "   10;          20;          1000000;       \n   65;          66;                1;       \n" +
           Line()},
      {"129 pairs show the header only", {172}, {AnswerWith(0xBD, {{9, 129}})}, {{0x3D}},
       "Anzahl der Korrekturwertpaare:  129\nLadung/Breite         Korrekturwert\n" + Line()},
  };
  InSession([&](const Descriptor &d) {
    for (const Case &c : cases) Check(d, c);
  });
}

// What does not fit the host's buffer is cut; nothing is written behind it.
TEST(Dispatch, ASmallResultTextIsCut) {
  InSession([](const Descriptor &d) {
    QueueAnswer(Answer(0x91));
    const EntryRun run = RunEntry(d, {10}, {}, 16);
    EXPECT_EQ(run.text, std::string(text::kReset).substr(0, 15));
  });
}

// A request that already carries a block keeps it, whatever length it
// records; the dialog opens on it.
TEST(Dispatch, ACollectorKeepsTheBlockItFinds) {
  InSession([](const Descriptor &d) {
    for (const Bytes &block : {Bytes{1, 2, 3, 4}, Bytes{1, 2}}) {
      const EntryRun run = RunEntry(d, {185, 0, block, 0, nullptr, Phase::kParameters},
                                    {{text::kStopThresholdTitle, [](HWND dialog) { Click(dialog, IDCANCEL); }}});
      EXPECT_EQ(run.ui.pending, 0u);
      EXPECT_FALSE(run.result);
      EXPECT_TRUE(run.sameBlock);
      EXPECT_EQ(Hex(run.block), Hex(block));
    }
  });
}

// A definition's dialog opens with the device's values when the reading
// answers, with its defaults when not; the device keeps what is defined.
TEST(Dispatch, PresetReadings) {
  auto shows = [](const char *title, int control, std::string shown, std::string typed = "") {
    return UiStep{title, [=](HWND dialog) {
                    EXPECT_EQ(ItemText(dialog, control), shown);
                    if (!typed.empty()) SetText(dialog, control, typed);
                    Click(dialog, typed.empty() ? IDCANCEL : IDOK);
                  }};
  };
  RunSession("device=pxd;address=5", [&](const Descriptor &d) {
    SimReset();
    const EntryRun defined = RunEntry(d, {136, 0, {}, 0, nullptr, Phase::kBoth},
                                      {shows(text::kPxdConfigTitle, IDC_PXD_SENSOR_NAME_1, "KVT1", "LINKS")});
    EXPECT_EQ(Escaped(defined.text), Escaped(text::kConfigurationAccepted + AddressLine(kDevicePxd, 5)));
    EXPECT_NE(RunEntry(d, {132}).text.find("Name KVT: LINKS\n"), std::string::npos);
    EXPECT_FALSE(RunEntry(d, {138, 0, {}, 0, nullptr, Phase::kParameters},
                          {shows(text::kCaseDefinitionTitle, IDC_EVC_NAME, "EINFAHRT")})
                     .result);
    QueueNoAnswer();
    EXPECT_FALSE(RunEntry(d, {136, 0, {}, 0, nullptr, Phase::kParameters},
                          {shows(text::kPxdConfigTitle, IDC_PXD_SENSOR_NAME_1, "NOKVT")})
                     .result);
    const auto sent = SentRequests();
    ASSERT_EQ(sent.size(), 5u);
    EXPECT_EQ(Differences(Request(kDevicePxd, 5, 0x38), sent[0], kRecData + 1), "");
    EXPECT_EQ(Differences(Request(kDevicePxd, 5, 0x70, defined.block), sent[1], kRecData + 104), "");
    EXPECT_EQ(Differences(Request(kDevicePxd, 5, 0x39, {1}), sent[3], kRecData + 2), "");
    EXPECT_EQ(sent[4][kRecCode], 0x38);
  }, {.address = "5"});
}

}  // namespace
}  // namespace kvt::test
