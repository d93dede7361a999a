// Memory dump, reference-target diagnosis, learn mode, calibration and the
// operating counters with scripted answers: request bytes, report texts and
// the edges of each layout; the manufacturing-code dialog's Cancel.
#include <gtest/gtest.h>

#include "kvtidiag/session.h"
#include "support/texts.h"

namespace kvt::test {
namespace {

using Placed = std::vector<std::pair<std::size_t, BYTE>>;

// Start 0x1234, n bytes counting from 0.
TelegramRecord Dump(BYTE n) {
  Bytes data{0x34, 0x12, 0, 0, n};
  for (BYTE i = 0; i < n; ++i) data.push_back(i);
  return Answer(0xB4, data);
}

// Ring entry k holds 100 + k, 200 + k, 300 + k, 400 + k from the start 11;
// record 0 has the key word 0xC1FF over 1, 2, 3 measured and 4, 5, 6 averaged.
TelegramRecord ReferenceTarget() {
  TelegramRecord record = Answer(0xAF, Bytes(674, 0));
  for (const auto &[at, value] : Placed{{17, 1}, {19, 2}, {21, 3}, {23, 4}, {25, 5}, {27, 6}, {585, 11}}) {
    PutWord(record, at, value);
  }
  PutWord(record, 29, 0xC1FF);
  for (unsigned k = 0; k < 12; ++k) {
    for (unsigned w = 0; w < 4; ++w) PutWord(record, 587 + 8 * k + 2 * w, 100 * (w + 1) + k);
  }
  return record;
}

const std::string kDumpHeader = "Anfangsadr.: 0x    1234;   Anzahl der Bytes:  ";
const std::string kLineOf0To15 = "  0;   1;   2;   3;   4;   5;   6;   7;   8;   9;  10;  11;  12;   13;  14;  15\n";
const std::string kPieces0To15 = "  0;   1;   2;   3;   4;   5;   6;   7;   8;   9;  10;  11;  12;  13;  14;  15; ";
const std::string kPieces16To31 = " 16;  17;  18;  19;  20;  21;  22;  23;  24;  25;  26;  27;  28;  29;  30;  31; ";

// Learn-mode data: sensor 3, field 2, name, letter F with unit 1, 180°, 0.25°.
const Bytes kLearnBlock = {3, 2, 'F', 'e', 'l', 'd', 0, 0, 0, 0, 0, 0x45, 180, 0, 0, 0, 25, 0, 0, 0};
const Placed kLearnBytes = {{9, 2}, {19, 0x45}, {20, 180}, {21, 0}, {22, 25}, {23, 0}, {24, 3}};

struct Case {
  const char *name;
  Entry entry;
  TelegramRecord answer;
  Placed sent;        // request bytes
  std::string text;   // before the address line
  bool whole = true;  // else the text only contains it
};

std::string Line() { return AddressLine(kDeviceKvt, 0); }

TEST(Service, RequestsAndReports) {
  Placed learnBegin = kLearnBytes;
  learnBegin.insert(learnBegin.end(), {{25, 0}, {26, 0x46}, {27, 0}, {28, 0}, {29, 0}});
  const Bytes five = {5, 0, 0, 0, 0, 0, 0, 0};
  const Case cases[] = {
      {"dump of 0 bytes: the header alone", {16, 65535, {0x34, 0x12, 0, 0, 0, 9, 9, 9}}, Dump(0),
       {{8, 0x34}, {9, 0x34}, {10, 0x12}, {11, 0}, {12, 0}, {13, 0}}, kDumpHeader + "  0;\n"},
      {"dump of 16 bytes: pieces only", {16, 65535, {0, 0, 0, 0, 16, 0, 0, 0}}, Dump(16), {{13, 16}},
       kDumpHeader + " 16;\n" + kPieces0To15},
      {"dump of 17 bytes: a line and a piece", {16, 65535, {0, 0, 0, 0, 17, 0, 0, 0}}, Dump(17), {},
       kDumpHeader + " 17;\n" + kLineOf0To15 + " 16; "},
      {"dump of 32 bytes: a line and sixteen pieces", {16, 65535, {0, 0, 0, 0, 32, 0, 0, 0}}, Dump(32), {},
       kDumpHeader + " 32;\n" + kLineOf0To15 + kPieces16To31},
      {"reference target: the ring from its start 11", {19, 65535, five}, ReferenceTarget(), {{8, 0x2F}, {9, 5}},
       "Temporal refence values:\n   111;      211;      311;      411\n   100;      200;      300;      400\n",
       false},
      {"reference target: key word 0xC1FF", {19, 65535, five}, ReferenceTarget(), {},
       "Aktuell gemessene Referenzwerte:\n255,75;  40;     1;     2;    3\n", false},
      {"reference target: averaged under the same key", {19, 65535, five}, ReferenceTarget(), {},
       "Gemittelte Referenzwerte:\n255,75;  40;     4;     5;    6\n", false},
      {"learn begin", {53, 0x3E, kLearnBlock}, Answer(0xC6, {3}), learnBegin,
       "Lernmodus ist aktiv, bitte Feld einlernen."},
      {"learn end", {53, 0x3F, kLearnBlock}, Answer(0xC6, {1}), {{25, 1}, {26, 0}},
       "Lernmodus erfolgreich beendet, Feld ist im Sensor gespeichert."},
      {"learn abort", {53, 0x40, kLearnBlock}, Answer(0xC6, {0}), {{25, 2}},
       "Lernmodus abgebrochen, Einlernen  NICHT korrekt abgeschlossen."},
      {"learn status 2", {53, 0x3E, kLearnBlock}, Answer(0xC6, {2}), {}, text::kWrongAnswer},
      {"manufacturing code", {54, 0xB7, {'8', '7', '6', '5', '4', '3', '2', '1', 0}}, Answer(0xD0, {0}),
       {{8, 0x50}, {9, 3}, {10, '8'}, {17, '1'}, {18, 0}}, text::kCalibrationNotDone},
      {"final-test calibration", {54, 0x99, {7, 0, 0, 0}}, Answer(0xD0, {5}), {{9, 7}}, text::kWrongAnswer},
      {"operating counters", {55}, AnswerWords(0xB5, 9, {103, 412}), {{8, 0x35}, {9, 0}},
       "Betriebsstunden: 103\n" + std::string(text::kPowerOns) + "412"},
  };
  RunSession("device=kvt", [&](const Descriptor &d) {
    for (const Case &c : cases) {
      SCOPED_TRACE(c.name);
      SimReset();
      QueueAnswer(c.answer);
      const EntryRun run = RunEntry(d, c.entry);
      EXPECT_TRUE(run.result);
      if (c.whole) {
        EXPECT_EQ(Escaped(run.text), Escaped(c.text + Line()));
      } else {
        EXPECT_NE(run.text.find(c.text), std::string::npos) << Escaped(run.text.substr(0, 600));
      }
      const std::vector<TelegramRecord> sent = SentRequests();
      ASSERT_EQ(sent.size(), 1u);
      for (const auto &[at, value] : c.sent) EXPECT_EQ(sent[0][at], value) << "request byte " << at;
    }
  });
}

TEST(Service, ParameterPhases) {
  RunSession("device=kvt", [](const Descriptor &d) {
    SimReset();
    QueueAnswer(Answer(0xD0, {1}));
    const EntryRun contamination = RunEntry(d, {54, 0x42, {}, 0, nullptr, Phase::kParameters});
    EXPECT_EQ(Escaped(contamination.text), Escaped(text::kCalibrationDone + Line())) << "sent all the same";
    ASSERT_EQ(SentRequests().size(), 1u);
    EXPECT_EQ(SentRequests()[0][9], 1);

    // The manufacturing code: Cancel names the rule; the block stays for the next attempt.
    const Bytes code = {'1', '1', '1', '1', '1', '1', '1', '1', 0};
    SimReset();
    const EntryRun cancelled = RunEntry(d, {54, 0xB7, code, 0, nullptr, Phase::kParameters},
                                        {{"Eingabe des Herstellungscodes", [](HWND dialog) { Key(dialog, VK_ESCAPE); }}});
    EXPECT_FALSE(cancelled.result);
    ASSERT_EQ(cancelled.ui.boxes.size(), 1u);
    EXPECT_EQ(cancelled.ui.boxes[0].text, "Falsche Eingabe! \nHerstellcode muss aus 8 Ziffern bestehen.");
    EXPECT_TRUE(cancelled.ui.boxes[0].plain);
    EXPECT_TRUE(cancelled.sameBlock);
    EXPECT_EQ(cancelled.text, kBefore) << "no text, no address line";
    const EntryRun confirmed = RunEntry(d, {54, 0xB7, code, 0, nullptr, Phase::kParameters},
                                        {{"Eingabe des Herstellungscodes", [](HWND dialog) {
                                            SetText(dialog, 1004, "11223344");
                                            Click(dialog, IDOK);
                                          }}});
    EXPECT_TRUE(confirmed.result);
    EXPECT_EQ(confirmed.text, kBefore);
    EXPECT_EQ(confirmed.block, (Bytes{'1', '1', '2', '2', '3', '3', '4', '4', 0}));
    EXPECT_EQ(SimRequestCount(), 0u);
  });
}

}  // namespace
}  // namespace kvt::test
