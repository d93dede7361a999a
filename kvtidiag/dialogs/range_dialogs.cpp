// The range dialogs: a partial range of the measured values, an averaged
// partial range, a range by segments, the laser angle ranges of the
// positioning aid, the unused vacuum-check dialog, and up to five ranges
// with measured and remission values. All but the last share one
// procedure that a row describes: inputs, the input that enables OK, and
// the checks on OK in their order.
#include <cmath>
#include <cstdlib>

#include "answers/answers.h"
#include "dialogs/value_dialog.h"
#include "kvt/bytes.h"

using namespace kvt;

namespace {

constexpr INT_PTR kResultOk = 1;
constexpr INT_PTR kResultCancel = 0;
constexpr BYTE kModeSelector = 1;

// An input read with GetDlgItemInt into a 16-bit word of the block.
struct RangeInput {
  int control;
  const char *preset;
  int limit;  // EM_LIMITTEXT; 0: none
  BYTE offset;
};

enum class CheckKind : BYTE {
  kOrder,   // first ≤ last ≤ high
  kBounds,  // low ≤ word ≤ high
};

struct RangeCheck {
  CheckKind kind;
  BYTE at;    // the word checked; for kOrder the first value
  BYTE last;  // kOrder: the last value
  WORD low;
  WORD high;
  UINT message;
  // Only the dialog's last check decides its result; the others warn.
  bool decisive = false;
};

struct RangeDialog {
  std::span<const RangeInput> inputs;
  std::span<const RangeCheck> checks;
  std::size_t blockBytes;  // the bytes the dialog may write
  int okInput = 0;     // OK is enabled while this input holds text; 0: OK stays enabled
  int directBox = 0;   // when checked, bit 15 of the word at directAt is set
  BYTE directAt = 0;
};

// The 12-byte range blocks record a length of 10.
constexpr std::size_t kRangeBlockBytes = 10;
constexpr std::size_t kPositionBlockBytes = 16;

constexpr WORD kLastValue = 401;
constexpr UINT kRangeMessage = 210;
constexpr UINT kSensorMessage = 222;
constexpr UINT kCountMessage = 208;
constexpr WORD kMaxSensor = 4;
constexpr WORD kDirectBit = 0x8000;

constexpr RangeInput kPartialInputs[] = {
    {IDC_PARTIAL_SENSOR, "1", 3, 0},
    {IDC_PARTIAL_FIRST, "181", 6, 2},
    {IDC_PARTIAL_LAST, "181", 6, 4},
};
constexpr RangeCheck kPartialChecks[] = {
    {CheckKind::kOrder, 2, 4, 0, kLastValue, kRangeMessage},
    {CheckKind::kBounds, 0, 0, 0, kMaxSensor, kSensorMessage, true},
};
constexpr RangeDialog kPartial{kPartialInputs, kPartialChecks, kRangeBlockBytes, IDC_PARTIAL_LAST, IDC_PARTIAL_DIRECT,
                               2};

constexpr RangeInput kAveragedInputs[] = {
    {IDC_AMVP_SENSOR, "1", 1, 0},
    {IDC_AMVP_FIRST, "180", 3, 4},
    {IDC_AMVP_LAST, "181", 3, 6},
    {IDC_AMVP_AVERAGES, "100", 3, 2},
};
constexpr RangeCheck kAveragedChecks[] = {
    {CheckKind::kOrder, 4, 6, 0, kLastValue, kRangeMessage},
    {CheckKind::kBounds, 0, 0, 0, kMaxSensor, kSensorMessage},
    {CheckKind::kBounds, 2, 0, 1, 250, kCountMessage, true},
};
constexpr RangeDialog kAveraged{kAveragedInputs, kAveragedChecks, kRangeBlockBytes, IDC_AMVP_AVERAGES};

// The device takes 1 to 201 segments, although the message names 250.
constexpr RangeInput kSegmentInputs[] = {
    {IDC_SEGM_FIRST, "20", 3, 4},
    {IDC_SEGM_LAST, "80", 0, 6},
    {IDC_SEGM_COUNT, "15", 3, 2},
};
constexpr RangeCheck kSegmentChecks[] = {
    {CheckKind::kOrder, 4, 6, 0, kLastValue, kRangeMessage},
    {CheckKind::kBounds, 2, 0, 1, 201, kCountMessage, true},
};
constexpr RangeDialog kSegments{kSegmentInputs, kSegmentChecks, kRangeBlockBytes};

// Eight angles without a check, in the order of the block.
constexpr RangeInput kPositionInputs[] = {
    {IDC_POS_RESOLUTION, "100", 3, 0}, {IDC_POS_RANGES, "1", 3, 2},  {IDC_POS_START_1, "90", 3, 4},
    {IDC_POS_STOP_1, "90", 3, 6},      {IDC_POS_START_2, "", 3, 8},  {IDC_POS_STOP_2, "", 3, 10},
    {IDC_POS_START_3, "", 3, 12},      {IDC_POS_STOP_3, "", 3, 14},
};
constexpr RangeDialog kPosition{kPositionInputs, {}, kPositionBlockBytes};

// Written for inputs that its template 626 does not have: they read 0.
constexpr RangeInput kVacuumInputs[] = {
    {IDC_VAC_RESOLUTION, "100", 3, 0},
    {IDC_VAC_FIRST, "90", 3, 2},
    {IDC_VAC_LAST, "90", 3, 4},
};
constexpr RangeCheck kVacuumChecks[] = {
    {CheckKind::kOrder, 2, 4, 0, 180, kRangeMessage, true},
};
constexpr RangeDialog kVacuum{kVacuumInputs, kVacuumChecks, 6, IDC_VAC_LAST};

// Each dialog's checks end with the one that decides, and every word lies
// in the dialog's block.
constexpr bool Valid(const RangeDialog &dialog) {
  for (std::size_t i = 0; i < dialog.checks.size(); ++i) {
    if (dialog.checks[i].decisive != (i + 1 == dialog.checks.size())) return false;
  }
  for (const RangeInput &input : dialog.inputs) {
    if (input.offset + 2u > dialog.blockBytes) return false;
  }
  return true;
}
static_assert(Valid(kPartial) && Valid(kAveraged) && Valid(kSegments) && Valid(kPosition) && Valid(kVacuum));

struct RangeState {
  BYTE *block = nullptr;
  DialogFrame frame;
};

RangeState g_partial;
RangeState g_averaged;
RangeState g_segments;
RangeState g_position;
RangeState g_vacuum;

bool Passes(const RangeCheck &check, std::span<const BYTE> block) {
  const WORD value = Word(block, check.at);
  if (check.kind == CheckKind::kOrder) return value <= Word(block, check.last) && Word(block, check.last) <= check.high;
  return value >= check.low && value <= check.high;
}

BOOL OnInitDialog(const RangeDialog &dialog, RangeState &state, HWND window, LPARAM lParam) {
  state.block = reinterpret_cast<BYTE *>(lParam);
  for (const RangeInput &input : dialog.inputs) {
    SetDlgItemTextA(window, input.control, input.preset);
    if (input.limit > 0) SendDlgItemMessageA(window, input.control, EM_LIMITTEXT, input.limit, 0);
  }
  FrameInit(window, state.frame);
  return TRUE;
}

void OnOk(const RangeDialog &dialog, const RangeState &state, HWND window) {
  const std::span<BYTE> block{state.block, state.block ? dialog.blockBytes : 0};
  for (const RangeInput &input : dialog.inputs) {
    PutWord(block, input.offset, GetDlgItemInt(window, input.control, nullptr, FALSE));
  }
  INT_PTR result = kResultOk;
  for (const RangeCheck &check : dialog.checks) {
    if (Passes(check, block)) continue;
    MessageBoxFromTable(window, kMessageFlags, static_cast<int>(check.message));
    if (check.decisive) result = kResultCancel;
  }
  if (dialog.directBox != 0 && IsDlgButtonChecked(window, dialog.directBox) == BST_CHECKED) {
    PutWord(block, dialog.directAt, Word(block, dialog.directAt) | kDirectBit);
  }
  EndDialog(window, result);
}

INT_PTR RangeDialogProc(const RangeDialog &dialog, RangeState &state, HWND window, UINT message, WPARAM wParam,
                        LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG: return OnInitDialog(dialog, state, window, lParam);
    case WM_DESTROY: FrameDestroy(state.frame); return TRUE;
    case kCtlColorMessage: return FrameControlColour(state.frame, wParam, lParam);
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case IDOK: OnOk(dialog, state, window); return TRUE;
        case IDCANCEL: EndDialog(window, kResultCancel); return TRUE;
        default: break;
      }
      if (dialog.okInput != 0 && LOWORD(wParam) == dialog.okInput && HIWORD(wParam) == EN_CHANGE) {
        EnableOkWhileText(window, reinterpret_cast<HWND>(lParam));
        return TRUE;
      }
      return FALSE;
    default: return FALSE;
  }
}

