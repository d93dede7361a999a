// The status, error-memory and sensor-type formatters on edited and strange
// answers: the choices the reports make (version classes, selectors,
// conversions, the entry loop), the two values that cannot be computed, and
// bounds: no read past the 828-byte record, no write past ResultText.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "answers/answers.h"
#include "entry/entry.h"
#include "guarded.h"
#include "kvt/bytes.h"
#include "kvt/simcontrol.h"
#include "report_run.h"
#include "support/escaped.h"
#include "support/records.h"
#include "telegram/telegram.h"

namespace kvt {
namespace {

using test::Escaped;

const std::string kSeparator = std::string(77, '*') + "\n";

// The simulated device's answer to one command.
TelegramRecord DeviceAnswer(const char *config, BYTE type, BYTE command) {
  test::SimulatedSensor sensor(config);
  TelegramRecord request{};
  PrepareRequest(request, type, 0);
  request[kRecCode] = command;
  TelegramRecord answer{};
  SendTelegram(sensor.handle, request, answer);
  return answer;
}

TelegramRecord KvtStatus() { return DeviceAnswer("device=kvt;setup=no", kDeviceKvt, 0x31); }
TelegramRecord PxdStatus() { return DeviceAnswer("device=pxd;setup=no", kDevicePxd, 0x31); }
TelegramRecord Q1Status() { return DeviceAnswer("device=kvtq1;variant=4;setup=no", kDeviceKvtQ1, 0x31); }

struct Edit {
  std::size_t at;
  std::vector<BYTE> bytes;
};

std::vector<BYTE> Text8(const char *text) {
  std::vector<BYTE> bytes(8, 0);
  for (std::size_t i = 0; i < 8 && text[i]; ++i) bytes[i] = static_cast<BYTE>(text[i]);
  return bytes;
}

std::vector<BYTE> Le16(unsigned v) { return {static_cast<BYTE>(v), static_cast<BYTE>(v >> 8)}; }

std::string Format(AnswerFormatter formatter, const TelegramRecord &answer, std::size_t capacity = 65536) {
  std::string buffer(capacity, '\0');
  ResultText out{buffer.data(), buffer.size()};
  formatter(out, answer);
  return buffer.c_str();
}

class Reports : public ::testing::Test {
 protected:
  void SetUp() override { SetInstance(GetModuleHandleA(nullptr)); }
};

struct ReportCase {
  const char *name;
  AnswerFormatter formatter;
  TelegramRecord (*base)();
  std::vector<Edit> edits;
  std::vector<std::string> present;  // pieces the report must hold
  std::vector<std::string> absent;   // pieces it must not hold
};

void CheckReport(const ReportCase &c) {
  TelegramRecord answer = c.base();
  for (const Edit &e : c.edits) std::copy(e.bytes.begin(), e.bytes.end(), answer.begin() + e.at);
  const std::string report = Format(c.formatter, answer);
  for (const std::string &piece : c.present) {
    EXPECT_NE(report.find(piece), std::string::npos) << c.name << ": missing " << Escaped(piece) << "\n  in "
                                                     << Escaped(report);
  }
  for (const std::string &piece : c.absent) {
    EXPECT_EQ(report.find(piece), std::string::npos) << c.name << ": unexpected " << Escaped(piece);
  }
}

TEST_F(Reports, StatusChoices) {
  const std::string olderScan =
      "\nScanbereich: Öffnungswinkel 180,0°, Winkelschritt 0,50°, Messbereich 8000 cm, Mindestabstand 30 cm\n" +
      kSeparator;
  const std::string newerScan = "Mindestabstand 30 cm, 4 Feldsätze, Messwertauflösung 10 mm\n" + kSeparator;
  const std::vector<Edit> outputs = {{95, Le16(1)}, {97, Le16(0)}};
  auto with = [](std::vector<Edit> edits, std::vector<Edit> more) {
    edits.insert(edits.end(), more.begin(), more.end());
    return edits;
  };
  const ReportCase cases[] = {
      {"V01.99 takes the older classes", StatusKvt, KvtStatus, with(outputs, {{9, Text8("V01.99")}}),
       {olderScan, "\nAusgang 1: Schließer\n", "\nAusgang 2: Öffner\n" + kSeparator}, {"Feldsätze,"}},
      {"V02.00 takes the newer classes", StatusKvt, KvtStatus, with(outputs, {{9, Text8("V02.00")}}),
       {newerScan, "\nAusgang 1: Schließer, schaltet bei Verletzung von Feld A\n",
        "\nAusgang 2: Öffner, schaltet bei Verletzung von Feld B\n" + kSeparator},
       {}},
      {"a version without digits is 0", StatusKvt, KvtStatus, with(outputs, {{9, Text8("Vxx.yy")}}),
       {olderScan, "\nAusgang 1: Schließer\n"}, {}},
      {"KVT field set plus 1", StatusKvt, KvtStatus, {{128, {2}}}, {"\nAktiver Feldsatz: 3\n"}, {}},
      {"KVT field set 255 plus 1 is 256", StatusKvt, KvtStatus, {{128, {255}}},
       {"\nAktiver Feldsatz: unbekannt (0x0100)\n"}, {}},
      {"KVT-Q1 field set unchanged", StatusKvtQ1, Q1Status, {{128, {2}}}, {"\nAktiver Feldsatz: 2\n"}, {}},
      {"mirror divisor 0", StatusKvt, KvtStatus, {{79, Le16(0)}},
       {"\nSpiegeldrehzahl: --- (nicht berechenbar, Zählwert 0)\n" + kSeparator}, {}},
      {"mirror divisor 1", StatusKvt, KvtStatus, {{79, Le16(1)}}, {"\nSpiegeldrehzahl: 1048576 U/s\n"}, {}},
      {"operating time times 90", StatusKvt, KvtStatus, {{77, Le16(40)}}, {"\nBetriebsdauer: 1 h 00 min\n"}, {}},
      {"carriage returns become blanks", StatusKvt, KvtStatus, {{19, {'S', 'N', '\r', '1', '\r'}}},
       {"Programmversion: V02.10   Seriennummer: SN 1 5372\n" + kSeparator}, {"\r"}},
      {"PXD without sensors", StatusPxd, PxdStatus, {{36, std::vector<BYTE>(8, 0)}},
       {"\nAktive Sensoreingänge: 1, 2\nKein Sensor angeschlossen.\nKein Sensor angeschlossen.\n"
        "Kein Sensor angeschlossen.\nKein Sensor angeschlossen.\n"},
       {"Sensor: "}},
      {"PXD sensor slots", StatusPxd, PxdStatus, {{36, {3, 0, 0, 0, 0, 0, 6, 0}}, {44, {0, 0, 0, 0, 0, 0, 0x21, 0}}},
       {"\nSensor: KVT Typ 3\nZustand: in Ordnung\nKein Sensor angeschlossen.\nKein Sensor angeschlossen.\n"
        "Sensor: KVT-Q1 (Typ 6)\nZustand: Sensor antwortet verzögert\n"},
       {}},
      {"PXD carriage return", StatusPxd, PxdStatus, {{19, {'\r'}}}, {"Seriennummer:  N0398114\n"}, {"\r"}},
      {"Q1 calibration word 0xFFFF", StatusKvtQ1, Q1Status, {{89, Le16(0xFFFF)}},
       {"\nAbgleich: keine Abgleichdaten vorhanden (Speicher gelöscht)\n" + kSeparator}, {}},
      {"Q1 calibration word 2 adds no text", StatusKvtQ1, Q1Status, {{89, Le16(2)}},
       {"\nAnlauftest: eingeschaltet\n\n" + kSeparator}, {"Abgleich:"}},
      {"Q1 calibration word 1", StatusKvtQ1, Q1Status, {{89, Le16(1)}}, {"\nAbgleich: Kundenabgleich gültig\n"}, {}},
      {"Q1 calibration word 0xAAAA", StatusKvtQ1, Q1Status, {{89, Le16(0xAAAA)}},
       {"\nAbgleich: Werks- und Winkelabgleich gültig, gegen Änderung gesperrt\n"}, {}},
      {"Q1 calibration word 0xAAAB adds no text", StatusKvtQ1, Q1Status, {{89, Le16(0xAAAB)}},
       {"\nAnlauftest: eingeschaltet\n\n"}, {"Abgleich:"}},
      {"Q1 interface 3 with its parameter", StatusKvtQ1, Q1Status, {{121, {0x03}}, {122, Le16(10)}},
       {"\n" + kSeparator + "Schnittstelle: Profibus DP, Parameter 10\nNach dem"}, {}},
      {"Q1 interface 2 without", StatusKvtQ1, Q1Status, {{121, {0x02}}},
       {"\n" + kSeparator + "Schnittstelle: RS 485\nNach dem"}, {"Parameter"}},
      {"Q1 interface 0x25: low bits 5", StatusKvtQ1, Q1Status, {{121, {0x25}}, {122, Le16(7)}},
       {"\nSchnittstelle: unbekannt (0x25), Parameter 7\n"}, {}},
      {"Q1 interface 1", StatusKvtQ1, Q1Status, {{121, {0x01}}}, {"\nSchnittstelle: RS 422, Parameter 10\n"}, {}},
      {"Q1 interface 4", StatusKvtQ1, Q1Status, {{121, {0x04}}}, {"\nSchnittstelle: CANopen\n"}, {"Parameter"}},
      {"Q1 temperature is signed", StatusKvtQ1, Q1Status, {{124, {0xFB}}}, {"\nInnentemperatur: -5 °C\n"}, {}},
      {"Q1 variant line", StatusKvtQ1, Q1Status, {},
       {"Programmversion: V03.02   Seriennummer: SN0502207\nGerätevariante: Q1-06\n" + kSeparator +
        "Betriebsmodus: "},
       {}},
      {"Q1 M00 of 0", StatusKvtQ1, Q1Status, {{158, Le16(0)}},
       {"\n   Auflösung Counter 0:---, Counter 1: 13  [psec]  (--- nicht berechenbar: Eichwerte ungültig)\n" +
        kSeparator},
       {}},
      {"Q1 equal calibration counts", StatusKvtQ1, Q1Status, {{150, {0, 0, 0, 0}}, {154, {0, 0, 0, 0}}},
       {"Counter 0: 13, Counter 1:---  [psec]"}, {}},
      {"Q1 period 0", StatusKvtQ1, Q1Status, {{162, Le16(0)}}, {"Counter 0:  0, Counter 1:  0  [psec]\n"}, {}},
      {"Q1 variant and sensor number", StatusKvtQ1, Q1Status, {{112, {9}}, {132, {3}}},
       {"\nKVT-Variante: 9, Sensornummer: 3\nRolle im Sensorverbund: Slave (Sensor 3)\n"}, {}},
      {"Q1 ends with the separator without line feed", StatusKvtQ1, Q1Status, {},
       {"\nBandkontrolle: ausgeschaltet\n" + std::string(77, '*')}, {}},
      {"Q1 carriage return in the variant", StatusKvtQ1, Q1Status, {{134, {'Q', '\r', '1'}}},
       {"\nGerätevariante: Q 106\n"}, {"\r"}},
  };
  for (const ReportCase &c : cases) CheckReport(c);
}

TEST_F(Reports, Q1ReportEndsWithoutLineFeed) {
  const std::string report = Format(StatusKvtQ1, Q1Status());
  EXPECT_EQ(report.substr(report.size() - 78), "\n" + std::string(77, '*'));
}

TEST_F(Reports, VersionNumbers) {
  struct Case {
    const char *text;
    DWORD expected;
  };
  const Case cases[] = {
      {"V02.10", 0x2000A}, {"V01.99", 0x10063}, {"V02.00", 0x20000}, {"V01.90", 0x1005A}, {"Vxx.yy", 0},
      {"", 0},             {"V2.1", 21},        {"12.34.56", 0x4D20038}, {"99999999", 1111425123},  // wraps at 32 bits
  };
  for (const Case &c : cases) {
    const std::vector<BYTE> text = Text8(c.text);
    EXPECT_EQ(ParseVersion(text), c.expected) << c.text;
  }
  EXPECT_EQ(ParseVersion({}), 0u) << "no text at all";
}

TEST_F(Reports, QuotientsThatCannotBeComputed) {
  EXPECT_EQ(MirrorQuotient(0), kNoQuotient32);
  EXPECT_EQ(MirrorQuotient(1), 1048576u);
  EXPECT_EQ(MirrorQuotient(41943), 25u);
  EXPECT_EQ(MirrorQuotient(0xFFFF), 16u);

  struct Case {
    const char *name;
    WORD period, m00, m01;
    DWORD cal10, cal20, cal12, cal21;
    std::array<WORD, 2> expected;
  };
  const Case cases[] = {
      {"the simulated sensor", 25, 2000, 2010, 118000, 370000, 120500, 371300, {13, 13}},
      {"M00 of 0", 25, 0, 2010, 118000, 370000, 120500, 371300, {kNoQuotient16, 13}},
      {"M01 of 0 and equal counts", 25, 2000, 0, 118000, 118000, 120500, 371300, {kNoQuotient16, kNoQuotient16}},
      {"counts running backwards wrap", 25, 2000, 2000, 10, 5, 10, 5, {0, 0}},
      {"beyond 16 bits keeps the low bits", 100, 7, 7, 1000, 1007, 1000, 1007, {17387, 17387}},
      {"the largest quotient", 65535, 1, 1, 0, 1, 0, 1, {0, 0}},
  };
  for (const Case &c : cases) {
    TelegramRecord answer{};
    PutDword(answer, 142, c.cal10);
    PutDword(answer, 146, c.cal20);
    PutDword(answer, 150, c.cal12);
    PutDword(answer, 154, c.cal21);
    PutWord(answer, 158, c.m00);
    PutWord(answer, 160, c.m01);
    PutWord(answer, 162, c.period);
    EXPECT_EQ(TdcResolutions(answer), c.expected) << c.name;
  }
}

TelegramRecord ErrorAnswer(unsigned count, std::vector<std::pair<BYTE, BYTE>> entries) {
  TelegramRecord answer = test::Answer(0xB2, {static_cast<BYTE>(entries.size())});
  PutWord(answer, kRecCount, count);
  for (std::size_t k = 0; k < entries.size(); ++k) {
    answer[10 + 2 * k] = entries[k].first;
    answer[11 + 2 * k] = entries[k].second;
  }
  return answer;
}

TEST_F(Reports, ErrorMemoryLengths) {
  const std::vector<std::pair<BYTE, BYTE>> entries = {{1, 12}, {2, 7}, {3, 123}, {1, 5}};
  const std::string one = "\n(12) Fehlerart: Warnung - Versorgungsspannung zu niedrig";
  const std::string two = one + "\n(07) Fehlerart: Fehler - Drehzahl des Spiegels außerhalb der Toleranz";
  const std::string three = two + "\n(123) Fehlerart: schwerer Fehler - unbekannte Fehlernummer 123";
  struct Case {
    unsigned count;
    std::string expected;
  };
  const Case cases[] = {{0, one}, {2, one}, {3, one}, {4, two}, {5, two}, {6, three}, {7, three}};
  for (const Case &c : cases) {
    EXPECT_EQ(Escaped(Format(ErrorMemoryKvt, ErrorAnswer(c.count, entries))), Escaped(c.expected)) << c.count;
  }
  // The interface unit words the numbers with its own class.
  EXPECT_EQ(Escaped(Format(ErrorMemoryPxd, ErrorAnswer(5, {{1, 75}, {2, 12}}))),
            Escaped("\n(75) Fehlerart: Warnung - Sensor an Eingang 2 antwortet verzögert"
                    "\n(12) Fehlerart: Fehler - Versorgungsspannung zu niedrig"));
  EXPECT_EQ(Escaped(Format(ErrorMemoryKvt, ErrorAnswer(3, {{1, 75}}))),
            Escaped("\n(75) Fehlerart: Warnung - unbekannte Fehlernummer 75"));
}

// Through the dispatcher: which formatter each handler and device type gets.
TEST_F(Reports, ErrorMemoryHandlers) {
  test::SimulatedSensor sensor("device=kvt;setup=no");
  const TelegramRecord memory = ErrorAnswer(3, {{2, 75}});
  const std::string pxd = "\n(75) Fehlerart: Fehler - Sensor an Eingang 2 antwortet verzögert";
  const std::string kvt = "\n(75) Fehlerart: Fehler - unbekannte Fehlernummer 75";
  const std::string pxdLine = "\nBei der Kommunikation benutzte Adresse   9  mit Zielgerät  PXD.\n\n";
  const std::string q1Line = "\nBei der Kommunikation benutzte Adresse   9  mit Zielgerät  KVT-Q1.\n\n";
  struct Case {
    const char *name;
    WORD handler;
    BYTE type;
    int answers;
    std::string expected;
  };
  const Case cases[] = {
      {"error memory of a PXD", 14, kDevicePxd, 1, pxd + pxdLine},
      {"error memory of a KVT-Q1", 14, kDeviceKvtQ1, 1, kvt + q1Line},
      {"whole-system test through a PXD uses the sensors' numbers", 15, kDevicePxd, 2, kvt + pxdLine},
  };
  for (const Case &c : cases) {
    SimReset();
    for (int i = 0; i < c.answers; ++i) test::QueueAnswer(memory);
    const test::HandlerRun run = test::RunHandler(c.handler, c.handler == 15 ? 0x4C : 65535, c.type, 9);
    EXPECT_EQ(Escaped(run.text), Escaped(c.expected)) << c.name;
  }
}

TEST_F(Reports, SensorTypeLines) {
  TelegramRecord answer = test::Answer(0xBA);
  const std::string type = "ABCDEFGHIJKLMNOP";  // two 8-byte fields without terminators
  std::copy(type.begin(), type.end(), answer.begin() + 9);
  std::fill(answer.begin() + 25, answer.end(), BYTE{'x'});
  test::GuardedBytes guarded(kRecordSize);
  std::copy(answer.begin(), answer.end(), guarded.bytes.begin());
  std::string buffer(4096, '\0');
  ResultText out{buffer.data(), buffer.size()};
  SensorTypeText(out, guarded.bytes);
  EXPECT_EQ(Escaped(buffer.c_str()),
            Escaped("Sensortyp: ABCDEFGH\nProgrammversion: IJKLMNOP\nBeschreibung: " + std::string(100, 'x')));
}

// Strange answers: every formatter on records full of chance bytes, the
// record right before a page that may not be read and ResultText right
// before one that may not be written, at several capacities.
TEST_F(Reports, StrangeAnswersStayInBounds) {
  const AnswerFormatter formatters[] = {StatusKvt, StatusPxd, StatusKvtQ1, ErrorMemoryKvt, ErrorMemoryPxd,
                                        SensorTypeText};
  const std::size_t capacities[] = {1, 2, 17, 255, 1000, 65536};
  unsigned seed = 12345;
  auto next = [&seed] {
    seed = seed * 1103515245 + 12345;
    return static_cast<BYTE>(seed >> 16);
  };
  test::GuardedBytes record(kRecordSize);
  for (int round = 0; round < 40; ++round) {
    for (BYTE &b : record.bytes) b = next();
    if (round == 0) std::fill(record.bytes.begin(), record.bytes.end(), BYTE{0xFF});
    if (round == 1) std::fill(record.bytes.begin(), record.bytes.end(), BYTE{0});
    if (round == 2) PutWord(record.bytes, kRecCount, 0xFFFF);
    for (AnswerFormatter formatter : formatters) {
      for (std::size_t capacity : capacities) {
        test::GuardedBytes text(capacity);
        std::fill(text.bytes.begin(), text.bytes.end(), BYTE{'#'});
        ResultText out{reinterpret_cast<char *>(text.bytes.data()), capacity};
        formatter(out, record.bytes);
        const std::string written(reinterpret_cast<const char *>(text.bytes.data()), capacity);
        ASSERT_NE(written.find('\0'), std::string::npos) << "round " << round << ", capacity " << capacity;
        const bool status = formatter == StatusKvt || formatter == StatusPxd || formatter == StatusKvtQ1;
        if (status) {
          EXPECT_EQ(written.find('\r'), std::string::npos) << "status reports turn carriage returns into blanks";
        }
      }
    }
  }
}

// A count far beyond the record: the entries stop at its end.
TEST_F(Reports, ErrorMemoryStopsAtTheRecordEnd) {
  test::GuardedBytes record(kRecordSize);
  std::fill(record.bytes.begin(), record.bytes.end(), BYTE{1});
  PutWord(record.bytes, kRecCount, 0xFFFF);
  std::string buffer(65536, '\0');
  ResultText out{buffer.data(), buffer.size()};
  ErrorMemoryKvt(out, record.bytes);
  const std::string text = buffer.c_str();
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), (828 - 10) / 2);
}

