// The navigation dialogs through DialogNavDat with real window messages:
// what each leaves in its block after OK, clicks and Cancel.
#include <gtest/gtest.h>

#include "kvtidiag/dialogs/dialog_cases.h"

namespace kvt::test {
namespace {

const Dialog kBrakeField{"DialogNavDat", 0, 115, "NavSfAccDlgProc", "Bremsfelddaten"};
const Dialog kRaySet{"DialogNavDat", 1, 117, "NavRayAccDlgProc", "Strahlensatz"};
const Dialog kReflector{"DialogNavDat", 2, 118, "NavReflAccDlgProc", "Reflektor"};
const Dialog kCase{"DialogNavDat", 3, 119, "NavEvAccDlgProc", "Navigationsauswertefall"};
const Dialog kRequest{"DialogNavDat", 4, 628, "NavNdReqDlgProc", "Anforderung der Navigationsdaten"};

constexpr BYTE E = kUntouched;
using enum Press;

// Action and number, constant 100, count, ten rays.
Bytes Rays(BYTE action, BYTE number, unsigned count, std::vector<unsigned> rays) {
  rays.resize(10, 0);
  Bytes block = Words({action | (number * 256u), 100, count});
  for (unsigned ray : rays) block.push_back(static_cast<BYTE>(ray)), block.push_back(static_cast<BYTE>(ray >> 8));
  return block;
}

// Action, unit, type, three words; the rest of the 809 bytes untouched.
Bytes Brake(BYTE action, BYTE unit, BYTE type, unsigned a, unsigned b, unsigned c) {
  Bytes block{action, unit, type};
  for (BYTE byte : Words({a, b, c})) block.push_back(byte);
  block.resize(809, E);
  return block;
}

TEST(NavigationDialogs, FillTheirBlocks) {
  const std::vector<unsigned> oneToTen = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
  CheckValues({
      {"rays 10, 20,30", kRaySet, {{1161, "10, 20,30"}}, kOk, {}, 1, Rays(1, 2, 3, {10, 20, 30, 4, 5, 6, 7, 8, 9, 10}),
       {}, Rays(0, 2, 4, oneToTen)},
      {"twelve rays keep ten; set 1.9 is 1", kRaySet, {{1164, "1.9"}, {1161, "1 2 3 4 5 6 7 8 9 10 11 12"}}, kOk, {},
       1, Rays(1, 1, 10, oneToTen), {}, Rays(0, 2, 0, {})},
      {"fifteen rays arrive: the count is cut before Cancel", kRaySet, {}, kCancel, {}, 0, Rays(0, 2, 10, oneToTen),
       {}, Rays(0, 2, 15, oneToTen)},
      {"level 12345 is read as 1234", kReflector, {{1140, "12345"}}, kOk, {}, 1, {1, 0xD2, 0x04}, {}, {0, 0x10, 0x27}},
      {"fields 1,2,3,4 keep three", kCase, {{1158, "1,2,3,4"}}, kOk, {}, 1, {1, 2, 3, 1, 2, 3}, {}, {0, 2, 1, 4, 0, 0}},
      {"default, then Cancel", kCase, {}, kCancel, {}, 0, {2, 2, 1, 4, 0, 0}, {1135}, {0, 2, 1, 4, 0, 0}},
      {"radial: only the radius, in mm", kBrakeField, {{1129, "250.9"}, {1001, "11"}}, kOk, {}, 1,
       Brake(3, 64, 1, 250, 7, 8), {1132}, Brake(0, 0, 1, 500, 7, 8)},
      {"rectangle deactivated, in dm", kBrakeField, {{1001, "100"}, {1003, "200"}, {1002, "300"}}, kOk, {}, 1,
       Brake(1, 128, 0, 100, 200, 300), {1124, 1134}, Brake(0, 0, 0, 1, 2, 3)},
      {"reflector marks only, polar", kRequest, {}, kOk, {}, 1, {2, 0}, {2141}},
  });
  CheckLooks({{kReflector, {{1140, "Level [0 - 5000 mV]:", "4096"}}, {}, {}, {0, 0x00, 0x10}}});
  BYTE block[8] = {};
  EXPECT_EQ(Start({"DialogNavDat", 5, 0, "", ""}, block), 0) << "no dialog for kind 5";
}

}  // namespace
}  // namespace kvt::test
