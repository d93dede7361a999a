// The one-number dialogs: stop threshold, restart time, calibration number,
// evaluation case, speed index, field number, KVT number, response time,
// device address, reference range and correction-table range. Each is a
// row.
#include "dialogs/dialog_engine.h"
#include "string_ids.h"

using namespace kvt;

namespace {

using enum Reading;
using enum Field;
using enum OkRule;

constexpr Input kStopThres[] = {
    {.control = IDC_STOP_THRESHOLD, .preset = "44", .limit = 4, .reading = kNumber, .chars = 11, .field = kS32},
};
constexpr Input kWATime[] = {
    {.control = IDC_RESTART_SECONDS, .preset = "2", .limit = 2, .onChange = kWhileText,
     .check = InRange(2, 60, ids::kInputFrom2To60Seconds, kResultZero)},
};
constexpr Input kAglMode[] = {
    {.control = IDC_CALIBRATION_NUMBER, .preset = "4", .limit = 2, .onChange = kWhileText,
     .check = InRange(4, 10, ids::kWrongCalibrationNumber, kResultZero)},
};
constexpr Input kEVCNr[] = {
    {.control = IDC_EVALUATION_CASE, .preset = "1", .limit = 2, .onChange = kWhileText,
     .check = InRange(1, 10, ids::kMonitoringCaseFrom1To10, kResultZero)},
};
constexpr Input kSimIndex[] = {
    {.control = IDC_SPEED_INDEX, .preset = "1", .limit = 2, .onChange = kWhileText,
     .check = InRange(0, 30, ids::kIndexFrom0To30, kResultZero)},
};
// 0 passes although the message names 1 to 4.
constexpr Input kFieldNr[] = {
    {.control = IDC_FIELD_NUMBER, .preset = "1", .limit = 2,
     .check = InRange(0, 4, ids::kFieldNumberFrom1To4, kResultZero)},
};
constexpr Input kKVTNr[] = {
    {.control = IDC_KVT_NUMBER, .preset = "1", .limit = 2, .onChange = kAnyNotification,
     .check = InRange(0, 4, ids::kSensorNumberFrom1To4, kResultZero)},
};
// The device takes 1 to 126 although the message names 2 to 16.
constexpr Input kRspTime[] = {
    {.control = IDC_EVALUATION_COUNT, .preset = "2", .limit = 2, .onChange = kWhileText,
     .check = InRange(1, 126, ids::kInputFrom2To16, kResultZero)},
};
// A refused address leaves the block as it was.
constexpr Input kSensorAdr[] = {
    {.control = IDC_SENSOR_ADDRESS, .preset = "0", .limit = 3, .onChange = kWhileText,
     .check = AsRead(InRange(0, 127, ids::kDeviceAddressFrom0To127, kResultZero))},
};
constexpr Input kRefNr[] = {
    {.control = IDC_REFERENCE_RANGE, .preset = "0", .limit = 1, .field = kU16, .onChange = kWhileText,
     .check = InRange(0, 3, ids::kReferenceRangeFrom0To3, kResultZero)},
};
constexpr Input kCorrAnf[] = {
    {.control = IDC_CORRECTION_RANGE, .preset = "0", .limit = 1, .reading = kNumber, .chars = 3,
     .check = InRange(0, 6, ids::kImplausibleVariantValues, kReplace, 0)},
};

}  // namespace

extern "C" {

INT_PTR CALLBACK StopThresDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  return RunDialog<kStopThres>(dialog, message, wParam, lParam);
}
INT_PTR WINAPI DialogStopThres(HWND owner, void *block) {
  return StartDialog(owner, block, IDD_STOP_THRES, StopThresDlgProc);
}

INT_PTR CALLBACK WATimeDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  return RunDialog<kWATime>(dialog, message, wParam, lParam);
}
INT_PTR WINAPI DialogWATime(HWND owner, void *block) { return StartDialog(owner, block, IDD_WA_TIME, WATimeDlgProc); }

INT_PTR CALLBACK AglModeDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  return RunDialog<kAglMode>(dialog, message, wParam, lParam);
}
INT_PTR WINAPI DialogAglMode(HWND owner, void *block) {
  return StartDialog(owner, block, IDD_AGL_MODE, AglModeDlgProc);
}

INT_PTR CALLBACK EVCNrDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  return RunDialog<kEVCNr>(dialog, message, wParam, lParam);
}
INT_PTR WINAPI DialogEVCNr(HWND owner, void *block) { return StartDialog(owner, block, IDD_EVC_NR, EVCNrDlgProc); }

INT_PTR CALLBACK SimIndexDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  return RunDialog<kSimIndex>(dialog, message, wParam, lParam);
}
INT_PTR WINAPI DialogSimIndex(HWND owner, void *block) {
  return StartDialog(owner, block, IDD_SIM_INDEX, SimIndexDlgProc);
}

INT_PTR CALLBACK FieldNrDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  return RunDialog<kFieldNr>(dialog, message, wParam, lParam);
}
INT_PTR WINAPI DialogFieldNr(HWND owner, void *block) {
  return StartDialog(owner, block, IDD_FIELD_NR, FieldNrDlgProc);
}

INT_PTR CALLBACK KVTNrDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  return RunDialog<kKVTNr>(dialog, message, wParam, lParam);
}
INT_PTR WINAPI DialogKVTNr(HWND owner, void *block) { return StartDialog(owner, block, IDD_KVT_NR, KVTNrDlgProc); }

INT_PTR CALLBACK RspTimeDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  return RunDialog<kRspTime>(dialog, message, wParam, lParam);
}
INT_PTR WINAPI DialogRspTime(HWND owner, void *block) {
  return StartDialog(owner, block, IDD_RSP_TIME, RspTimeDlgProc);
}

INT_PTR CALLBACK SensorAdrDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  return RunDialog<kSensorAdr>(dialog, message, wParam, lParam);
}
INT_PTR WINAPI DialogSensorAdr(HWND owner, void *block) {
  return StartDialog(owner, block, IDD_SENSOR_ADR, SensorAdrDlgProc);
}

INT_PTR CALLBACK RefNrDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  return RunDialog<kRefNr>(dialog, message, wParam, lParam);
}
INT_PTR WINAPI DialogRefNr(HWND owner, void *block) { return StartDialog(owner, block, IDD_REF_NR, RefNrDlgProc); }

INT_PTR CALLBACK CorrAnfDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  return RunDialog<kCorrAnf>(dialog, message, wParam, lParam);
}
INT_PTR WINAPI DialogCorrAnf(HWND owner, void *block) {
  return StartDialog(owner, block, IDD_CORR_ANF, CorrAnfDlgProc);
}

}  // extern "C"
