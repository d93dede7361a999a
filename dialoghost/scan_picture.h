// The scan picture inside KVTIDLG.DLL: a measured-value result read back from
// its text, the fields known in the session, the polar plot and its PNG file.
//
// Why the result text: the menu window sees each command's ResultText, and the
// library writes it for measured values and fields from exact, fixed strings
// (unit, count, first and last value, the values with their flag letters, the
// field's kind and words). Reading it works with any driver and leaves the
// library's behaviour and exports as they are; a second channel from the
// library would change its binary contract.
#pragma once

#include <windows.h>

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace kvt::dlg {

// The unit line's three units; kNone when the text has no unit line.
enum class Unit : BYTE { kCentimetre, kMillimetre, kTenCentimetres, kNone };

enum ValueFlag : BYTE {
  kFlagA = 1,         // "FA"
  kFlagB = 2,         // "FB"
  kFlagC = 4,         // "FC"
  kFlagBlinding = 8,  // "BL"
};

struct ScanValue {
  unsigned number = 0;    // value number, 1 is the scan's first ray
  unsigned distance = 0;  // in the scan's unit
  BYTE flags = 0;         // ValueFlag bits
  BYTE reflector = 0;     // reflector level "R1".."R7", 0 none
};

// Angles in degrees in the sensor's frame: 0 to the right, 90 straight ahead.
struct ScanGeometry {
  double firstAngle = 0;  // of value number 1
  double step = 0;
};

struct Scan {
  Unit unit = Unit::kNone;
  std::string device;  // as the address line names the target ("KVT", "PXD", "KVT-Q1")
  ScanGeometry geometry;
  bool fullScan = false;  // no first value number: the values start at the first ray
  std::vector<ScanValue> values;
};

// The geometry of each target's latest full scan in the session.
struct KnownGeometry {
  std::string device;
  ScanGeometry geometry;
};

enum class FieldShape : BYTE { kRectangle, kRadial, kSegmented, kTaught };

struct FieldOutline {
  unsigned number = 0;  // field set
  char letter = '?';
  Unit unit = Unit::kNone;
  FieldShape shape = FieldShape::kRectangle;
  unsigned scanAngle = 0;   // degrees; 0 when the text does not say
  unsigned singleShot = 0;  // 1/100 degree; 0 when the text does not say
  std::vector<unsigned> words;  // left, right, height | radius | corner points | contour
};

// scan_text.cpp: which menu lines give a picture, and reading their texts.
enum class PictureText { kNone, kScan, kField };
PictureText PictureTextOf(WORD handler, WORD telegram);
bool ParseScanText(std::string_view text, Scan &scan);
bool ParseFieldText(std::string_view text, FieldOutline &field);
ScanGeometry GeometryOf(std::string_view device, std::size_t count, bool fullScan);
// A full scan is remembered; a partial range takes its target's remembered
// geometry, which knows the resolution better than the target's name.
void FollowFullScans(std::vector<KnownGeometry> &known, Scan &scan);

// scan_plot.cpp: where things land in a picture of a given size, and drawing it.
struct PlotFrame {
  double originX = 0, originY = 0;  // the sensor, in pixels
  double pixelsPerUnit = 0;         // per unit of the scan
  unsigned ringStep = 0;            // distance between scale rings, in the scan's unit
  unsigned rings = 0;
};
PlotFrame FitPlot(const Scan &scan, std::span<const FieldOutline> fields, int width, int height);
POINT PlotPolar(const PlotFrame &frame, double angle, double distance);
void DrawScanPicture(HDC dc, int width, int height, const Scan &scan, std::span<const FieldOutline> fields);

// png_writer.cpp: RGB rows, top row first, to a PNG file's bytes.
std::uint32_t Crc32(std::span<const BYTE> bytes);
std::uint32_t Adler32(std::span<const BYTE> bytes);
std::vector<BYTE> EncodePng(int width, int height, std::span<const BYTE> rgb);

// scan_window.cpp: the menu window hands every result here.
void OfferToScanPicture(HWND menu, WORD handler, WORD telegram, const char *resultText);

}  // namespace kvt::dlg
