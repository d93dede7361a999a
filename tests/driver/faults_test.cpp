// Faults to simulate: every kind, every time, only the N-th call, from the
// N-th call on; scripted answers; the request list.
#include <gtest/gtest.h>

#include "driver_support.h"

namespace drvtest {
namespace {

// Outcome of one laser-on telegram, as a letter: A answered and accepted,
// N no answer, W wrong answer code, R refused by the status byte.
char LaserOutcome(DWORD handle) {
  TelegramRecord request = Request(0, 0, 0x68, {1});
  TelegramRecord answer{};
  if (!TelegramSensor(handle, request.data(), answer.data())) return 'N';
  if (answer[kvt::kRecCode] != 0xE8) return 'W';
  return answer[kvt::kRecData] == 1 ? 'A' : 'R';
}

TEST(Faults, TelegramFaultsStrikeTheCallsNamed) {
  const std::vector<std::pair<const char *, const char *>> cases = {
      {"", "AAAAA"},
      {"noanswer", "NNNNN"},
      {"noanswer@3", "AANAA"},
      {"noanswer@3+", "AANNN"},
      {"wronganswer", "WWWWW"},
      {"wronganswer@2", "AWAAA"},
      {"refused@4+", "AAARR"},
      {"refused@1", "RAAAA"},
      {"noanswer@2,refused@4", "ANARA"},
      {"noanswer@5+,wronganswer@1", "WAAAN"},
  };
  for (const auto &[fail, expected] : cases) {
    const std::string config = std::string("fail=") + fail;
    OpenDriver driver(config.c_str());
    std::string outcome;
    for (int i = 0; i < 5; ++i) outcome += LaserOutcome(driver.handle);
    EXPECT_EQ(outcome, expected) << config;
  }
}

TEST(Faults, WrongAnswerKeepsTheDataButNotTheCode) {
  OpenDriver driver("fail=wronganswer");
  TelegramRecord request = Request(0, 0, 0x32);
  TelegramRecord answer{};
  ASSERT_TRUE(TelegramSensor(driver.handle, request.data(), answer.data()));
  EXPECT_NE(answer[kvt::kRecCode], 0xB2);
  EXPECT_EQ(answer[kvt::kRecKind], 0x00) << "the detection still sees the kind";
}

TEST(Faults, NoAnswerLeavesATextAndTheAnswerRecordAlone) {
  OpenDriver driver("fail=noanswer@1");
  TelegramRecord request = Request(0, 0, 0x31);
  TelegramRecord answer;
  answer.fill(0xAB);
  EXPECT_FALSE(TelegramSensor(driver.handle, request.data(), answer.data()));
  EXPECT_EQ(ErrorText(driver.handle), "Keine Antwort vom Sensor (simulierter Fehler, Telegramm 1).");
  EXPECT_EQ(answer[kvt::kRecCode], 0xAB);
}

// A refusal leaves the device as it was: the laser stays on.
TEST(Faults, RefusalChangesNoState) {
  OpenDriver driver("fail=refused@1");
  TelegramRecord off = Request(0, 0, 0x68, {0});
  TelegramRecord answer{};
  ASSERT_TRUE(TelegramSensor(driver.handle, off.data(), answer.data()));
  EXPECT_EQ(answer[kvt::kRecData], 0) << "refused";
  EXPECT_EQ(answer[kvt::kRecData + 1], 1) << "laser still on";
  TelegramRecord status = Request(0, 0, 0x31);
  ASSERT_TRUE(TelegramSensor(driver.handle, status.data(), answer.data()));
  EXPECT_EQ(answer[69], 1) << "laser still on in the status";
}

TEST(Faults, RefusalOfTheModeChangeIsStatusOne) {
  OpenDriver driver("fail=refused");
  TelegramRecord request = Request(0, 0, 0x20, {0x21});
  TelegramRecord answer{};
  ASSERT_TRUE(TelegramSensor(driver.handle, request.data(), answer.data()));
  EXPECT_EQ(answer[kvt::kRecCode], 0xA0);
  EXPECT_EQ(answer[kvt::kRecData], 1);
}

TEST(Faults, RefusalLeavesAnswersWithoutStatusAlone) {
  OpenDriver driver("fail=refused");
  TelegramRecord request = Request(0, 0, 0x31);
  TelegramRecord answer{};
  ASSERT_TRUE(TelegramSensor(driver.handle, request.data(), answer.data()));
  EXPECT_EQ(answer[kvt::kRecCode], 0xB1);
  EXPECT_EQ(answer[17], 0x25) << "the status answer is whole";
}

// The lifecycle faults: the call fails with its own German text. A failed
// close or free still takes its step, so the next run starts clean.
TEST(Faults, LifecycleFaults) {
  struct Case {
    const char *fail;
    const char *failing;  // which call fails
    const char *text;
  };
  const std::vector<Case> cases = {
      {"load", "load", "Sensortreiber konnte nicht geladen werden (simulierter Fehler)."},
      {"open", "open", "Schnittstelle konnte nicht geöffnet werden (simulierter Fehler)."},
      {"close", "close", "Schnittstelle konnte nicht geschlossen werden (simulierter Fehler)."},
      {"free", "free", "Sensortreiber konnte nicht freigegeben werden (simulierter Fehler)."},
  };
  for (const Case &c : cases) {
    ASSERT_TRUE(SimConfigure((std::string("fail=") + c.fail).c_str()));
    const std::string failing = c.failing;
    const DWORD handle = LoadSensor(0);
    EXPECT_EQ(handle == 0, failing == "load") << c.fail;
    if (handle == 0) {
      EXPECT_EQ(Escaped(ErrorText(0)), Escaped(c.text));
      continue;
    }
    const BOOL opened = OpenSensor(handle);
    EXPECT_EQ(opened == FALSE, failing == "open") << c.fail;
    if (!opened) {
      EXPECT_EQ(Escaped(ErrorText(handle)), Escaped(c.text));
      EXPECT_TRUE(FreeSensor(handle)) << "after a failed open only the free follows, and it works";
      continue;
    }
    const BOOL closed = CloseSensor(handle);
    EXPECT_EQ(closed == FALSE, failing == "close") << c.fail;
    if (!closed) { EXPECT_EQ(Escaped(ErrorText(handle)), Escaped(c.text)); }
    const BOOL freed = FreeSensor(handle);
    EXPECT_EQ(freed == FALSE, failing == "free") << c.fail;
    if (!freed) { EXPECT_EQ(Escaped(ErrorText(handle)), Escaped(c.text)); }
    SimConfigure("");
    const DWORD next = LoadSensor(0);
    EXPECT_NE(next, 0u) << "the next run after " << c.fail;
    Unload(next);
  }
  SimConfigure("");
}

TEST(Faults, LifecycleFaultsCountTheirOwnCalls) {
  SimConfigure("fail=load@2,open@3+");
  std::string outcome;
  for (int run = 0; run < 4; ++run) {
    const DWORD handle = LoadSensor(0);
    if (!handle) {
      outcome += 'L';
      continue;
    }
    outcome += OpenSensor(handle) ? 'O' : 'o';
    Unload(handle);
  }
  EXPECT_EQ(outcome, "OLOo") << "load 2 fails; the failed load made no open call, so open 3 is in run 4";
  SimConfigure("");
}

TEST(Faults, DownloadFault) {
  OpenDriver driver("fail=download@2");
  TelegramRecord start = Request(0, 0, 0x0B, {0x5E, 0x27, 0x6B, 0x19});
  kvt::PutWord(start, kvt::kRecLength, 5);
  kvt::PutWord(start, kvt::kRecLength2, 5);
  EXPECT_TRUE(TelegramDownload(driver.handle, start.data()));
  EXPECT_FALSE(TelegramDownload(driver.handle, start.data()));
  EXPECT_EQ(ErrorText(driver.handle), "Download-Telegramm 2 nicht angenommen (simulierter Fehler).");
  EXPECT_TRUE(TelegramDownload(driver.handle, start.data()));
}

TEST(Faults, ScriptedAnswersComeFirst) {
  OpenDriver driver("fail=noanswer@2");
  TelegramRecord scripted{};
  scripted[kvt::kRecCode] = 0x99;
  scripted[827] = 0x42;
  ASSERT_TRUE(SimQueueAnswer(scripted.data(), TRUE, 0));
  ASSERT_TRUE(SimQueueAnswer(scripted.data(), TRUE, 0));
  ASSERT_TRUE(SimQueueAnswer(nullptr, FALSE, 0));
  EXPECT_FALSE(SimQueueAnswer(nullptr, TRUE, 0)) << "an answer to copy is needed";
  EXPECT_FALSE(SimQueueAnswer(scripted.data(), TRUE, 1)) << "flags are reserved";

  TelegramRecord request = Request(0, 0, 0x31);
  TelegramRecord answer{};
  ASSERT_TRUE(TelegramSensor(driver.handle, request.data(), answer.data()));
  EXPECT_EQ(Hex(answer), Hex(scripted));
  ASSERT_TRUE(TelegramSensor(driver.handle, request.data(), answer.data())) << "scripted beats the fault plan";
  EXPECT_EQ(answer[kvt::kRecCode], 0x99);
  EXPECT_FALSE(TelegramSensor(driver.handle, request.data(), answer.data()));
  EXPECT_EQ(ErrorText(driver.handle), "Keine Antwort vom Sensor (vorgegebene Antwort, Telegramm 3).");
  ASSERT_TRUE(TelegramSensor(driver.handle, request.data(), answer.data())) << "the device again";
  EXPECT_EQ(answer[kvt::kRecCode], 0xB1);
}

TEST(Faults, RequestsAreKeptUntilReset) {
  OpenDriver driver("");
  for (BYTE command : {0x31, 0x32, 0x68}) {
    TelegramRecord request = Request(0, 0, command, {command});
    request[827] = command;
    TelegramRecord answer{};
    TelegramSensor(driver.handle, request.data(), answer.data());
  }
  ASSERT_EQ(SimRequestCount(), 3u);
  TelegramRecord kept{};
  ASSERT_TRUE(SimRequestAt(2, kept.data()));
  TelegramRecord expected = Request(0, 0, 0x68, {0x68});
  expected[827] = 0x68;
  EXPECT_EQ(Hex(kept), Hex(expected)) << "the whole record";
  EXPECT_FALSE(SimRequestAt(3, kept.data()));
  EXPECT_FALSE(SimRequestAt(0, nullptr));

  TelegramRecord scripted{};
  SimQueueAnswer(scripted.data(), TRUE, 0);
  SimReset();
  EXPECT_EQ(SimRequestCount(), 0u);
  TelegramRecord request = Request(0, 0, 0x31);
  TelegramRecord answer{};
  ASSERT_TRUE(TelegramSensor(driver.handle, request.data(), answer.data()));
  EXPECT_EQ(answer[kvt::kRecCode], 0xB1) << "the scripted answer was forgotten";
}

}  // namespace
}  // namespace drvtest
