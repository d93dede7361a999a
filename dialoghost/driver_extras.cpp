// Texts a simulating driver exports beside its contract, looked up at run
// time: a driver for real hardware lacks them, and the window then does
// without. Each is asked for its size first, then filled.
#include "dialoghost.h"

namespace kvt::dlg {

namespace {

constexpr char kDriverModule[] = "KVTIDRV.DLL";
using DriverTextFn = DWORD(WINAPI *)(char *buffer, DWORD capacity);

}  // namespace

bool DriverText(const char *exportName, std::string &text) {
  text.clear();
  HMODULE driver = GetModuleHandleA(kDriverModule);
  // Through a plain pointer to function: FARPROC's own type does not match.
  const auto found = driver ? reinterpret_cast<void (*)()>(GetProcAddress(driver, exportName)) : nullptr;
  const auto read = reinterpret_cast<DriverTextFn>(found);
  if (!read) return false;
  // The text may grow between the two calls (a trace does): ask until it fits.
  for (DWORD size = read(nullptr, 0);;) {
    text.assign(size + 1, '\0');
    const DWORD now = read(text.data(), size + 1);
    if (now <= size) {
      text.resize(now);
      return true;
    }
    size = now;
  }
}

}  // namespace kvt::dlg
