// Where the stored fields lie in the room: each field covers its scan angle,
// centred on the sensor's axis (90°), from the sensor's front plane out to
// its edge. A rectangle reaches left, right and ahead; a radial field to
// its radius; a segmented field to the straight lines between its corner
// points, spread evenly over its angle; a taught-in field to a little
// before the contour it was taught; a dynamic field as it stands at speed 0.
#include <algorithm>
#include <cmath>

#include "measured_scene.h"

namespace kvtdrv {

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kAngleSlack = 1e-9;
constexpr WORD kCornerValueMask = 0x1FFF;  // bit 15 marks a corner; its value is below
constexpr double kTaughtMargin = 100;      // mm before the taught contour
constexpr std::size_t kDynamicCorners = 10;

double Radians(double degrees) { return degrees * kPi / 180; }

double Mm(const StoredField &field, unsigned value) { return value * MillimetresPerUnit(field.unit); }

double FirstAngle(const StoredField &field) { return 90 - field.scanAngle / 2.0; }

bool Covers(const StoredField &field, double angle) {
  const double from = FirstAngle(field);
  return angle >= from - kAngleSlack && angle <= from + field.scanAngle + kAngleSlack;
}

bool Rectangular(const StoredField &field) {
  return field.shape == FieldShape::kRectangle || field.shape == FieldShape::kDynamicRectangle;
}

struct Box {
  double left, right, height;
};

Box BoxOf(const StoredField &field) {
  return {-Mm(field, field.words[0]), Mm(field, field.words[1]), Mm(field, field.words[2])};
}

double BoxExit(const Box &box, double angle) {
  const double dx = std::cos(Radians(angle));
  const double dy = std::sin(Radians(angle));
  constexpr double kNone = HUGE_VAL;
  double exit = dy > 1e-12 ? box.height / dy : kNone;
  if (dx > 1e-12) exit = std::min(exit, box.right / dx);
  if (dx < -1e-12) exit = std::min(exit, box.left / dx);
  return exit > 0 && exit != kNone ? exit : 0;
}

// The straight line between the corner points on either side of the angle.
double BetweenCorners(const StoredField &field, std::span<const WORD> corners, double angle) {
  if (corners.size() < 2 || field.scanAngle == 0) return 0;
  const std::size_t segments = corners.size() - 1;
  const double at = std::clamp((angle - FirstAngle(field)) / field.scanAngle, 0.0, 1.0) * segments;
  const std::size_t k = std::min(static_cast<std::size_t>(at), segments - 1);
  const double from = Mm(field, corners[k] & kCornerValueMask);
  const double to = Mm(field, corners[k + 1] & kCornerValueMask);
  return from + (at - k) * (to - from);
}

double TaughtReach(const StoredField &field, double angle) {
  if (field.resolution == 0) return 0;
  const double ray = std::round((angle - FirstAngle(field)) * 100 / field.resolution);
  if (ray < 0 || ray >= static_cast<double>(FieldWordCount(field))) return 0;
  const WORD value = field.words[static_cast<std::size_t>(ray)] & kCornerValueMask;
  return std::max(0.0, Mm(field, value) - kTaughtMargin);
}

}  // namespace

double FieldExit(const StoredField &field, double angle) {
  if (!Covers(field, angle)) return 0;
  const std::span<const WORD> words = field.words;
  switch (field.shape) {
    case FieldShape::kRectangle:
    case FieldShape::kDynamicRectangle: return BoxExit(BoxOf(field), angle);
    case FieldShape::kRadial: return Mm(field, words[0]);
    case FieldShape::kSegmented: {
      const std::size_t corners = std::min<std::size_t>(words[0], kMaxSegments) + 1;
      return BetweenCorners(field, words.subspan(1, corners), angle);
    }
    case FieldShape::kTaught: return TaughtReach(field, angle);
    case FieldShape::kDynamicSegmented: return BetweenCorners(field, words.first(kDynamicCorners), angle);
  }
  return 0;
}

bool InField(const StoredField &field, const Hit &hit) {
  if (!Covers(field, hit.angle)) return false;
  if (Rectangular(field)) {
    const Box box = BoxOf(field);
    return hit.x >= box.left && hit.x <= box.right && hit.y >= 0 && hit.y <= box.height;
  }
  return hit.distance <= FieldExit(field, hit.angle);
}

FieldWidth WidthOf(const StoredField &field) {
  if (Rectangular(field)) {
    const Box box = BoxOf(field);
    return {box.left, box.right};
  }
  // Other shapes: the edge followed ray by ray.
  FieldWidth width{0, 0};
  const double step = field.resolution > 0 ? field.resolution / 100.0 : 1.0;
  for (double angle = FirstAngle(field); angle <= FirstAngle(field) + field.scanAngle; angle += step) {
    const double x = FieldExit(field, angle) * std::cos(Radians(angle));
    width.left = std::min(width.left, x);
    width.right = std::max(width.right, x);
  }
  return width;
}

}  // namespace kvtdrv
