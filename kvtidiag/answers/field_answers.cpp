// Protective fields in answers: the field letter and unit lines, each
// shape's heading and dimensions, the corner points or taught-in contour in
// rows of eight, and the whole description of a stored field (0xC5).
#include "answers/measured.h"
#include "kvt/bytes.h"

namespace kvt {

namespace {

constexpr UINT kLetterTexts[] = {ids::kFieldKindA, ids::kFieldKindB, ids::kFieldKindC,
                                 ids::kFieldKindD, ids::kFieldKindE, ids::kFieldKindF};
constexpr UINT kUnitTexts[] = {ids::kUnitCentimetres, ids::kUnitMillimetres, ids::kUnitTenCentimetres};

constexpr BYTE kShapeBits = 0x3F;
constexpr unsigned kSegmentedShape = 2;
constexpr unsigned kTaughtShape = 3;
constexpr unsigned kShapes = 6;
// Shape codes from 18 on name no shape; below, they repeat every six.
constexpr unsigned kLastRepeatedShape = 17;
constexpr WORD kMarkBit = 0x8000;
constexpr WORD kValueBits = 0x1FFF;
constexpr std::size_t kValuesPerRow = 8;
constexpr char kNoMark[] = "   ";

// The stored-field answer.
constexpr std::size_t kNumberAt = 9;
constexpr std::size_t kCodeAt = 19;
constexpr std::size_t kAngleAt = 20;
constexpr std::size_t kResolutionAt = 22;
constexpr std::size_t kValuesAt = 24;
// The definition answer of a segmented field.
constexpr std::size_t kSegmentsAt = 26;

// Each shape: its heading, and its dimension lines from a first word on.
struct ShapeText {
  UINT heading;
  void (*dimensions)(ResultText &out, std::span<const BYTE> answer, std::size_t at);
};

void Rectangle(ResultText &out, std::span<const BYTE> answer, std::size_t at) {
  Append(out, FormatFromTable(ids::kLeftRightDistanceAndHeight, Word(answer, at), Word(answer, at + 2),
                              Word(answer, at + 4)));
}

void Radial(ResultText &out, std::span<const BYTE> answer, std::size_t at) {
  Append(out, FormatFromTable(ids::kRadius, Word(answer, at)));
}

void Segments(ResultText &out, std::span<const BYTE> answer, std::size_t at) {
  const unsigned segments = Word(answer, at);
  Append(out, FormatFromTable(ids::kSegmentAndCornerCount, segments, segments + 1));
}

void NoDimensions(ResultText &, std::span<const BYTE>, std::size_t) {}

// The format of 246 shows no number; the word goes along all the same.
void DynamicRectangle(ResultText &out, std::span<const BYTE> answer, std::size_t at) {
  Rectangle(out, answer, at);
  Append(out, FormatFromTable(ids::kValidTableEntries, Word(answer, at + 6)));
}

void DynamicSegments(ResultText &out, std::span<const BYTE> answer, std::size_t at) {
  Append(out, FormatFromTable(ids::kValidTableEntries, Word(answer, at + 20)));
}

constexpr ShapeText kShapeTexts[kShapes] = {
    {ids::kRectangularFieldHeading, Rectangle},
    {ids::kRadialFieldHeading, Radial},
    {ids::kSegmentedFieldHeading, Segments},
    {ids::kTaughtFieldHeading, NoDimensions},
    {ids::kDynamicRectangularField, DynamicRectangle},
    {ids::kDynamicSegmentedField, DynamicSegments},
};

// Up to `wanted` words from `first`, as far as the record holds them: the
// marker for bit 15, the low 13 bits; a line feed after each full row.
void AppendFieldValues(ResultText &out, std::span<const BYTE> answer, std::size_t first, std::size_t wanted) {
  char marker[kStringLimit];
  char number[kStringLimit];
  LoadText(ids::kMarkUi, marker);
  LoadText(ids::kCornerPointValue, number);
  const std::size_t count = WordsInRecord(answer, first, wanted);
  Pending pending{out};
  for (std::size_t i = 0; i < count; ++i) {
    const WORD value = Word(answer, first + 2 * i);
    Add(pending, (value & kMarkBit) != 0 ? std::string_view(marker) : std::string_view(kNoMark));
    AddFormatted(pending, number, value & kValueBits);
    if ((i + 1) % kValuesPerRow == 0) Add(pending, "\n");
  }
  Flush(pending);
}

// The shape of a field code's bits 0-5; kShapes for none.
unsigned ShapeOf(BYTE code) {
  const unsigned bits = code & kShapeBits;
  return bits <= kLastRepeatedShape ? bits % kShapes : kShapes;
}

}  // namespace

void AppendFieldLetter(ResultText &out, unsigned letter) {
  if (letter < std::size(kLetterTexts)) Append(out, FormatFromTable(kLetterTexts[letter]));
}

const char *UnitText(unsigned unit) {
  return unit < std::size(kUnitTexts) ? FormatFromTable(kUnitTexts[unit]) : nullptr;
}

void AppendUnitLine(ResultText &out, unsigned unit) {
  if (const char *text = UnitText(unit)) Append(out, text);
}

void AppendFieldHeading(ResultText &out, unsigned shape) {
  if (shape < kShapes) Append(out, FormatFromTable(kShapeTexts[shape].heading));
}

void AppendFieldDimensions(ResultText &out, std::span<const BYTE> answer, unsigned shape, std::size_t at) {
  if (shape < kShapes) kShapeTexts[shape].dimensions(out, answer, at);
}

void FieldCornerPoints(ResultText &out, std::span<const BYTE> answer) {
  AppendFieldValues(out, answer, kSegmentsAt + 2, Word(answer, kSegmentsAt) + 1u);
}

void RenderFieldValues(ResultText &out, std::span<const BYTE> answer) {
  switch (ShapeOf(Byte(answer, kCodeAt))) {
    case kSegmentedShape: AppendFieldValues(out, answer, kValuesAt + 2, Word(answer, kValuesAt) + 1u); return;
    case kTaughtShape: {
      // One value per single shot over the scan angle, and the first.
      const unsigned resolution = Word(answer, kResolutionAt);
      if (resolution == 0) return;  // no count can be given; the single-shot line shows why
      AppendFieldValues(out, answer, kValuesAt, Word(answer, kAngleAt) * 100u / resolution + 1);
      return;
    }
    default: return;
  }
}

void StoredFieldText(ResultText &out, std::span<const BYTE> answer, unsigned letter) {
  Replace(out, FormatFromTable(ids::kFieldNumber, Byte(answer, kNumberAt)));
  AppendFieldLetter(out, letter);
  Append(out, FormatFromTable(ids::kScanAngle, Word(answer, kAngleAt)));
  Append(out, FormatFromTable(ids::kSingleShotResolution, Word(answer, kResolutionAt)));
  const BYTE code = Byte(answer, kCodeAt);
  AppendUnitLine(out, code >> 6);
  const unsigned shape = ShapeOf(code);
  AppendFieldHeading(out, shape);
  AppendFieldDimensions(out, answer, shape, kValuesAt);
  RenderFieldValues(out, answer);
}

}  // namespace kvt
