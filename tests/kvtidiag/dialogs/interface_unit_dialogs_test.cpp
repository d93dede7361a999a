// The PXD configuration and evaluation-case dialogs in both start modes,
// through KVTIDIAG.DLL's exports and real window messages: what each control shows (a golden file of
// the whole layout in tab order, with labels, presets and limits) and the
// block OK leaves.
#include <gtest/gtest.h>

#include <numeric>

#include "dialogs/dialogs.h"
#include "kvtidiag/dialogs/dialog_cases.h"
#include "support/records.h"
#include "support/texts.h"
#include "support/ui.h"

namespace kvt::test {
namespace {

using namespace std::string_literals;

// Runs of bytes at their offsets.
void Place(Bytes &block, std::initializer_list<std::pair<std::size_t, std::string>> runs) {
  for (const auto &[at, run] : runs) std::copy(run.begin(), run.end(), block.begin() + at);
}

Bytes Counting(std::size_t size) {
  Bytes bytes(size);
  std::iota(bytes.begin(), bytes.end(), BYTE{1});
  return bytes;
}

// Every control in tab order: class, id, the limit of an input that has
// one, and its text.
std::string Controls(HWND dialog) {
  std::string controls;
  for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    const std::string kind = ClassName(child);
    const auto limit = SendMessageA(child, EM_GETLIMITTEXT, 0, 0);
    controls += kind + " " + std::to_string(static_cast<short>(GetDlgCtrlID(child))) +
                (GetWindowLongA(child, GWL_STYLE) & WS_TABSTOP ? " tab" : "") +
                (kind == "Edit" && limit < 100 ? " limit " + std::to_string(limit) : "") + ": " + Text(child) + "\n";
  }
  return controls;
}

// Each with the flag that shows the block (nonzero) or the defaults.
const Dialog kPxdDefaults{"DialogPXDKfg", 0, IDD_PXD_KFG, "PXDKfgDlgProc", text::kPxdConfigTitle};
const Dialog kPxdShown{"DialogPXDKfg", 7, IDD_PXD_KFG, "PXDKfgDlgProc", text::kPxdConfigTitle};
const Dialog kEvcDefaults{"DialogEVCDef", 0, IDD_EVC_DEF, "EVCDefDlgProc", text::kCaseDefinitionTitle};
const Dialog kEvcShown{"DialogEVCDef", 1, IDD_EVC_DEF, "EVCDefDlgProc", text::kCaseDefinitionTitle};

struct Case {
  const char *name;
  const Dialog &dialog;
  Bytes before;
  std::vector<std::pair<int, std::string>> typed;
  Bytes after;
};

TEST(InterfaceUnitDialogs, BothStartModes) {
  Bytes pxdTyped(103, kUntouched);
  for (std::size_t at : {1, 10, 19, 28}) Place(pxdTyped, {{at, "NOKVT\0"s}});
  for (std::size_t at : {58, 67, 76, 85}) Place(pxdTyped, {{at, "0\0"s}});
  Place(pxdTyped, {{0, "\0ABCDEFGH\0"s}, {37, std::string(8, '\0') + "\x32\0\x32\0\x32\0\x32\0"s + std::string(5, '\0')},
                   {94, std::string(8, '\0') + "\xC8"}});
  Bytes evcTyped(43, 0);
  Place(evcTyped, {{0, "\x01NOEVC\0\xEE\xEE\xEE\x70\x11\x01\x01"s}, {16, "\x01"}, {20, "\x02"}});
  Bytes pxdShown = Counting(103);
  for (std::size_t at : {1, 10, 19, 28, 58, 67, 76, 85}) Place(pxdShown, {{at, std::to_string(at).append("N\0"s)}});
  Bytes evcShown = Counting(43);
  Place(evcShown, {{1, "CASE7\0"s}});
  const Case cases[] = {
      {"configuration, defaults typed over", kPxdDefaults, Bytes(103, kUntouched),
       {{IDC_PXD_SENSOR_NAME_1, "ABCDEFGHIJ"}, {IDC_PXD_SINGLE_SHOT_1, "50.5"}, {IDC_PXD_ADDRESS, "200"}}, pxdTyped},
      {"configuration shown from its block", kPxdShown, pxdShown, {}, pxdShown},
      {"evaluation case, defaults typed over", kEvcDefaults, Bytes(43, kUntouched),
       {{IDC_EVC_INPUT_IMAGE, "70000"}}, evcTyped},
      {"evaluation case shown from its block", kEvcShown, evcShown, {}, evcShown},
  };
  std::string shown;
  for (const Case &c : cases) {
    SCOPED_TRACE(c.name);
    Bytes block = c.before;
    block.resize(c.before.size() + 8, kUntouched);  // guard bytes behind the block
    INT_PTR result = -1;
    const UiRun run = RunUi({{c.dialog.title, [&](HWND dialog) {
                                shown += std::string("== ") + c.name + "\n" + Controls(dialog);
                                for (const auto &[control, text] : c.typed) SetText(dialog, control, text);
                                Click(dialog, IDOK);
                              }}},
                            [&] { result = Start(c.dialog, block.data()); });
    EXPECT_EQ(run.pending, 0u);
    EXPECT_EQ(result, 1);
    Bytes expected = c.after;
    expected.resize(c.after.size() + 8, kUntouched);
    EXPECT_EQ(Hex(block), Hex(expected));
  }
  ExpectGolden("tests/kvtidiag/dialogs/golden/interface_unit_dialogs.txt", shown);
}

// The frame: buttons, control colours, Cancel and the exported procedures.
TEST(InterfaceUnitDialogs, Frame) { CheckLooks({{kPxdDefaults, {}}, {kEvcDefaults, {}}}); }

}  // namespace
}  // namespace kvt::test
