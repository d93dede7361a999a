// The interface unit's two large dialogs: the PXD configuration and an
// evaluation case. Both edit the unit's own record and check nothing (the
// ranges in the labels are hints); the caller's flag chooses whether they
// open with the block's values or with fixed defaults.
#include "dialogs/dialog_engine.h"

using namespace kvt;

namespace {

using enum Reading;
using enum Field;

// Set by either starter, read when its dialog opens.
bool g_showBlock = false;

// Numbers are read from at most 7 characters, names are 8 characters.
constexpr int kNumberChars = 7;
constexpr int kNameChars = 8;

constexpr Input Number(int control, std::size_t offset, const char *preset, Field field = kU8, int limit = 0) {
  return {.control = control, .preset = preset, .presetFromBlock = true, .limit = limit, .reading = kNumber,
          .chars = kNumberChars, .field = field, .offset = offset};
}
constexpr Input Name(int control, std::size_t offset, const char *preset, int limit = 0) {
  return {.control = control, .preset = preset, .presetFromBlock = true, .limit = limit, .reading = kCharacters,
          .chars = kNameChars, .field = kText, .offset = offset};
}
// A single shot may be typed as a decimal fraction; its whole part is kept.
constexpr Input Shot(int control, std::size_t offset) {
  return {.control = control, .preset = "50", .presetFromBlock = true, .reading = kFraction, .chars = kNumberChars,
          .field = kU16, .offset = offset};
}

constexpr Input kPxdKfgRows[] = {
    Number(IDC_PXD_SENSOR_COUNT, 0, "0", kU8, 1),
    Name(IDC_PXD_SENSOR_NAME_1, 1, "NOKVT"),
    Name(IDC_PXD_SENSOR_NAME_2, 10, "NOKVT"),
    Name(IDC_PXD_SENSOR_NAME_3, 19, "NOKVT"),
    Name(IDC_PXD_SENSOR_NAME_4, 28, "NOKVT"),
    Number(IDC_PXD_SCAN_ANGLE_1, 37, "0", kU16),
    Number(IDC_PXD_SCAN_ANGLE_2, 39, "0", kU16),
    Number(IDC_PXD_SCAN_ANGLE_3, 41, "0", kU16),
    Number(IDC_PXD_SCAN_ANGLE_4, 43, "0", kU16),
    Shot(IDC_PXD_SINGLE_SHOT_1, 45),
    Shot(IDC_PXD_SINGLE_SHOT_2, 47),
    Shot(IDC_PXD_SINGLE_SHOT_3, 49),
    Shot(IDC_PXD_SINGLE_SHOT_4, 51),
    Number(IDC_PXD_INPUTS, 53, "0"),
    Number(IDC_PXD_OUTPUTS, 54, "0"),
    Number(IDC_PXD_UNIT, 55, "0"),
    Number(IDC_PXD_FIELDS_TOGETHER, 56, "0"),
    Number(IDC_PXD_FIELD_COUNT, 57, "0"),
    Name(IDC_PXD_FIELD_NAME_1, 58, "0"),
    Name(IDC_PXD_FIELD_NAME_2, 67, "0"),
    Name(IDC_PXD_FIELD_NAME_3, 76, "0"),
    Name(IDC_PXD_FIELD_NAME_4, 85, "0"),
    Number(IDC_PXD_VOLATILE_FIELD_SET, 94, "0"),
    Number(IDC_PXD_CASE_COUNT, 95, "0"),
    Number(IDC_PXD_PULSES_PER_CM, 96, "0", kU16),
    Number(IDC_PXD_AUTO_RESET, 98, "0", kU16),
    Number(IDC_PXD_MAX_SPEED, 100, "0", kU16),
    Number(IDC_PXD_ADDRESS, 102, "0"),
};
constexpr Description kPxdKfg{.inputs = kPxdKfgRows, .showBlock = &g_showBlock};
static_assert(BlockBytes(kPxdKfg) == kPxdConfigSize);

// Field A's values lie in another order than those of the fields B and C.
constexpr Input kEvcDefRows[] = {
    Number(IDC_EVC_NUMBER, 0, "1", kU8, 2),
    Name(IDC_EVC_NAME, 1, "NOEVC", 8),
    Number(IDC_EVC_INPUT_IMAGE, 10, "0", kU16, 8),
    Number(IDC_EVC_SENSOR, 12, "1", kU8, 2),
    Number(IDC_EVC_FIELD, 13, "1", kU8, 2),
    Number(IDC_EVC_DYNAMIC_FIELDS, 14, "0", kU8, 2),
    Number(IDC_EVC_SUBTRACTIVE_FIELDS, 15, "0", kU8, 2),
    Number(IDC_EVC_OUTPUT_IMAGE, 16, "1", kU8, 8),
    Number(IDC_EVC_BLANKING, 17, "0", kU16, 2),
    Number(IDC_EVC_A_REFERENCE, 19, "0", kU8, 2),
    Number(IDC_EVC_MULTIPLE, 20, "2", kU8, 4),
    Number(IDC_EVC_A_RESTART, 21, "0", kU8, 2),
    Number(IDC_EVC_A_RESTART_TIME, 22, "0", kU8, 4),
    Number(IDC_EVC_A_PLUS, 23, "0", kU8, 2),
    Number(IDC_EVC_A_MINUS, 24, "0", kU8, 4),
    Number(IDC_EVC_A_START, 25, "0", kU8, 4),
    Number(IDC_EVC_A_STOP, 26, "0", kU8, 4),
    Number(IDC_EVC_MOTOR_FLAP, 27, "0", kU8, 1),
    Number(IDC_EVC_TIME_BASE, 28, "0", kU8, 1),
    Number(IDC_EVC_B_REFERENCE, 29, "0", kU8, 2),
    Number(IDC_EVC_B_PLUS, 30, "0", kU8, 2),
    Number(IDC_EVC_B_MINUS, 31, "0", kU8, 4),
    Number(IDC_EVC_B_START, 32, "0", kU8, 4),
    Number(IDC_EVC_B_STOP, 33, "0", kU8, 4),
    Number(IDC_EVC_B_RESTART, 34, "0", kU8, 2),
    Number(IDC_EVC_B_RESTART_TIME, 35, "0", kU8, 4),
    Number(IDC_EVC_C_REFERENCE, 36, "0", kU8, 2),
    Number(IDC_EVC_C_PLUS, 37, "0", kU8, 2),
    Number(IDC_EVC_C_MINUS, 38, "0", kU8, 4),
    Number(IDC_EVC_C_START, 39, "0", kU8, 4),
    Number(IDC_EVC_C_STOP, 40, "0", kU8, 4),
    Number(IDC_EVC_C_RESTART, 41, "0", kU8, 2),
    Number(IDC_EVC_C_RESTART_TIME, 42, "0", kU8, 4),
};
constexpr Description kEvcDef{.inputs = kEvcDefRows, .showBlock = &g_showBlock};
static_assert(BlockBytes(kEvcDef) == kEvcDefSize);

}  // namespace

extern "C" {

INT_PTR CALLBACK PXDKfgDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  return RunDialog<kPxdKfg>(dialog, message, wParam, lParam);
}
INT_PTR WINAPI DialogPXDKfg(HWND owner, void *block, BYTE show) {
  g_showBlock = show != 0;
  return StartDialog(owner, block, IDD_PXD_KFG, PXDKfgDlgProc);
}

INT_PTR CALLBACK EVCDefDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  return RunDialog<kEvcDef>(dialog, message, wParam, lParam);
}
INT_PTR WINAPI DialogEVCDef(HWND owner, void *block, BYTE show) {
  g_showBlock = show != 0;
  return StartDialog(owner, block, IDD_EVC_DEF, EVCDefDlgProc);
}

}  // extern "C"
