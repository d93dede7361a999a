// The range dialogs: a partial range of the measured values, an averaged
// partial range, a range by segments, the laser angle ranges of the
// positioning aid, the unused vacuum-check dialog, and up to five ranges
// with measured and remission values. Each reads its words in the order
// its checks need them: the range before the sensor and the count.
#include "dialogs/dialog_engine.h"
#include "string_ids.h"

using namespace kvt;

namespace {

using enum Reading;
using enum Field;
using enum OkRule;

constexpr BYTE kModeSelector = 1;
// The 12-byte range blocks record a length of 10.
constexpr std::size_t kRangeBlockBytes = 10;
constexpr std::int32_t kLastValue = 401;

constexpr Input kPartialInputs[] = {
    {.control = IDC_PARTIAL_FIRST, .preset = "181", .limit = 6, .field = kU16, .offset = 2},
    {.control = IDC_PARTIAL_LAST, .preset = "181", .limit = 6, .field = kU16, .offset = 4, .onChange = kWhileText,
     .check = Ordered(2, kLastValue, ids::kFirstValueNotAboveLast, kWarn)},
    {.control = IDC_PARTIAL_SENSOR, .preset = "1", .limit = 3, .field = kU16,
     .check = InRange(0, 4, ids::kSensorNumberFrom1To4, kResultZero)},
};
// Sent at once after each measurement: bit 15 of the first value.
constexpr Button kPartialDirect[] = {
    {IDC_PARTIAL_DIRECT, ButtonRule::kSetsBitsOnOk, kU16, 2, 0x8000},
};
constexpr Description kPartial{.inputs = kPartialInputs, .buttons = kPartialDirect, .blockBytes = kRangeBlockBytes};

constexpr Input kAveragedInputs[] = {
    {.control = IDC_AMVP_FIRST, .preset = "180", .limit = 3, .field = kU16, .offset = 4},
    {.control = IDC_AMVP_LAST, .preset = "181", .limit = 3, .field = kU16, .offset = 6,
     .check = Ordered(4, kLastValue, ids::kFirstValueNotAboveLast, kWarn)},
    {.control = IDC_AMVP_SENSOR, .preset = "1", .limit = 1, .field = kU16,
     .check = InRange(0, 4, ids::kSensorNumberFrom1To4, kWarn)},
    {.control = IDC_AMVP_AVERAGES, .preset = "100", .limit = 3, .field = kU16, .offset = 2, .onChange = kWhileText,
     .check = InRange(1, 250, ids::kInputFrom1To250, kResultZero)},
};
constexpr Description kAveraged{.inputs = kAveragedInputs, .blockBytes = kRangeBlockBytes};

// The device takes 1 to 201 segments, although the message names 250.
constexpr Input kSegmentInputs[] = {
    {.control = IDC_SEGM_FIRST, .preset = "20", .limit = 3, .field = kU16, .offset = 4},
    {.control = IDC_SEGM_LAST, .preset = "80", .field = kU16, .offset = 6,
     .check = Ordered(4, kLastValue, ids::kFirstValueNotAboveLast, kWarn)},
    {.control = IDC_SEGM_COUNT, .preset = "15", .limit = 3, .field = kU16, .offset = 2,
     .check = InRange(1, 201, ids::kInputFrom1To250, kResultZero)},
};
constexpr Description kSegments{.inputs = kSegmentInputs, .blockBytes = kRangeBlockBytes};

// An angle of the positioning aid: three characters, no check.
constexpr Input Angle(int control, const char *preset, std::size_t offset) {
  return {.control = control, .preset = preset, .limit = 3, .field = kU16, .offset = offset};
}
constexpr Input kPosition[] = {
    Angle(IDC_POS_RESOLUTION, "100", 0), Angle(IDC_POS_RANGES, "1", 2), Angle(IDC_POS_START_1, "90", 4),
    Angle(IDC_POS_STOP_1, "90", 6),      Angle(IDC_POS_START_2, "", 8), Angle(IDC_POS_STOP_2, "", 10),
    Angle(IDC_POS_START_3, "", 12),      Angle(IDC_POS_STOP_3, "", 14),
};

// Written for inputs that its template 626 does not have: they read 0.
constexpr Input kVacuum[] = {
    Angle(IDC_VAC_RESOLUTION, "100", 0),
    Angle(IDC_VAC_FIRST, "90", 2),
    {.control = IDC_VAC_LAST, .preset = "90", .limit = 3, .field = kU16, .offset = 4, .onChange = kWhileText,
     .check = Ordered(2, 180, ids::kFirstValueNotAboveLast, kResultZero)},
};

// Decimal fractions cut to whole numbers: two characters of the count,
// five of each value.
constexpr Input Range(int control, const char *preset, std::size_t offset) {
  return {.control = control, .preset = preset, .reading = kFraction, .chars = 5, .field = kU16, .offset = offset};
}
constexpr Input kMwRem[] = {
    {.control = IDC_MWREM_COUNT, .preset = "1", .reading = kFraction, .chars = 2, .field = kU16},
    Range(IDC_MWREM_FIRST_1, "85", 2), Range(IDC_MWREM_LAST_1, "105", 4),
    Range(IDC_MWREM_FIRST_2, "", 6),   Range(IDC_MWREM_LAST_2, "", 8),
    Range(IDC_MWREM_FIRST_3, "", 10),  Range(IDC_MWREM_LAST_3, "", 12),
    Range(IDC_MWREM_FIRST_4, "", 14),  Range(IDC_MWREM_LAST_4, "", 16),
    Range(IDC_MWREM_FIRST_5, "", 18),  Range(IDC_MWREM_LAST_5, "", 20),
};

}  // namespace

