// The diagnosis run: module handle, run state, detection and the callbacks
// that the dialog host calls besides the dispatcher.
#pragma once

#include <windows.h>

#include "kvt/abi.h"

namespace kvt {

struct DiagTarget {
  BYTE type = kDeviceKvt;
  BYTE address = 0;
};

// Valid from DialogDiagnose's start to its return; the next run overwrites it.
struct RunState {
  DWORD sensor = 0;
  DiagTarget target;
  BYTE variant = 0;
};

HINSTANCE Instance();
void SetInstance(HINSTANCE instance);  // DllMain; test programs that link the objects
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
