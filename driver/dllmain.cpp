// The module handle, for the setup dialog's template.
#include "driver.h"

namespace kvtdrv {

namespace {

HINSTANCE g_instance = nullptr;

}  // namespace

HINSTANCE Instance() { return g_instance; }

}  // namespace kvtdrv

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) kvtdrv::g_instance = instance;
  return TRUE;
}