// --- Ranges with measured and remission values ---------------------------

// Read as a decimal fraction from at most `chars` characters, cut to a
// whole number and kept in 16 bits.
struct MwRemInput {
  int control;
  const char *preset;
  int chars;
};

constexpr MwRemInput kMwRemInputs[] = {
    {IDC_MWREM_COUNT, "1", 2},
    {IDC_MWREM_FIRST_1, "85", 5}, {IDC_MWREM_LAST_1, "105", 5},
    {IDC_MWREM_FIRST_2, "", 5},   {IDC_MWREM_LAST_2, "", 5},
    {IDC_MWREM_FIRST_3, "", 5},   {IDC_MWREM_LAST_3, "", 5},
    {IDC_MWREM_FIRST_4, "", 5},   {IDC_MWREM_LAST_4, "", 5},
    {IDC_MWREM_FIRST_5, "", 5},   {IDC_MWREM_LAST_5, "", 5},
};
constexpr std::size_t kMwRemBlockBytes = 22;
static_assert(std::size(kMwRemInputs) * 2 == kMwRemBlockBytes);

RangeState g_mwRem;

WORD DecimalWord(HWND window, const MwRemInput &input) {
  char text[8] = {};
  GetDlgItemTextA(window, input.control, text, input.chars + 1);
  const double value = std::trunc(std::strtod(text, nullptr));
  // Five characters cannot leave the 32-bit range but as "1e300"; that keeps 0.
  if (!(value >= -2147483648.0 && value <= 2147483647.0)) return 0;
  return static_cast<WORD>(static_cast<std::int32_t>(value));
}

