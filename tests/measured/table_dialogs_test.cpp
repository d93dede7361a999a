// The table dialogs (learn-mode data, correction parameters, the
// distance-dependent correction table, final-test data, occupancy and
// conveyor-belt checks), driven through KVTIDIAG.DLL's exports with real
// window messages: what each shows, what lands in the block after OK with
// valid input and with each failing check, Cancel and Esc.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dialog_cases.h"

namespace kvt::test {
namespace {

constexpr BYTE E = kUntouched;
using enum Press;

const Dialog kLearn{"DialogLModeData"};
const Dialog kCorrections{"DialogCorrDef"};
const Dialog kDistances{"DialogDistCorrDef"};
const Dialog kFinal{"DialogAssemblycheck"};
const Dialog kOccupancy{"DialogRemDef"};
const Dialog kConveyor{"DialogConvDef"};

const std::string k222 = "KVT-Nummer muss zwischen 1 und 4  liegen!";
const std::string k224 = "Feldnummer muss zwischen 1 und 4 liegen.";
const std::string k250 = "Falsche Eingabe, Vorgabewert wird benutzt.";
const std::string k260 = "Nicht plausible Werte für die KVT-Variante. Standardwerte werden übertragen.";

constexpr std::size_t kTableBlock = 804;

// An 804-byte block: `words` from byte 0 on, the rest `fill`.
std::vector<BYTE> Table(std::initializer_list<unsigned> words, BYTE fill = E) {
  std::vector<BYTE> block = Words(words);
  block.resize(kTableBlock, fill);
  return block;
}

// A distance table as the device sends it: count, then the entries.
std::vector<BYTE> DistanceTable(std::vector<int> entries) {
  std::vector<BYTE> block(kTableBlock, 0x11);
  block[0] = static_cast<BYTE>(entries.size() & 0xFF);
  block[1] = static_cast<BYTE>(entries.size() >> 8);
  for (std::size_t i = 0; i < entries.size(); ++i) {
    block[2 + 2 * i] = static_cast<BYTE>(entries[i] & 0xFF);
    block[3 + 2 * i] = static_cast<BYTE>((entries[i] >> 8) & 0xFF);
  }
  return block;
}

// The labelled text the dialog shows for a table.
std::string Labelled(const std::vector<int> &entries) {
  std::string text;
  const unsigned step = entries.size() <= 128 ? 256 : 128;
  for (unsigned i = 0; i < entries.size(); ++i) {
    if (i % 4 == 0) text.append("'").append(std::to_string(i * step / 10)).append("cm':");
    text.append(std::to_string(entries[i])).append(", ");
  }
  return text;
}

// The occupancy check's block as the device sent it: 0xAA 0xBB, seventeen
// words 2..34, the sum, then 0xCC.
std::vector<BYTE> CheckBlock(bool hold) {
  std::vector<BYTE> block(kTableBlock, 0xCC);
  block[0] = 0xAA;
  block[1] = 0xBB;
  for (unsigned at = 2; at <= 34; at += 2) block[at] = static_cast<BYTE>(at * 3), block[at + 1] = 0;
  block[22] = hold ? 1 : 0;
  block[36] = 0x40, block[37] = 0xE2, block[38] = 0x01, block[39] = 0x00;  // 123456
  return block;
}

std::vector<BYTE> With(std::vector<BYTE> block, std::initializer_list<std::pair<std::size_t, unsigned>> words) {
  for (const auto &[at, value] : words) {
    block.at(at) = static_cast<BYTE>(value & 0xFF);
    block.at(at + 1) = static_cast<BYTE>(value >> 8);
  }
  return block;
}

const std::vector<int> kTen = {1, 2, 3, 4, 5, 6, 7, 8, 9, -3};
const std::vector<int> kLong = [] {
  std::vector<int> entries;
  for (int i = 0; i < 130; ++i) entries.push_back(i - 65);
  return entries;
}();

std::vector<InputLook> CheckLooks(bool conveyor) {
  auto label = [conveyor](const char *occupancy, const char *belt) { return std::string(conveyor ? belt : occupancy); };
  return {
      {1143, label("Startwinkel [0-100]:", "Startwinkel [0-100]:"), "6", 0},
      {1023, label("Stopwinkel [0-100]:", "Stopwinkel [0-100]:"), "12", 0},
      {1017, label("Schalenlänge in Fahrtrichtung [cm]:", "Bandgeschw. [cm/sec]:"), "18", 0},
      {1026, label("Objektlänge in Fahrtrichtung [cm]:", "Nicht zu detekt. Gesamtobj.laenge in Fahrtrichtung [cm]:"),
       "24", 0},
      {1021, label("Schalenanfang in cm:", "Objektlänge in Fahrtrichtg.[cm]:"), "30", 0},
      {1144, label("Schalenende in cm:", "Min. Abstand zw. 2 Objekten [cm]:"), "36", 0},
      {113, label("Scananzahlsdifferenz von Mehrfachauswertung:", "not used"), "42", 0},
      {1019, label("Objektbreite (Blanking) für Feld C [cm]:", "Gesamtobjabw. vom Rem.grundlevel absolut:"), "48", 0},
      {1028, label("Objektbreite in Pixeln pro Scan:", "Obj.breite in Pixeln pro Scan:"), "54", 0},
      {114, label("Max. Anzahl von Scans auf eine Schale:", "Einzulernende Bandlänge zur Filterbestimmung [cm]:"), "60",
       0},
      {1141, label("Signal wird gehalten bis Ende der Schale", "not used"), "", 0},
      {115, label("Minimale Anzahl eingelernter Schalen:", "Einzulernende Bandlänge mit Filterung [cm]:"), "72", 0},
      {116, label("Schiebeweite für Mittelung [1/2 POT(n)]:", "not used"), "78", 0},
      {117, label("Prozentbereich für Filter beim Deltawert:", "Prozentbereich für Filter  beim absol. Deltawert:"), "84",
       0},
      {118, label("Prozentbereich für Filter bei Produktsumme:", "Prozentbereich für Filter bei Produktsumme:"), "90", 0},
      {119, label("Schwelle des Deltawerts gegenüber Lernwert [%]:",
                  "Schwelle d. relat. Deltawerts gegenüber  Lernwert [%]:"),
       "96", 0},
      {120, label("Schwelle des Produktsummenwerts gegenüber Lernwert [%]:",
                  "Schwelle des Produktsummenwertes gegenüber Lernwert [%]:"),
       "102", 0},
      {121, label("Produktsumme der Differenzen:", "Produktsumme der relat. Differenzen"), "123456", 0},
  };
}

TEST(TableDialogs, OpenPresetAndLaidOut) {
  CheckTemplates({
      // Each preset that leaves text limits the next input: 1069 to 1, the others to 8.
      {kLearn, 109, "LModeDataDlgProc", "Lernmodusdaten ",
       {{1068, "Aktiver KVT für eingelernte Messwerte:", "1", 1},
        {1069, "Feldnummer:", "1", 1},
        {1036, "Einheit:", "0", 1},
        {1080, "Feldart:", "A", 8},
        {1081, "Scanwinkel:", "100", 8},
        {1082, "Einzelschuß:", "0.5", 8}},
       {1070}},
      // The definition shows its presets, not the block the device sent.
      {kCorrections, 618, "CorrDefDlgProc", "Definiton der Parameter für Messwertkorrektur",
       {{1104, "Anzahl der UINT-Parameter :", "6", 0}, {1079, "Parametersatz:", " 1,2,3,4,5,6", 1999}}, {},
       DistanceTable(kTen)},
      {kDistances, 618, "DistCorrDefDlgProc", "Definiton der Parameter für Messwertkorrektur",
       {{1104, "Anzahl der UINT-Parameter :", "10", 0}, {1079, "Parametersatz:", Labelled(kTen), 0}}, {},
       DistanceTable(kTen)},
      {{"DialogDistCorrDef"}, 618, "DistCorrDefDlgProc", "Definiton der Parameter für Messwertkorrektur",
       {{1104, "Anzahl der UINT-Parameter :", "130", 0}, {1079, "Parametersatz:", Labelled(kLong), 0}}, {},
       DistanceTable(kLong)},
      {{"DialogDistCorrDef"}, 618, "DistCorrDefDlgProc", "Definiton der Parameter für Messwertkorrektur",
       {{1104, "Anzahl der UINT-Parameter :", "257", 0}, {1079, "Parametersatz:", "", 0}}, {},
       With(DistanceTable(kTen), {{0, 257}})},
      {kFinal, 631, "AssemblycheckDlgProc", "Endprüfdaten lesen / schreiben",
       {{1180, "Aktion:", "0", 0},
        {1181, "Modus lesen [0] / schreiben [1]:", "0", 0},
        {1182, "Länge der Daten in UINT:", "0", 0},
        {1183, "Endprüfdaten:", "1,2,3", 0}}},
      {kOccupancy, 626, "RemDefDlgProc", "Eingabe für Belegtkontrolle", CheckLooks(false), {}, CheckBlock(true)},
      {kConveyor, 629, "RemDefDlgProc", "Definiton für Förderbandbelegtkontrolle", CheckLooks(true), {},
       CheckBlock(true)},
  });
}

// Bytes 3 to 10 keep what they held: template 109 has no field-name input,
// so only the terminator at byte 2 is written.
std::vector<BYTE> Learned(BYTE sensor, BYTE field, BYTE code, unsigned angle, unsigned shot) {
  return {sensor, field, 0, E, E, E, E, E, E, E, E, code,
          static_cast<BYTE>(angle & 0xFF), static_cast<BYTE>(angle >> 8), 0, 0,
          static_cast<BYTE>(shot), 0, 0, 0};
}

TEST(TableDialogs, LearnModeData) {
  const ValueCase cases[] = {
      {"presets", kLearn, {}, kOkButton, {}, 1, Learned(1, 1, 0x00, 100, 50)},
      {"single shot 0.25, 180 degrees, field c, unit 1", kLearn,
       {{1082, "0.25"}, {1081, "180"}, {1080, "c"}, {1036, "1"}}, kOkButton, {}, 1, Learned(1, 1, 0x42, 180, 25)},
      {"single shot 1.0, field F, unit 3, sensor 4, field 4", kLearn,
       {{1082, "1.0"}, {1080, "F"}, {1036, "3"}, {1068, "4"}, {1069, "4"}}, kOkButton, {}, 1,
       Learned(4, 4, 0xC5, 100, 100)},
      {"single shot 0.3: message, 1.0", kLearn, {{1082, "0.3"}}, kOkButton, {k250}, 1, Learned(1, 1, 0x00, 100, 100)},
      {"scan angle 120: message, 100; hexadecimal 0xB4 is 180", kLearn, {{1081, "120"}}, kOkButton, {k250}, 1,
       Learned(1, 1, 0x00, 100, 50)},
      {"scan angle in hexadecimal", kLearn, {{1081, "0xB4"}}, kOkButton, {}, 1, Learned(1, 1, 0x00, 180, 50)},
      {"unknown field letter is A; unit 5 keeps its low two bits", kLearn, {{1080, "Z"}, {1036, "5"}}, kOkButton, {},
       1, Learned(1, 1, 0x40, 100, 50)},
      {"sensor 5: message, 1", kLearn, {{1068, "5"}}, kOkButton, {k222}, 1, Learned(1, 1, 0x00, 100, 50)},
      {"field 12: message, 1", kLearn, {{1069, "12"}}, kOkButton, {k224}, 1, Learned(1, 1, 0x00, 100, 50)},
      {"every check fails, in order", kLearn, {{1082, "2"}, {1081, "90"}, {1068, "9"}, {1069, "-1"}}, kOkButton,
       {k250, k250, k222, k224}, 1, Learned(1, 1, 0x00, 100, 100)},
      {"Cancel", kLearn, {{1068, "3"}}, kCancelButton, {}, 0, std::vector<BYTE>(20, E)},
      {"Esc", kLearn, {}, kEscapeKey, {}, 0, std::vector<BYTE>(20, E)},
  };
  for (const ValueCase &c : cases) CheckValueCase(c);
}

TEST(TableDialogs, CorrectionParameters) {
  const ValueCase cases[] = {
      {"presets", kCorrections, {}, kOkButton, {}, 1, Table({6, 1, 2, 3, 4, 5, 6})},
      {"count 5, list 7, 8: the rest counts on", kCorrections, {{1104, "5"}, {1079, "7, 8"}}, kOkButton, {}, 1,
       Table({5, 7, 8, 2, 3, 4})},
      {"hexadecimal and negative entries", kCorrections, {{1104, "3"}, {1079, "0x10 -5,,  9"}}, kOkButton, {}, 1,
       Table({3, 16, 65531, 9})},
      {"count 400 fills the block", kCorrections, {{1104, "400"}, {1079, ""}}, kOkButton, {}, 1, [] {
         std::vector<BYTE> block = Words({400});
         for (unsigned i = 0; i < 400; ++i) block.push_back(static_cast<BYTE>(i & 0xFF)), block.push_back(static_cast<BYTE>(i >> 8));
         block.resize(kTableBlock, E);
         return block;
       }()},
      {"count 401: message, 8", kCorrections, {{1104, "401"}}, kOkButton, {k260}, 1, Table({8, 1, 2, 3, 4, 5, 6, 6, 7})},
      {"count 0 writes the count only", kCorrections, {{1104, "0"}}, kOkButton, {}, 1, Table({0})},
      {"Cancel", kCorrections, {{1104, "2"}}, kCancelButton, {}, 0, Table({}, E)},
  };
  for (const ValueCase &c : cases) CheckValueCase(c);
}

TEST(TableDialogs, DistanceCorrectionTable) {
  const std::vector<BYTE> ten = DistanceTable(kTen);
  const ValueCase cases[] = {
      {"OK on the table as shown gives it back", kDistances, {}, kOkButton, {}, 1, ten, {}, ten},
      {"count 4, the label for 0 cm, then 1 and 2: the last repeats", kDistances,
       {{1104, "4"}, {1079, "'0cm':1, 2"}}, kOkButton, {}, 1, With(ten, {{0, 4}, {2, 1}, {4, 2}, {6, 2}, {8, 2}}), {},
       ten},
      {"a list without labels is used whole", kDistances, {{1104, "3"}, {1079, "7 8 9"}}, kOkButton, {}, 1,
       With(ten, {{0, 3}, {2, 7}, {4, 8}, {6, 9}}), {}, ten},
      {"entries beyond the list repeat; the first repeats the count", kDistances, {{1104, "2"}, {1079, ""}},
       kOkButton, {}, 1, With(ten, {{0, 2}, {2, 2}, {4, 2}}), {}, ten},
      {"labels between the entries are dropped", kDistances,
       {{1104, "6"}, {1079, "'0cm':10, 11, 12, 13, '102cm':14, 15, "}}, kOkButton, {}, 1,
       With(ten, {{0, 6}, {2, 10}, {4, 11}, {6, 12}, {8, 13}, {10, 14}, {12, 15}}), {}, ten},
      {"count 300: message, count 0, result 0", kDistances, {{1104, "300"}}, kOkButton, {k260}, 0,
       With(ten, {{0, 0}}), {}, ten},
      {"Cancel", kDistances, {{1104, "1"}}, kCancelButton, {}, 0, ten, {}, ten},
  };
  for (const ValueCase &c : cases) CheckValueCase(c);
}

TEST(TableDialogs, FinalTestData) {
  std::vector<BYTE> untouched(68, E);
  auto block = [](std::vector<BYTE> head) {
    head.resize(68, E);
    return head;
  };
  const ValueCase cases[] = {
      {"presets: length 0", kFinal, {}, kOkButton, {}, 1, block({0, 0, 0, 0})},
      {"length 3 and 5,6: the third is 0", kFinal, {{1180, "2"}, {1181, "1"}, {1182, "3"}, {1183, "5,6"}}, kOkButton,
       {}, 1, block({2, 1, 3, 0, 5, 0, 6, 0, 0, 0})},
      {"one character of action and mode", kFinal, {{1180, "12"}, {1181, "34"}, {1182, "1"}, {1183, "300 7"}},
       kOkButton, {}, 1, block({1, 3, 1, 0, 0x2C, 1})},
      {"a length beyond the block's 32 words is cut to them", kFinal, {{1182, "40"}, {1183, "9"}}, kOkButton, {}, 1,
       block(Words({0, 32, 9, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
                    0}))},
      {"Cancel", kFinal, {{1182, "3"}}, kCancelButton, {}, 0, untouched},
  };
  for (const ValueCase &c : cases) CheckValueCase(c);
}

TEST(TableDialogs, OccupancyAndConveyorChecks) {
  const std::vector<BYTE> held = CheckBlock(true);
  const ValueCase cases[] = {
      {"OK keeps the block; bytes 0-1 and from 40 on as the device sent them", kOccupancy, {}, kOkButton, {}, 1, held,
       {}, held},
      {"new values and the sum", kOccupancy, {{1143, "10"}, {120, "65535"}, {121, "3000000"}}, kOkButton, {}, 1,
       With(held, {{2, 10}, {34, 65535}, {36, 0xC6C0}, {38, 0x2D}}), {}, held},
      {"the box toggles its word", kOccupancy, {}, kOkButton, {}, 1, With(held, {{22, 0}}), {1141}, held},
      {"twice back", kOccupancy, {}, kOkButton, {}, 1, held, {1141, 1141}, held},
      {"the box sets 1 where the device sent 0", kConveyor, {}, kOkButton, {}, 1, With(CheckBlock(false), {{22, 1}}),
       {1141}, CheckBlock(false)},
      {"text reads 0", kConveyor, {{1017, "abc"}, {1023, "12x"}}, kOkButton, {}, 1,
       With(held, {{6, 0}, {4, 12}}), {}, held},
      {"Cancel keeps the typed values out", kConveyor, {{1143, "99"}}, kCancelButton, {}, 0, held, {}, held},
      {"a click counts even when cancelled", kOccupancy, {}, kCancelButton, {}, 0, With(held, {{22, 0}}), {1141},
       held},
  };
  for (const ValueCase &c : cases) CheckValueCase(c);
}

}  // namespace
}  // namespace kvt::test
