// Protective fields through DiagCommandProc: the request of every field
// kind from a given block, the report of what the device took over, the
// stored field read back, and a field defined and read back on the
// simulated device.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "entry/entry.h"
#include "kvt/bytes.h"
#include "kvt/simcontrol.h"
#include "support/escaped.h"
#include "support/records.h"

namespace kvt {
namespace {

using test::Escaped;

struct Outcome {
  BOOL result;
  std::string text;
  ULONG_PTR status;
};

Outcome Call(WORD handler, WORD telegram, const std::vector<BYTE> &block) {
  std::string text(65536, '\0');
  CommandRequest request{};
  request[kReqHandler] = handler;
  request[kReqTelegram] = telegram;
  request[kReqResultText] = reinterpret_cast<ULONG_PTR>(text.data());
  request[kReqCapacity] = text.size();
  BYTE *copy = static_cast<BYTE *>(std::malloc(block.size()));
  std::copy(block.begin(), block.end(), copy);
  request[kReqParamBlock] = reinterpret_cast<ULONG_PTR>(copy);
  request[kReqParamLength] = block.size();
  const BOOL result = DiagCommandProc(nullptr, request.data());
  std::free(copy);
  return {result, text.c_str(), request[kReqStatus]};
}

// "02 42 B4" as bytes.
std::vector<BYTE> Hex(const char *text) {
  std::vector<BYTE> bytes;
  for (char *end; *text; text = end) bytes.push_back(static_cast<BYTE>(std::strtoul(text, &end, 16)));
  return bytes;
}

// A block with 16-bit values at given offsets; 0 elsewhere.
std::vector<BYTE> Block(std::size_t size, std::vector<std::pair<std::size_t, WORD>> words,
                        std::vector<std::pair<std::size_t, BYTE>> bytes = {}) {
  std::vector<BYTE> block(size);
  for (const auto &[at, value] : words) PutWord(block, at, value);
  for (const auto &[at, value] : bytes) block[at] = value;
  return block;
}

TelegramRecord AnswerWords(BYTE code, std::vector<std::pair<std::size_t, WORD>> words,
                           std::vector<std::pair<std::size_t, BYTE>> bytes) {
  TelegramRecord answer = test::AnswerWith(code, bytes);
  for (const auto &[at, value] : words) PutWord(answer, at, value);
  return answer;
}

const std::string kAddressLine = "\nBei der Kommunikation benutzte Adresse   0  mit Zielger\xE4t  KVT.\n\n";
const std::string kTakenOver = "Felddaten erhalten und \xFC" "bernommen!\n";
const std::string kRectangle = "\xDC" "berwachungsbereich: Rechteckiger \xDC" "berwachungsbereich\n ";
const std::string kSegmented = "\xDC" "berwachungsbereich: Segmentierter \xDC" "berwachungsbereich\n";

class FieldCommandsTest : public ::testing::Test {
 protected:
  test::SimulatedSensor sensor;
  void SetUp() override { kvt::Run().target = {kDeviceKvt, 0}; }
};

TEST_F(FieldCommandsTest, EachFieldKindPlacesItsBlockAndAStatus0EndsWithMessage90) {
  struct Case {
    const char *name;
    WORD telegram;
    std::vector<BYTE> block;
    BYTE command;
    std::size_t from;
    const char *bytes;  // request bytes from there on
  };
  // Field configuration block: unit 0, number 1, code 11, angle 12, single
  // shot 16, then the values in 32 bits from 24.
  const auto field = [](std::vector<std::pair<std::size_t, WORD>> values) {
    values.insert(values.end(), {{12, 180}, {16, 50}});
    return Block(1636, values, {{1, 2}, {11, 0x42}});
  };
  std::vector<BYTE> rows(688);
  for (std::size_t at = 28; at < 688; at += 2) PutWord(rows, at, 0x0100 + at / 2);
  PutWord(rows, 88, 0);  // a zero in row 1
  const Case cases[] = {
      {"rectangle", 0x2A, field({{24, 30}, {28, 40}, {32, 50}}), 0x40, 9,
       "02 42 B4 00 32 00 00 00 00 00 00 00 00 1E 00 28 00 32 00"},
      {"radial", 0x2B, field({{24, 111}, {28, 40}}), 0x40, 9,
       "02 42 B4 00 32 00 01 00 00 00 00 00 00 6F 00 00 00"},
      {"segmented, three segments", 0x2C, field({{24, 3}, {28, 0x8123}, {32, 0x0123}, {36, 0}, {40, 60}, {44, 70}}), 0x40,
       9, "02 42 B4 00 32 00 02 00 00 00 00 00 00 03 00 23 81 23 81 00 80 3C 80 00 00"},
      {"dynamic rectangle", 0x9E, Block(260, {{2, 180}, {4, 50}, {6, 0xFFFF}, {12, 15}, {258, 0x1234}}, {{0, 1}, {1, 0x41}}),
       0x48, 9, "01 41 B4 00 32 00 00 00 00 00 00 00 0F 00 00 00"},
      {"dynamic rectangle, its last byte", 0x9E, Block(260, {{258, 0x1234}}), 0x48, 267, "34 12"},
      {"dynamic segmented, corners and count", 0x9F, Block(688, {{2, 100}, {4, 25}, {6, 0}, {8, 0x8123}, {26, 5}}), 0x4B,
       11, "64 00 19 00 00 80 23 81 00 80 00 80 00 80 00 80 00 80 00 80 00 80 00 80 05 00"},
      {"dynamic segmented, row 0 unmarked, rows 1-10 marked", 0x9F, rows, 0x4B, 93, "2A 01 2B 01 00 80 2D 81"},
      {"dynamic segmented, its last word", 0x9F, rows, 0x4B, 695, "57 82 00 00"},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.name);
    SimReset();
    test::QueueAnswer(test::Answer(static_cast<BYTE>(c.command + 0x80), {0}));
    const Outcome outcome = Call(18, c.telegram, c.block);
    const auto sent = test::SentRequests();
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0][kRecCode], c.command);
    const std::vector<BYTE> expected = Hex(c.bytes);
    EXPECT_EQ(std::vector<BYTE>(sent[0].begin() + c.from, sent[0].begin() + c.from + expected.size()), expected);
    EXPECT_EQ(Escaped(outcome.text), Escaped("Konfiguration von FeldA abgebrochen.\n" + kAddressLine));
    EXPECT_TRUE(outcome.result);
  }
}

