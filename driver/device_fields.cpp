// Rows about the protective fields: the active field set, the stop
// threshold, the definition of a field (0x40, and the dynamic fields of the
// interface unit, 0x48 and 0x4B) and the stored field read back (0x45).
#include <algorithm>

#include "driver.h"

namespace kvtdrv {

namespace {

using kvt::Byte;
using kvt::Word;

// What every definition and the read-back carry: 9 the field set (0: the
// set in force), 10 the field code (bits 0-5 the letter A to F, bits 6-7
// the unit), 11-12 the scan angle, 13-14 the single shot in 1/100 degree.
constexpr std::size_t kNumberAt = 9;
constexpr std::size_t kCodeAt = 10;
constexpr std::size_t kAngleAt = 11;
constexpr std::size_t kResolutionAt = 13;
constexpr std::size_t kShapeAt = 15;  // 0x40 only
constexpr BYTE kLetterBits = 0x3F;
constexpr BYTE kMaxUnit = 2;
constexpr unsigned kMaxTableEntries = 10;

bool ValidScan(WORD angle, WORD resolution) {
  return (angle == 100 || angle == 180) && (resolution == 25 || resolution == 50 || resolution == 100);
}

// A field as a definition request describes it: the shared header, then
// the field's words from request byte `valuesAt`.
StoredField Described(std::span<const BYTE> request, FieldShape shape, std::size_t valuesAt) {
  const BYTE code = Byte(request, kCodeAt);
  StoredField field{shape, static_cast<BYTE>(code >> 6), Word(request, kAngleAt), Word(request, kResolutionAt), {}};
  field.words[0] = Word(request, valuesAt);
  const std::size_t count = FieldWordCount(field);
  for (std::size_t i = 1; i < count; ++i) field.words[i] = Word(request, valuesAt + 2 * i);
  return field;
}

// Stores the field when the device takes it: a known field set and
// letter, a unit, a scan the sensor knows, and what the shape needs.
// Answer: 9 the status, 10 the field number as asked.
bool Define(DeviceState &device, std::span<const BYTE> request, const StoredField &field, bool shapeValid,
            const AnswerRecord &r) {
  StoredField *slot = FieldAt(device, Byte(request, kNumberAt), Byte(request, kCodeAt) & kLetterBits);
  const bool accepted = Accepts(device, slot && shapeValid && field.unit <= kMaxUnit &&
                                            ValidScan(field.scanAngle, field.resolution));
  if (accepted) *slot = field;
  r.Byte(9, accepted ? 1 : 0);
  r.Byte(10, Byte(request, kNumberAt));
  return accepted;
}

bool ValidEntries(WORD entries) { return entries >= 1 && entries <= kMaxTableEntries; }

// Record byte behind the last word written from `at` on.
std::size_t Behind(std::size_t at, std::size_t words) {
  return std::min(at + 2 * words, kvt::kRecordSize) - kvt::kRecData;
}

}  // namespace

// Byte 9: the field set now active. Numbers outside 1..4 change nothing.
std::size_t FillFieldSet(DeviceState &device, std::span<const BYTE> request, std::span<BYTE> data) {
  const BYTE set = kvt::Byte(request, kvt::kRecData);
  if (set >= 1 && set <= kFieldSetCount) device.fieldSet = set;
  data[0] = device.fieldSet;
  return 1;
}

// Request bytes 9-10: threshold in mV. Byte 9 status (1 accepted for 1 to
// 255 mV), byte 10 the threshold now in force.
std::size_t FillStopThreshold(DeviceState &device, std::span<const BYTE> request, std::span<BYTE> data) {
  const WORD threshold = kvt::Word(request, kvt::kRecData);
  const bool accepted = Accepts(device, threshold >= 1 && threshold <= 255);
  if (accepted) device.stopThreshold = static_cast<BYTE>(threshold);
  data[0] = accepted ? 1 : 0;
  data[1] = device.stopThreshold;
  return 2;
}


// 0x40 → 0xC0: byte 15 the shape (0 rectangle, 1 radial, 2 segmented), from
// byte 22 its words: left, right, height; the radius; the number of
// segments (1 to 400) and one corner point more. Answer: 9 status, 10 the
// field number, 20 the field code, 22 the scan angle, 24 the single shot,
// from 26 the field's words (as many as the record holds).
std::size_t FillFieldDefinition(DeviceState &device, std::span<const BYTE> request, std::span<BYTE> data) {
  constexpr std::size_t kValuesAt = 22;
  const AnswerRecord r{data};
  const BYTE shape = Byte(request, kShapeAt);
  const StoredField field = Described(request, static_cast<FieldShape>(shape), kValuesAt);
  const bool segmentsValid =
      field.shape != FieldShape::kSegmented || (field.words[0] >= 1 && field.words[0] <= kMaxSegments);
  if (!Define(device, request, field, shape <= 2 && segmentsValid, r)) return 2;
  const std::size_t count = FieldWordCount(field);
  r.Byte(20, Byte(request, kCodeAt));
  r.Word(22, field.scanAngle);
  r.Word(24, field.resolution);
  for (std::size_t i = 0; i < count; ++i) r.Word(26 + 2 * i, field.words[i]);
  return Behind(26, count);
}

// 0x48 → 0xC8, dynamic rectangle: from byte 21 the minimum left, right and
// height and the valid table entries (1 to 10), then the speed table,
// which the simulation does not keep: it evaluates the field at speed 0.
// Answer: 9 status, 10 the field number, 22, 24, 26 the minimum left,
// right and height.
std::size_t FillDynamicRectangle(DeviceState &device, std::span<const BYTE> request, std::span<BYTE> data) {
  constexpr std::size_t kValuesAt = 21;
  const AnswerRecord r{data};
  const StoredField field = Described(request, FieldShape::kDynamicRectangle, kValuesAt);
  if (!Define(device, request, field, ValidEntries(field.words[3]), r)) return 2;
  r.Words(22, {field.words[0], field.words[1], field.words[2]});
  return Behind(22, 3);
}

// 0x4B → 0xCB, dynamic segmented field: from byte 15 the ten corner points
// at speed 0 and the valid table entries (1 to 10), then the class table,
// not kept. Answer: 9 status, 10 the field number.
std::size_t FillDynamicSegmented(DeviceState &device, std::span<const BYTE> request, std::span<BYTE> data) {
  constexpr std::size_t kValuesAt = 15;
  const AnswerRecord r{data};
  const StoredField field = Described(request, FieldShape::kDynamicSegmented, kValuesAt);
  Define(device, request, field, ValidEntries(field.words[10]), r);
  return 2;
}

// 0x45 → 0xC5: 9 the field set (0: the set in force), 10 the letter 0-5.
// Answer: 9 the field number as asked, 19 the field code (bits 6-7 the
// unit, bits 0-5 the shape), 20 the scan angle, 22 the single shot, from 24
// the field's words. A field the device does not have: code 0xFF (no unit,
// no shape) and nothing more.
std::size_t FillStoredField(DeviceState &device, std::span<const BYTE> request, std::span<BYTE> data) {
  constexpr BYTE kNoField = 0xFF;
  const AnswerRecord r{data};
  r.Byte(9, Byte(request, kNumberAt));
  const StoredField *field = FieldAt(device, Byte(request, kNumberAt), Byte(request, kCodeAt));
  if (!field) {
    r.Byte(19, kNoField);
    return 20 - kvt::kRecData;
  }
  const std::size_t count = FieldWordCount(*field);
  r.Byte(19, (field->unit << 6) | static_cast<BYTE>(field->shape));
  r.Word(20, field->scanAngle);
  r.Word(22, field->resolution);
  for (std::size_t i = 0; i < count; ++i) r.Word(kFieldValuesAt + 2 * i, field->words[i]);
  return Behind(kFieldValuesAt, count);
}

}  // namespace kvtdrv
