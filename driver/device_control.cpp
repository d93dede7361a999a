// Rows that change how the device works: reset, operating mode, start-up
// test, multiple evaluations, field set memory, power-on setting, address,
// laser. Each answers with its status byte at record byte 9 and the setting
// now in force at byte 10.
#include "driver.h"

namespace kvtdrv {

namespace {

constexpr BYTE kStartMode = 0x25;  // measured values only on request
constexpr BYTE kAccepted = 1;
constexpr BYTE kRefused = 0;

BYTE RequestByte(std::span<const BYTE> request, std::size_t dataIndex) {
  return kvt::Byte(request, kvt::kRecData + dataIndex);
}

std::size_t Status(std::span<BYTE> data, bool accepted, unsigned setting) {
  data[0] = accepted ? kAccepted : kRefused;
  data[1] = static_cast<BYTE>(setting);
  return 2;
}

// The operating-mode change serves modes, passwords and baud rates alike.
enum class ModeEffect : BYTE { Mode, PasswordMode, PasswordReset, PasswordTest, Baud };

struct ModeRow {
  BYTE mode;
  BYTE kinds;
  ModeEffect effect;
  DWORD baudRate;
};

constexpr ModeRow kModes[] = {
    {0x00, kAllKinds, ModeEffect::PasswordMode, 0},  // setup
    {0x01, kSensors, ModeEffect::PasswordMode, 0},   // calibration
    {0x02, kAllKinds, ModeEffect::PasswordReset, 0},
    {0x10, kAllKinds, ModeEffect::Mode, 0},          // diagnosis
    {0x20, kAllKinds, ModeEffect::Mode, 0},
    {0x21, kAllKinds, ModeEffect::Mode, 0},
    {0x22, kAllKinds, ModeEffect::Mode, 0},
    {0x23, kAllKinds, ModeEffect::Mode, 0},
    {0x24, kAllKinds, ModeEffect::Mode, 0},
    {0x25, kAllKinds, ModeEffect::Mode, 0},
    {0x26, kSensors, ModeEffect::Mode, 0},
    {0x27, kSensors, ModeEffect::Mode, 0},
    {0x28, kType6, ModeEffect::Mode, 0},
    {0x29, kType6, ModeEffect::Mode, 0},
    {0x2A, kType6, ModeEffect::Mode, 0},
    {0x2B, kType6, ModeEffect::Mode, 0},
    {0x2C, kSensors, ModeEffect::Mode, 0},
    {0x2E, kSensors, ModeEffect::Mode, 0},           // navigation data
    {0x30, kAllKinds, ModeEffect::PasswordTest, 0},
    {0x31, kAllKinds, ModeEffect::PasswordTest, 0},
    {0x32, kAllKinds, ModeEffect::PasswordTest, 0},
    {0x40, kAllKinds, ModeEffect::Baud, 38400},
    {0x41, kAllKinds, ModeEffect::Baud, 19200},
    {0x42, kAllKinds, ModeEffect::Baud, 9600},
    {0x43, kAllKinds, ModeEffect::Baud, 4800},
    {0x48, kType6, ModeEffect::Baud, 500000},
};

// Any password that is not empty passes: the simulation keeps no secrets,
// and the empty one lets a test see the refusal.
bool PasswordGiven(std::span<const BYTE> request) { return RequestByte(request, 1) != 0; }

}  // namespace

std::size_t FillReset(DeviceState &device, std::span<const BYTE>, std::span<BYTE>) {
  ++device.resets;
  device.mode = kStartMode;
  device.laserOn = device.kind != kvt::kDevicePxd;
  if (device.powerOnSetting == 0) device.baudRate = 9600;
  if (!device.fieldsNonVolatile) device.fieldSet = 1;
  device.downloading = false;
  return 0;
}

// Status byte 9: 0 accepted, 1 refused; byte 10 the mode now in force.
std::size_t FillModeChange(DeviceState &device, std::span<const BYTE> request, std::span<BYTE> data) {
  const BYTE mode = RequestByte(request, 0);
  const ModeRow *row = nullptr;
  for (const ModeRow &m : kModes) {
    if (m.mode == mode && (m.kinds & (1 << device.kind)) != 0) row = &m;
  }
  bool valid = row != nullptr;
  if (row && (row->effect == ModeEffect::PasswordMode || row->effect == ModeEffect::PasswordTest)) {
    valid = PasswordGiven(request);
  }
  const bool accepted = Accepts(device, valid);
  if (accepted) {
    switch (row->effect) {
      case ModeEffect::Mode:
      case ModeEffect::PasswordMode: device.mode = mode; break;
      case ModeEffect::Baud: device.baudRate = row->baudRate; break;
      case ModeEffect::PasswordTest:
      case ModeEffect::PasswordReset: break;
    }
  }
  data[0] = accepted ? 0 : 1;
  data[1] = device.mode;
  return 2;
}

std::size_t FillStartupTest(DeviceState &device, std::span<const BYTE> request, std::span<BYTE> data) {
  const BYTE on = RequestByte(request, 0);
  const bool accepted = Accepts(device, on <= 1);
  if (accepted) device.startupTest = on == 1;
  return Status(data, accepted, device.startupTest ? 1 : 0);
}

// The device takes 2 to 16 evaluations per measurement.
std::size_t FillEvaluations(DeviceState &device, std::span<const BYTE> request, std::span<BYTE> data) {
  const BYTE count = RequestByte(request, 0);
  const bool accepted = Accepts(device, count >= 2 && count <= 16);
  if (accepted) device.evaluations = count;
  return Status(data, accepted, device.evaluations);
}

// Byte 10: 0 volatile, 1 non-volatile field set memory.
std::size_t FillFieldMemory(DeviceState &device, std::span<const BYTE> request, std::span<BYTE> data) {
  const BYTE memory = RequestByte(request, 0);
  const bool accepted = Accepts(device, memory <= 1);
  if (accepted) device.fieldsNonVolatile = memory == 1;
  return Status(data, accepted, device.fieldsNonVolatile ? 1 : 0);
}

// 0: 9600 Bd after power on, 1: keep the baud rate, 2: keep the variant
// (type-6 sensors only).
std::size_t FillPowerOnSetting(DeviceState &device, std::span<const BYTE> request, std::span<BYTE> data) {
  const BYTE setting = RequestByte(request, 0);
  const bool type6 = device.kind == kvt::kDeviceKvtQ1 || device.kind == kvt::kDeviceKvt90;
  const bool accepted = Accepts(device, setting <= 1 || (setting == 2 && type6));
  if (accepted) device.powerOnSetting = setting;
  return Status(data, accepted, device.powerOnSetting);
}

// The answer still comes from the old address; the next request must use
// the new one (or 0).
std::size_t FillNewAddress(DeviceState &device, std::span<const BYTE> request, std::span<BYTE> data) {
  const BYTE address = RequestByte(request, 0);
  const bool accepted = Accepts(device, address <= kMaxAddress);
  if (accepted) device.address = address;
  return Status(data, accepted, device.address);
}

// Byte 10: 1 laser on, 0 off.
std::size_t FillLaser(DeviceState &device, std::span<const BYTE> request, std::span<BYTE> data) {
  const BYTE on = RequestByte(request, 0);
  const bool accepted = Accepts(device, on <= 1);
  if (accepted) device.laserOn = on == 1;
  return Status(data, accepted, device.laserOn ? 1 : 0);
}

}  // namespace kvtdrv
