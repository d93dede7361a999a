// The navigation interface (command 0x7E): brake field, three ray sets,
// reflector level and navigation case read and defined, and navigation
// data measured in the room of measured_scene.cpp. Request byte 9 is the
// sub-function, byte 10 on its block (first byte: 0 read, else what to
// define); the answer has the status at 9, the sub-function at 10 and the
// block in force from 11 with the request's first byte.
#include <cmath>

#include "measured_scene.h"

namespace kvtdrv {

namespace {

// Status byte: 0 taken, 1 not accepted, 2 wrong operating mode (navigation
// data outside the navigation mode), 3 a definition outside the navigation mode.
constexpr BYTE kTaken = 0;
constexpr BYTE kNotAccepted = 1;
constexpr BYTE kWrongMode = 2;
constexpr BYTE kNotNavigating = 3;

constexpr BYTE kRead = 0;
constexpr std::size_t kBlock = 11;  // answer record byte of the block
constexpr std::size_t kBrakeFieldBlock = 809;
constexpr WORD kRayResolution = 100;
constexpr unsigned kMaxLevel = 5000;  // mV
constexpr BYTE kFieldNumbers = 4;
constexpr double kMaxFieldMm = 30000;

struct Request {
  DeviceState &device;
  std::span<const BYTE> request;
  AnswerRecord answer;
  BYTE Action() const { return kvt::Byte(request, 10); }
  BYTE At(std::size_t at) const { return kvt::Byte(request, at); }
  WORD WordAt(std::size_t at) const { return kvt::Word(request, at); }
};

// A unit code: 0 cm, 1 mm, 2 dm (brake field bits 6-7, scan header bits 14-15).
double MillimetresIn(unsigned unit) {
  switch (unit) {
    case 1: return 1;
    case 2: return 100;
    default: return 10;
  }
}

// Within the brake field: a rectangle ahead of the sensor, or a circle round it.
bool InBrakeField(const BrakeField &field, const Hit &hit) {
  const double unit = MillimetresIn(field.unit >> 6);
  if (field.type == 1) return hit.distance <= field.left * unit;
  return hit.x >= -field.left * unit && hit.x <= field.right * unit && hit.y >= 0 && hit.y <= field.height * unit;
}

// Action 1 deactivates, 2 activates, 3 defines unit, type and extent.
BYTE BrakeFieldStatus(const Request &x) {
  BrakeField &field = x.device.navigation.brakeField;
  switch (x.Action()) {
    case 1: field.active = false; return kTaken;
    case 2: field.active = true; return kTaken;
    case 3: break;
    default: return kNotAccepted;
  }
  const BYTE unit = x.At(11);
  const BYTE type = x.At(12);
  BrakeField defined{field.active, unit, type, x.WordAt(13), x.WordAt(15), x.WordAt(17)};
  const double scale = MillimetresIn(unit >> 6);
  const auto fits = [scale](WORD value) { return value > 0 && value * scale <= kMaxFieldMm; };
  const bool valid = (unit == 0 || unit == 64 || unit == 128) && type <= 1 && fits(defined.left) &&
                     (type == 1 || (fits(defined.right) && fits(defined.height)));
  if (!valid) return kNotAccepted;
  field = defined;
  return kTaken;
}

void BrakeFieldBlock(const Request &x) {
  const BrakeField &field = x.device.navigation.brakeField;
  x.answer.Byte(12, field.unit);
  x.answer.Byte(13, field.type);
  x.answer.Words(14, {field.left, field.right, field.height});
}

double ScanAngle(const DeviceState &device) {
  const ScanGeometry scan = GeometryOf(device.kind);
  return scan.step * (scan.rays - 1);
}

// Byte 11 the ray set; a definition brings the resolution 100, the count
// (1 to 10) and the rays, ascending within the scan.
BYTE RaySetStatus(const Request &x) {
  const BYTE number = x.At(11);
  if (number >= kRaySets) return kNotAccepted;
  if (x.Action() == kRead) return kTaken;
  RaySet set{x.WordAt(12), x.WordAt(14), {}};
  bool valid = x.Action() == 1 && set.resolution == kRayResolution && set.count >= 1 && set.count <= kMaxRays;
  for (std::size_t i = 0; valid && i < set.count; ++i) {
    set.rays[i] = x.WordAt(16 + 2 * i);
    valid = set.rays[i] <= ScanAngle(x.device) && (i == 0 || set.rays[i] > set.rays[i - 1]);
  }
  if (!valid) return kNotAccepted;
  x.device.navigation.raySets[number] = set;
  return kTaken;
}

void RaySetBlock(const Request &x) {
  const BYTE number = x.At(11);
  if (number >= kRaySets) return;
  const RaySet &set = x.device.navigation.raySets[number];
  x.answer.Byte(12, number);
  x.answer.Words(13, {set.resolution, set.count});
  for (std::size_t i = 0; i < kMaxRays; ++i) x.answer.Word(17 + 2 * i, set.rays[i]);
}

BYTE ReflectorStatus(const Request &x) {
  if (x.Action() == kRead) return kTaken;
  const WORD level = x.WordAt(11);
  if (x.Action() != 1 || level > kMaxLevel) return kNotAccepted;
  x.device.navigation.reflectorLevel = level;
  return kTaken;
}

void ReflectorBlock(const Request &x) { x.answer.Word(12, x.device.navigation.reflectorLevel); }

// Action 1 defines ray set, count (1 to 3) and field numbers (1 to 4);
// action 2 restores the default case.
BYTE CaseStatus(const Request &x) {
  NavigationCase &navigationCase = x.device.navigation.navigationCase;
  if (x.Action() == kRead) return kTaken;
  if (x.Action() == 2) {
    navigationCase = NavigationCase{};
    return kTaken;
  }
  NavigationCase defined{x.At(11), x.At(12), {x.At(13), x.At(14), x.At(15)}};
  bool valid = x.Action() == 1 && defined.raySet < kRaySets && defined.count >= 1 && defined.count <= kMaxCaseFields;
  for (std::size_t i = 0; valid && i < defined.count; ++i) {
    valid = defined.fields[i] >= 1 && defined.fields[i] <= kFieldNumbers;
  }
  if (!valid) return kNotAccepted;
  navigationCase = defined;
  return kTaken;
}

void CaseBlock(const Request &x) {
  const NavigationCase &navigationCase = x.device.navigation.navigationCase;
  x.answer.Byte(12, navigationCase.raySet);
  x.answer.Byte(13, navigationCase.count);
  for (std::size_t i = 0; i < kMaxCaseFields; ++i) x.answer.Byte(14 + i, navigationCase.fields[i]);
}

// ---- Navigation data ----------------------------------------------------------

constexpr std::size_t kSectors = 16;
constexpr std::size_t kReflectorCount = 148;
constexpr std::size_t kReflectors = 150;
constexpr BYTE kBothContents = 0;
constexpr BYTE kSectorsOnly = 1;
constexpr BYTE kMarksOnly = 2;
constexpr BYTE kCartesian = 1;

struct Pair {
  int first;
  int second;
};

// Polar: the angle from the scan's first ray in tenths of a degree and the
// distance; Cartesian: across and ahead. Both in the device's unit.
Pair PairOf(const Hit &hit, double fromFirstRay, BYTE coordinates, BYTE unit) {
  const double mm = MillimetresIn(unit);
  if (coordinates == kCartesian) return {static_cast<int>(std::lround(hit.x / mm)), static_cast<int>(std::lround(hit.y / mm))};
  return {static_cast<int>(std::lround(fromFirstRay * 10)), static_cast<int>(std::lround(hit.distance / mm))};
}

void PutPair(const AnswerRecord &answer, std::size_t at, const Pair &pair) {
  answer.Word(at, static_cast<unsigned>(pair.first) & 0xFFFF);
  answer.Word(at + 2, static_cast<unsigned>(pair.second) & 0xFFFF);
}

// Byte 11 the content (0 sectors and marks, 1 sectors, 2 marks), 12 the
// coordinates (0 polar, 1 Cartesian), 13 the brake field (bit 0 active,
// bit 1 infringed, bit 2 output A blocked), 14-15 unit (bits 14-15) and
// number of sector pairs, one per ray of the navigation case's ray set; at
// 148 the number of reflector marks, their pairs from 150.
BYTE NavigationDataStatus(const Request &x) {
  if (x.device.mode != kModeNavigation) return kWrongMode;
  return x.Action() <= kMarksOnly && x.At(11) <= kCartesian ? kTaken : kNotAccepted;
}

void NavigationDataBlock(const Request &x) {
  const DeviceState &device = x.device;
  const BYTE content = x.Action();
  const BYTE coordinates = x.At(11);
  const ScanGeometry scan = GeometryOf(device.kind);
  const BrakeField &brake = device.navigation.brakeField;
  x.answer.Byte(12, coordinates);

  bool infringed = false;
  std::size_t marks = 0;
  bool onMark = false;
  unsigned markFirst = 0;
  for (unsigned ray = 0; ray <= scan.rays; ++ray) {
    const Hit hit = CastRay(scan.firstAngle + ray * scan.step, true);
    const bool mark = ray < scan.rays && hit.surface == Surface::kReflector;
    infringed = infringed || (ray < scan.rays && InBrakeField(brake, hit));
    if (mark && !onMark) markFirst = ray;
    if (!mark && onMark && content != kSectorsOnly) {
      // A mark is shown where its middle ray meets it.
      const double middle = (markFirst + ray - 1) * scan.step / 2;
      PutPair(x.answer, kReflectors + 4 * marks++,
              PairOf(CastRay(scan.firstAngle + middle, true), middle, coordinates, scan.unit));
    }
    onMark = mark;
  }
  x.answer.Byte(13, (brake.active ? 1 : 0) | (infringed ? 2 : 0) | (brake.active && infringed ? 4 : 0));

  const RaySet &set = device.navigation.raySets[device.navigation.navigationCase.raySet % kRaySets];
  const std::size_t sectors = content == kMarksOnly ? 0 : set.count;
  for (std::size_t i = 0; i < sectors; ++i) {
    const Hit hit = CastRay(scan.firstAngle + set.rays[i], true);
    PutPair(x.answer, kSectors + 4 * i, PairOf(hit, set.rays[i], coordinates, scan.unit));
  }
  x.answer.Word(14, (static_cast<unsigned>(scan.unit) << 14) | static_cast<unsigned>(sectors));
  x.answer.Word(kReflectorCount, static_cast<unsigned>(marks));
}

struct SubFunction {
  BYTE number;
  std::size_t blockSize;
  BYTE (*status)(const Request &x);
  void (*block)(const Request &x);  // the bytes behind the action byte
  bool isDefinition;                 // needs the navigation mode unless it reads
};

constexpr SubFunction kSubFunctions[] = {
    {0, kBrakeFieldBlock, BrakeFieldStatus, BrakeFieldBlock, true},
    {1, 26, RaySetStatus, RaySetBlock, true},
    {2, 3, ReflectorStatus, ReflectorBlock, true},
    {3, 6, CaseStatus, CaseBlock, true},
    {4, 0, NavigationDataStatus, NavigationDataBlock, false},
};

}  // namespace

std::size_t FillNavigation(DeviceState &device, std::span<const BYTE> request, std::span<BYTE> data) {
  const Request x{device, request, AnswerRecord{data}};
  const BYTE number = kvt::Byte(request, kvt::kRecData);
  x.answer.Byte(10, number);
  for (const SubFunction &sub : kSubFunctions) {
    if (sub.number != number) continue;
    BYTE status = kNotNavigating;
    if (!sub.isDefinition || x.Action() == kRead || device.mode == kModeNavigation) status = sub.status(x);
    x.answer.Byte(9, status);
    x.answer.Byte(kBlock, x.Action());
    sub.block(x);
    const std::size_t end = sub.blockSize ? kBlock + sub.blockSize
                                          : kReflectors + 4 * kvt::Word(data, kReflectorCount - kvt::kRecData);
    return end - kvt::kRecData;
  }
  x.answer.Byte(9, kNotAccepted);
  return 2;
}

}  // namespace kvtdrv
