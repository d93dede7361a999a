// The two-value dialogs: KVT and field number, output stimulation, KVT
// variant, number of averages and number of measured values. Each is a
// row per input, in the order the inputs are read and checked.
#include "dialogs/value_dialog.h"

using namespace kvt;

namespace {

using enum Reading;
using enum Field;
using enum OkRule;
using enum OnFailure;

constexpr BYTE kWithoutSensorSelector = 1;

constexpr ValueInput kKVTFieldNr[] = {
    {.control = IDC_PAIR_KVT_NUMBER, .preset = "1", .limit = 3, .reading = kNumber, .chars = 3, .field = kU8,
     .offset = 0, .check = {.failure = kReplace, .low = 0, .high = 4, .message = 222, .replacement = 1},
     .limitsControl = IDC_PAIR_FIELD_NUMBER, .limitsTo = 4},
    {.control = IDC_PAIR_FIELD_NUMBER, .preset = "1", .limit = 0, .reading = kNumber, .chars = 3, .field = kU8,
     .offset = 1, .check = {.failure = kReplace, .low = 0, .high = 4, .message = 224, .replacement = 1}},
};

constexpr ValueInput kOutputSet[] = {
    {.control = IDC_OUTPUT_TYPE, .preset = "0", .limit = 1, .reading = kNumber, .chars = 3, .field = kU8,
     .offset = 0, .check = {.failure = kReplace, .low = 0, .high = 9, .message = 256, .replacement = 0}},
    {.control = IDC_OUTPUT_VALUE, .preset = "1", .limit = 0, .reading = kNumber, .chars = 3, .field = kU8,
     .offset = 1, .check = {.failure = kReplace, .low = 0, .high = 1, .message = 256, .replacement = 0}},
};

constexpr std::int32_t kScanAngles[] = {100, 180};
constexpr std::int32_t kSingleShots[] = {25, 50, 100};
constexpr ValueInput kVarDef[] = {
    {.control = IDC_SCAN_ANGLE, .preset = "100", .limit = 3, .reading = kNumber, .chars = 3, .field = kS32,
     .offset = 0, .check = {.failure = kReplace, .oneOf = kScanAngles, .message = 260, .replacement = 100},
     .limitsControl = IDC_SINGLE_SHOT, .limitsTo = 3},
    {.control = IDC_SINGLE_SHOT, .preset = "100", .limit = 0, .reading = kNumber, .chars = 3, .field = kS32,
     .offset = 4, .check = {.failure = kReplace, .oneOf = kSingleShots, .message = 260, .replacement = 100}},
};

// The count is checked once both values are stored. Template 619 has no
// sensor input: GetDlgItemInt then reads 0.
constexpr ValueInput kAverageMV[] = {
    {.control = IDC_AVERAGE_SENSOR, .preset = "1", .limit = 1, .reading = kInt, .chars = 0, .field = kU16,
     .offset = 2, .onChange = kWhileText},
    {.control = IDC_AVERAGE_COUNT, .preset = "250", .limit = 3, .reading = kInt, .chars = 0, .field = kU16,
     .offset = 0, .onChange = kWhileText,
     .check = {.failure = kResultZero, .low = 1, .high = 250, .message = 208}},
};

// A count outside the list is only warned about; a sensor above 4 ends with 0.
constexpr std::int32_t kSegmentCounts[] = {9, 10, 15, 18, 30, 45, 90, 180};
constexpr ValueInput kSegmentCount[] = {
    {.control = IDC_SEGMENT_COUNT, .preset = "10", .limit = 3, .reading = kInt, .chars = 0, .field = kU8,
     .offset = 0, .onChange = kWhileText, .check = {.failure = kWarn, .oneOf = kSegmentCounts, .message = 209}},
    {.control = IDC_SEGMENT_SENSOR, .preset = "1", .limit = 1, .reading = kInt, .chars = 0, .field = kU8,
     .offset = 2, .onChange = kWhileText, .check = {.failure = kResultZero, .low = 0, .high = 4, .message = 222}},
};

}  // namespace

extern "C" {

INT_PTR CALLBACK KVTFieldNrDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  return RunValueDialog<kKVTFieldNr>(dialog, message, wParam, lParam);
}
INT_PTR WINAPI DialogKVTFieldNr(HWND owner, void *block) {
  return StartDialog(owner, block, IDD_KVT_FIELD_NR, KVTFieldNrDlgProc);
}

INT_PTR CALLBACK OutputSetDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  return RunValueDialog<kOutputSet>(dialog, message, wParam, lParam);
}
INT_PTR WINAPI DialogOutputSet(HWND owner, void *block) {
  return StartDialog(owner, block, IDD_OUTPUT_SET, OutputSetDlgProc);
}

INT_PTR CALLBACK VarDefDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  return RunValueDialog<kVarDef>(dialog, message, wParam, lParam);
}
INT_PTR WINAPI DialogVarDef(HWND owner, void *block) { return StartDialog(owner, block, IDD_VAR_DEF, VarDefDlgProc); }

INT_PTR CALLBACK AverageMVDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  return RunValueDialog<kAverageMV>(dialog, message, wParam, lParam);
}
INT_PTR WINAPI DialogAverageMV(HWND owner, void *block, BYTE selector) {
  const int templateId = selector == kWithoutSensorSelector ? IDD_AVERAGE_MV : IDD_AVERAGE_MV_SENSOR;
  return StartDialog(owner, block, templateId, AverageMVDlgProc);
}

INT_PTR CALLBACK SegmentCountDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  return RunValueDialog<kSegmentCount>(dialog, message, wParam, lParam);
}
INT_PTR WINAPI DialogSegmentCount(HWND owner, void *block) {
  return StartDialog(owner, block, IDD_SEGMENT_COUNT, SegmentCountDlgProc);
}

}  // extern "C"
