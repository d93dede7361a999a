// Reading a measured-value or field result back from the text the library
// wrote: its header lines, its values with their flag letters, the address
// line's target device, a field's kind and words.
#include <algorithm>
#include <array>
#include <charconv>
#include <optional>

#include "scan_picture.h"

namespace kvt::dlg {

namespace {

// The menu lines whose result is one value per ray, or a field's outline.
struct PictureLine {
  WORD handler;
  WORD telegram;
  PictureText text;
};
constexpr WORD kAnyTelegram = 0xFFFF;
constexpr std::array<PictureLine, 13> kPictureLines{{
    {12, 0x1D, PictureText::kScan},           // all values of a scan
    {12, 0x1F, PictureText::kScan},           // taught values
    {12, 0x20, PictureText::kScan},           // verified values
    {12, 0x75, PictureText::kScan},           // partial range
    {12, 0xBC, PictureText::kScan},           // all values direct
    {97, 0x62, PictureText::kScan},           // averaged values
    {179, kAnyTelegram, PictureText::kScan},  // averaged partial range
    {205, kAnyTelegram, PictureText::kScan},  // ranges with remission
    {17, kAnyTelegram, PictureText::kField},  // a stored field read back
    {18, 0x2A, PictureText::kField},          // rectangle defined
    {18, 0x2B, PictureText::kField},          // radial field defined
    {18, 0x2C, PictureText::kField},          // segmented field defined
    {18, 0x9E, PictureText::kField},          // dynamic rectangle defined
}};

// Each target's scan: the full scan's count tells the KVT 90° from the
// KVT-Q1, which share the address line.
struct TargetScan {
  std::string_view device;
  std::size_t fullCount;
  double opening;
  double step;
};
constexpr std::array<TargetScan, 4> kTargetScans{{
    {"KVT", 361, 180, 0.5},
    {"PXD", 361, 180, 0.5},
    {"KVT-Q1", 401, 100, 0.25},
    {"KVT-Q1", 181, 90, 0.5},
}};

struct UnitLine {
  std::string_view text;
  Unit unit;
};
constexpr std::string_view kUnitPrefix = "Einheit der Messwerte ist ";
constexpr std::array<UnitLine, 3> kUnitLines{{
    {"cm.", Unit::kCentimetre},
    {"mm.", Unit::kMillimetre},
    {"10 cm.", Unit::kTenCentimetres},
}};

// Marks in front of a value; the ones the picture does not colour set nothing.
struct Mark {
  std::string_view text;
  BYTE flag;
};
constexpr std::array<Mark, 6> kMarks{{
    {"FA", kFlagA},
    {"FB", kFlagB},
    {"FC", kFlagC},
    {"BL", kFlagBlinding},
    {"UI", 0},
    {"V", 0},
}};

constexpr std::string_view kFirstValue = "Erster Messwert:";
constexpr std::string_view kLastValue = "Letzter Messwert:";
constexpr std::string_view kValueCount = "Anzahl der Messwerte:";
// Header lines of a measured-value report before its values.
constexpr std::array<std::string_view, 5> kHeaderPrefixes{kUnitPrefix, kValueCount, kFirstValue,
                                                          "Anzahl der Mittelungen:", "Teilscan:"};
constexpr std::string_view kTarget = "Zielgerät";
constexpr std::string_view kRangeCount = "Anzahl der Bereiche:";

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsBlank(char c) { return c == ' ' || c == '\n' || c == '\r'; }

std::optional<unsigned> NumberAt(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  unsigned value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc{}) return std::nullopt;
  return value;
}

// The rest of the text behind the first `key`.
std::optional<std::string_view> After(std::string_view text, std::string_view key) {
  const std::size_t at = text.find(key);
  if (at == std::string_view::npos) return std::nullopt;
  return text.substr(at + key.size());
}

std::optional<unsigned> NumberAfter(std::string_view text, std::string_view key) {
  const auto rest = After(text, key);
  return rest ? NumberAt(*rest) : std::nullopt;
}

std::string_view LineAfter(std::string_view text, std::string_view key) {
  const auto rest = After(text, key);
  return rest ? rest->substr(0, rest->find('\n')) : std::string_view{};
}

Unit UnitOf(std::string_view text) {
  const std::string_view line = LineAfter(text, kUnitPrefix);
  for (const UnitLine &row : kUnitLines) {
    if (line.starts_with(row.text)) return row.unit;
  }
  return Unit::kNone;
}

// One value as the library writes it: marks or blanks, the number, ";".
bool NextValue(std::string_view &rest, ScanValue &value) {
  value = ScanValue{};
  std::string_view at = rest;
  while (!at.empty()) {
    if (IsBlank(at.front())) {
      at.remove_prefix(1);
      continue;
    }
    if (at.size() >= 2 && at[0] == 'R' && IsDigit(at[1])) {
      value.reflector = static_cast<BYTE>(at[1] - '0');
      at.remove_prefix(2);
      continue;
    }
    const auto mark =
        std::find_if(kMarks.begin(), kMarks.end(), [at](const Mark &m) { return at.starts_with(m.text); });
    if (mark != kMarks.end()) {
      value.flags |= mark->flag;
      at.remove_prefix(mark->text.size());
      continue;
    }
    const auto [end, error] = std::from_chars(at.data(), at.data() + at.size(), value.distance);
    if (error != std::errc{} || end == at.data() + at.size() || *end != ';') return false;
    rest = at.substr(static_cast<std::size_t>(end - at.data()) + 1);
    return true;
  }
  return false;
}

// The values from here until something that is not a value.
std::vector<ScanValue> ValuesFrom(std::string_view rest) {
  std::vector<ScanValue> values;
  ScanValue value;
  while (NextValue(rest, value)) values.push_back(value);
  return values;
}

bool IsHeaderLine(std::string_view line) {
  return std::any_of(kHeaderPrefixes.begin(), kHeaderPrefixes.end(),
                     [line](std::string_view prefix) { return line.starts_with(prefix); });
}

// The text behind the header lines.
std::string_view ValuesPart(std::string_view text) {
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    if (!IsHeaderLine(text.substr(0, end))) break;
    text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);
  }
  return text;
}

