// The navigation interface's exchange with scripted answers (request bytes,
// status texts, the reports' limits), and a ray set read into its dialog,
// refused and taken by the simulated KVT.
#include <gtest/gtest.h>

#include "kvtidiag/session.h"
#include "support/texts.h"

namespace kvt::test {
namespace {

using Placed = std::vector<std::pair<std::size_t, BYTE>>;

struct Case {
  const char *name;
  WORD telegram;
  Bytes block;
  std::optional<TelegramRecord> answer;
  Placed sent;
  std::string text;  // the whole ResultText: no address line follows
  ULONG_PTR status = 0;
};

TEST(Navigation, ExchangeAndReports) {
  Bytes brakeField(809);
  for (std::size_t i = 0; i < brakeField.size(); ++i) brakeField[i] = static_cast<BYTE>(i * 7 + 1);
  Bytes twelveRays{0, 1, 1, 1, 100, 0, 12, 0};
  for (BYTE ray = 1; ray <= 12; ++ray) twelveRays.insert(twelveRays.end(), {static_cast<BYTE>(ray * 10), 0});
  // Sectors only, polar, brake field active and free with output A blocked,
  // mm, 40 sector pairs announced (the first -1 and 5), one reflector pair.
  Bytes data(200, 0);
  for (const auto &[at, value] : Placed{{1, 4}, {2, 1}, {4, 5}, {5, 40}, {6, 0x40}, {7, 0xFF}, {8, 0xFF}, {9, 5},
                                        {139, 1}, {141, 44}, {142, 1}, {143, 0xD2}, {144, 6}}) {
    data[at] = value;
  }
  std::string zeroPairs;
  for (int i = 0; i < 9; ++i) zeroPairs += "Sektormesswertpaar:     0,     0\n";
  const std::string taken = text::kNavigationTaken;
  const Case cases[] = {
      {"ray set with twelve rays lists ten", 0xC5, Words({0x0101, 100, 2, 30, 60, 0, 0, 0, 0, 0, 0, 0, 0}),
       Answer(0xFE, twelveRays), {{8, 0x7E}, {9, 1}, {10, 1}, {11, 1}, {12, 100}, {14, 2}, {16, 30}, {18, 60}},
       taken + "Strahlensatz wurde definiert\nStrahlensatznummer:  1\n" + text::kRayResolution100 +
           "Anzahl der definierten Strahlen: 12\nGradzahl des definierten  1. Strahls:  10\n"
           "Gradzahl des definierten  2. Strahls:  20\nGradzahl des definierten  3. Strahls:  30\n"
           "Gradzahl des definierten  4. Strahls:  40\nGradzahl des definierten  5. Strahls:  50\n"
           "Gradzahl des definierten  6. Strahls:  60\nGradzahl des definierten  7. Strahls:  70\n"
           "Gradzahl des definierten  8. Strahls:  80\nGradzahl des definierten  9. Strahls:  90\n"
           "Gradzahl des definierten 10. Strahls: 100\n"},
      {"reflector level read", 0xC1, {1, 0x88, 0x13}, Answer(0xFE, {0, 2, 0, 0x88, 0x13}),
       {{9, 2}, {10, 1}, {11, 0x88}, {12, 0x13}}, taken + "Reflektorlevel wurde gelesen\nWert:   5000 mV\n"},
      {"default case with five fields lists three", 0xC2, {2, 1, 3, 7, 8, 9},
       Answer(0xFE, {0, 3, 2, 1, 5, 7, 8, 9, 10, 11}), {{9, 3}, {10, 2}, {15, 9}},
       taken + "Voreingestellte Navigationszuordnung wurde definiert\nNummer des aktiven Strahlensatzes:  1\n"
               "Anzahl der Felder zur Auswertung:  5\nNummer des  1. Feldumrisses:  7\n"
               "Nummer des  2. Feldumrisses:  8\nNummer des  3. Feldumrisses:  9\n"},
      {"sector count 40 shows ten pairs; -1 through %5u", 0xC3, {1, 0}, Answer(0xFE, data), {{9, 4}, {10, 1}, {11, 0}},
       taken + "Nur Sektorentfernungsdaten\nDatenpaare in Polarkoordinaten\n"
               "Bremsfeld ist aktiviert |  frei |  Ausgang A ist gesperrt\n" + text::kUnitMm +
           "Anzahl der Sektormesswertpaare:   10 \nAnzahl der Refloktormesswertpaare:     1\n"
           "Sektormesswertpaar: 4294967295,     5\n" + zeroPairs + "Reflektormesswertpaar:   300,  1746\n"},
      {"brake field: its block sent, no report", 0xBF, brakeField, Answer(0xFE, {0, 0}),
       {{9, 0}, {10, 1}, {11, 8}, {818, brakeField[808]}, {819, 0}}, taken},
      {"status 2", 0xC1, {1, 0, 0}, Answer(0xFE, {2, 2, 1}), {}, "Falscher Betriebsmodus\n"},
      {"status 3", 0xC1, {1, 0, 0}, Answer(0xFE, {3, 2, 1}), {}, text::kNotNavigating},
      {"status 4", 0xC1, {1, 0, 0}, Answer(0xFE, {4, 2, 1}), {}, text::kWrongAnswer},
      {"wrong answer code", 0xC1, {1, 0, 0}, Answer(0xFD, {0, 2, 1}), {}, text::kWrongAnswer},
      {"no answer", 0xC1, {1, 0, 0}, std::nullopt, {}, text::kCommFailure, 255},
  };
  RunSession("device=kvt", [&](const Descriptor &d) {
    for (const Case &c : cases) {
      SCOPED_TRACE(c.name);
      SimReset();
      Queue({c.answer});
      const EntryRun run = RunEntry(d, {190, c.telegram, c.block});
      EXPECT_FALSE(run.result);
      EXPECT_EQ(Escaped(run.text), Escaped(c.text));
      EXPECT_EQ(run.status, c.status);
      const std::vector<TelegramRecord> sent = SentRequests();
      ASSERT_EQ(sent.size(), 1u);
      for (const auto &[at, value] : c.sent) EXPECT_EQ(sent[0][at], value) << "request byte " << at;
    }
  });
}

TEST(Navigation, RaySetRefusedOutsideTheNavigationModeAndTakenInside) {
  RunSession("device=kvt", [](const Descriptor &d) {
    std::string shown;
    // Notes what the ray-set dialog shows, types the rays and confirms; none: Cancel.
    const auto answer = [&shown](const char *rays) {
      return std::vector<UiStep>{{"Strahlensatz", [&shown, rays](HWND dialog) {
                                    shown = ItemText(dialog, 1164) + "|" + ItemText(dialog, 1161);
                                    if (*rays) SetText(dialog, 1161, rays);
                                    Click(dialog, *rays ? IDOK : IDCANCEL);
                                  }}};
    };
    const Entry raySet1{190, 0xC5, {}, 0, nullptr, Phase::kBoth};
    SimReset();
    const EntryRun refused = RunEntry(d, raySet1, answer("20 40"));
    EXPECT_EQ(shown, "1|15,30,45,60,75") << "the device's ray set 1";
    EXPECT_EQ(Hex(std::span(&SentRequests().at(0)[8], 4)), "7E 01 00 01");
    EXPECT_FALSE(refused.result);
    EXPECT_EQ(Escaped(refused.text), Escaped(text::kNotNavigating));

    EXPECT_EQ(RunEntry(d, {11, 0xC8, {1, 0}}).text.find(text::kModeDone), 0u);
    const EntryRun taken = RunEntry(d, raySet1, answer("20 40"));
    EXPECT_EQ(Escaped(taken.text), Escaped(text::kNavigationTaken +
                                           std::string("Strahlensatz wurde definiert\nStrahlensatznummer:  1\n") +
                                           text::kRayResolution100 + "Anzahl der definierten Strahlen:  2\n"
                                           "Gradzahl des definierten  1. Strahls:  20\n"
                                           "Gradzahl des definierten  2. Strahls:  40\n"));
    RunEntry(d, {190, 0xC5, {}, 0, nullptr, Phase::kParameters}, answer(""));
    EXPECT_EQ(shown, "1|20,40") << "read back";
  });
}

}  // namespace
}  // namespace kvt::test
