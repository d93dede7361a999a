// The one-number dialogs: stop threshold, restart time, calibration number,
// evaluation case, speed index, field number, KVT number, response time,
// device address, reference range and correction-table range. Each is a
// row; the messages are string ids.
#include "dialogs/value_dialog.h"

using namespace kvt;

namespace {

using enum Reading;
using enum Field;
using enum OkRule;
using enum OnFailure;

constexpr ValueInput kStopThres[] = {
    {.control = IDC_STOP_THRESHOLD, .preset = "44", .limit = 4, .reading = kNumber, .chars = 11, .field = kS32,
     .offset = 0},
};
constexpr ValueInput kWATime[] = {
    {.control = IDC_RESTART_SECONDS, .preset = "2", .limit = 2, .reading = kInt, .chars = 0, .field = kU8,
     .offset = 0, .onChange = kWhileText, .check = {.failure = kResultZero, .low = 2, .high = 60, .message = 207}},
};
constexpr ValueInput kAglMode[] = {
    {.control = IDC_CALIBRATION_NUMBER, .preset = "4", .limit = 2, .reading = kInt, .chars = 0, .field = kU8,
     .offset = 0, .onChange = kWhileText, .check = {.failure = kResultZero, .low = 4, .high = 10, .message = 245}},
};
constexpr ValueInput kEVCNr[] = {
    {.control = IDC_EVALUATION_CASE, .preset = "1", .limit = 2, .reading = kInt, .chars = 0, .field = kU8,
     .offset = 0, .onChange = kWhileText, .check = {.failure = kResultZero, .low = 1, .high = 10, .message = 223}},
};
constexpr ValueInput kSimIndex[] = {
    {.control = IDC_SPEED_INDEX, .preset = "1", .limit = 2, .reading = kInt, .chars = 0, .field = kU8,
     .offset = 0, .onChange = kWhileText, .check = {.failure = kResultZero, .low = 0, .high = 30, .message = 225}},
};
// 0 passes although message 224 names 1 to 4.
constexpr ValueInput kFieldNr[] = {
    {.control = IDC_FIELD_NUMBER, .preset = "1", .limit = 2, .reading = kInt, .chars = 0, .field = kU8,
     .offset = 0, .check = {.failure = kResultZero, .low = 0, .high = 4, .message = 224}},
};
constexpr ValueInput kKVTNr[] = {
    {.control = IDC_KVT_NUMBER, .preset = "1", .limit = 2, .reading = kInt, .chars = 0, .field = kU8,
     .offset = 0, .onChange = kAnyNotification,
     .check = {.failure = kResultZero, .low = 0, .high = 4, .message = 222}},
};
// The device takes 1 to 126 although message 204 names 2 to 16.
constexpr ValueInput kRspTime[] = {
    {.control = IDC_EVALUATION_COUNT, .preset = "2", .limit = 2, .reading = kInt, .chars = 0, .field = kU8,
     .offset = 0, .onChange = kWhileText,
     .check = {.failure = kResultZero, .low = 1, .high = 126, .message = 204}},
};
// A refused address leaves the block as it was.
constexpr ValueInput kSensorAdr[] = {
    {.control = IDC_SENSOR_ADDRESS, .preset = "0", .limit = 3, .reading = kInt, .chars = 0, .field = kU8,
     .offset = 0, .onChange = kWhileText,
     .check = {.failure = kResultZero, .low = 0, .high = 127, .message = 211}, .storeOnlyWhenAccepted = true},
};
constexpr ValueInput kRefNr[] = {
    {.control = IDC_REFERENCE_RANGE, .preset = "0", .limit = 1, .reading = kInt, .chars = 0, .field = kU16,
     .offset = 0, .onChange = kWhileText, .check = {.failure = kResultZero, .low = 0, .high = 3, .message = 272}},
};
constexpr ValueInput kCorrAnf[] = {
    {.control = IDC_CORRECTION_RANGE, .preset = "0", .limit = 1, .reading = kNumber, .chars = 3, .field = kU8,
     .offset = 0, .check = {.failure = kReplace, .low = 0, .high = 6, .message = 260, .replacement = 0}},
};

}  // namespace

extern "C" {

INT_PTR CALLBACK StopThresDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  return RunValueDialog<kStopThres>(dialog, message, wParam, lParam);
}
INT_PTR WINAPI DialogStopThres(HWND owner, void *block) {
  return StartDialog(owner, block, IDD_STOP_THRES, StopThresDlgProc);
}

INT_PTR CALLBACK WATimeDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  return RunValueDialog<kWATime>(dialog, message, wParam, lParam);
}
INT_PTR WINAPI DialogWATime(HWND owner, void *block) { return StartDialog(owner, block, IDD_WA_TIME, WATimeDlgProc); }

INT_PTR CALLBACK AglModeDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  return RunValueDialog<kAglMode>(dialog, message, wParam, lParam);
}
INT_PTR WINAPI DialogAglMode(HWND owner, void *block) {
  return StartDialog(owner, block, IDD_AGL_MODE, AglModeDlgProc);
}

INT_PTR CALLBACK EVCNrDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  return RunValueDialog<kEVCNr>(dialog, message, wParam, lParam);
}
INT_PTR WINAPI DialogEVCNr(HWND owner, void *block) { return StartDialog(owner, block, IDD_EVC_NR, EVCNrDlgProc); }

INT_PTR CALLBACK SimIndexDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  return RunValueDialog<kSimIndex>(dialog, message, wParam, lParam);
}
INT_PTR WINAPI DialogSimIndex(HWND owner, void *block) {
  return StartDialog(owner, block, IDD_SIM_INDEX, SimIndexDlgProc);
}

INT_PTR CALLBACK FieldNrDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  return RunValueDialog<kFieldNr>(dialog, message, wParam, lParam);
}
INT_PTR WINAPI DialogFieldNr(HWND owner, void *block) {
  return StartDialog(owner, block, IDD_FIELD_NR, FieldNrDlgProc);
}

INT_PTR CALLBACK KVTNrDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  return RunValueDialog<kKVTNr>(dialog, message, wParam, lParam);
}
INT_PTR WINAPI DialogKVTNr(HWND owner, void *block) { return StartDialog(owner, block, IDD_KVT_NR, KVTNrDlgProc); }

INT_PTR CALLBACK RspTimeDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  return RunValueDialog<kRspTime>(dialog, message, wParam, lParam);
}
INT_PTR WINAPI DialogRspTime(HWND owner, void *block) {
  return StartDialog(owner, block, IDD_RSP_TIME, RspTimeDlgProc);
}

INT_PTR CALLBACK SensorAdrDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  return RunValueDialog<kSensorAdr>(dialog, message, wParam, lParam);
}
INT_PTR WINAPI DialogSensorAdr(HWND owner, void *block) {
  return StartDialog(owner, block, IDD_SENSOR_ADR, SensorAdrDlgProc);
}

INT_PTR CALLBACK RefNrDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  return RunValueDialog<kRefNr>(dialog, message, wParam, lParam);
}
INT_PTR WINAPI DialogRefNr(HWND owner, void *block) { return StartDialog(owner, block, IDD_REF_NR, RefNrDlgProc); }

INT_PTR CALLBACK CorrAnfDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  return RunValueDialog<kCorrAnf>(dialog, message, wParam, lParam);
}
INT_PTR WINAPI DialogCorrAnf(HWND owner, void *block) {
  return StartDialog(owner, block, IDD_CORR_ANF, CorrAnfDlgProc);
}

}  // extern "C"
