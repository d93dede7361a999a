// The PXD interface unit: the requests its handlers send from given blocks
// and their endings, its two reports for given answers, both large dialogs
// through real window messages in both start modes, and the preset reading
// before a definition, answered and failed.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <functional>
#include <numeric>
#include <sstream>

#include "dialogs/dialogs.h"
#include "entry/entry.h"
#include "kvt/simcontrol.h"
#include "support/records.h"
#include "support/ui_script.h"

namespace kvt {
namespace {

using Bytes = std::vector<BYTE>;
using test::Escaped;
using namespace std::string_literals;

const std::string kLine = "\nBei der Kommunikation benutzte Adresse   5  mit Zielger\xE4t  PXD.\n\n";
constexpr char kPxdTitle[] = "PXD-Konfiguration eingeben";
constexpr char kEvcTitle[] = "\xDCWF-Definition  eingeben";
constexpr BYTE kUntouched = 0xEE;

Bytes Sequence(std::size_t size) {
  Bytes bytes(size);
  std::iota(bytes.begin(), bytes.end(), BYTE{1});
  return bytes;
}

// Runs of bytes at their offsets; a text's zero is written with it.
template <typename Record>
void Place(Record &record, std::initializer_list<std::pair<std::size_t, std::string>> runs) {
  for (const auto &[at, run] : runs) std::copy(run.begin(), run.end(), record.begin() + at);
}
std::string Text(std::string text) { return text.append(1, '\0'); }
std::string Show(const Bytes &bytes) { return Escaped(std::string(bytes.begin(), bytes.end())); }

struct Outcome {
  BOOL result = FALSE;
  std::string text;
  std::vector<TelegramRecord> sent;
  Bytes block;
};

class InterfaceUnit : public ::testing::Test {
 protected:
  test::SimulatedSensor sensor{"device=pxd;address=5;setup=no"};
  void SetUp() override { kvt::Run().target = {kDevicePxd, 5}; }

