// The device kinds: what differs with the DeviceType of the device talked to.
#include "dispatch/dispatch.h"

namespace kvt {

namespace {

constexpr DeviceKind kKinds[] = {
    {kDeviceKvt, "KVT", ids::kAddressLineKvt, StatusKvt, ErrorMemoryKvt},
    {kDevicePxd, "PXD", ids::kAddressLinePxd, StatusPxd, ErrorMemoryPxd},
    {kDeviceKvtQ1, "KVTQ1", ids::kAddressLineKvtQ1, StatusKvtQ1, ErrorMemoryKvt},
    {kDeviceKvt90, "KVT 90°/0.5°", ids::kAddressLineKvtQ1, StatusKvtQ1, ErrorMemoryKvt},
};

// The address dialog offers a PXD for any other type, as the address line
// names it; an error memory is read as a KVT's, and so is a status.
constexpr DeviceKind kOtherKind{0xFF, "PXD", ids::kAddressLinePxd, StatusKvt, ErrorMemoryKvt};

constexpr bool RowPerType() {
  for (std::size_t type = 0; type < std::size(kKinds); ++type) {
    if (kKinds[type].type != type) return false;
  }
  return true;
}
static_assert(RowPerType());

}  // namespace

const DeviceKind &KindOf(BYTE type) { return type < std::size(kKinds) ? kKinds[type] : kOtherKind; }

std::span<const DeviceKind> DeviceKinds() { return kKinds; }

}  // namespace kvt
