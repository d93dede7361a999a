// Every dialog KVTIDIAG.DLL exports, fed garbage through window messages: a
// hundred rounds and more each, every kind of bad input in turn, on a block
// that ends at a guard page. No crash; the block written only in the
// dialog's fields, and not at all when the dialog is cancelled untouched.
#include <gtest/gtest.h>

#include <algorithm>
#include <iostream>
#include <vector>

#include "dialogs/dialogs.h"
#include "fuzz/fuzz.h"

namespace kvt::fuzz {
namespace {

struct Field {
  std::size_t from;
  std::size_t to;  // behind its last byte
};

// What Cancel leaves: the block as it was (the frame's rule), the fields as
// the dialog set them when it opened or on a click, or an empty text.
enum class OnCancel : BYTE { kUntouched, kFieldsSet, kEmptied };

// Each dialog's block and the bytes its fields take, from the dialogs'
// layouts; for the starters whose third argument chooses the dialog, per
// kind (-1: every other kind).
struct Layout {
  const char *name;
  std::size_t block;
  std::vector<Field> fields;
  int kind = -1;
  OnCancel cancel = OnCancel::kUntouched;
};

const Layout kLayouts[] = {
    {"DialogStopThres", 4, {{0, 4}}},       {"DialogWATime", 4, {{0, 1}}},
    {"DialogAglMode", 4, {{0, 1}}},         {"DialogEVCNr", 4, {{0, 1}}},
    {"DialogSimIndex", 4, {{0, 1}}},        {"DialogFieldNr", 4, {{0, 1}}},
    {"DialogKVTNr", 4, {{0, 1}}},           {"DialogRspTime", 4, {{0, 1}}},
    {"DialogSensorAdr", 4, {{0, 1}}},       {"DialogRefNr", 4, {{0, 2}}},
    {"DialogCorrAnf", 4, {{0, 1}}},         {"DialogKVTFieldNr", 2, {{0, 2}}},
    {"DialogOutputSet", 2, {{0, 2}}},       {"DialogVarDef", 8, {{0, 8}}},
    {"DialogAverageMV", 4, {{0, 4}}},       {"DialogSegmentCount", 4, {{0, 1}, {2, 3}}},
    {"DialogMemDump", 8, {{0, 5}}},         {"DialogClbHcode", 9, {{0, 9}}},
    {"DialogMVPartial", 12, {{0, 6}}},      {"DialogAMVP", 12, {{0, 8}}},
    {"DialogSegmP", 12, {{2, 8}}},          {"DialogMwRem", 22, {{0, 22}}},
    {"DialogPosHelp", 16, {{0, 16}}},       {"DialogVacCtrl", 8, {{0, 6}}},
    {"DialogLModeData", 20, {{0, 20}}},     {"DialogCorrDef", 804, {{0, 804}}},
    {"DialogDistCorrDef", 804, {{0, 514}}}, {"DialogAssemblycheck", 68, {{0, 68}}},
    {"DialogRemDef", 804, {{2, 40}}},       {"DialogConvDef", 804, {{2, 40}}},
    {"DialogDeviceAdr", 4, {{0, 2}}},       {"EditResultDlgProc", 255, {{0, 255}}, -1, OnCancel::kEmptied},
    {"DialogEVCDef", 43, {{0, 43}}},        {"DialogPXDKfg", 103, {{0, 103}}},
    {"DialogKVTKfg", 33, {{0, 33}}},        {"DialogKVTKfg2", 84, {{0, 9}}},
    {"DialogFieldKfg", 1636, {{0, 20}, {24, 36}}, 0},
    {"DialogFieldKfg", 1636, {{0, 20}, {24, 28}}, 1},
    {"DialogFieldKfg", 1636, {{0, 20}, {24, 1628}}, 2},
    {"DialogFieldKfg", 1636, {}},
    {"DialogDYNRECKfg", 260, {{0, 6}, {12, 40}, {80, 100}, {140, 160}, {200, 220}}},
    // the head, then columns 1 to 5 of the eleven lines of the class table
    {"DialogDYNSEGKfg", 688, {{0, 38}, {88, 98}, {148, 158}, {208, 218}, {268, 278}, {328, 338}, {388, 398},
                              {448, 458}, {508, 518}, {568, 578}, {628, 638}}},
    {"DialogNavDat", 809, {{0, 9}}, 0, OnCancel::kFieldsSet},
    {"DialogNavDat", 26, {{0, 26}}, 1, OnCancel::kFieldsSet},
    {"DialogNavDat", 3, {{0, 3}}, 2, OnCancel::kFieldsSet},
    {"DialogNavDat", 6, {{0, 6}}, 3, OnCancel::kFieldsSet},
    {"DialogNavDat", 2, {{0, 2}}, 4, OnCancel::kFieldsSet},
    {"DialogNavDat", 809, {}},
};
// A dialog without a layout here gets a block as large as any and is only
// checked for crashes and for Cancel.
constexpr std::size_t kLargestBlock = 2048;
// Each round fills every input with one kind of garbage, the kinds in turn,
// until a dialog had twenty rounds (each kind twice, each selector four
// times) and a hundred inputs (a starter opens no dialog for some
// selectors), or three hundred rounds.
constexpr int kRounds = 20;
constexpr std::size_t kInputs = 100;
constexpr int kMostRounds = 300;

// The exported dialog starters, and the one procedure that has none.
std::vector<std::string> ExportedDialogs(HMODULE module) {
  const auto *base = reinterpret_cast<const BYTE *>(module);
  const auto *dos = reinterpret_cast<const IMAGE_DOS_HEADER *>(base);
  const auto *nt = reinterpret_cast<const IMAGE_NT_HEADERS *>(base + dos->e_lfanew);
  const auto &directory = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_EXPORT];
  const auto *exports = reinterpret_cast<const IMAGE_EXPORT_DIRECTORY *>(base + directory.VirtualAddress);
  const auto *names = reinterpret_cast<const DWORD *>(base + exports->AddressOfNames);
  std::vector<std::string> dialogs;
  for (DWORD i = 0; i < exports->NumberOfNames; ++i) {
    const std::string name = reinterpret_cast<const char *>(base + names[i]);
    if ((name.rfind("Dialog", 0) == 0 && name != "DialogDiagnose") || name == "EditResultDlgProc") {
      dialogs.push_back(name);
    }
  }
  return dialogs;
}

Layout LayoutOf(const std::string &name, int kind) {
  const Layout *found = nullptr;
  for (const Layout &layout : kLayouts) {
    if (name == layout.name && (layout.kind == kind || (layout.kind == -1 && !found))) found = &layout;
  }
  return found ? *found : Layout{"", kLargestBlock, {{0, kLargestBlock}}};
}

using Starter = INT_PTR(WINAPI *)(HWND owner, void *block, BYTE selector);

INT_PTR Start(HMODULE module, const std::string &name, BYTE *block, BYTE selector) {
  const FARPROC entry = GetProcAddress(module, name.c_str());
  if (name == "EditResultDlgProc") {
    return DialogBoxParamA(module, MAKEINTRESOURCEA(IDD_EDIT_RESULT), StartAnswering(),
                           reinterpret_cast<DLGPROC>(reinterpret_cast<void (*)()>(entry)), reinterpret_cast<LPARAM>(block));
  }
  // Starters of two arguments leave the third alone on this architecture.
  return reinterpret_cast<Starter>(reinterpret_cast<void (*)()>(entry))(StartAnswering(), block, selector);
}

bool InField(const Layout &layout, std::size_t at) {
  for (const Field &field : layout.fields) {
    if (at >= field.from && at < field.to) return true;
  }
  return false;
}

TEST(DialogGarbage, EveryExportedDialogKeepsToItsFields) {
  EndOnFaults(nullptr);
  HMODULE module = LoadLibraryA("KVTIDIAG.DLL");
  ASSERT_NE(module, nullptr);
  const std::vector<std::string> dialogs = ExportedDialogs(module);
  for (const Layout &layout : kLayouts) {
    EXPECT_NE(std::find(dialogs.begin(), dialogs.end(), layout.name), dialogs.end()) << layout.name;
  }
  for (const std::string &name : dialogs) {
    if (LayoutOf(name, 0).name[0] == '\0') std::cout << name << ": no layout, checked for crashes and Cancel only\n";
    std::size_t typed = 0;
    const ULONGLONG start = GetTickCount64();
    int round = 0;
    for (; (round < kRounds || typed < kInputs) && round < kMostRounds; ++round) {
      SCOPED_TRACE(name + " round " + std::to_string(round));
      const BYTE kind = static_cast<BYTE>(round % 5);
      const Layout layout = LayoutOf(name, kind);
      Input input;
      Playing() = Play{.input = &input,
                       .random = StreamOf(7, round),
                       .garbage = static_cast<Garbage>(round % static_cast<int>(Garbage::kKinds))};
      const std::span<BYTE> block = GuardedBytes(Region::kDialogBlock, layout.block);
      for (BYTE &b : block) b = Playing().random.AnyByte();
      const Bytes before(block.begin(), block.end());
      const INT_PTR result = Start(module, name, block.data(), kind);
      Playing().input = nullptr;
      for (const Round &taken : input.rounds) typed += taken.typed.size();
      EXPECT_TRUE(result == 0 || result == 1) << result;
      // Cancel itself writes nothing; a click before it may set its field.
      const bool cancelled = input.rounds.size() == 1 && input.rounds[0].clicked.empty() &&
                             (input.rounds[0].key == Key::kCancel || input.rounds[0].key == Key::kEscape);
      for (std::size_t at = 0; at < block.size(); ++at) {
        bool mayChange = InField(layout, at);
        if (cancelled && layout.cancel == OnCancel::kUntouched) mayChange = false;
        if (cancelled && layout.cancel == OnCancel::kEmptied) mayChange = at == 0;
        if (!mayChange) {
          EXPECT_EQ(block[at], before[at]) << "byte " << at;
        }
      }
    }
    EXPECT_GE(typed, kInputs);
    std::cout << name << ": " << round << " rounds, " << typed << " inputs, " << GetTickCount64() - start << " ms\n";
  }
  FreeLibrary(module);
}

}  // namespace
}  // namespace kvt::fuzz
