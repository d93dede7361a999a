// A new protective field: a rectangular, radial or segmented field (0x40),
// or on the interface unit a dynamic rectangle (0x48) or dynamic segmented
// field (0x4B). The dialog's block goes into the request; the device's
// confirmation is reported with what it took over.
#include "dispatch/dispatch.h"

namespace kvt {

namespace {

constexpr WORD kCornerMark = 0x8000;
constexpr UINT kFieldNumberMessage = 233;
constexpr UINT kTakenOverMessage = 89;
constexpr UINT kAbortedMessage = 90;

constexpr std::size_t kStatusAt = 9;
constexpr std::size_t kNumberAt = 10;
constexpr std::size_t kFieldCodeAt = 20;  // answer 0xC0: bits 0-5 the letter, bits 6-7 the unit
constexpr BYTE kLetterBits = 0x3F;

enum Shape : BYTE { kRectangle = 0, kRadial = 1, kSegmented = 2 };

// Copies `count` words from the block, one every `stride` bytes from
// `from`, to the request from `to` on, each ORed with `mark`.
void CopyWords(TelegramRecord &request, std::size_t to, std::span<const BYTE> block, std::size_t from,
               std::size_t count, std::size_t stride = 2, WORD mark = 0) {
  for (std::size_t i = 0; i < count; ++i) PutWord(request, to + 2 * i, Word(block, from + stride * i) | mark);
}

void CopyBytes(TelegramRecord &request, std::size_t to, std::span<const BYTE> block, std::size_t from,
               std::size_t count) {
  for (std::size_t i = 0; i < count; ++i) PutByte(request, to + i, Byte(block, from + i));
}

// The field configuration block keeps its numbers in 32 bits; the request
// takes their low words.
constexpr std::size_t kValueStride = 4;

// Field number, field code, scan angle, single shot, shape, first value.
void PlaceFieldHeader(TelegramRecord &request, std::span<const BYTE> block, Shape shape) {
  CopyBytes(request, 9, block, 1, 1);
  CopyBytes(request, 10, block, 11, 1);
  CopyWords(request, 11, block, 12, 2, kValueStride);
  request[15] = shape;
  CopyWords(request, 22, block, 24, 1, kValueStride);
}

void PlaceRectangle(TelegramRecord &request, std::span<const BYTE> block) {
  PlaceFieldHeader(request, block, kRectangle);
  CopyWords(request, 24, block, 28, 2, kValueStride);  // right distance, height
}

void PlaceRadial(TelegramRecord &request, std::span<const BYTE> block) {
  PlaceFieldHeader(request, block, kRadial);
}

// One corner point more than segments, each marked with bit 15.
void PlaceSegmented(TelegramRecord &request, std::span<const BYTE> block) {
  PlaceFieldHeader(request, block, kSegmented);
  CopyWords(request, 24, block, 28, Word(block, 24) + 1u, kValueStride, kCornerMark);
}

// Block bytes 0-5 and 12-259 to request bytes 9-14 and 21-268.
void PlaceDynamicRectangle(TelegramRecord &request, std::span<const BYTE> block) {
  CopyBytes(request, 9, block, 0, 6);
  CopyBytes(request, 21, block, 12, 248);
}

// The header, the ten corner points at speed 0 (marked), the valid
// entries, then the class table: its speed line as it is, its ten corner
// lines marked.
void PlaceDynamicSegmented(TelegramRecord &request, std::span<const BYTE> block) {
  constexpr std::size_t kClasses = 30;
  constexpr std::size_t kCornerLines = 10;
  CopyBytes(request, 9, block, 0, 6);
  CopyWords(request, 15, block, 6, 10, 2, kCornerMark);
  CopyWords(request, 35, block, 26, 1);
  CopyWords(request, 37, block, 28, kClasses);
  CopyWords(request, 37 + 2 * kClasses, block, 28 + 2 * kClasses, kCornerLines * kClasses, 2, kCornerMark);
}

// One row per telegram code: its dialog, its command, where the block
// goes, and what the report shows after the device took the field over.
struct FieldKind {
  WORD telegram;
  Collector collector;
  BYTE argument;  // the kind DialogFieldKfg is started with
  BYTE command;
  BYTE expected;
  void (*place)(TelegramRecord &request, std::span<const BYTE> block);
  bool letterAndUnit;         // the field's letter and unit from answer byte 20
  Shape shape;                // the heading, and with it
  std::size_t dimensionsAt;   // the dimensions from this answer byte; 0: none
  AnswerFormatter values;     // then these, if any
};

constexpr FieldKind kFieldKinds[] = {
    {0x2A, Collector::kFieldKfg, 0, 0x40, 0xC0, PlaceRectangle, true, kRectangle, 26, nullptr},
    {0x2B, Collector::kFieldKfg, 1, 0x40, 0xC0, PlaceRadial, true, kRadial, 26, nullptr},
    {0x2C, Collector::kFieldKfg, 2, 0x40, 0xC0, PlaceSegmented, true, kSegmented, 26, FieldCornerPoints},
    {0x9E, Collector::kDYNRECKfg, 0, 0x48, 0xC8, PlaceDynamicRectangle, false, kRectangle, 22, nullptr},
    {0x9F, Collector::kDYNSEGKfg, 0, 0x4B, 0xCB, PlaceDynamicSegmented, false, kRectangle, 0, nullptr},
};

const FieldKind *FindFieldKind(WORD telegram) {
  for (const auto &kind : kFieldKinds) {
    if (kind.telegram == telegram) return &kind;
  }
  return nullptr;
}

BOOL ReportTakenOver(Command &command, const FieldKind &kind) {
  const TelegramRecord &answer = command.Answer();
  if (answer[kStatusAt] != 1) return MessageEnding(command, kAbortedMessage);
  Append(command.out, FormatFromTable(kFieldNumberMessage, answer[kNumberAt]));
  if (kind.letterAndUnit) {
    AppendFieldLetter(command.out, answer[kFieldCodeAt] & kLetterBits);
    AppendUnitLine(command.out, answer[kFieldCodeAt] >> 6);
  }
  Append(command.out, FormatFromTable(kTakenOverMessage));
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
  const std::span<const BYTE> block = command.Block();
  if (block.empty()) return FALSE;
  kind->place(command.Request(), block);
  BOOL ending;
  if (!Exchanged(command, kind->command, kind->expected, ending)) return ending;
  return ReportTakenOver(command, *kind);
}

}  // namespace kvt
