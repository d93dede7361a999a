// Rows of the measured-value commands: a scan and what is derived from it
// (minimum per segment, minimum perpendicular distance, taught and verified
// contour, partial scans), a partial range, averaged values, XY
// coordinates, values with the fields' extents, ranges with remission.
// Positions in the comments are record bytes; `data` starts at byte 9.
#include <algorithm>
#include <cmath>

#include "measured_scene.h"

namespace kvtdrv {

namespace {

constexpr std::size_t kFirst = kvt::kRecData;

BYTE RequestByte(std::span<const BYTE> request, std::size_t at) { return kvt::Byte(request, at); }
WORD RequestWord(std::span<const BYTE> request, std::size_t at) { return kvt::Word(request, at); }

// The words that fit from record byte `at` to the record's end.
std::size_t WordsFrom(std::size_t at) { return (kvt::kRecordSize - at) / 2; }

// What 0x37 and 0x76 ask for: 9 the sensor, 10-11 the first value (bit 15:
// send at once after the measurement), 12-13 the last.
struct SensorRange {
  BYTE sensor;
  WORD first;
  WORD last;
};

SensorRange SensorRangeOf(std::span<const BYTE> request) {
  return {RequestByte(request, 9), static_cast<WORD>(RequestWord(request, 10) & 0x7FFF), RequestWord(request, 12)};
}

// Their answers repeat it at 9, 10 and 12 and have the header word at 14.
void PutSensorRange(const AnswerRecord &r, const SensorRange &asked, WORD header) {
  r.Byte(9, asked.sensor);
  r.Word(10, asked.first);
  r.Word(12, asked.last);
  r.Word(14, header);
}

// How the flags sit in a value, by the sensor's variant.
struct FlagLayout {
  WORD fieldA;
  WORD fieldB;
  WORD fieldC;
  WORD blinding;
  WORD levelShift;  // reflector level above the value; 0: none
  WORD valueMask;
};

constexpr FlagLayout kLayouts[] = {
    {0x8000, 0x4000, 0, 0x2000, 0, 0x1FFF},  // 0: fields A and B, blinding
    {0, 0, 0, 0, 13, 0x1FFF},                // 1: reflector level 0-7
    {0x8000, 0x4000, 0x2000, 0, 0, 0x1FFF},  // 2: fields A, B and C
    {0, 0, 0, 0, 14, 0x3FFF},                // 3: reflector level 0-3
    {0x8000, 0x4000, 0, 0, 0, 0x3FFF},       // 4: fields A and B
    {0, 0, 0, 0, 15, 0x7FFF},                // 5: reflector seen or not
    {0x8000, 0, 0, 0, 0, 0x7FFF},            // 6: field A
    {0x8000, 0, 0, 0, 0, 0x1FFF},            // 7
    {0x8000, 0, 0, 0, 0, 0x1FFF},            // 8
    {0x8000, 0, 0, 0, 0, 0x7FFF},            // 9
};

// A KVT and a PXD know only the first layout; the type-6 sensors that of their variant.
const FlagLayout &LayoutOf(const DeviceState &device) {
  const bool type6 = device.kind == kvt::kDeviceKvtQ1 || device.kind == kvt::kDeviceKvt90;
  return type6 && device.variant < std::size(kLayouts) ? kLayouts[device.variant] : kLayouts[0];
}

constexpr unsigned kReflectorRemission = 2000;
constexpr unsigned kBrightRemission = 700;

unsigned Level(const FlagLayout &layout, unsigned remission) {
  const unsigned highest = 0xFFFFu >> layout.levelShift;
  if (remission >= kReflectorRemission) return highest;
  return remission >= kBrightRemission && highest > 1 ? 1 : 0;
}

struct Scene {
  ScanGeometry geometry;
  const FlagLayout &layout;
  const FieldSet &fields;  // the set in force: its fields A, B and C raise the flags
  unsigned scan;     // number of this measurement since switch-on
  bool connected;    // a PXD has sensors on inputs 1 and 2 only

  double Angle(unsigned ray) const { return geometry.firstAngle + ray * geometry.step; }

  // Flags and value of one ray, as the sensor sends it. `averages` > 1
  // smooths the noise.
  WORD Value(unsigned ray, unsigned averages = 1) const {
    const Hit hit = CastRay(Angle(ray), true);
    const double noise = Noise(ray, scan) / std::sqrt(static_cast<double>(std::max(averages, 1u)));
    return Flagged(hit, ray, InUnit(hit.distance + noise, geometry.unit));
  }

