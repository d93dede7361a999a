// The PXD interface unit: the requests its handlers send from given blocks
// and their endings, its two reports for given answers, both large dialogs
// through real window messages in both start modes, and the preset reading
// before a definition, answered and failed.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <functional>
#include <optional>
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

const std::string kLine = "\nBei der Kommunikation benutzte Adresse   5  mit Zielger\xE4t  PXD.\n\n";
constexpr char kPxdTitle[] = "PXD-Konfiguration eingeben";
constexpr char kEvcTitle[] = "\xDCWF-Definition  eingeben";
constexpr BYTE kUntouched = 0xEE;

Bytes Sequence(std::size_t size) {
  Bytes bytes(size);
  for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<BYTE>(7 * i + 1);
  return bytes;
}

// A text and its zero at `at`, the bytes behind it left as they are.
template <typename Record>
void Put(Record &record, std::size_t at, const std::string &text) {
  std::copy(text.begin(), text.end(), record.begin() + at);
  record[at + text.size()] = 0;
}

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
    out.text = text.c_str();
    EXPECT_EQ(test::PendingUiSteps(), 0u);
    test::StopUiScript();
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
  EXPECT_EQ(Escaped(std::string(sent.begin() + kRecData, sent.begin() + kRecData + data.size())),
            Escaped(std::string(data.begin(), data.end())));
}

TEST_F(InterfaceUnit, DefinitionsSendTheirBlocks) {
  struct Case {
    const char *name;
    WORD handler;
    Bytes block;
    TelegramRecord answer;
    BYTE command;
    Bytes data;
    std::string text;
  };
  const std::string wrong = "Falscher Betriebsmode (NACK-Telegramm) oder falsches Antwortelegramm erhalten!";
  const Case cases[] = {
      {"configuration accepted", 136, Sequence(103), test::Answer(0xF0, {1}), 0x70, Sequence(103),
       "Konifguration erfolgreich \xFC" "bernommen."},
      {"configuration, other status", 136, Sequence(103), test::Answer(0xF0, {2}), 0x70, Sequence(103), wrong},
      {"evaluation case refused", 138, Sequence(43), test::Answer(0xF2, {0}), 0x72, Sequence(43),
       "\xDCWF-Definition abgebrochen."},
      {"dynamic field number", 160, {17, 0xAA, 0xBB, 0xCC}, test::Answer(0xCC, {1}), 0x4C, {17, 0},
       "Definition \xFC" "bernommen."},
      {"outputs refused", 161, {7, 1}, test::Answer(0xCD, {0}), 0x4D, {7, 1},
       "Definition wurde NICHT \xFC" "bernommen."},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.name);
    test::QueueAnswer(c.answer);
    const Outcome out = Entry(c.handler, c.block, false);
    EXPECT_EQ(Escaped(out.text), Escaped(c.text + kLine));
    ASSERT_EQ(out.sent.size(), 1u);
    ExpectSent(out.sent[0], c.command, c.data);
  }
  const Outcome none = Entry(161, {}, false);
  EXPECT_FALSE(none.result) << "no block, nothing sent";
  EXPECT_TRUE(none.sent.empty());
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
  TelegramRecord answer = test::AnswerWith(0xB8, {{9, 5}, {62, 2}, {63, 4}, {64, 2}, {65, 3}, {66, 0}, {103, 3},
                                                  {104, 2}, {105, 10}, {107, 1}, {109, 250}, {111, 5}});
  Put(answer, 10, "KVT-LINKS");
  Put(answer, 19, "A\rB");
  Put(answer, 28, "X3");
  Put(answer, 37, "X4");
  const std::pair<WORD, WORD> sensors[] = {{180, 50}, {100, 25}, {7, 0x33}, {0, 100}};
  for (std::size_t i = 0; i < 4; ++i) {
    PutWord(answer, 46 + 2 * i, sensors[i].first);
    PutWord(answer, 54 + 2 * i, sensors[i].second);
  }
  test::QueueAnswer(answer);
  const Outcome out = Entry(132, {}, false);
  ExpectSent(out.sent.at(0), 0x38, {});
  ExpectGolden("configuration.txt", out.text);
}

