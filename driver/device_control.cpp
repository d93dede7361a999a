// Rows that change how the device works: reset, start-up test, multiple
// evaluations, field set memory, power-on setting, address, laser. Each
// answers with its status byte at record byte 9 and the setting now in force
// at byte 10. The operating mode has a file of its own, device_modes.cpp.
#include "driver.h"

namespace kvtdrv {

namespace {

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

// Takes the requested value into the setting when the device accepts it
// (a switch only 0 or 1), and answers with the setting now in force.
template <typename Setting>
std::size_t Change(DeviceState &device, Setting &setting, BYTE requested, bool valid, std::span<BYTE> data) {
  const bool accepted = Accepts(device, valid);
  if (accepted) setting = static_cast<Setting>(requested);
  return Status(data, accepted, static_cast<unsigned>(setting));
}

}  // namespace

std::size_t FillReset(DeviceState &device, std::span<const BYTE>, std::span<BYTE>) {
  ++device.resets;
  ResetMode(device);
  device.laserOn = device.kind != kvt::kDevicePxd;
  if (device.powerOnSetting == 0) device.baudRate = 9600;
  if (!device.fieldsNonVolatile) device.fieldSet = 1;
  device.downloading = false;
  return 0;
}

std::size_t FillStartupTest(DeviceState &device, std::span<const BYTE> request, std::span<BYTE> data) {
  const BYTE on = RequestByte(request, 0);
  return Change(device, device.startupTest, on, on <= 1, data);
}

// The device takes 2 to 16 evaluations per measurement.
std::size_t FillEvaluations(DeviceState &device, std::span<const BYTE> request, std::span<BYTE> data) {
  const BYTE count = RequestByte(request, 0);
  return Change(device, device.evaluations, count, count >= 2 && count <= 16, data);
}

// Byte 10: 0 volatile, 1 non-volatile field set memory.
std::size_t FillFieldMemory(DeviceState &device, std::span<const BYTE> request, std::span<BYTE> data) {
  const BYTE memory = RequestByte(request, 0);
  return Change(device, device.fieldsNonVolatile, memory, memory <= 1, data);
}

// 0: 9600 Bd after power on, 1: keep the baud rate, 2: keep the variant
// (type-6 sensors only).
std::size_t FillPowerOnSetting(DeviceState &device, std::span<const BYTE> request, std::span<BYTE> data) {
  const BYTE setting = RequestByte(request, 0);
  const bool type6 = device.kind == kvt::kDeviceKvtQ1 || device.kind == kvt::kDeviceKvt90;
  return Change(device, device.powerOnSetting, setting, setting <= 1 || (setting == 2 && type6), data);
}

// The answer still comes from the old address; the next request must use
// the new one (or 0).
std::size_t FillNewAddress(DeviceState &device, std::span<const BYTE> request, std::span<BYTE> data) {
  const BYTE address = RequestByte(request, 0);
  return Change(device, device.address, address, address <= kMaxAddress, data);
}

// Byte 10: 1 laser on, 0 off.
std::size_t FillLaser(DeviceState &device, std::span<const BYTE> request, std::span<BYTE> data) {
  const BYTE on = RequestByte(request, 0);
  return Change(device, device.laserOn, on, on <= 1, data);
}

}  // namespace kvtdrv
