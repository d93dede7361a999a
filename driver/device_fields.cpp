// Rows about the protective fields: the active field set and the stop
// threshold.
#include "driver.h"

namespace kvtdrv {

namespace {

constexpr BYTE kFieldSets = 4;

}  // namespace

// Byte 9: the field set now active. Numbers outside 1..4 change nothing.
std::size_t FillFieldSet(DeviceState &device, std::span<const BYTE> request, std::span<BYTE> data) {
  const BYTE set = kvt::Byte(request, kvt::kRecData);
  if (set >= 1 && set <= kFieldSets) device.fieldSet = set;
  data[0] = device.fieldSet;
  return 1;
}

// Request bytes 9-10: threshold in mV. Byte 9 status (1 accepted for 1 to
// 255 mV), byte 10 the threshold now in force.
std::size_t FillStopThreshold(DeviceState &device, std::span<const BYTE> request, std::span<BYTE> data) {
  const WORD threshold = kvt::Word(request, kvt::kRecData);
  const bool accepted = Accepts(device, threshold >= 1 && threshold <= 255);
  if (accepted) device.stopThreshold = static_cast<BYTE>(threshold);
  data[0] = accepted ? 1 : 0;
  data[1] = device.stopThreshold;
  return 2;
}

}  // namespace kvtdrv