  WORD Flagged(const Hit &hit, unsigned ray, unsigned value) const {
    WORD word = static_cast<WORD>(std::min<unsigned>(value, layout.valueMask));
    if (layout.levelShift != 0) return static_cast<WORD>(word | (Level(layout, Remission(hit, ray)) << layout.levelShift));
    const bool reflector = hit.surface == Surface::kReflector;
    if (InField(fields[0], hit)) word |= layout.fieldA;
    if (InField(fields[1], hit)) word |= layout.fieldB;
    if (InField(fields[2], hit)) word |= layout.fieldC;
    if (reflector) word |= layout.blinding;
    return word;
  }

  WORD Header(unsigned count) const { return static_cast<WORD>((count & 0x3FF) | (geometry.unit << 14)); }

  // Value numbers count from 1; a range is cut to the scan.
  struct Range {
    unsigned first;  // 0-based ray
    unsigned count;
  };
  Range Cut(unsigned firstNumber, unsigned lastNumber, std::size_t room) const {
    const unsigned first = std::max(firstNumber, 1u);
    const unsigned last = std::min(lastNumber, geometry.rays);
    if (!connected || first > last) return {first - 1, 0};
    return {first - 1, static_cast<unsigned>(std::min<std::size_t>(last - first + 1, room))};
  }
};

Scene SceneOf(DeviceState &device, BYTE sensor) {
  // A PXD passes on the values of the sensors on its inputs 1 and 2.
  const bool connected = device.kind != kvt::kDevicePxd || sensor <= 2;
  return {GeometryOf(device.kind), LayoutOf(device), ActiveFields(device), device.scans++, connected};
}

// The request codes of command 0x30.
enum RequestCode : BYTE {
  kFieldSegments = 0,
  kWholeScan = 1,
  kPerpendicular = 2,
  kTaught = 3,
  kVerified = 4,
  kSegments = 5,
  kDirect = 8,
};

constexpr unsigned kFieldSegmentCount = 10;
constexpr WORD kVerifiedBit = 0x4000;
constexpr WORD kTaughtMask = 0x1FFF;
constexpr double kVerifyTolerance = 40;  // mm

// The smallest value of each of `segments` equal parts of the rays
// `first` to `first + rays - 1`.
std::size_t SegmentMinima(const Scene &scene, unsigned first, unsigned rays, unsigned segments,
                          const AnswerRecord &r) {
  segments = std::min(segments, rays);
  for (unsigned s = 0; s < segments; ++s) {
    const unsigned from = first + s * rays / segments;
    const unsigned to = first + (s + 1) * rays / segments;
    WORD smallest = scene.Value(from);
    for (unsigned ray = from + 1; ray < to; ++ray) {
      const WORD value = scene.Value(ray);
      if ((value & scene.layout.valueMask) < (smallest & scene.layout.valueMask)) smallest = value;
    }
    r.Word(12 + 2 * s, smallest);
  }
  return segments;
}

// Field numbers 1 to 3 are the fields A to C of the set in force; any
// other number means A.
const StoredField &FieldOf(const Scene &scene, BYTE number) {
  return scene.fields[number >= 1 && number <= kFields ? number - 1u : 0u];
}

// The segments of a field: its angle divided into ten.
std::size_t FieldSegmentMinima(const Scene &scene, BYTE number, const AnswerRecord &r) {
  const StoredField &field = FieldOf(scene, number);
  unsigned first = scene.geometry.rays;
  unsigned last = 0;
  for (unsigned ray = 0; ray < scene.geometry.rays; ++ray) {
    if (FieldExit(field, scene.Angle(ray)) <= 0) continue;
    first = std::min(first, ray);
    last = ray;
  }
  if (first > last) return 0;
  return SegmentMinima(scene, first, last - first + 1, kFieldSegmentCount, r);
}

// The hit nearest to the front plane within the field's width.
std::size_t Perpendicular(const Scene &scene, BYTE number, const AnswerRecord &r) {
  const FieldWidth width = WidthOf(FieldOf(scene, number));
  bool found = false;
  Hit nearest{};
  unsigned nearestRay = 0;
  for (unsigned ray = 0; ray < scene.geometry.rays; ++ray) {
    const Hit hit = CastRay(scene.Angle(ray), true);
    if (hit.x < width.left || hit.x > width.right) continue;
    if (!found || hit.y < nearest.y) nearest = hit, nearestRay = ray, found = true;
  }
  if (!found) return 0;
  r.Word(12, scene.Flagged(nearest, nearestRay, InUnit(nearest.y, scene.geometry.unit)));
  return 1;
}

// The room as taught, without the object; verified where the scan agrees.
std::size_t Contour(const Scene &scene, bool verify, const AnswerRecord &r) {
  const unsigned rays = std::min<unsigned>(scene.geometry.rays, WordsFrom(12));
  for (unsigned ray = 0; ray < rays; ++ray) {
    const Hit taught = CastRay(scene.Angle(ray), false);
    WORD value = static_cast<WORD>(std::min<unsigned>(InUnit(taught.distance, scene.geometry.unit), kTaughtMask));
    if (verify && std::fabs(CastRay(scene.Angle(ray), true).distance - taught.distance) < kVerifyTolerance) {
      value |= kVerifiedBit;
    }
    r.Word(12 + 2 * ray, value);
  }
  return rays;
}

// Interlaced partial scans at 1°: a 0.25° sensor sends four, a 0.5° one two.
std::size_t PartialScan(const Scene &scene, const AnswerRecord &r, WORD &header) {
  const unsigned interlace = std::max(1u, static_cast<unsigned>(std::lround(1 / scene.geometry.step)));
  const unsigned part = scene.scan % interlace;
  std::size_t count = 0;
  for (unsigned ray = part; ray < scene.geometry.rays; ray += interlace) r.Word(12 + 2 * count++, scene.Value(ray));
  // Bits 11-12 count quarter degrees.
  header |= static_cast<WORD>((part * 4 / interlace) << 11);
  return count;
}

}  // namespace

// 0x30 → 0xB0: 9 the sensor, 10 the request code, 11 its parameter.
// Answer: 9 the sensor, 10-11 the header word, values from 12.
std::size_t FillScan(DeviceState &device, std::span<const BYTE> request, std::span<BYTE> data) {
  const AnswerRecord r{data};
  const BYTE sensor = RequestByte(request, 9);
  const BYTE code = RequestByte(request, 10);
  const BYTE parameter = RequestByte(request, 11);
  const Scene scene = SceneOf(device, sensor);
  WORD header = 0;
  std::size_t count = 0;
  if (scene.connected) {
    switch (code) {
      case kFieldSegments: count = FieldSegmentMinima(scene, parameter, r); break;
      case kWholeScan:
        count = std::min<std::size_t>(scene.geometry.rays, WordsFrom(12));
        for (unsigned ray = 0; ray < count; ++ray) r.Word(12 + 2 * ray, scene.Value(ray));
        break;
      case kPerpendicular: count = Perpendicular(scene, parameter, r); break;
      case kTaught:
      case kVerified: count = Contour(scene, code == kVerified, r); break;
      case kSegments: count = SegmentMinima(scene, 0, scene.geometry.rays, parameter, r); break;
      case kDirect: count = PartialScan(scene, r, header); break;
      default: break;  // no values
    }
  }
  header |= scene.Header(static_cast<unsigned>(count));
  r.Byte(9, sensor);
  r.Word(10, header);
  return 12 + 2 * count - kFirst;
}

// 0x37 → 0xB7: 9 the sensor, 10-11 the first value (bit 15: send at once
// after the measurement), 12-13 the last. Answer: 10 first, 12 last, 14
// the header word, values from 16.
std::size_t FillPartialRange(DeviceState &device, std::span<const BYTE> request, std::span<BYTE> data) {
  const AnswerRecord r{data};
  const SensorRange asked = SensorRangeOf(request);
  const Scene scene = SceneOf(device, asked.sensor);
  const Scene::Range range = scene.Cut(asked.first, asked.last, WordsFrom(16));
  for (unsigned i = 0; i < range.count; ++i) r.Word(16 + 2 * i, scene.Value(range.first + i));
  PutSensorRange(r, asked, scene.Header(range.count));
  return 16 + 2 * range.count - kFirst;
}

// 0x36 → 0xB6: 9 the sensor, 10 the number of averages. Answer: 10 the
// averages, 11-12 the header word, values from 13.
std::size_t FillAveraged(DeviceState &device, std::span<const BYTE> request, std::span<BYTE> data) {
  const AnswerRecord r{data};
  const BYTE sensor = RequestByte(request, 9);
  const BYTE averages = RequestByte(request, 10);
  const Scene scene = SceneOf(device, sensor);
  const unsigned count = scene.connected ? std::min<unsigned>(scene.geometry.rays, WordsFrom(13)) : 0;
  for (unsigned ray = 0; ray < count; ++ray) r.Word(13 + 2 * ray, scene.Value(ray, averages));
  r.Byte(9, sensor);
  r.Byte(10, averages);
  r.Word(11, scene.Header(count));
  return 13 + 2 * count - kFirst;
}

// 0x3F → 0xBF: 10 the averages, 11-12 first, 13-14 last. Answer: 10
// averages, 11 first, 13 last, 15 the header word, values from 17.
std::size_t FillAveragedPartial(DeviceState &device, std::span<const BYTE> request, std::span<BYTE> data) {
  const AnswerRecord r{data};
  const BYTE averages = RequestByte(request, 10);
  const WORD first = RequestWord(request, 11);
  const WORD last = RequestWord(request, 13);
  const Scene scene = SceneOf(device, RequestByte(request, 9));
  const Scene::Range range = scene.Cut(first, last, WordsFrom(17));
  for (unsigned i = 0; i < range.count; ++i) r.Word(17 + 2 * i, scene.Value(range.first + i, averages));
  r.Byte(10, averages);
  r.Word(11, first);
  r.Word(13, last);
  r.Word(15, scene.Header(range.count));
  return 17 + 2 * range.count - kFirst;
}

// 0x76 → 0xF6: 9 the sensor, 10-11 first, 12-13 last. Answer: 10 first,
// 12 last, 14 the header word (number of pairs), from 16 pairs of X
// (from the left wall) and Y (perpendicular, with the flags).
std::size_t FillValuesXY(DeviceState &device, std::span<const BYTE> request, std::span<BYTE> data) {
  const AnswerRecord r{data};
  const SensorRange asked = SensorRangeOf(request);
  const Scene scene = SceneOf(device, asked.sensor);
  const Scene::Range range = scene.Cut(asked.first, asked.last, WordsFrom(16) / 2);
  for (unsigned i = 0; i < range.count; ++i) {
    const unsigned ray = range.first + i;
    Hit hit = CastRay(scene.Angle(ray), true);
    const double noise = Noise(ray, scene.scan);
    const double scale = (hit.distance + noise) / hit.distance;
    r.Word(16 + 4 * i, InUnit(XFromLeftWall(hit) + hit.x * (scale - 1), scene.geometry.unit));
    r.Word(18 + 4 * i, scene.Flagged(hit, ray, InUnit(hit.y * scale, scene.geometry.unit)));
  }
  PutSensorRange(r, asked, scene.Header(range.count));
  return 16 + 4 * range.count - kFirst;
}

// 0x3E → 0xBE: 9-10 first, 11-12 last. Answer: 9 first, 11 last, 13 the
// header word (number of words), from 15 per value the value and where the
// ray leaves the fields A, B and C.
std::size_t FillValuesWithFields(DeviceState &device, std::span<const BYTE> request, std::span<BYTE> data) {
  constexpr unsigned kGroup = 1 + kFields;
  const AnswerRecord r{data};
  const WORD first = RequestWord(request, 9) & 0x7FFF;
  const WORD last = RequestWord(request, 11);
  const Scene scene = SceneOf(device, 0);
  const Scene::Range range = scene.Cut(first, last, WordsFrom(15) / kGroup);
  for (unsigned i = 0; i < range.count; ++i) {
    const unsigned ray = range.first + i;
    const std::size_t at = 15 + 2 * kGroup * i;
    r.Word(at, scene.Value(ray));
    for (std::size_t field = 0; field < kFields; ++field) {
      r.Word(at + 2 + 2 * field, InUnit(FieldExit(scene.fields[field], scene.Angle(ray)), scene.geometry.unit));
    }
  }
  r.Word(9, first);
  r.Word(11, last);
  r.Word(13, scene.Header(range.count * kGroup));
  return 15 + 2 * kGroup * range.count - kFirst;
}

// 0x75 → 0xF5: 9-10 the number of ranges, from 11 (first, last) pairs.
// Answer: 9 the number of ranges (five at most), from 11 a descriptor per
// range (first, last, count with the unit in bits 14-15), distances from
// 41 and remissions from 441; 193 values in all fit.
std::size_t FillRangesWithRemission(DeviceState &device, std::span<const BYTE> request, std::span<BYTE> data) {
  constexpr unsigned kMaxRanges = 5;
  constexpr std::size_t kDistances = 41;
  constexpr std::size_t kRemissions = 441;
  const AnswerRecord r{data};
  const unsigned ranges = std::min<unsigned>(RequestWord(request, 9), kMaxRanges);
  const Scene scene = SceneOf(device, 0);
  std::size_t k = 0;
  for (unsigned i = 0; i < ranges; ++i) {
    const WORD first = RequestWord(request, 11 + 4 * i);
    const WORD last = RequestWord(request, 13 + 4 * i);
    const Scene::Range range = scene.Cut(first, last, WordsFrom(kRemissions) - k);
    for (unsigned j = 0; j < range.count; ++j, ++k) {
      const unsigned ray = range.first + j;
      const Hit hit = CastRay(scene.Angle(ray), true);
      r.Word(kDistances + 2 * k, InUnit(hit.distance + Noise(ray, scene.scan), scene.geometry.unit));
      r.Word(kRemissions + 2 * k, Remission(hit, ray));
    }
    r.Word(11 + 6 * i, first);
    r.Word(13 + 6 * i, last);
    r.Word(15 + 6 * i, range.count | (scene.geometry.unit << 14));
  }
  r.Word(9, ranges);
  return (k == 0 ? kDistances : kRemissions + 2 * k) - kFirst;
}

}  // namespace kvtdrv
