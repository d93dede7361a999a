// The table dialogs (learn-mode data, correction parameters, the
// distance-dependent correction table, final-test data, occupancy and
// conveyor-belt checks) through KVTIDIAG.DLL's exports with real window
// messages.
#include <gtest/gtest.h>

#include "kvtidiag/dialogs/dialog_cases.h"
#include "support/texts.h"

namespace kvt::test {
namespace {

const Dialog kLearn{"DialogLModeData", kNoSelector, 109, "LModeDataDlgProc", "Lernmodusdaten "};
const Dialog kCorrections{"DialogCorrDef", kNoSelector, 618, "CorrDefDlgProc", text::kCorrectionTitle};
const Dialog kDistances{"DialogDistCorrDef", kNoSelector, 618, "DistCorrDefDlgProc", text::kCorrectionTitle};
const Dialog kFinal{"DialogAssemblycheck", kNoSelector, 631, "AssemblycheckDlgProc", text::kFinalTestTitle};
const Dialog kOccupancy{"DialogRemDef", kNoSelector, 626, "RemDefDlgProc", text::kOccupancyTitle};
const Dialog kConveyor{"DialogConvDef", kNoSelector, 629, "RemDefDlgProc", text::kConveyorTitle};

constexpr BYTE E = kUntouched;
constexpr std::size_t kTableBlock = 804;
using enum Press;

// An 804-byte block: `words` from byte 0 on, the rest `fill`.
Bytes Table(std::initializer_list<unsigned> words, BYTE fill = E) {
  Bytes block = Words(words);
  block.resize(kTableBlock, fill);
  return block;
}

// A distance table as the device sends it: count, then the entries.
Bytes DistanceTable(const std::vector<int> &entries, unsigned count = 0) {
  Bytes block(kTableBlock, 0x11);
  PutWord(block, 0, count ? count : static_cast<unsigned>(entries.size()));
  for (std::size_t i = 0; i < entries.size(); ++i) PutWord(block, 2 + 2 * i, static_cast<unsigned>(entries[i]));
  return block;
}

Bytes With(Bytes block, std::initializer_list<std::pair<std::size_t, unsigned>> words) {
  for (const auto &[at, value] : words) PutWord(block, at, value);
  return block;
}

// The occupancy check's block as the device sent it: 0xAA 0xBB, seventeen
// words 2..34, the sum, then 0xCC.
Bytes CheckBlock(bool hold) {
  Bytes block(kTableBlock, 0xCC);
  block[0] = 0xAA;
  block[1] = 0xBB;
  for (unsigned at = 2; at <= 34; at += 2) PutWord(block, at, at * 3);
  PutWord(block, 22, hold ? 1 : 0);
  PutDword(block, 36, 123456);
  return block;
}

const std::vector<int> kTen = {1, 2, 3, 4, 5, 6, 7, 8, 9, -3};

TEST(TableDialogs, WhatEachShows) {
  std::vector<int> longTable;
  std::string longText;  // labels every fourth entry, 128 steps apart beyond 128 entries
  for (int i = 0; i < 130; ++i) {
    longTable.push_back(i - 65);
    if (i % 4 == 0) longText.append("'").append(std::to_string(i * 128 / 10)).append("cm':");
    longText.append(std::to_string(i - 65)).append(", ");
  }
  const std::string tenText = "'0cm':1, 2, 3, 4, '102cm':5, 6, 7, 8, '204cm':9, -3, ";
  const std::vector<Input> occupancy = {
      {1143, "Startwinkel [0-100]:", "6"},
      {1017, text::kShellLengthLabel, "18"},
      {1141, "Signal wird gehalten bis Ende der Schale", ""},
      {121, "Produktsumme der Differenzen:", "123456"},
  };
  const std::vector<Input> conveyor = {
      {1143, "Startwinkel [0-100]:", "6"},
      {1017, "Bandgeschw. [cm/sec]:", "18"},
      {121, "Produktsumme der relat. Differenzen", "123456"},
  };
  CheckLooks({
      // Each preset that leaves text limits the next input: 1069 to 1, the others to 8.
      {kLearn,
       {{1068, text::kLearnSensorLabel, "1", 1}, {1069, "Feldnummer:", "1", 1}, {1036, "Einheit:", "0", 1},
        {1080, "Feldart:", "A", 8}, {1081, "Scanwinkel:", "100", 8}, {1082, text::kLearnShotLabel, "0.5", 8}},
       {}, {1070}},
      // The definition shows its presets, not the block the device sent.
      {kCorrections, {{1104, "Anzahl der UINT-Parameter :", "6"}, {1079, "Parametersatz:", " 1,2,3,4,5,6", 1999}}, {}, {},
       DistanceTable(kTen)},
      {kDistances, {{1104, "Anzahl der UINT-Parameter :", "10"}, {1079, "Parametersatz:", tenText}}, {}, {},
       DistanceTable(kTen)},
      {kDistances, {{1104, "Anzahl der UINT-Parameter :", "130"}, {1079, "Parametersatz:", longText}}, {}, {},
       DistanceTable(longTable)},
      {kDistances, {{1104, "Anzahl der UINT-Parameter :", "257"}, {1079, "Parametersatz:", ""}}, {}, {},
       DistanceTable(kTen, 257)},
      {kFinal,
       {{1180, "Aktion:", "0"}, {1181, "Modus lesen [0] / schreiben [1]:", "0"}, {1182, text::kFinalLengthLabel, "0"},
        {1183, text::kFinalDataLabel, "1,2,3"}}},
      {kOccupancy, occupancy, {}, {}, CheckBlock(true)},
      {kConveyor, conveyor, {}, {}, CheckBlock(true)},
  });
}

// Bytes 3 to 10 keep what they held: template 109 has no field-name input,
// so only the terminator at byte 2 is written.
Bytes Learned(BYTE sensor, BYTE field, BYTE code, unsigned angle, unsigned shot) {
  return {sensor, field, 0, E, E, E, E, E, E, E, E, code, static_cast<BYTE>(angle & 0xFF),
          static_cast<BYTE>(angle >> 8), 0, 0, static_cast<BYTE>(shot), 0, 0, 0};
}

TEST(TableDialogs, LearnModeData) {
  const std::string wrong = text::kWrongInputDefault;
  CheckValues({
      {"presets", kLearn, {}, kOk, {}, 1, Learned(1, 1, 0x00, 100, 50)},
      {"single shot 0.25, 180 degrees, field c, unit 1", kLearn,
       {{1082, "0.25"}, {1081, "180"}, {1080, "c"}, {1036, "1"}}, kOk, {}, 1, Learned(1, 1, 0x42, 180, 25)},
      {"single shot 1.0, field F, unit 3, sensor 4, field 4", kLearn,
       {{1082, "1.0"}, {1080, "F"}, {1036, "3"}, {1068, "4"}, {1069, "4"}}, kOk, {}, 1, Learned(4, 4, 0xC5, 100, 100)},
      {"scan angle in hexadecimal", kLearn, {{1081, "0xB4"}}, kOk, {}, 1, Learned(1, 1, 0x00, 180, 50)},
      {"unknown field letter is A; unit 5 keeps its low two bits", kLearn, {{1080, "Z"}, {1036, "5"}}, kOk, {}, 1,
       Learned(1, 1, 0x40, 100, 50)},
      {"every check fails, in order: each value goes back to its default", kLearn,
       {{1082, "2"}, {1081, "90"}, {1068, "9"}, {1069, "-1"}}, kOk,
       {wrong, wrong, text::kKvtNumberRange, text::kFieldNumberRange}, 1, Learned(1, 1, 0x00, 100, 100)},
      {"Esc", kLearn, {{1068, "3"}}, kEscape, {}, 0, Bytes(20, E)},
  });
}

TEST(TableDialogs, CorrectionTables) {
  const Bytes ten = DistanceTable(kTen);
  Bytes counted = Words({400});
  for (unsigned i = 0; i < 400; ++i) counted.insert(counted.end(), {static_cast<BYTE>(i & 0xFF), static_cast<BYTE>(i >> 8)});
  counted.resize(kTableBlock, E);
  CheckValues({
      {"presets", kCorrections, {}, kOk, {}, 1, Table({6, 1, 2, 3, 4, 5, 6})},
      {"count 5, list 7, 8: the rest counts on", kCorrections, {{1104, "5"}, {1079, "7, 8"}}, kOk, {}, 1,
       Table({5, 7, 8, 2, 3, 4})},
      {"hexadecimal and negative entries", kCorrections, {{1104, "3"}, {1079, "0x10 -5,,  9"}}, kOk, {}, 1,
       Table({3, 16, 65531, 9})},
      {"count 400 fills the block", kCorrections, {{1104, "400"}, {1079, ""}}, kOk, {}, 1, counted},
      {"count 401: message, 8", kCorrections, {{1104, "401"}}, kOk, {text::kVariantImplausible}, 1,
       Table({8, 1, 2, 3, 4, 5, 6, 6, 7})},
      {"corrections Cancel", kCorrections, {{1104, "2"}}, kCancel, {}, 0, Table({}, E)},
      {"OK on the table as shown gives it back", kDistances, {}, kOk, {}, 1, ten, {}, ten},
      {"labels between the entries are dropped; the last repeats", kDistances,
       {{1104, "7"}, {1079, "'0cm':10, 11, 12, 13, '102cm':14, 15, "}}, kOk, {}, 1,
       With(ten, {{0, 7}, {2, 10}, {4, 11}, {6, 12}, {8, 13}, {10, 14}, {12, 15}, {14, 15}}), {}, ten},
      {"a list without labels is used whole", kDistances, {{1104, "3"}, {1079, "7 8 9"}}, kOk, {}, 1,
       With(ten, {{0, 3}, {2, 7}, {4, 8}, {6, 9}}), {}, ten},
      {"an empty list repeats the count", kDistances, {{1104, "2"}, {1079, ""}}, kOk, {}, 1,
       With(ten, {{0, 2}, {2, 2}, {4, 2}}), {}, ten},
      {"count 300: message, count 0, result 0", kDistances, {{1104, "300"}}, kOk, {text::kVariantImplausible}, 0,
       With(ten, {{0, 0}}), {}, ten},
      {"distances Cancel", kDistances, {{1104, "1"}}, kCancel, {}, 0, ten, {}, ten},
  });
}

TEST(TableDialogs, FinalTestData) {
  auto block = [](Bytes head) {
    head.resize(68, E);
    return head;
  };
  Bytes cut = Words({0, 32, 9});
  cut.resize(68, 0);
  CheckValues({
      {"presets: length 0", kFinal, {}, kOk, {}, 1, block({0, 0, 0, 0})},
      {"length 3 and 5,6: the third is 0", kFinal, {{1180, "2"}, {1181, "1"}, {1182, "3"}, {1183, "5,6"}}, kOk, {}, 1,
       block({2, 1, 3, 0, 5, 0, 6, 0, 0, 0})},
      {"one character of action and mode", kFinal, {{1180, "12"}, {1181, "34"}, {1182, "1"}, {1183, "300 7"}}, kOk,
       {}, 1, block({1, 3, 1, 0, 0x2C, 1})},
      {"a length beyond the block's 32 words is cut to them", kFinal, {{1182, "40"}, {1183, "9"}}, kOk, {}, 1, cut},
      {"Cancel", kFinal, {{1182, "3"}}, kCancel, {}, 0, Bytes(68, E)},
  });
}

TEST(TableDialogs, OccupancyAndConveyorChecks) {
  const Bytes held = CheckBlock(true);
  CheckValues({
      {"OK keeps the block; bytes 0-1 and from 40 on as the device sent them", kOccupancy, {}, kOk, {}, 1, held, {},
       held},
      {"new values and the sum", kOccupancy, {{1143, "10"}, {120, "65535"}, {121, "3000000"}}, kOk, {}, 1,
       With(held, {{2, 10}, {34, 65535}, {36, 0xC6C0}, {38, 0x2D}}), {}, held},
      {"the box toggles its word", kOccupancy, {}, kOk, {}, 1, With(held, {{22, 0}}), {1141}, held},
      {"the box sets 1 where the device sent 0", kConveyor, {}, kOk, {}, 1, With(CheckBlock(false), {{22, 1}}), {1141},
       CheckBlock(false)},
      {"text reads 0", kConveyor, {{1017, "abc"}, {1023, "12x"}}, kOk, {}, 1, With(held, {{6, 0}, {4, 12}}), {}, held},
      {"Cancel keeps the typed values out; a click counts all the same", kOccupancy, {{1143, "99"}}, kCancel, {}, 0,
       With(held, {{22, 0}}), {1141}, held},
  });
}

}  // namespace
}  // namespace kvt::test
