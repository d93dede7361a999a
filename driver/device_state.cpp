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

// Configuration block of the type-6 sensors (command 0x74), offsets 0..32;
// offset 5 is the variant, filled in from the configuration.
constexpr std::array<BYTE, kConfigBlockSize> kConfigBlock{
    0xB8, 0x0B,              // 0-1: measuring range 3000 cm
    0xF4, 0x01,              // 2-3: 500 measurements per turn
    0x02,                    // 4: flags, bit 1 set
    0x00, 0x01,              // 5: variant, 6: sensor number
    0x03, 0x00, 0x01,        // 7: evaluation, 8: output mode, 9: field set
    0x03, 0x0A, 0x00,        // 10: interface, 11: interface parameter, 12: unused
    0x01, 20, 40, 160, 200,  // 13: range set A on, 14-17 its limits
    0x00, 0, 0, 0, 0,        // 18: range set B off
    0x00, 0, 0, 0, 0,        // 23: range set C off
    0x01, 0x00,              // 28, 29
    0x0A, 0x0A,              // 30, 31
    0x02,                    // 32
};

}  // namespace

DeviceState StartState(const SimConfig &config) {
  DeviceState device;
  device.kind = config.device <= kvt::kDeviceKvt90 ? config.device : BYTE{kvt::kDeviceKvt};
  device.address = config.address;
  device.variant = config.variant;
  const StartErrors &errors = kStartErrors[device.kind];
  std::copy_n(errors.entries.begin(), errors.count, device.errors.begin());
  device.errorCount = errors.count;
  device.configBlock = kConfigBlock;
  device.configBlock[5] = config.variant;
  if (device.kind == kvt::kDevicePxd) device.laserOn = false;  // the interface unit has no laser
  device.fields.fill(FactoryFields(device.kind));
  return device;
}

}  // namespace kvtdrv
