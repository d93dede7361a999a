// The benchmarks' clock: the performance counter in seconds.
#include "support/timing.h"

#include <windows.h>

#include <algorithm>

namespace kvt::bench {

double Seconds() {
  static const double frequency = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return static_cast<double>(f.QuadPart);
  }();
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  return static_cast<double>(now.QuadPart) / frequency;
}

Spread SpreadOf(std::vector<double> samples) {
  if (samples.empty()) return {};
  std::sort(samples.begin(), samples.end());
  return {samples[samples.size() / 2], samples[samples.size() / 10], samples[samples.size() * 9 / 10]};
}

double RoundTripSeconds() {
  constexpr int kCalls = 200;
  std::vector<double> times;
  for (int call = 0; call < kCalls; ++call) {
    const double start = Seconds();
    OpenEventA(EVENT_ALL_ACCESS, FALSE, "kvt-bench-no-such-event");  // fails after one round trip
    times.push_back(Seconds() - start);
  }
  return SpreadOf(times).median;
}

}  // namespace kvt::bench