// The case number asked for; the selector 1 brings its value onto its line.
TEST_F(InterfaceUnit, EvaluationCaseReport) {
  TelegramRecord answer = test::AnswerWith(
      0xB9, {{9, 3},   {19, 0x34}, {20, 0x12}, {21, 1},  {22, 2},  {23, 1},  {25, 0x81}, {26, 0x2C}, {27, 1},
             {28, 15}, {29, 2},    {30, 0},    {31, 99}, {32, 5},  {33, 6},  {34, 10},   {35, 170},  {36, 1},
             {37, 1},  {38, 20},   {39, 1},    {40, 2},  {41, 3},  {42, 4},  {43, 1},    {44, 33},   {45, 0},
             {46, 7},  {47, 8},    {48, 9},    {49, 11}, {50, 2},  {51, 44}});
  Put(answer, 10, "TOR 3");
  test::QueueAnswer(answer);
  const Outcome out = Entry(133, {3, 0, 0, 0}, false);
  ExpectSent(out.sent.at(0), 0x39, {3});
  ExpectGolden("evaluation_case.txt", out.text);
}

// Every input of a dialog's template and its text.
std::vector<std::pair<int, std::string>> Inputs(HWND dialog) {
  std::vector<std::pair<int, std::string>> inputs;
  for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    char kind[16];
    GetClassNameA(child, kind, sizeof kind);
    if (lstrcmpiA(kind, "Edit") == 0) inputs.emplace_back(GetDlgCtrlID(child), test::WindowText(child));
  }
  return inputs;
}

// The defaults: the named inputs show their text, every other input 0.
void ExpectDefaults(HWND dialog, const std::vector<std::pair<int, std::string>> &named, std::size_t inputs) {
  const auto shown = Inputs(dialog);
  EXPECT_EQ(shown.size(), inputs);
  for (const auto &[control, text] : shown) {
    std::string expected = "0";
    for (const auto &[id, preset] : named) expected = id == control ? preset : expected;
    EXPECT_EQ(text, expected) << control;
  }
}

struct DialogCase {
  const char *name;
  INT_PTR (*start)(HWND, void *, unsigned);
  const char *title;
  unsigned show;
  Bytes before;
  std::function<void(HWND)> look;  // checks what it shows, may type
  Bytes after;
  INT_PTR result = 1;
};

