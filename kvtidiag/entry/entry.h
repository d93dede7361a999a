// The diagnosis run: its state, detection and the host's callbacks.
#pragma once

#include <windows.h>

#include "dispatch/dispatch.h"
#include "kvt/abi.h"

namespace kvt {

// Valid from DialogDiagnose's start to its return; the next run overwrites it.
RunState &Run();

BOOL DetectDevice(HWND owner);
void FillDescriptor(Descriptor &descriptor, LPARAM hostValueA, LPARAM hostValueB, const char *name,
                    const char *title);

}  // namespace kvt

// Callbacks handed to the dialog host in the descriptor.
extern "C" {
BOOL WINAPI DiagCommandProc(HWND owner, ULONG_PTR *request);
INT_PTR WINAPI DiagShowResultProc(HWND parent, LPSTR text);
void WINAPI DiagSetupProc(HWND window);
BOOL WINAPI DiagModeCheckProc(LPARAM unused);
}