extern "C" {

INT_PTR CALLBACK MVPartialDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  return RunDialog<kPartial>(dialog, message, wParam, lParam);
}
INT_PTR WINAPI DialogMVPartial(HWND owner, void *block, BYTE selector) {
  return StartDialog(owner, block, selector == kModeSelector ? IDD_MV_PARTIAL_MODE : IDD_MV_PARTIAL, MVPartialDlgProc);
}

INT_PTR CALLBACK AMVPDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  return RunDialog<kAveraged>(dialog, message, wParam, lParam);
}
INT_PTR WINAPI DialogAMVP(HWND owner, void *block, BYTE selector) {
  return StartDialog(owner, block, selector == kModeSelector ? IDD_AMVP_MODE : IDD_AMVP, AMVPDlgProc);
}

INT_PTR CALLBACK SegmPDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  return RunDialog<kSegments>(dialog, message, wParam, lParam);
}
INT_PTR WINAPI DialogSegmP(HWND owner, void *block, BYTE selector) {
  if (selector != kModeSelector) return kResultCancel;
  return StartDialog(owner, block, IDD_SEGM_P, SegmPDlgProc);
}

INT_PTR CALLBACK PosHelpDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  return RunDialog<kPosition>(dialog, message, wParam, lParam);
}
INT_PTR WINAPI DialogPosHelp(HWND owner, void *block) {
  return StartDialog(owner, block, IDD_POS_HELP, PosHelpDlgProc);
}

INT_PTR CALLBACK VacCtrlDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  return RunDialog<kVacuum>(dialog, message, wParam, lParam);
}
INT_PTR WINAPI DialogVacCtrl(HWND owner, void *block) {
  return StartDialog(owner, block, IDD_REM_DEF, VacCtrlDlgProc);
}

INT_PTR CALLBACK MwRemDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  return RunDialog<kMwRem>(dialog, message, wParam, lParam);
}
INT_PTR WINAPI DialogMwRem(HWND owner, void *block) { return StartDialog(owner, block, IDD_MW_REM, MwRemDlgProc); }

}  // extern "C"
