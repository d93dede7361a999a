// The table dialogs: learn-mode data, lists of correction parameters (also
// the distance-dependent table the device sent, with its distance labels),
// final-test data, and the parameter sets of the occupancy and
// conveyor-belt checks.
#include <cstdio>
#include <cstring>

#include "dialogs/scan_inputs.h"
#include "string_ids.h"
#include "kvt/bytes.h"

using namespace kvt;

namespace {

using enum Reading;
using enum Field;
using enum OkRule;

constexpr int kListChars = 1999;
constexpr std::size_t kTableBlockBytes = 804;

// --- Learn-mode data ------------------------------------------------------

// A change that leaves text in one input sets the length limit of the
// next: sensor, field, letter, angle, single shot, name.
constexpr Input kLearn[] = {
    SingleShotInput(IDC_LEARN_SHOT, kU32, 16, {IDC_LEARN_NAME, 8}),
    ScanAngleInput(IDC_LEARN_ANGLE, kS32, 12, {IDC_LEARN_SHOT, 8}),
    // Field letters by their number; any other letter is field A.
    {.control = IDC_LEARN_KIND, .preset = "A", .reading = kLetter, .chars = 2, .offset = 11,
     .chained = {IDC_LEARN_ANGLE, 8}, .letters = "ABCDEF"},
    {.control = IDC_LEARN_UNIT, .preset = "0", .limit = 1, .reading = kNumber, .chars = 2, .field = kUnitBits,
     .offset = 11},
    {.control = IDC_LEARN_SENSOR, .preset = "1", .limit = 1, .reading = kNumber, .chars = 3,
     .chained = {IDC_LEARN_FIELD, 1}, .check = InRange(0, 4, ids::kSensorNumberFrom1To4, kReplace, 1)},
    {.control = IDC_LEARN_FIELD, .preset = "1", .reading = kNumber, .chars = 3, .offset = 1,
     .chained = {IDC_LEARN_KIND, 8}, .check = InRange(0, 4, ids::kFieldNumberFrom1To4, kReplace, 1)},
    // Not on template 109: an empty name.
    {.control = IDC_LEARN_NAME, .preset = "Feld1", .limit = 8, .reading = kCharacters, .chars = 8, .field = kText,
     .offset = 2, .onChange = kEnableOnChange},
};

// --- Correction parameters ------------------------------------------------

// Entries the list does not name count on from their index. The
// definition shows its presets, not the block the device sent.
constexpr List kCorrectionList{.token = kNumber, .fill = Fill::kIndex};
constexpr Input kCorrectionInputs[] = {
    {.control = IDC_CORR_COUNT, .preset = "6", .reading = kNumber, .chars = 3, .field = kU16,
     .chained = {IDC_CORR_LIST, kListChars}, .check = InRange(0, 400, ids::kImplausibleVariantValues, kReplace, 8)},
    {.control = IDC_CORR_LIST, .preset = " 1,2,3,4,5,6", .reading = kList, .chars = kListChars, .field = kU16,
     .offset = 2, .list = &kCorrectionList},
};
constexpr Description kCorrections{.inputs = kCorrectionInputs, .blockBytes = kTableBlockBytes};

constexpr unsigned kMaxDistanceCorrections = 256;
constexpr std::size_t kMaxTableText = 3990;

// Every fourth entry of the table the device sent gets a distance label: '<cm>cm':
void ShowDistances(HWND dialog, std::span<BYTE> block) {
  const unsigned count = Word(block, 0);
  if (count < 1 || count > kMaxDistanceCorrections) return;
  const unsigned step = count <= 128 ? 256 : 128;
  std::string text;
  for (unsigned i = 0; i < count && text.size() < kMaxTableText; ++i) {
    char piece[32];
    if (i % 4 == 0) {
      std::snprintf(piece, sizeof piece, "'%ucm':", i * step / 10);
      text += piece;
    }
    std::snprintf(piece, sizeof piece, "%d, ", static_cast<short>(Word(block, 2 + 2 * i)));
    text += piece;
  }
  SetDlgItemTextA(dialog, IDC_CORR_LIST, text.c_str());
}

// The list without its labels: what stands between a label's ":" and the
// next label's "'". A text without labels is used whole.
std::string WithoutLabels(std::string typed, unsigned count) {
  std::string kept = typed;
  std::strtok(typed.data(), ":");
  if (const char *first = std::strtok(nullptr, "'")) kept = first;
  std::strtok(nullptr, ":");
  for (unsigned i = 0; i < count; ++i) {
    const char *more = std::strtok(nullptr, "'");
    if (!more) break;
    kept += more;
    std::strtok(nullptr, ":");
  }
  return kept;
}

// A count above 256 is refused: count 0, no entries, result 0. Entries the
// list does not name repeat the word before them.
constexpr List kDistanceList{.token = kNumber, .fill = Fill::kPrevious, .prepare = WithoutLabels};
constexpr Input kDistanceInputs[] = {
    {.control = IDC_CORR_COUNT, .presetFromBlock = true, .reading = kNumber, .chars = 5, .field = kU16,
     .check = InRange(0, kMaxDistanceCorrections, ids::kImplausibleVariantValues, kReplace | kResultZero, 0)},
    {.control = IDC_CORR_LIST, .reading = kList, .chars = kListChars, .field = kU16, .offset = 2,
     .list = &kDistanceList},
};
constexpr Description kDistances{.inputs = kDistanceInputs, .blockBytes = kTableBlockBytes, .onInit = ShowDistances};

// --- Final-test data --------------------------------------------------------

// A length beyond the block's 32 words is cut to them; data words the list
// does not name are 0.
constexpr unsigned kMaxFinalWords = 32;
constexpr List kFinalList{.token = kDecimal, .countAt = 2};
constexpr Input kFinalInputs[] = {
    {.control = IDC_FINAL_ACTION, .preset = "0", .reading = kDecimal, .chars = 1},
    {.control = IDC_FINAL_MODE, .preset = "0", .reading = kDecimal, .chars = 1, .offset = 1},
    {.control = IDC_FINAL_LENGTH, .preset = "0", .reading = kDecimal, .chars = 2, .field = kU16, .offset = 2,
     .check = AsRead(InRange(0, kMaxFinalWords, 0, kClamp))},
    {.control = IDC_FINAL_DATA, .preset = "1,2,3", .reading = kList, .chars = kListChars, .field = kU16, .offset = 4,
     .list = &kFinalList},
};
constexpr Description kFinal{.inputs = kFinalInputs, .blockBytes = 4 + 2 * kMaxFinalWords};

// --- Occupancy and conveyor-belt checks -------------------------------------

// Every input shows the word the device sent and is read back with atoi.
constexpr Input DeviceWord(int control, std::size_t offset) {
  return {.control = control, .presetFromBlock = true, .reading = kDecimal, .chars = 11, .field = kU16,
          .offset = offset};
}
constexpr Input kCheckInputs[] = {
    DeviceWord(IDC_CHECK_START, 2), DeviceWord(IDC_CHECK_STOP, 4), DeviceWord(IDC_CHECK_WORD_6, 6),
    DeviceWord(IDC_CHECK_WORD_8, 8), DeviceWord(IDC_CHECK_WORD_10, 10), DeviceWord(IDC_CHECK_WORD_12, 12),
    DeviceWord(IDC_CHECK_WORD_14, 14), DeviceWord(IDC_CHECK_WORD_16, 16), DeviceWord(IDC_CHECK_WORD_18, 18),
    DeviceWord(IDC_CHECK_WORD_20, 20), DeviceWord(IDC_CHECK_WORD_24, 24), DeviceWord(IDC_CHECK_WORD_26, 26),
    DeviceWord(IDC_CHECK_WORD_28, 28), DeviceWord(IDC_CHECK_WORD_30, 30), DeviceWord(IDC_CHECK_WORD_32, 32),
    DeviceWord(IDC_CHECK_WORD_34, 34),
    {.control = IDC_CHECK_SUM, .presetFromBlock = true, .reading = kDecimal, .chars = 11, .field = kU32, .offset = 36},
};
constexpr Button kCheckHold[] = {
    {IDC_CHECK_HOLD, ButtonRule::kToggles, kU16, 22, 1},
};
// Bytes 0-1 and from 40 on stay as the device sent them.
constexpr Description kChecks{.inputs = kCheckInputs, .buttons = kCheckHold, .blockBytes = 40};

}  // namespace

