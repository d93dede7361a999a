// The error memory report.
// One line per entry: its error number in brackets, then the driver's
// words for the error type and the error number.
#include "answers/answers.h"
#include "kvt/bytes.h"

namespace kvt {

namespace {

constexpr int kErrorTypeClass = 3;
constexpr int kSensorErrorClass = 4;
constexpr int kPxdErrorClass = 55;
constexpr std::size_t kFirstEntry = 10;
constexpr std::size_t kEntrySize = 2;
// Entries whose two bytes lie within the record: a longer count shows no more.
constexpr std::size_t kMaxEntries = (kRecordSize - kFirstEntry) / kEntrySize;

void AppendEntry(Report &r, std::size_t entry, int numberClass) {
  const std::size_t at = kFirstEntry + kEntrySize * entry;
  const BYTE type = Byte(r.answer, at);
  const BYTE number = Byte(r.answer, at + 1);
  const char *lead = FormatLiteral("\n(%02d) ", number);
  if (entry == 0) {
    Replace(r.out, lead);
  } else {
    Append(r.out, lead);
  }
  AppendDriverText(r, kErrorTypeClass, type);
  AppendDriverText(r, numberClass, number);
}

// The first entry always; then one more for each time the length, counted
// down by two, is still 4 or more.
void ErrorMemory(ResultText &out, std::span<const BYTE> answer, int numberClass) {
  Report r{out, answer};
  AppendEntry(r, 0, numberClass);
  unsigned length = Word(answer, kRecCount);
  for (std::size_t entry = 1; length >= 4 && entry < kMaxEntries; ++entry) {
    length -= 2;
    AppendEntry(r, entry, numberClass);
  }
}

}  // namespace

void ErrorMemoryKvt(ResultText &out, std::span<const BYTE> answer) { ErrorMemory(out, answer, kSensorErrorClass); }

void ErrorMemoryPxd(ResultText &out, std::span<const BYTE> answer) { ErrorMemory(out, answer, kPxdErrorClass); }

}  // namespace kvt
