// fuzz [N] [SEED] [FOLDER]: N fuzzed commands (10000) from SEED (the clock's
// when left out) against the library, failing inputs written to FOLDER
// (fuzz-failures); ends with one line of counts, and exit code 0 only when
// nothing failed. fuzz --replay FILE runs one kept input and prints its result.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "fuzz/fuzz.h"

int main(int argc, char **argv) {
  using namespace kvt::fuzz;
  if (argc == 3 && std::strcmp(argv[1], "--worker") == 0) return RunWorker(argv[2]);
  if (argc == 3 && std::strcmp(argv[1], "--replay") == 0) {
    Input input;
    if (!ReadInput(argv[2], input)) return 2;
    EndOnFaults(nullptr);
    OpenSession();
    const Outcome outcome = RunInput(input, true);
    std::printf("result %d%s\n%s\n", outcome.result, outcome.unterminated ? ", unterminated" : "",
                outcome.text.c_str());
    return 0;
  }
  const std::uint64_t total = argc > 1 ? std::strtoull(argv[1], nullptr, 10) : 10000;
  const std::uint64_t seed = argc > 2 ? std::strtoull(argv[2], nullptr, 10) : GetTickCount64();
  const std::string failures = argc > 3 ? argv[3] : "fuzz-failures";
  std::fprintf(stderr, "fuzz: %llu commands from seed %llu, failing inputs in %s\n",
               static_cast<unsigned long long>(total), static_cast<unsigned long long>(seed), failures.c_str());
  const ULONGLONG start = GetTickCount64();
  const Counts counts = RunCampaign(total, seed, failures);
  const ULONGLONG seconds = (GetTickCount64() - start + 500) / 1000;
  std::printf("fuzz: %llu commands, %llu crashes, %llu guard-page hits, %llu unterminated results, %llu seconds\n",
              static_cast<unsigned long long>(counts.commands), static_cast<unsigned long long>(counts.crashes),
              static_cast<unsigned long long>(counts.guardHits), static_cast<unsigned long long>(counts.unterminated),
              static_cast<unsigned long long>(seconds));
  return counts.crashes + counts.guardHits + counts.unterminated == 0 && counts.commands >= total ? 0 : 1;
}
