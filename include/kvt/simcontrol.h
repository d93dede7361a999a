// Control of KVTIDRV.DLL's simulated devices for tests, scripts and tools.
// These exports are not part of the driver contract: KVTIDIAG.DLL never
// imports them, so a driver for real hardware need not have them.
#pragma once

#include <windows.h>

#include "kvt/abi.h"

// Applies a configuration in the syntax of the KVTIDRV_SIM environment
// variable (see the README); the empty text restores the defaults.
KVT_DRV_API BOOL WINAPI SimConfigure(const char *config);
// Writes the configuration in force, in the syntax of KVTIDRV_SIM, as a
// zero-terminated text of at most `textSize` bytes; FALSE if it was cut.
KVT_DRV_API BOOL WINAPI SimConfigText(LPSTR text, int textSize);
// Queues one scripted answer: the next TelegramSensor call returns `ok`
// and, when ok, copies the 828-byte `answer` instead of asking the device.
// `flags` is reserved (0).
KVT_DRV_API BOOL WINAPI SimQueueAnswer(const BYTE *answer, BOOL ok, DWORD flags);
// Number of requests TelegramSensor received since the last SimReset.
KVT_DRV_API DWORD WINAPI SimRequestCount(void);
// Copies request number `index` (828 bytes) into `out`.
KVT_DRV_API BOOL WINAPI SimRequestAt(DWORD index, BYTE *out);
// Forgets requests and queued answers; devices go back to their start state.
KVT_DRV_API BOOL WINAPI SimReset(void);

// Sees every answer TelegramSensor is about to hand out, after the queue,
// the fault plan and the device: `answered` says whether one came, `answer`
// holds it (828 bytes, zeros when none came) and may be rewritten; the
// result decides whether TelegramSensor reports an answer. Null: no filter.
typedef BOOL(WINAPI *SimAnswerFilter)(const BYTE *request, BYTE *answer, BOOL answered);
KVT_DRV_API BOOL WINAPI SimFilterAnswers(SimAnswerFilter filter);
// Sees every text TextSensor, TextSensorMulPar and ErrorSensor leave in the
// caller's buffer and may rewrite the `textSize` bytes of it. The class is
// the caller's; ErrorSensor's texts come with kSimErrorTextClass. Null: no filter.
typedef void(WINAPI *SimTextFilter)(int textClass, LPSTR text, int textSize);
KVT_DRV_API BOOL WINAPI SimFilterTexts(SimTextFilter filter);
inline constexpr int kSimErrorTextClass = -1;
// The decoded trace of this process so far (the lines the log file gets,
// CR LF, CP1252; the newest 1 MiB, headed by a line saying so when older
// lines were dropped). Returns the text's length without its zero; copies
// the text and a zero only when `capacity` is larger, else writes a zero
// alone (capacity ≥ 1): ask with 0, allocate, ask again.
KVT_DRV_API DWORD WINAPI SimTraceText(char *buffer, DWORD capacity);
// The device the simulator answers as:
// "device=KVT-Q1;address=3;serial=SN0502207;variant=2"; same return rule.
KVT_DRV_API DWORD WINAPI SimDeviceText(char *buffer, DWORD capacity);
