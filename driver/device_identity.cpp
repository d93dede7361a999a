// Rows that tell what the device is and what went wrong with it: error
// memory, whole-system test, sensor type.
#include "driver.h"

namespace kvtdrv {

namespace {

struct Identity {
  std::string_view title;    // the kind as people call it
  std::string_view serial;   // status bytes 19-27
  std::string_view type;     // 8 bytes, zero-padded
  std::string_view version;  // 8 bytes
  std::string_view text;     // zero-terminated
};

constexpr std::array<Identity, 4> kIdentities{{
    {"KVT", "SN0415372", "KVT 2000", "V02.10", "KVT Laser-Messsensor Typ 3, Ser.-Nr. 0415372"},
    {"PXD", "SN0398114", "PXD 4", "V01.30", "PXD Interface-Einheit 4 Kanal, Ser.-Nr. 0398114"},
    {"KVT-Q1", "SN0502207", "KVTQ1", "V03.02", "KVT-Q1 Laser-Messsensor Typ 6, Ser.-Nr. 0502207"},
    {"KVT 90°", "SN0502961", "KVT 90", "V03.05", "KVT 90°/0.5° Laser-Messsensor, Ser.-Nr. 0502961"},
}};

const Identity &IdentityOf(BYTE kind) { return kIdentities[kind < kIdentities.size() ? kind : 0]; }

// The whole-system test finds the signal of sensor input 2 weak.
constexpr ErrorEntry kSystemTestFinding{2, 17};

}  // namespace

// Byte 9: number of entries; from byte 10 a pair per entry. The count in
// the header covers the code and two bytes per entry (1 + 2 × entries), so
// that a reader stepping by two shows exactly the stored entries.
std::size_t FillErrorMemory(DeviceState &device, std::span<const BYTE>, std::span<BYTE> data) {
  if (device.errorCount == 0) return 0;
  data[0] = static_cast<BYTE>(device.errorCount);
  for (std::size_t k = 0; k < device.errorCount; ++k) {
    data[1 + 2 * k] = device.errors[k].type;
    data[2 + 2 * k] = device.errors[k].number;
  }
  return 2 * device.errorCount;
}

std::size_t FillSystemTest(DeviceState &device, std::span<const BYTE> request, std::span<BYTE> data) {
  ++device.systemTests;
  bool known = false;
  for (std::size_t k = 0; k < device.errorCount; ++k) {
    known = known || (device.errors[k].type == kSystemTestFinding.type &&
                      device.errors[k].number == kSystemTestFinding.number);
  }
  if (!known && device.errorCount < device.errors.size()) device.errors[device.errorCount++] = kSystemTestFinding;
  return FillErrorMemory(device, request, data);
}

// Bytes 9-16 type, 17-24 program version, 25 onward a text.
std::size_t FillSensorType(DeviceState &device, std::span<const BYTE>, std::span<BYTE> data) {
  const Identity &id = IdentityOf(device.kind);
  std::size_t at = PutText(data, 0, id.type, 8);
  at = PutText(data, at, VersionText(device.kind), 8);
  return PutText(data, at, id.text);
}

std::string_view VersionText(BYTE kind) {
  const std::string &configured = Config().version;
  return configured.empty() ? IdentityOf(kind).version : std::string_view(configured);
}

std::string_view KindTitle(BYTE kind) { return IdentityOf(kind).title; }

std::string_view SerialNumber(BYTE kind) { return IdentityOf(kind).serial; }

unsigned VersionMajor(std::string_view version) {
  unsigned digits = 0;
  for (char c : version) {
    if (c >= '0' && c <= '9') digits = digits * 10 + static_cast<unsigned>(c - '0');
  }
  return digits / 100;
}

}  // namespace kvtdrv

// What the menu window shows of the simulated device, in the same place as
// the trace; same return rule as SimTraceText.
KVT_DRV_API DWORD WINAPI SimDeviceText(char *buffer, DWORD capacity) {
  using namespace kvtdrv;
  const DeviceState &device = Device();
  std::string text = "device=";
  text.append(KindTitle(device.kind)).append(";address=").append(std::to_string(device.address));
  text.append(";serial=").append(SerialNumber(device.kind)).append(";variant=").append(std::to_string(device.variant));
  return CopyOut(text, buffer, capacity);
}
