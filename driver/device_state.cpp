// What a simulated device holds when it is switched on, per kind.
#include <algorithm>

#include "driver.h"

namespace kvtdrv {

namespace {

struct StartErrors {
  std::array<ErrorEntry, 3> entries;
  std::size_t count;
};

// Error memory at switch-on (error type, error number): a device that has
// seen some service, as a technician usually meets it.
constexpr std::array<StartErrors, 4> kStartErrors{{
    {{{{1, 12}, {2, 7}}}, 2},            // KVT: warning 12, error 7
    {{{{1, 12}}}, 1},                    // PXD: warning 12
    {{{{1, 21}, {2, 5}, {1, 40}}}, 3},   // KVT-Q1
    {{{{1, 21}}}, 1},                    // KVT 90°
}};

}  // namespace

DeviceState StartState(const SimConfig &config) {
  DeviceState device;
  device.kind = config.device <= kvt::kDeviceKvt90 ? config.device : BYTE{kvt::kDeviceKvt};
  device.address = config.address;
  device.variant = config.variant;
  const StartErrors &errors = kStartErrors[device.kind];
  std::copy_n(errors.entries.begin(), errors.count, device.errors.begin());
  device.errorCount = errors.count;
  device.type6 = StartConfig(device.kind, config.variant);
  if (device.kind == kvt::kDevicePxd) device.laserOn = false;  // the interface unit has no laser
  device.fields.fill(FactoryFields(device.kind));
  return device;
}

}  // namespace kvtdrv
