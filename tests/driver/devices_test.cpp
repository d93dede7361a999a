// The simulated devices as the library relies on them: who answers which
// type byte and address, and each command's answer code and key bytes.
// Their operating modes and the download are checked against what the
// library sends them in its own tests.
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
      {"status PXD", "device=pxd", 1, 0x31, {}, 0xB1, 44, {{7, 0x08}, {17, 0x25}, {36, 1}, {38, 1}}},
      {"status KVT-Q1", "device=kvtq1;variant=4", 2, 0x31, {}, 0xB1, 156,
       {{7, 0x10}, {112, 4}, {121, 0x03}, {128, 1}, {134, 'Q'}, {162, 25}}},
      {"system test PXD", "device=pxd", 1, 0x33, {0x11}, 0xB2, 5, {{12, 2}, {13, 17}}},
      {"system test unknown to a KVT-Q1", "device=kvtq1", 2, 0x33, {0x11}, 0x15, 2, {{9, 0x33}}},
      {"configuration KVT 90", "device=kvt90;variant=9", 3, 0x74, {}, 0xF4, 34, {{7, 0x18}, {14, 9}}},
      {"configuration unknown to a KVT", "", 0, 0x74, {}, 0x15, 2, {{9, 0x74}}},
      {"reference values KVT-Q1", "device=kvtq1", 2, 0x3C, {0x30}, 0xBC, 52, {{9, 0xB0}, {10, 6}, {18, 40}}},
      {"reference values unknown to a PXD", "device=pxd", 1, 0x3C, {0}, 0x15, 2, {{9, 0x3C}}},
      {"correction table", "", 0, 0x3D, {}, 0xBD, 99, {{9, 12}, {11, 200}}},
      {"rectangle B defined in field set 1", "", 0, 0x40, {1, 1, 180, 0, 50, 0, 0, 0, 0, 0, 0, 0, 0, 30, 0, 40, 0, 50, 0},
       0xC0, 24, {{9, 1}, {10, 1}, {20, 1}, {22, 180}, {24, 50}, {26, 30}, {28, 40}, {30, 50}}},
      {"field set 7 kept at 1", "", 0, 0x41, {7}, 0xC1, 2, {{9, 1}}},
      {"stored field E, radial", "", 0, 0x45, {1, 4}, 0xC5, 18, {{9, 1}, {19, 0x01}, {20, 180}, {22, 50}, {24, 200}}},
      {"stored field F, taught to the back wall", "", 0, 0x45, {1, 5}, 0xC5, 738, {{19, 0x03}, {384, 0xC2}, {385, 1}}},
      {"stored field A of a KVT-Q1 in mm", "device=kvtq1", 2, 0x45, {1, 0}, 0xC5, 22,
       {{19, 0x40}, {20, 100}, {22, 25}, {24, 0xE8}, {25, 0x03}, {28, 0xDC}, {29, 0x05}}},
      {"stored field D of a KVT 90, segmented", "device=kvt90", 3, 0x45, {1, 3}, 0xC5, 36,
       {{19, 0x02}, {20, 90}, {24, 8}, {26, 0x78}, {27, 0x80}}},
      {"dynamic rectangle on a PXD", "device=pxd", 1, 0x48, {1, 0x40, 100, 0, 25, 0, 0, 0, 0, 0, 0, 0, 15, 0, 20, 0, 25, 0, 5, 0},
       0xC8, 20, {{9, 1}, {10, 1}, {22, 15}, {24, 20}, {26, 25}}},
      {"dynamic segmented field unknown to a KVT", "", 0, 0x4B, {1}, 0x15, 2, {{9, 0x4B}}},
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
      {"unit configuration", "device=pxd", 1, 0x38, {}, 0xB8, 104, {{9, 2}, {10, 'K'}, {46, 180}, {111, 5}}},
      {"evaluation case 2", "device=pxd", 1, 0x39, {2}, 0xB9, 44, {{9, 2}, {10, 'A'}, {21, 2}, {29, 2}}},
      {"evaluation case 3 beyond the cases configured", "device=pxd", 1, 0x72, {3}, 0xF2, 2, {{9, 0}}},
      {"unit configuration without sensors refused", "device=pxd", 1, 0x70, {0}, 0xF0, 2, {{9, 0}}},
      {"dynamic field number 30", "device=pxd", 1, 0x4C, {30, 0}, 0xCC, 3, {{9, 1}, {10, 30}}},
      {"dynamic field number 31 refused", "device=pxd", 1, 0x4C, {31, 0}, 0xCC, 3, {{9, 0}, {10, 0}}},
      {"output 9 inactive", "device=pxd", 1, 0x4D, {9, 0}, 0xCD, 3, {{9, 1}, {10, 0}}},
      {"output 10 refused", "device=pxd", 1, 0x4D, {10, 1}, 0xCD, 3, {{9, 0}}},
      {"unknown command", "", 0, 0x7F, {}, 0x15, 2, {{9, 0x7F}}},
      {"variant 90 degrees refused", "device=kvtq1", 2, 0x3B, {90, 0, 50, 0}, 0xBB, 6, {{9, 0}, {10, 100}, {12, 25}}},
      {"configuration with variant 10 refused", "device=kvtq1;variant=3", 2, 0x77, Bytes(33, 10), 0xF7, 35,
       {{9, 0}, {15, 3}}},
      {"configuration 2: warning above error refused", "device=kvt90", 3, 0x7C, {0, 0, 0, 0, 0, 0, 0, 90, 80}, 0xFC,
       86, {{9, 0}, {17, 60}, {18, 80}}},
      {"distance correction read", "device=kvtq1", 2, 0x79, {0, 0}, 0xF9, 84, {{9, 1}, {10, 40}, {12, 12}}},
      {"check parameters: 402 words refused", "device=kvtq1", 2, 0x7A, {0x92, 0x01}, 0xFA, 42, {{9, 0}, {10, 19}}},
      {"positioning shot: a stop angle above 180 refused", "device=kvtq1", 2, 0x69, Words({100, 1, 90, 181}), 0xE9,
       18, {{9, 0}, {14, 90}, {16, 90}}},
      {"final-test set 0", "device=kvt90", 3, 0x52, {0, 0}, 0xD2, 15, {{11, 5}, {13, 4}}},
      {"outputs: the scene's object stands in every field", "device=kvtq1", 2, 0x4A, {}, 0xCA, 4,
       {{9, 0}, {10, 0}, {11, 0}}},
      {"configuration 2 unknown to a KVT", "", 0, 0x7B, {}, 0x15, 2, {{9, 0x7B}}},
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

