// The two-value dialogs: KVT and field number, output stimulation, KVT
// variant, number of averages and number of measured values. Each is a
// row per input, in the order the inputs are read and checked.
#include "dialogs/scan_inputs.h"

using namespace kvt;

namespace {

using enum Reading;
using enum Field;
using enum OkRule;

constexpr BYTE kWithoutSensorSelector = 1;

constexpr Input kKVTFieldNr[] = {
    {.control = IDC_PAIR_KVT_NUMBER, .preset = "1", .limit = 3, .reading = kNumber, .chars = 3,
     .chained = {IDC_PAIR_FIELD_NUMBER, 4}, .check = InRange(0, 4, ids::kSensorNumberFrom1To4, kReplace, 1)},
    {.control = IDC_PAIR_FIELD_NUMBER, .preset = "1", .reading = kNumber, .chars = 3, .offset = 1,
     .check = InRange(0, 4, ids::kFieldNumberFrom1To4, kReplace, 1)},
};

constexpr Input kOutputSet[] = {
    {.control = IDC_OUTPUT_TYPE, .preset = "0", .limit = 1, .reading = kNumber, .chars = 3,
     .check = InRange(0, 9, ids::kImplausibleOutputValues, kReplace, 0)},
    {.control = IDC_OUTPUT_VALUE, .preset = "1", .reading = kNumber, .chars = 3, .offset = 1,
     .check = InRange(0, 1, ids::kImplausibleOutputValues, kReplace, 0)},
};

// The scan angles and single shots of the field dialogs, with a message of their own.
constexpr Input kVarDef[] = {
    {.control = IDC_SCAN_ANGLE, .preset = "100", .limit = 3, .reading = kNumber, .chars = 3, .field = kS32,
     .chained = {IDC_SINGLE_SHOT, 3}, .check = OneOf(kScanAngles, ids::kImplausibleVariantValues, kReplace, 100)},
    {.control = IDC_SINGLE_SHOT, .preset = "100", .reading = kNumber, .chars = 3, .field = kS32, .offset = 4,
     .check = OneOf(kSingleShots, ids::kImplausibleVariantValues, kReplace, 100)},
};

// The count is checked once both values are stored. Template 619 has no
// sensor input: GetDlgItemInt then reads 0.
constexpr Input kAverageMV[] = {
    {.control = IDC_AVERAGE_SENSOR, .preset = "1", .limit = 1, .field = kU16, .offset = 2, .onChange = kWhileText},
    {.control = IDC_AVERAGE_COUNT, .preset = "250", .limit = 3, .field = kU16, .onChange = kWhileText,
     .check = InRange(1, 250, ids::kInputFrom1To250, kResultZero)},
};

// A count outside the list is only warned about; a sensor above 4 ends with 0.
constexpr std::int32_t kSegmentCounts[] = {9, 10, 15, 18, 30, 45, 90, 180};
constexpr Input kSegmentCount[] = {
    {.control = IDC_SEGMENT_COUNT, .preset = "10", .limit = 3, .onChange = kWhileText,
     .check = OneOf(kSegmentCounts, ids::kInputOneOfSegmentCounts, kWarn)},
    {.control = IDC_SEGMENT_SENSOR, .preset = "1", .limit = 1, .offset = 2, .onChange = kWhileText,
     .check = InRange(0, 4, ids::kSensorNumberFrom1To4, kResultZero)},
};

}  // namespace

extern "C" {

INT_PTR CALLBACK KVTFieldNrDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  return RunDialog<kKVTFieldNr>(dialog, message, wParam, lParam);
}
INT_PTR WINAPI DialogKVTFieldNr(HWND owner, void *block) {
  return StartDialog(owner, block, IDD_KVT_FIELD_NR, KVTFieldNrDlgProc);
}

INT_PTR CALLBACK OutputSetDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  return RunDialog<kOutputSet>(dialog, message, wParam, lParam);
}
INT_PTR WINAPI DialogOutputSet(HWND owner, void *block) {
  return StartDialog(owner, block, IDD_OUTPUT_SET, OutputSetDlgProc);
}

INT_PTR CALLBACK VarDefDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  return RunDialog<kVarDef>(dialog, message, wParam, lParam);
}
INT_PTR WINAPI DialogVarDef(HWND owner, void *block) { return StartDialog(owner, block, IDD_VAR_DEF, VarDefDlgProc); }

INT_PTR CALLBACK AverageMVDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  return RunDialog<kAverageMV>(dialog, message, wParam, lParam);
}
INT_PTR WINAPI DialogAverageMV(HWND owner, void *block, BYTE selector) {
  const int templateId = selector == kWithoutSensorSelector ? IDD_AVERAGE_MV : IDD_AVERAGE_MV_SENSOR;
  return StartDialog(owner, block, templateId, AverageMVDlgProc);
}

INT_PTR CALLBACK SegmentCountDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  return RunDialog<kSegmentCount>(dialog, message, wParam, lParam);
}
INT_PTR WINAPI DialogSegmentCount(HWND owner, void *block) {
  return StartDialog(owner, block, IDD_SEGMENT_COUNT, SegmentCountDlgProc);
}

}  // extern "C"
