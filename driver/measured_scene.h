// The room the simulated sensors look into: a contour of walls and a
// cabinet, an object with a reflector strip standing in it, and the
// fields the device stores. Everything here is
// in millimetres and degrees; measured_values.cpp turns it into telegrams
// in the device's unit and flag layout.
#pragma once

#include <windows.h>

#include "driver.h"

namespace kvtdrv {

// How a kind of device scans: its rays, from the first angle on, and the
// unit its values are given in (header word bits 14-15).
struct ScanGeometry {
  unsigned rays;
  double firstAngle;
  double step;
  BYTE unit;  // 0 cm, 1 mm, 2 tenths of a metre
};

ScanGeometry GeometryOf(BYTE kind);

enum class Surface : BYTE { kWall, kCabinet, kObject, kReflector };

struct Hit {
  double angle;     // of the ray, degrees
  double distance;  // from the sensor
  double x;         // across the scan; 0 in front of the sensor
  double y;         // perpendicular distance from the sensor's front plane
  Surface surface;
  double incidence;  // cosine of the angle between ray and surface normal
};

// The first surface the ray meets; without the object, the taught room.
Hit CastRay(double angle, bool withObject);

// Millimetres per step of a unit: 0 cm, 1 mm, 2 tenths of a metre (other
// units count as cm).
double MillimetresPerUnit(BYTE unit);
// Millimetres in a unit, rounded; nothing below 0.
unsigned InUnit(double millimetres, BYTE unit);

// The stored fields in the room (field_geometry.cpp). The fields A, B and C
// of the set in force raise the flags of the measured values.
inline constexpr std::size_t kFields = 3;  // A, B, C
bool InField(const StoredField &field, const Hit &hit);
// Where a ray leaves a field, mm; 0 when it does not pass through it.
double FieldExit(const StoredField &field, double angle);
// The field's extent across the scan, mm: left edge (negative) and right edge.
struct FieldWidth {
  double left;
  double right;
};
FieldWidth WidthOf(const StoredField &field);

// Remission in per mille of a white target; a reflector gives several times that.
unsigned Remission(const Hit &hit, unsigned ray);

// Measurement noise of one scan, in millimetres (a few at most), fixed
// by the ray and the scan's number.
double Noise(unsigned ray, unsigned scan);

// X counted from the room's left wall, so that it is never negative.
double XFromLeftWall(const Hit &hit);

}  // namespace kvtdrv