  // One phase of a menu entry, as the dialog host runs it; `steps` answer its dialog.
  Outcome Entry(WORD handler, const Bytes &block, bool parameters, std::vector<test::UiStep> steps = {}) {
    const DWORD before = SimRequestCount();
    std::string text(65536, '\0');
    std::copy_n("vorher", 7, text.begin());
    CommandRequest request{};
    request[kReqHandler] = handler;
    request[kReqResultText] = reinterpret_cast<ULONG_PTR>(text.data());
    request[kReqCapacity] = text.size();
    request[kReqParamPhase] = parameters;
    if (!block.empty()) {
      void *owned = std::malloc(block.size());
      std::copy(block.begin(), block.end(), static_cast<BYTE *>(owned));
      request[kReqParamBlock] = reinterpret_cast<ULONG_PTR>(owned);
      request[kReqParamLength] = block.size();
    }
    test::StartUiScript(std::move(steps));
    Outcome out;
    out.result = DiagCommandProc(nullptr, request.data());
    EXPECT_EQ(test::PendingUiSteps(), 0u);
    test::StopUiScript();
    out.text = text.c_str();
    const auto sent = test::SentRequests();
    out.sent.assign(sent.begin() + before, sent.end());
    auto *after = reinterpret_cast<BYTE *>(request[kReqParamBlock]);
    if (after) out.block.assign(after, after + request[kReqParamLength]);
    std::free(after);
    return out;
  }
};

// The request's command and its data from byte 9 on, with a zero behind it.
void ExpectSent(const TelegramRecord &sent, BYTE command, Bytes data) {
  EXPECT_EQ(sent[kRecCode], command);
  data.push_back(0);
  EXPECT_EQ(Show(Bytes(sent.begin() + kRecData, sent.begin() + kRecData + data.size())), Show(data));
}

TEST_F(InterfaceUnit, DefinitionsSendTheirBlocks) {
  struct Case {
    WORD handler; Bytes block; TelegramRecord answer; BYTE command; Bytes data; std::string text;
  };
  const Case cases[] = {
      {136, Sequence(103), test::Answer(0xF0, {1}), 0x70, Sequence(103), "Konifguration erfolgreich \xFC" "bernommen."},
      {138, Sequence(43), test::Answer(0xF2, {0}), 0x72, Sequence(43), "\xDCWF-Definition abgebrochen."},
      {160, {17, 0xAA, 0xBB, 0xCC}, test::Answer(0xCC, {1}), 0x4C, {17, 0}, "Definition \xFC" "bernommen."},
      {161, {7, 1}, test::Answer(0xCD, {0}), 0x4D, {7, 1}, "Definition wurde NICHT \xFC" "bernommen."},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.handler);
    test::QueueAnswer(c.answer);
    const Outcome out = Entry(c.handler, c.block, false);
    EXPECT_EQ(Escaped(out.text), Escaped(c.text + kLine));
    ASSERT_EQ(out.sent.size(), 1u);
    ExpectSent(out.sent[0], c.command, c.data);
  }
}

void ExpectGolden(const std::string &name, const std::string &actual) {
  const std::string path = std::string(std::getenv("KVT_SOURCE")) + "/tests/kvtidiag/interface_unit/golden/" + name;
  if (std::getenv("KVT_GOLDEN_UPDATE")) std::ofstream(path, std::ios::binary) << actual;
  std::stringstream golden;
  golden << std::ifstream(path, std::ios::binary).rdbuf();
  EXPECT_EQ(Escaped(actual), Escaped(golden.str())) << name;
}

// Five sensors show four; a name without its zero shows 8 characters, a
// carriage return a blank; no field names.
TEST_F(InterfaceUnit, ConfigurationReport) {
  TelegramRecord answer = test::Answer(0xB8);
  Place(answer, {{9, "\x05KVT-LINKSA\rB"}, {28, "X3"}, {37, "X4"},
                 {46, std::string("\xB4\0\x64\0\x07\0\0\0\x32\0\x19\0\x33\0\x64\0", 16)},
                 {62, std::string("\x02\x04\x02\x03\0", 5)}, {103, std::string("\x03\x02\x0A\0\x01\0\xFA\0\x05", 9)}});
  test::QueueAnswer(answer);
  const Outcome out = Entry(132, {}, false);
  ExpectSent(out.sent.at(0), 0x38, {});
  ExpectGolden("configuration.txt", out.text);
}

// The case number asked for; the selector 1 brings its value onto its line.
TEST_F(InterfaceUnit, EvaluationCaseReport) {
  TelegramRecord answer = test::Answer(0xB9);
  Place(answer, {{9, "\x03TOR 3"},
                 {19, std::string("\x34\x12\x01\x02\x01\0\x81\x2C\x01\x0F\x02\0\x63\x05\x06\x0A\xAA\x01\x01\x14"
                                  "\x01\x02\x03\x04\x01\x21\0\x07\x08\x09\x0B\x02\x2C", 33)}});
  test::QueueAnswer(answer);
  const Outcome out = Entry(133, {3, 0, 0, 0}, false);
  ExpectSent(out.sent.at(0), 0x39, {3});
  ExpectGolden("evaluation_case.txt", out.text);
}

// Every control in tab order: its class, id, text, and the limit of an input
// that has one; the whole layout, labels and presets for a golden file.
std::string Controls(HWND dialog) {
  std::string controls;
  for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    char kind[16];
    GetClassNameA(child, kind, sizeof kind);
    const auto limit = SendMessageA(child, EM_GETLIMITTEXT, 0, 0);
    controls += std::string(kind) + " " + std::to_string(static_cast<short>(GetDlgCtrlID(child))) +
                (GetWindowLongA(child, GWL_STYLE) & WS_TABSTOP ? " tab" : "") +
                (lstrcmpiA(kind, "Edit") == 0 && limit < 100 ? " limit " + std::to_string(limit) : "") + ": " +
                test::WindowText(child) + "\n";
  }
  return controls;
}

struct DialogCase {
  const char *name; INT_PTR (*start)(HWND, void *, unsigned); const char *title; unsigned show; Bytes before;
  std::vector<std::pair<int, std::string>> typed; Bytes after;
};

