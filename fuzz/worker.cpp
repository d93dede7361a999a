// A worker process: runs the campaign's commands from where the shared
// counts stand. A crash, a guard-page hit or a hang is counted, its input
// written to a file, and the process ends; the campaign starts the next.
#include <cstdio>
#include <string>

#include "fuzz/fuzz.h"
#include "fuzz/shared.h"

namespace kvt::fuzz {

namespace {

constexpr DWORD kHangSeconds = 120;

Shared *g_shared = nullptr;
Input g_current;
std::uint64_t g_index = 0;
HANDLE g_mainThread = nullptr;
DWORD g_mainThreadId = 0;

// The windows the command left open, to tell a hang of ours from one of the system's dialogs.
BOOL CALLBACK DescribeWindow(HWND window, LPARAM param) {
  char name[64] = "", title[64] = "";
  GetClassNameA(window, name, sizeof name);
  GetWindowTextA(window, title, sizeof title);
  *reinterpret_cast<std::string *>(param) += std::string("; ") + name + " '" + title + "'" +
                                             (IsWindowVisible(window) ? "" : " hidden") +
                                             (IsWindowEnabled(window) ? "" : " disabled");
  return TRUE;
}

void Save(const std::string &why) { WriteInput(FailurePath(*g_shared, g_index), g_current, why); }

// The command counts as run; the next process goes on behind it.
[[noreturn]] void EndAfter(volatile LONG64 &counter) {
  InterlockedIncrement64(&counter);
  InterlockedIncrement64(&g_shared->commands);
  InterlockedExchange64(&g_shared->next, static_cast<LONG64>(g_index + 1));
  TerminateProcess(GetCurrentProcess(), kFaultExit);
  for (;;) Sleep(INFINITE);
}

void OnFault(bool guardHit, const char *why) {
  Save(why);
  std::fprintf(stderr, "fuzz: command %llu: %s\n", static_cast<unsigned long long>(g_index), why);
  EndAfter(guardHit ? g_shared->guardHits : g_shared->crashes);
}

DWORD WINAPI Watch(void *) {
  LONG64 last = -1;
  DWORD still = 0;
  for (;;) {
    Sleep(1000);
    const LONG64 done = g_shared->commands;
    if (done != last) {
      last = done;
      still = 0;
    } else if (++still >= kHangSeconds) {
      SuspendThread(g_mainThread);
      std::string windows;
      EnumThreadWindows(g_mainThreadId, DescribeWindow, reinterpret_cast<LPARAM>(&windows));
      Save("hang: no progress for " + std::to_string(kHangSeconds) + " seconds" + windows);
      std::fprintf(stderr, "fuzz: command %llu hangs\n", static_cast<unsigned long long>(g_index));
      EndAfter(g_shared->crashes);
    }
  }
}

}  // namespace

int RunWorker(const char *sharedName) {
  g_shared = OpenShared(sharedName);
  if (!g_shared) return 2;
  DuplicateHandle(GetCurrentProcess(), GetCurrentThread(), GetCurrentProcess(), &g_mainThread, 0, FALSE,
                  DUPLICATE_SAME_ACCESS);
  g_mainThreadId = GetCurrentThreadId();
  OpenSession();
  const std::vector<MenuCommand> menu = ReadMenu(GetModuleHandleA(nullptr));
  EndOnFaults(OnFault);
  CloseHandle(CreateThread(nullptr, 0, Watch, nullptr, 0, nullptr));
  while (static_cast<std::uint64_t>(g_shared->next) < g_shared->total) {
    g_index = static_cast<std::uint64_t>(g_shared->next);
    g_current = MakeInput(g_shared->seed, g_index, menu);
    const Outcome outcome = RunInput(g_current, false);
    if (outcome.unterminated) {
      Save("unterminated result");
      InterlockedIncrement64(&g_shared->unterminated);
    }
    InterlockedExchangeAdd64(&g_shared->answers, static_cast<LONG64>(g_current.answers.size()));
    InterlockedExchangeAdd64(&g_shared->texts, static_cast<LONG64>(g_current.texts.size()));
    InterlockedExchangeAdd64(&g_shared->rounds, static_cast<LONG64>(g_current.rounds.size()));
    if (!g_current.file.empty()) InterlockedIncrement64(&g_shared->files);
    InterlockedIncrement64(&g_shared->commands);
    InterlockedExchange64(&g_shared->next, static_cast<LONG64>(g_index + 1));
  }
  return 0;
}

}  // namespace kvt::fuzz
