// The target line of a benchmark, in the form ./kvt bench counts.
#include "support/target.h"

#include <cstdarg>
#include <cstdio>

namespace kvt::bench {

bool ReportTarget(const char *name, const std::string &figures, bool met) {
  std::printf("target %s: %s: %s\n", name, figures.c_str(), met ? "met" : "NOT met");
  std::fflush(stdout);
  return met;
}

std::string Text(const char *format, ...) {
  char buffer[512];
  va_list args;
  va_start(args, format);
  const int length = std::vsnprintf(buffer, sizeof buffer, format, args);
  va_end(args);
  return length < 0 ? std::string() : std::string(buffer);
}

}  // namespace kvt::bench
