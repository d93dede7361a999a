/* Parameter dialogs: template ids, control ids (one block per dialog, each
   id defined once) and, for C++, the frame, the number readers, the
   collectors and every Dialog<Name> starter with its procedure.
   The id part is read by the resource compiler as well. */
#pragma once

/* Templates */
#define IDD_DEVICE_ADR 105
#define IDD_EDIT_RESULT 400

/* Additional-info dialog (400) */
#define IDC_RESULT_LINE 1000

/* Device and address dialog (105) */
#define IDC_DEVICE_TYPE 1019
#define IDC_DEVICE_ADDRESS 1020
#define IDC_DEVICE_TYPE_LABEL 1021
#define IDC_DEVICE_ADDRESS_LABEL 1022

#ifndef RC_INVOKED

#include <windows.h>

#include <cstdint>

#include "kvt/abi.h"

namespace kvt {

// The frame every dialog procedure shares: background brush, control
// colours, OK enabling and centring.
struct DialogFrame {
  HBRUSH brush = nullptr;
};

void FrameInit(HWND dialog, DialogFrame &frame);
void FrameDestroy(DialogFrame &frame);
// Message 0x0019, the combined control-colour message.
inline constexpr UINT kCtlColorMessage = 0x0019;
INT_PTR FrameControlColour(const DialogFrame &frame, WPARAM wParam, LPARAM lParam);
// EN_CHANGE from an input: OK only while it holds text.
void EnableOkWhileText(HWND dialog, HWND input);

void CentreDialog(HWND parent, HWND dialog);
std::int32_t TextToNumber(const char *text);
std::uint32_t TextToUnsigned(const char *text);

// Collectors: obtain the request's ParamBlock and run its dialog. One row
// per dialog in the collector table.
enum class Collector : BYTE {
  kNone,
  kAglMode, kRspTime, kSensorAdr, kAverageMV, kEVCNr, kSimIndex, kFieldNr, kKVTNr,
  kKVTFieldNr, kLModeData, kSegmentCount, kMVPartial, kAMVP, kSegmP, kFieldKfg,
  kEVCDef, kPXDKfg, kKVTKfg, kKVTKfg2, kPosHelp, kDYNRECKfg, kDYNSEGKfg, kMemDump,
  kStopThres, kOutputSet, kVarDef, kCorrDef, kDistCorrDef, kAssemblycheck, kRemDef,
  kConvDef, kMwRem, kNavDat, kClbHcode,
};

// `argument` is passed through to starters that take a third argument (a
// selector or a kind); `answer` is the reading telegram that presets the
// block, for the rows that copy from it.
BOOL CollectParams(HWND owner, ULONG_PTR *request, Collector collector, BYTE argument = 0,
                   const TelegramRecord *answer = nullptr);

inline constexpr UINT kOutOfMemoryMessage = 16;

}  // namespace kvt

/* Device and address, and the additional-info dialog. */
extern "C" {
INT_PTR WINAPI DialogDeviceAdr(HWND owner, BYTE *block);
INT_PTR CALLBACK EditResultDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
}

#endif /* RC_INVOKED */
