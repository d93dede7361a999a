// The range dialogs and the dialog for ranges with remission values,
// driven through KVTIDIAG.DLL's exports with real window messages: each
// template's title, inputs, presets and limits; what lands in the block
// (and in message boxes) after OK with valid input and with each failing
// check; Cancel and Esc; the OK button while the user types.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dialog_cases.h"

namespace kvt::test {
namespace {

using SelectorStarter = INT_PTR(WINAPI *)(HWND, void *, BYTE);
constexpr BYTE E = kUntouched;

const Dialog kPartial{"DialogMVPartial", 0};
const Dialog kPartialMode{"DialogMVPartial", 1};
const Dialog kAveraged{"DialogAMVP", 0};
const Dialog kAveragedMode{"DialogAMVP", 1};
const Dialog kSegments{"DialogSegmP", 1};
const Dialog kRanges{"DialogMwRem"};
const Dialog kPosition{"DialogPosHelp"};
const Dialog kVacuum{"DialogVacCtrl"};

// --- What each dialog shows when it opens -------------------------------

const std::string kSensorLabel = "Aktiver KVT für Messwerte(nur bei PXD):";

const std::vector<TemplateCase> kTemplates = {
    {kPartial, 604, "MVPartialDlgProc", "Messwertteilbereich anfordern",
     {{1009, kSensorLabel, "1", 3}, {1015, "Erster Messwert:", "181", 6}, {112, "Letzter Messwert:", "181", 6}},
     {1178}},
    {{"DialogMVPartial", 7}, 604, "MVPartialDlgProc", "Messwertteilbereich anfordern",
     {{1009, kSensorLabel, "1", 3}, {1015, "Erster Messwert:", "181", 6}, {112, "Letzter Messwert:", "181", 6}},
     {1178}},
    {kPartialMode, 620, "MVPartialDlgProc", "Betriebsmodus Messwertteilbereich",
     {{1015, "Erster Messwert:", "181", 6}, {112, "Letzter Messwert:", "181", 6}}, {1009}},
    {kAveraged, 622, "AMVPDlgProc", "Gemittellter Messwertteilbereich",
     {{1108, kSensorLabel, "1", 1},
      {1106, "Erster Messwert:", "180", 3},
      {1107, "Letzter Messwert:", "181", 3},
      {1109, "Anzahl der Mittelungen [1-250]:", "100", 3}}},
    {kAveragedMode, 623, "AMVPDlgProc", "Gemittelte Messwerte - Teilbereich",
     {{1106, "Erster Messwert:", "180", 3},
      {1107, "Letzter Messwert:", "181", 3},
      {1109, "Anzahl der Mittelungen [1-250]:", "100", 3}},
     {1108}},
    {kSegments, 630, "SegmPDlgProc", "Messwert pro Segment - Teilbereich",
     {{1107, "Erster Messwert:", "20", 3},
      {1108, "Letzter Messwert:", "80", 0},
      {1110, "Anzahl der Segemente im Teilbereich:", "15", 3}}},
    {kRanges, 120, "MwRemDlgProc", "Parameter für Bereiche mit Mess- und Remissionswerten",
     {{1167, "Anzahl Bereiche [1-5]:", "1", 0},
      {1173, "Bereich1:  1.Messwert", "85", 0},
      {1177, "Bereich1:  letzter Messwert", "105", 0},
      {1176, "Bereich2:  1.Messwert", "", 0},
      {1168, "Bereich2: letzter Messwert", "", 0},
      {1172, "Bereich3:  1.Messwert", "", 0},
      {1169, "Bereich3: letzter Messwert", "", 0},
      {1174, "Bereich4:  1.Messwert", "", 0},
      {1175, "Bereich4: letzter Messwert", "", 0},
      {1170, "Bereich5:  1.Messwert", "", 0},
      {1171, "Bereich5: letzter Messwert", "", 0}}},
    {kPosition, 625, "PosHelpDlgProc", "Laserwinkel für Positionierhilfe definieren",
     {{1136, "Einzelschussauflösg.  [25,50,100]:", "100", 3},
      {1149, "Zahl der Bereiche [1-3]:", "1", 3},
      {1150, "Startwinkel 1 [0-180]:", "90", 3},
      {1151, "Stopwinkel 1 [0-180]:", "90", 3},
      {1146, "Startwinkel 2 [0-180]:", "", 3},
      {113, "Stopwinkel 2 [0-180]:", "", 3},
      {1019, "Startwinkel 3 [0-180]:", "", 3},
      {114, "Stopwinkel 3 [0-180]:", "", 3}}},
    // The procedure was written for inputs that template 626 lacks.
    {kVacuum, 626, "VacCtrlDlgProc", "Eingabe für Belegtkontrolle", {{1143, "Startwinkel [0-100]:", "", 0}},
     {1136, 1015, 112}},
};

TEST(RangeDialogs, OpenPresetAndLaidOut) { CheckTemplates(kTemplates); }

TEST(RangeDialogs, SegmentsWithoutTheModeSelectorOpenNothing) {
  std::vector<BYTE> block(12, kUntouched);
  const auto starter = reinterpret_cast<SelectorStarter>(reinterpret_cast<void (*)()>(GetProcAddress(Library(), "DialogSegmP")));
  ASSERT_NE(starter, nullptr);
  for (BYTE selector : {0, 2, 255}) EXPECT_EQ(starter(Owner(), block.data(), selector), 0);
  EXPECT_EQ(EscapedBytes(block), EscapedBytes(std::vector<BYTE>(12, kUntouched)));
}

// --- Values typed, OK or Cancel, messages and the block -----------------

const std::string k208 = "Eingabe muss zwischen 1 und 250  liegen!";
const std::string k210 =
    "Erster Messwert muss kleiner oder gleich dem letzten Messwert sein; und den Wert 401 nicht überschreiten.";
const std::string k222 = "KVT-Nummer muss zwischen 1 und 4  liegen!";

using enum Press;

TEST(RangeDialogs, MeasuredValueRange) {
  const ValueCase cases[] = {
      {"presets", kPartial, {}, kOkButton, {}, 1, {1, 0, 181, 0, 181, 0, E, E, E, E, E, E}},
      {"Enter takes the presets", kPartial, {}, kEnterKey, {}, 1, {1, 0, 181, 0, 181, 0, E, E, E, E, E, E}},
      {"a range", kPartial, {{1009, "4"}, {1015, "10"}, {112, "401"}}, kOkButton, {}, 1,
       {4, 0, 10, 0, 0x91, 1, E, E, E, E, E, E}},
      {"first above last: warned, stored as typed", kPartial, {{1015, "200"}, {112, "100"}}, kOkButton, {k210}, 1,
       {1, 0, 200, 0, 100, 0, E, E, E, E, E, E}},
      {"last above 401: warned", kPartial, {{1015, "1"}, {112, "402"}}, kOkButton, {k210}, 1,
       {1, 0, 1, 0, 0x92, 1, E, E, E, E, E, E}},
      {"sensor above 4 decides", kPartial, {{1009, "5"}}, kOkButton, {k222}, 0,
       {5, 0, 181, 0, 181, 0, E, E, E, E, E, E}},
      {"both checks fail: two messages", kPartial, {{1009, "9"}, {1015, "300"}, {112, "3"}}, kOkButton, {k210, k222},
       0, {9, 0, 0x2C, 1, 3, 0, E, E, E, E, E, E}},
      {"text reads 0; digits count up to the first other character", kPartial,
       {{1009, "x"}, {1015, "abc"}, {112, "12a"}}, kOkButton, {}, 1, {0, 0, 0, 0, 12, 0, E, E, E, E, E, E}},
      {"Cancel after typing", kPartial, {{1015, "7"}}, kCancelButton, {}, 0, {E, E, E, E, E, E, E, E, E, E, E, E}},
      {"Esc", kPartial, {{1015, "7"}}, kEscapeKey, {}, 0, {E, E, E, E, E, E, E, E, E, E, E, E}},
      {"mode template: no sensor, it reads 0", kPartialMode, {{1015, "20"}, {112, "30"}}, kOkButton, {}, 1,
       {0, 0, 20, 0, 30, 0, E, E, E, E, E, E}},
      {"mode template, box ticked: bit 15 of the first value", kPartialMode, {{1015, "5"}}, kOkButton, {}, 1,
       {0, 0, 5, 0x80, 181, 0, E, E, E, E, E, E}, {1178}},
      {"the bit also after a failed range check", kPartialMode, {{1015, "300"}, {112, "200"}}, kOkButton, {k210}, 1,
       {0, 0, 0x2C, 0x81, 200, 0, E, E, E, E, E, E}, {1178}},
  };
  for (const ValueCase &c : cases) CheckValueCase(c);
}

TEST(RangeDialogs, AveragedRange) {
  const ValueCase cases[] = {
      {"presets", kAveraged, {}, kOkButton, {}, 1, {1, 0, 100, 0, 180, 0, 181, 0, E, E, E, E}},
      {"averages 1 and 250 pass", kAveraged, {{1109, "250"}, {1106, "1"}, {1107, "1"}}, kOkButton, {}, 1,
       {1, 0, 250, 0, 1, 0, 1, 0, E, E, E, E}},
      {"averages 0 decide", kAveraged, {{1109, "0"}}, kOkButton, {k208}, 0, {1, 0, 0, 0, 180, 0, 181, 0, E, E, E, E}},
      {"averages 251 decide", kAveraged, {{1109, "251"}}, kOkButton, {k208}, 0,
       {1, 0, 251, 0, 180, 0, 181, 0, E, E, E, E}},
      {"sensor above 4 only warns", kAveraged, {{1108, "7"}, {1109, "1"}}, kOkButton, {k222}, 1,
       {7, 0, 1, 0, 180, 0, 181, 0, E, E, E, E}},
      {"range only warns", kAveraged, {{1106, "182"}}, kOkButton, {k210}, 1,
       {1, 0, 100, 0, 182, 0, 181, 0, E, E, E, E}},
      {"every check fails, in order", kAveraged, {{1108, "8"}, {1106, "999"}, {1107, "5"}, {1109, "999"}}, kOkButton,
       {k210, k222, k208}, 0, {8, 0, 0xE7, 3, 0xE7, 3, 5, 0, E, E, E, E}},
      {"Cancel", kAveraged, {{1109, "5"}}, kCancelButton, {}, 0, {E, E, E, E, E, E, E, E, E, E, E, E}},
      {"mode template: the sensor reads 0", kAveragedMode, {{1109, "20"}}, kOkButton, {}, 1,
       {0, 0, 20, 0, 180, 0, 181, 0, E, E, E, E}},
  };
  for (const ValueCase &c : cases) CheckValueCase(c);
}

TEST(RangeDialogs, RangeBySegments) {
  const ValueCase cases[] = {
      {"presets; bytes 0-1 are not written", kSegments, {}, kOkButton, {}, 1, {E, E, 15, 0, 20, 0, 80, 0, E, E, E, E}},
      {"first 90, last 80: warned, stored, result 1", kSegments, {{1107, "90"}, {1108, "80"}}, kOkButton, {k210}, 1,
       {E, E, 15, 0, 90, 0, 80, 0, E, E, E, E}},
      {"201 segments pass", kSegments, {{1110, "201"}}, kOkButton, {}, 1, {E, E, 201, 0, 20, 0, 80, 0, E, E, E, E}},
      {"202 segments decide", kSegments, {{1110, "202"}}, kOkButton, {k208}, 0,
       {E, E, 202, 0, 20, 0, 80, 0, E, E, E, E}},
      {"0 segments decide", kSegments, {{1110, "0"}}, kOkButton, {k208}, 0, {E, E, 0, 0, 20, 0, 80, 0, E, E, E, E}},
      {"both fail", kSegments, {{1107, "500"}, {1108, "450"}, {1110, "250"}}, kOkButton, {k210, k208}, 0,
       {E, E, 250, 0, 0xF4, 1, 0xC2, 1, E, E, E, E}},
      {"Esc", kSegments, {}, kEscapeKey, {}, 0, {E, E, E, E, E, E, E, E, E, E, E, E}},
  };
  for (const ValueCase &c : cases) CheckValueCase(c);
}

TEST(RangeDialogs, RangesWithRemission) {
  const ValueCase cases[] = {
      {"presets: 1, 85, 105 and eight zeros", kRanges, {}, kOkButton, {}, 1, Words({1, 85, 105, 0, 0, 0, 0, 0, 0, 0, 0})},
      {"five ranges", kRanges,
       {{1167, "5"}, {1176, "110"}, {1168, "120"}, {1172, "130"}, {1169, "140"}, {1174, "150"}, {1175, "160"},
        {1170, "170"}, {1171, "401"}},
       kOkButton, {}, 1, Words({5, 85, 105, 110, 120, 130, 140, 150, 160, 170, 401})},
      {"a fraction is cut: 12.9 gives 12", kRanges, {{1173, "12.9"}}, kOkButton, {}, 1,
       Words({1, 12, 105, 0, 0, 0, 0, 0, 0, 0, 0})},
      {"only two characters of the count: 123 gives 12", kRanges, {{1167, "123"}}, kOkButton, {}, 1,
       Words({12, 85, 105, 0, 0, 0, 0, 0, 0, 0, 0})},
      {"only five characters of a value: 123456 gives 12345", kRanges, {{1177, "123456"}}, kOkButton, {}, 1,
       Words({1, 85, 12345, 0, 0, 0, 0, 0, 0, 0, 0})},
      {"no checks: count 0, a negative value, text", kRanges, {{1167, "0"}, {1173, "-3"}, {1177, "abc"}}, kOkButton,
       {}, 1, Words({0, 65533, 0, 0, 0, 0, 0, 0, 0, 0, 0})},
      {"the count is not compared with the ranges given", kRanges, {{1167, "2"}}, kOkButton, {}, 1,
       Words({2, 85, 105, 0, 0, 0, 0, 0, 0, 0, 0})},
      {"an exponent beyond 16 bits keeps the low bits; beyond 32 gives 0", kRanges,
       {{1176, "7e4"}, {1168, "1e300"}}, kOkButton, {}, 1, Words({1, 85, 105, 70000 & 0xFFFF, 0, 0, 0, 0, 0, 0, 0})},
      {"Cancel", kRanges, {{1167, "3"}}, kCancelButton, {}, 0, std::vector<BYTE>(22, E)},
      {"Esc", kRanges, {}, kEscapeKey, {}, 0, std::vector<BYTE>(22, E)},
  };
  for (const ValueCase &c : cases) CheckValueCase(c);
}

TEST(RangeDialogs, PositioningAidAndVacuumCheck) {
  const ValueCase cases[] = {
      {"presets; empty inputs read 0", kPosition, {}, kOkButton, {}, 1, Words({100, 1, 90, 90, 0, 0, 0, 0})},
      {"three ranges, no check", kPosition,
       {{1136, "25"}, {1149, "3"}, {1150, "0"}, {1151, "10"}, {1146, "200"}, {113, "100"}, {1019, "999"}, {114, "x"}},
       kOkButton, {}, 1, Words({25, 3, 0, 10, 200, 100, 999, 0})},
      {"Cancel", kPosition, {{1136, "50"}}, kCancelButton, {}, 0, std::vector<BYTE>(16, E)},
      {"vacuum check: its inputs read 0 and pass", kVacuum, {}, kOkButton, {}, 1, {0, 0, 0, 0, 0, 0}},
      {"vacuum check: Esc", kVacuum, {}, kEscapeKey, {}, 0, {E, E, E, E, E, E}},
  };
  for (const ValueCase &c : cases) CheckValueCase(c);
}

// --- The OK button while the user types ---------------------------------

struct OkStep {
  int control;
  std::string text;
  bool enabled;  // OK afterwards
};

struct OkRuleCase {
  Dialog dialog;
  std::vector<OkStep> steps;
};

TEST(RangeDialogs, OkButtonFollowsTheInputs) {
  const OkRuleCase cases[] = {
      {kPartial, {{112, "", false}, {1015, "", false}, {1009, "2", false}, {112, "9", true}, {1015, "", true}}},
      {kPartialMode, {{112, "", false}, {112, "1", true}}},
      {kAveraged, {{1109, "", false}, {1106, "", false}, {1109, "3", true}, {1107, "", true}}},
      {kSegments, {{1107, "", true}, {1108, "", true}, {1110, "", true}}},
      {kRanges, {{1167, "", true}, {1173, "", true}}},
      {kPosition, {{1136, "", true}, {114, "", true}}},
  };
  for (const OkRuleCase &c : cases) {
    SCOPED_TRACE(Name(c.dialog));
    std::vector<BYTE> block(32, kUntouched);
    std::vector<std::string> problems;
    RunDialog([&] { return Start(c.dialog, Owner(), block.data()); },
              [&](HWND dialog) {
                for (const OkStep &step : c.steps) {
                  SetDlgItemTextA(dialog, step.control, step.text.c_str());
                  if (IsWindowEnabled(GetDlgItem(dialog, IDOK)) != (step.enabled ? TRUE : FALSE)) {
                    problems.push_back("after \"" + step.text + "\" in " + std::to_string(step.control) +
                                       ": OK " + (step.enabled ? "disabled" : "enabled"));
                  }
                }
                PostPress(dialog, kCancelButton);
              });
    for (const std::string &problem : problems) ADD_FAILURE() << problem;
  }
}

}  // namespace
}  // namespace kvt::test
