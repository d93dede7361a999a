// The table dialogs: learn-mode data, lists of correction parameters (also
// the distance-dependent table the device sent, with its distance labels),
// final-test data, and the parameter sets of the occupancy and
// conveyor-belt checks. Each keeps its block and brush in statics of its
// own and hands each event to a small function.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "answers/answers.h"
#include "dialogs/value_dialog.h"
#include "kvt/bytes.h"

using namespace kvt;

namespace {

constexpr INT_PTR kResultOk = 1;
constexpr INT_PTR kResultCancel = 0;
constexpr UINT kWrongInputMessage = 250;
constexpr UINT kSensorMessage = 222;
constexpr UINT kFieldMessage = 224;
constexpr UINT kImplausibleMessage = 260;
constexpr int kListChars = 1999;

struct DialogState {
  BYTE *block = nullptr;
  DialogFrame frame;
};

// At most `chars` characters of an input.
std::string InputText(HWND dialog, int control, int chars) {
  std::string text(static_cast<std::size_t>(chars) + 1, '\0');
  const int length = GetDlgItemTextA(dialog, control, text.data(), chars + 1);
  text.resize(length > 0 ? static_cast<std::size_t>(length) : 0);
  return text;
}

void Warn(HWND dialog, UINT message) { MessageBoxFromTable(dialog, kMessageFlags, static_cast<int>(message)); }

// The frame's messages; FALSE for the ones a dialog handles itself.
bool FrameMessage(DialogState &state, UINT message, WPARAM wParam, LPARAM lParam, INT_PTR &result) {
  switch (message) {
    case WM_DESTROY: FrameDestroy(state.frame); result = TRUE; return true;
    case kCtlColorMessage: result = FrameControlColour(state.frame, wParam, lParam); return true;
    default: return false;
  }
}

// --- Learn-mode data ------------------------------------------------------

constexpr std::size_t kLearnBlockBytes = 20;

struct Preset {
  int control;
  const char *text;
  int limit;  // 0: none
};

constexpr Preset kLearnPresets[] = {
    {IDC_LEARN_SENSOR, "1", 1}, {IDC_LEARN_FIELD, "1", 0},  {IDC_LEARN_UNIT, "0", 1},  {IDC_LEARN_KIND, "A", 0},
    {IDC_LEARN_ANGLE, "100", 0}, {IDC_LEARN_SHOT, "0.5", 0}, {IDC_LEARN_NAME, "Feld1", 8},
};

// A change that leaves text in one input sets the length limit of the next.
struct LimitChain {
  int from;
  int to;
  int limit;
};

constexpr LimitChain kLearnChain[] = {
    {IDC_LEARN_SENSOR, IDC_LEARN_FIELD, 1}, {IDC_LEARN_FIELD, IDC_LEARN_KIND, 8},
    {IDC_LEARN_KIND, IDC_LEARN_ANGLE, 8},   {IDC_LEARN_ANGLE, IDC_LEARN_SHOT, 8},
    {IDC_LEARN_SHOT, IDC_LEARN_NAME, 8},
};

// Field letters by their number; any other letter is field A.
constexpr char kFieldLetters[] = "ABCDEF";

DialogState g_learn;

void OnLearnChange(HWND dialog, int control) {
  if (control == IDC_LEARN_NAME) {
    EnableWindow(GetDlgItem(dialog, IDOK), TRUE);
    return;
  }
  for (const LimitChain &link : kLearnChain) {
    if (link.from == control && GetWindowTextLengthA(GetDlgItem(dialog, control)) > 0) {
      SendDlgItemMessageA(dialog, link.to, EM_LIMITTEXT, link.limit, 0);
    }
  }
}

void OnLearnOk(HWND dialog) {
  const std::span<BYTE> block{g_learn.block, g_learn.block ? kLearnBlockBytes : 0};
  // Single shot in 1/100 degree: 0.25, 0.5 or 1.0 degrees.
  double shot = std::strtod(InputText(dialog, IDC_LEARN_SHOT, 7).c_str(), nullptr);
  if (shot != 0.5 && shot != 1.0 && shot != 0.25) {
    Warn(dialog, kWrongInputMessage);
    shot = 1.0;
  }
  PutDword(block, 16, static_cast<DWORD>(shot * 100));

  std::int32_t angle = TextToNumber(InputText(dialog, IDC_LEARN_ANGLE, 7).c_str());
  if (angle != 180 && angle != 100) {
    Warn(dialog, kWrongInputMessage);
    angle = 100;
  }
  PutDword(block, 12, static_cast<DWORD>(angle));

  const std::string kind = InputText(dialog, IDC_LEARN_KIND, 2);
  char first = kind.empty() ? 'A' : kind[0];
  if (first >= 'a' && first <= 'z') first = static_cast<char>(first - 'a' + 'A');
  const char *found = first != '\0' ? std::strchr(kFieldLetters, first) : nullptr;
  const unsigned field = found ? static_cast<unsigned>(found - kFieldLetters) : 0;
  const std::int32_t unit = TextToNumber(InputText(dialog, IDC_LEARN_UNIT, 2).c_str());
  PutByte(block, 11, (field | (static_cast<unsigned>(unit) << 6)) & 0xFF);

  PutByte(block, 0, static_cast<unsigned>(TextToNumber(InputText(dialog, IDC_LEARN_SENSOR, 3).c_str())));
  if (Byte(block, 0) > 4) {
    Warn(dialog, kSensorMessage);
    PutByte(block, 0, 1);
  }
  PutByte(block, 1, static_cast<unsigned>(TextToNumber(InputText(dialog, IDC_LEARN_FIELD, 3).c_str())));
  if (Byte(block, 1) > 4) {
    Warn(dialog, kFieldMessage);
    PutByte(block, 1, 1);
  }
  const std::string name = InputText(dialog, IDC_LEARN_NAME, 8);
  for (std::size_t i = 0; i <= name.size(); ++i) PutByte(block, 2 + i, i < name.size() ? static_cast<BYTE>(name[i]) : 0);
  EndDialog(dialog, kResultOk);
}

// --- Correction parameters ------------------------------------------------

constexpr std::size_t kTableBlockBytes = 804;
constexpr unsigned kMaxCorrections = 400;
constexpr unsigned kReplacedCount = 8;
constexpr unsigned kMaxDistanceCorrections = 256;
constexpr std::size_t kMaxTableText = 3990;

DialogState g_corrections;
DialogState g_distances;

// The tokens of a list, split at commas and blanks.
std::vector<std::string> Tokens(std::string text) {
  std::vector<std::string> tokens;
  for (char *token = std::strtok(text.data(), ", "); token; token = std::strtok(nullptr, ", ")) tokens.emplace_back(token);
  return tokens;
}

void OnCorrectionsInit(HWND dialog) {
  SetDlgItemTextA(dialog, IDC_CORR_COUNT, "6");
  SetDlgItemTextA(dialog, IDC_CORR_LIST, " 1,2,3,4,5,6");
}

void OnCorrectionsOk(HWND dialog) {
  const std::span<BYTE> block{g_corrections.block, g_corrections.block ? kTableBlockBytes : 0};
  PutWord(block, 0, static_cast<unsigned>(TextToNumber(InputText(dialog, IDC_CORR_COUNT, 3).c_str())));
  if (Word(block, 0) > kMaxCorrections) {
    Warn(dialog, kImplausibleMessage);
    PutWord(block, 0, kReplacedCount);
  }
  const std::vector<std::string> tokens = Tokens(InputText(dialog, IDC_CORR_LIST, kListChars));
  for (unsigned i = 0; i < Word(block, 0); ++i) {
    PutWord(block, 2 + 2 * i, i < tokens.size() ? static_cast<unsigned>(TextToNumber(tokens[i].c_str())) : i);
  }
  EndDialog(dialog, kResultOk);
}

// Every fourth entry gets a distance label: '<cm>cm':
void OnDistancesInit(HWND dialog) {
  const std::span<const BYTE> block{g_distances.block, g_distances.block ? kTableBlockBytes : 0};
  const unsigned count = Word(block, 0);
  SetDlgItemInt(dialog, IDC_CORR_COUNT, count, FALSE);
  std::string text;
  if (count >= 1 && count <= kMaxDistanceCorrections) {
    const unsigned step = count <= 128 ? 256 : 128;
    for (unsigned i = 0; i < count && text.size() < kMaxTableText; ++i) {
      char piece[32];
      if (i % 4 == 0) {
        std::snprintf(piece, sizeof piece, "'%ucm':", i * step / 10);
        text += piece;
      }
      std::snprintf(piece, sizeof piece, "%d, ", static_cast<short>(Word(block, 2 + 2 * i)));
      text += piece;
    }
  }
  SetDlgItemTextA(dialog, IDC_CORR_LIST, text.c_str());
}

// The list without its labels: what stands between a label's ":" and the
// next label's "'". A text without labels is used whole.
std::string WithoutLabels(const std::string &typed, unsigned count) {
  std::string kept = typed;
  std::string text = typed;
  std::strtok(text.data(), ":");
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

void OnDistancesOk(HWND dialog) {
  const std::span<BYTE> block{g_distances.block, g_distances.block ? kTableBlockBytes : 0};
  PutWord(block, 0, static_cast<unsigned>(TextToNumber(InputText(dialog, IDC_CORR_COUNT, 5).c_str())));
  const unsigned count = Word(block, 0);
  if (count > kMaxDistanceCorrections) {
    Warn(dialog, kImplausibleMessage);
    PutWord(block, 0, 0);
    EndDialog(dialog, kResultCancel);
    return;
  }
  const std::vector<std::string> tokens = Tokens(WithoutLabels(InputText(dialog, IDC_CORR_LIST, kListChars), count));
  // When the tokens run out, each entry repeats the word before it.
  for (unsigned i = 0; i < count; ++i) {
    const unsigned value = i < tokens.size() ? static_cast<unsigned>(TextToNumber(tokens[i].c_str())) : Word(block, 2 * i);
    PutWord(block, 2 + 2 * i, value);
  }
  EndDialog(dialog, kResultOk);
}

// --- Final-test data --------------------------------------------------------

constexpr std::size_t kFinalBlockBytes = 68;
constexpr unsigned kMaxFinalWords = 32;  // what the block holds

DialogState g_final;

constexpr Preset kFinalPresets[] = {
    {IDC_FINAL_ACTION, "0", 0}, {IDC_FINAL_MODE, "0", 0}, {IDC_FINAL_LENGTH, "0", 0}, {IDC_FINAL_DATA, "1,2,3", 0}};

void OnFinalOk(HWND dialog) {
  const std::span<BYTE> block{g_final.block, g_final.block ? kFinalBlockBytes : 0};
  PutByte(block, 0, static_cast<unsigned>(std::atoi(InputText(dialog, IDC_FINAL_ACTION, 1).c_str())));
  PutByte(block, 1, static_cast<unsigned>(std::atoi(InputText(dialog, IDC_FINAL_MODE, 1).c_str())));
  // A length beyond the block's 32 words is cut to them.
  const int typed = std::atoi(InputText(dialog, IDC_FINAL_LENGTH, 2).c_str());
  const unsigned length = typed < 0 ? 0 : (static_cast<unsigned>(typed) > kMaxFinalWords ? kMaxFinalWords : typed);
  PutWord(block, 2, length);
  const std::vector<std::string> tokens = Tokens(InputText(dialog, IDC_FINAL_DATA, kListChars));
  for (unsigned i = 0; i < length; ++i) {
    PutWord(block, 4 + 2 * i, i < tokens.size() ? static_cast<unsigned>(std::atoi(tokens[i].c_str())) : 0);
  }
  EndDialog(dialog, kResultOk);
}

// --- Occupancy and conveyor-belt checks -------------------------------------

struct CheckField {
  int control;
  BYTE offset;
};

constexpr CheckField kCheckFields[] = {
    {IDC_CHECK_START, 2},     {IDC_CHECK_STOP, 4},      {IDC_CHECK_WORD_6, 6},   {IDC_CHECK_WORD_8, 8},
    {IDC_CHECK_WORD_10, 10},  {IDC_CHECK_WORD_12, 12},  {IDC_CHECK_WORD_14, 14}, {IDC_CHECK_WORD_16, 16},
    {IDC_CHECK_WORD_18, 18},  {IDC_CHECK_WORD_20, 20},  {IDC_CHECK_WORD_24, 24}, {IDC_CHECK_WORD_26, 26},
    {IDC_CHECK_WORD_28, 28},  {IDC_CHECK_WORD_30, 30},  {IDC_CHECK_WORD_32, 32}, {IDC_CHECK_WORD_34, 34},
};
constexpr BYTE kHoldAt = 22;
constexpr BYTE kSumAt = 36;
constexpr std::size_t kCheckBlockBytes = 40;  // bytes 0-1 and from 40 on stay as the device sent them
constexpr int kCheckChars = 11;

DialogState g_checks;

std::span<BYTE> CheckBlock() { return {g_checks.block, g_checks.block ? kCheckBlockBytes : 0}; }

void ShowHold(HWND dialog) {
  CheckDlgButton(dialog, IDC_CHECK_HOLD, Word(CheckBlock(), kHoldAt) != 0 ? BST_CHECKED : BST_UNCHECKED);
}

void OnChecksInit(HWND dialog) {
  for (const CheckField &field : kCheckFields) SetDlgItemInt(dialog, field.control, Word(CheckBlock(), field.offset), FALSE);
  char sum[16];
  std::snprintf(sum, sizeof sum, "%lu", static_cast<unsigned long>(Dword(CheckBlock(), kSumAt)));
  SetDlgItemTextA(dialog, IDC_CHECK_SUM, sum);
  ShowHold(dialog);
}

void OnHoldClicked(HWND dialog) {
  PutWord(CheckBlock(), kHoldAt, Word(CheckBlock(), kHoldAt) != 0 ? 0 : 1);
  ShowHold(dialog);
}

void OnChecksOk(HWND dialog) {
  for (const CheckField &field : kCheckFields) {
    PutWord(CheckBlock(), field.offset, static_cast<unsigned>(std::atoi(InputText(dialog, field.control, kCheckChars).c_str())));
  }
  PutDword(CheckBlock(), kSumAt, static_cast<DWORD>(std::atol(InputText(dialog, IDC_CHECK_SUM, kCheckChars).c_str())));
  EndDialog(dialog, kResultOk);
}

// --- One procedure shape for all --------------------------------------------

struct TableDialog {
  DialogState &state;
  void (*init)(HWND dialog);
  void (*ok)(HWND dialog);
  // WM_COMMAND from other controls: the id and the notification.
  void (*command)(HWND dialog, int control, WORD notification);
};

INT_PTR TableDialogProc(const TableDialog &table, HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  INT_PTR result = FALSE;
  if (FrameMessage(table.state, message, wParam, lParam, result)) return result;
  switch (message) {
    case WM_INITDIALOG:
      table.state.block = reinterpret_cast<BYTE *>(lParam);
      if (table.init) table.init(dialog);
      FrameInit(dialog, table.state.frame);
      return TRUE;
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case IDOK: table.ok(dialog); return TRUE;
        case IDCANCEL: EndDialog(dialog, kResultCancel); return TRUE;
        default:
          if (!table.command) return FALSE;
          table.command(dialog, LOWORD(wParam), HIWORD(wParam));
          return TRUE;
      }
    default: return FALSE;
  }
}

void SetPresets(HWND dialog, std::span<const Preset> presets) {
  for (const Preset &preset : presets) {
    SetDlgItemTextA(dialog, preset.control, preset.text);
    if (preset.limit > 0) SendDlgItemMessageA(dialog, preset.control, EM_LIMITTEXT, preset.limit, 0);
  }
}

const TableDialog kLearn{g_learn, [](HWND dialog) { SetPresets(dialog, kLearnPresets); }, OnLearnOk,
                         [](HWND dialog, int control, WORD notification) {
                           if (notification == EN_CHANGE) OnLearnChange(dialog, control);
                         }};
const TableDialog kCorrections{g_corrections, OnCorrectionsInit, OnCorrectionsOk,
                               [](HWND dialog, int control, WORD notification) {
                                 if (control == IDC_CORR_COUNT && notification == EN_CHANGE &&
                                     GetWindowTextLengthA(GetDlgItem(dialog, control)) > 0) {
                                   SendDlgItemMessageA(dialog, IDC_CORR_LIST, EM_LIMITTEXT, kListChars, 0);
                                 }
                               }};
const TableDialog kDistances{g_distances, OnDistancesInit, OnDistancesOk, nullptr};
const TableDialog kFinal{g_final, [](HWND dialog) { SetPresets(dialog, kFinalPresets); }, OnFinalOk, nullptr};
const TableDialog kChecks{g_checks, OnChecksInit, OnChecksOk, [](HWND dialog, int control, WORD notification) {
                            if (control == IDC_CHECK_HOLD && notification == BN_CLICKED) OnHoldClicked(dialog);
                          }};

}  // namespace

