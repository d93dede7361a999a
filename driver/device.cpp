// The simulated device: who answers a request, and how the answer header is
// built around the data that a command row writes.
#include <algorithm>

#include "driver.h"

namespace kvtdrv {

namespace {

DeviceState g_device;

// A KVT answers type byte 0 and a PXD type 1; the KVT-Q1 and the 90° sensor
// also answer the KVT's type 0.
constexpr std::array<BYTE, 4> kServedTypes{
    1 << kvt::kDeviceKvt,
    1 << kvt::kDevicePxd,
    (1 << kvt::kDeviceKvt) | (1 << kvt::kDeviceKvtQ1) | (1 << kvt::kDeviceKvt90),
    (1 << kvt::kDeviceKvt) | (1 << kvt::kDeviceKvtQ1) | (1 << kvt::kDeviceKvt90),
};

bool Hears(const DeviceState &device, std::span<const BYTE> request) {
  const BYTE address = request[kvt::kRecAddress];
  const BYTE type = request[kvt::kRecType];
  if (address != 0 && address != device.address) return false;  // 0 reaches any device
  return type < 8 && (kServedTypes[device.kind] & (1 << type)) != 0;
}

const CommandRow *FindRow(BYTE command, BYTE kind) {
  for (const CommandRow &row : CommandRows()) {
    if (row.command == command && (row.kinds & (1 << kind)) != 0) return &row;
  }
  return nullptr;
}

BYTE RefusalStatus(StatusRule rule) { return rule == StatusRule::ZeroAccepts ? 1 : 0; }

}  // namespace

DeviceState &Device() { return g_device; }

void RestartDevice() {
  g_device = StartState(Config());
  CountSwitchOn();
  NoteDeliveredAnswer(0);
}

bool AnswerRequest(std::span<const BYTE> request, std::span<BYTE> answer, bool &refuse) {
  DeviceState &device = g_device;
  const bool refuseAsked = refuse;
  refuse = false;
  if (!Hears(device, request)) return false;
  std::fill(answer.begin(), answer.end(), BYTE{0});
  // The header names the device as it was addressed, before a command
  // such as the address change alters it.
  kvt::PutWord(answer, kvt::kRecSize, kvt::kRecordSize);
  kvt::PutByte(answer, kvt::kRecAddress, device.address);
  kvt::PutByte(answer, kvt::kRecKind, kKindBits[device.kind]);

  const std::span<BYTE> data = answer.subspan(kvt::kRecData);
  const BYTE command = request[kvt::kRecCode];
  const CommandRow *row = FindRow(command, device.kind);
  std::size_t length = 0;
  if (!row) {
    // Not known to this kind of device: the NAK answer names the command.
    answer[kvt::kRecCode] = kNakCode;
    data[0] = command;
    length = 1;
  } else {
    answer[kvt::kRecCode] = row->answer;
    const bool refusing = refuseAsked && row->status != StatusRule::None;
    refuse = refusing;
    const DeviceState before = device;
    device.refusing = refusing;
    length = std::min(row->fill(device, request, data), data.size());
    device.refusing = false;
    if (refusing) {
      device = before;  // whatever the row did, a refusal changes nothing
      data[0] = RefusalStatus(row->status);
      length = std::max<std::size_t>(length, 1);
    }
  }
  kvt::PutWord(answer, kvt::kRecCount, static_cast<unsigned>(1 + length));
  return true;
}

std::size_t PutText(std::span<BYTE> data, std::size_t at, std::string_view text, std::size_t width) {
  const std::size_t room = width ? width : text.size() + 1;
  for (std::size_t i = 0; i < room; ++i) kvt::PutByte(data, at + i, i < text.size() ? static_cast<BYTE>(text[i]) : 0);
  return at + room;
}

}  // namespace kvtdrv
