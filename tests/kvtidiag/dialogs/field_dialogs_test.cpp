// The field configuration and dynamic field dialogs through KVTIDIAG.DLL's
// exports with real window messages: what each shows, the keyboard's way
// through it, the block after OK with its presets, with typed values and
// failing checks, and Cancel.
#include <gtest/gtest.h>

#include "kvtidiag/dialogs/dialog_cases.h"
#include "support/texts.h"

namespace kvt::test {
namespace {

constexpr char kFieldTitle[] = "Eingabe der Konfigurationsdaten ";
const Dialog kRectangle{"DialogFieldKfg", 0, 621, "FieldKfgRectangleDlgProc", kFieldTitle};
const Dialog kCircle{"DialogFieldKfg", 1, 600, "FieldKfgCircleDlgProc", kFieldTitle};
const Dialog kSegment{"DialogFieldKfg", 2, 500, "FieldKfgSegmentDlgProc", "Eingabe der Konfigurationsdaten in cm"};
const Dialog kDynRect{"DialogDYNRECKfg", kNoSelector, 610, "DYNRECKfgDlgProc", text::kDynamicRectangleTitle};
const Dialog kDynSeg{"DialogDYNSEGKfg", kNoSelector, 613, "DYNSEGKfgDlgProc", text::kDynamicSegmentedTitle};

constexpr BYTE E = kUntouched;
using enum Press;
using Placed = std::vector<std::pair<std::size_t, unsigned>>;

// Untouched bytes with values of `width` bytes put in, in order.
Bytes Block(std::size_t size, std::size_t width, const Placed &values) {
  Bytes block(size, E);
  for (const auto &[at, value] : values) {
    for (std::size_t i = 0; i < width; ++i) block.at(at + i) = static_cast<BYTE>(value >> (8 * i));
  }
  return block;
}

// FieldConfigBlock: unit, number 1, an empty name, code, angle, shot, then the values from byte 24.
Bytes FieldBlock(BYTE unit, BYTE code, unsigned angle, unsigned shot, std::vector<unsigned> values) {
  Placed at{{12, angle}, {16, shot}};
  for (std::size_t i = 0; i < values.size(); ++i) at.push_back({24 + 4 * i, values[i]});
  Bytes block = Block(1636, 4, at);
  block[0] = unit, block[1] = 1, block[2] = 0, block[11] = code;
  return block;
}

TEST(FieldDialogs, WhatEachShows) {
  const std::string shot = text::kLearnShotLabel;
  CheckLooks({
      {kRectangle,
       {{1024, "Feldnummer:", "1", 1999}, {1036, "Einheit:", "0", 1}, {107, "Linksabstand:", "10"},
        {108, "Rechtsabstand:", "15", 8}, {109, "Hoehe:", "15", 1999}, {1074, "Feldart:", "A", 1},
        {1075, "Scanwinkel:", "100", 8}, {1076, shot, "0.5", 8}}},
      {kCircle,
       {{1027, "Feldnummer:", "1", 1999}, {110, "Radius:", "111", 8}, {1028, "Feldart:", "A"},
        {1029, "Scanwinkel:", "100", 3}, {1030, shot, "0.5", 8}},
       {{110, "", false}, {110, "5", true}}},
      {kSegment,
       {{114, "Feldnummer:", "1", 1}, {111, "Segmentanzahl:", "10"},
        {112, "Eckpunkte in cm:", "60 60 60 60 60 60 60 60 60 60 60 ", 1999}, {1077, "Feldart:", "A", 1},
        {1078, "Scanwinkel:", "100", 4}, {1079, shot, "0.5", 5}}},
      {kDynRect,
       {{1062, "Feldnummer:", "1", 1}, {1067, text::kValidEntriesLabel, "5", 2}, {1064, "Min. Linksabst.:", "15", 4},
        {110, "1.Links:", "30"}, {111, "Rechts:", "35"}, {115, "Rechts:", "40", 4}, {189, "Hoehe:", "90", 4},
        {193, "Bis Geschwindg. [cm/sec]", "140", 4}}},
      {kDynSeg,
       {{1085, "G\xFCltige \nTabelleneintr\xE4ge:", "5", 2}, {1094, "Max. 10 Eckpunkte [cm] bei Geschw.0:", "11, 22, 33"},
        {119, "Max. 10 Eckpunkte [cm]", "111, 122,133", 1999}, {1101, "Bis Geschwindg. [cm/sec]", "32", 4}}},
  });
}

// Tab goes through the inputs in the order their dialog lists them, then to OK and Abbrechen.
TEST(FieldDialogs, TheKeyboardWalksTheInputsInTheirOrder) {
  const std::pair<const Dialog &, std::vector<int>> cases[] = {
      {kRectangle, {1024, 1036, 107, 108, 109, 1074, 1075, 1076}},
      {kCircle, {1027, 1036, 110, 1028, 1029, 1030}},
      {kSegment, {114, 1036, 111, 112, 1077, 1078, 1079}},
      {kDynRect, {1062, 1036, 1067, 1064, 1065, 1066, 1077, 1078, 1079, 110, 111, 112, 113, 114, 115, 116, 129,
                  131, 132, 133, 137, 139, 140, 141, 145, 147, 148, 149, 153, 155, 156, 157, 161, 163, 164, 165, 169,
                  171, 172, 173, 177, 179, 180, 181, 185, 187, 188, 189, 193}},
      {kDynSeg, {1092, 1036, 1085, 1094, 1089, 1090, 1091, 119, 1101, 113, 1095, 114, 1096, 115, 1097, 116, 1098}},
  };
  for (const auto &[dialog, order] : cases) {
    Bytes block(1636 + 8, E);
    std::vector<int> walked, expected = order;
    expected.insert(expected.end(), {IDOK, IDCANCEL});
    RunUi({{dialog.title, [&](HWND window) {
              for (HWND at = GetNextDlgTabItem(window, nullptr, FALSE); walked.size() < expected.size();
                   at = GetNextDlgTabItem(window, at, FALSE)) {
                walked.push_back(GetDlgCtrlID(at));
              }
              Click(window, IDCANCEL);
            }}},
          [&] { Start(dialog, block.data()); });
    EXPECT_EQ(walked, expected) << dialog.procedure;
  }
}

TEST(FieldDialogs, OkStoresTheBlock) {
  // The dynamic blocks with their presets; field B; class 3 typed as "5", its fill 162.
  Placed rect{{0, 1}, {2, 100}, {4, 50}, {12, 15}, {14, 20}, {16, 25}, {18, 5}};
  const unsigned left[] = {30, 35, 40, 45, 50, 55, 60, 70, 75, 80};
  for (unsigned row = 0; row < 10; ++row) {
    rect.insert(rect.end(), {{20 + 2 * row, 50 + 10 * row}, {80 + 2 * row, left[row] + 10}, {140 + 2 * row, left[row]},
                             {200 + 2 * row, left[row] + 5}});
  }
  Placed seg{{0, 1}, {2, 100}, {4, 50}, {6, 11}, {8, 22}, {10, 33}, {26, 5}};
  for (unsigned i = 3; i < 10; ++i) seg.push_back({6 + 2 * i, 60});
  for (unsigned k = 0; k < 5; ++k) {
    seg.push_back({28 + 2 * k, 32 + 16 * k});
    for (unsigned line = 1; line <= 10; ++line) {
      const unsigned preset = line <= 3 ? 100 * (k + 1) + 11 * line : 160 + k;
      seg.push_back({28 + 60 * line + 2 * k, k == 2 ? (line == 1 ? 5 : 162) : preset});
    }
  }
  Bytes dynRect = Block(260, 2, rect), dynSeg = Block(688, 2, seg);
  dynRect[1] = 0x41, dynSeg[1] = 0x80;
  const std::string wrong = text::kWrongInputDefault;
  CheckValues({
      {"rectangle, presets", kRectangle, {}, kOk, {}, 1, FieldBlock(0, 0, 100, 50, {10, 15, 15})},
      {"rectangle: field E, unit 2, angle 90 and shot 0.3 replaced", kRectangle,
       {{1036, "2"}, {1074, "E"}, {1075, "90"}, {1076, "0.3"}, {107, "0x1F"}}, kOk, {wrong, wrong}, 1,
       FieldBlock(2, 4, 100, 100, {31, 15, 15})},
      {"radial: unit 1 and field c, shot 0.25", kCircle, {{1036, "1"}, {1028, "c"}, {1030, "0.25"}}, kOk, {}, 1,
       FieldBlock(1, 0x42, 100, 25, {111})},
      {"radial: unit 5 is cm", kCircle, {{1036, "5"}}, kOk, {}, 1, FieldBlock(0, 0, 100, 50, {111})},
      {"segmented: three segments, two corners typed", kSegment, {{111, "3"}, {112, "50,40"}}, kOk, {}, 1,
       FieldBlock(0, 0, 100, 50, {3, 50, 40, 60, 60})},
      {"rectangle, Cancel", kRectangle, {{107, "99"}}, kCancel, {}, 0, Bytes(1636, E)},
      {"dynamic rectangle, presets and field b", kDynRect, {{1077, "b"}}, kOk, {}, 1, dynRect},
      {"dynamic segmented: unit 2, class 3 with one corner", kDynSeg, {{1036, "2"}, {114, "5"}}, kOk, {}, 1, dynSeg},
      {"dynamic segmented, Esc", kDynSeg, {{1090, "90"}}, kEscape, {}, 0, Bytes(688, E)},
  });
}

TEST(FieldDialogs, MoreThan400SegmentsKeepTheDialogOpenUntilTheCornersChange) {
  Bytes block(1636 + 8, E);
  bool disabled = false, enabledAgain = false;
  INT_PTR result = -1;
  const UiRun run = RunUi({{kSegment.title,
                            [](HWND dialog) {
                              SetText(dialog, 111, "401");
                              Click(dialog, IDOK);
                            }},
                           {kSegment.title,
                            [&](HWND dialog) {
                              disabled = !IsWindowEnabled(GetDlgItem(dialog, IDOK));
                              // As typed: a multi-line input tells of no change set through its text.
                              SendDlgItemMessageA(dialog, 112, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>("7"));
                              enabledAgain = IsWindowEnabled(GetDlgItem(dialog, IDOK)) != FALSE;
                              Click(dialog, IDCANCEL);
                            },
                            10}},
                          [&] { result = Start(kSegment, block.data()); });
  ASSERT_EQ(run.boxes.size(), 1u);
  EXPECT_EQ(Escaped(run.boxes[0].text), Escaped(text::kSegmentsAtMost400));
  EXPECT_TRUE(disabled);
  EXPECT_TRUE(enabledAgain);
  EXPECT_EQ(result, 0);
}

}  // namespace
}  // namespace kvt::test
