// The benchmarks' clock and how a series of timings is summed up.
#pragma once

#include <vector>

namespace kvt::bench {

// Seconds on the performance counter.
double Seconds();

struct Spread {
  double median = 0;
  double low = 0;   // 10th percentile
  double high = 0;  // 90th percentile
};
Spread SpreadOf(std::vector<double> samples);

// Median time of one call that is a single round trip to the Wine server (a
// system call on Windows): how busy the machine is, to read the figures by.
double RoundTripSeconds();

}  // namespace kvt::bench
