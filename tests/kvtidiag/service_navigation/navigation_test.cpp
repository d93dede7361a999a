// The navigation dialogs through real window messages, the exchange with
// scripted answers, and a ray set read, refused and taken by the simulated KVT.
#include <gtest/gtest.h>

#include <optional>

#include "dialog_cases.h"
#include "entry_call.h"
#include "kvt/simcontrol.h"
#include "support/records.h"

namespace kvt::test {
namespace {

constexpr BYTE E = kUntouched;
using enum Press;
using Bytes = std::vector<std::pair<std::size_t, BYTE>>;

const Dialog kBrakeField{"DialogNavDat", 0};
const Dialog kRaySet{"DialogNavDat", 1};
const Dialog kReflector{"DialogNavDat", 2};
const Dialog kCase{"DialogNavDat", 3};
const Dialog kRequest{"DialogNavDat", 4};

// Action, number, constant, count, ten rays.
std::vector<BYTE> Rays(BYTE action, BYTE number, unsigned count, std::vector<unsigned> rays) {
  std::vector<BYTE> block{action, number};
  rays.resize(10, 0);
  const std::vector<BYTE> words = Words({100, count});
  block.insert(block.end(), words.begin(), words.end());
  for (unsigned ray : rays) block.push_back(static_cast<BYTE>(ray)), block.push_back(static_cast<BYTE>(ray >> 8));
  return block;
}

// Action, unit, type, three words; the rest of the 809 bytes untouched.
std::vector<BYTE> Brake(BYTE action, BYTE unit, BYTE type, unsigned a, unsigned b, unsigned c) {
  std::vector<BYTE> block{action, unit, type};
  const std::vector<BYTE> words = Words({a, b, c});
  block.insert(block.end(), words.begin(), words.end());
  block.resize(809, E);
  return block;
}

TEST(NavigationDialogs, FillTheirBlocks) {
  const std::vector<unsigned> oneToTen = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
  const ValueCase cases[] = {
      {"rays 10, 20,30", kRaySet, {{1161, "10, 20,30"}}, kOkButton, {}, 1,
       Rays(1, 2, 3, {10, 20, 30, 4, 5, 6, 7, 8, 9, 10}), {}, Rays(0, 2, 4, oneToTen)},
      {"twelve rays keep ten; set 1.9 is 1", kRaySet, {{1164, "1.9"}, {1161, "1 2 3 4 5 6 7 8 9 10 11 12"}},
       kOkButton, {}, 1, Rays(1, 1, 10, oneToTen), {}, Rays(0, 2, 0, {})},
      {"fifteen rays arrive: ten shown, the count cut before Cancel", kRaySet, {}, kCancelButton, {}, 0,
       Rays(0, 2, 10, oneToTen), {}, Rays(0, 2, 15, oneToTen)},
      {"level 12345 is read as 1234", kReflector, {{1140, "12345"}}, kOkButton, {}, 1, {1, 0xD2, 0x04}, {},
       {0, 0x10, 0x27}},
      {"fields 1,2,3,4 keep three", kCase, {{1158, "1,2,3,4"}}, kOkButton, {}, 1, {1, 2, 3, 1, 2, 3}, {},
       {0, 2, 1, 4, 0, 0}},
      {"default, then Cancel", kCase, {}, kCancelButton, {}, 0, {2, 2, 1, 4, 0, 0}, {1135}, {0, 2, 1, 4, 0, 0}},
      {"radial: only the radius, in mm", kBrakeField, {{1129, "250.9"}, {1001, "11"}}, kOkButton, {}, 1,
       Brake(3, 64, 1, 250, 7, 8), {1132}, Brake(0, 0, 1, 500, 7, 8)},
      {"rectangle deactivated, in dm", kBrakeField, {{1001, "100"}, {1003, "200"}, {1002, "300"}}, kOkButton, {},
       1, Brake(1, 128, 0, 100, 200, 300), {1124, 1134}, Brake(0, 0, 0, 1, 2, 3)},
      {"reflector marks only, polar", kRequest, {}, kOkButton, {}, 1, {2, 0}, {2141}},
  };
  for (const ValueCase &c : cases) CheckValueCase(c);
  BYTE block[8] = {};
  EXPECT_EQ(Start({"DialogNavDat", 5}, Owner(), block), 0) << "no dialog for kind 5";
}

struct Case {
  const char *name;
  WORD telegram;
  std::vector<BYTE> block;
  std::optional<TelegramRecord> answer;
  Bytes sent;
  std::string text;
  ULONG_PTR status = 0;
};

const std::string kTaken = "Daten \xFC" "bernommen\n";

class Navigation : public ::testing::Test {
 protected:
  SimulatedSensor sensor;
};

TEST_F(Navigation, ExchangeAndReports) {
  std::vector<BYTE> brakeField(809);
  for (std::size_t i = 0; i < brakeField.size(); ++i) brakeField[i] = static_cast<BYTE>(i * 7 + 1);
  std::vector<BYTE> twelveRays{0, 1, 1, 1, 100, 0, 12, 0};
  for (BYTE ray = 1; ray <= 12; ++ray) twelveRays.insert(twelveRays.end(), {static_cast<BYTE>(ray * 10), 0});
  std::vector<BYTE> data(200, 0);
  data[0] = 0, data[1] = 4, data[2] = 1, data[3] = 0, data[4] = 5, data[5] = 40, data[6] = 0x40;
  data[7] = 0xFF, data[8] = 0xFF, data[9] = 5, data[139] = 1, data[141] = 44, data[142] = 1, data[143] = 0xD2, data[144] = 6;
  const auto times = [](const std::string &text, int n) { std::string out; while (n-- > 0) out += text; return out; };
  const std::string wrong = "Falscher Betriebsmode (NACK-Telegramm) oder falsches Antwortelegramm erhalten!";
  const Case cases[] = {
      {"ray set with twelve rays lists ten", 0xC5, Rays(1, 1, 2, {30, 60}), Answer(0xFE, twelveRays),
       {{8, 0x7E}, {9, 1}, {10, 1}, {11, 1}, {12, 100}, {14, 2}, {16, 30}, {18, 60}},
       kTaken + "Strahlensatz wurde definiert\nStrahlensatznummer:  1\nAufl\xF6sung des Strahldefinition: 100\n"
                "Anzahl der definierten Strahlen: 12\nGradzahl des definierten  1. Strahls:  10\n"
                "Gradzahl des definierten  2. Strahls:  20\nGradzahl des definierten  3. Strahls:  30\n"
                "Gradzahl des definierten  4. Strahls:  40\nGradzahl des definierten  5. Strahls:  50\n"
                "Gradzahl des definierten  6. Strahls:  60\nGradzahl des definierten  7. Strahls:  70\n"
                "Gradzahl des definierten  8. Strahls:  80\nGradzahl des definierten  9. Strahls:  90\n"
                "Gradzahl des definierten 10. Strahls: 100\n"},
      {"reflector level read", 0xC1, {1, 0x88, 0x13}, Answer(0xFE, {0, 2, 0, 0x88, 0x13}),
       {{9, 2}, {10, 1}, {11, 0x88}, {12, 0x13}}, kTaken + "Reflektorlevel wurde gelesen\nWert:   5000 mV\n"},
      {"default case with five fields lists three", 0xC2, {2, 1, 3, 7, 8, 9}, Answer(0xFE, {0, 3, 2, 1, 5, 7, 8, 9, 10, 11}),
       {{9, 3}, {10, 2}, {15, 9}},
       kTaken + "Voreingestellte Navigationszuordnung wurde definiert\nNummer des aktiven Strahlensatzes:  1\n"
                "Anzahl der Felder zur Auswertung:  5\nNummer des  1. Feldumrisses:  7\n"
                "Nummer des  2. Feldumrisses:  8\nNummer des  3. Feldumrisses:  9\n"},
      {"sector count 40 shows ten pairs; -1 through %5u", 0xC3, {1, 0}, Answer(0xFE, data), {{9, 4}, {10, 1}, {11, 0}},
       kTaken + "Nur Sektorentfernungsdaten\nDatenpaare in Polarkoordinaten\n"
                "Bremsfeld ist aktiviert |  frei |  Ausgang A ist gesperrt\nEinheit der Messwerte ist mm.\n"
                "Anzahl der Sektormesswertpaare:   10 \nAnzahl der Refloktormesswertpaare:     1\n"
                "Sektormesswertpaar: 4294967295,     5\n" +
           times("Sektormesswertpaar:     0,     0\n", 9) + "Reflektormesswertpaar:   300,  1746\n"},
      {"brake field: its block sent, no report", 0xBF, brakeField, Answer(0xFE, {0, 0}),
       {{9, 0}, {10, 1}, {11, 8}, {818, brakeField[808]}, {819, 0}}, kTaken},
      {"status 2", 0xC1, {1, 0, 0}, Answer(0xFE, {2, 2, 1, 0x88, 0x13}), {}, "Falscher Betriebsmodus\n"},
      {"status 3", 0xC1, {1, 0, 0}, Answer(0xFE, {3, 2, 1}), {}, "Daten nicht \xFC" "bernommen, da nicht im Navigationsmodus\n"},
      {"status 4", 0xC1, {1, 0, 0}, Answer(0xFE, {4, 2, 1}), {}, wrong},
      {"wrong answer code", 0xC1, {1, 0, 0}, Answer(0xFD, {0, 2, 1}), {}, wrong},
      {"no answer", 0xC1, {1, 0, 0}, std::nullopt, {}, "Kommunikation mit dem Sensor nicht in Ordnung !", 255},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.name);
    SimReset();
    if (c.answer) QueueAnswer(*c.answer); else QueueNoAnswer();
    EntryCall entry(190, c.telegram);
    entry.Give(c.block);
    EXPECT_FALSE(entry.Call(false));
    EXPECT_EQ(Escaped(entry.Text()), Escaped(c.text)) << "no address line";
    EXPECT_EQ(entry.request[kReqStatus], c.status);
    const std::vector<TelegramRecord> sent = SentRequests();
    ASSERT_EQ(sent.size(), 1u);
    for (const auto &[at, value] : c.sent) EXPECT_EQ(sent[0][at], value) << "request byte " << at;
  }
}

// Shows what the ray-set dialog holds, types `rays` (unless empty) and ends it.
ScriptRun RayDialog(EntryCall &entry, std::string &shown, const char *rays) {
  return RunDialog([&] { return entry.Call(true); }, [&, rays](HWND dialog) {
    shown = ItemText(dialog, 1164) + "|" + ItemText(dialog, 1161);
    if (*rays) SetDlgItemTextA(dialog, 1161, rays);
    PostPress(dialog, *rays ? kOkButton : kCancelButton);
  });
}

TEST_F(Navigation, RaySetRefusedOutsideTheNavigationModeAndTakenInside) {
  EntryCall rays(190, 0xC5);
  std::string shown;
  EXPECT_EQ(RayDialog(rays, shown, "20 40").result, TRUE);
  EXPECT_EQ(shown, "1|15,30,45,60,75") << "the device's ray set 1";
  ASSERT_EQ(SentRequests().size(), 1u);
  EXPECT_EQ(Escaped(std::string(reinterpret_cast<const char *>(&SentRequests()[0][8]), 4)), "~\\x01\\x00\\x01");
  EXPECT_FALSE(rays.Call(false));
  EXPECT_EQ(Escaped(rays.Text()), Escaped("Daten nicht \xFC" "bernommen, da nicht im Navigationsmodus\n"));

  EntryCall mode(11, 0xC8);
  const ScriptRun chosen = RunDialog([&] { return mode.Call(true); }, [](HWND dialog) {
    SendDlgItemMessageA(dialog, 2140, BM_CLICK, 0, 0);
    PostPress(dialog, kOkButton);
  });
  EXPECT_EQ(chosen.result, TRUE);
  EXPECT_TRUE(mode.Call(false));
  EXPECT_EQ(Escaped(mode.Text()), Escaped("Betriebsmoduswechsel ist erfolgt." + kKvtAddressLine));
  EXPECT_EQ(SentRequests().back()[10], 1) << "sector distances only";

  EXPECT_FALSE(rays.Call(false));
  EXPECT_EQ(Escaped(rays.Text()), Escaped(kTaken + "Strahlensatz wurde definiert\nStrahlensatznummer:  1\n"
                                                   "Aufl\xF6sung des Strahldefinition: 100\n"
                                                   "Anzahl der definierten Strahlen:  2\n"
                                                   "Gradzahl des definierten  1. Strahls:  20\n"
                                                   "Gradzahl des definierten  2. Strahls:  40\n"));
  EntryCall again(190, 0xC5);
  EXPECT_EQ(RayDialog(again, shown, "").result, FALSE);
  EXPECT_EQ(shown, "1|20,40") << "read back";
}

}  // namespace
}  // namespace kvt::test
