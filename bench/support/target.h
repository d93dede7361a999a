// The one line per target that ./kvt bench counts:
//   target NAME: FIGURES: met        or        target NAME: FIGURES: NOT met
#pragma once

#include <string>

namespace kvt::bench {

// Prints the line; returns `met`.
bool ReportTarget(const char *name, const std::string &figures, bool met);

// printf into a std::string, for the figures.
std::string Text(const char *format, ...) __attribute__((format(printf, 1, 2)));

}  // namespace kvt::bench
