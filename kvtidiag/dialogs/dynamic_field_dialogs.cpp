// The dynamic field dialogs of the interface unit: a dynamic rectangle and
// a dynamic segmented field, each a table of speed classes. On OK each
// reads the single shot, the scan angle, the field letter with the unit,
// the field number, then its table; only the single shot and the scan
// angle are checked.
#include "dialogs/scan_inputs.h"

using namespace kvt;

namespace {

using enum Reading;
using enum Field;

constexpr int kChars = kScanChars;  // every number is read from at most 7 characters
constexpr int kShortChars = 4;      // the limit of a speed and of most distances

// Both blocks begin alike: field number, field code (letter in bits 0-5,
// unit in bits 6-7), scan angle and single shot in 16 bits.
constexpr std::size_t kAngleAt = 2;
constexpr std::size_t kShotAt = 4;

// B and C by their place; any other letter is A.
constexpr Input Letter(int control) {
  return {.control = control, .preset = "A", .reading = kLetter, .chars = 2, .offset = 1, .letters = "ABC"};
}
constexpr Input Unit(int control) {
  return {.control = control, .preset = "1", .limit = 1, .reading = kNumber, .chars = kChars, .field = kUnitBits,
          .offset = 1};
}
constexpr Input Number(int control) {
  return {.control = control, .preset = "1", .limit = 1, .reading = kNumber, .chars = kChars};
}
constexpr Input WordInput(int control, const char *preset, std::size_t offset, ChainedLimit chained = {},
                          int limit = 0) {
  return {.control = control, .preset = preset, .limit = limit, .reading = kNumber, .chars = kChars, .field = kU16,
          .offset = offset, .chained = chained};
}

// --- Dynamic rectangle --------------------------------------------------------

// DynRectConfigBlock: the header, three words left alone, the minimum
// left, right and height, the valid entries, then four arrays of 30
// classes: speeds, heights, left and right distances. The ten rows are
// classes 1 to 10; the others are left alone.
constexpr std::size_t kMinLeftAt = 12;
constexpr std::size_t kMinRightAt = 14;
constexpr std::size_t kMinHeightAt = 16;
constexpr std::size_t kRectEntriesAt = 18;
constexpr std::size_t kSpeedsAt = 20;
constexpr std::size_t kHeightsAt = 80;
constexpr std::size_t kLeftsAt = 140;
constexpr std::size_t kRightsAt = 200;
constexpr std::size_t kDynRectBytes = 260;

struct RectRow {
  int left, right, height, speed;
  const char *presetLeft, *presetRight, *presetHeight, *presetSpeed;
};
constexpr RectRow kRows[] = {
    {IDC_DYNREC_LEFT_1, IDC_DYNREC_RIGHT_1, IDC_DYNREC_HEIGHT_1, IDC_DYNREC_SPEED_1, "30", "35", "40", "50"},
    {IDC_DYNREC_LEFT_2, IDC_DYNREC_RIGHT_2, IDC_DYNREC_HEIGHT_2, IDC_DYNREC_SPEED_2, "35", "40", "45", "60"},
    {IDC_DYNREC_LEFT_3, IDC_DYNREC_RIGHT_3, IDC_DYNREC_HEIGHT_3, IDC_DYNREC_SPEED_3, "40", "45", "50", "70"},
    {IDC_DYNREC_LEFT_4, IDC_DYNREC_RIGHT_4, IDC_DYNREC_HEIGHT_4, IDC_DYNREC_SPEED_4, "45", "50", "55", "80"},
    {IDC_DYNREC_LEFT_5, IDC_DYNREC_RIGHT_5, IDC_DYNREC_HEIGHT_5, IDC_DYNREC_SPEED_5, "50", "55", "60", "90"},
    {IDC_DYNREC_LEFT_6, IDC_DYNREC_RIGHT_6, IDC_DYNREC_HEIGHT_6, IDC_DYNREC_SPEED_6, "55", "60", "65", "100"},
    {IDC_DYNREC_LEFT_7, IDC_DYNREC_RIGHT_7, IDC_DYNREC_HEIGHT_7, IDC_DYNREC_SPEED_7, "60", "65", "70", "110"},
    {IDC_DYNREC_LEFT_8, IDC_DYNREC_RIGHT_8, IDC_DYNREC_HEIGHT_8, IDC_DYNREC_SPEED_8, "70", "75", "80", "120"},
    {IDC_DYNREC_LEFT_9, IDC_DYNREC_RIGHT_9, IDC_DYNREC_HEIGHT_9, IDC_DYNREC_SPEED_9, "75", "80", "85", "130"},
    {IDC_DYNREC_LEFT_10, IDC_DYNREC_RIGHT_10, IDC_DYNREC_HEIGHT_10, IDC_DYNREC_SPEED_10, "80", "85", "90", "140"},
};
constexpr std::size_t kRowCount = std::size(kRows);

// Each limit of 4 characters is set once the input before it in the entry
// order (row by row: left, right, height, speed) has text: the speeds, the
// right distances of rows 2 to 9 and the height of row 10.
constexpr ChainedLimit AfterLeft(std::size_t row) {
  return row >= 1 && row + 1 < kRowCount ? ChainedLimit{kRows[row].right, kShortChars} : ChainedLimit{};
}
constexpr ChainedLimit AfterRight(std::size_t row) {
  return row + 1 == kRowCount ? ChainedLimit{kRows[row].height, kShortChars} : ChainedLimit{};
}

// The header, then the table column by column, each top to bottom.
constexpr std::size_t kRectHeaderInputs = 9;
constexpr auto kRectInputs = [] {
  std::array<Input, kRectHeaderInputs + 4 * kRowCount> inputs{{
      SingleShotInput(IDC_DYNREC_SHOT, kU16, kShotAt),
      ScanAngleInput(IDC_DYNREC_ANGLE, kU16, kAngleAt),
      Letter(IDC_DYNREC_KIND),
      Unit(IDC_DYNREC_UNIT),
      Number(IDC_DYNREC_NUMBER),
      WordInput(IDC_DYNREC_MIN_HEIGHT, "25", kMinHeightAt),
      WordInput(IDC_DYNREC_MIN_RIGHT, "20", kMinRightAt, {IDC_DYNREC_MIN_HEIGHT, kShortChars}),
      WordInput(IDC_DYNREC_MIN_LEFT, "15", kMinLeftAt, {IDC_DYNREC_MIN_RIGHT, kShortChars}),
      WordInput(IDC_DYNREC_ENTRIES, "5", kRectEntriesAt, {IDC_DYNREC_MIN_LEFT, kShortChars}, 2),
  }};
  for (std::size_t row = 0; row < kRowCount; ++row) {
    const RectRow &r = kRows[row];
    const std::size_t at = 2 * row;
    inputs[kRectHeaderInputs + row] = WordInput(r.speed, r.presetSpeed, kSpeedsAt + at);
    inputs[kRectHeaderInputs + kRowCount + row] =
        WordInput(r.height, r.presetHeight, kHeightsAt + at, {r.speed, kShortChars});
    inputs[kRectHeaderInputs + 2 * kRowCount + row] = WordInput(r.left, r.presetLeft, kLeftsAt + at, AfterLeft(row));
    inputs[kRectHeaderInputs + 3 * kRowCount + row] =
        WordInput(r.right, r.presetRight, kRightsAt + at, AfterRight(row));
  }
  return inputs;
}();
constexpr Description kDynamicRectangle{.inputs = kRectInputs, .blockBytes = kDynRectBytes};

// --- Dynamic segmented field ---------------------------------------------------

// DynSegConfigBlock: the header, ten corner points at speed 0, the valid
// entries, then a table of 11 lines of 30 classes stored line by line:
// line 0 the speeds, lines 1 to 10 the corner points. The five class rows
// are classes 1 to 5, so each corner list runs down a column.
constexpr std::size_t kCornersAt = 6;
constexpr std::size_t kSegEntriesAt = 26;
constexpr std::size_t kTableAt = 28;
constexpr std::size_t kLine = 60;  // 30 classes of 16 bits
constexpr std::size_t kDynSegBytes = 688;
constexpr unsigned kCorners = 10;
constexpr int kListChars = 1999;

constexpr List CornerList(std::int32_t fill, std::size_t stride = 0) {
  return {.token = kNumber, .count = ListCount::kFixed, .entries = kCorners, .fillValue = fill, .stride = stride};
}
constexpr List kStandstill = CornerList(60);
constexpr List kClassLists[] = {CornerList(160, kLine), CornerList(161, kLine), CornerList(162, kLine),
                                CornerList(163, kLine), CornerList(164, kLine)};

struct ClassRow {
  int corners, speed;
  const char *presetCorners, *presetSpeed;
};
constexpr ClassRow kClasses[] = {
    {IDC_DYNSEG_CORNERS_1, IDC_DYNSEG_SPEED_1, "111, 122,133", "32"},
    {IDC_DYNSEG_CORNERS_2, IDC_DYNSEG_SPEED_2, "211, 222, 233", "48"},
    {IDC_DYNSEG_CORNERS_3, IDC_DYNSEG_SPEED_3, "311, 322, 333", "64"},
    {IDC_DYNSEG_CORNERS_4, IDC_DYNSEG_SPEED_4, "411, 422, 433", "80"},
    {IDC_DYNSEG_CORNERS_5, IDC_DYNSEG_SPEED_5, "511, 522, 533", "96"},
};
constexpr std::size_t kClassCount = std::size(kClasses);

// A class's corner list is limited once the speed before it has text (the
// first once the single shot has), its speed once the list has.
constexpr std::size_t kSegHeaderInputs = 7;
constexpr auto kSegInputs = [] {
  std::array<Input, kSegHeaderInputs + 2 * kClassCount> inputs{{
      SingleShotInput(IDC_DYNSEG_SHOT, kU16, kShotAt, {kClasses[0].corners, kListChars}),
      ScanAngleInput(IDC_DYNSEG_ANGLE, kU16, kAngleAt),
      Letter(IDC_DYNSEG_KIND),
      Unit(IDC_DYNSEG_UNIT),
      Number(IDC_DYNSEG_NUMBER),
      {.control = IDC_DYNSEG_CORNERS_0, .preset = "11, 22, 33", .reading = kList, .chars = 119, .field = kU16,
       .offset = kCornersAt, .list = &kStandstill},
      WordInput(IDC_DYNSEG_ENTRIES, "5", kSegEntriesAt, {}, 2),
  }};
  for (std::size_t k = 0; k < kClassCount; ++k) {
    const ClassRow &c = kClasses[k];
    const ChainedLimit nextList =
        k + 1 < kClassCount ? ChainedLimit{kClasses[k + 1].corners, kListChars} : ChainedLimit{};
    inputs[kSegHeaderInputs + k] = WordInput(c.speed, c.presetSpeed, kTableAt + 2 * k, nextList);
    inputs[kSegHeaderInputs + kClassCount + k] = {
        .control = c.corners, .preset = c.presetCorners, .reading = kList, .chars = 119, .field = kU16,
        .offset = kTableAt + kLine + 2 * k, .chained = {c.speed, kShortChars}, .list = &kClassLists[k]};
  }
  return inputs;
}();
constexpr Description kDynamicSegmented{.inputs = kSegInputs, .blockBytes = kDynSegBytes};

}  // namespace

extern "C" {

INT_PTR CALLBACK DYNRECKfgDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  return RunDialog<kDynamicRectangle>(dialog, message, wParam, lParam);
}
INT_PTR WINAPI DialogDYNRECKfg(HWND owner, void *block) {
  return StartDialog(owner, block, IDD_DYN_RECT, DYNRECKfgDlgProc);
}

INT_PTR CALLBACK DYNSEGKfgDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  return RunDialog<kDynamicSegmented>(dialog, message, wParam, lParam);
}
INT_PTR WINAPI DialogDYNSEGKfg(HWND owner, void *block) {
  return StartDialog(owner, block, IDD_DYN_SEG, DYNSEGKfgDlgProc);
}

}  // extern "C"
