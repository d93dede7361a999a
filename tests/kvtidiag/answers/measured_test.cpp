// The measured-value reports from scripted answers: the header lines and
// endings of every handler. Counts beyond the record are the bounds
// table's.
#include <gtest/gtest.h>

#include "kvtidiag/session.h"
#include "support/texts.h"

namespace kvt::test {
namespace {

constexpr BYTE kAddress = 7;
const std::string kBlanks = "      ";

std::string Line() { return AddressLine(kDeviceKvt, kAddress); }

std::string Number(unsigned n) {  // "%5u;"
  char text[16];
  wsprintfA(text, "%5u;", n);
  return text;
}

TelegramRecord With(TelegramRecord record, std::initializer_list<std::pair<std::size_t, unsigned>> words) {
  for (const auto &[at, value] : words) PutWord(record, at, value);
  return record;
}

struct Case {
  const char *name;
  Entry entry;
  std::optional<TelegramRecord> answer;
  std::string text;  // the whole ResultText afterwards
  ULONG_PTR status = 0;
};

void Check(const std::vector<Case> &cases) {
  RunSession(
      "device=kvtq1;address=7", [&](const Descriptor &d) {
        for (const Case &c : cases) {
          SCOPED_TRACE(c.name);
          SimReset();
          Queue({c.answer});
          const EntryRun run = RunEntry(d, c.entry);
          EXPECT_TRUE(run.result);
          EXPECT_EQ(run.status, c.status);
          EXPECT_EQ(Escaped(run.text), Escaped(c.text));
        }
      },
      {.type = "KVT", .address = "7"});
}

const Bytes kKvt1 = {1, 0, 0, 0};
const Bytes kRange = Words({1, 10, 14, 0, 0});

TEST(MeasuredReports, HeaderLinesAndEndingsOfEveryHandler) {
  TelegramRecord scan401 = AnswerWords(0xB0, 10, {0x4191});  // rows of eight: fifty lines and one value
  std::string values401;
  for (unsigned i = 0; i < 401; ++i) {
    PutWord(scan401, 12 + 2 * i, i);
    values401 += kBlanks + Number(i) + (i % 8 == 7 ? "\n" : "");
  }
  PutWord(scan401, kRecCount, 12 + 802 - kRecCode);
  const std::string cm = text::kUnitCm, mm = text::kUnitMm;
  const std::string wrong = text::kWrongAnswer + Line();
  Check({
      {"0xB0 with header 0x4005: millimetres, five values", {12, 0x1D, kKvt1},
       AnswerWords(0xB0, 10, {0x4005, 0xA064, 0x0064, 0x8001, 0x4002, 0x2003}),
       mm + Count(5) + "FABL  100;" + kBlanks + "  100;FA    1;FB    2;BL    3;" + Line()},
      {"401 values", {12, 0x1D, kKvt1}, scan401, mm + Count(401) + values401 + Line()},
      {"unit 3 leaves the earlier text", {12, 0x1D, kKvt1}, AnswerWords(0xB0, 10, {0xC001, 0x0005}),
       kBefore + Count(1) + kBlanks + "    5;" + Line()},
      {"tenths of a metre", {12, 0x1D, kKvt1}, AnswerWords(0xB0, 10, {0x8000}), text::kUnit10cm + Count(0) + Line()},
      {"statistics layout numbers the values", {12, 0x49, kKvt1}, AnswerWords(0xB0, 10, {0x0002, 0x8009, 12}),
       cm + Count(2) + "1FA    9;\n2" + kBlanks + "   12;\n" + Line()},
      {"taught values: V for bit 14, three blanks otherwise", {12, 0x1F, kKvt1},
       AnswerWords(0xB0, 10, {0x0003, 0x4123, 0x0123, 0xE123}), cm + Count(3) + "V  291;     291;V  291;" + Line()},
      {"verified values the same way", {12, 0x20, kKvt1}, AnswerWords(0xB0, 10, {0x0001, 0x5FFF}),
       cm + Count(1) + "V 8191;" + Line()},
      {"partial scan index 3 shows X.75", {12, 0xBC, kKvt1}, AnswerWords(0xB0, 10, {0x1801, 0x0007}),
       cm + Count(1) + "Teilscan: X.75\n" + kBlanks + "    7;" + Line()},
      {"partial scan index 0 shows X.0", {12, 0xBC, kKvt1}, AnswerWords(0xB0, 10, {0x4000}),
       mm + Count(0) + "Teilscan: X.0\n" + Line()},
      {"the index is not shown for other request codes", {12, 0x1D, kKvt1}, AnswerWords(0xB0, 10, {0x1801, 0x0007}),
       cm + Count(1) + kBlanks + "    7;" + Line()},
      {"a 0xB7 answer to command 0x30 is a partial range", {12, 0x1D, kKvt1},
       AnswerWords(0xB7, 10, {181, 182, 0x4002, 0x8005, 6}),
       "Erster Messwert: 181        Letzter Messwert: 182\n" + mm + Count(2) + "FA    5;" + kBlanks + "    6;" + Line()},
      {"a 0xB0 answer to command 0x37 goes by request byte 10", {12, 0x75, Words({1, 7, 9, 0, 0})},
       AnswerWords(0xB0, 10, {0x0001, 0x0005}), cm + Count(1) + Line()},
      {"partial range", {12, 0x75, kRange}, AnswerWords(0xB7, 10, {10, 14, 0x0005, 1, 2, 3, 4, 5}),
       "Erster Messwert:  10        Letzter Messwert:  14\n" + cm + Count(5) + kBlanks + "    1;" + kBlanks +
           "    2;" + kBlanks + "    3;" + kBlanks + "    4;" + kBlanks + "    5;" + Line()},
      {"averaged values", {97, 0x62, Words({16, 1})}, With(AnswerWords(0xB6, 11, {0x0002, 0x0100, 0x8101}), {{9, 16 << 8}}),
       "Anzahl der Mittelungen:  16;\n" + cm + Count(2) + kBlanks + "  256;FA  257;" + Line()},
      {"value at 90 degrees of 181: index 90", {97, 0xB1, Words({4, 1})},
       With(AnswerWords(0xB6, 11, {0x40B5}), {{9, 4 << 8}, {13 + 2 * 89, 89}, {13 + 2 * 90, 0x405A}, {13 + 2 * 91, 91}}),
       "Anzahl der Mittelungen:   4;\n" + mm + Count(1) + "FB   90;" + Line()},
      {"value at 90 degrees of none shows nothing", {97, 0xB1, Words({4, 1})}, AnswerWords(0xB6, 11, {0x0000, 5}),
       "Anzahl der Mittelungen:   0;\n" + cm + Count(1) + Line()},
      {"XY coordinates: X as it is, up to 65535", {165, 0, kRange},
       AnswerWords(0xF6, 10, {1, 2, 0x4002, 0xFFFF, 0xC00A, 0, 20}),
       "Erster Messwert:   1        Letzter Messwert:   2\n" + mm + Count(2) +
           "Flags    |  X-Wert   |  Y-Wert\nFAFB, 65535;   10;\n" + kBlanks + ",     0;   20;\n" + Line()},
      {"averaged partial range", {179, 0, Words({1, 50, 20, 21, 0})},
       With(AnswerWords(0xBF, 11, {20, 21, 0x0002, 0x2003, 4}), {{9, 50 << 8}}),
       "Anzahl der Mittelungen:  50;\n" + cm + Count(2) + "Erster Messwert:  20        Letzter Messwert:  21\nBL    3;" +
           kBlanks + "    4;" + Line()},
      {"values with fields: groups of four words", {184, 0, kRange},
       AnswerWords(0xBE, 9, {30, 31, 0x4008, 0x8010, 0x8001, 2, 3, 0x0011, 0xFFFF, 0, 65}),
       mm + Count(8) + "Erster Messwert:  30        Letzter Messwert:  31\nFA   16;32769;    2;    3;\n" + kBlanks +
           "   17;65535;    0;   65;\n" + Line()},
      {"values with fields, unit 3: the earlier text stays", {184, 0, kRange}, AnswerWords(0xBE, 9, {30, 31, 0xC000}),
       kBefore + Count(0) + "Erster Messwert:  30        Letzter Messwert:  31\n" + Line()},
      {"values with fields: the list ends at the last whole group", {184, 0, kRange},
       AnswerWords(0xBE, 9, {1, 1, 0x0006, 1, 2, 3, 4, 5, 6}),
       cm + Count(6) + "Erster Messwert:   1        Letzter Messwert:   1\n" + kBlanks + "    1;    2;    3;    4;\n" +
           Line()},
      {"ranges: numbered per range, one running index across ranges", {205, 0, Words({2, 5, 6, 9, 9})},
       With(AnswerWords(0xF5, 9, {2, 5, 6, 2, 9, 9, 0x4001}),
            {{41, 100}, {43, 101}, {45, 102}, {441, 900}, {443, 901}, {445, 902}, {kRecCount, 446 - kRecCode}}),
       "Anzahl der Bereiche:  2 \n"
       "1. Messwert des Bereichs:    5 \nletzter Messwert des Bereichs:    6 \n"
       "Anzahl der Messwerte im Bereich:    2 \nNr. Entfernung Remission\n"
       "   5:      100 ,      900\n   6:      101 ,      901\n\n"
       "1. Messwert des Bereichs:    9 \nletzter Messwert des Bereichs:    9 \n"
       "Anzahl der Messwerte im Bereich:    1 \nNr. Entfernung Remission\n"
       "   9:      102 ,      902\n\n" +
           Line()},
      {"ranges: none", {205, 0, Words({0})}, AnswerWords(0xF5, 9, {0}), "Anzahl der Bereiche:  0 \n" + Line()},
      {"no answer", {12, 0x1D, kKvt1}, std::nullopt, text::kCommFailure + Line(), kStatusCommFailure},
      {"NAK to a scan", {12, 0x1D, kKvt1}, Answer(0x15, {0x30}), wrong},
      {"handler 12 takes no other answer", {12, 0x75, kRange}, AnswerWords(0xB6, 9, {0}), wrong},
      {"averaged values want 0xB6", {97, 0x62, Words({16, 1})}, AnswerWords(0xB0, 10, {0}), wrong},
      {"XY wants 0xF6", {165, 0, kRange}, AnswerWords(0xB7, 10, {0}), wrong},
      {"averaged partial range wants 0xBF", {179, 0, Words({1, 2, 3, 4, 0})}, AnswerWords(0xBE, 9, {0}), wrong},
      {"fields want 0xBE", {184, 0, kRange}, AnswerWords(0xBF, 9, {0}), wrong},
      {"ranges want 0xF5", {205, 0, Words({0})}, AnswerWords(0xF6, 9, {0}), wrong},
  });
}

}  // namespace
}  // namespace kvt::test