TEST_F(FieldCommandsTest, TheReportNamesWhatTheDeviceTookOver) {
  struct Case {
    const char *name;
    WORD telegram;
    TelegramRecord answer;
    std::string text;
  };
  const Case cases[] = {
      {"rectangle, field F in mm", 0x2A, AnswerWords(0xC0, {{26, 30}, {28, 40}, {30, 50}}, {{9, 1}, {10, 3}, {20, 0x45}}),
       "Feldnummer:  3 \nFeldart F\nEinheit der Messwerte ist mm.\n" + kTakenOver + kRectangle +
           "Linksabstand:   30 , Rechtsabstand   40 , H\xF6he   50 "},
      {"radial, no letter and no unit for kind 6 and unit 3", 0x2B, AnswerWords(0xC0, {{26, 111}}, {{9, 1}, {10, 1}, {20, 0xC6}}),
       "Feldnummer:  1 \n" + kTakenOver + "\xDC" "berwachungsbereich: Radialer \xDC" "berwachungsbereich\n Radius  111 "},
      {"segmented, five corners on one line", 0x2C,
       AnswerWords(0xC0, {{26, 4}, {28, 0x8123}, {30, 0x0123}, {32, 7}, {34, 0xFFFF}, {36, 60}}, {{9, 1}, {10, 2}, {20, 0x81}}),
       "Feldnummer:  2 \nFeldart B\nEinheit der Messwerte ist 10 cm.\n" + kTakenOver +
           kSegmented + "Anzahl d. Segmente  4; Anzahl d. Eckpunkte  5; \nUI 291;    291;      7;UI8191;     60;"},
      {"dynamic rectangle", 0x9E, AnswerWords(0xC8, {{22, 15}, {24, 20}, {26, 25}, {28, 99}}, {{9, 1}, {10, 4}}),
       "Feldnummer:  4 \n" + kTakenOver + kRectangle + "Linksabstand:   15 , Rechtsabstand   20 , H\xF6he   25 "},
      {"dynamic segmented", 0x9F, AnswerWords(0xCB, {{22, 15}}, {{9, 1}, {10, 1}}),
       "Feldnummer:  1 \n" + kTakenOver + kRectangle},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.name);
    SimReset();
    test::QueueAnswer(c.answer);
    const Outcome outcome = Call(18, c.telegram, std::vector<BYTE>(1636));
    EXPECT_EQ(Escaped(outcome.text), Escaped(c.text + kAddressLine));
  }
}

