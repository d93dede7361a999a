// A new protective field: a rectangular, radial or segmented field (0x40),
// or on the interface unit a dynamic rectangle (0x48) or dynamic segmented
// field (0x4B). The dialog's block goes into the request; the device's
// confirmation is reported with what it took over.
#include "dispatch/dispatch.h"

namespace kvt {

namespace {

constexpr std::size_t kStatusAt = 9;
constexpr std::size_t kNumberAt = 10;
constexpr std::size_t kFieldCodeAt = 20;  // answer 0xC0: bits 0-5 the letter, bits 6-7 the unit
constexpr BYTE kLetterBits = 0x3F;

enum Shape : BYTE { kRectangle = 0, kRadial = 1, kSegmented = 2 };

// The field configuration block keeps its numbers in 32 bits; the request
// takes their low words: field number, field code, scan angle, single
// shot, the shape, the first value.
constexpr Place kNumber = BlockByte(9, 1);
constexpr Place kCode = BlockByte(10, 11);
constexpr Place kAngle = BlockWord(11, 12);
constexpr Place kShot = BlockWord(13, 16);
constexpr Place kFirstValue = BlockWord(22, 24);

// The dynamic fields: block bytes 0-5 (number, code, scan angle, single
// shot) to request bytes 9-14.
constexpr Place kDynamicHeader = BlockBytes(9, 0, 6);
constexpr WORD kClasses = 30;
constexpr WORD kCornerLines = 10;

// One row per telegram code: its dialog, its command, where the block
// goes, and what the report shows after the device took the field over.
struct FieldKind {
  WORD telegram;
  Collector collector;
  BYTE argument;  // the kind DialogFieldKfg is started with
  BYTE command;
  BYTE expected;
  std::array<Place, 8> data;
  bool letterAndUnit;        // the field's letter and unit from answer byte 20
  Shape shape;               // the heading, and with it
  std::size_t dimensionsAt;  // the dimensions from this answer byte; 0: none
  AnswerFormatter values;    // then these, if any
};

constexpr FieldKind kFieldKinds[] = {
    {0x2A, Collector::kFieldKfg, 0, 0x40, 0xC0,
     {kNumber, kCode, kAngle, kShot, ConstantByte(15, kRectangle), kFirstValue, BlockWord(24, 28), BlockWord(26, 32)},
     true, kRectangle, 26, nullptr},
    {0x2B, Collector::kFieldKfg, 1, 0x40, 0xC0, {kNumber, kCode, kAngle, kShot, ConstantByte(15, kRadial), kFirstValue},
     true, kRadial, 26, nullptr},
    {0x2C, Collector::kFieldKfg, 2, 0x40, 0xC0,
     {kNumber, kCode, kAngle, kShot, ConstantByte(15, kSegmented), kFirstValue, CornerPoints(24, 24)},
     true, kSegmented, 26, FieldCornerPoints},
    {0x9E, Collector::kDYNRECKfg, 0, 0x48, 0xC8, {kDynamicHeader, BlockBytes(21, 12, 248)}, false, kRectangle, 22,
     nullptr},
    // The class table: its speed line as it is, its corner lines marked.
    {0x9F, Collector::kDYNSEGKfg, 0, 0x4B, 0xCB,
     {kDynamicHeader, MarkedWords(15, 6, 10), BlockWord(35, 26), BlockBytes(37, 28, 2 * kClasses),
      MarkedWords(37 + 2 * kClasses, 28 + 2 * kClasses, kCornerLines * kClasses)},
     false, kRectangle, 0, nullptr},
};

const FieldKind *FindFieldKind(WORD telegram) {
  for (const auto &kind : kFieldKinds) {
    if (kind.telegram == telegram) return &kind;
  }
  return nullptr;
}

BOOL ReportTakenOver(Command &command, const FieldKind &kind) {
  const TelegramRecord &answer = command.Answer();
  if (answer[kStatusAt] != 1) return MessageEnding(command, ids::kFieldConfigurationAborted);
  Append(command.out, FormatFromTable(ids::kFieldNumber, answer[kNumberAt]));
  if (kind.letterAndUnit) {
    AppendFieldLetter(command.out, answer[kFieldCodeAt] & kLetterBits);
    AppendUnitLine(command.out, answer[kFieldCodeAt] >> 6);
  }
  Append(command.out, FormatFromTable(ids::kFieldDataAccepted));
  AppendFieldHeading(command.out, kind.shape);
  if (kind.dimensionsAt != 0) AppendFieldDimensions(command.out, answer, kind.shape, kind.dimensionsAt);
  if (kind.values) kind.values(command.out, answer);
  return SuccessEnding(command);
}

}  // namespace

BOOL CollectFieldDefinition(Command &command, const HandlerRow &) {
  const FieldKind *kind = FindFieldKind(command.Telegram());
  if (!kind) return SuccessEnding(command);
  return CollectParams(command.owner, command.request, kind->collector, kind->argument, &command.Answer());
}

BOOL RunFieldDefinition(Command &command, const HandlerRow &) {
  const FieldKind *kind = FindFieldKind(command.Telegram());
  if (!kind) return SuccessEnding(command);
  if (!PlaceData(command, kind->data)) return FALSE;
  if (const Ending ending = Exchange(command, kind->command, kind->expected)) return *ending;
  return ReportTakenOver(command, *kind);
}

}  // namespace kvt
