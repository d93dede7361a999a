// The campaign: worker processes run the commands one after another; a
// worker that ends on a fault is followed by a new one behind that command.
#include <cstdio>

#include "fuzz/fuzz.h"
#include "fuzz/shared.h"

namespace kvt::fuzz {

namespace {

constexpr DWORD kReportMilliseconds = 60 * 1000;

void Report(const Shared &shared) {
  std::fprintf(stderr,
               "fuzz: %lld of %llu commands, %lld crashes, %lld guard-page hits, %lld unterminated results, "
               "%lld dialog rounds\n",
               static_cast<long long>(shared.commands), static_cast<unsigned long long>(shared.total),
               static_cast<long long>(shared.crashes), static_cast<long long>(shared.guardHits),
               static_cast<long long>(shared.unterminated), static_cast<long long>(shared.rounds));
}

// Runs one worker to its end; FALSE when it could not be started.
bool RunOneWorker(Shared &shared, const std::string &sharedName) {
  char exe[MAX_PATH];
  GetModuleFileNameA(nullptr, exe, sizeof exe);
  std::string command = std::string("\"") + exe + "\" --worker " + sharedName;
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessA(exe, command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process)) {
    return false;
  }
  while (WaitForSingleObject(process.hProcess, kReportMilliseconds) == WAIT_TIMEOUT) Report(shared);
  DWORD code = 0;
  GetExitCodeProcess(process.hProcess, &code);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  // Ended without counting its fault: the command it stood at counts as a crash.
  if (code != 0 && code != kFaultExit && static_cast<std::uint64_t>(shared.next) < shared.total) {
    std::fprintf(stderr, "fuzz: command %lld ended the worker with code 0x%lX\n", static_cast<long long>(shared.next),
                 code);
    InterlockedIncrement64(&shared.crashes);
    InterlockedIncrement64(&shared.commands);
    InterlockedIncrement64(&shared.next);
  }
  return true;
}

}  // namespace

Shared *OpenShared(const char *name) {
  HANDLE mapping = OpenFileMappingA(FILE_MAP_ALL_ACCESS, FALSE, name);
  return mapping ? static_cast<Shared *>(MapViewOfFile(mapping, FILE_MAP_ALL_ACCESS, 0, 0, sizeof(Shared))) : nullptr;
}

std::string FailurePath(const Shared &shared, std::uint64_t index) {
  return std::string(shared.failures) + "\\fuzz-" + std::to_string(shared.seed) + "-" + std::to_string(index) + ".txt";
}

Counts RunCampaign(std::uint64_t total, std::uint64_t seed, const std::string &failures) {
  const std::string name = "KvtFuzz-" + std::to_string(GetCurrentProcessId());
  HANDLE mapping = CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, sizeof(Shared), name.c_str());
  auto *shared = static_cast<Shared *>(MapViewOfFile(mapping, FILE_MAP_ALL_ACCESS, 0, 0, sizeof(Shared)));
  if (!shared) return {0, 1, 0, 0};
  *shared = Shared{};
  shared->total = total;
  shared->seed = seed;
  GetFullPathNameA(failures.c_str(), sizeof shared->failures, shared->failures, nullptr);
  CreateDirectoryA(shared->failures, nullptr);
  while (static_cast<std::uint64_t>(shared->next) < total) {
    if (!RunOneWorker(*shared, name)) return {0, 1, 0, 0};
  }
  std::fprintf(stderr, "fuzz: fed %lld answers, %lld driver texts, %lld dialog rounds, %lld files\n",
               static_cast<long long>(shared->answers), static_cast<long long>(shared->texts),
               static_cast<long long>(shared->rounds), static_cast<long long>(shared->files));
  const Counts counts{static_cast<std::uint64_t>(shared->commands), static_cast<std::uint64_t>(shared->crashes),
                      static_cast<std::uint64_t>(shared->guardHits), static_cast<std::uint64_t>(shared->unterminated)};
  UnmapViewOfFile(shared);
  CloseHandle(mapping);
  return counts;
}

}  // namespace kvt::fuzz