extern "C" {

INT_PTR CALLBACK LModeDataDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  return TableDialogProc(kLearn, dialog, message, wParam, lParam);
}
INT_PTR WINAPI DialogLModeData(HWND owner, void *block) {
  return StartDialog(owner, block, IDD_LMODE_DATA, LModeDataDlgProc);
}

INT_PTR CALLBACK CorrDefDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  return TableDialogProc(kCorrections, dialog, message, wParam, lParam);
}
INT_PTR WINAPI DialogCorrDef(HWND owner, void *block) { return StartDialog(owner, block, IDD_CORR_DEF, CorrDefDlgProc); }

INT_PTR CALLBACK DistCorrDefDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  return TableDialogProc(kDistances, dialog, message, wParam, lParam);
}
INT_PTR WINAPI DialogDistCorrDef(HWND owner, void *block) {
  return StartDialog(owner, block, IDD_CORR_DEF, DistCorrDefDlgProc);
}

INT_PTR CALLBACK AssemblycheckDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  return TableDialogProc(kFinal, dialog, message, wParam, lParam);
}
INT_PTR WINAPI DialogAssemblycheck(HWND owner, void *block) {
  return StartDialog(owner, block, IDD_ASSEMBLY_CHECK, AssemblycheckDlgProc);
}

INT_PTR CALLBACK RemDefDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  return TableDialogProc(kChecks, dialog, message, wParam, lParam);
}
INT_PTR WINAPI DialogRemDef(HWND owner, void *block) { return StartDialog(owner, block, IDD_REM_DEF, RemDefDlgProc); }
INT_PTR WINAPI DialogConvDef(HWND owner, void *block) { return StartDialog(owner, block, IDD_CONV_DEF, RemDefDlgProc); }

}  // extern "C"
