// The requests of every entry of "Messwerte anfordern" from given
// ParamBlocks, byte for byte; what the entries do without a block or with
// a telegram code of no entry; and the parameter phase: each entry's
// dialog, also for the continuous output modes of handler 11, whose
// requests are checked after OK on the dialog's presets.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "entry/entry.h"
#include "kvt/bytes.h"
#include "kvt/simcontrol.h"
#include "measured_run.h"
#include "support/escaped.h"
#include "support/records.h"
#include "support/ui_script.h"

namespace kvt {
namespace {

using test::Words;

constexpr BYTE kAddress = 9;

class MeasuredRequests : public ::testing::Test {
 protected:
  test::SimulatedSensor sensor{"device=kvtq1;address=9;setup=no"};
  void SetUp() override { kvt::Run().target = {kDeviceKvt, kAddress}; }
};

TelegramRecord Expected(BYTE command, const std::vector<BYTE> &data) {
  TelegramRecord record{};
  PutWord(record, kRecSize, kRecordSize);
  record[kRecType] = kDeviceKvt;
  record[kRecAddress] = kAddress;
  record[kRecCode] = command;
  for (std::size_t i = 0; i < data.size(); ++i) record[kRecData + i] = data[i];
  return record;
}

std::string Differences(const TelegramRecord &expected, const TelegramRecord &actual) {
  std::string out;
  for (std::size_t i = 0; i < kRecordSize; ++i) {
    if (expected[i] == actual[i]) continue;
    char line[64];
    std::snprintf(line, sizeof line, "byte %zu: expected %02X, sent %02X\n", i, expected[i], actual[i]);
    out += line;
  }
  return out;
}

struct RequestCase {
  const char *name;
  WORD handler;
  WORD telegram;
  std::vector<BYTE> block;
  std::size_t recordedLength;  // 0: the block's size
  BYTE command;
  std::vector<BYTE> data;  // from byte 9; everything after it stays 0
};

// Blocks as their dialogs fill them (and bytes they leave alone set to
// 0xEE, which must not reach the request).
const RequestCase kRequests[] = {
    {"Minimaler Messwert pro Segment: count at 0, sensor at 2", 12, 0x1C, {10, 0xEE, 3, 0xEE}, 0, 0x30,
     {3, 5, 10}},
    {"Minimaler Messwert pro Feld-Segment: KVT, field", 12, 0x95, {2, 3}, 0, 0x30, {2, 0, 3}},
    {"Alle Messwerte eines Scans", 12, 0x1D, {4, 0xEE, 0xEE, 0xEE}, 0, 0x30, {4, 1}},
    {"Alle Messw. formatiert für Statistik", 12, 0x49, {1, 0xEE, 0xEE, 0xEE}, 0, 0x30, {1, 1}},
    {"Minimaler senkrechter Abstand", 12, 0x1E, {2, 1}, 0, 0x30, {2, 2, 1}},
    {"Eingelernte Messdaten", 12, 0x1F, {1, 0xEE, 0xEE, 0xEE}, 0, 0x30, {1, 3}},
    {"Verifizierte Messdaten", 12, 0x20, {0, 0xEE, 0xEE, 0xEE}, 0, 0x30, {0, 4}},
    {"Alle Messwerte direkt", 12, 0xBC, {3, 0xEE, 0xEE, 0xEE}, 0, 0x30, {3, 8}},
    {"Messwerteteilbereich: sensor, first with bit 15, last", 12, 0x75,
     {2, 0xEE, 0xB5, 0x80, 0xC8, 0x00, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE}, 10, 0x37, {2, 0xB5, 0x80, 0xC8, 0x00}},
    {"Gemittelte Messwerte: sensor at 2, averages at 0", 97, 0x62, {100, 0xEE, 2, 0xEE}, 0, 0x36, {2, 100}},
    {"Gemittelter Messwert in 90 Grad", 97, 0xB1, {250, 0xEE, 4, 0xEE}, 0, 0x36, {4, 250}},
    {"Messwerte in XY-Koord.(KVT Typ6)", 165, 0, {1, 0xEE, 0x10, 0x80, 0x20, 0x00, 0xEE, 0xEE, 0xEE, 0xEE}, 0,
     0x76, {1, 0x10, 0x80, 0x20, 0x00}},
    {"Gemittelter Messwertteilbereich: byte 9 stays 0", 179, 0,
     {3, 0xEE, 50, 0xEE, 0x02, 0x01, 0x04, 0x03, 0xEE, 0xEE, 0xEE, 0xEE}, 10, 0x3F,
     {0, 50, 0x02, 0x01, 0x04, 0x03}},
    {"Messw.teilber. u. Feldw.(KVT Typ6): first and last only", 184, 0,
     {1, 0xEE, 0x05, 0x01, 0x90, 0x01, 0xEE, 0xEE, 0xEE, 0xEE}, 0, 0x3E, {0x05, 0x01, 0x90, 0x01}},
    {"n Bereiche: two of five pairs", 205, 0, Words({2, 85, 105, 200, 210, 9, 9, 9, 9, 9, 9}), 0, 0x75,
     {2, 0, 85, 0, 105, 0, 200, 0, 210, 0}},
    {"n Bereiche: count 0 sends only the count", 205, 0, Words({0, 85, 105, 9, 9, 9, 9, 9, 9, 9, 9}), 0, 0x75,
     {0, 0}},
    {"n Bereiche: count 9 sends the five pairs the block holds", 205, 0,
     Words({9, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10}), 0, 0x75,
     {9, 0, 1, 0, 2, 0, 3, 0, 4, 0, 5, 0, 6, 0, 7, 0, 8, 0, 9, 0, 10, 0}},
    {"n Bereiche: count 65535 as well", 205, 0, Words({65535, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10}), 0, 0x75,
     {0xFF, 0xFF, 1, 0, 2, 0, 3, 0, 4, 0, 5, 0, 6, 0, 7, 0, 8, 0, 9, 0, 10, 0}},
    {"a short block gives zeros for what it lacks", 179, 0, {3, 0, 50}, 3, 0x3F, {0, 50, 0, 0, 0, 0}},
};

TEST_F(MeasuredRequests, EveryEntryFromItsBlock) {
  for (const RequestCase &c : kRequests) {
    SCOPED_TRACE(c.name);
    SimReset();
    test::RunEntry(c.handler, c.telegram, c.block, c.recordedLength);
    const std::vector<TelegramRecord> sent = test::SentRequests();
    ASSERT_EQ(sent.size(), 1u);
    const TelegramRecord expected = Expected(c.command, c.data);
    EXPECT_TRUE(sent[0] == expected) << Differences(expected, sent[0]);
  }
}

TEST_F(MeasuredRequests, WithoutABlockOrAnEntryNothingIsSent) {
  SimReset();
  test::EntryRun run = test::RunEntry(12, 0x1D, {});
  EXPECT_FALSE(run.result) << "no block: nothing to show";
  EXPECT_EQ(run.text, test::kEarlierText);
  run = test::RunEntry(205, 0, {});
  EXPECT_FALSE(run.result);
  EXPECT_EQ(SimRequestCount(), 0u);

  // A telegram code that no entry of handler 12 or 97 has.
  for (WORD handler : {12, 97}) {
    run = test::RunEntry(handler, 0x99, {1, 0, 0, 0});
    EXPECT_TRUE(run.result);
    EXPECT_EQ(run.status, kStatusCommFailure);
    EXPECT_EQ(run.text, "Kommunikation mit dem Sensor nicht in Ordnung !" + test::AddressLine(kDeviceKvt, kAddress));
  }
  EXPECT_EQ(SimRequestCount(), 0u);
}

// In the parameter phase each entry opens its dialog; Cancel gives FALSE,
// leaves a block of the collector's size and sends nothing.
struct DialogCase {
  WORD handler;
  WORD telegram;
  std::string title;
  std::size_t recordedLength;
};

const DialogCase kDialogs[] = {
    {12, 0x1C, "Anzahl der Messwerte ", 4},
    {12, 0x95, "Eingabe KVT und Feldnummer", 2},
    {12, 0x1D, "Eingabe KVT-Nummer", 4},
    {12, 0x49, "Eingabe KVT-Nummer", 4},
    {12, 0x1E, "Eingabe KVT und Feldnummer", 2},
    {12, 0x1F, "Eingabe KVT-Nummer", 4},
    {12, 0x20, "Eingabe KVT-Nummer", 4},
    {12, 0xBC, "Eingabe KVT-Nummer", 4},
    {12, 0x75, "Messwertteilbereich anfordern", 10},
    {97, 0x62, "Anzahl der Mittelungen ", 4},
    {97, 0xB1, "Anzahl der Mittelungen ", 4},
    {165, 0, "Messwertteilbereich anfordern", 10},
    {179, 0, "Gemittellter Messwertteilbereich", 10},
    {184, 0, "Messwertteilbereich anfordern", 10},
    {205, 0, "Parameter für Bereiche mit Mess- und Remissionswerten", 22},
    {11, 0xAE, "Anzahl der Mittelungen ", 4},
    {11, 0xAF, "Betriebsmodus Messwertteilbereich", 10},
    {11, 0xB2, "Gemittelte Messwerte - Teilbereich", 10},
    {11, 0xB6, "Betriebsmodus Messwertteilbereich", 10},
    {11, 0xCC, "Parameter für Bereiche mit Mess- und Remissionswerten", 22},
    {11, 0xCF, "Messwert pro Segment - Teilbereich", 10},
};

CommandRequest ParameterPhase(WORD handler, WORD telegram, std::string &text) {
  text.assign(256, '\0');
  CommandRequest request{};
  request[kReqHandler] = handler;
  request[kReqTelegram] = telegram;
  request[kReqResultText] = reinterpret_cast<ULONG_PTR>(text.data());
  request[kReqCapacity] = text.size();
  request[kReqParamPhase] = 1;
  return request;
}

TEST_F(MeasuredRequests, ParameterPhaseOpensTheEntrysDialog) {
  for (const DialogCase &c : kDialogs) {
    SCOPED_TRACE(c.title + " for handler " + std::to_string(c.handler) + ", telegram " + std::to_string(c.telegram));
    SimReset();
    std::string text;
    CommandRequest request = ParameterPhase(c.handler, c.telegram, text);
    bool seen = false;
    test::StartUiScript({{c.title, [&seen](HWND dialog) {
                            seen = true;
                            test::Click(dialog, IDCANCEL);
                          }}});
    EXPECT_FALSE(DiagCommandProc(nullptr, request.data()));
    test::StopUiScript();
    EXPECT_TRUE(seen);
    EXPECT_NE(request[kReqParamBlock], 0u);
    EXPECT_EQ(request[kReqParamLength], c.recordedLength);
    EXPECT_EQ(SimRequestCount(), 0u);
    EXPECT_EQ(std::string(text.c_str()), "") << "the parameter phase writes no text";
    std::free(reinterpret_cast<void *>(request[kReqParamBlock]));
  }
}

TEST_F(MeasuredRequests, ParameterPhaseOfATelegramCodeWithoutEntry) {
  std::string text;
  CommandRequest request = ParameterPhase(12, 0x99, text);
  EXPECT_TRUE(DiagCommandProc(nullptr, request.data()));
  EXPECT_EQ(std::string(text.c_str()), test::AddressLine(kDeviceKvt, kAddress));
  EXPECT_EQ(request[kReqParamBlock], 0u);
}

// The continuous modes with parameters: OK on the dialog's presets in the
// parameter phase, then the execution sends them.
struct ModeCase {
  WORD telegram;
  std::string title;
  std::vector<BYTE> data;  // from byte 9
};

const ModeCase kModes[] = {
    {0xAF, "Betriebsmodus Messwertteilbereich", {0x27, 181, 0, 181, 0}},
    {0xB2, "Gemittelte Messwerte - Teilbereich", {0x28, 100, 180, 0, 181, 0}},
    {0xB6, "Betriebsmodus Messwertteilbereich", {0x29, 181, 0, 181, 0}},
    {0xCC, "Parameter für Bereiche mit Mess- und Remissionswerten", {0x2B, 1, 0, 85, 0, 105, 0}},
    {0xCF, "Messwert pro Segment - Teilbereich", {0x2C, 15, 20, 0, 80, 0}},
};

TEST_F(MeasuredRequests, ContinuousModesSendTheirDialogsPresets) {
  for (const ModeCase &c : kModes) {
    SCOPED_TRACE(c.title);
    SimReset();
    std::string text;
    CommandRequest request = ParameterPhase(11, c.telegram, text);
    test::StartUiScript({{c.title, [](HWND dialog) { test::Click(dialog, IDOK); }}});
    EXPECT_TRUE(DiagCommandProc(nullptr, request.data()));
    test::StopUiScript();
    request[kReqParamPhase] = 0;
    EXPECT_TRUE(DiagCommandProc(nullptr, request.data()));
    EXPECT_EQ(std::string(text.c_str()), "Betriebsmoduswechsel ist erfolgt." + test::AddressLine(kDeviceKvt, kAddress));
    const std::vector<TelegramRecord> sent = test::SentRequests();
    ASSERT_EQ(sent.size(), 1u);
    const TelegramRecord expected = Expected(0x20, c.data);
    EXPECT_TRUE(sent[0] == expected) << Differences(expected, sent[0]);
    std::free(reinterpret_cast<void *>(request[kReqParamBlock]));
  }
}

}  // namespace
}  // namespace kvt
