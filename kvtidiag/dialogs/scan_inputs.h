// The scan every dialog accepts: an angle of 100 or 180 degrees and a
// single shot of 25, 50 or 100 hundredths of a degree. The field dialogs
// share their two inputs: the single shot as a fraction of a degree and
// the scan angle, each read from at most 7 characters; any other value
// gives message 250 and the default, 1 and 100.
#pragma once

#include "dialogs/dialog_engine.h"
#include "string_ids.h"

namespace kvt {

inline constexpr std::int32_t kSingleShots[] = {25, 50, 100};
inline constexpr std::int32_t kScanAngles[] = {180, 100};
inline constexpr int kScanChars = 7;

constexpr Input SingleShotInput(int control, Field field, std::size_t offset, ChainedLimit chained = {}) {
  return {.control = control, .preset = "0.5", .reading = Reading::kHundredths, .chars = kScanChars, .field = field,
          .offset = offset, .chained = chained,
          .check = AsRead(OneOf(kSingleShots, ids::kWrongInputDefaultUsed, kReplace, 100))};
}

constexpr Input ScanAngleInput(int control, Field field, std::size_t offset, ChainedLimit chained = {}) {
  return {.control = control, .preset = "100", .reading = Reading::kNumber, .chars = kScanChars, .field = field,
          .offset = offset, .chained = chained,
          .check = OneOf(kScanAngles, ids::kWrongInputDefaultUsed, kReplace, 100)};
}

}  // namespace kvt
