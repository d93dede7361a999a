// The operating-mode change of the simulated devices through TelegramSensor:
// every mode byte on every kind of device, the mode and baud rate in the
// status answer afterwards, parameters kept, passwords right and wrong.
#include <gtest/gtest.h>

#include <string>

#include "mode_requests.h"

namespace drvtest {
namespace {

using Bytes = std::vector<BYTE>;

struct Kind {
  const char *name;
  const char *config;
  BYTE type;          // type byte of the requests
  std::size_t baudAt; // baud rate in hundreds in the status answer
  BYTE bit;           // bit in a case's set of kinds
  BYTE kindBits;      // answer byte 7
};

constexpr BYTE K = 1, P = 2, Q = 4, N = 8;  // KVT, PXD, KVT-Q1, KVT 90°
constexpr BYTE kAll = K | P | Q | N;
constexpr BYTE kSensors = K | Q | N;
constexpr BYTE kType6 = Q | N;
constexpr BYTE kNone = 0;

const Kind kKinds[] = {
    {"KVT", "device=kvt", 0, 126, K, 0x00},
    {"PXD", "device=pxd", 1, 28, P, 0x08},
    {"KVT-Q1", "device=kvtq1", 2, 126, Q, 0x10},
    {"KVT 90", "device=kvt90", 3, 126, N, 0x18},
};

constexpr BYTE kOnRequest = 0x25;

// What a 0xA0 answer says: status, mode in force, parameters in force.
std::string ModeAnswer(const TelegramRecord &answer) {
  const std::size_t count = kvt::Word(answer, kvt::kRecCount);
  if (answer[kvt::kRecCode] != 0xA0 || count < 3) return "answer " + Hex(std::span(answer).first(12));
  return "status " + std::to_string(answer[9]) + ", mode " + Hex(std::span(answer).subspan(10, 1)) +
         ", parameters [" + Hex(std::span(answer).subspan(11, count - 3)) + "]";
}

std::string ExpectedAnswer(bool accepted, BYTE mode, const Bytes &parameters) {
  return std::string("status ") + (accepted ? "0" : "1") + ", mode " + Hex(std::span(&mode, 1)) + ", parameters [" +
         Hex(parameters) + "]";
}

struct ModeCase {
  const char *name;
  Bytes data;         // request bytes from byte 9
  BYTE kinds;         // kinds that accept it
  BYTE modeAfter;     // mode in force once accepted
  Bytes parameters;   // parameters in force once accepted
  unsigned baud = 0;  // baud rate once accepted; 0: stays 9600
};

const std::vector<ModeCase> kModeCases = {
    {"setup mode, setup password", WithPassword(0x00, "einrichten"), kAll, 0x00, {}},
    {"setup mode, superuser password", WithPassword(0x00, "superuser"), kAll, 0x00, {}},
    {"setup mode, maintenance password", WithPassword(0x00, "instandhaltung"), kNone, 0, {}},
    {"setup mode, other case", WithPassword(0x00, "Einrichten"), kNone, 0, {}},
    {"setup mode, password and more", WithPassword(0x00, "einrichten2"), kNone, 0, {}},
    {"setup mode, password cut short", WithPassword(0x00, "einrichte"), kNone, 0, {}},
    {"setup mode, empty password", WithPassword(0x00, ""), kNone, 0, {}},
    {"calibration mode, maintenance password", WithPassword(0x01, "instandhaltung"), kAll, 0x01, {}},
    {"calibration mode, superuser password", WithPassword(0x01, "superuser"), kAll, 0x01, {}},
    {"calibration mode, setup password", WithPassword(0x01, "einrichten"), kNone, 0, {}},
    {"calibration mode, empty password", WithPassword(0x01, ""), kNone, 0, {}},
    {"password reset with no password in force", {0x02}, kNone, 0, {}},
    {"diagnosis", {0x10}, kAll, 0x10, {}},
    {"continuous minimum values", {0x20}, kSensors, 0x20, {}},
    {"minimum values on request", {0x21}, kAll, 0x21, {}},
    {"continuous perpendicular distance", {0x22}, kSensors, 0x22, {}},
    {"perpendicular distance on request", {0x23}, kAll, 0x23, {}},
    {"continuous all values", {0x24}, kSensors, 0x24, {}},
    {"values only on request", {0x25}, kAll, 0x25, {}},
    {"averages 7", {0x26, 7}, kSensors, 0x26, {7}},
    {"averages 250", {0x26, 250}, kSensors, 0x26, {250}},
    {"averages 0", {0x26, 0}, kNone, 0, {}},
    {"averages 251", {0x26, 251}, kNone, 0, {}},
    {"partial range 52 to 120", {0x27, 52, 0, 120, 0}, kSensors, 0x27, {52, 0, 120, 0}},
    {"partial range at once, 181 to 181", {0x27, 0xB5, 0x80, 0xB5, 0}, kSensors, 0x27, {0xB5, 0x80, 0xB5, 0}},
    {"partial range 0 to 401", {0x27, 0, 0, 0x91, 1}, kSensors, 0x27, {0, 0, 0x91, 1}},
    {"partial range to 402", {0x27, 1, 0, 0x92, 1}, kNone, 0, {}},
    {"partial range backwards", {0x27, 121, 0, 120, 0}, kNone, 0, {}},
    {"averaged range", {0x28, 100, 180, 0, 181, 0}, kType6, 0x28, {100, 180, 0, 181, 0}},
    {"averaged range, no averages", {0x28, 0, 180, 0, 181, 0}, kNone, 0, {}},
    {"averaged range backwards", {0x28, 5, 182, 0, 181, 0}, kNone, 0, {}},
    {"range with field values", {0x29, 1, 0, 0x91, 1}, kType6, 0x29, {1, 0, 0x91, 1}},
    {"range with field values, at once", {0x29, 10, 0x80, 20, 0}, kType6, 0x29, {10, 0x80, 20, 0}},
    {"range with field values to 500", {0x29, 1, 0, 0xF4, 1}, kNone, 0, {}},
    {"all values direct", {0x2A}, kType6, 0x2A, {}},
    {"remission, two ranges", {0x2B, 2, 0, 10, 0, 20, 0, 30, 0, 0x28, 1}, kType6, 0x2B,
     {2, 0, 10, 0, 20, 0, 30, 0, 0x28, 1}},
    {"remission, five ranges",
     {0x2B, 5, 0, 1, 0, 2, 0, 3, 0, 4, 0, 5, 0, 6, 0, 7, 0, 8, 0, 9, 0, 10, 0}, kType6, 0x2B,
     {5, 0, 1, 0, 2, 0, 3, 0, 4, 0, 5, 0, 6, 0, 7, 0, 8, 0, 9, 0, 10, 0}},
    {"remission, no range", {0x2B, 0, 0}, kNone, 0, {}},
    {"remission, six ranges", {0x2B, 6, 0, 1, 0, 2, 0, 3, 0, 4, 0, 5, 0, 6, 0, 7, 0, 8, 0, 9, 0, 10, 0, 11, 0, 12, 0},
     kNone, 0, {}},
    {"remission, second range backwards", {0x2B, 2, 0, 10, 0, 20, 0, 30, 0, 29, 0}, kNone, 0, {}},
    {"segments, 15 in 20 to 80", {0x2C, 15, 20, 0, 80, 0}, kSensors, 0x2C, {15, 20, 0, 80, 0}},
    {"segments, 201 in 1 to 401", {0x2C, 201, 1, 0, 0x91, 1}, kSensors, 0x2C, {201, 1, 0, 0x91, 1}},
    {"segments, none", {0x2C, 0, 20, 0, 80, 0}, kNone, 0, {}},
    {"segments, 202", {0x2C, 202, 1, 0, 0x91, 1}, kNone, 0, {}},
    {"segments, more than values", {0x2C, 5, 5, 0, 8, 0}, kNone, 0, {}},
    {"navigation data, reflectors, Cartesian", {0x2E, 2, 1}, kSensors, 0x2E, {2, 1}},
    {"navigation data, distances and reflectors, polar", {0x2E, 0, 0}, kSensors, 0x2E, {0, 0}},
    {"navigation data, content 3", {0x2E, 3, 0}, kNone, 0, {}},
    {"navigation data, coordinates 2", {0x2E, 0, 2}, kNone, 0, {}},
    {"test setup password", WithPassword(0x30, "einrichten"), kAll, kOnRequest, {}},
    {"test setup password with the superuser's", WithPassword(0x30, "superuser"), kNone, 0, {}},
    {"test setup password, empty", WithPassword(0x30, ""), kNone, 0, {}},
    {"test superuser password", WithPassword(0x31, "superuser"), kAll, kOnRequest, {}},
    {"test superuser password with the setup one", WithPassword(0x31, "einrichten"), kNone, 0, {}},
    {"test superuser password, empty", WithPassword(0x31, ""), kNone, 0, {}},
    {"test maintenance password", WithPassword(0x32, "instandhaltung"), kAll, kOnRequest, {}},
    {"test maintenance password with the superuser's", WithPassword(0x32, "superuser"), kNone, 0, {}},
    {"test maintenance password, empty", WithPassword(0x32, ""), kNone, 0, {}},
    {"38400 baud", {0x40}, kAll, kOnRequest, {}, 38400},
    {"19200 baud", {0x41}, kAll, kOnRequest, {}, 19200},
    {"9600 baud", {0x42}, kAll, kOnRequest, {}, 9600},
    {"4800 baud", {0x43}, kAll, kOnRequest, {}, 4800},
    {"500000 baud", {0x48}, kType6, kOnRequest, {}, 500000},
    {"mode byte 0x03", {0x03}, kNone, 0, {}},
    {"mode byte 0x11", {0x11}, kNone, 0, {}},
    {"mode byte 0x2D", {0x2D}, kNone, 0, {}},
    {"mode byte 0x2F", {0x2F}, kNone, 0, {}},
    {"mode byte 0x33", {0x33}, kNone, 0, {}},
    {"mode byte 0x44", {0x44}, kNone, 0, {}},
    {"mode byte 0x49", {0x49}, kNone, 0, {}},
    {"mode byte 0xFF", {0xFF}, kNone, 0, {}},
};

// Each case on a device just switched on: the answer, then the status
// answer's mode byte (17) and baud rate; the line keeps working throughout.
TEST(DeviceModes, EveryModeByteOnEveryKind) {
  for (const Kind &kind : kKinds) {
    OpenDriver driver(kind.config);
    for (const ModeCase &c : kModeCases) {
      SCOPED_TRACE(std::string(kind.name) + ", " + c.name);
      SimReset();
      const bool accepted = (c.kinds & kind.bit) != 0;
      const BYTE mode = accepted ? c.modeAfter : kOnRequest;
      const TelegramRecord answer = Exchange(driver.handle, kind.type, 0x20, c.data);
      EXPECT_EQ(ModeAnswer(answer), ExpectedAnswer(accepted, mode, accepted ? c.parameters : Bytes{}));
      EXPECT_EQ(answer[kvt::kRecKind], kind.kindBits);
      const TelegramRecord status = Exchange(driver.handle, kind.type, 0x31);
      ASSERT_EQ(status[kvt::kRecCode], 0xB1) << "the line keeps working";
      EXPECT_EQ(status[17], mode);
      const unsigned baud = accepted && c.baud ? c.baud : 9600;
      EXPECT_EQ(kvt::Word(status, kind.baudAt), baud / 100);
    }
  }
}

struct Step {
  const char *name;
  Bytes data;
  std::string answer;  // as ModeAnswer tells it
};

void RunSteps(DWORD handle, BYTE type, const std::vector<Step> &steps) {
  for (const Step &step : steps) {
    EXPECT_EQ(ModeAnswer(Exchange(handle, type, 0x20, step.data)), step.answer) << step.name;
  }
}

const Bytes kTwoRanges = {2, 0, 10, 0, 20, 0, 30, 0, 0x28, 1};

Bytes Mode(BYTE mode, const Bytes &parameters) {
  Bytes data{mode};
  data.insert(data.end(), parameters.begin(), parameters.end());
  return data;
}

// A refused request reports the mode and parameters still in force; the
// password modes remember where the reset returns to.
TEST(DeviceModes, ParametersKeptAndPasswordReset) {
  OpenDriver driver("device=kvtq1");
  RunSteps(driver.handle, 2, {
      {"remission ranges", Mode(0x2B, kTwoRanges), ExpectedAnswer(true, 0x2B, kTwoRanges)},
      {"unknown mode", {0x2D}, ExpectedAnswer(false, 0x2B, kTwoRanges)},
      {"reset with no password in force", {0x02}, ExpectedAnswer(false, 0x2B, kTwoRanges)},
      {"bad averages", {0x26, 0}, ExpectedAnswer(false, 0x2B, kTwoRanges)},
      {"setup mode", WithPassword(0x00, "einrichten"), ExpectedAnswer(true, 0x00, {})},
      {"superuser test in setup mode", WithPassword(0x31, "superuser"), ExpectedAnswer(true, 0x00, {})},
      {"calibration mode from setup mode", WithPassword(0x01, "instandhaltung"), ExpectedAnswer(true, 0x01, {})},
      {"setup mode, wrong password", WithPassword(0x00, "falsch"), ExpectedAnswer(false, 0x01, {})},
      {"reset returns to the mode before setup", {0x02}, ExpectedAnswer(true, 0x2B, kTwoRanges)},
      {"second reset", {0x02}, ExpectedAnswer(false, 0x2B, kTwoRanges)},
      {"baud rate keeps the mode", {0x41}, ExpectedAnswer(true, 0x2B, kTwoRanges)},
      {"averages", {0x26, 9}, ExpectedAnswer(true, 0x26, {9})},
      {"setup mode, superuser", WithPassword(0x00, "superuser"), ExpectedAnswer(true, 0x00, {})},
      {"leaving setup mode by a mode", {0x21}, ExpectedAnswer(true, 0x21, {})},
      {"reset after leaving", {0x02}, ExpectedAnswer(false, 0x21, {})},
      {"diagnosis", {0x10}, ExpectedAnswer(true, 0x10, {})},
  });
  EXPECT_EQ(Exchange(driver.handle, 2, 0x31)[17], 0x10);
  EXPECT_EQ(kvt::Word(Exchange(driver.handle, 2, 0x31), 126), 192) << "19200 baud";

  RunSteps(driver.handle, 2, {{"navigation", {0x2E, 1, 1}, ExpectedAnswer(true, 0x2E, {1, 1})}});
  ASSERT_EQ(Exchange(driver.handle, 2, 0x10)[kvt::kRecCode], 0x91);
  RunSteps(driver.handle, 2, {{"after the reset command", {0x2D}, ExpectedAnswer(false, 0x25, {})}});
  RunSteps(driver.handle, 2, {{"no password mode after the reset command", {0x02}, ExpectedAnswer(false, 0x25, {})}});
}

// A password mode entered, then the reset command: nothing to return to.
TEST(DeviceModes, ResetCommandEndsThePasswordMode) {
  OpenDriver driver("device=kvt");
  RunSteps(driver.handle, 0, {
      {"continuous", {0x20}, ExpectedAnswer(true, 0x20, {})},
      {"setup mode", WithPassword(0x00, "einrichten"), ExpectedAnswer(true, 0x00, {})},
  });
  Exchange(driver.handle, 0, 0x10);
  RunSteps(driver.handle, 0, {{"password reset", {0x02}, ExpectedAnswer(false, 0x25, {})}});
}

// The baud rate after the reset command: back to 9600 unless the power-on
// setting keeps it.
TEST(DeviceModes, BaudRateAfterReset) {
  struct Case {
    const char *name;
    const char *config;
    BYTE type;
    std::size_t baudAt;
    Bytes powerOn;  // command 0x66 before, if any
    BYTE baudMode;
    unsigned before, after;
  };
  const Case cases[] = {
      {"KVT, 9600 at power on", "device=kvt", 0, 126, {}, 0x41, 192, 96},
      {"KVT, baud constant", "device=kvt", 0, 126, {1}, 0x40, 384, 384},
      {"PXD, baud constant", "device=pxd", 1, 28, {1}, 0x43, 48, 48},
      {"KVT 90, 500000 kept", "device=kvt90", 3, 126, {1}, 0x48, 5000, 5000},
      {"KVT-Q1, 500000 not kept", "device=kvtq1", 2, 126, {}, 0x48, 5000, 96},
  };
  for (const Case &c : cases) {
    OpenDriver driver(c.config);
    if (!c.powerOn.empty()) {
      ASSERT_EQ(Exchange(driver.handle, c.type, 0x66, c.powerOn)[9], 1) << c.name;
    }
    EXPECT_EQ(Exchange(driver.handle, c.type, 0x20, {c.baudMode})[9], 0) << c.name;
    EXPECT_EQ(kvt::Word(Exchange(driver.handle, c.type, 0x31), c.baudAt), c.before) << c.name;
    EXPECT_EQ(Exchange(driver.handle, c.type, 0x10)[kvt::kRecCode], 0x91) << c.name;
    EXPECT_EQ(kvt::Word(Exchange(driver.handle, c.type, 0x31), c.baudAt), c.after) << c.name;
  }
}

// Passwords set through SimConfigure (or KVTIDRV_SIM): the tests and the
// password modes check them, case and all.
TEST(DeviceModes, PasswordsFromTheConfiguration) {
  struct Case {
    std::string config;
    Bytes data;
    bool accepted;
  };
  const std::string umlauts = "S\xFC\xDF";  // "Süß" in CP1252
  const std::vector<Case> cases = {
      {"pw.setup=Geheim;pw.super=Chef;pw.service=Wartung1", WithPassword(0x30, "Geheim"), true},
      {"pw.setup=Geheim;pw.super=Chef;pw.service=Wartung1", WithPassword(0x30, "einrichten"), false},
      {"pw.setup=Geheim;pw.super=Chef;pw.service=Wartung1", WithPassword(0x30, "geheim"), false},
      {"pw.setup=Geheim;pw.super=Chef;pw.service=Wartung1", WithPassword(0x31, "Chef"), true},
      {"pw.setup=Geheim;pw.super=Chef;pw.service=Wartung1", WithPassword(0x31, "superuser"), false},
      {"pw.setup=Geheim;pw.super=Chef;pw.service=Wartung1", WithPassword(0x32, "Wartung1"), true},
      {"pw.setup=Geheim;pw.super=Chef;pw.service=Wartung1", WithPassword(0x32, "instandhaltung"), false},
      {"pw.setup=Geheim;pw.super=Chef;pw.service=Wartung1", WithPassword(0x00, "Geheim"), true},
      {"pw.setup=Geheim;pw.super=Chef;pw.service=Wartung1", WithPassword(0x00, "Chef"), true},
      {"pw.setup=Geheim;pw.super=Chef;pw.service=Wartung1", WithPassword(0x00, "Wartung1"), false},
      {"pw.setup=Geheim;pw.super=Chef;pw.service=Wartung1", WithPassword(0x01, "Wartung1"), true},
      {"pw.setup=Geheim;pw.super=Chef;pw.service=Wartung1", WithPassword(0x01, "Chef"), true},
      {"pw.setup=Geheim;pw.super=Chef;pw.service=Wartung1", WithPassword(0x01, "Geheim"), false},
      {"pw.super=Chef", WithPassword(0x30, "einrichten"), true},
      {"pw.super=Chef", WithPassword(0x32, "instandhaltung"), true},
      {"pw.setup=" + umlauts, WithPassword(0x30, umlauts), true},
      {"pw.setup=zwei Worte", WithPassword(0x30, "zwei Worte"), true},
      {"PW.Setup =  x ", WithPassword(0x30, "x"), true},
      {"pw.service=1234567890123456", WithPassword(0x32, "1234567890123456"), true},
      {"pw.service=1234567890123456", WithPassword(0x32, "123456789012345"), false},
      {"pw.setup=a=b", WithPassword(0x30, "a=b"), true},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(Escaped(c.config) + ", " + Escaped(std::string(c.data.begin(), c.data.end())));
    OpenDriver driver("");
    ASSERT_TRUE(SimConfigure(c.config.c_str()));
    EXPECT_EQ(Exchange(driver.handle, 0, 0x20, c.data)[9], c.accepted ? 0 : 1);
  }
}

TEST(DeviceModes, PasswordsInTheConfigurationText) {
  const std::vector<std::pair<std::string, std::string>> good = {
      {"pw.super=Chef", "device=kvt;address=0;variant=0;pw.super=Chef;setup=no"},
      {"pw.setup=einrichten;pw.super=superuser;pw.service=instandhaltung", "device=kvt;address=0;variant=0;setup=no"},
      {"device=pxd;pw.service=W;pw.setup=E;log=C:\\t.log;setup=ask",
       "device=pxd;address=0;variant=0;log=C:\\t.log;pw.setup=E;pw.service=W;setup=ask"},
      {"pw.setup=S\xFC\xDF", "device=kvt;address=0;variant=0;pw.setup=S\xFC\xDF;setup=no"},
  };
  for (const auto &[text, expected] : good) {
    EXPECT_TRUE(SimConfigure(text.c_str())) << Escaped(text);
    EXPECT_EQ(Escaped(ConfigText()), Escaped(expected));
  }
  const char *before = "device=kvt;address=0;variant=0;pw.super=Chef;setup=no";
  const std::vector<std::string> bad = {
      "pw.setup=", "pw.setup=12345678901234567", "pw.super=a\x01" "b", "pw.service=\x7F", "pw.other=x", "pw=abc",
      "pw.setup", "pw.setup=a\tb",
  };
  for (const std::string &text : bad) {
    ASSERT_TRUE(SimConfigure(before));
    EXPECT_FALSE(SimConfigure(text.c_str())) << Escaped(text);
    EXPECT_EQ(ConfigText(), before) << Escaped(text);
  }
  SimConfigure("");
}

TEST(DeviceModes, PasswordsFromTheEnvironmentAtLoad) {
  SetEnvironmentVariableA("KVTIDRV_SIM", "device=kvt90;pw.service=Nachtschicht");
  const DWORD handle = LoadSensor(0);
  ASSERT_NE(handle, 0u);
  ASSERT_TRUE(OpenSensor(handle));
  EXPECT_EQ(Exchange(handle, 3, 0x20, WithPassword(0x32, "Nachtschicht"))[9], 0);
  EXPECT_EQ(Exchange(handle, 3, 0x20, WithPassword(0x32, "instandhaltung"))[9], 1);
  Unload(handle);
  SetEnvironmentVariableA("KVTIDRV_SIM", "pw.setup=");
  EXPECT_EQ(LoadSensor(0), 0u) << "an empty password makes the variable bad";
  SetEnvironmentVariableA("KVTIDRV_SIM", nullptr);
  SimConfigure("");
}

// A password text that runs to the record's end without its zero is read
// up to there, and so is longer than any password.
TEST(DeviceModes, PasswordWithoutItsZero) {
  OpenDriver driver("pw.setup=pppppppppppppppp");
  TelegramRecord request = Request(0, 0, 0x20, {0x30});
  std::fill(request.begin() + 10, request.end(), BYTE{'p'});
  TelegramRecord answer{};
  ASSERT_TRUE(TelegramSensor(driver.handle, request.data(), answer.data()));
  EXPECT_EQ(answer[9], 1);
  EXPECT_EQ(Exchange(driver.handle, 0, 0x20, WithPassword(0x30, "pppppppppppppppp"))[9], 0);
}

// The refused fault answers with the mode in force and changes nothing,
// the mode to return to included.
TEST(DeviceModes, RefusedFaultChangesNothing) {
  OpenDriver driver("device=kvt;fail=refused@2,refused@4");
  RunSteps(driver.handle, 0, {
      {"continuous", {0x22}, ExpectedAnswer(true, 0x22, {})},
      {"setup mode refused by the fault", WithPassword(0x00, "einrichten"), ExpectedAnswer(false, 0x22, {})},
      {"setup mode", WithPassword(0x00, "einrichten"), ExpectedAnswer(true, 0x00, {})},
      {"reset refused by the fault", {0x02}, ExpectedAnswer(false, 0x00, {})},
      {"reset", {0x02}, ExpectedAnswer(true, 0x22, {})},
  });
}

// Random mode requests: the answer stays within its count, reports the
// mode that the status answer then shows, and never more parameters than
// the longest mode has.
TEST(DeviceModes, FuzzedRequests) {
  for (const Kind &kind : kKinds) {
    OpenDriver driver(kind.config);
    unsigned seed = 12345 + kind.type;
    auto next = [&seed] {
      seed = seed * 1103515245u + 12345u;
      return static_cast<BYTE>(seed >> 16);
    };
    for (int i = 0; i < 400; ++i) {
      Bytes data(1 + next() % 30);
      for (BYTE &b : data) b = next();
      if (i % 3 == 0) data[0] = static_cast<BYTE>(0x20 + next() % 16);  // mostly real output modes
      const TelegramRecord answer = Exchange(driver.handle, kind.type, 0x20, data);
      ASSERT_EQ(answer[kvt::kRecCode], 0xA0) << kind.name << " " << Hex(data);
      const unsigned count = kvt::Word(answer, kvt::kRecCount);
      ASSERT_GE(count, 3u);
      ASSERT_LE(count, 3u + 22u);
      EXPECT_LE(answer[9], 1);
      for (std::size_t at = kvt::kRecCode + count + 1; at < answer.size(); ++at) ASSERT_EQ(answer[at], 0) << at;
      EXPECT_EQ(Exchange(driver.handle, kind.type, 0x31)[17], answer[10]) << kind.name << " " << Hex(data);
    }
  }
}

}  // namespace
}  // namespace drvtest
