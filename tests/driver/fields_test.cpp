// The stored fields of the simulated devices: the definitions a device
// refuses, the field set 0, and the field flags that follow the fields of
// the set in force.
#include <gtest/gtest.h>

#include "support/records.h"

namespace kvt::test {
namespace {

// Data of a definition 0x40 from record byte 9: set, code, scan angle,
// single shot, shape, then the words from byte 22.
Bytes Definition(BYTE set, BYTE code, WORD angle, WORD shot, BYTE shape, std::vector<WORD> words) {
  Bytes data{set, code, static_cast<BYTE>(angle), static_cast<BYTE>(angle >> 8), static_cast<BYTE>(shot),
                static_cast<BYTE>(shot >> 8), shape, 0, 0, 0, 0, 0, 0};
  for (WORD w : words) data.insert(data.end(), {static_cast<BYTE>(w), static_cast<BYTE>(w >> 8)});
  return data;
}

TEST(Fields, ADefinitionOutsideWhatTheDeviceKnowsIsRefusedAndChangesNothing) {
  const std::vector<WORD> rectangle{30, 40, 50};
  struct Case {
    const char *name;
    const char *config;
    BYTE type;
    BYTE command;
    Bytes data;
  };
  Bytes dynamic{1, 0, 180, 0, 50, 0, 0, 0, 0, 0, 0, 0, 15, 0, 20, 0, 25, 0, 0, 0};
  const Case cases[] = {
      {"field set 5", "", 0, 0x40, Definition(5, 0, 180, 50, 0, rectangle)},
      {"unit 3", "", 0, 0x40, Definition(1, 0xC0, 180, 50, 0, rectangle)},
      {"scan angle 90", "", 0, 0x40, Definition(1, 0, 90, 50, 0, rectangle)},
      {"shape 3", "", 0, 0x40, Definition(1, 0, 180, 50, 3, rectangle)},
      {"no segments", "", 0, 0x40, Definition(1, 0, 180, 50, 2, {0, 10})},
      {"401 segments", "", 0, 0x40, Definition(1, 0, 180, 50, 2, {401, 10})},
      {"no valid table entries", "device=pxd", 1, 0x48, dynamic},
  };
  for (const Case &c : cases) {
    OpenDriver driver(c.config);
    const TelegramRecord before = driver.Exchange(c.type, 0x45, {1, 0});
    const TelegramRecord answer = driver.Exchange(c.type, c.command, c.data);
    EXPECT_EQ(answer[kRecCode], c.command + 0x80) << c.name;
    EXPECT_EQ(answer[9], 0) << c.name;
    EXPECT_EQ(driver.Exchange(c.type, 0x45, {1, 0}), before) << c.name;
  }
}

TEST(Fields, FieldSet0IsTheSetInForce) {
  OpenDriver driver("");
  driver.Exchange(0, 0x41, {3});
  EXPECT_EQ(driver.Exchange(0, 0x40, Definition(0, 1, 100, 25, 1, {77}))[9], 1);
  const TelegramRecord answer = driver.Exchange(0, 0x45, {3, 1});
  EXPECT_EQ(Hex(std::span(answer).subspan(19, 7)), Hex(Bytes{0x01, 100, 0, 25, 0, 77, 0}));
}

TEST(Fields, TheFieldsOfTheSetInForceRaiseTheFlags) {
  OpenDriver driver("");
  const auto flagged = [&](WORD flag) {
    const TelegramRecord scan = driver.Exchange(0, 0x30, {0, 1});
    int count = 0;
    for (std::size_t i = 0; i < (Word(scan, 10) & 0x3FF); ++i) count += (Word(scan, 12 + 2 * i) & flag) != 0;
    return count;
  };
  EXPECT_GT(flagged(0x8000), 0) << "the object's front edge enters field A";
  // Field A of set 2: four segments reaching 10 cm.
  EXPECT_EQ(driver.Exchange(0, 0x40, Definition(2, 0, 180, 50, 2, {4, 10, 10, 10, 10, 10}))[9], 1);
  EXPECT_GT(flagged(0x8000), 0) << "set 1 is still in force";
  driver.Exchange(0, 0x41, {2});
  EXPECT_EQ(flagged(0x8000), 0);
  EXPECT_GT(flagged(0x4000), 0) << "field B of set 2 as at switch-on";
}

// Learnt in the setup mode: field B of set 2 in mm, 100° at 0.25°, 401 values.
TEST(Fields, ALearntFieldIsStoredTaughtIn) {
  const OpenDriver driver("");
  driver.Exchange(0, 0x20, {0x00, 'e', 'i', 'n', 'r', 'i', 'c', 'h', 't', 'e', 'n', 0});
  Bytes learn(17, 0);  // from byte 9: field number, 19 code, 20 angle, 22 single shot, 25 step
  learn[0] = 2, learn[10] = 0x41, learn[11] = 100, learn[13] = 25;
  driver.Exchange(0, 0x46, learn);
  learn[16] = 1;
  EXPECT_EQ(driver.Exchange(0, 0x46, learn)[9], 1);
  const TelegramRecord field = driver.Exchange(0, 0x45, {2, 1});
  EXPECT_EQ(Hex(std::span(field).subspan(19, 5)), Hex(Bytes{0x43, 100, 0, 25, 0}));
  EXPECT_EQ(Word(field, kRecCount), 24 + 2 * 401 - kRecCode);
}

}  // namespace
}  // namespace kvt::test
