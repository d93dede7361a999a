// The field configuration dialogs: a rectangular, a radial and a segmented
// field, all three on one block and started by one export. Each reads, on
// OK, the single shot, the scan angle, the unit and the field letter, then
// its own values and the field number.
#include "dialogs/scan_inputs.h"

using namespace kvt;

namespace {

using enum Reading;
using enum Field;
using enum OkRule;

// FieldConfigBlock: unit, field number, name, field code, scan angle and
// single shot, a word left alone, then the values in 32 bits.
constexpr std::size_t kUnitAt = 0;
constexpr std::size_t kNumberAt = 1;
constexpr std::size_t kNameAt = 2;
constexpr std::size_t kCodeAt = 11;
constexpr std::size_t kAngleAt = 12;
constexpr std::size_t kShotAt = 16;
constexpr std::size_t kFirstValueAt = 24;
constexpr std::size_t kBlockBytes = 1636;

constexpr int kChars = kScanChars;  // every number is read from at most 7 characters
constexpr int kMaxSegments = 400;

constexpr Input SingleShot(int control, ChainedLimit chained) { return SingleShotInput(control, kU32, kShotAt, chained); }
constexpr Input ScanAngle(int control, ChainedLimit chained) { return ScanAngleInput(control, kU32, kAngleAt, chained); }
// A unit above 2 is cm, without a word.
constexpr Input Unit(int control) {
  return {.control = control, .preset = "0", .limit = 1, .reading = kNumber, .chars = kChars, .offset = kUnitAt,
          .check = InRange(0, 2, 0, kReplace, 0)};
}
// The letter's place here; FieldCode makes the code of it.
constexpr Input Letter(int control, ChainedLimit chained) {
  return {.control = control, .preset = "A", .reading = kLetter, .chars = 2, .offset = kCodeAt, .chained = chained,
          .letters = "ABCDEF"};
}
constexpr Input Number(int control, int limit, const char *preset = "1") {
  return {.control = control, .preset = preset, .limit = limit, .reading = kNumber, .chars = kChars,
          .offset = kNumberAt};
}
constexpr Input Value(int control, const char *preset, std::size_t index, ChainedLimit chained = {},
                      OkRule onChange = kNone) {
  return {.control = control, .preset = preset, .reading = kNumber, .chars = kChars, .field = kU32,
          .offset = kFirstValueAt + 4 * index, .onChange = onChange, .chained = chained};
}

// The fields A to C carry the unit in bits 6-7 of their code, D to F their
// letter's number alone; the name is written as the empty text.
constexpr BYTE kFirstLetterWithoutUnit = 3;
void FieldCode(HWND, std::span<BYTE> block) {
  if (block[kCodeAt] < kFirstLetterWithoutUnit) {
    block[kCodeAt] = static_cast<BYTE>(block[kUnitAt] * 64 + block[kCodeAt]);
  }
  block[kNameAt] = 0;
}

constexpr Input kRectangleInputs[] = {
    SingleShot(IDC_RECT_SHOT, {IDC_RECT_RIGHT, 8}),
    ScanAngle(IDC_RECT_ANGLE, {IDC_RECT_SHOT, 8}),
    Unit(IDC_RECT_UNIT),
    Letter(IDC_RECT_KIND, {IDC_RECT_ANGLE, 8}),
    Value(IDC_RECT_LEFT, "10", 0, {IDC_RECT_KIND, 1}),
    Value(IDC_RECT_RIGHT, "15", 1, {IDC_RECT_HEIGHT, 1999}),
    Value(IDC_RECT_HEIGHT, "15", 2),
    Number(IDC_RECT_NUMBER, 1999),
};
constexpr Description kRectangle{.inputs = kRectangleInputs, .blockBytes = kBlockBytes, .onOk = FieldCode};

// The radius first; OK only while it holds text.
constexpr Input kCircleInputs[] = {
    Value(IDC_CIRCLE_RADIUS, "111", 0, {}, kWhileText),
    SingleShot(IDC_CIRCLE_SHOT, {IDC_CIRCLE_RADIUS, 8}),
    ScanAngle(IDC_CIRCLE_ANGLE, {IDC_CIRCLE_SHOT, 8}),
    Unit(IDC_CIRCLE_UNIT),
    Letter(IDC_CIRCLE_KIND, {IDC_CIRCLE_ANGLE, 3}),
    Number(IDC_CIRCLE_NUMBER, 1999),
};
constexpr Description kCircle{.inputs = kCircleInputs, .blockBytes = kBlockBytes, .onOk = FieldCode};

// One corner point more than segments; those the text does not name are 60.
// More than 400 segments are refused and the dialog stays open until the
// corner points change. OK only while they hold text.
constexpr List kCorners{.token = kNumber, .countField = kU32, .countAt = kFirstValueAt, .entries = 1, .fillValue = 60};
constexpr Input kSegmentInputs[] = {
    SingleShot(IDC_SEG_SHOT, {IDC_SEG_CORNERS, 1999}),
    ScanAngle(IDC_SEG_ANGLE, {IDC_SEG_SHOT, 5}),
    Unit(IDC_SEG_UNIT),
    Letter(IDC_SEG_KIND, {IDC_SEG_ANGLE, 4}),
    {.control = IDC_SEG_COUNT, .preset = "10", .reading = kNumber, .chars = kChars, .field = kU32,
     .offset = kFirstValueAt, .chained = {IDC_SEG_KIND, 1},
     .check = InRange(0, kMaxSegments, ids::kSegmentCountAtMost400, kKeepOpen)},
    {.control = IDC_SEG_CORNERS, .preset = "60 60 60 60 60 60 60 60 60 60 60 ", .reading = kList, .chars = 799,
     .field = kU32, .offset = kFirstValueAt + 4, .onChange = kWhileText, .list = &kCorners},
    Number(IDC_SEG_NUMBER, 1),
};
constexpr Description kSegment{.inputs = kSegmentInputs, .blockBytes = kBlockBytes, .onOk = FieldCode};

}  // namespace

extern "C" {

INT_PTR CALLBACK FieldKfgRectangleDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  return RunDialog<kRectangle>(dialog, message, wParam, lParam);
}
INT_PTR CALLBACK FieldKfgCircleDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  return RunDialog<kCircle>(dialog, message, wParam, lParam);
}
INT_PTR CALLBACK FieldKfgSegmentDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  return RunDialog<kSegment>(dialog, message, wParam, lParam);
}

// Kind 0 a rectangular, 1 a radial, 2 a segmented field; any other kind has no dialog.
INT_PTR WINAPI DialogFieldKfg(HWND owner, void *block, BYTE kind) {
  switch (kind) {
    case 0: return StartDialog(owner, block, IDD_FIELD_RECTANGLE, FieldKfgRectangleDlgProc);
    case 1: return StartDialog(owner, block, IDD_FIELD_CIRCLE, FieldKfgCircleDlgProc);
    case 2: return StartDialog(owner, block, IDD_FIELD_SEGMENT, FieldKfgSegmentDlgProc);
    default: return kResultCancel;
  }
}

}  // extern "C"
