// Service reports laid out from the raw answer: the memory dump, the
// reference-target diagnosis record and the operating counters.
#include "answers/answers.h"
#include "kvt/bytes.h"

namespace kvt {

namespace {

constexpr std::size_t kBytesPerLine = 16;

// Reference-target record: the ring of temporal values and the 40 records.
constexpr std::size_t kLatest = 9;
constexpr std::size_t kRecords = 17;
constexpr std::size_t kRecordSize = 14;
constexpr std::size_t kRecordCount = 40;
constexpr std::size_t kKeyWord = 12;
constexpr std::size_t kCorrectionPair = 577;
constexpr std::size_t kPowerOns = 581;
constexpr std::size_t kDustReference = 583;
constexpr std::size_t kRingStart = 585;
constexpr std::size_t kRing = 587;
constexpr std::size_t kRingEntries = 12;
constexpr std::size_t kRingEntrySize = 8;
constexpr unsigned kCorrectionPairs = 1;
constexpr unsigned kCorrectionBase = 20000;

// One record's line: the key word's angle, hundredths and remission class,
// then the three words from `first` on.
void AppendTargetRecords(ResultText &out, std::span<const BYTE> answer, UINT title, std::size_t first) {
  Append(out, FormatFromTable(title));
  Append(out, "\n");
  for (std::size_t j = 0; j < kRecordCount; ++j) {
    const std::size_t at = kRecords + kRecordSize * j;
    const unsigned key = Word(answer, at + kKeyWord);
    Append(out, FormatFromTable(ids::kReferenceValuesLong, key & 0xFF, (key >> 14) * 25, ((key >> 8) & 3) * 40,
                                Word(answer, at + first), Word(answer, at + first + 2), Word(answer, at + first + 4)));
    Append(out, "\n");
  }
}

}  // namespace

// The header, full lines of sixteen bytes while more than sixteen are
// left, the last one to sixteen bytes as single pieces.
void MemoryDump(ResultText &out, std::span<const BYTE> answer) {
  const unsigned count = Byte(answer, 13);
  Replace(out, FormatFromTable(ids::kDumpStartAndByteCount, Dword(answer, 9), count));
  const std::size_t lines = count > kBytesPerLine ? (count - 1) / kBytesPerLine : 0;
  std::size_t at = 14;
  for (std::size_t line = 0; line < lines; ++line, at += kBytesPerLine) {
    unsigned b[kBytesPerLine];
    for (std::size_t i = 0; i < kBytesPerLine; ++i) b[i] = Byte(answer, at + i);
    Append(out, FormatFromTable(ids::kDumpLineOfSixteenBytes, b[0], b[1], b[2], b[3], b[4], b[5], b[6], b[7], b[8],
                                b[9], b[10], b[11], b[12], b[13], b[14], b[15]));
  }
  for (; at < 14 + count; ++at) Append(out, FormatFromTable(ids::kDumpByte, Byte(answer, at)));
}

// The ring is shown from its oldest entry (the start index) on.
void ReferenceTargetDiagnosis(ResultText &out, std::span<const BYTE> answer) {
  Append(out, FormatFromTable(ids::kLatestImpulseValues, Word(answer, kLatest), Word(answer, kLatest + 2),
                              Word(answer, kLatest + 4), Word(answer, kLatest + 6)));
  Append(out, FormatFromTable(ids::kPowerOnCount, Word(answer, kPowerOns)));
  Append(out, "\n");
  Append(out, FormatFromTable(ids::kDustReferenceChannel0, Word(answer, kDustReference)));
  Append(out, "\n");
  Append(out, "Temporal refence values:\n");
  const std::size_t start = Word(answer, kRingStart);
  for (std::size_t i = 0; i < kRingEntries; ++i) {
    const std::size_t at = kRing + kRingEntrySize * ((start + i) % kRingEntries);
    Append(out, FormatFromTable(ids::kTemporalReferenceValues, Word(answer, at), Word(answer, at + 2),
                                Word(answer, at + 4), Word(answer, at + 6)));
    Append(out, "\n");
  }
  AppendTargetRecords(out, answer, ids::kCurrentReferenceValues, 0);
  AppendTargetRecords(out, answer, ids::kAveragedReferenceValues, 6);
  Append(out, FormatFromTable(ids::kCorrectionPairCount, kCorrectionPairs));
  Append(out, "\n");
  Append(out, FormatFromTable(ids::kCorrectionTableTitle));
  Append(out, "\n");
  Append(out, FormatFromTable(ids::kWordColumn, Word(answer, kCorrectionPair)));
  Append(out, FormatFromTable(ids::kWordColumn, Word(answer, kCorrectionPair + 2)));
  Append(out, FormatFromTable(ids::kLongColumn, kCorrectionBase));
  Append(out, "\n");
}

void OperatingCounters(ResultText &out, std::span<const BYTE> answer) {
  Replace(out, FormatFromTable(ids::kOperatingHours, Word(answer, 9)));
  Append(out, "\n");
  Append(out, FormatFromTable(ids::kPowerOnCount, Word(answer, 11)));
}

}  // namespace kvt