std::string TargetOf(std::string_view text) {
  auto rest = After(text, kTarget);
  if (!rest) return {};
  while (!rest->empty() && rest->front() == ' ') rest->remove_prefix(1);
  return std::string(rest->substr(0, rest->find('.')));
}

// Rows of values behind the header lines, numbered from the first value's number.
bool RowValues(std::string_view text, std::vector<ScanValue> &values, std::optional<unsigned> &first) {
  const auto count = NumberAfter(text, kValueCount);
  if (!count || *count == 0) return false;
  std::string_view rest = ValuesPart(text);
  ScanValue value;
  while (values.size() < *count && NextValue(rest, value)) values.push_back(value);
  if (values.size() != *count) return false;
  first = NumberAfter(text, kFirstValue);
  const unsigned number = std::max(first.value_or(1), 1u);
  for (std::size_t i = 0; i < values.size(); ++i) values[i].number = number + static_cast<unsigned>(i);
  return true;
}

// Ranges with remission: a line "number: distance , remission" per value.
std::vector<ScanValue> RangeValues(std::string_view text) {
  std::vector<ScanValue> values;
  while (!text.empty()) {
    const std::string_view line = text.substr(0, text.find('\n'));
    text.remove_prefix(std::min(line.size() + 1, text.size()));
    const std::size_t colon = line.find(':');
    const std::size_t comma = line.find(',');
    if (colon == line.npos || comma == line.npos || comma < colon) continue;
    const auto number = NumberAt(line.substr(0, colon));
    const auto distance = NumberAt(line.substr(colon + 1, comma - colon - 1));
    if (number && distance && *number > 0) values.push_back({*number, *distance, 0, 0});
  }
  return values;
}

struct FieldHeading {
  std::string_view text;
  FieldShape shape;
};
constexpr std::array<FieldHeading, 5> kFieldHeadings{{
    {"Rechteckiger Überwachungsbereich", FieldShape::kRectangle},
    {"Dynamisches rechteckiges Feld", FieldShape::kRectangle},
    {"Radialer Überwachungsbereich", FieldShape::kRadial},
    {"Segmentierter Überwachungsbereich", FieldShape::kSegmented},
    {"Eingelerntes Feld", FieldShape::kTaught},
}};

std::vector<unsigned> Distances(const std::vector<ScanValue> &values) {
  std::vector<unsigned> words;
  for (const ScanValue &v : values) words.push_back(v.distance);
  return words;
}

