// The state of a type-6 sensor's switching outputs (0x4A): one per field,
// following the scene the sensor measures.
#include "measured_scene.h"

namespace kvtdrv {

// Record bytes 9, 10, 11: the outputs of fields A, B and C of the set in
// force, 1 (HIGH) while the field is free, 0 (LOW) while something of the
// scene stands in it.
std::size_t FillOutputState(DeviceState &device, std::span<const BYTE>, std::span<BYTE> data) {
  const ScanGeometry geometry = GeometryOf(device.kind);
  const FieldSet &fields = ActiveFields(device);
  std::array<bool, kFields> violated{};
  for (unsigned ray = 0; ray < geometry.rays; ++ray) {
    const Hit hit = CastRay(geometry.firstAngle + ray * geometry.step, true);
    for (std::size_t field = 0; field < kFields; ++field) {
      violated[field] = violated[field] || InField(fields[field], hit);
    }
  }
  for (std::size_t field = 0; field < kFields; ++field) data[field] = violated[field] ? 0 : 1;
  return kFields;
}

}  // namespace kvtdrv
