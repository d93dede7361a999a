// Measured values on request: handlers 12, 97, 165, 179, 184 and 205.
// Each menu entry is a row: the command, the dialog that fills its
// ParamBlock, where the block's bytes go in the request, and how each answer
// it may get is reported (header lines here, the values by a formatter).
#include "dispatch/dispatch.h"

namespace kvt {

namespace {

// Writes the header lines of an answer and hands it to its formatter.
using Render = void (*)(Command &command, ValuesFormatter values);

struct Reply {
  BYTE code;
  Render render = nullptr;
  ValuesFormatter values = nullptr;
};

struct MeasuredRow {
  WORD handler;
  WORD telegram;  // kAnyTelegram: the handler does not look at it
  BYTE command;
  Collector collector;
  BYTE argument = 0;  // passed through to the dialog starter
  std::array<Place, 3> data{};
  std::array<Reply, 2> replies{};
};

constexpr WORD kAnyTelegram = 0xFFFF;

// Header word of a value list: count, partial-scan index, unit.
constexpr WORD kCountMask = 0x3FF;
constexpr WORD kPartialScanShift = 11;
constexpr WORD kPartialScanMask = 0x3;
constexpr WORD kUnitShift = 14;
constexpr unsigned kPartialScanStep = 25;

constexpr std::size_t kRequestCode = 10;  // request byte of command 0x30
constexpr WORD kStatisticsTelegram = 0x49;

unsigned Count(WORD header) { return header & kCountMask; }

// The unit line of a header word; unit 3 leaves the text as it is.
void UnitLine(Command &command, WORD header, bool replace) {
  const char *text = UnitText(header >> kUnitShift);
  if (!text) return;
  if (replace) Replace(command.out, text);
  else Append(command.out, text);
}

void CountLine(Command &command, unsigned count) { Append(command.out, FormatFromTable(ids::kValueCount, count)); }

WORD AnswerWord(Command &command, std::size_t at) { return Word(command.Answer(), at); }

void ShowValues(Command &command, ValuesFormatter values) {
  values(command.out, command.Answer(), command.run.variant);
}

// 0xB0: the header word at 10, then by the request code.
void ReportScan(Command &command, ValuesFormatter) {
  const WORD header = AnswerWord(command, 10);
  UnitLine(command, header, true);
  CountLine(command, Count(header));
  switch (command.Request()[kRequestCode]) {
    case 3:
    case 4: ShowValues(command, ValuesTaught); return;
    case 8:
      Append(command.out, FormatFromTable(ids::kPartialScan,
                                          ((header >> kPartialScanShift) & kPartialScanMask) * kPartialScanStep));
      [[fallthrough]];
    case 0:
    case 1:
    case 2:
    case 5:
      ShowValues(command, command.Telegram() == kStatisticsTelegram ? ValuesStatistics : ValuesScan);
      return;
    default: return;
  }
}

// 0xB7 and 0xF6: first and last value, the header word at 14.
void ReportFirstLast(Command &command, ValuesFormatter values) {
  Replace(command.out, FormatFromTable(ids::kFirstAndLastValue, AnswerWord(command, 10), AnswerWord(command, 12)));
  const WORD header = AnswerWord(command, 14);
  UnitLine(command, header, false);
  CountLine(command, Count(header));
  ShowValues(command, values);
}

// 0xB6: the number of averages at 10, the header word at 11.
void ReportAveraged(Command &command, ValuesFormatter values) {
  Replace(command.out, FormatFromTable(ids::kAverageCount, command.Answer()[10]));
  const WORD header = AnswerWord(command, 11);
  UnitLine(command, header, false);
  // The value at 90 degrees is one value, whatever the list holds.
  CountLine(command, values == ValueAt90Degrees ? 1 : Count(header));
  ShowValues(command, values);
}

// 0xBF: averages at 10, first and last at 11 and 13, the header word at 15.
void ReportAveragedPartial(Command &command, ValuesFormatter values) {
  Replace(command.out, FormatFromTable(ids::kAverageCount, command.Answer()[10]));
  const WORD header = AnswerWord(command, 15);
  UnitLine(command, header, false);
  CountLine(command, Count(header));
  Append(command.out, FormatFromTable(ids::kFirstAndLastValue, AnswerWord(command, 11), AnswerWord(command, 13)));
  ShowValues(command, values);
}

// 0xBE: the header word at 13, first and last at 9 and 11.
void ReportWithFields(Command &command, ValuesFormatter values) {
  const WORD header = AnswerWord(command, 13);
  UnitLine(command, header, true);
  CountLine(command, Count(header));
  Append(command.out, FormatFromTable(ids::kFirstAndLastValue, AnswerWord(command, 9), AnswerWord(command, 11)));
  ShowValues(command, values);
}

// 0xF5: the number of ranges at 9.
void ReportRanges(Command &command, ValuesFormatter values) {
  Replace(command.out, FormatFromTable(ids::kRangeCount, AnswerWord(command, 9)));
  ShowValues(command, values);
}

using enum Collector;

// Handler 12 takes a scan (0xB0) or a partial range (0xB7) as the answer to
// either of its commands.
constexpr std::array<Reply, 2> kScanReplies{{{0xB0, ReportScan}, {0xB7, ReportFirstLast, ValuesPartialRange}}};

constexpr MeasuredRow kRows[] = {
    // Minimaler Messwert pro Segment
    {.handler = 12, .telegram = 0x1C, .command = 0x30, .collector = kSegmentCount,
     .data = {{BlockByte(9, 2), ConstantByte(10, 5), BlockByte(11, 0)}}, .replies = kScanReplies},
    // Minimaler Messwert pro Feld-Segment
    {.handler = 12, .telegram = 0x95, .command = 0x30, .collector = kKVTFieldNr,
     .data = {{BlockByte(9, 0), ConstantByte(10, 0), BlockByte(11, 1)}}, .replies = kScanReplies},
    // Alle Messwerte eines Scans
    {.handler = 12, .telegram = 0x1D, .command = 0x30, .collector = kKVTNr,
     .data = {{BlockByte(9, 0), ConstantByte(10, 1)}}, .replies = kScanReplies},
    // Alle Messw. formatiert für Statistik
    {.handler = 12, .telegram = 0x49, .command = 0x30, .collector = kKVTNr,
     .data = {{BlockByte(9, 0), ConstantByte(10, 1)}}, .replies = kScanReplies},
    // Minimaler senkrechter Abstand
    {.handler = 12, .telegram = 0x1E, .command = 0x30, .collector = kKVTFieldNr,
     .data = {{BlockByte(9, 0), ConstantByte(10, 2), BlockByte(11, 1)}}, .replies = kScanReplies},
    // Eingelernte Messdaten
    {.handler = 12, .telegram = 0x1F, .command = 0x30, .collector = kKVTNr,
     .data = {{BlockByte(9, 0), ConstantByte(10, 3)}}, .replies = kScanReplies},
    // Verifizierte Messdaten
    {.handler = 12, .telegram = 0x20, .command = 0x30, .collector = kKVTNr,
     .data = {{BlockByte(9, 0), ConstantByte(10, 4)}}, .replies = kScanReplies},
    // Alle Messwerte direkt
    {.handler = 12, .telegram = 0xBC, .command = 0x30, .collector = kKVTNr,
     .data = {{BlockByte(9, 0), ConstantByte(10, 8)}}, .replies = kScanReplies},
    // Messwerteteilbereich
    {.handler = 12, .telegram = 0x75, .command = 0x37, .collector = kMVPartial,
     .data = {{BlockByte(9, 0), BlockWord(10, 2), BlockWord(12, 4)}}, .replies = kScanReplies},
    // Gemittelte Messwerte
    {.handler = 97, .telegram = 0x62, .command = 0x36, .collector = kAverageMV,
     .data = {{BlockByte(9, 2), BlockByte(10, 0)}}, .replies = {{{0xB6, ReportAveraged, ValuesAveraged}}}},
    // Gemittelter Messwert in 90 Grad
    {.handler = 97, .telegram = 0xB1, .command = 0x36, .collector = kAverageMV,
     .data = {{BlockByte(9, 2), BlockByte(10, 0)}}, .replies = {{{0xB6, ReportAveraged, ValueAt90Degrees}}}},
    // Messwerte in XY-Koord.(KVT Typ6)
    {.handler = 165, .telegram = kAnyTelegram, .command = 0x76, .collector = kMVPartial,
     .data = {{BlockByte(9, 0), BlockWord(10, 2), BlockWord(12, 4)}}, .replies = {{{0xF6, ReportFirstLast, ValuesXY}}}},
    // Gemittelter Messwertteilbereich; byte 9 stays 0
    {.handler = 179, .telegram = kAnyTelegram, .command = 0x3F, .collector = kAMVP,
     .data = {{BlockByte(10, 2), BlockWord(11, 4), BlockWord(13, 6)}},
     .replies = {{{0xBF, ReportAveragedPartial, ValuesAveragedPartial}}}},
    // Messw.teilber. u. Feldw.(KVT Typ6)
    {.handler = 184, .telegram = kAnyTelegram, .command = 0x3E, .collector = kMVPartial,
     .data = {{BlockWord(9, 2), BlockWord(11, 4)}}, .replies = {{{0xBE, ReportWithFields, ValuesWithFields}}}},
    // n Bereiche mit Mess- u. Remissionsw.(KVT Typ6)
    {.handler = 205, .telegram = kAnyTelegram, .command = 0x75, .collector = kMwRem, .data = {RangePairs(9)},
     .replies = {{{0xF5, ReportRanges, RangesWithRemission}}}},
};

constexpr bool RowsConsistent() {
  for (const MeasuredRow &row : kRows) {
    // Every reply renders; all but the scan's hand over to a formatter.
    if (row.replies[0].code == 0) return false;
    for (const Reply &reply : row.replies) {
      if (reply.code != 0 && (reply.render == nullptr || (reply.render != ReportScan && !reply.values))) return false;
    }
  }
  return true;
}
static_assert(RowsConsistent());

const MeasuredRow *FindRow(WORD handler, WORD telegram) {
  for (const MeasuredRow &row : kRows) {
    if (row.handler == handler && (row.telegram == kAnyTelegram || row.telegram == telegram)) return &row;
  }
  return nullptr;
}

}  // namespace

BOOL CollectMeasuredValues(Command &command, const HandlerRow &) {
  const MeasuredRow *row = FindRow(command.Handler(), command.Telegram());
  if (!row) return SuccessEnding(command);
  return CollectParams(command.owner, command.request, row->collector, row->argument);
}

BOOL RunMeasuredValues(Command &command, const HandlerRow &) {
  const MeasuredRow *row = FindRow(command.Handler(), command.Telegram());
  // An entry without a row has no request layout of ours: nothing is sent.
  if (!row) return CommunicationFailure(command);
  if (!PlaceData(command, row->data)) return FALSE;
  const Accepted replies{row->replies[0].code, row->replies[1].code};
  if (const Ending ending = Exchange(command, row->command, replies)) return *ending;
  for (const Reply &reply : row->replies) {
    if (reply.code == AnswerCode(command.Answer())) {
      reply.render(command, reply.values);
      break;
    }
  }
  return SuccessEnding(command);
}

}  // namespace kvt
