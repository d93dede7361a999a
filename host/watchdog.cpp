// The last resort of an unattended run: a thread of its own that ends the
// process when the script's timer has not ticked for too long (a call that
// never returns to a message loop).
#include <atomic>

#include "host.h"

namespace kvt::host {

namespace {

constexpr int kExitTimeout = 3;
constexpr DWORD kCheckMs = 500;

std::atomic<DWORD> g_lastBeat{0};
DWORD g_limitMs = 0;

DWORD WINAPI Watch(LPVOID) {
  for (;;) {
    Sleep(kCheckMs);
    if (GetTickCount() - g_lastBeat.load() > g_limitMs) {
      PrintError(FormatText("Fehler: Das Skript hängt seit %lu s; Abbruch.", g_limitMs / 1000));
      ExitProcess(kExitTimeout);
    }
  }
}

}  // namespace

void Heartbeat() { g_lastBeat = GetTickCount(); }

void StartWatchdog(DWORD limitMs) {
  g_limitMs = limitMs;
  Heartbeat();
  HANDLE thread = CreateThread(nullptr, 0, Watch, nullptr, 0, nullptr);
  if (thread) CloseHandle(thread);
}

}  // namespace kvt::host
