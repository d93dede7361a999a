// The two configuration blocks of a type-6 sensor, read or as defined: one
// driver text per field, each line introduced by a line feed and three
// blanks. A definition's answer has its status at record byte 9, so its
// block starts one byte later than a reading's.
#include "answers/answers.h"
#include "kvt/bytes.h"

namespace kvt {

namespace {

enum class Width : BYTE {
  kU8,
  kU16,
  kS8,    // widened with its sign to the 16-bit code
  kBit1,  // only bit 1 of the byte (code 0 or 2)
  kPair,  // this byte and the next, each widened, as a two-value list
};

struct ConfigLine {
  BYTE offset;  // from the start of the block
  Width width;
  BYTE textClass;
  bool emptyLineAfter = false;
};

using enum Width;

constexpr ConfigLine kConfigLines[] = {
    {0, kU16, 38},  {2, kU16, 69},  {4, kBit1, 70}, {5, kPair, 71}, {6, kU8, 59},  {7, kU8, 51},
    {8, kU8, 72},   {9, kU8, 24},   {10, kU8, 6},   {11, kU8, 56},  {30, kU8, 56}, {31, kU8, 56},
    {13, kU8, 74},  {14, kU8, 63},  {15, kU8, 64},  {16, kU8, 65},  {17, kU8, 66, true},
    {18, kU8, 75},  {19, kU8, 63},  {20, kU8, 64},  {21, kU8, 65},  {22, kU8, 66, true},
    {23, kU8, 76},  {24, kU8, 63},  {25, kU8, 64},  {26, kU8, 65},  {27, kU8, 66},
    {28, kU8, 78},  {29, kU8, 79},  {4, kU8, 116},  {32, kU8, 117},
};

constexpr ConfigLine kConfig2Lines[] = {
    {0, kU8, 118}, {1, kS8, 119}, {2, kS8, 120}, {3, kS8, 121}, {4, kS8, 122},
    {5, kU8, 123}, {6, kU8, 126}, {7, kU8, 127}, {8, kU8, 128},
};

constexpr std::size_t kReadBlock = kRecData;
constexpr std::size_t kDefinedBlock = kRecData + 1;

void AppendLine(Report &r, std::size_t block, const ConfigLine &line) {
  const std::size_t at = block + line.offset;
  switch (line.width) {
    case kU8: AppendDriverText(r, line.textClass, Byte(r.answer, at)); break;
    case kU16: AppendDriverText(r, line.textClass, Word(r.answer, at)); break;
    case kS8: AppendDriverText(r, line.textClass, static_cast<WORD>(static_cast<signed char>(Byte(r.answer, at)))); break;
    case kBit1: AppendDriverText(r, line.textClass, Byte(r.answer, at) & 0x02); break;
    case kPair: {
      const WORD pair[] = {Byte(r.answer, at), Byte(r.answer, at + 1)};
      AppendDriverList(r, line.textClass, pair);
      break;
    }
  }
}

void AppendBlock(ResultText &out, std::span<const BYTE> answer, std::size_t block, std::span<const ConfigLine> lines) {
  Report r{out, answer};
  AppendIndentedLine(r);
  for (const ConfigLine &line : lines) {
    AppendLine(r, block, line);
    AppendIndentedLine(r);
    if (line.emptyLineAfter) AppendIndentedLine(r);
  }
  CarriageReturnsToBlanks(out);
}

}  // namespace

void KvtConfigRead(ResultText &out, std::span<const BYTE> answer) { AppendBlock(out, answer, kReadBlock, kConfigLines); }

void KvtConfigDefined(ResultText &out, std::span<const BYTE> answer) {
  AppendBlock(out, answer, kDefinedBlock, kConfigLines);
}

void KvtConfig2Read(ResultText &out, std::span<const BYTE> answer) { AppendBlock(out, answer, kReadBlock, kConfig2Lines); }

void KvtConfig2Defined(ResultText &out, std::span<const BYTE> answer) {
  AppendBlock(out, answer, kDefinedBlock, kConfig2Lines);
}

}  // namespace kvt
