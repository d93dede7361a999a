// The run's state and the module handle DllMain is given.
#include "entry/entry.h"

namespace kvt {

namespace {
RunState g_run;
}  // namespace

RunState &Run() { return g_run; }

}  // namespace kvt

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD, LPVOID) {
  kvt::SetInstance(instance);
  return TRUE;
}