bool FieldWords(std::string_view text, FieldOutline &field) {
  switch (field.shape) {
    case FieldShape::kRectangle: {
      const auto left = NumberAfter(text, "Linksabstand:");
      const auto right = NumberAfter(text, "Rechtsabstand");
      const auto height = NumberAfter(text, "Höhe");
      if (!left || !right || !height) return false;
      field.words = {*left, *right, *height};
      return true;
    }
    case FieldShape::kRadial: {
      const auto radius = NumberAfter(text, "Radius");
      if (!radius) return false;
      field.words = {*radius};
      return true;
    }
    case FieldShape::kSegmented: {
      const auto corners = NumberAfter(text, "Anzahl d. Eckpunkte");
      const auto rest = After(text, "Eckpunkte");
      if (!corners || !rest) return false;
      field.words = Distances(ValuesFrom(rest->substr(std::min(rest->find('\n'), rest->size()))));
      return field.words.size() == *corners && *corners >= 2;
    }
    case FieldShape::kTaught: {
      const auto rest = After(text, "Eingelerntes Feld");
      if (!rest || field.scanAngle == 0 || field.singleShot == 0) return false;
      field.words = Distances(ValuesFrom(*rest));
      return field.words.size() >= 2;
    }
  }
  return false;
}

}  // namespace

PictureText PictureTextOf(WORD handler, WORD telegram) {
  for (const PictureLine &line : kPictureLines) {
    if (line.handler == handler && (line.telegram == telegram || line.telegram == kAnyTelegram)) return line.text;
  }
  return PictureText::kNone;
}

ScanGeometry GeometryOf(std::string_view device, std::size_t count, bool fullScan) {
  const TargetScan *chosen = nullptr;
  for (const TargetScan &row : kTargetScans) {
    if (row.device != device) continue;
    if (!chosen) chosen = &row;
    if (fullScan && row.fullCount == count) chosen = &row;
  }
  if (!chosen) chosen = &kTargetScans[0];
  double step = chosen->step;
  // A full scan spans the opening angle, whatever its resolution.
  if (fullScan && count > 1 && count != chosen->fullCount) step = chosen->opening / static_cast<double>(count - 1);
  return {90 - chosen->opening / 2, step};
}

void FollowFullScans(std::vector<KnownGeometry> &known, Scan &scan) {
  const auto same =
      std::find_if(known.begin(), known.end(), [&scan](const KnownGeometry &k) { return k.device == scan.device; });
  if (!scan.fullScan) {
    if (same != known.end()) scan.geometry = same->geometry;
  } else if (same != known.end()) {
    same->geometry = scan.geometry;
  } else {
    known.push_back({scan.device, scan.geometry});
  }
}

bool ParseScanText(std::string_view text, Scan &scan) {
  std::vector<ScanValue> values;
  std::optional<unsigned> first;
  if (After(text, kRangeCount)) {
    values = RangeValues(text);
    first = values.empty() ? 0 : values.front().number;
  } else if (!RowValues(text, values, first)) {
    return false;
  }
  if (values.empty()) return false;
  scan.unit = UnitOf(text);
  scan.device = TargetOf(text);
  scan.fullScan = !first.has_value();
  scan.geometry = GeometryOf(scan.device, values.size(), scan.fullScan);
  scan.values = std::move(values);
  return true;
}

bool ParseFieldText(std::string_view text, FieldOutline &field) {
  const auto number = NumberAfter(text, "Feldnummer:");
  const std::string_view letter = LineAfter(text, "Feldart ");
  const auto heading = std::find_if(kFieldHeadings.begin(), kFieldHeadings.end(),
                                    [text](const FieldHeading &h) { return text.find(h.text) != text.npos; });
  if (!number || heading == kFieldHeadings.end()) return false;
  field = FieldOutline{};
  field.number = *number;
  field.letter = letter.empty() ? '?' : letter.front();
  field.unit = UnitOf(text);
  field.shape = heading->shape;
  field.scanAngle = NumberAfter(text, "Scanwinkel:").value_or(0);
  field.singleShot = NumberAfter(text, "Einzelschuß in 1/100 Grad:").value_or(0);
  return FieldWords(text, field);
}

}  // namespace kvt::dlg