void OnMwRemOk(HWND window) {
  const std::span<BYTE> block{g_mwRem.block, g_mwRem.block ? kMwRemBlockBytes : 0};
  for (std::size_t i = 0; i < std::size(kMwRemInputs); ++i) PutWord(block, 2 * i, DecimalWord(window, kMwRemInputs[i]));
  EndDialog(window, kResultOk);
}

}  // namespace

extern "C" {

INT_PTR CALLBACK MVPartialDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  return RangeDialogProc(kPartial, g_partial, dialog, message, wParam, lParam);
}
INT_PTR WINAPI DialogMVPartial(HWND owner, void *block, BYTE selector) {
  return StartDialog(owner, block, selector == kModeSelector ? IDD_MV_PARTIAL_MODE : IDD_MV_PARTIAL, MVPartialDlgProc);
}

INT_PTR CALLBACK AMVPDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  return RangeDialogProc(kAveraged, g_averaged, dialog, message, wParam, lParam);
}
INT_PTR WINAPI DialogAMVP(HWND owner, void *block, BYTE selector) {
  return StartDialog(owner, block, selector == kModeSelector ? IDD_AMVP_MODE : IDD_AMVP, AMVPDlgProc);
}

INT_PTR CALLBACK SegmPDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  return RangeDialogProc(kSegments, g_segments, dialog, message, wParam, lParam);
}
INT_PTR WINAPI DialogSegmP(HWND owner, void *block, BYTE selector) {
  if (selector != kModeSelector) return kResultCancel;
  return StartDialog(owner, block, IDD_SEGM_P, SegmPDlgProc);
}

INT_PTR CALLBACK PosHelpDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  return RangeDialogProc(kPosition, g_position, dialog, message, wParam, lParam);
}
INT_PTR WINAPI DialogPosHelp(HWND owner, void *block) {
  return StartDialog(owner, block, IDD_POS_HELP, PosHelpDlgProc);
}

INT_PTR CALLBACK VacCtrlDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  return RangeDialogProc(kVacuum, g_vacuum, dialog, message, wParam, lParam);
}
INT_PTR WINAPI DialogVacCtrl(HWND owner, void *block) {
  return StartDialog(owner, block, IDD_REM_DEF, VacCtrlDlgProc);
}

INT_PTR CALLBACK MwRemDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      g_mwRem.block = reinterpret_cast<BYTE *>(lParam);
      for (const MwRemInput &input : kMwRemInputs) SetDlgItemTextA(dialog, input.control, input.preset);
      FrameInit(dialog, g_mwRem.frame);
      return TRUE;
    case WM_DESTROY: FrameDestroy(g_mwRem.frame); return TRUE;
    case kCtlColorMessage: return FrameControlColour(g_mwRem.frame, wParam, lParam);
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case IDOK: OnMwRemOk(dialog); return TRUE;
        case IDCANCEL: EndDialog(dialog, kResultCancel); return TRUE;
        default: return FALSE;
      }
    default: return FALSE;
  }
}
INT_PTR WINAPI DialogMwRem(HWND owner, void *block) { return StartDialog(owner, block, IDD_MW_REM, MwRemDlgProc); }

}  // extern "C"