// The status announces the scan the sensor delivers: as many values as its
// angle (0.1°) and step (0.01°) give, and a range (cm) that its value bits
// (0-12 in layout 0) can carry in the scan's unit (bits 14-15: cm, mm).
TEST(Devices, StatusAnnouncesTheScanDelivered) {
  for (const char *config : {"device=kvt", "device=kvtq1", "device=kvt90"}) {
    const OpenDriver driver(config);
    const TelegramRecord status = driver.Exchange(0, 0x31), scan = driver.Exchange(0, 0x30, {0, 1});
    const unsigned values = Word(scan, 10) & 0x3FF, unit = Word(scan, 10) >> 14;
    EXPECT_EQ(Word(status, 29) * 10u / Word(status, 31) + 1, values) << config;
    EXPECT_LE(Word(status, 33) * (unit == 1 ? 10u : 1u), 0x1FFFu) << config;
  }
}

// A type-6 sensor keeps what it was given until the driver is loaded anew.
TEST(Devices, TheType6ConfigurationLastsForTheRun) {
  const OpenDriver driver("device=kvtq1");
  EXPECT_EQ(driver.Exchange(2, 0x77, {0, 0, 0, 0, 0, 4})[kRecData], 1);
  EXPECT_EQ(driver.Exchange(2, 0x31)[112], 4) << "the status reports the variant defined";
  EXPECT_EQ(driver.Exchange(2, 0x7A, Words({2, 7, 8}))[kRecData], 1);
  EXPECT_EQ(Mismatches(driver.Exchange(2, 0x7A, {0, 0}), {{10, 2}, {12, 7}, {14, 8}}), "");
  EXPECT_EQ(driver.Exchange(2, 0x52, {3, 1, 2, 0, 0xFF, 0xFF, 9, 0})[11], 2);
  EXPECT_EQ(Mismatches(driver.Exchange(2, 0x52, {3, 0}), {{9, 3}, {11, 2}, {13, 0xFF}, {14, 0xFF}, {15, 9}}), "");
}

}  // namespace
}  // namespace kvt::test
