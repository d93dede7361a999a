// The calling order Load, Query/Setup, Open, exchanges, Close, Free with the
// German texts ErrorSensor hands out; the configuration of KVTIDRV_SIM and
// SimConfigure; the faults it simulates, scripted answers and the log.
#include <gtest/gtest.h>

#include <regex>

#include "driver/buffers.h"
#include "support/records.h"
#include "support/texts.h"

namespace kvt::test {
namespace {

bool Call(const std::string &call, DWORD &handle) {
  TelegramRecord request = Request(0, 0, 0x31), answer{};
  if (call == "load") {
    const DWORD loaded = LoadSensor(0);
    if (loaded) handle = loaded;
    return loaded != 0;
  }
  if (call == "open") return OpenSensor(handle);
  if (call == "telegram") return TelegramSensor(handle, request.data(), answer.data());
  if (call == "telegram null") return TelegramSensor(handle, nullptr, answer.data());
  if (call == "close") return CloseSensor(handle);
  if (call == "free") return FreeSensor(handle);
  ADD_FAILURE() << "unknown step " << call;
  return false;
}

TEST(Lifecycle, CallingOrder) {
  const std::string notLoaded = text::kNotLoaded, notOpen = text::kNotOpen;
  const struct {
    const char *name;
    std::vector<std::pair<const char *, bool>> steps;  // call, result
    std::string error;                                 // ErrorSensor afterwards; empty: not checked
  } cases[] = {
      {"whole run", {{"load", true}, {"open", true}, {"telegram", true}, {"close", true}, {"free", true}}, ""},
      {"open before load", {{"open", false}}, notLoaded},
      {"telegram before open", {{"load", true}, {"telegram", false}}, notOpen},
      {"load twice", {{"load", true}, {"load", false}}, text::kLoadedTwice},
      {"open twice", {{"load", true}, {"open", true}, {"open", false}}, text::kOpenTwice},
      {"free while open", {{"load", true}, {"open", true}, {"free", false}}, text::kStillOpen},
      {"null record", {{"load", true}, {"open", true}, {"telegram null", false}}, text::kNullRecord},
      {"free then telegram", {{"load", true}, {"free", true}, {"telegram", false}}, notLoaded},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.name);
    DWORD handle = 1;
    for (const auto &[call, result] : c.steps) EXPECT_EQ(Call(call, handle), result) << call;
    if (!c.error.empty()) { EXPECT_EQ(Escaped(ErrorText(handle)), Escaped(c.error)); }
    CloseSensor(handle);
    FreeSensor(handle);
  }
  const DWORD handle = LoadSensor(0);
  EXPECT_FALSE(OpenSensor(handle + 1));
  EXPECT_EQ(Escaped(ErrorText(handle)), Escaped(text::kWrongHandle + std::to_string(handle + 1) + "."));
  FreeSensor(handle);
  EXPECT_FALSE(OpenSensor(handle)) << "a stale handle must not reach a new run";
}

TEST(Lifecycle, QueryAsksForSetupOnlyWhenConfigured) {
  for (const auto &[config, expected] : {std::pair{"setup=no", FALSE}, {"setup=ask", TRUE}, {"device=pxd", FALSE}}) {
    ASSERT_TRUE(SimConfigure(config)) << config;
    const DWORD handle = LoadSensor(0);
    EXPECT_EQ(QuerySensor(handle), expected) << config;
    FreeSensor(handle);
  }
  SimConfigure("");
}

// Lifecycle faults count the calls of their own function; their texts keep
// to the caller's buffer. (The library shows them: its own tests.)
TEST(Lifecycle, LifecycleFaults) {
  SimConfigure("fail=load@2,open@3+");
  std::string outcome;
  for (int run = 0; run < 4; ++run) {
    const DWORD handle = LoadSensor(0);
    if (!handle) {
      outcome += 'L';
      continue;
    }
    outcome += OpenSensor(handle) ? 'O' : 'o';
    CloseSensor(handle);
    FreeSensor(handle);
  }
  EXPECT_EQ(outcome, "OLOo") << "load 2 fails; the failed load made no open call, so open 3 is in run 4";
  SimConfigure("fail=load");
  ASSERT_EQ(LoadSensor(0), 0u);
  ExpectKeepsToTheBuffer("ErrorSensor", text::kFailLoad, [](char *buffer, int size) { ErrorSensor(0, buffer, size); });
  SimConfigure("");
}

TEST(Config, BadTextChangesNothing) {
  const char *before = "device=pxd;address=9;variant=0;fail=close@2;setup=no";
  for (const char *bad : {"device=abc", "device", "address=128", "address=3x", "address=0x10", "variant=10",
                          "fail=foo", "fail=noanswer@0", "fail=noanswer@3++", "setup=maybe", "colour=red", "=kvt",
                          "version=", "version=V01.90.123", "pw.setup=", "pw.setup=12345678901234567",
                          "pw.super=a\x01" "b", "pw.other=x", "pw.setup=a\tb"}) {
    ASSERT_TRUE(SimConfigure(before));
    EXPECT_FALSE(SimConfigure(bad)) << Escaped(bad);
    EXPECT_EQ(ConfigText(), before) << Escaped(bad);
  }
  EXPECT_FALSE(SimConfigure(nullptr));
  SimConfigure("");
}

TEST(Config, GoodTextIsTakenAsWritten) {
  const std::pair<const char *, const char *> cases[] = {
      {"", "device=kvt;address=0;variant=0;setup=no"},
      {"  Device = KVTQ1 ; address=127;variant=9;fail=noanswer@3, refused@2+ ;setup=ASK;",
       "device=kvtq1;address=127;variant=9;fail=noanswer@3,refused@2+;setup=ask"},
      {"device=pxd; version = 12345678 ;log=C:\\t.log;pw.service=W;pw.setup=S\xFC\xDF",
       "device=pxd;address=0;variant=0;version=12345678;log=C:\\t.log;pw.setup=S\xFC\xDF;pw.service=W;setup=no"},
      {"pw.setup=einrichten;pw.super=superuser;pw.service=instandhaltung", "device=kvt;address=0;variant=0;setup=no"},
  };
  for (const auto &[config, expected] : cases) {
    EXPECT_TRUE(SimConfigure(config)) << Escaped(config);
    EXPECT_EQ(Escaped(ConfigText()), Escaped(expected));
  }
  SimConfigure("device=kvtq1;address=12");
  ExpectKeepsToTheBuffer("SimConfigText", ConfigText(), [](char *buffer, int size) { SimConfigText(buffer, size); });
  SimConfigure("");
}

// The variable is read at LoadSensor; it replaces the configuration only
// when its text differs from the one seen at the previous LoadSensor.
TEST(Config, EnvironmentVariableAtLoad) {
  SetEnvironmentVariableA("KVTIDRV_SIM", "device=pxd;address=4;pw.service=Nacht");
  DWORD handle = LoadSensor(0);
  EXPECT_EQ(ConfigText(), "device=pxd;address=4;variant=0;pw.service=Nacht;setup=no");
  EXPECT_FALSE(QuerySensor(handle)) << "a set variable means no setup dialog unless asked";
  FreeSensor(handle);
  SimConfigure("device=kvt90");
  handle = LoadSensor(0);
  EXPECT_EQ(ConfigText(), "device=kvt90;address=0;variant=0;setup=no") << "unchanged variable";
  FreeSensor(handle);
  SetEnvironmentVariableA("KVTIDRV_SIM", "device=nonsense");
  EXPECT_EQ(LoadSensor(0), 0u);
  EXPECT_EQ(Escaped(ErrorText(0)), Escaped(text::kBadVariable));
  EXPECT_EQ(ConfigText(), "device=kvt90;address=0;variant=0;setup=no") << "a bad variable changes nothing";
  SetEnvironmentVariableA("KVTIDRV_SIM", nullptr);
  SimConfigure("");
}

// Outcome of one laser-on telegram: A accepted, N no answer, W wrong code, R refused.
char LaserOutcome(const OpenDriver &driver) {
  const TelegramRecord answer = driver.Exchange(0, 0x68, {1});
  if (answer[kRecCode] == 0xEE) return 'N';
  return answer[kRecCode] != 0xE8 ? 'W' : answer[kRecData] == 1 ? 'A' : 'R';
}

TEST(Faults, TelegramFaultsStrikeTheCallsNamed) {
  const std::pair<const char *, const char *> cases[] = {
      {"", "AAAAA"},           {"noanswer", "NNNNN"},    {"noanswer@3", "AANAA"},
      {"noanswer@3+", "AANNN"}, {"wronganswer@2", "AWAAA"}, {"refused@4+", "AAARR"},
      {"noanswer@2,refused@4", "ANARA"},
  };
  for (const auto &[fail, expected] : cases) {
    const OpenDriver driver((std::string("fail=") + fail).c_str());
    std::string outcome;
    for (int i = 0; i < 5; ++i) outcome += LaserOutcome(driver);
    EXPECT_EQ(outcome, expected) << fail;
  }
}

TEST(Faults, WhatEachFaultLeaves) {
  {
    const OpenDriver driver("fail=noanswer@1");
    TelegramRecord request = Request(0, 0, 0x31), answer;
    answer.fill(0xAB);
    EXPECT_FALSE(TelegramSensor(driver.handle, request.data(), answer.data()));
    EXPECT_EQ(Escaped(ErrorText(driver.handle)), Escaped(text::kNoAnswerFault));
    EXPECT_EQ(answer[kRecCode], 0xAB) << "the answer record is left alone";
  }
  {
    const OpenDriver driver("fail=wronganswer");
    const TelegramRecord answer = driver.Exchange(0, 0x32);
    EXPECT_NE(answer[kRecCode], 0xB2);
    EXPECT_EQ(answer[kRecKind], 0x00) << "the detection still sees the kind";
  }
  {
    const OpenDriver driver("fail=refused");
    const TelegramRecord laser = driver.Exchange(0, 0x68, {0}), mode = driver.Exchange(0, 0x20, {0x21});
    EXPECT_EQ(Hex(std::span(laser).subspan(8, 3)), "E8 00 01") << "refused, laser still on";
    EXPECT_EQ(Hex(std::span(mode).subspan(8, 2)), "A0 01") << "a mode is refused with 1";
    const TelegramRecord status = driver.Exchange(0, 0x31);
    EXPECT_EQ(status[17], 0x25) << "an answer without status byte is whole";
    EXPECT_EQ(status[69], 1) << "laser still on in the status";
  }
}

TEST(Faults, ScriptedAnswersComeFirstAndRequestsAreKept) {
  const OpenDriver driver("fail=noanswer@2");
  TelegramRecord scripted{};
  scripted[kRecCode] = 0x99;
  scripted[827] = 0x42;
  ASSERT_TRUE(SimQueueAnswer(scripted.data(), TRUE, 0));
  ASSERT_TRUE(SimQueueAnswer(scripted.data(), TRUE, 0));
  ASSERT_TRUE(SimQueueAnswer(nullptr, FALSE, 0));
  EXPECT_FALSE(SimQueueAnswer(nullptr, TRUE, 0)) << "an answer to copy is needed";
  EXPECT_FALSE(SimQueueAnswer(scripted.data(), TRUE, 1)) << "flags are reserved";
  EXPECT_EQ(Hex(driver.Exchange(0, 0x31)), Hex(scripted));
  EXPECT_EQ(driver.Exchange(0, 0x31)[kRecCode], 0x99) << "scripted beats the fault plan";
  EXPECT_EQ(driver.Exchange(0, 0x31)[kRecCode], 0xEE);
  EXPECT_EQ(Escaped(ErrorText(driver.handle)), Escaped(text::kNoAnswerScripted));
  EXPECT_EQ(driver.Exchange(0, 0x68, {0x68})[kRecCode], 0xE8) << "the device again";
  ASSERT_EQ(SimRequestCount(), 4u);
  TelegramRecord kept{};
  ASSERT_TRUE(SimRequestAt(3, kept.data()));
  EXPECT_EQ(Differences(Request(0, 0, 0x68, {0x68}), kept), "") << "the whole record";
  EXPECT_FALSE(SimRequestAt(4, kept.data()));
  SimQueueAnswer(scripted.data(), TRUE, 0);
  SimReset();
  EXPECT_EQ(SimRequestCount(), 0u);
  EXPECT_EQ(driver.Exchange(0, 0x31)[kRecCode], 0xB1) << "the scripted answer was forgotten";
}

// A line per request and per answer, timestamped, bytes in hex, CR LF; runs append.
TEST(Log, RequestsAndAnswersInHex) {
  char folder[MAX_PATH], path[MAX_PATH];
  GetTempPathA(sizeof folder, folder);
  GetTempFileNameA(folder, "kvt", 0, path);
  DeleteFileA(path);
  for (int run = 0; run < 2; ++run) {
    const OpenDriver driver(("device=kvt;address=3;fail=noanswer@2;log=" + std::string(path)).c_str());
    TelegramRecord laser = Request(0, 3, 0x68, {0}), silent = Request(0, 3, 0x31), answer{};
    TelegramSensor(driver.handle, laser.data(), answer.data());
    TelegramSensor(driver.handle, silent.data(), answer.data());
  }
  const std::string run =
      "T > 3C 03 00 00 00 03 00 00 68\r\n"  // trailing zero data bytes are not logged
      "T < 3C 03 03 00 00 03 00 00 E8 01 00\r\n"
      "T > 3C 03 00 00 00 03 00 00 31\r\n"
      "T < (keine Antwort)\r\n";
  const std::regex stamp(R"(\d{4}-\d\d-\d\d \d\d:\d\d:\d\d\.\d{3})");
  EXPECT_EQ(Escaped(std::regex_replace(FileBytes(path), stamp, "T")), Escaped(run + run)) << path;
  DeleteFileA(path);
  const OpenDriver unwritable("log=Z:\\no\\such\\folder\\tel.log");
  EXPECT_EQ(unwritable.Exchange(0, 0x31)[kRecCode], 0xB1) << "an unwritable log does not stop the exchange";
}

}  // namespace
}  // namespace kvt::test
