#include "entry/entry.h"

namespace kvt {

namespace {
HINSTANCE g_instance = nullptr;
RunState g_run;
}  // namespace

HINSTANCE Instance() { return g_instance; }
void SetInstance(HINSTANCE instance) { g_instance = instance; }
RunState &Run() { return g_run; }

}  // namespace kvt

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD, LPVOID) {
  kvt::SetInstance(instance);
  return TRUE;
}
