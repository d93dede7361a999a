// The binary contract between KVTIDIAG.DLL, KVTIDRV.DLL, KVTIDLG.DLL and
// KVTIHOST.EXE. Byte layouts are the same on both architectures; the
// descriptor and the command request are arrays of pointer-sized slots.
#pragma once

#include <windows.h>

#include <array>
#include <cstddef>

namespace kvt {

inline constexpr std::size_t kRecordSize = 828;
using TelegramRecord = std::array<BYTE, kRecordSize>;
static_assert(sizeof(TelegramRecord) == kRecordSize);

// Record bytes that both sides of the driver call rely on.
inline constexpr std::size_t kRecSize = 0;       // u16, always 828 in requests
inline constexpr std::size_t kRecType = 2;       // request: DeviceType
inline constexpr std::size_t kRecCount = 2;      // answer: u16 bytes from the code on
inline constexpr std::size_t kRecLength = 3;     // download requests only
inline constexpr std::size_t kRecAddress = 5;
inline constexpr std::size_t kRecLength2 = 6;    // download requests only
inline constexpr std::size_t kRecKind = 7;       // answer: device-kind bits
inline constexpr std::size_t kRecCode = 8;       // command or answer code
inline constexpr std::size_t kRecData = 9;

inline constexpr BYTE kKindMask = 0x18;

enum DeviceType : BYTE {
  kDeviceKvt = 0,
  kDevicePxd = 1,
  kDeviceKvtQ1 = 2,
  kDeviceKvt90 = 3,
};

// DiagHostDescriptor: ten slots handed to ZenkDialog.
enum DescriptorSlot : int {
  kDescCommandProc = 0,
  kDescShowResultProc,
  kDescSetupProc,
  kDescModeCheckProc,
  kDescInstance,
  kDescName,
  kDescHostValueA,
  kDescName2,
  kDescTitle,
  kDescHostValueB,
  kDescriptorSlots
};

// CommandRequest: nine slots filled by the dialog host per phase.
enum RequestSlot : int {
  kReqHandler = 0,
  kReqTelegram,
  kReqResultText,
  kReqCapacity,
  kReqStatus,
  kReqParamPhase,
  kReqParamBlock,
  kReqParamLength,
  kReqPassword,
  kRequestSlots
};

using Descriptor = std::array<ULONG_PTR, kDescriptorSlots>;
using CommandRequest = std::array<ULONG_PTR, kRequestSlots>;

#if defined(_WIN64)
static_assert(sizeof(Descriptor) == 80 && sizeof(CommandRequest) == 72);
#else
static_assert(sizeof(Descriptor) == 40 && sizeof(CommandRequest) == 36);
#endif

inline constexpr WORD kHeadingCode = 65535;
inline constexpr BYTE kStatusCommFailure = 255;

}  // namespace kvt

#ifdef KVTIDRV_BUILD
#define KVT_DRV_API extern "C"
#else
#define KVT_DRV_API extern "C" __declspec(dllimport)
#endif
#ifdef KVTIDLG_BUILD
#define KVT_DLG_API extern "C"
#else
#define KVT_DLG_API extern "C" __declspec(dllimport)
#endif
#ifdef KVTIDIAG_BUILD
#define KVT_DIAG_API extern "C"
#else
#define KVT_DIAG_API extern "C" __declspec(dllimport)
#endif

// KVTIDRV.DLL
KVT_DRV_API DWORD WINAPI LoadSensor(LPARAM hostValueA);
KVT_DRV_API BOOL WINAPI QuerySensor(DWORD sensor);
KVT_DRV_API BOOL WINAPI SetupSensor(DWORD sensor, HWND owner, LPARAM reserved1, LPARAM reserved2);
KVT_DRV_API BOOL WINAPI OpenSensor(DWORD sensor);
KVT_DRV_API BOOL WINAPI CloseSensor(DWORD sensor);
KVT_DRV_API BOOL WINAPI FreeSensor(DWORD sensor);
KVT_DRV_API BOOL WINAPI ErrorSensor(DWORD sensor, LPSTR text, int textSize);
KVT_DRV_API BOOL WINAPI TelegramSensor(DWORD sensor, BYTE *request, BYTE *answer);
KVT_DRV_API BOOL WINAPI TelegramDownload(DWORD sensor, BYTE *record);
KVT_DRV_API BOOL WINAPI TextSensor(int textClass, WORD code, LPSTR text, int textSize, int reserved);
KVT_DRV_API BOOL WINAPI TextSensorMulPar(int textClass, const void *params, LPSTR text, int textSize, int reserved);

// KVTIDLG.DLL
KVT_DLG_API int WINAPI ZenkDialog(HWND owner, ULONG_PTR *descriptor);

// Callback types carried in the descriptor.
using DiagCommandFn = BOOL(WINAPI *)(HWND owner, ULONG_PTR *request);
using DiagShowResultFn = INT_PTR(WINAPI *)(HWND parent, LPSTR text);
using DiagSetupFn = void(WINAPI *)(HWND window);
using DiagModeCheckFn = BOOL(WINAPI *)(LPARAM unused);

// KVTIDIAG.DLL, the entry points a host program needs.
KVT_DIAG_API void WINAPI DialogDiagnose(HWND owner, LPARAM hostValueA, LPARAM hostValueB);
KVT_DIAG_API INT_PTR WINAPI DialogDeviceAdr(HWND owner, BYTE *block);
KVT_DIAG_API INT_PTR CALLBACK EditResultDlgProc(HWND, UINT, WPARAM, LPARAM);
