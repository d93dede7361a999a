// What the campaign and its worker processes share: where the run stands
// and what it counted, in a named mapping.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

namespace kvt::fuzz {

struct Shared {
  std::uint64_t total = 0;
  std::uint64_t seed = 0;
  volatile LONG64 next = 0;      // the command a worker runs next
  volatile LONG64 commands = 0;  // commands run
  volatile LONG64 crashes = 0;
  volatile LONG64 guardHits = 0;
  volatile LONG64 unterminated = 0;
  // What the commands were fed: answers, driver texts, dialog rounds, files.
  volatile LONG64 answers = 0;
  volatile LONG64 texts = 0;
  volatile LONG64 rounds = 0;
  volatile LONG64 files = 0;
  char failures[MAX_PATH] = "";  // folder of the failing inputs
};

// A worker's exit code after it counted its fault.
inline constexpr DWORD kFaultExit = 0xF0;

Shared *OpenShared(const char *name);
std::string FailurePath(const Shared &shared, std::uint64_t index);

}  // namespace kvt::fuzz
