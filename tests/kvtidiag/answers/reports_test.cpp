// Whole reports as the simulated devices answer (golden files), and the
// status, error-memory and sensor-type reports on edited and strange
// answers: the choices they make and the texts they give.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <map>

#include "kvtidiag/session.h"
#include "support/texts.h"

namespace kvt::test {
namespace {

struct Golden {
  const char *file;
  const char *config;
  const char *address;
  Entry entry;
};

const Bytes kSensor1 = {1, 0, 0, 0};

// A block of `size` bytes that begins with `head`, zeros behind.
Bytes Padded(Bytes head, std::size_t size) {
  head.resize(size, 0);
  return head;
}

// Blocks as the dialogs leave them.
const Golden kGoldens[] = {
    {"kvt_status", "device=kvt;address=3", "3", {13}},
    {"kvt_error_memory", "device=kvt;address=3", "3", {14}},
    {"kvt_system_test", "device=kvt;address=3", "3", {15, 0x4C}},
    {"kvt_sensor_type", "device=kvt;address=3", "3", {164}},
    {"kvt_segments", "device=kvt;address=3", "3", {12, 0x1C, {10, 0, 1, 0}}},
    {"kvt_field_c_segments", "device=kvt;address=3", "3", {12, 0x95, {1, 3}}},
    {"kvt_scan", "device=kvt;address=3", "3", {12, 0x1D, kSensor1}},
    {"kvt_statistics", "device=kvt;address=3", "3", {12, 0x49, kSensor1}},
    {"kvt_perpendicular", "device=kvt;address=3", "3", {12, 0x1E, {1, 1}}},
    {"kvt_taught", "device=kvt;address=3", "3", {12, 0x1F, kSensor1}},
    {"kvt_verified", "device=kvt;address=3", "3", {12, 0x20, kSensor1}},
    {"kvt_direct", "device=kvt;address=3", "3", {12, 0xBC, kSensor1}},
    {"kvt_partial_range", "device=kvt;address=3", "3", {12, 0x75, Words({1, 181, 240, 0})}},
    {"kvt_averaged", "device=kvt;address=3", "3", {97, 0x62, Words({16, 1})}},
    {"kvt_at_90_degrees", "device=kvt;address=3", "3", {97, 0xB1, Words({16, 1})}},
    {"kvt_averaged_partial", "device=kvt;address=3", "3", {179, 0, Words({1, 100, 150, 215, 0})}},
    {"kvt_v0190_status", "device=kvt;address=3;version=V01.90", "3", {13}},
    {"kvt_v0190_sensor_type", "device=kvt;address=3;version=V01.90", "3", {164}},
    {"pxd_status", "device=pxd;address=5", "5", {13}},
    {"pxd_error_memory", "device=pxd;address=5", "5", {14}},
    {"pxd_system_test", "device=pxd;address=5", "5", {15, 0x4C}},
    {"pxd_sensor_type", "device=pxd;address=5", "5", {164}},
    {"pxd_scan", "device=pxd;address=5", "5", {12, 0x1D, {2, 0, 0, 0}}},
    {"pxd_scan_no_sensor", "device=pxd;address=5", "5", {12, 0x1D, {3, 0, 0, 0}}},
    {"pxd_configuration", "device=pxd;address=5", "5", {132}},
    {"pxd_evaluation_case", "device=pxd;address=5", "5", {133, 0, {2, 0, 0, 0}}},
    {"kvtq1_status", "device=kvtq1;address=2;variant=4", "2", {13}},
    {"kvtq1_error_memory", "device=kvtq1;address=2", "2", {14}},
    {"kvtq1_sensor_type", "device=kvtq1;address=2", "2", {164}},
    {"kvtq1_config_read", "device=kvtq1;address=2", "2", {181}},
    {"kvtq1_config2_read", "device=kvtq1;address=2", "2", {211}},
    {"kvtq1_outputs", "device=kvtq1;address=2", "2", {209}},
    {"kvtq1_config_defined", "device=kvtq1;address=2", "2",
     {168, 0, {6, 0, 0x2C, 1, 0x07, 2, 1, 1, 5, 2, 0, 20, 0, 8, 4, 4, 20, 80, 8, 4, 4, 10, 90, 0, 0, 0, 0, 0, 0, 3, 30, 40, 5}}},
    {"kvtq1_config2_defined", "device=kvtq1;address=2", "2", {210, 0, Padded({3, 0xFE, 5, 0, 0xFF, 2, 1, 50, 90}, 84)}},
    {"kvtq1_variant", "device=kvtq1;address=2", "2", {166, 0, {180, 0, 0, 0, 50, 0, 0, 0}}},
    {"kvtq1_corrections", "device=kvtq1;address=2", "2", {173, 0, Padded(Words({3, 7, 8, 9}), 804)}},
    {"kvtq1_distance_corrections", "device=kvtq1;address=2", "2",
     {189, 0, Padded(Words({25, 9, 8, 7, 6, 5, 4, 3, 2, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 65535, 65534, 65533, 65532, 65531, 65530}), 804)}},
    {"kvtq1_shell_check", "device=kvtq1;address=2", "2", {199, 0, Padded(Words({12, 5, 95, 60, 20, 5, 55, 3, 4, 2, 40, 1, 5}), 804)}},
    {"kvtq1_positioning_shot", "device=kvtq1;address=2", "2", {196, 0, Words({50, 2, 10, 40, 60, 90, 0, 0})}},
    {"kvtq1_final_test", "device=kvtq1;address=2", "2", {208, 0, Padded({3, 1, 4, 0, 0xFF, 0xFF, 2, 0, 0x2C, 1, 0x70, 0xFE}, 68)}},
    {"kvtq1_v2_scan", "device=kvtq1;address=2;variant=2", "2", {12, 0x1D, kSensor1}},
    {"kvtq1_v2_direct", "device=kvtq1;address=2;variant=2", "2", {12, 0xBC, kSensor1}},
    {"kvtq1_v2_xy", "device=kvtq1;address=2;variant=2", "2", {165, 0, Words({1, 90, 120, 0})}},
    {"kvtq1_v2_with_fields", "device=kvtq1;address=2;variant=2", "2", {184, 0, Words({1, 80, 100, 0})}},
    {"kvtq1_v2_ranges", "device=kvtq1;address=2;variant=2", "2",
     {205, 0, Words({2, 96, 105, 300, 303, 0, 0, 0, 0, 0, 0})}},
    {"kvtq1_v1_partial_range", "device=kvtq1;address=2;variant=1", "2", {12, 0x75, Words({1, 70, 129, 0})}},
    {"kvtq1_v3_partial_range", "device=kvtq1;address=2;variant=3", "2", {12, 0x75, Words({1, 70, 129, 0})}},
    {"kvtq1_v5_partial_range", "device=kvtq1;address=2;variant=5", "2", {12, 0x75, Words({1, 70, 129, 0})}},
    {"kvt90_status", "device=kvt90;address=1;variant=9", "1", {13}},
    {"kvt90_error_memory", "device=kvt90;address=1", "1", {14}},
    {"kvt90_sensor_type", "device=kvt90;address=1", "1", {164}},
    {"kvt90_v4_scan", "device=kvt90;address=1;variant=4", "1", {12, 0x1D, kSensor1}},
    {"kvt90_v6_averaged", "device=kvt90;address=1;variant=6", "1", {97, 0x62, Words({4, 1})}},
};

// One run per device configuration; each report from the device as it was switched on.
TEST(Reports, GoldenFilesOfEveryDeviceKind) {
  for (std::size_t first = 0; first < std::size(kGoldens);) {
    std::size_t end = first;
    while (end < std::size(kGoldens) && std::string(kGoldens[end].config) == kGoldens[first].config) ++end;
    const SessionRun run = RunSession(
        kGoldens[first].config, [&](const Descriptor &d) {
          for (std::size_t i = first; i < end; ++i) {
            SimReset();
            const EntryRun report = RunEntry(d, kGoldens[i].entry);
            EXPECT_TRUE(report.result) << kGoldens[i].file;
            EXPECT_EQ(report.status, 0u) << kGoldens[i].file;
            ExpectGolden(std::string("tests/kvtidiag/answers/golden/") + kGoldens[i].file + ".txt", report.text);
          }
        },
        {.address = kGoldens[first].address});
    EXPECT_TRUE(run.menu) << kGoldens[first].config;
    first = end;
  }
}

struct Edit {
  std::size_t at;
  Bytes bytes;
};

Bytes Text8(const char *text) {
  Bytes bytes(8, 0);
  std::copy_n(text, std::min<std::size_t>(std::strlen(text), 8), bytes.begin());
  return bytes;
}

Bytes Le16(unsigned v) { return {static_cast<BYTE>(v), static_cast<BYTE>(v >> 8)}; }

struct StatusCase {
  const char *name;
  BYTE type;
  std::vector<Edit> edits;          // to the device's own status answer
  std::vector<std::string> present;  // pieces the report must hold
  std::vector<std::string> absent;   // pieces it must not hold
};

const char *TypeText(BYTE type) { return type == kDevicePxd ? "PXD" : type == kDeviceKvt ? "KVT" : "KVTQ1"; }

TEST(Reports, StatusChoices) {
  const std::string separator = std::string(77, '*') + "\n";
  const std::string olderScan = text::kOlderScanLine + separator;
  const std::string newerScan = text::kNewerScanEnd + separator;
  const Edit output1{95, Le16(1)}, output2{97, Le16(0)};
  const BYTE K = kDeviceKvt, P = kDevicePxd, Q = kDeviceKvtQ1;
  const StatusCase cases[] = {
      {"V01.99 takes the older classes", K, {output1, output2, {9, Text8("V01.99")}},
       {olderScan, text::kOutput1Older, text::kOutput2Older + separator}, {text::kFieldSetsPiece}},
      {"V02.00 takes the newer classes", K, {output1, output2, {9, Text8("V02.00")}},
       {newerScan, text::kOutput1Newer, text::kOutput2Newer + separator}, {}},
      {"KVT field set plus 1", K, {{128, {2}}}, {"\nAktiver Feldsatz: 3\n"}, {}},
      {"KVT field set 255 plus 1 is 256", K, {{128, {255}}}, {"\nAktiver Feldsatz: unbekannt (0x0100)\n"}, {}},
      {"mirror divisor 0", K, {{79, Le16(0)}}, {text::kMirrorUnknown + separator}, {}},
      {"operating time times 90", K, {{77, Le16(40)}}, {"\nBetriebsdauer: 1 h 00 min\n"}, {}},
      {"carriage returns become blanks", K, {{19, {'S', 'N', '\r', '1', '\r'}}},
       {"Programmversion: V02.10   Seriennummer: SN 1 5372\n" + separator}, {"\r"}},
      {"PXD without sensors", P, {{36, Bytes(8, 0)}}, {text::kPxdNoSensors}, {"Sensor: "}},
      {"PXD sensor slots", P, {{36, {3, 0, 0, 0, 0, 0, 6, 0}}, {44, {0, 0, 0, 0, 0, 0, 0x21, 0}}},
       {text::kPxdSensorSlots}, {}},
      {"KVT-Q1 field set unchanged", Q, {{128, {2}}}, {"\nAktiver Feldsatz: 2\n"}, {}},
      {"calibration word 0xFFFF", Q, {{89, Le16(0xFFFF)}}, {text::kCalibrationErased + separator}, {}},
      {"calibration word 2 adds no text", Q, {{89, Le16(2)}}, {"\nAnlauftest: eingeschaltet\n\n" + separator},
       {"Abgleich:"}},
      {"calibration word 0xAAAA", Q, {{89, Le16(0xAAAA)}}, {text::kCalibrationLocked}, {}},
      {"interface 3 with its parameter", Q, {{121, {0x03}}, {122, Le16(10)}},
       {"\n" + separator + "Schnittstelle: Profibus DP, Parameter 10\nNach dem"}, {}},
      {"interface 2 without", Q, {{121, {0x02}}}, {"\n" + separator + "Schnittstelle: RS 485\nNach dem"},
       {"Parameter"}},
      {"interface 0x25: low bits 5", Q, {{121, {0x25}}, {122, Le16(7)}},
       {"\nSchnittstelle: unbekannt (0x25), Parameter 7\n"}, {}},
      {"temperature is signed", Q, {{124, {0xFB}}}, {text::kTemperatureMinus5}, {}},
      {"variant line", Q, {}, {text::kQ1VariantLine + separator + "Betriebsmodus: "}, {}},
      {"M00 of 0", Q, {{158, Le16(0)}}, {text::kResolutionUnknown0 + separator}, {}},
      {"equal calibration counts", Q, {{150, {0, 0, 0, 0}}, {154, {0, 0, 0, 0}}},
       {"Counter 0: 13, Counter 1:---  [psec]"}, {}},
      {"period 0", Q, {{162, Le16(0)}}, {"Counter 0:  0, Counter 1:  0  [psec]\n"}, {}},
      {"variant and sensor number", Q, {{112, {9}}, {132, {3}}},
       {"\nKVT-Variante: 9, Sensornummer: 3\nRolle im Sensorverbund: Slave (Sensor 3)\n"}, {}},
      {"ends with the separator without line feed", Q, {},
       {"\nBandkontrolle: ausgeschaltet\n" + std::string(77, '*') + AddressLine(Q, 0)}, {}},
  };
  std::map<BYTE, TelegramRecord> device;
  for (const auto &[type, config] : {std::pair<BYTE, const char *>{K, "device=kvt"}, {P, "device=pxd"},
                                     {Q, "device=kvtq1;variant=4"}}) {
    device[type] = OpenDriver(config).Exchange(type, 0x31);
  }
  RunSession("", [&](const Descriptor &d) {
    BYTE target = K;
    for (const StatusCase &c : cases) {
      SCOPED_TRACE(c.name);
      if (c.type != target) SetTarget(d, TypeText(target = c.type), "0");
      TelegramRecord answer = device[c.type];
      for (const Edit &e : c.edits) std::copy(e.bytes.begin(), e.bytes.end(), answer.begin() + e.at);
      SimReset();
      QueueAnswer(answer);
      const std::string report = RunEntry(d, {13}).text;
      for (const std::string &piece : c.present) {
        EXPECT_NE(report.find(piece), std::string::npos) << "missing " << Escaped(piece) << "\n  in " << Escaped(report);
      }
      for (const std::string &piece : c.absent) EXPECT_EQ(report.find(piece), std::string::npos) << Escaped(piece);
    }
  });
}

TelegramRecord ErrorAnswer(unsigned count, std::vector<std::pair<BYTE, BYTE>> entries) {
  TelegramRecord answer = Answer(0xB2, {static_cast<BYTE>(entries.size())});
  PutWord(answer, kRecCount, count);
  for (std::size_t k = 0; k < entries.size(); ++k) {
    answer[10 + 2 * k] = entries[k].first;
    answer[11 + 2 * k] = entries[k].second;
  }
  return answer;
}

// The answer's count decides how many entries are shown; the target decides
// whose numbers the words are.
TEST(Reports, ErrorMemory) {
  const std::vector<std::pair<BYTE, BYTE>> four = {{1, 12}, {2, 7}, {3, 123}, {1, 5}};
  const std::string one = text::kErrorSupplyLow;
  const std::string two = one + text::kErrorMirrorSpeed;
  const std::string three = two + "\n(123) Fehlerart: schwerer Fehler - unbekannte Fehlernummer 123";
  const std::string pxd75 = text::kErrorPxd75;
  const std::string kvt75 = "\n(75) Fehlerart: Fehler - unbekannte Fehlernummer 75";
  const struct {
    const char *name;
    const char *type;
    Entry entry;
    Script answers;
    std::string text;  // before the address line
  } cases[] = {
      {"count 0 shows one", "KVT", {14}, {ErrorAnswer(0, four)}, one},
      {"count 4 shows two", "KVT", {14}, {ErrorAnswer(4, four)}, two},
      {"count 6 shows three", "KVT", {14}, {ErrorAnswer(6, four)}, three},
      {"a KVT-Q1 has the sensors' numbers", "KVTQ1", {14}, {ErrorAnswer(3, {{2, 75}})}, kvt75},
      {"a PXD has its own", "PXD", {14}, {ErrorAnswer(3, {{2, 75}})}, pxd75},
      {"the whole-system test through a PXD has the sensors' numbers", "PXD", {15, 0x4C},
       {ErrorAnswer(3, {{2, 75}}), ErrorAnswer(3, {{2, 75}})}, kvt75},
  };
  RunSession("", [&](const Descriptor &d) {
    for (const auto &c : cases) {
      SCOPED_TRACE(c.name);
      SetTarget(d, c.type, "9");
      SimReset();
      Queue(c.answers);
      const BYTE type = std::string(c.type) == "PXD" ? kDevicePxd : std::string(c.type) == "KVT" ? kDeviceKvt
                                                                                                  : kDeviceKvtQ1;
      EXPECT_EQ(Escaped(RunEntry(d, c.entry).text), Escaped(c.text + AddressLine(type, 9)));
    }
  });
}

TEST(Reports, SensorType) {
  TelegramRecord answer = Answer(0xBA);
  const std::string type = "ABCDEFGHIJKLMNOP";  // two 8-byte fields without terminators
  std::copy(type.begin(), type.end(), answer.begin() + 9);
  std::fill(answer.begin() + 25, answer.end(), BYTE{'x'});
  RunSession("", [&](const Descriptor &d) {
    QueueAnswer(answer);
    EXPECT_EQ(Escaped(RunEntry(d, {164}).text),
              Escaped("Sensortyp: ABCDEFGH\nProgrammversion: IJKLMNOP\nBeschreibung: " + std::string(100, 'x') +
                      AddressLine(kDeviceKvt, 0)));
  });
}

// Five sensors show four, a name without its zero 8 characters, a carriage
// return a blank, no field names; in a case the selector 1 brings its value
// onto its line.
TEST(Reports, InterfaceUnitAnswers) {
  TelegramRecord configuration = Answer(0xB8);
  const std::pair<std::size_t, std::string> configurationBytes[] = {
      {9, "\x05KVT-LINKSA\rB"}, {28, "X3"}, {37, "X4"},
      {46, std::string("\xB4\0\x64\0\x07\0\0\0\x32\0\x19\0\x33\0\x64\0", 16)},
      {62, std::string("\x02\x04\x02\x03\0", 5)}, {103, std::string("\x03\x02\x0A\0\x01\0\xFA\0\x05", 9)}};
  for (const auto &[at, run] : configurationBytes) std::copy(run.begin(), run.end(), configuration.begin() + at);
  TelegramRecord evaluationCase = Answer(0xB9);
  const std::string caseBytes("\x03TOR 3\0\0\0\0\x34\x12\x01\x02\x01\0\x81\x2C\x01\x0F\x02\0\x63\x05\x06\x0A\xAA"
                              "\x01\x01\x14\x01\x02\x03\x04\x01\x21\0\x07\x08\x09\x0B\x02\x2C", 43);
  std::copy(caseBytes.begin(), caseBytes.end(), evaluationCase.begin() + kRecData);
  RunSession("device=pxd", [&](const Descriptor &d) {
    QueueAnswer(configuration);
    ExpectGolden("tests/kvtidiag/answers/golden/pxd_configuration_edges.txt", RunEntry(d, {132}).text);
    QueueAnswer(evaluationCase);
    ExpectGolden("tests/kvtidiag/answers/golden/pxd_evaluation_case_selector.txt", RunEntry(d, {133, 0, {3}}).text);
  });
}

}  // namespace
}  // namespace kvt::test