TEST_F(FieldCommandsTest, AStoredFieldIsDescribedWithItsValues) {
  struct Case {
    const char *name;
    WORD telegram;
    BYTE letter;  // request byte 10
    TelegramRecord answer;
    std::string text;  // after the field number line
  };
  TelegramRecord taught = AnswerWords(0xC5, {{20, 180}, {22, 50}, {24 + 2 * 360, 7}}, {{9, 1}, {19, 0x03}});
  for (std::size_t i = 0; i < 360; ++i) PutWord(taught, 24 + 2 * i, 0x8000 | 5);
  const std::string taughtRow = "UI   5;UI   5;UI   5;UI   5;UI   5;UI   5;UI   5;UI   5;\n";
  std::string taughtRows;
  for (int row = 0; row < 45; ++row) taughtRows += taughtRow;
  const Case cases[] = {
      {"kind 7 is radial", 0x9C, 1, AnswerWords(0xC5, {{20, 100}, {22, 25}, {24, 111}}, {{9, 1}, {19, 0x47}}),
       "Feldart B\nScanwinkel:  100 Grad.\nEinzelschu\xDF in 1/100 Grad:   25.\nEinheit der Messwerte ist mm.\n"
       "\xDC" "berwachungsbereich: Radialer \xDC" "berwachungsbereich\n Radius  111 "},
      {"segmented, seven segments fill one row", 0x9D, 2,
       AnswerWords(0xC5, {{20, 180}, {22, 50}, {24, 7}, {26, 0x8123}, {40, 9}}, {{9, 2}, {19, 0x02}}),
       "Feldart C\nScanwinkel:  180 Grad.\nEinzelschu\xDF in 1/100 Grad:   50.\nEinheit der Messwerte ist cm.\n"
       + kSegmented + "Anzahl d. Segmente  7; Anzahl d. Eckpunkte  8; \nUI 291;      0;      0;      0;      0;      0;      0;      9;\n"},
      {"taught-in, 361 values", 0xC9, 3, taught,
       "Feldart D\nScanwinkel:  180 Grad.\nEinzelschu\xDF in 1/100 Grad:   50.\nEinheit der Messwerte ist cm.\n"
       "\xDC" "berwachungsbereich: Eingelerntes Feld\n " + taughtRows + "      7;"},
      {"dynamic rectangle", 0xCA, 4, AnswerWords(0xC5, {{24, 15}, {26, 20}, {28, 25}, {30, 5}}, {{9, 1}, {19, 0x44}}),
       "Feldart E\nScanwinkel:    0 Grad.\nEinzelschu\xDF in 1/100 Grad:    0.\nEinheit der Messwerte ist mm.\n"
       "Dynamisches rechteckiges FeldLinksabstand:   15 , Rechtsabstand   20 , H\xF6he   25 "
       "Anzahl g\xFCltiger Tabelleneintr\xE4ge [1-10]:"},
      {"dynamic segmented", 0xCB, 5, AnswerWords(0xC5, {{44, 5}}, {{9, 1}, {19, 0x85}}),
       "Feldart F\nScanwinkel:    0 Grad.\nEinzelschu\xDF in 1/100 Grad:    0.\nEinheit der Messwerte ist 10 cm.\n"
       "Dynamisches segmentiertes FeldAnzahl g\xFCltiger Tabelleneintr\xE4ge [1-10]:"},
      {"kind 18 ends after the unit line", 0x9B, 0, AnswerWords(0xC5, {{24, 30}}, {{9, 1}, {19, 0x12}}),
       "Feldart A\nScanwinkel:    0 Grad.\nEinzelschu\xDF in 1/100 Grad:    0.\nEinheit der Messwerte ist cm.\n"},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.name);
    SimReset();
    test::QueueAnswer(c.answer);
    const Outcome outcome = Call(17, c.telegram, {c.answer[9], 0, 0, 0});
    EXPECT_FALSE(outcome.result);
    const std::string number = "Feldnummer:  " + std::to_string(c.answer[9]) + " \n";
    EXPECT_EQ(Escaped(outcome.text), Escaped(number + c.text));
    const auto sent = test::SentRequests();
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0][kRecCode], 0x45);
    EXPECT_EQ(sent[0][9], c.answer[9]);
    EXPECT_EQ(sent[0][10], c.letter);
  }
}

TEST_F(FieldCommandsTest, AStoredFieldRequestThatFailsEndsWithoutAnAddressLine) {
  test::QueueNoAnswer();
  Outcome outcome = Call(17, 0x9B, {1, 0, 0, 0});
  EXPECT_EQ(outcome.text, "Kommunikation mit dem Sensor nicht in Ordnung !");
  EXPECT_EQ(outcome.status, 255u);
  EXPECT_FALSE(outcome.result);
  test::QueueAnswer(test::Answer(0x15, {0x45}));
  outcome = Call(17, 0x9B, {1, 0, 0, 0});
  EXPECT_EQ(outcome.text, "Falscher Betriebsmode (NACK-Telegramm) oder falsches Antwortelegramm erhalten!");
  EXPECT_FALSE(outcome.result);
}

TEST_F(FieldCommandsTest, AFieldDefinedOnTheDeviceIsWhatTheReadBackShows) {
  // Field C of set 2 in mm: 2 segments, three corners.
  std::vector<BYTE> block = Block(1636, {{12, 100}, {16, 25}, {24, 2}, {28, 1500}, {32, 1600}, {36, 1700}}, {{1, 2}, {11, 0x42}});
  const Outcome defined = Call(18, 0x2C, block);
  EXPECT_EQ(Escaped(defined.text),
            Escaped("Feldnummer:  2 \nFeldart C\nEinheit der Messwerte ist mm.\n" + kTakenOver +
                    kSegmented + "Anzahl d. Segmente  2; Anzahl d. Eckpunkte  3; \nUI1500;UI1600;UI1700;" + kAddressLine));
  const Outcome read = Call(17, 0x9D, {2, 0, 0, 0});
  EXPECT_EQ(Escaped(read.text),
            Escaped("Feldnummer:  2 \nFeldart C\nScanwinkel:  100 Grad.\nEinzelschu\xDF in 1/100 Grad:   25.\n"
                    "Einheit der Messwerte ist mm.\n" + kSegmented + "Anzahl d. Segmente  2; Anzahl d. Eckpunkte  3; \n"
                    "UI1500;UI1600;UI1700;"));
}

}  // namespace
}  // namespace kvt
