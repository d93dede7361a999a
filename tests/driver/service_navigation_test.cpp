// The simulated KVT's service and navigation commands in one run, each in
// its mode; the memory image, the reference-target ring, the power-on count.
#include <gtest/gtest.h>

#include "support/records.h"

namespace kvt::test {
namespace {

using Placed = std::vector<std::pair<std::size_t, BYTE>>;

struct Step {
  const char *name;
  BYTE command;
  Bytes data;
  Placed expected;
};

// Learn-mode request data from byte 9: field number, then step at byte 25.
Bytes Learn(BYTE step, BYTE field) {
  Bytes data(21, 0);
  data[0] = field;
  data[16] = step;
  return data;
}

TEST(ServiceAndNavigation, OneRunOfAKvt) {
  const OpenDriver driver("device=kvt");
  const Step steps[] = {
      {"learn mode outside the setup mode", 0x46, Learn(0, 1), {{9, 2}}},
      {"setup mode", 0x20, {0x00, 'e', 'i', 'n', 'r', 'i', 'c', 'h', 't', 'e', 'n', 0}, {{9, 0}}},
      {"learn field 5 refused", 0x46, Learn(0, 5), {{9, 0}}},
      {"learn begin", 0x46, Learn(0, 2), {{9, 3}, {11, 2}}},
      {"learn begin while learning", 0x46, Learn(0, 2), {{9, 2}}},
      {"learn end", 0x46, Learn(1, 2), {{9, 1}, {11, 0}}},
      {"learn end once more", 0x46, Learn(1, 2), {{9, 2}}},
      {"learn begin again", 0x46, Learn(0, 3), {{9, 3}}},
      {"learn abort", 0x46, Learn(2, 3), {{9, 0}}},
      {"contamination outside the calibration mode", 0x50, {1}, {{9, 2}}},
      {"calibration mode", 0x20, {0x01, 'i', 'n', 's', 't', 'a', 'n', 'd', 'h', 'a', 'l', 't', 'u', 'n', 'g', 0}, {{9, 0}}},
      {"contamination: the dust reference rises", 0x50, {1}, {{9, 1}, {11, 0x0E}, {12, 0x09}}},
      {"manufacturing code: only the interface unit's", 0x50, {3, '1', '2', '3', '4', '5', '6', '7', '8', 0}, {{9, 0}}},
      {"final-test calibration 4", 0x50, {4}, {{9, 1}, {11, 4}}},
      {"definition outside the navigation mode", 0x7E, {2, 1, 0xB8, 0x0B}, {{9, 3}, {13, 0x04}}},
      {"navigation data outside the navigation mode", 0x7E, {4, 0, 0}, {{9, 2}}},
      {"reading outside the navigation mode", 0x7E, {2, 0}, {{9, 0}, {11, 0}, {12, 0xB0}, {13, 0x04}}},
      {"navigation mode", 0x20, {0x2E, 0, 0}, {{9, 0}}},
      {"reflector 5001 mV", 0x7E, {2, 1, 0x89, 0x13}, {{9, 1}, {12, 0xB0}, {13, 0x04}}},
      {"reflector 3000 mV", 0x7E, {2, 1, 0xB8, 0x0B}, {{9, 0}, {11, 1}, {12, 0xB8}, {13, 0x0B}}},
      {"reflector read back", 0x7E, {2, 0}, {{9, 0}, {11, 0}, {12, 0xB8}, {13, 0x0B}}},
      {"ray set 2 descending", 0x7E, {1, 1, 2, 100, 0, 2, 0, 50, 0, 40, 0}, {{9, 1}, {15, 3}}},
      {"ray set 2", 0x7E, {1, 1, 2, 100, 0, 2, 0, 40, 0, 50, 0}, {{9, 0}, {15, 2}, {17, 40}, {19, 50}}},
      {"case on ray set 2, field 5", 0x7E, {3, 1, 2, 1, 5}, {{9, 1}, {12, 0}}},
      {"case on ray set 2, fields 1 and 4", 0x7E, {3, 1, 2, 2, 1, 4}, {{9, 0}, {12, 2}, {13, 2}, {15, 4}}},
      {"radial brake field of 2 m", 0x7E, {0, 3, 0, 1, 200, 0}, {{9, 0}, {13, 1}, {14, 200}}},
      // Polar pairs at 40° and 50°, the reflector strip seen once; the
      // object stands inside 2 m: the active brake field blocks output A.
      {"navigation data", 0x7E, {4, 0, 0},
       {{9, 0}, {10, 4}, {13, 7}, {14, 2}, {15, 0}, {16, 0x90}, {17, 0x01}, {20, 0xF4}, {21, 0x01}, {148, 1}}},
      {"brake field deactivated", 0x7E, {0, 1}, {{9, 0}}},
      {"navigation data, marks only", 0x7E, {4, 2, 0}, {{9, 0}, {13, 2}, {14, 0}, {148, 1}}},
      {"dump the version text", 0x34, {0x00, 0x01, 0, 0, 3}, {{13, 3}, {14, 'V'}, {15, '0'}, {16, '2'}}},
      {"dump ends with the memory", 0x34, {0xF8, 0xFF, 0, 0, 16}, {{2, 14}, {13, 8}, {14, 0xFF}, {21, 0xFF}}},
      {"dump beyond the memory", 0x34, {0x00, 0x00, 0x01, 0, 16}, {{2, 6}, {13, 0}}},
      {"reference target, oldest slot", 0x2F, {0}, {{2, 0xA3}, {3, 0x02}, {585, 6}}},
      {"reference target measured again", 0x2F, {0}, {{585, 7}}},
  };
  for (const Step &step : steps) {
    const TelegramRecord answer = driver.Exchange(kDeviceKvt, step.command, step.data);
    EXPECT_EQ(answer[kRecCode], step.command + 0x80) << step.name;
    for (const auto &[at, value] : step.expected) EXPECT_EQ(answer[at], value) << step.name << ", byte " << at;
  }
}

TEST(ServiceAndNavigation, PowerOnsCountEverySwitchOn) {
  const OpenDriver driver("device=kvtq1");
  const TelegramRecord before = driver.Exchange(kDeviceKvtQ1, 0x35, {0});
  SimReset();
  const TelegramRecord after = driver.Exchange(kDeviceKvtQ1, 0x35, {0});
  EXPECT_EQ(Word(after, 9), Word(before, 9)) << "hours";
  EXPECT_EQ(Word(after, 11), Word(before, 11) + 1) << "power-ons";
  EXPECT_GE(Word(before, 9), 47);
}

}  // namespace
}  // namespace kvt::test