TEST_F(InterfaceUnit, DialogsInBothStartModes) {
  const std::vector<std::pair<int, std::string>> pxdDefaults = {
      {IDC_PXD_SENSOR_NAME_1, "NOKVT"}, {IDC_PXD_SENSOR_NAME_2, "NOKVT"}, {IDC_PXD_SENSOR_NAME_3, "NOKVT"},
      {IDC_PXD_SENSOR_NAME_4, "NOKVT"}, {IDC_PXD_SINGLE_SHOT_1, "50"},    {IDC_PXD_SINGLE_SHOT_2, "50"},
      {IDC_PXD_SINGLE_SHOT_3, "50"},    {IDC_PXD_SINGLE_SHOT_4, "50"}};
  Bytes pxdTyped(103, kUntouched);
  std::fill(pxdTyped.begin() + 37, pxdTyped.begin() + 45, 0);
  std::fill(pxdTyped.begin() + 53, pxdTyped.begin() + 58, 0);
  std::fill(pxdTyped.begin() + 94, pxdTyped.begin() + 103, 0);
  for (std::size_t at : {1, 10, 19, 28}) Put(pxdTyped, at, "NOKVT");
  for (std::size_t at : {58, 67, 76, 85}) Put(pxdTyped, at, "0");
  Put(pxdTyped, 1, "ABCDEFGH");
  pxdTyped[0] = 0, pxdTyped[45] = 50, pxdTyped[46] = 0, pxdTyped[47] = 50, pxdTyped[48] = 0;
  pxdTyped[49] = 50, pxdTyped[50] = 0, pxdTyped[51] = 50, pxdTyped[52] = 0, pxdTyped[102] = 200;

  const std::vector<std::pair<int, std::string>> evcDefaults = {
      {IDC_EVC_NUMBER, "1"}, {IDC_EVC_NAME, "NOEVC"}, {IDC_EVC_SENSOR, "1"},
      {IDC_EVC_FIELD, "1"},  {IDC_EVC_OUTPUT_IMAGE, "1"}, {IDC_EVC_MULTIPLE, "2"}};
  Bytes evcTyped(43, 0);
  Put(evcTyped, 1, "NOEVC");
  std::fill(evcTyped.begin() + 7, evcTyped.begin() + 10, kUntouched);
  evcTyped[0] = 1, evcTyped[10] = 0x70, evcTyped[11] = 0x11, evcTyped[12] = 1, evcTyped[13] = 1;
  evcTyped[16] = 1, evcTyped[20] = 2;
  const std::pair<int, std::vector<int>> evcLimits[] = {
      {1, {IDC_EVC_MOTOR_FLAP, IDC_EVC_TIME_BASE}},
      {2, {IDC_EVC_NUMBER, IDC_EVC_SENSOR, IDC_EVC_FIELD, IDC_EVC_BLANKING, IDC_EVC_DYNAMIC_FIELDS,
           IDC_EVC_SUBTRACTIVE_FIELDS, IDC_EVC_A_REFERENCE, IDC_EVC_B_REFERENCE, IDC_EVC_C_REFERENCE,
           IDC_EVC_A_PLUS, IDC_EVC_B_PLUS, IDC_EVC_C_PLUS, IDC_EVC_A_RESTART, IDC_EVC_B_RESTART, IDC_EVC_C_RESTART}},
      {4, {IDC_EVC_MULTIPLE, IDC_EVC_A_MINUS, IDC_EVC_B_MINUS, IDC_EVC_C_MINUS, IDC_EVC_A_START, IDC_EVC_B_START,
           IDC_EVC_C_START, IDC_EVC_A_STOP, IDC_EVC_B_STOP, IDC_EVC_C_STOP, IDC_EVC_A_RESTART_TIME,
           IDC_EVC_B_RESTART_TIME, IDC_EVC_C_RESTART_TIME}},
      {8, {IDC_EVC_NAME, IDC_EVC_INPUT_IMAGE, IDC_EVC_OUTPUT_IMAGE}}};
  Bytes shown = Sequence(103);
  for (std::size_t at : {1, 10, 19, 28, 58, 67, 76, 85}) Put(shown, at, "N" + std::to_string(at));
  Bytes shownCase = Sequence(43);
  Put(shownCase, 1, "CASE7");

  const DialogCase cases[] = {
      {"configuration, defaults typed over", DialogPXDKfg, kPxdTitle, 0, Bytes(103, kUntouched),
       [&](HWND d) {
         ExpectDefaults(d, pxdDefaults, 28);
         EXPECT_EQ(SendDlgItemMessageA(d, IDC_PXD_SENSOR_COUNT, EM_GETLIMITTEXT, 0, 0), 1);
         test::SetText(d, IDC_PXD_SENSOR_NAME_1, "ABCDEFGHIJ");
         test::SetText(d, IDC_PXD_SINGLE_SHOT_1, "50.5");
         test::SetText(d, IDC_PXD_ADDRESS, "200");
         test::PostClick(d, IDOK);
       },
       pxdTyped},
      {"configuration shown from its block", DialogPXDKfg, kPxdTitle, 7, shown,
       [&](HWND d) {
         EXPECT_EQ(test::GetText(d, IDC_PXD_SENSOR_NAME_2), "N10");
         EXPECT_EQ(test::GetText(d, IDC_PXD_SCAN_ANGLE_2), std::to_string(Word(shown, 39)));
         test::PostClick(d, IDOK);
       },
       shown},
      {"evaluation case, defaults typed over", DialogEVCDef, kEvcTitle, 0, Bytes(43, kUntouched),
       [&](HWND d) {
         ExpectDefaults(d, evcDefaults, 33);
         for (const auto &[limit, controls] : evcLimits) {
           for (int control : controls) EXPECT_EQ(SendDlgItemMessageA(d, control, EM_GETLIMITTEXT, 0, 0), limit);
         }
         test::SetText(d, IDC_EVC_INPUT_IMAGE, "70000");
         test::PostClick(d, IDOK);
       },
       evcTyped},
      {"evaluation case shown from its block", DialogEVCDef, kEvcTitle, 1, shownCase,
       [&](HWND d) {
         EXPECT_EQ(test::GetText(d, IDC_EVC_NAME), "CASE7");
         EXPECT_EQ(test::GetText(d, IDC_EVC_C_RESTART_TIME), std::to_string(shownCase[42]));
         test::PostClick(d, IDOK);
       },
       shownCase},
      {"evaluation case cancelled", DialogEVCDef, kEvcTitle, 0, Bytes(43, kUntouched),
       [](HWND d) { test::PostClick(d, IDCANCEL); }, Bytes(43, kUntouched), 0},
  };
  for (const DialogCase &c : cases) {
    SCOPED_TRACE(c.name);
    Bytes block = c.before;
    test::StartUiScript({{c.title, c.look}});
    EXPECT_EQ(c.start(nullptr, block.data(), c.show), c.result);
    EXPECT_EQ(test::PendingUiSteps(), 0u);
    test::StopUiScript();
    EXPECT_EQ(Escaped(std::string(block.begin(), block.end())), Escaped(std::string(c.after.begin(), c.after.end())));
  }
}

