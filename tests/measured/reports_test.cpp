// The measured-value reports from scripted answers: header lines and
// endings of every handler, each row of the value-flag table, the edge
// cases of the lists, counts above what the record holds, a small
// ResultText, and the formatters on answers that end at a page the
// process may not read.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "answers/answers.h"
#include "entry/entry.h"
#include "kvt/bytes.h"
#include "kvt/simcontrol.h"
#include "measured_run.h"
#include "support/escaped.h"
#include "support/records.h"

namespace kvt {
namespace {

using test::Words;

constexpr BYTE kAddress = 7;
const std::string kUnitCm = "Einheit der Messwerte ist cm.\n";
const std::string kUnitMm = "Einheit der Messwerte ist mm.\n";
const std::string kUnit10cm = "Einheit der Messwerte ist 10 cm.\n";
const std::string kCommFailure = "Kommunikation mit dem Sensor nicht in Ordnung !";
const std::string kWrong = "Falscher Betriebsmode (NACK-Telegramm) oder falsches Antwortelegramm erhalten!";
const std::string kBlanks = "      ";

std::string Line() { return test::AddressLine(kDeviceKvt, kAddress); }

std::string Count(unsigned n) {
  char text[64];
  wsprintfA(text, "Anzahl der Messwerte: %3d.\n", n);
  return text;
}

// "%5u;" of a number.
std::string Number(unsigned n) {
  char text[16];
  wsprintfA(text, "%5u;", n);
  return text;
}

// An answer record: code, then words placed from `at` on.
TelegramRecord WordsAt(BYTE code, std::size_t at, std::initializer_list<unsigned> words) {
  TelegramRecord record = test::Answer(code);
  for (unsigned w : words) {
    PutWord(record, at, w);
    at += 2;
  }
  PutWord(record, kRecCount, static_cast<unsigned>(at - kRecCode));
  return record;
}

// A full record of one answer code whose lists hold the value `fill` everywhere.
TelegramRecord Filled(BYTE code, std::size_t from, WORD fill) {
  TelegramRecord record = test::Answer(code);
  for (std::size_t at = from; at + 1 < kRecordSize; at += 2) PutWord(record, at, fill);
  PutWord(record, kRecCount, kRecordSize - kRecCode);
  return record;
}

class MeasuredReports : public ::testing::Test {
 protected:
  test::SimulatedSensor sensor{"device=kvtq1;address=7;setup=no"};

