// The range dialogs, the ranges with remission values and the positioning
// aid, through KVTIDIAG.DLL's exports with real window messages.
#include <gtest/gtest.h>

#include "kvtidiag/dialogs/dialog_cases.h"
#include "support/texts.h"

namespace kvt::test {
namespace {

const Dialog kPartial{"DialogMVPartial", 0, 604, "MVPartialDlgProc", text::kPartialTitle};
const Dialog kPartialOther{"DialogMVPartial", 7, 604, "MVPartialDlgProc", text::kPartialTitle};
const Dialog kPartialMode{"DialogMVPartial", 1, 620, "MVPartialDlgProc", text::kPartialModeTitle};
const Dialog kAveraged{"DialogAMVP", 0, 622, "AMVPDlgProc", text::kAveragedPartialTitle};
const Dialog kAveragedMode{"DialogAMVP", 1, 623, "AMVPDlgProc", text::kAveragedPartialModeTitle};
const Dialog kSegments{"DialogSegmP", 1, 630, "SegmPDlgProc", text::kSegmentsModeTitle};
const Dialog kRanges{"DialogMwRem", kNoSelector, 120, "MwRemDlgProc", text::kRangesTitle};
const Dialog kPosition{"DialogPosHelp", kNoSelector, 625, "PosHelpDlgProc", text::kPositionTitle};
const Dialog kVacuum{"DialogVacCtrl", kNoSelector, 626, "VacCtrlDlgProc", text::kOccupancyTitle};

TEST(RangeDialogs, WhatEachShows) {
  const Input sensor{1009, text::kActiveSensorLabel, "1", 3};
  const Input first{1015, "Erster Messwert:", "181", 6}, last{112, "Letzter Messwert:", "181", 6};
  const Input averagedFirst{1106, "Erster Messwert:", "180", 3}, averagedLast{1107, "Letzter Messwert:", "181", 3};
  const Input averages{1109, "Anzahl der Mittelungen [1-250]:", "100", 3};
  CheckLooks({
      {kPartial, {sensor, first, last},
       {{112, "", false}, {1015, "", false}, {1009, "2", false}, {112, "9", true}, {1015, "", true}}, {1178}},
      {kPartialOther, {sensor, first, last}, {}, {1178}},
      {kPartialMode, {first, last}, {{112, "", false}, {112, "1", true}}, {1009}},
      {kAveraged, {{1108, text::kActiveSensorLabel, "1", 1}, averagedFirst, averagedLast, averages},
       {{1109, "", false}, {1106, "", false}, {1109, "3", true}, {1107, "", true}}},
      {kAveragedMode, {averagedFirst, averagedLast, averages}, {}, {1108}},
      {kSegments,
       {{1107, "Erster Messwert:", "20", 3}, {1108, "Letzter Messwert:", "80"},
        {1110, "Anzahl der Segemente im Teilbereich:", "15", 3}},
       {{1107, "", true}, {1108, "", true}, {1110, "", true}}},
      {kRanges, {{1167, "Anzahl Bereiche [1-5]:", "1"}, {1173, "Bereich1:  1.Messwert", "85"},
                 {1177, "Bereich1:  letzter Messwert", "105"}, {1176, "Bereich2:  1.Messwert", ""},
                 {1168, "Bereich2: letzter Messwert", ""}, {1170, "Bereich5:  1.Messwert", ""},
                 {1171, "Bereich5: letzter Messwert", ""}},
       {{1167, "", true}, {1173, "", true}}},
      {kPosition, {{1136, text::kShotResolutionLabel, "100", 3}, {1149, "Zahl der Bereiche [1-3]:", "1", 3},
                   {1150, "Startwinkel 1 [0-180]:", "90", 3}, {1151, "Stopwinkel 1 [0-180]:", "90", 3},
                   {1019, "Startwinkel 3 [0-180]:", "", 3}, {114, "Stopwinkel 3 [0-180]:", "", 3}},
       {{1136, "", true}, {114, "", true}}},
      // The procedure was written for inputs that template 626 lacks.
      {kVacuum, {{1143, "Startwinkel [0-100]:", ""}}, {}, {1136, 1015, 112}},
  });
}

TEST(RangeDialogs, SegmentsOnlyWithTheModeSelector) {
  Bytes block(12, kUntouched);
  for (int selector : {0, 2, 255}) {
    const Dialog other{"DialogSegmP", selector, 630, "SegmPDlgProc", text::kSegmentsModeTitle};
    EXPECT_EQ(Start(other, block.data()), 0);
  }
  EXPECT_EQ(Hex(block), Hex(Bytes(12, kUntouched)));
}

constexpr BYTE E = kUntouched;
using enum Press;

TEST(RangeDialogs, Ranges) {
  const std::string order = text::kRangeOrder, sensor = text::kKvtNumberRange, averages = text::kAveragesRange;
  CheckValues({
      {"presets", kPartial, {}, kOk, {}, 1, {1, 0, 181, 0, 181, 0, E, E, E, E, E, E}},
      {"a range", kPartial, {{1009, "4"}, {1015, "10"}, {112, "401"}}, kOk, {}, 1,
       {4, 0, 10, 0, 0x91, 1, E, E, E, E, E, E}},
      {"first above last: warned, stored as typed", kPartial, {{1015, "200"}, {112, "100"}}, kOk, {order}, 1,
       {1, 0, 200, 0, 100, 0, E, E, E, E, E, E}},
      {"last above 401: warned", kPartial, {{1015, "1"}, {112, "402"}}, kOk, {order}, 1,
       {1, 0, 1, 0, 0x92, 1, E, E, E, E, E, E}},
      {"both checks fail: the sensor decides", kPartial, {{1009, "9"}, {1015, "300"}, {112, "3"}}, kOk,
       {order, sensor}, 0, {9, 0, 0x2C, 1, 3, 0, E, E, E, E, E, E}},
      {"text reads 0; digits count up to the first other character", kPartial,
       {{1009, "x"}, {1015, "abc"}, {112, "12a"}}, kOk, {}, 1, {0, 0, 0, 0, 12, 0, E, E, E, E, E, E}},
      {"mode template: no sensor, it reads 0", kPartialMode, {{1015, "20"}, {112, "30"}}, kOk, {}, 1,
       {0, 0, 20, 0, 30, 0, E, E, E, E, E, E}},
      {"mode template, box ticked: bit 15 of the first value", kPartialMode, {{1015, "5"}}, kOk, {}, 1,
       {0, 0, 5, 0x80, 181, 0, E, E, E, E, E, E}, {1178}},
      {"averaged presets", kAveraged, {}, kOk, {}, 1, {1, 0, 100, 0, 180, 0, 181, 0, E, E, E, E}},
      {"averages 250 and the range 1 to 1 pass", kAveraged, {{1109, "250"}, {1106, "1"}, {1107, "1"}}, kOk, {}, 1,
       {1, 0, 250, 0, 1, 0, 1, 0, E, E, E, E}},
      {"averages 0 decide", kAveraged, {{1109, "0"}}, kOk, {averages}, 0, {1, 0, 0, 0, 180, 0, 181, 0, E, E, E, E}},
      {"averages 251 decide", kAveraged, {{1109, "251"}}, kOk, {averages}, 0,
       {1, 0, 251, 0, 180, 0, 181, 0, E, E, E, E}},
      {"sensor above 4 and the range only warn", kAveraged, {{1108, "7"}, {1106, "182"}}, kOk, {order, sensor}, 1,
       {7, 0, 100, 0, 182, 0, 181, 0, E, E, E, E}},
      {"averaged mode template: the sensor reads 0", kAveragedMode, {{1109, "20"}}, kOk, {}, 1,
       {0, 0, 20, 0, 180, 0, 181, 0, E, E, E, E}},
      {"segments presets; bytes 0-1 are not written", kSegments, {}, kOk, {}, 1,
       {E, E, 15, 0, 20, 0, 80, 0, E, E, E, E}},
      {"first 90, last 80: warned, kept", kSegments, {{1107, "90"}, {1108, "80"}}, kOk, {order}, 1,
       {E, E, 15, 0, 90, 0, 80, 0, E, E, E, E}},
      {"201 segments pass", kSegments, {{1110, "201"}}, kOk, {}, 1, {E, E, 201, 0, 20, 0, 80, 0, E, E, E, E}},
      {"202 segments decide", kSegments, {{1110, "202"}}, kOk, {averages}, 0, {E, E, 202, 0, 20, 0, 80, 0, E, E, E, E}},
      {"0 segments decide", kSegments, {{1110, "0"}}, kOk, {averages}, 0, {E, E, 0, 0, 20, 0, 80, 0, E, E, E, E}},
  });
}

TEST(RangeDialogs, RangesWithRemissionAndPositioningAid) {
  CheckValues({
      {"presets: 1, 85, 105 and eight zeros", kRanges, {}, kOk, {}, 1, Words({1, 85, 105, 0, 0, 0, 0, 0, 0, 0, 0})},
      {"five ranges", kRanges,
       {{1167, "5"}, {1176, "110"}, {1168, "120"}, {1172, "130"}, {1169, "140"}, {1174, "150"}, {1175, "160"},
        {1170, "170"}, {1171, "401"}},
       kOk, {}, 1, Words({5, 85, 105, 110, 120, 130, 140, 150, 160, 170, 401})},
      {"a fraction is cut: 12.9 gives 12", kRanges, {{1173, "12.9"}}, kOk, {}, 1,
       Words({1, 12, 105, 0, 0, 0, 0, 0, 0, 0, 0})},
      {"only two characters of the count", kRanges, {{1167, "123"}}, kOk, {}, 1,
       Words({12, 85, 105, 0, 0, 0, 0, 0, 0, 0, 0})},
      {"only five characters of a value", kRanges, {{1177, "123456"}}, kOk, {}, 1,
       Words({1, 85, 12345, 0, 0, 0, 0, 0, 0, 0, 0})},
      {"no checks: count 0, a negative value, text", kRanges, {{1167, "0"}, {1173, "-3"}, {1177, "abc"}}, kOk, {}, 1,
       Words({0, 65533, 0, 0, 0, 0, 0, 0, 0, 0, 0})},
      {"an exponent beyond 16 bits keeps the low bits; beyond 32 gives 0", kRanges, {{1176, "7e4"}, {1168, "1e300"}},
       kOk, {}, 1, Words({1, 85, 105, 70000 & 0xFFFF, 0, 0, 0, 0, 0, 0, 0})},
      {"positioning presets; empty inputs read 0", kPosition, {}, kOk, {}, 1, Words({100, 1, 90, 90, 0, 0, 0, 0})},
      {"three ranges, no check", kPosition,
       {{1136, "25"}, {1149, "3"}, {1150, "0"}, {1151, "10"}, {1146, "200"}, {113, "100"}, {1019, "999"}, {114, "x"}},
       kOk, {}, 1, Words({25, 3, 0, 10, 200, 100, 999, 0})},
      {"vacuum check: its inputs read 0 and pass", kVacuum, {}, kOk, {}, 1, {0, 0, 0, 0, 0, 0}},
  });
}

}  // namespace
}  // namespace kvt::test
