// Protective fields through the descriptor: the request of every field kind
// from a given block, the report of what the device took over, stored
// fields read back, and a field defined in its dialog and read back from
// the simulated device.
#include <gtest/gtest.h>

#include <cstdlib>

#include "kvtidiag/session.h"
#include "support/texts.h"

namespace kvt::test {
namespace {

using Placed = std::initializer_list<std::pair<std::size_t, unsigned>>;

// "02 42 B4" as bytes.
Bytes HexBytes(const char *text) {
  Bytes bytes;
  for (char *end; *text; text = end) bytes.push_back(static_cast<BYTE>(std::strtoul(text, &end, 16)));
  return bytes;
}

// A block of zeros with 16-bit words and single bytes put in.
Bytes Block(std::size_t size, Placed words, Placed bytes = {}) {
  Bytes block(size);
  for (const auto &[at, value] : words) PutWord(block, at, value);
  for (const auto &[at, value] : bytes) block[at] = static_cast<BYTE>(value);
  return block;
}

TelegramRecord Reply(BYTE code, Placed words, std::initializer_list<std::pair<std::size_t, BYTE>> bytes) {
  TelegramRecord answer = AnswerWith(code, bytes);
  for (const auto &[at, value] : words) PutWord(answer, at, value);
  return answer;
}

const std::string kLine = AddressLine(kDeviceKvt, 0);

TEST(Fields, EachKindPlacesItsBlockAndAStatus0EndsWithMessage90) {
  // Field configuration block: number 2, code 0x42, angle 180, single shot 50, values in 32 bits from 24.
  const auto field = [](Placed values) {
    Bytes block = Block(1636, values, {{1, 2}, {11, 0x42}});
    PutWord(block, 12, 180), PutWord(block, 16, 50);
    return block;
  };
  Bytes rows(688);
  for (std::size_t at = 28; at < 688; at += 2) PutWord(rows, at, 0x0100 + at / 2);
  PutWord(rows, 88, 0);  // a zero in row 1
  const struct {
    const char *name;
    WORD telegram;
    Bytes block;
    BYTE command;
    std::size_t from;
    const char *bytes;  // request bytes from there on
  } cases[] = {
      {"rectangle", 0x2A, field({{24, 30}, {28, 40}, {32, 50}}), 0x40, 9,
       "02 42 B4 00 32 00 00 00 00 00 00 00 00 1E 00 28 00 32 00"},
      {"radial", 0x2B, field({{24, 111}, {28, 40}}), 0x40, 9, "02 42 B4 00 32 00 01 00 00 00 00 00 00 6F 00 00 00"},
      {"segmented, three segments", 0x2C, field({{24, 3}, {28, 0x8123}, {32, 0x0123}, {36, 0}, {40, 60}, {44, 70}}), 0x40,
       15, "02 00 00 00 00 00 00 03 00 23 81 23 81 00 80 3C 80 00 00"},
      {"dynamic rectangle", 0x9E, Block(260, {{2, 180}, {4, 50}, {6, 0xFFFF}, {12, 15}}, {{0, 1}, {1, 0x41}}), 0x48, 9,
       "01 41 B4 00 32 00 00 00 00 00 00 00 0F 00 00 00"},
      {"dynamic rectangle, its last byte", 0x9E, Block(260, {{258, 0x1234}}), 0x48, 267, "34 12"},
      {"dynamic segmented, corners and count", 0x9F, Block(688, {{2, 100}, {4, 25}, {8, 0x8123}, {26, 5}}), 0x4B, 11,
       "64 00 19 00 00 80 23 81 00 80 00 80 00 80 00 80 00 80 00 80 00 80 00 80 05 00"},
      {"dynamic segmented, row 0 unmarked, rows 1-10 marked", 0x9F, rows, 0x4B, 93, "2A 01 2B 01 00 80 2D 81"},
      {"dynamic segmented, its last word", 0x9F, rows, 0x4B, 695, "57 82 00 00"},
  };
  RunSession("device=kvt", [&](const Descriptor &d) {
    for (const auto &c : cases) {
      SCOPED_TRACE(c.name);
      SimReset();
      QueueAnswer(Answer(static_cast<BYTE>(c.command + 0x80), {0}));
      const EntryRun run = RunEntry(d, {18, c.telegram, c.block});
      const auto sent = SentRequests();
      ASSERT_EQ(sent.size(), 1u);
      EXPECT_EQ(sent[0][kRecCode], c.command);
      const Bytes expected = HexBytes(c.bytes);
      EXPECT_EQ(Hex(std::span(sent[0]).subspan(c.from, expected.size())), Hex(expected));
      EXPECT_EQ(Escaped(run.text), Escaped(text::kFieldAborted + kLine));
    }
  });
}

TEST(Fields, TheReportNamesWhatTheDeviceTookOver) {
  const std::string taken = std::string(kBefore) + "Feldnummer:  3 \n";
  const struct {
    const char *name;
    WORD telegram;
    TelegramRecord answer;
    std::string text;
  } cases[] = {
      {"rectangle, field F in mm", 0x2A, Reply(0xC0, {{26, 30}, {28, 40}, {30, 50}}, {{9, 1}, {10, 3}, {20, 0x45}}),
       taken + "Feldart F\n" + text::kUnitMm + text::kFieldTakenOver + text::kRectangularField +
           "Linksabstand:   30 , Rechtsabstand   40 , H\xF6he   50 "},
      {"radial: no letter for kind 6, no unit line for unit 3", 0x2B, Reply(0xC0, {{26, 111}}, {{9, 1}, {10, 3}, {20, 0xC6}}),
       taken + text::kFieldTakenOver + text::kRadialField + "Radius  111 "},
      {"segmented, five corners on one line", 0x2C,
       Reply(0xC0, {{26, 4}, {28, 0x8123}, {30, 0x0123}, {32, 7}, {34, 0xFFFF}, {36, 60}}, {{9, 1}, {10, 3}, {20, 0x81}}),
       taken + "Feldart B\n" + text::kUnit10cm + text::kFieldTakenOver + text::kSegmentedField +
           "Anzahl d. Segmente  4; Anzahl d. Eckpunkte  5; \nUI 291;    291;      7;UI8191;     60;"},
      {"dynamic rectangle", 0x9E, Reply(0xC8, {{22, 15}, {24, 20}, {26, 25}, {28, 99}}, {{9, 1}, {10, 3}}),
       taken + text::kFieldTakenOver + text::kRectangularField + "Linksabstand:   15 , Rechtsabstand   20 , H\xF6he   25 "},
      {"dynamic segmented", 0x9F, Reply(0xCB, {{22, 15}}, {{9, 1}, {10, 3}}),
       taken + text::kFieldTakenOver + text::kRectangularField},
  };
  RunSession("device=kvt", [&](const Descriptor &d) {
    for (const auto &c : cases) {
      QueueAnswer(c.answer);
      EXPECT_EQ(Escaped(RunEntry(d, {18, c.telegram, Bytes(1636)}).text), Escaped(c.text + kLine)) << c.name;
    }
  });
}

TEST(Fields, StoredFieldsAreDescribedWithTheirValuesWithoutAnAddressLine) {
  TelegramRecord taught = Reply(0xC5, {{20, 180}, {22, 50}, {24 + 2 * 360, 7}}, {{9, 1}, {19, 0x03}});
  for (std::size_t i = 0; i < 360; ++i) PutWord(taught, 24 + 2 * i, 0x8000 | 5);
  std::string taughtRows;
  for (int row = 0; row < 45; ++row) taughtRows += "UI   5;UI   5;UI   5;UI   5;UI   5;UI   5;UI   5;UI   5;\n";
  const std::string number = "Feldnummer:  1 \n";
  const std::string at180 = "Scanwinkel:  180 Grad.\nEinzelschu\xDF in 1/100 Grad:   50.\n";
  const std::string at0 = "Scanwinkel:    0 Grad.\nEinzelschu\xDF in 1/100 Grad:    0.\n";
  const std::optional<TelegramRecord> none;
  const struct {
    const char *name;
    WORD telegram;
    BYTE letter;  // request byte 10
    std::optional<TelegramRecord> answer;
    std::string text;
    ULONG_PTR status = 0;
  } cases[] = {
      {"kind 7 is radial", 0x9C, 1, Reply(0xC5, {{20, 180}, {22, 50}, {24, 111}}, {{9, 1}, {19, 0x47}}),
       number + "Feldart B\n" + at180 + text::kUnitMm + text::kRadialField + "Radius  111 "},
      {"segmented, seven segments fill one row", 0x9D, 2,
       Reply(0xC5, {{20, 180}, {22, 50}, {24, 7}, {26, 0x8123}, {40, 9}}, {{9, 1}, {19, 0x02}}),
       number + "Feldart C\n" + at180 + text::kUnitCm + text::kSegmentedField +
           "Anzahl d. Segmente  7; Anzahl d. Eckpunkte  8; \nUI 291;      0;      0;      0;      0;      0;      0;      9;\n"},
      {"taught-in, 361 values", 0xC9, 3, taught,
       number + "Feldart D\n" + at180 + text::kUnitCm + text::kTaughtField + taughtRows + "      7;"},
      {"dynamic rectangle", 0xCA, 4, Reply(0xC5, {{24, 15}, {26, 20}, {28, 25}, {30, 5}}, {{9, 1}, {19, 0x44}}),
       number + "Feldart E\n" + at0 + text::kUnitMm + "Dynamisches rechteckiges FeldLinksabstand:   15 , "
       "Rechtsabstand   20 , H\xF6he   25 " + text::kValidEntries},
      {"dynamic segmented", 0xCB, 5, Reply(0xC5, {{44, 5}}, {{9, 1}, {19, 0x85}}),
       number + "Feldart F\n" + at0 + text::kUnit10cm + "Dynamisches segmentiertes Feld" + text::kValidEntries},
      {"kind 18 ends after the unit line", 0x9B, 0, Reply(0xC5, {{24, 30}}, {{9, 1}, {19, 0x12}}),
       number + "Feldart A\n" + at0 + text::kUnitCm},
      {"no answer", 0x9B, 0, none, text::kCommFailure, 255},
      {"a refusal", 0x9B, 0, Answer(0x15, {0x45}), text::kWrongAnswer},
  };
  RunSession("device=kvt", [&](const Descriptor &d) {
    for (const auto &c : cases) {
      SCOPED_TRACE(c.name);
      SimReset();
      Queue({c.answer});
      const EntryRun run = RunEntry(d, {17, c.telegram, {1, 0, 0, 0}});
      EXPECT_FALSE(run.result);
      EXPECT_EQ(run.status, c.status);
      EXPECT_EQ(Escaped(run.text), Escaped(c.text));
      EXPECT_EQ(Differences(Request(kDeviceKvt, 0, 0x45, {1, c.letter}), SentRequests().at(0), 11), "");
    }
  });
}

TEST(Fields, AFieldDefinedInItsDialogIsWhatTheDeviceGivesBack) {
  RunSession("device=kvt", [](const Descriptor &d) {
    const EntryRun defined = RunEntry(d, {18, 0x2C, {}, 0, nullptr, Phase::kBoth},
                                      {{"Eingabe der Konfigurationsdaten in cm", [](HWND dialog) {
                                          const std::pair<int, const char *> typed[] = {
                                              {114, "2"}, {111, "2"}, {112, "1500,1600,1700"},
                                              {1036, "1"}, {1077, "c"}, {1079, "0.25"}};
                                          for (const auto &[control, text] : typed) SetText(dialog, control, text);
                                          Click(dialog, IDOK);
                                        }}});
    const std::string segments = std::string(text::kSegmentedField) +
                                 "Anzahl d. Segmente  2; Anzahl d. Eckpunkte  3; \nUI1500;UI1600;UI1700;";
    EXPECT_EQ(Escaped(defined.text), Escaped(std::string(kBefore) + "Feldnummer:  2 \nFeldart C\n" + text::kUnitMm +
                                             text::kFieldTakenOver + segments + kLine));
    const EntryRun read = RunEntry(d, {17, 0x9D, {}, 0, nullptr, Phase::kBoth},
                                   {{"Eingabe Feldnummer", [](HWND dialog) {
                                       SetText(dialog, 1145, "2");
                                       Click(dialog, IDOK);
                                     }}});
    EXPECT_EQ(Escaped(read.text), Escaped("Feldnummer:  2 \nFeldart C\nScanwinkel:  100 Grad.\n"
                                          "Einzelschu\xDF in 1/100 Grad:   25.\n" + std::string(text::kUnitMm) + segments));
  });
}

}  // namespace
}  // namespace kvt::test