  void SetUp() override {
    kvt::Run().target = {kDeviceKvt, kAddress};
    kvt::Run().variant = 0;
  }
};

struct ReportCase {
  const char *name;
  WORD handler;
  WORD telegram;
  std::vector<BYTE> block;
  std::optional<TelegramRecord> answer;  // nullopt: no answer
  std::string text;                      // the whole ResultText afterwards
  BYTE variant = 0;
  ULONG_PTR status = 0;
};

void Check(const ReportCase &c) {
  SCOPED_TRACE(c.name);
  SimReset();
  kvt::Run().variant = c.variant;
  if (c.answer) test::QueueAnswer(*c.answer);
  else test::QueueNoAnswer();
  const test::EntryRun run = test::RunEntry(c.handler, c.telegram, c.block);
  EXPECT_TRUE(run.result);
  EXPECT_EQ(run.status, c.status);
  EXPECT_TRUE(run.text == c.text) << test::Difference(c.text, run.text);
}

const std::vector<BYTE> kKvt1 = {1, 0, 0, 0};
const std::vector<BYTE> kPartialBlock = Words({1, 10, 14, 0, 0});

TEST_F(MeasuredReports, HeaderLinesAndEndingsOfEveryHandler) {
  std::vector<ReportCase> cases = {
      {"0xB0 with header 0x4005: millimetres, five values", 12, 0x1D, kKvt1,
       WordsAt(0xB0, 10, {0x4005, 0xA064, 0x0064, 0x8001, 0x4002, 0x2003}),
       kUnitMm + Count(5) + "FABL  100;" + kBlanks + "  100;FA    1;FB    2;BL    3;" + Line()},
      {"unit 3 leaves the earlier text", 12, 0x1D, kKvt1, WordsAt(0xB0, 10, {0xC001, 0x0005}),
       std::string("vorher") + Count(1) + kBlanks + "    5;" + Line()},
      {"tenths of a metre", 12, 0x1D, kKvt1, WordsAt(0xB0, 10, {0x8000}), kUnit10cm + Count(0) + Line()},
      {"statistics layout numbers the values", 12, 0x49, kKvt1, WordsAt(0xB0, 10, {0x0002, 0x8009, 12}),
       kUnitCm + Count(2) + "1FA    9;\n2" + kBlanks + "   12;\n" + Line()},
      {"taught values: V for bit 14, three blanks otherwise", 12, 0x1F, kKvt1,
       WordsAt(0xB0, 10, {0x0003, 0x4123, 0x0123, 0xE123}),
       kUnitCm + Count(3) + "V  291;     291;V  291;" + Line()},
      {"verified values the same way", 12, 0x20, kKvt1, WordsAt(0xB0, 10, {0x0001, 0x5FFF}),
       kUnitCm + Count(1) + "V 8191;" + Line()},
      {"partial scan index 3 shows X.75", 12, 0xBC, kKvt1, WordsAt(0xB0, 10, {0x1801, 0x0007}),
       kUnitCm + Count(1) + "Teilscan: X.75\n" + kBlanks + "    7;" + Line()},
      {"partial scan index 0 shows X.0", 12, 0xBC, kKvt1, WordsAt(0xB0, 10, {0x4000}),
       kUnitMm + Count(0) + "Teilscan: X.0\n" + Line()},
      {"the index is not shown for other request codes", 12, 0x1D, kKvt1, WordsAt(0xB0, 10, {0x1801, 0x0007}),
       kUnitCm + Count(1) + kBlanks + "    7;" + Line()},
      {"a 0xB7 answer to command 0x30 is a partial range", 12, 0x1D, kKvt1,
       WordsAt(0xB7, 10, {181, 182, 0x4002, 0x8005, 6}),
       "Erster Messwert: 181        Letzter Messwert: 182\n" + kUnitMm + Count(2) + "FA    5;" + kBlanks +
           "    6;" + Line()},
      {"a 0xB0 answer to command 0x37 goes by request byte 10 (the first value's low byte)", 12, 0x75,
       Words({1, 7, 9, 0, 0}), WordsAt(0xB0, 10, {0x0001, 0x0005}), kUnitCm + Count(1) + Line()},
      {"partial range", 12, 0x75, kPartialBlock, WordsAt(0xB7, 10, {10, 14, 0x0005, 1, 2, 3, 4, 5}),
       "Erster Messwert:  10        Letzter Messwert:  14\n" + kUnitCm + Count(5) + kBlanks + "    1;" + kBlanks +
           "    2;" + kBlanks + "    3;" + kBlanks + "    4;" + kBlanks + "    5;" + Line()},
      {"averaged values", 97, 0x62, Words({16, 1}), [] {
         TelegramRecord r = WordsAt(0xB6, 11, {0x0002, 0x0100, 0x8101});
         r[10] = 16;
         return r;
       }(),
       "Anzahl der Mittelungen:  16;\n" + kUnitCm + Count(2) + kBlanks + "  256;FA  257;" + Line()},
      {"value at 90 degrees of 181: index 90, count line 1", 97, 0xB1, Words({4, 1}), [] {
         TelegramRecord r = WordsAt(0xB6, 11, {0x40B5});
         PutWord(r, 13 + 2 * 89, 89);
         PutWord(r, 13 + 2 * 90, 0x405A);
         PutWord(r, 13 + 2 * 91, 91);
         r[10] = 4;
         return r;
       }(),
       "Anzahl der Mittelungen:   4;\n" + kUnitMm + Count(1) + "FB   90;" + Line()},
      {"value at 90 degrees of none shows nothing", 97, 0xB1, Words({4, 1}), WordsAt(0xB6, 11, {0x0000, 5}),
       "Anzahl der Mittelungen:   0;\n" + kUnitCm + Count(1) + Line()},
      {"XY coordinates: X as it is, up to 65535", 165, 0, kPartialBlock,
       WordsAt(0xF6, 10, {1, 2, 0x4002, 0xFFFF, 0xC00A, 0, 20}),
       "Erster Messwert:   1        Letzter Messwert:   2\n" + kUnitMm + Count(2) +
           "Flags    |  X-Wert   |  Y-Wert\nFAFB, 65535;   10;\n" + kBlanks + ",     0;   20;\n" + Line()},
      {"XY with no pairs: the title line only", 165, 0, kPartialBlock, WordsAt(0xF6, 10, {1, 0, 0x0000}),
       "Erster Messwert:   1        Letzter Messwert:   0\n" + kUnitCm + Count(0) +
           "Flags    |  X-Wert   |  Y-Wert\n" + Line()},
      {"averaged partial range", 179, 0, Words({1, 50, 20, 21, 0}), [] {
         TelegramRecord r = WordsAt(0xBF, 11, {20, 21, 0x0002, 0x2003, 4});
         r[10] = 50;
         return r;
       }(),
       "Anzahl der Mittelungen:  50;\n" + kUnitCm + Count(2) +
           "Erster Messwert:  20        Letzter Messwert:  21\nBL    3;" + kBlanks + "    4;" + Line()},
      {"values with fields: groups of four words", 184, 0, kPartialBlock,
       WordsAt(0xBE, 9, {30, 31, 0x4008, 0x8010, 0x8001, 2, 3, 0x0011, 0xFFFF, 0, 65}),
       kUnitMm + Count(8) + "Erster Messwert:  30        Letzter Messwert:  31\nFA   16;32769;    2;    3;\n" +
           kBlanks + "   17;65535;    0;   65;\n" + Line()},
      {"values with fields, unit 3: the earlier text stays", 184, 0, kPartialBlock,
       WordsAt(0xBE, 9, {30, 31, 0xC000}),
       std::string("vorher") + Count(0) + "Erster Messwert:  30        Letzter Messwert:  31\n" + Line()},
      {"values with fields: a word count not a multiple of four ends at the last whole group", 184, 0,
       kPartialBlock, WordsAt(0xBE, 9, {1, 1, 0x0006, 1, 2, 3, 4, 5, 6}),
       kUnitCm + Count(6) + "Erster Messwert:   1        Letzter Messwert:   1\n" + kBlanks +
           "    1;    2;    3;    4;\n" + Line()},
      {"ranges: numbered per range, one running index across ranges", 205, 0, Words({2, 5, 6, 9, 9}), [] {
         TelegramRecord r = WordsAt(0xF5, 9, {2, 5, 6, 2, 9, 9, 0x4001});
         PutWord(r, 41, 100), PutWord(r, 43, 101), PutWord(r, 45, 102);
         PutWord(r, 441, 900), PutWord(r, 443, 901), PutWord(r, 445, 902);
         PutWord(r, kRecCount, 446 - kRecCode);
         return r;
       }(),
       "Anzahl der Bereiche:  2 \n"
       "1. Messwert des Bereichs:    5 \nletzter Messwert des Bereichs:    6 \n"
       "Anzahl der Messwerte im Bereich:    2 \nNr. Entfernung Remission\n"
       "   5:      100 ,      900\n   6:      101 ,      901\n\n"
       "1. Messwert des Bereichs:    9 \nletzter Messwert des Bereichs:    9 \n"
       "Anzahl der Messwerte im Bereich:    1 \nNr. Entfernung Remission\n"
       "   9:      102 ,      902\n\n" +
           Line()},
      {"ranges: none", 205, 0, Words({0}), WordsAt(0xF5, 9, {0}), "Anzahl der Bereiche:  0 \n" + Line()},
      {"no answer", 12, 0x1D, kKvt1, std::nullopt, kCommFailure + Line(), 0, kStatusCommFailure},
      {"no answer to the ranges", 205, 0, Words({0}), std::nullopt, kCommFailure + Line(), 0, kStatusCommFailure},
      {"NAK to a scan", 12, 0x1D, kKvt1, test::Answer(0x15, {0x30}), kWrong + Line()},
      {"handler 12 takes no other answer", 12, 0x75, kPartialBlock, WordsAt(0xB6, 9, {0}), kWrong + Line()},
      {"averaged values want 0xB6", 97, 0x62, Words({16, 1}), WordsAt(0xB0, 10, {0}), kWrong + Line()},
      {"XY wants 0xF6", 165, 0, kPartialBlock, WordsAt(0xB7, 10, {0}), kWrong + Line()},
      {"averaged partial range wants 0xBF", 179, 0, Words({1, 2, 3, 4, 0}), WordsAt(0xBE, 9, {0}), kWrong + Line()},
      {"fields want 0xBE", 184, 0, kPartialBlock, WordsAt(0xBF, 9, {0}), kWrong + Line()},
      {"ranges want 0xF5", 205, 0, Words({0}), WordsAt(0xF6, 9, {0}), kWrong + Line()},
  };
  for (const ReportCase &c : cases) Check(c);
}

// One value per row of the flag table: flags as letters or a level, the
// number masked by the row's value mask.
struct FlagCase {
  BYTE variant;
  WORD value;
  std::string text;
};

TEST_F(MeasuredReports, EveryRowOfTheFlagTable) {
  const FlagCase cases[] = {
      {0, 0xA064, "FABL  100;"},
      {0, 0x0064, kBlanks + "  100;"},
      {0, 0xE064, "FAFBBL  100;"},
      {0, 0x5FFF, "FB 8191;"},
      {1, 0x6064, "R3   100;"},
      {1, 0xE001, "R7     1;"},
      {1, 0x1FFF, kBlanks + " 8191;"},
      {2, 0x2064, "FC  100;"},
      {2, 0xE064, "FAFBFC  100;"},
      {2, 0x0064, kBlanks + "  100;"},
      {3, 0x6064, "R1  8292;"},
      {3, 0xC005, "R3     5;"},
      {3, 0x3FFF, kBlanks + "16383;"},
      {4, 0xC064, "FAFB  100;"},
      {4, 0x2064, kBlanks + " 8292;"},
      {5, 0x8064, "R1   100;"},
      {5, 0x7FFF, kBlanks + "32767;"},
      {6, 0x8064, "FA  100;"},
      {6, 0x4064, kBlanks + "16484;"},
      {7, 0xE064, "FA  100;"},
      {7, 0x6064, kBlanks + "  100;"},
      {8, 0xA064, "FA  100;"},
      {8, 0x2001, kBlanks + "    1;"},
      {9, 0x8064, "FA  100;"},
      {9, 0x4064, kBlanks + "16484;"},
      {10, 0xA064, "FABL  100;"},  // no row 10: the first row
      {255, 0x4001, "FB    1;"},
  };
  for (const FlagCase &c : cases) {
    SCOPED_TRACE("variant " + std::to_string(c.variant) + ", value " + std::to_string(c.value));
    Check({"flag row", 12, 0x1D, kKvt1, WordsAt(0xB0, 10, {0x0001, c.value}),
           kUnitCm + Count(1) + c.text + Line(), c.variant});
  }
}

TEST_F(MeasuredReports, FourHundredAndOneValuesMakeFiftyLinesAndOne) {
  TelegramRecord answer = WordsAt(0xB0, 10, {0x4191});
  for (unsigned i = 0; i < 401; ++i) PutWord(answer, 12 + 2 * i, i);
  PutWord(answer, kRecCount, 12 + 802 - kRecCode);
  std::string values;
  for (unsigned i = 0; i < 401; ++i) {
    values += kBlanks + Number(i);
    if (i % 8 == 7) values += "\n";
  }
  Check({"401 values", 12, 0x1D, kKvt1, answer, kUnitMm + Count(401) + values + Line()});
  EXPECT_EQ(std::count(values.begin(), values.end(), '\n'), 50);
}

// The count says more than the record holds: the lists stop at its end.
TEST_F(MeasuredReports, CountsAboveTheRecordStopAtItsEnd) {
  const WORD fill = 0x0009;
  auto rows = [&](std::size_t values) {
    std::string text;
    for (std::size_t i = 0; i < values; ++i) {
      text += kBlanks + Number(fill);
      if (i % 8 == 7) text += "\n";
    }
    return text;
  };
  auto scan = Filled(0xB0, 12, fill);
  PutWord(scan, 10, 0x03FF);
  auto partial = Filled(0xB7, 16, fill);
  PutWord(partial, 10, 1), PutWord(partial, 12, 1023), PutWord(partial, 14, 0x03FF);
  auto averaged = Filled(0xB6, 13, fill);
  PutWord(averaged, 11, 0x03FF);
  averaged[10] = 2;
  auto middle = averaged;  // index 511 lies beyond the record
  auto averagedPartial = Filled(0xBF, 17, fill);
  averagedPartial[10] = 2;
  PutWord(averagedPartial, 11, 1), PutWord(averagedPartial, 13, 1023), PutWord(averagedPartial, 15, 0x03FF);
  auto fields = Filled(0xBE, 15, fill);
  PutWord(fields, 9, 1), PutWord(fields, 11, 1023), PutWord(fields, 13, 0x03FF);
  auto xy = Filled(0xF6, 16, fill);
  PutWord(xy, 10, 1), PutWord(xy, 12, 1023), PutWord(xy, 14, 0x03FF);
  auto statistics = scan;

  std::string fieldGroups;
  for (int g = 0; g < 101; ++g) fieldGroups += kBlanks + Number(fill) + Number(fill) + Number(fill) + Number(fill) + "\n";
  std::string pairs;
  for (int p = 0; p < 203; ++p) pairs += kBlanks + ",     9;" + Number(fill) + "\n";
  std::string numbered;
  for (int i = 1; i <= 408; ++i) numbered += std::to_string(i) + kBlanks + Number(fill) + "\n";
  const std::string range1023 = "Erster Messwert:   1        Letzter Messwert: 1023\n";

  const std::vector<ReportCase> cases = {
      {"scan: 408 values fit", 12, 0x1D, kKvt1, scan, kUnitCm + Count(1023) + rows(408) + Line()},
      {"statistics: 408 values fit", 12, 0x49, kKvt1, statistics, kUnitCm + Count(1023) + numbered + Line()},
      {"partial range: 406 values fit", 12, 0x75, kPartialBlock, partial,
       range1023 + kUnitCm + Count(1023) + rows(406) + Line()},
      {"averaged: 407 values fit", 97, 0x62, Words({2, 1}), averaged,
       "Anzahl der Mittelungen:   2;\n" + kUnitCm + Count(1023) + rows(407) + Line()},
      {"value at 90 degrees beyond the record: none", 97, 0xB1, Words({2, 1}), middle,
       "Anzahl der Mittelungen:   2;\n" + kUnitCm + Count(1) + Line()},
      {"averaged partial range: 405 values fit", 179, 0, Words({1, 2, 1, 1023, 0}), averagedPartial,
       "Anzahl der Mittelungen:   2;\n" + kUnitCm + Count(1023) + range1023 + rows(405) + Line()},
      {"values with fields: 101 groups fit", 184, 0, kPartialBlock, fields,
       kUnitCm + Count(1023) + range1023 + fieldGroups + Line()},
      {"XY: 203 pairs fit", 165, 0, kPartialBlock, xy,
       range1023 + kUnitCm + Count(1023) + "Flags    |  X-Wert   |  Y-Wert\n" + pairs + Line()},
  };
  for (const ReportCase &c : cases) Check(c);
}

// Ranges whose counts add up to more than 193 values: the remissions end
// with the record; more than five ranges: the descriptors end where the
// distances begin.
TEST_F(MeasuredReports, RangesStayInsideTheRecord) {
  TelegramRecord answer = Filled(0xF5, 41, 3);
  PutWord(answer, 9, 9);
  for (int r = 0; r < 5; ++r) {
    PutWord(answer, 11 + 6 * r, 1 + 100 * r);
    PutWord(answer, 13 + 6 * r, 100 + 100 * r);
    PutWord(answer, 15 + 6 * r, 0x4000 | 100);
  }
  std::string expected = "Anzahl der Bereiche:  9 \n";
  unsigned k = 0;
  for (unsigned r = 0; r < 5; ++r) {
    char head[256];
    wsprintfA(head,
              "1. Messwert des Bereichs: %4u \nletzter Messwert des Bereichs: %4u \n"
              "Anzahl der Messwerte im Bereich: %4u \nNr. Entfernung Remission\n",
              1 + 100 * r, 100 + 100 * r, 100);
    expected += head;
    for (unsigned j = 0; j < 100 && k < 193; ++j, ++k) {
      char line[64];
      wsprintfA(line, "%4u: %8u , %8u\n", 1 + 100 * r + j, 3, 3);
      expected += line;
    }
    expected += "\n";
  }
  Check({"nine ranges of 100 values", 205, 0, Words({0}), answer, expected + Line()});
}

// ResultText cuts what exceeds its capacity and keeps the terminator inside.
TEST_F(MeasuredReports, NeverWritesPastASmallResultText) {
  TelegramRecord answer = Filled(0xB0, 12, 0xE064);
  PutWord(answer, 10, 0x0191);
  for (std::size_t capacity : {1u, 2u, 40u, 100u, 4097u}) {
    SCOPED_TRACE(capacity);
    SimReset();
    test::QueueAnswer(answer);
    std::string buffer(capacity + 64, '#');
    buffer[0] = '\0';
    CommandRequest request{};
    std::vector<BYTE> block = kKvt1;
    request[kReqHandler] = 12;
    request[kReqTelegram] = 0x1D;
    request[kReqResultText] = reinterpret_cast<ULONG_PTR>(buffer.data());
    request[kReqCapacity] = capacity;
    request[kReqParamBlock] = reinterpret_cast<ULONG_PTR>(block.data());
    request[kReqParamLength] = block.size();
    EXPECT_TRUE(DiagCommandProc(nullptr, request.data()));
    EXPECT_EQ(std::strlen(buffer.c_str()), capacity - 1);
    EXPECT_EQ(buffer.substr(capacity), std::string(64, '#'));
  }
}

// Guard page: an answer that ends where the readable memory ends. Any read
// past the record's last byte faults.
struct GuardedRecord {
  BYTE *pages = nullptr;
  std::span<BYTE> record;
  GuardedRecord() {
    SYSTEM_INFO info;
    GetSystemInfo(&info);
    const std::size_t page = info.dwPageSize;
    pages = static_cast<BYTE *>(VirtualAlloc(nullptr, 2 * page, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE));
    DWORD old;
    VirtualProtect(pages + page, page, PAGE_NOACCESS, &old);
    record = {pages + page - kRecordSize, kRecordSize};
  }
  ~GuardedRecord() { VirtualFree(pages, 0, MEM_RELEASE); }
};

TEST_F(MeasuredReports, FormattersOnFuzzedCountsNeverReadPastTheRecord) {
  GuardedRecord guarded;
  ASSERT_NE(guarded.pages, nullptr);
  const ValuesFormatter formatters[] = {ValuesScan,     ValuesStatistics,      ValuesTaught,     ValuesPartialRange,
                                        ValuesAveraged, ValueAt90Degrees,      ValuesWithFields, ValuesXY,
                                        RangesWithRemission, ValuesAveragedPartial};
  std::string text(1 << 20, '\0');
  std::uint32_t seed = 12345;
  auto next = [&seed] {
    seed = seed * 1664525u + 1013904223u;
    return seed >> 8;
  };
  for (int round = 0; round < 300; ++round) {
    for (BYTE &b : guarded.record) b = static_cast<BYTE>(next());
    // Counts at their largest now and then, and every variant's row.
    if (round % 3 == 0) {
      for (std::size_t at : {9u, 10u, 11u, 13u, 14u, 15u}) PutWord(guarded.record, at, 0xFFFF);
    }
    const BYTE variant = static_cast<BYTE>(round % 12);
    for (ValuesFormatter formatter : formatters) {
      ResultText out{text.data(), text.size()};
      Clear(out);
      formatter(out, guarded.record, variant);
      EXPECT_LT(Length(out), text.size());
    }
  }
}

}  // namespace
}  // namespace kvt
