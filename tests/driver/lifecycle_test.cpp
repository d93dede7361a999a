// The calling order Load, Query/Setup, Open, exchanges, Close, Free with the
// German texts ErrorSensor hands out; the configuration of KVTIDRV_SIM and
// SimConfigure; the faults it simulates and scripted answers.
#include <gtest/gtest.h>

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

// A bad text changes nothing, and the error text names the key or value.
TEST(Config, BadTextIsNamedAndChangesNothing) {
  const char *before = "device=pxd;address=9;variant=0;fail=close@2;setup=no";
  const std::pair<const char *, const char *> cases[] = {
      {"device=abc", "Wert 'abc' f\xFCr 'device' unbekannt (kvt, pxd, kvtq1, kvt90)"},
      {"device", "Eintrag 'device' ohne '='"},
      {"address=128", "Wert '128' f\xFCr 'address' nicht im Bereich 0 bis 127"},
      {"address=3x", "Wert '3x' f\xFCr 'address' nicht im Bereich 0 bis 127"},
      {"variant=10", "Wert '10' f\xFCr 'variant' nicht im Bereich 0 bis 9"},
      {"fail=foo", "Fehlerart 'foo' unbekannt"},
      {"fail=noanswer@0", "Fehler 'noanswer@0': Aufruf N, N+ oder N-M, N ab 1"},
      {"fail=noanswer@3++", "Fehler 'noanswer@3++': Aufruf N, N+ oder N-M, N ab 1"},
      {"fail=load,load,load,load,load,load,load,load,load,load,load,load,load,load,load,load,load",
       "Mehr als 16 Fehler ('load')"},
      {"setup=maybe", "Wert 'maybe' f\xFCr 'setup' unbekannt (ask, no)"},
      {"devise=kvt", "unbekannter Schl\xFCssel 'devise'"},
      {"=kvt", "unbekannter Schl\xFCssel ''"},
      {"version=V01.90.123", "Wert 'V01.90.123' f\xFCr 'version': 1 bis 8 druckbare Zeichen"},
      {"pw.setup=12345678901234567", "Passwort f\xFCr 'pw.setup': 1 bis 16 Zeichen, ohne ';'"},
      {"device=abcdefghijklmnopqrstuvwxyz", "Wert 'abcdefghi\x85' f\xFCr 'device' unbekannt (kvt, pxd, kvtq1, kvt90)"},
      {"abcdefghijklmnopqrstuvwxyz=1", "unbekannter Schl\xFCssel 'abcdefghijklmnopqrs\x85'"},
  };
  for (const auto &[bad, message] : cases) {
    ASSERT_TRUE(SimConfigure(before));
    EXPECT_FALSE(SimConfigure(bad)) << Escaped(bad);
    EXPECT_EQ(ConfigText(), before) << Escaped(bad);
    EXPECT_EQ(Escaped(ErrorText(0)), Escaped(std::string("SimConfigure: ") + message));
    EXPECT_LT(ErrorText(0).size(), 80u) << "the library reads 80 bytes";
  }
  for (const char *bad :
       {"address=0x10", "version=", "pw.setup=", "pw.super=a\x01" "b", "pw.other=x", "pw.setup=a\tb"}) {
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

}  // namespace
}  // namespace kvt::test
