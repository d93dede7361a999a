// The requests of every entry of "Messwerte anfordern" from given
// ParamBlocks, byte for byte; entries without a block or with a telegram
// code of no entry; and each entry's dialog in the parameter phase.
#include <gtest/gtest.h>

#include "kvtidiag/session.h"
#include "support/texts.h"

namespace kvt::test {
namespace {

constexpr BYTE kAddress = 9;
constexpr BYTE E = 0xEE;  // block bytes the dialogs leave alone: they must not reach the request

void InSession(const std::function<void(const Descriptor &)> &body) {
  RunSession("device=kvtq1;address=9", body, {.type = "KVT", .address = "9"});
}

TEST(MeasuredRequests, EveryEntryFromItsBlock) {
  const struct {
    const char *name;
    Entry entry;
    BYTE command;
    Bytes data;  // from byte 9; everything after it stays 0
  } cases[] = {
      {"Minimaler Messwert pro Segment: count at 0, sensor at 2", {12, 0x1C, {10, E, 3, E}}, 0x30, {3, 5, 10}},
      {"Minimaler Messwert pro Feld-Segment: KVT, field", {12, 0x95, {2, 3}}, 0x30, {2, 0, 3}},
      {"Alle Messwerte eines Scans", {12, 0x1D, {4, E, E, E}}, 0x30, {4, 1}},
      {"Alle Messw. formatiert f\xFCr Statistik", {12, 0x49, {1, E, E, E}}, 0x30, {1, 1}},
      {"Minimaler senkrechter Abstand", {12, 0x1E, {2, 1}}, 0x30, {2, 2, 1}},
      {"Eingelernte Messdaten", {12, 0x1F, {1, E, E, E}}, 0x30, {1, 3}},
      {"Verifizierte Messdaten", {12, 0x20, {0, E, E, E}}, 0x30, {0, 4}},
      {"Alle Messwerte direkt", {12, 0xBC, {3, E, E, E}}, 0x30, {3, 8}},
      {"Messwerteteilbereich: sensor, first with bit 15, last",
       {12, 0x75, {2, E, 0xB5, 0x80, 0xC8, 0x00, E, E, E, E, E, E}, 10}, 0x37, {2, 0xB5, 0x80, 0xC8, 0x00}},
      {"Gemittelte Messwerte: sensor at 2, averages at 0", {97, 0x62, {100, E, 2, E}}, 0x36, {2, 100}},
      {"Gemittelter Messwert in 90 Grad", {97, 0xB1, {250, E, 4, E}}, 0x36, {4, 250}},
      {"Messwerte in XY-Koord.(KVT Typ6)", {165, 0, {1, E, 0x10, 0x80, 0x20, 0x00, E, E, E, E}}, 0x76,
       {1, 0x10, 0x80, 0x20, 0x00}},
      {"Gemittelter Messwertteilbereich: byte 9 stays 0",
       {179, 0, {3, E, 50, E, 0x02, 0x01, 0x04, 0x03, E, E, E, E}, 10}, 0x3F, {0, 50, 0x02, 0x01, 0x04, 0x03}},
      {"Messw.teilber. u. Feldw.(KVT Typ6): first and last only", {184, 0, {1, E, 0x05, 0x01, 0x90, 0x01, E, E, E, E}},
       0x3E, {0x05, 0x01, 0x90, 0x01}},
      {"n Bereiche: two of five pairs", {205, 0, Words({2, 85, 105, 200, 210, 9, 9, 9, 9, 9, 9})}, 0x75,
       {2, 0, 85, 0, 105, 0, 200, 0, 210, 0}},
      {"n Bereiche: count 0 sends only the count", {205, 0, Words({0, 85, 105, 9, 9, 9, 9, 9, 9, 9, 9})}, 0x75,
       {0, 0}},
      {"n Bereiche: count 9 sends the five pairs the block holds", {205, 0, Words({9, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10})},
       0x75, {9, 0, 1, 0, 2, 0, 3, 0, 4, 0, 5, 0, 6, 0, 7, 0, 8, 0, 9, 0, 10, 0}},
      {"a short block gives zeros for what it lacks", {179, 0, {3, 0, 50}, 3}, 0x3F, {0, 50, 0, 0, 0, 0}},
  };
  InSession([&](const Descriptor &d) {
    for (const auto &c : cases) {
      SCOPED_TRACE(c.name);
      SimReset();
      RunEntry(d, c.entry);
      const auto sent = SentRequests();
      ASSERT_EQ(sent.size(), 1u);
      EXPECT_EQ(Differences(Request(kDeviceKvt, kAddress, c.command, c.data), sent[0]), "");
    }
  });
}

TEST(MeasuredRequests, WithoutABlockOrAnEntryNothingIsSent) {
  InSession([](const Descriptor &d) {
    SimReset();
    for (const Entry &entry : {Entry{12, 0x1D}, Entry{205, 0}}) {
      const EntryRun run = RunEntry(d, entry);
      EXPECT_FALSE(run.result) << "no block: nothing to show";
      EXPECT_EQ(run.text, kBefore);
    }
    for (WORD handler : {12, 97}) {  // a telegram code that no entry of the handler has
      const EntryRun run = RunEntry(d, {handler, 0x99, {1, 0, 0, 0}});
      EXPECT_TRUE(run.result);
      EXPECT_EQ(run.status, kStatusCommFailure);
      EXPECT_EQ(Escaped(run.text), Escaped(text::kCommFailure + AddressLine(kDeviceKvt, kAddress)));
    }
    const EntryRun parameters = RunEntry(d, {12, 0x99, {}, 0, nullptr, Phase::kParameters});
    EXPECT_TRUE(parameters.result);
    EXPECT_EQ(Escaped(parameters.text), Escaped(kBefore + AddressLine(kDeviceKvt, kAddress)));
    EXPECT_EQ(SimRequestCount(), 0u);
  });
}

// In the parameter phase each entry opens its dialog; Cancel gives FALSE,
// leaves a block of the collector's size and sends nothing.
TEST(MeasuredRequests, ParameterPhaseOpensTheEntrysDialog) {
  const struct {
    WORD handler, telegram;
    const char *title;
    std::size_t recorded, allocated;
  } cases[] = {
      {12, 0x1C, text::kSegmentCountTitle, 4, 4},     {12, 0x95, text::kKvtFieldTitle, 2, 2},
      {12, 0x1D, text::kKvtNumberTitle, 4, 4},        {12, 0x49, text::kKvtNumberTitle, 4, 4},
      {12, 0x1E, text::kKvtFieldTitle, 2, 2},         {12, 0x1F, text::kKvtNumberTitle, 4, 4},
      {12, 0x20, text::kKvtNumberTitle, 4, 4},        {12, 0xBC, text::kKvtNumberTitle, 4, 4},
      {12, 0x75, text::kPartialTitle, 10, 12},        {97, 0x62, text::kAveragesTitle, 4, 4},
      {97, 0xB1, text::kAveragesTitle, 4, 4},         {165, 0, text::kPartialTitle, 10, 12},
      {179, 0, text::kAveragedPartialTitle, 10, 12},  {184, 0, text::kPartialTitle, 10, 12},
      {205, 0, text::kRangesTitle, 22, 22},
  };
  InSession([&](const Descriptor &d) {
    for (const auto &c : cases) {
      SCOPED_TRACE(std::string(c.title) + ", handler " + std::to_string(c.handler));
      SimReset();
      const EntryRun run = RunEntry(d, {c.handler, c.telegram, {}, 0, nullptr, Phase::kParameters},
                                    {{c.title, [](HWND dialog) { Click(dialog, IDCANCEL); }}});
      EXPECT_EQ(run.ui.pending, 0u);
      EXPECT_FALSE(run.result);
      EXPECT_EQ(run.block.size(), c.recorded);
      EXPECT_EQ(run.blockSize, c.allocated);
      EXPECT_EQ(SimRequestCount(), 0u);
      EXPECT_EQ(run.text, kBefore) << "the parameter phase writes no text";
    }
  });
}

}  // namespace
}  // namespace kvt::test