// The whole handler with strange answers: a text, the address line, no failure.
TEST_F(Reports, HandlersTakeStrangeAnswers) {
  test::SimulatedSensor sensor("device=kvt;setup=no");
  TelegramRecord strange{};
  std::fill(strange.begin(), strange.end(), BYTE{0xFF});
  struct Case {
    WORD handler;
    WORD telegram;
    BYTE type;
    BYTE code;
    int answers;
  };
  const Case cases[] = {{13, 65535, kDeviceKvt, 0xB1, 1},   {13, 65535, kDevicePxd, 0xB1, 1},
                        {13, 65535, kDeviceKvtQ1, 0xB1, 1}, {13, 65535, kDeviceKvt90, 0xB1, 1},
                        {14, 65535, kDeviceKvt, 0xB2, 1},   {14, 65535, kDevicePxd, 0xB2, 1},
                        {15, 0x4C, kDeviceKvt, 0xB2, 2},    {164, 65535, kDeviceKvt, 0xBA, 1}};
  for (const Case &c : cases) {
    SimReset();
    strange[kRecCode] = c.code;
    for (int i = 0; i < c.answers; ++i) test::QueueAnswer(strange);
    const test::HandlerRun run = test::RunHandler(c.handler, c.telegram, c.type, 4);
    EXPECT_TRUE(run.result) << c.handler;
    EXPECT_EQ(run.status, 0u) << c.handler;
    EXPECT_NE(run.text.find("\nBei der Kommunikation benutzte Adresse   4  mit Zielger\xE4t"), std::string::npos)
        << c.handler << ": " << Escaped(run.text.substr(0, 300));
  }
}

}  // namespace
}  // namespace kvt
