// The protective fields a device stores: four field sets of the fields A to
// F, what they hold at switch-on, and the taught-in contour.
#include <algorithm>
#include <cmath>

#include "measured_scene.h"

namespace kvtdrv {

namespace {

constexpr WORD kCornerMark = 0x8000;
constexpr std::size_t kDynamicRectangleWords = 4;  // left, right, height, valid entries
constexpr std::size_t kDynamicSegmentedWords = 11;  // ten corners, valid entries

// Distances in the field's unit from word `first` on, each with `mark`.
StoredField Shaped(FieldShape shape, BYTE unit, WORD scanAngle, WORD resolution,
                   std::initializer_list<double> millimetres, std::size_t first = 0, WORD mark = 0) {
  StoredField field{shape, unit, scanAngle, resolution, {}};
  for (double mm : millimetres) field.words[first++] = static_cast<WORD>(InUnit(mm, unit) | mark);
  return field;
}

}  // namespace

StoredField *FieldAt(DeviceState &device, BYTE number, BYTE letter) {
  const std::size_t set = number == 0 ? device.fieldSet : number;
  if (set < 1 || set > kFieldSetCount || letter >= kFieldLetters) return nullptr;
  return &device.fields[set - 1][letter];
}

const FieldSet &ActiveFields(const DeviceState &device) {
  const std::size_t set = std::clamp<std::size_t>(device.fieldSet, 1, kFieldSetCount);
  return device.fields[set - 1];
}

std::size_t FieldWordCount(const StoredField &field) {
  std::size_t count = 0;
  switch (field.shape) {
    case FieldShape::kRectangle: count = 3; break;
    case FieldShape::kRadial: count = 1; break;
    case FieldShape::kSegmented: count = 2 + std::min<std::size_t>(field.words[0], kMaxSegments); break;
    case FieldShape::kTaught:
      count = field.resolution ? field.scanAngle * 100u / field.resolution + 1 : 0;
      break;
    case FieldShape::kDynamicRectangle: count = kDynamicRectangleWords; break;
    case FieldShape::kDynamicSegmented: count = kDynamicSegmentedWords; break;
  }
  return std::min(count, kFieldWords);
}

StoredField TaughtField(BYTE unit, WORD scanAngle, WORD resolution, bool withObject) {
  StoredField field{FieldShape::kTaught, unit, scanAngle, resolution, {}};
  const double first = 90 - scanAngle / 2.0;
  const std::size_t rays = FieldWordCount(field);
  for (std::size_t ray = 0; ray < rays; ++ray) {
    const Hit hit = CastRay(first + ray * resolution / 100.0, withObject);
    field.words[ray] = static_cast<WORD>(std::min(InUnit(hit.distance, unit), 0x1FFFu));
  }
  return field;
}

// Every set starts alike: A the protective field 1.5 m ahead and 1 m to
// each side, B the warning field 2.5 m and 1.5 m, C the right half to
// 3.5 m, D eight segments that reach furthest straight ahead, E a circle
// of 2 m, F the room taught without the object; in the kind's own unit.
FieldSet FactoryFields(BYTE kind) {
  const ScanGeometry scan = GeometryOf(kind);
  const BYTE unit = scan.unit;
  const WORD angle = static_cast<WORD>(std::lround(scan.step * (scan.rays - 1)));
  const WORD resolution = static_cast<WORD>(std::lround(scan.step * 100));
  using enum FieldShape;
  StoredField segmented = Shaped(kSegmented, unit, angle, resolution,
                                 {1200, 1800, 2400, 3000, 3400, 3000, 2400, 1800, 1200}, 1, kCornerMark);
  segmented.words[0] = 8;  // segments: one fewer than the corners
  return {
      Shaped(kRectangle, unit, angle, resolution, {1000, 1000, 1500}),
      Shaped(kRectangle, unit, angle, resolution, {1500, 1500, 2500}),
      Shaped(kRectangle, unit, angle, resolution, {0, 2500, 3500}),
      segmented,
      Shaped(kRadial, unit, angle, resolution, {2000}),
      TaughtField(unit, angle, resolution, false),
  };
}

}  // namespace kvtdrv
