// The exchange routine's fixed data and acceptance rule, and the mode check.
#include <gtest/gtest.h>

#include "entry/entry.h"
#include "kvt/simcontrol.h"
#include "support/records.h"
#include "telegram/telegram.h"

namespace kvt {
namespace {

using test::Answer;
using test::QueueAnswer;
using test::QueueNoAnswer;
using test::SentRequests;

class ExchangeTest : public ::testing::Test {
 protected:
  test::SimulatedSensor sensor;
  TelegramPair pair;
  void SetUp() override { PrepareRequest(pair.request, kDeviceKvt, 5); }
};

TEST_F(ExchangeTest, FixedDataPerCommand) {
  const struct {
    const char *name;
    BYTE command;
    BYTE callerByte9;
    BYTE callerByte10;
    BYTE sentByte9;
    BYTE sentByte10;
  } cases[] = {
      {"0x39 forces data byte 1", 0x39, 7, 8, 1, 8},
      {"0x79 clears a 16-bit word", 0x79, 7, 8, 0, 0},
      {"0x7A clears a 16-bit word", 0x7A, 7, 8, 0, 0},
      {"0x7E clears only byte 10", 0x7E, 7, 8, 7, 0},
      {"others keep the caller's data", 0x31, 7, 8, 7, 8},
  };
  for (const auto &c : cases) {
    SimReset();
    pair.request[9] = c.callerByte9;
    pair.request[10] = c.callerByte10;
    QueueAnswer(Answer(static_cast<BYTE>(c.command + 0x80)));
    EXPECT_TRUE(ExchangeTelegram(sensor.handle, c.command, kDevicePxd, pair.request, pair.answer)) << c.name;
    const auto sent = SentRequests();
    ASSERT_EQ(sent.size(), 1u) << c.name;
    EXPECT_EQ(sent[0][8], c.command) << c.name;
    EXPECT_EQ(sent[0][2], kDevicePxd) << c.name;
    EXPECT_EQ(sent[0][5], 5) << c.name;
    EXPECT_EQ(Word(sent[0], 0), 828) << c.name;
    EXPECT_EQ(sent[0][9], c.sentByte9) << c.name;
    EXPECT_EQ(sent[0][10], c.sentByte10) << c.name;
  }
}

TEST_F(ExchangeTest, AcceptsOnlyCommandPlus0x80) {
  const struct {
    const char *name;
    unsigned command;
    BYTE answerCode;
    bool answered;
    BOOL expected;
  } cases[] = {
      {"0xB1 answers 0x31", 0x31, 0xB1, true, TRUE},
      {"0xB1 does not answer 0x32", 0x32, 0xB1, true, FALSE},
      {"no answer", 0x31, 0xB1, false, FALSE},
      {"a command of 0x80 or above is never accepted", 0x90, 0x10, true, FALSE},
  };
  for (const auto &c : cases) {
    SimReset();
    if (c.answered) QueueAnswer(Answer(c.answerCode)); else QueueNoAnswer();
    EXPECT_EQ(ExchangeTelegram(sensor.handle, c.command, kDeviceKvt, pair.request, pair.answer), c.expected) << c.name;
  }
}

struct ModeCase {
  const char *name;
  std::vector<TelegramRecord> answers;  // empty record with code 0: no answer
  std::vector<BYTE> sentCommands;
  BOOL expected;
};

TelegramRecord StatusWithMode(BYTE mode) { return test::AnswerWith(0xB1, {{17, mode}}); }
TelegramRecord NoAnswer() { return TelegramRecord{}; }

TEST_F(ExchangeTest, ModeCheck) {
  const ModeCase cases[] = {
      {"mode 0x20 is an output mode", {StatusWithMode(0x20)}, {0x31}, TRUE},
      {"mode 0x2F is an output mode", {StatusWithMode(0x2F)}, {0x31}, TRUE},
      {"mode 0x30 asks for the change", {StatusWithMode(0x30), Answer(0xA0, {0})}, {0x31, 0x20}, TRUE},
      {"change refused", {StatusWithMode(0x10), Answer(0xA0, {1})}, {0x31, 0x20}, FALSE},
      {"change answered wrongly", {StatusWithMode(0x10), Answer(0xA1, {0})}, {0x31, 0x20}, FALSE},
      {"no status, change accepted", {NoAnswer(), Answer(0xA0, {0})}, {0x31, 0x20}, TRUE},
      {"status with a wrong code", {test::AnswerWith(0xB2, {{17, 0x20}}), Answer(0xA0, {0})}, {0x31, 0x20}, TRUE},
      {"nothing answers", {NoAnswer(), NoAnswer()}, {0x31, 0x20}, FALSE},
  };
  kvt::Run().target = {kDeviceKvtQ1, 9};
  for (const auto &c : cases) {
    SimReset();
    for (const auto &a : c.answers) {
      if (a[8] == 0) QueueNoAnswer(); else QueueAnswer(a);
    }
    EXPECT_EQ(DiagModeCheckProc(0), c.expected) << c.name;
    const auto sent = SentRequests();
    ASSERT_EQ(sent.size(), c.sentCommands.size()) << c.name;
    for (std::size_t i = 0; i < sent.size(); ++i) {
      EXPECT_EQ(sent[i][8], c.sentCommands[i]) << c.name;
      EXPECT_EQ(sent[i][2], kDeviceKvtQ1) << c.name;
      EXPECT_EQ(sent[i][5], 9) << c.name;
    }
    if (sent.size() == 2) {
      EXPECT_EQ(sent[1][9], 0x25) << c.name;
    }
  }
}

}  // namespace
}  // namespace kvt
