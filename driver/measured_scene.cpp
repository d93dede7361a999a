// The simulated room: a 6 m × 4.5 m room with the sensor in the middle of
// one wall, a cabinet on the left, and a person-sized object with a
// reflector strip 1.6 m in front of the sensor, a little to the right.
// The fields the device stores lie in it (field_geometry.cpp).
#include <cmath>
#include <limits>

#include "measured_scene.h"

namespace kvtdrv {

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kNone = std::numeric_limits<double>::infinity();

constexpr double kHalfWidth = 3000;  // side walls at x = ±3000
constexpr double kDepth = 4500;      // back wall

struct Box {
  double left, right, front, back;  // x from left to right, y from front to back
};

constexpr Box kCabinet{-3000, -2400, 1000, 2200};

struct Circle {
  double x, y, radius;
};

constexpr Circle kObject{700, 1600, 250};
constexpr double kReflectorHalfWidth = 40;  // the strip faces the sensor

// Per kind: scan angle, resolution, unit.
struct KindScan {
  double angle;
  double step;
  BYTE unit;
};

constexpr KindScan kKindScans[] = {
    {180, 0.5, 0},   // KVT: 361 values in cm
    {180, 0.5, 2},   // PXD: its sensors' values in tenths of a metre
    {100, 0.25, 1},  // KVT-Q1: 401 values in mm
    {90, 0.5, 0},    // KVT 90°/0.5°: 181 values in cm
};

constexpr double kRemissionWall = 820;
constexpr double kRemissionCabinet = 430;
constexpr double kRemissionObject = 140;
constexpr double kRemissionReflector = 3900;

double Radians(double degrees) { return degrees * kPi / 180; }

// Where a ray from the origin enters a box, with the normal's axis.
double EnterBox(const Box &box, double dx, double dy, bool &alongX) {
  double enter = 0;
  double leave = kNone;
  alongX = false;
  const auto slab = [&](double d, double low, double high, bool isX) {
    if (std::fabs(d) < 1e-12) return low <= 0 && 0 <= high;
    double t1 = low / d;
    double t2 = high / d;
    if (t1 > t2) std::swap(t1, t2);
    if (t1 > enter) {
      enter = t1;
      alongX = isX;
    }
    leave = std::min(leave, t2);
    return true;
  };
  if (!slab(dx, box.left, box.right, true) || !slab(dy, box.front, box.back, false)) return kNone;
  return enter <= leave && enter > 0 ? enter : kNone;
}

std::uint32_t Mix(std::uint32_t value) {
  value ^= value >> 16;
  value *= 0x7FEB352Du;
  value ^= value >> 15;
  value *= 0x846CA68Bu;
  value ^= value >> 16;
  return value;
}

}  // namespace

ScanGeometry GeometryOf(BYTE kind) {
  const KindScan &scan = kKindScans[kind < std::size(kKindScans) ? kind : 0];
  const unsigned rays = static_cast<unsigned>(std::lround(scan.angle / scan.step)) + 1;
  return {rays, 90 - scan.angle / 2, scan.step, scan.unit};
}

Hit CastRay(double angle, bool withObject) {
  const double dx = std::cos(Radians(angle));
  const double dy = std::sin(Radians(angle));
  // The room's walls.
  double distance = kNone;
  double incidence = 1;
  if (dx > 1e-12) distance = kHalfWidth / dx, incidence = dx;
  if (dx < -1e-12) distance = kHalfWidth / -dx, incidence = -dx;
  if (dy > 1e-12 && kDepth / dy < distance) distance = kDepth / dy, incidence = dy;
  Surface surface = Surface::kWall;

  bool alongX = false;
  const double cabinet = EnterBox(kCabinet, dx, dy, alongX);
  if (cabinet < distance) {
    distance = cabinet;
    incidence = alongX ? std::fabs(dx) : std::fabs(dy);
    surface = Surface::kCabinet;
  }

  if (withObject) {
    const double along = dx * kObject.x + dy * kObject.y;
    const double across = dx * kObject.y - dy * kObject.x;  // the ray's distance from the centre
    const double inside = kObject.radius * kObject.radius - across * across;
    if (along > 0 && inside >= 0) {
      const double t = along - std::sqrt(inside);
      if (t < distance) {
        distance = t;
        incidence = std::sqrt(inside) / kObject.radius;
        surface = std::fabs(across) <= kReflectorHalfWidth ? Surface::kReflector : Surface::kObject;
      }
    }
  }
  return {angle, distance, distance * dx, distance * dy, surface, incidence};
}

unsigned Remission(const Hit &hit, unsigned ray) {
  double base = kRemissionWall;
  switch (hit.surface) {
    case Surface::kWall: base = kRemissionWall; break;
    case Surface::kCabinet: base = kRemissionCabinet; break;
    case Surface::kObject: base = kRemissionObject; break;
    case Surface::kReflector: return static_cast<unsigned>(kRemissionReflector) + Mix(ray) % 64;
  }
  // A diffuse surface sends back less the more obliquely it is hit.
  const double spread = 0.98 + 0.04 * static_cast<double>(Mix(ray) % 1000) / 1000;
  return static_cast<unsigned>(std::lround(base * (0.35 + 0.65 * hit.incidence) * spread));
}

double Noise(unsigned ray, unsigned scan) {
  constexpr double kSpread = 12;  // mm, peak to peak about twice that
  const std::uint32_t bits = Mix(ray * 0x9E3779B9u ^ Mix(scan + 1));
  return (static_cast<double>(bits % 2001) / 1000 - 1) * kSpread;
}

double XFromLeftWall(const Hit &hit) { return hit.x + kHalfWidth; }

double MillimetresPerUnit(BYTE unit) {
  constexpr double kPerUnit[] = {10, 1, 100};
  return kPerUnit[unit < std::size(kPerUnit) ? unit : 0];
}

unsigned InUnit(double millimetres, BYTE unit) {
  const double value = std::max(0.0, millimetres) / MillimetresPerUnit(unit);
  return static_cast<unsigned>(std::lround(value));
}

}  // namespace kvtdrv