extern "C" {

INT_PTR CALLBACK LModeDataDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  return RunDialog<kLearn>(dialog, message, wParam, lParam);
}
INT_PTR WINAPI DialogLModeData(HWND owner, void *block) {
  return StartDialog(owner, block, IDD_LMODE_DATA, LModeDataDlgProc);
}

INT_PTR CALLBACK CorrDefDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  return RunDialog<kCorrections>(dialog, message, wParam, lParam);
}
INT_PTR WINAPI DialogCorrDef(HWND owner, void *block) {
  return StartDialog(owner, block, IDD_CORR_DEF, CorrDefDlgProc);
}

INT_PTR CALLBACK DistCorrDefDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  return RunDialog<kDistances>(dialog, message, wParam, lParam);
}
INT_PTR WINAPI DialogDistCorrDef(HWND owner, void *block) {
  return StartDialog(owner, block, IDD_CORR_DEF, DistCorrDefDlgProc);
}

INT_PTR CALLBACK AssemblycheckDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  return RunDialog<kFinal>(dialog, message, wParam, lParam);
}
INT_PTR WINAPI DialogAssemblycheck(HWND owner, void *block) {
  return StartDialog(owner, block, IDD_ASSEMBLY_CHECK, AssemblycheckDlgProc);
}

INT_PTR CALLBACK RemDefDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  return RunDialog<kChecks>(dialog, message, wParam, lParam);
}
INT_PTR WINAPI DialogRemDef(HWND owner, void *block) { return StartDialog(owner, block, IDD_REM_DEF, RemDefDlgProc); }
INT_PTR WINAPI DialogConvDef(HWND owner, void *block) { return StartDialog(owner, block, IDD_CONV_DEF, RemDefDlgProc); }

}  // extern "C"
