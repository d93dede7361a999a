// The polar plot of a scan in the sensor's frame: the sensor at the bottom
// centre looking up, scale rings with their distance, the known fields as
// outlines, each value as a dot coloured by its flags, and a legend.
#include <algorithm>
#include <array>
#include <cmath>
#include <string>

#include "dialoghost.h"
#include "scan_picture.h"

namespace kvt::dlg {

namespace {

constexpr int kSideMargin = 16;
constexpr int kTopMargin = 16;
constexpr int kBottomMargin = 28;  // room for the ring labels under the front plane
constexpr int kDotRadius = 2;
constexpr int kLegendLine = 16;
constexpr double kPi = 3.14159265358979323846;

constexpr COLORREF kBackground = RGB(0xFF, 0xFF, 0xFF);
constexpr COLORREF kRingColour = RGB(0xC8, 0xC8, 0xC8);
constexpr COLORREF kAxisColour = RGB(0x90, 0x90, 0x90);
constexpr COLORREF kTextColour = RGB(0x20, 0x20, 0x20);
constexpr COLORREF kPlainValue = RGB(0x30, 0x30, 0x30);

// A field's outline has the colour of its flag.
constexpr COLORREF kColourA = RGB(0xE0, 0x20, 0x20);
constexpr COLORREF kColourB = RGB(0xF0, 0x8C, 0x00);
constexpr COLORREF kColourC = RGB(0xB8, 0x28, 0xB8);

struct FlagStyle {
  BYTE flag;
  COLORREF colour;
  const char *legend;
};
// The first flag of a value in this order gives its colour.
constexpr std::array<FlagStyle, 4> kFlagStyles{{
    {kFlagA, kColourA, "FA  Feld A verletzt"},
    {kFlagB, kColourB, "FB  Feld B verletzt"},
    {kFlagC, kColourC, "FC  Feld C verletzt"},
    {kFlagBlinding, RGB(0x20, 0x5A, 0xE6), "BL  Blendung"},
}};
constexpr char kPlainLegend[] = "Messwert";
constexpr char kReflectorLegend[] = "R1…R7  Reflektor (dunkler: höher)";

struct FieldStyle {
  char letter;
  COLORREF colour;
};
constexpr std::array<FieldStyle, 6> kFieldStyles{{
    {'A', kColourA},
    {'B', kColourB},
    {'C', kColourC},
    {'D', RGB(0x00, 0x90, 0x90)},
    {'E', RGB(0x8B, 0x5A, 0x2B)},
    {'F', RGB(0x55, 0x55, 0xC8)},
}};
constexpr COLORREF kUnknownField = RGB(0x80, 0x80, 0x80);

struct UnitName {
  Unit unit;
  double millimetres;
  const char *name;
};
constexpr std::array<UnitName, 4> kUnitNames{{
    {Unit::kCentimetre, 10, "cm"},
    {Unit::kMillimetre, 1, "mm"},
    {Unit::kTenCentimetres, 100, "× 10 cm"},
    {Unit::kNone, 0, ""},
}};

const UnitName &NameOf(Unit unit) {
  return *std::find_if(kUnitNames.begin(), kUnitNames.end(), [unit](const UnitName &u) { return u.unit == unit; });
}

struct Point {
  double x, y;  // in the scan's unit: x to the right, y ahead
};

Point Polar(double angle, double distance) {
  return {distance * std::cos(angle * kPi / 180), distance * std::sin(angle * kPi / 180)};
}

double AngleOf(const ScanGeometry &geometry, unsigned number) {
  return geometry.firstAngle + (number - 1.0) * geometry.step;
}

// A field's words in the scan's unit; without both units they are taken as they are.
double Scale(const FieldOutline &field, const Scan &scan) {
  const double from = NameOf(field.unit).millimetres;
  const double to = NameOf(scan.unit).millimetres;
  return from > 0 && to > 0 ? from / to : 1;
}

// The field's angle: its own when the text gave it, else the scan's.
double OpeningOf(const FieldOutline &field, const Scan &scan) {
  return field.scanAngle ? field.scanAngle : 180 - 2 * scan.geometry.firstAngle;
}

// The outline as a closed line: a rectangle from the front plane, the other
// shapes from the sensor over their angle and back.
std::vector<Point> OutlineOf(const FieldOutline &field, const Scan &scan) {
  const double k = Scale(field, scan);
  const double opening = OpeningOf(field, scan);
  const double first = 90 - opening / 2;
  std::vector<Point> points;
  const auto &w = field.words;
  switch (field.shape) {
    case FieldShape::kRectangle:
      if (w.size() < 3) return {};
      return {{-k * w[0], 0}, {-k * w[0], k * w[2]}, {k * w[1], k * w[2]}, {k * w[1], 0}, {-k * w[0], 0}};
    case FieldShape::kRadial: {
      if (w.empty()) return {};
      constexpr int kArcSteps = 90;
      points.push_back({0, 0});
      for (int i = 0; i <= kArcSteps; ++i) points.push_back(Polar(first + opening * i / kArcSteps, k * w[0]));
      break;
    }
    case FieldShape::kSegmented:
    case FieldShape::kTaught: {
      if (w.size() < 2) return {};
      const double step = field.shape == FieldShape::kTaught ? field.singleShot / 100.0 : opening / (w.size() - 1.0);
      points.push_back({0, 0});
      for (std::size_t i = 0; i < w.size(); ++i) points.push_back(Polar(first + step * i, k * w[i]));
      break;
    }
  }
  points.push_back({0, 0});
  return points;
}

double Reach(const Scan &scan, std::span<const FieldOutline> fields) {
  double reach = 0;
  for (const ScanValue &v : scan.values) reach = std::max(reach, static_cast<double>(v.distance));
  for (const FieldOutline &field : fields) {
    for (const Point &p : OutlineOf(field, scan)) reach = std::max(reach, std::hypot(p.x, p.y));
  }
  return std::max(reach, 1.0);
}

// The smallest of 1, 2, 5 times a power of ten that parts the reach into at most four rings.
unsigned RingStep(double reach) {
  for (unsigned power = 1;; power *= 10) {
    for (unsigned factor : {1u, 2u, 5u}) {
      if (factor * power * 4.0 >= reach || power >= 100000000u) return factor * power;
    }
  }
}

POINT ToPixel(const PlotFrame &frame, Point p) {
  return {static_cast<LONG>(std::lround(frame.originX + p.x * frame.pixelsPerUnit)),
          static_cast<LONG>(std::lround(frame.originY - p.y * frame.pixelsPerUnit))};
}

COLORREF ValueColour(const ScanValue &value) {
  for (const FlagStyle &style : kFlagStyles) {
    if (value.flags & style.flag) return style.colour;
  }
  if (value.reflector) {
    const int shade = 200 - 20 * std::min<int>(value.reflector, 7);
    return RGB(0, shade, shade / 3);
  }
  return kPlainValue;
}

COLORREF FieldColour(char letter) {
  for (const FieldStyle &style : kFieldStyles) {
    if (style.letter == letter) return style.colour;
  }
  return kUnknownField;
}

// Field set 0 is the set in force: its fields go by their letter alone.
std::string FieldName(const FieldOutline &field) {
  return field.number == 0 ? std::string(1, field.letter) : FormatText("%u%c", field.number, field.letter);
}

std::string FieldSetText(const FieldOutline &field) {
  return field.number == 0 ? std::string(" (Feldsatz in Kraft)") : FormatText(" (Feldsatz %u)", field.number);
}

// GDI objects made for one drawing and released with it.
struct Pen {
  HPEN pen;
  Pen(int style, int width, COLORREF colour) : pen(CreatePen(style, width, colour)) {}
  ~Pen() { DeleteObject(pen); }
};

void Fill(HDC dc, RECT area, COLORREF colour) {
  HBRUSH brush = CreateSolidBrush(colour);
  FillRect(dc, &area, brush);
  DeleteObject(brush);
}

void Line(HDC dc, POINT from, POINT to) {
  MoveToEx(dc, from.x, from.y, nullptr);
  LineTo(dc, to.x, to.y);
}

void Text(HDC dc, int x, int y, const std::string &text, UINT align = TA_LEFT | TA_TOP) {
  SetTextAlign(dc, align);
  TextOutA(dc, x, y, text.c_str(), static_cast<int>(text.size()));
}

void DrawRings(HDC dc, const PlotFrame &frame, const Scan &scan) {
  Pen ring(PS_DOT, 1, kRingColour);
  HGDIOBJ old = SelectObject(dc, ring.pen);
  SelectObject(dc, GetStockObject(NULL_BRUSH));
  SetTextColor(dc, kTextColour);
  const POINT origin = ToPixel(frame, {0, 0});
  for (unsigned i = 1; i <= frame.rings; ++i) {
    const double distance = static_cast<double>(i) * frame.ringStep;
    const POINT right = ToPixel(frame, {distance, 0});
    const POINT left = ToPixel(frame, {-distance, 0});
    const POINT top = ToPixel(frame, {0, distance});
    // The upper half, counter-clockwise from the right.
    Arc(dc, left.x, top.y, right.x + 1, 2 * origin.y - top.y + 1, right.x, right.y, left.x, left.y);
    // Inside the ring's end, so the outermost label stays in the picture.
    Text(dc, right.x - 3, right.y + 4, FormatText("%u %s", static_cast<unsigned>(distance), NameOf(scan.unit).name),
         TA_RIGHT | TA_TOP);
  }
  SelectObject(dc, old);
}

void DrawAxes(HDC dc, const PlotFrame &frame, const Scan &scan) {
  const double reach = static_cast<double>(frame.rings) * frame.ringStep;
  Pen axis(PS_SOLID, 1, kAxisColour);
  HGDIOBJ old = SelectObject(dc, axis.pen);
  const POINT origin = ToPixel(frame, {0, 0});
  Line(dc, ToPixel(frame, {-reach, 0}), ToPixel(frame, {reach, 0}));
  const double last =
      scan.values.empty() ? 180 - scan.geometry.firstAngle : AngleOf(scan.geometry, scan.values.back().number);
  for (double angle : {scan.geometry.firstAngle, 90.0, last}) Line(dc, origin, ToPixel(frame, Polar(angle, reach)));
  SelectObject(dc, old);
  // The sensor: a small triangle on the front plane.
  const POINT sensor[3] = {{origin.x - 6, origin.y + 8}, {origin.x + 6, origin.y + 8}, {origin.x, origin.y}};
  HBRUSH brush = CreateSolidBrush(kTextColour);
  HGDIOBJ oldBrush = SelectObject(dc, brush);
  Polygon(dc, sensor, 3);
  SelectObject(dc, oldBrush);
  DeleteObject(brush);
}

void DrawFields(HDC dc, const PlotFrame &frame, const Scan &scan, std::span<const FieldOutline> fields) {
  for (const FieldOutline &field : fields) {
    const std::vector<Point> outline = OutlineOf(field, scan);
    if (outline.empty()) continue;
    std::vector<POINT> pixels;
    for (const Point &p : outline) pixels.push_back(ToPixel(frame, p));
    Pen pen(PS_SOLID, 2, FieldColour(field.letter));
    HGDIOBJ old = SelectObject(dc, pen.pen);
    Polyline(dc, pixels.data(), static_cast<int>(pixels.size()));
    SelectObject(dc, old);
    const POINT top = *std::min_element(pixels.begin(), pixels.end(), [](POINT a, POINT b) { return a.y < b.y; });
    SetTextColor(dc, FieldColour(field.letter));
    Text(dc, top.x + 4, top.y - 16, FieldName(field));
  }
}

void DrawValues(HDC dc, const PlotFrame &frame, const Scan &scan) {
  for (const ScanValue &value : scan.values) {
    if (value.distance == 0) continue;  // no echo
    const POINT p = PlotPolar(frame, AngleOf(scan.geometry, value.number), value.distance);
    const RECT dot{p.x - kDotRadius, p.y - kDotRadius, p.x + kDotRadius + 1, p.y + kDotRadius + 1};
    Fill(dc, dot, ValueColour(value));
  }
}

void LegendLine(HDC dc, int &y, COLORREF colour, const std::string &text, bool line) {
  const RECT mark =
      line ? RECT{kSideMargin, y + 6, kSideMargin + 10, y + 8} : RECT{kSideMargin + 2, y + 4, kSideMargin + 8, y + 10};
  Fill(dc, mark, colour);
  SetTextColor(dc, kTextColour);
  Text(dc, kSideMargin + 16, y, text);
  y += kLegendLine;
}

void DrawLegend(HDC dc, const Scan &scan, std::span<const FieldOutline> fields) {
  int y = kTopMargin / 2;
  SetTextColor(dc, kTextColour);
  const std::string unit =
      scan.unit == Unit::kNone ? std::string("ohne Einheit") : FormatText("Einheit %s", NameOf(scan.unit).name);
  const std::string device = scan.device.empty() ? std::string() : scan.device + ", ";
  Text(dc, kSideMargin, y,
       FormatText("%s%u Messwerte, %s", device.c_str(), static_cast<unsigned>(scan.values.size()), unit.c_str()));
  y += kLegendLine + 4;
  BYTE flags = 0;
  bool plain = false, reflector = false;
  for (const ScanValue &v : scan.values) {
    flags |= v.flags;
    reflector = reflector || (v.reflector && !v.flags);
    plain = plain || (!v.flags && !v.reflector);
  }
  if (plain) LegendLine(dc, y, kPlainValue, kPlainLegend, false);
  for (const FlagStyle &style : kFlagStyles) {
    if (flags & style.flag) LegendLine(dc, y, style.colour, style.legend, false);
  }
  if (reflector) LegendLine(dc, y, ValueColour(ScanValue{0, 0, 0, 4}), kReflectorLegend, false);
  for (const FieldOutline &field : fields) {
    LegendLine(dc, y, FieldColour(field.letter), "Feld " + FieldName(field) + FieldSetText(field), true);
  }
}

}  // namespace

PlotFrame FitPlot(const Scan &scan, std::span<const FieldOutline> fields, int width, int height) {
  PlotFrame frame;
  frame.ringStep = RingStep(Reach(scan, fields));
  frame.rings = static_cast<unsigned>(std::ceil(Reach(scan, fields) / frame.ringStep));
  const double outer = static_cast<double>(frame.rings) * frame.ringStep;
  const double across = (width - 2.0 * kSideMargin) / (2 * outer);
  const double ahead = (height - static_cast<double>(kTopMargin) - kBottomMargin) / outer;
  frame.pixelsPerUnit = std::max(std::min(across, ahead), 1e-6);
  frame.originX = width / 2.0;
  frame.originY = height - static_cast<double>(kBottomMargin);
  return frame;
}

POINT PlotPolar(const PlotFrame &frame, double angle, double distance) {
  return ToPixel(frame, Polar(angle, distance));
}

void DrawScanPicture(HDC dc, int width, int height, const Scan &scan, std::span<const FieldOutline> fields) {
  Fill(dc, RECT{0, 0, width, height}, kBackground);
  const PlotFrame frame = FitPlot(scan, fields, width, height);
  HGDIOBJ oldFont = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
  SetBkMode(dc, TRANSPARENT);
  DrawRings(dc, frame, scan);
  DrawAxes(dc, frame, scan);
  DrawFields(dc, frame, scan, fields);
  DrawValues(dc, frame, scan);
  DrawLegend(dc, scan, fields);
  SelectObject(dc, oldFont);
}

}  // namespace kvt::dlg