TEST_F(InterfaceUnit, DialogsInBothStartModes) {
  Bytes pxdTyped(103, kUntouched);
  for (std::size_t at : {1, 10, 19, 28}) Place(pxdTyped, {{at, Text("NOKVT")}});
  for (std::size_t at : {58, 67, 76, 85}) Place(pxdTyped, {{at, Text("0")}});
  Place(pxdTyped, {{0, "\0ABCDEFGH\0"s}, {37, std::string(8, '\0') + "\x32\0\x32\0\x32\0\x32\0"s + std::string(5, '\0')},
                   {94, std::string(8, '\0') + "\xC8"}});
  Bytes evcTyped(43, 0);
  Place(evcTyped, {{0, "\x01NOEVC\0\xEE\xEE\xEE\x70\x11\x01\x01"s}, {16, "\x01"}, {20, "\x02"}});
  Bytes shown = Sequence(103);
  for (std::size_t at : {1, 10, 19, 28, 58, 67, 76, 85}) Place(shown, {{at, Text(std::to_string(at).append("N"))}});
  Bytes shownCase = Sequence(43);
  Place(shownCase, {{1, Text("CASE7")}});

  const DialogCase cases[] = {
      {"configuration, defaults typed over", DialogPXDKfg, kPxdTitle, 0, Bytes(103, kUntouched),
       {{IDC_PXD_SENSOR_NAME_1, "ABCDEFGHIJ"}, {IDC_PXD_SINGLE_SHOT_1, "50.5"}, {IDC_PXD_ADDRESS, "200"}}, pxdTyped},
      {"configuration shown from its block", DialogPXDKfg, kPxdTitle, 7, shown, {}, shown},
      {"evaluation case, defaults typed over", DialogEVCDef, kEvcTitle, 0, Bytes(43, kUntouched),
       {{IDC_EVC_INPUT_IMAGE, "70000"}}, evcTyped},
      {"evaluation case shown from its block", DialogEVCDef, kEvcTitle, 1, shownCase, {}, shownCase},
  };
  std::string shownControls;
  for (const DialogCase &c : cases) {
    SCOPED_TRACE(c.name);
    Bytes block = c.before;
    test::StartUiScript({{c.title, [&](HWND d) {
                            shownControls += std::string("== ") + c.name + "\n" + Controls(d);
                            for (const auto &[control, text] : c.typed) test::SetText(d, control, text);
                            test::PostClick(d, IDOK);
                          }}});
    EXPECT_EQ(c.start(nullptr, block.data(), c.show), 1);
    EXPECT_EQ(test::PendingUiSteps(), 0u);
    test::StopUiScript();
    EXPECT_EQ(Show(block), Show(c.after));
  }
  ExpectGolden("dialogs.txt", shownControls);
}

// A step that reads one input and cancels, or types into it and confirms.
test::UiStep Expect(const char *title, int control, std::string shown, std::string typed = "") {
  return {title, [=](HWND d) {
            EXPECT_EQ(test::GetText(d, control), shown);
            if (!typed.empty()) test::SetText(d, control, typed);
            test::PostClick(d, typed.empty() ? IDCANCEL : IDOK);
          }};
}

// The device's values when the reading answers, the defaults when not; a
// definition goes to the device, which keeps it.
TEST_F(InterfaceUnit, DefinitionsOpenWithTheDevicesValues) {
  const Outcome read = Entry(136, {}, true, {Expect(kPxdTitle, IDC_PXD_SENSOR_NAME_1, "KVT1", "LINKS")});
  EXPECT_TRUE(read.result);
  ExpectSent(read.sent.at(0), 0x38, {});
  const Outcome defined = Entry(136, read.block, false);
  EXPECT_EQ(Escaped(defined.text), Escaped("Konifguration erfolgreich \xFC" "bernommen." + kLine));
  ExpectSent(defined.sent.at(0), 0x70, read.block);
  EXPECT_NE(Entry(132, {}, false).text.find("Name KVT: LINKS\n"), std::string::npos);

  const Outcome caseOne = Entry(138, {}, true, {Expect(kEvcTitle, IDC_EVC_NAME, "EINFAHRT")});
  EXPECT_FALSE(caseOne.result);
  ExpectSent(caseOne.sent.at(0), 0x39, {1});

  test::QueueNoAnswer();
  const Outcome failed = Entry(136, {}, true, {Expect(kPxdTitle, IDC_PXD_SENSOR_NAME_1, "NOKVT")});
  EXPECT_FALSE(failed.result);
  EXPECT_EQ(failed.sent.size(), 1u);
}

}  // namespace
}  // namespace kvt