// The device's values when the reading answers, the defaults when not; then
// the definition goes to the device, which keeps it.
TEST_F(InterfaceUnit, DefinitionsOpenWithTheDevicesValues) {
  const Outcome read = Entry(136, {}, true, {{kPxdTitle, [](HWND d) {
                                                EXPECT_EQ(test::GetText(d, IDC_PXD_SENSOR_NAME_1), "KVT1");
                                                test::SetText(d, IDC_PXD_SENSOR_NAME_1, "LINKS");
                                                test::PostClick(d, IDOK);
                                              }}});
  EXPECT_TRUE(read.result);
  ExpectSent(read.sent.at(0), 0x38, {});
  const Outcome defined = Entry(136, read.block, false);
  EXPECT_EQ(Escaped(defined.text), Escaped("Konifguration erfolgreich \xFC" "bernommen." + kLine));
  ExpectSent(defined.sent.at(0), 0x70, read.block);
  EXPECT_NE(Entry(132, {}, false).text.find("Name KVT: LINKS\n"), std::string::npos);

  const Outcome caseOne = Entry(138, {}, true, {{kEvcTitle, [](HWND d) {
                                                   EXPECT_EQ(test::GetText(d, IDC_EVC_NAME), "EINFAHRT");
                                                   test::PostClick(d, IDCANCEL);
                                                 }}});
  EXPECT_FALSE(caseOne.result);
  ExpectSent(caseOne.sent.at(0), 0x39, {1});

  test::QueueNoAnswer();
  const Outcome failed = Entry(136, {}, true, {{kPxdTitle, [](HWND d) {
                                                  EXPECT_EQ(test::GetText(d, IDC_PXD_SENSOR_NAME_1), "NOKVT");
                                                  test::PostClick(d, IDCANCEL);
                                                }}});
  EXPECT_FALSE(failed.result);
  EXPECT_EQ(failed.sent.size(), 1u);
}

}  // namespace
}  // namespace kvt
