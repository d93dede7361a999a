// Memory dump, reference-target diagnosis, learn mode, calibration and the
// operating counters with scripted answers: request bytes, report texts and
// the edges of each layout; the manufacturing-code dialog's Cancel.
#include <gtest/gtest.h>

#include "dialog_script.h"
#include "entry_call.h"
#include "kvt/simcontrol.h"
#include "support/records.h"

namespace kvt::test {
namespace {

using Bytes = std::vector<std::pair<std::size_t, BYTE>>;

// Start 0x1234, n bytes counting from 0.
TelegramRecord Dump(BYTE n) {
  std::vector<BYTE> data{0x34, 0x12, 0, 0, n};
  for (BYTE i = 0; i < n; ++i) data.push_back(i);
  return Answer(0xB4, data);
}

TelegramRecord WithWords(TelegramRecord record, std::initializer_list<std::pair<std::size_t, unsigned>> words) {
  for (const auto &[at, value] : words) PutWord(record, at, value);
  return record;
}

// Ring entry k holds 100 + k, 200 + k, 300 + k, 400 + k; record 0 has the
// key word 0xC1FF over 1, 2, 3 measured and 4, 5, 6 averaged.
TelegramRecord ReferenceTarget() {
  TelegramRecord record = WithWords(Answer(0xAF, std::vector<BYTE>(674, 0)),
                                    {{17, 1}, {19, 2}, {21, 3}, {23, 4}, {25, 5}, {27, 6}, {29, 0xC1FF}, {585, 11}});
  for (unsigned k = 0; k < 12; ++k) {
    for (unsigned w = 0; w < 4; ++w) PutWord(record, 587 + 8 * k + 2 * w, 100 * (w + 1) + k);
  }
  return record;
}

const std::string kDumpHeader = "Anfangsadr.: 0x    1234;   Anzahl der Bytes:  ";
const std::string kLineOf0To15 = "  0;   1;   2;   3;   4;   5;   6;   7;   8;   9;  10;  11;  12;   13;  14;  15\n";
const std::string kPieces0To15 = "  0;   1;   2;   3;   4;   5;   6;   7;   8;   9;  10;  11;  12;  13;  14;  15; ";
const std::string kPieces16To31 = " 16;  17;  18;  19;  20;  21;  22;  23;  24;  25;  26;  27;  28;  29;  30;  31; ";
const std::string kWrong = "Falscher Betriebsmode (NACK-Telegramm) oder falsches Antwortelegramm erhalten!";

// Learn-mode data: sensor 3, field 2, name, letter F with unit 1, 180°, 0.25°.
const std::vector<BYTE> kLearnBlock = {3, 2, 'F', 'e', 'l', 'd', 0, 0, 0, 0, 0, 0x45, 180, 0, 0, 0, 25, 0, 0, 0};
const Bytes kLearnBytes = {{9, 2}, {19, 0x45}, {20, 180}, {21, 0}, {22, 25}, {23, 0}, {24, 3}};

struct Case {
  const char *name;
  WORD handler;
  WORD telegram;
  std::vector<BYTE> block;
  TelegramRecord answer;
  Bytes sent;        // request bytes
  std::string text;  // before the address line
  bool whole = true;  // else the text only contains it
};

class Service : public ::testing::Test {
 protected:
  SimulatedSensor sensor;
};

TEST_F(Service, RequestsAndReports) {
  Bytes learnBegin = kLearnBytes;
  learnBegin.insert(learnBegin.end(), {{25, 0}, {26, 0x46}, {27, 0}, {28, 0}, {29, 0}});
  const Case cases[] = {
      {"dump of 0 bytes: the header alone", 16, 0, {0x34, 0x12, 0, 0, 0, 9, 9, 9}, Dump(0),
       {{8, 0x34}, {9, 0x34}, {10, 0x12}, {11, 0}, {12, 0}, {13, 0}}, kDumpHeader + "  0;\n"},
      {"dump of 16 bytes: pieces only", 16, 0, {0, 0, 0, 0, 16, 0, 0, 0}, Dump(16), {{13, 16}},
       kDumpHeader + " 16;\n" + kPieces0To15},
      {"dump of 17 bytes: a line and a piece", 16, 0, {0, 0, 0, 0, 17, 0, 0, 0}, Dump(17), {},
       kDumpHeader + " 17;\n" + kLineOf0To15 + " 16; "},
      {"dump of 32 bytes: a line and sixteen pieces", 16, 0, {0, 0, 0, 0, 32, 0, 0, 0}, Dump(32), {},
       kDumpHeader + " 32;\n" + kLineOf0To15 + kPieces16To31},
      {"reference target: the ring from its start 11", 19, 0, {5, 0, 0, 0, 0, 0, 0, 0}, ReferenceTarget(),
       {{8, 0x2F}, {9, 5}},
       "Temporal refence values:\n   111;      211;      311;      411\n   100;      200;      300;      400\n",
       false},
      {"reference target: key word 0xC1FF", 19, 0, {5, 0, 0, 0, 0, 0, 0, 0}, ReferenceTarget(), {},
       "Aktuell gemessene Referenzwerte:\n255,75;  40;     1;     2;    3\n", false},
      {"reference target: averaged under the same key", 19, 0, {5, 0, 0, 0, 0, 0, 0, 0}, ReferenceTarget(), {},
       "Gemittelte Referenzwerte:\n255,75;  40;     4;     5;    6\n", false},
      {"learn begin", 53, 0x3E, kLearnBlock, Answer(0xC6, {3}), learnBegin,
       "Lernmodus ist aktiv, bitte Feld einlernen."},
      {"learn end", 53, 0x3F, kLearnBlock, Answer(0xC6, {1}), {{25, 1}, {26, 0}},
       "Lernmodus erfolgreich beendet, Feld ist im Sensor gespeichert."},
      {"learn abort", 53, 0x40, kLearnBlock, Answer(0xC6, {0}), {{25, 2}},
       "Lernmodus abgebrochen, Einlernen  NICHT korrekt abgeschlossen."},
      {"learn status 2", 53, 0x3E, kLearnBlock, Answer(0xC6, {2}), {}, kWrong},
      {"manufacturing code", 54, 0xB7, {'8', '7', '6', '5', '4', '3', '2', '1', 0}, Answer(0xD0, {0}),
       {{8, 0x50}, {9, 3}, {10, '8'}, {17, '1'}, {18, 0}}, "Abgleich konnte NICHT durchgef\xFChrt werden."},
      {"final-test calibration", 54, 0x99, {7, 0, 0, 0}, Answer(0xD0, {5}), {{9, 7}}, kWrong},
      {"operating counters", 55, 0xFFFF, {}, WithWords(Answer(0xB5, {0, 0, 0, 0}), {{9, 103}, {11, 412}}),
       {{8, 0x35}, {9, 0}}, "Betriebsstunden: 103\nAnzahl Einschaltvorg\xE4nge: 412"},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.name);
    SimReset();
    QueueAnswer(c.answer);
    EntryCall entry(c.handler, c.telegram);
    if (!c.block.empty()) entry.Give(c.block);
    EXPECT_TRUE(entry.Call(false));
    if (c.whole) {
      EXPECT_EQ(Escaped(entry.Text()), Escaped(c.text + kKvtAddressLine));
    } else {
      EXPECT_NE(entry.Text().find(c.text), std::string::npos) << Escaped(entry.Text().substr(0, 600));
    }
    const std::vector<TelegramRecord> sent = SentRequests();
    ASSERT_EQ(sent.size(), 1u);
    for (const auto &[at, value] : c.sent) EXPECT_EQ(sent[0][at], value) << "request byte " << at;
  }
}

TEST_F(Service, ContaminationCalibrationIsSentInTheParameterPhase) {
  QueueAnswer(Answer(0xD0, {1}));
  EntryCall entry(54, 0x42);
  EXPECT_TRUE(entry.Call(true));
  EXPECT_EQ(Escaped(entry.Text()), Escaped("Abgleich durchgef\xFChrt." + kKvtAddressLine));
  ASSERT_EQ(SentRequests().size(), 1u);
  EXPECT_EQ(SentRequests()[0][9], 1);
}

TEST_F(Service, CancelledManufacturingCodeKeepsItsBlock) {
  EntryCall entry(54, 0xB7);
  const ScriptRun cancelled =
      RunDialog([&] { return entry.Call(true); }, [](HWND dialog) { PostPress(dialog, Press::kCancelButton); });
  EXPECT_EQ(cancelled.result, FALSE);
  EXPECT_EQ(cancelled.boxes, std::vector<std::string>{"Falsche Eingabe! \nHerstellcode muss aus 8 Ziffern bestehen."});
  const ULONG_PTR block = entry.request[kReqParamBlock];
  ASSERT_NE(block, 0u);
  EXPECT_EQ(entry.request[kReqParamLength], 9u);
  const ScriptRun confirmed = RunDialog([&] { return entry.Call(true); }, [](HWND dialog) {
    SetDlgItemTextA(dialog, 1004, "11223344");
    PostPress(dialog, Press::kOkButton);
  });
  EXPECT_EQ(confirmed.result, TRUE);
  EXPECT_TRUE(confirmed.boxes.empty());
  EXPECT_EQ(entry.request[kReqParamBlock], block) << "the block is used again";
  EXPECT_EQ(std::string(reinterpret_cast<const char *>(block)), "11223344");
  EXPECT_EQ(entry.Text(), "") << "no text, no address line";
  EXPECT_TRUE(SentRequests().empty());
}

}  // namespace
}  // namespace kvt::test
