// The simulated devices as the library relies on them: who answers which
// type byte and address, each command's answer code and key bytes, state
// that sticks, and the operating modes with their passwords. What the
// library sends them is checked against them in its own tests.
#include <gtest/gtest.h>

#include "support/records.h"
#include "support/texts.h"

namespace kvt::test {
namespace {

using Placed = std::vector<std::pair<std::size_t, BYTE>>;

std::string Mismatches(const TelegramRecord &answer, const Placed &expected) {
  std::string out;
  for (const auto &[at, value] : expected) {
    if (answer[at] != value) out += " byte " + std::to_string(at) + ": " + Hex(std::span(&answer[at], 1)) + ";";
  }
  return out;
}

// Probed with the error-memory command, as the library's detection does.
TEST(Devices, WhoAnswers) {
  const struct {
    const char *config;
    std::array<bool, 5> answersType;  // type bytes 0..4
    BYTE kindBits;
  } cases[] = {
      {"device=kvt", {true, false, false, false, false}, 0x00},
      {"device=pxd", {false, true, false, false, false}, 0x08},
      {"device=kvtq1", {true, false, true, true, false}, 0x10},
      {"device=kvt90", {true, false, true, true, false}, 0x18},
  };
  for (const auto &c : cases) {
    const OpenDriver driver(c.config);
    for (BYTE type = 0; type < 5; ++type) {
      const TelegramRecord answer = driver.Exchange(type, 0x32);
      const bool answered = answer[kRecCode] == 0xB2;
      EXPECT_EQ(answered, c.answersType[type]) << c.config << ", type byte " << int(type);
      if (answered) { EXPECT_EQ(answer[kRecKind], c.kindBits) << c.config; }
      else { EXPECT_EQ(Escaped(ErrorText(driver.handle)), Escaped(text::kNoAnswerAtAddress0)) << c.config; }
    }
  }
  const OpenDriver driver("device=kvt;address=3");
  for (const auto &[address, answers] : {std::pair<BYTE, bool>{0, true}, {3, true}, {4, false}}) {
    TelegramRecord request = Request(0, address, 0x31), answer{};
    EXPECT_EQ(TelegramSensor(driver.handle, request.data(), answer.data()) != FALSE, answers) << int(address);
    if (answers) { EXPECT_EQ(answer[kRecAddress], 3) << "the answer names the device's address"; }
  }
}

TEST(Devices, CommandRows) {
  const struct {
    const char *name;
    const char *config;
    BYTE type, command;
    Bytes data;
    BYTE code;
    int count;  // answer count in bytes 2-3; -1: not checked
    Placed bytes;
  } cases[] = {
      {"reset", "", 0, 0x10, {}, 0x91, 1, {}},
      {"status KVT", "address=7", 0, 0x31, {}, 0xB1, 126,
       {{9, 'V'}, {10, '0'}, {11, '2'}, {17, 0x25}, {19, 'S'}, {128, 0}, {133, 7}}},
      {"status PXD", "device=pxd", 1, 0x31, {}, 0xB1, 44, {{7, 0x08}, {17, 0x25}, {36, 1}, {38, 1}}},
      {"status KVT-Q1", "device=kvtq1;variant=4", 2, 0x31, {}, 0xB1, 156,
       {{7, 0x10}, {112, 4}, {121, 0x03}, {128, 1}, {134, 'Q'}, {162, 25}}},
      {"error memory KVT", "", 0, 0x32, {}, 0xB2, 5, {{9, 2}, {10, 1}, {11, 12}, {12, 2}, {13, 7}}},
      {"system test PXD", "device=pxd", 1, 0x33, {0x11}, 0xB2, 5, {{12, 2}, {13, 17}}},
      {"system test unknown to a KVT-Q1", "device=kvtq1", 2, 0x33, {0x11}, 0x15, 2, {{9, 0x33}}},
      {"sensor type KVT", "", 0, 0x3A, {}, 0xBA, -1, {{9, 'K'}, {17, 'V'}, {25, 'K'}}},
      {"configuration KVT 90", "device=kvt90;variant=9", 3, 0x74, {}, 0xF4, 34, {{7, 0x18}, {14, 9}}},
      {"configuration unknown to a KVT", "", 0, 0x74, {}, 0x15, 2, {{9, 0x74}}},
      {"reference values KVT-Q1", "device=kvtq1", 2, 0x3C, {0x30}, 0xBC, 52, {{9, 0xB0}, {10, 6}, {18, 40}}},
      {"reference values unknown to a PXD", "device=pxd", 1, 0x3C, {0}, 0x15, 2, {{9, 0x3C}}},
      {"correction table", "", 0, 0x3D, {}, 0xBD, 99, {{9, 12}, {11, 200}}},
      {"field set 7 kept at 1", "", 0, 0x41, {7}, 0xC1, 2, {{9, 1}}},
      {"stop threshold 100 mV", "", 0, 0x51, {100, 0}, 0xD1, 3, {{9, 1}, {10, 100}}},
      {"stop threshold 300 mV refused", "", 0, 0x51, {0x2C, 0x01}, 0xD1, 3, {{9, 0}, {10, 44}}},
      {"start-up test 5 refused", "", 0, 0x60, {5}, 0xE0, 3, {{9, 0}, {10, 1}}},
      {"8 evaluations", "", 0, 0x63, {8}, 0xE4, 3, {{9, 1}, {10, 8}}},
      {"17 evaluations refused", "", 0, 0x63, {17}, 0xE4, 3, {{9, 0}, {10, 2}}},
      {"fields non-volatile", "", 0, 0x65, {1}, 0xE5, 3, {{9, 1}, {10, 1}}},
      {"variant kept refused by a KVT", "", 0, 0x66, {2}, 0xE6, 3, {{9, 0}, {10, 0}}},
      {"variant kept by a KVT-Q1", "device=kvtq1", 2, 0x66, {2}, 0xE6, 3, {{9, 1}, {10, 2}}},
      {"new address 200 refused", "address=3", 0, 0x67, {200}, 0xE7, 3, {{9, 0}, {10, 3}}},
      {"laser off", "", 0, 0x68, {0}, 0xE8, 3, {{9, 1}, {10, 0}}},
      {"laser unknown to a PXD", "device=pxd", 1, 0x68, {0}, 0x15, 2, {{9, 0x68}}},
      {"XY unknown to a KVT", "", 0, 0x76, {1, 0, 1, 0}, 0x15, 2, {{9, 0x76}}},
      {"unknown command", "", 0, 0x7F, {}, 0x15, 2, {{9, 0x7F}}},
  };
  for (const auto &c : cases) {
    const OpenDriver driver(c.config);
    const TelegramRecord answer = driver.Exchange(c.type, c.command, c.data);
    EXPECT_EQ(answer[kRecCode], c.code) << c.name;
    if (c.count >= 0) { EXPECT_EQ(Word(answer, kRecCount), c.count) << c.name; }
    EXPECT_EQ(Mismatches(answer, c.bytes), "") << c.name;
    const std::size_t end = std::min<std::size_t>(kRecCode + Word(answer, kRecCount) + 1, kRecordSize);
    EXPECT_EQ(std::count(answer.begin() + end, answer.end(), 0), static_cast<long>(kRecordSize - end))
        << c.name << ": bytes behind the counted answer stay zero";
  }
}

TEST(Devices, StateSticksUntilResetOrANewRun) {
  const OpenDriver driver("device=kvt;address=3");
  auto status = [&](BYTE address) {
    TelegramRecord request = Request(0, address, 0x31), answer{};
    TelegramSensor(driver.handle, request.data(), answer.data());
    return answer;
  };
  driver.Exchange(0, 0x68, {0});
  driver.Exchange(0, 0x20, {0x22});
  driver.Exchange(0, 0x41, {4});
  driver.Exchange(0, 0x63, {9});
  driver.Exchange(0, 0x33, {0x11});
  driver.Exchange(0, 0x33, {0x11});
  EXPECT_EQ(Word(driver.Exchange(0, 0x32), kRecCount), 7) << "the system test adds its finding once";
  EXPECT_EQ(Mismatches(status(3), {{69, 0}, {17, 0x22}, {128, 3}, {45, 9}}), "") << "laser, mode, field set, evaluations";
  EXPECT_EQ(driver.Exchange(0, 0x67, {5})[kRecAddress], 3) << "the answer still comes from the old address";
  EXPECT_EQ(status(3)[kRecCode], 0) << "old address silent";
  EXPECT_EQ(status(5)[kRecAddress], 5) << "new address answers";
  // Reset: mode, laser and the volatile field set back; the address kept.
  EXPECT_EQ(driver.Exchange(0, 0x10)[kRecCode], 0x91);
  EXPECT_EQ(Mismatches(status(5), {{17, 0x25}, {69, 1}, {128, 0}, {133, 5}}), "");
  // The non-volatile field set survives it; SimReset brings back the device as switched on.
  driver.Exchange(0, 0x65, {1});
  driver.Exchange(0, 0x41, {2});
  driver.Exchange(0, 0x10);
  EXPECT_EQ(status(5)[128], 1);
  SimReset();
  EXPECT_EQ(Mismatches(status(3), {{128, 0}, {133, 3}}), "");
}

TEST(Devices, DownloadNeedsItsStart) {
  const OpenDriver driver("");
  auto record = [](BYTE command, const Bytes &data, unsigned length) {
    TelegramRecord r = Request(0, 0, command, data);
    PutWord(r, kRecLength, length);
    PutWord(r, kRecLength2, length);
    return r;
  };
  TelegramRecord data = record(0x0C, {0, 0x00, 0x20, 0, 0, 1, 2, 3}, 9), end = record(0x0C, {1, 0, 0, 0, 0}, 2),
                 badStart = record(0x0B, {0x5E, 0x27, 0x6B, 0x18}, 5), start = record(0x0B, {0x5E, 0x27, 0x6B, 0x19}, 5);
  EXPECT_FALSE(TelegramDownload(driver.handle, data.data()));
  EXPECT_EQ(Escaped(ErrorText(driver.handle)), Escaped(text::kDownloadWithoutStart));
  EXPECT_FALSE(TelegramDownload(driver.handle, badStart.data()));
  EXPECT_TRUE(TelegramDownload(driver.handle, start.data()));
  EXPECT_TRUE(TelegramDownload(driver.handle, data.data()));
  EXPECT_TRUE(TelegramDownload(driver.handle, end.data()));
  EXPECT_FALSE(TelegramDownload(driver.handle, data.data())) << "the end record closes the download";
  EXPECT_EQ(SimRequestCount(), 6u) << "download records are requests too";
}

Bytes WithPassword(BYTE mode, const std::string &password) {
  Bytes data{mode};
  data.insert(data.end(), password.begin(), password.end());
  data.push_back(0);
  return data;
}

// What a 0xA0 answer says: status and mode in force (bytes 9, 10), then the parameters.
std::string ModeAnswer(const TelegramRecord &answer) {
  return Hex(std::span(answer).subspan(8, std::min<std::size_t>(Word(answer, kRecCount), 30)));
}

// A refused request reports the mode and parameters still in force; the
// password modes remember where the reset returns to; the refused fault
// changes nothing; the baud rate returns to 9600 at a reset unless kept.
TEST(Devices, ModeStateAndPasswordReset) {
  const Bytes twoRanges = {0x2B, 2, 0, 10, 0, 20, 0, 30, 0, 0x28, 1};
  const OpenDriver driver("device=kvtq1;fail=refused@9");
  const struct {
    const char *name;
    Bytes data;
    const char *answer;  // code, status, mode, parameters
  } steps[] = {
      {"remission ranges", twoRanges, "A0 00 2B 02 00 0A 00 14 00 1E 00 28 01"},
      {"unknown mode", {0x2D}, "A0 01 2B 02 00 0A 00 14 00 1E 00 28 01"},
      {"reset with no password in force", {0x02}, "A0 01 2B 02 00 0A 00 14 00 1E 00 28 01"},
      {"setup mode", WithPassword(0x00, "einrichten"), "A0 00 00"},
      {"superuser test in setup mode", WithPassword(0x31, "superuser"), "A0 00 00"},
      {"calibration mode from setup mode", WithPassword(0x01, "instandhaltung"), "A0 00 01"},
      {"setup mode, wrong password", WithPassword(0x00, "falsch"), "A0 01 01"},
      {"reset returns to the mode before setup", {0x02}, "A0 00 2B 02 00 0A 00 14 00 1E 00 28 01"},
      {"refused by the fault", {0x21}, "A0 01 2B 02 00 0A 00 14 00 1E 00 28 01"},
      {"baud rate keeps the mode", {0x41}, "A0 00 2B 02 00 0A 00 14 00 1E 00 28 01"},
      {"setup mode, superuser", WithPassword(0x00, "superuser"), "A0 00 00"},
      {"leaving setup mode by a mode", {0x21}, "A0 00 21"},
      {"nothing to return to", {0x02}, "A0 01 21"},
  };
  for (const auto &step : steps) EXPECT_EQ(ModeAnswer(driver.Exchange(2, 0x20, step.data)), step.answer) << step.name;
  EXPECT_EQ(Word(driver.Exchange(2, 0x31), 126), 192) << "19200 baud";
  driver.Exchange(2, 0x20, WithPassword(0x00, "einrichten"));
  driver.Exchange(2, 0x10);
  EXPECT_EQ(ModeAnswer(driver.Exchange(2, 0x20, {0x02})), "A0 01 25") << "the reset command ends the password mode";
  EXPECT_EQ(Word(driver.Exchange(2, 0x31), 126), 96) << "9600 baud after the reset";
}

TEST(Devices, BaudRateKeptAtPowerOn) {
  const OpenDriver kept("device=pxd");
  kept.Exchange(1, 0x66, {1});
  kept.Exchange(1, 0x20, {0x43});
  kept.Exchange(1, 0x10);
  EXPECT_EQ(Word(kept.Exchange(1, 0x31), 28), 48) << "4800 baud kept at power on";
}

}  // namespace
}  // namespace kvt::test
