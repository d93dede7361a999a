// The number and choice dialogs' common procedure: presets and limits at
// the start, the OK rules while the user types, and on OK each input read,
// stored and checked in turn.
#include "dialogs/value_dialog.h"

#include <algorithm>

#include "answers/answers.h"
#include "entry/entry.h"
#include "kvt/bytes.h"

namespace kvt {

namespace {

constexpr INT_PTR kResultOk = 1;
constexpr INT_PTR kResultCancel = 0;
constexpr int kEightChars = 8;

std::size_t FieldSize(const ValueInput &input) {
  switch (input.field) {
    case Field::kU8: return 1;
    case Field::kU16: return 2;
    case Field::kU32:
    case Field::kS32: return 4;
    case Field::kText: return static_cast<std::size_t>(input.chars) + 1;
  }
  return 0;
}

// The bytes this dialog may write: up to the end of its last field.
std::span<BYTE> BlockOf(const ValueDialog &dialog, const ValueDialogState &state) {
  if (!state.block) return {};
  std::size_t extent = 0;
  for (const ValueInput &input : dialog.inputs) extent = std::max(extent, input.offset + FieldSize(input));
  return {state.block, extent};
}

std::int64_t ReadValue(HWND window, const ValueInput &input) {
  if (input.reading == Reading::kInt) return GetDlgItemInt(window, input.control, nullptr, FALSE);
  char text[kMaxReadChars + 1] = {};
  GetDlgItemTextA(window, input.control, text, input.chars + 1);
  if (input.reading == Reading::kUnsigned) return TextToUnsigned(text);
  return TextToNumber(text);
}

void Store(std::span<BYTE> block, const ValueInput &input, std::int64_t value) {
  switch (input.field) {
    case Field::kU8: PutByte(block, input.offset, static_cast<unsigned>(value)); break;
    case Field::kU16: PutWord(block, input.offset, static_cast<unsigned>(value)); break;
    case Field::kU32:
    case Field::kS32: PutDword(block, input.offset, static_cast<DWORD>(value)); break;
    case Field::kText: break;
  }
}

std::int64_t Stored(std::span<const BYTE> block, const ValueInput &input) {
  switch (input.field) {
    case Field::kU8: return Byte(block, input.offset);
    case Field::kU16: return Word(block, input.offset);
    case Field::kU32: return Dword(block, input.offset);
    case Field::kS32: return static_cast<std::int32_t>(Dword(block, input.offset));
    case Field::kText: break;
  }
  return 0;
}

bool Accepted(const ValueCheck &check, std::int64_t value) {
  if (check.failure == OnFailure::kNoCheck) return true;
  if (!check.oneOf.empty()) return std::find(check.oneOf.begin(), check.oneOf.end(), value) != check.oneOf.end();
  return value >= check.low && value <= check.high;
}

void StoreText(HWND window, std::span<BYTE> block, const ValueInput &input) {
  char text[kMaxReadChars + 1] = {};
  const int length = GetDlgItemTextA(window, input.control, text, input.chars + 1);
  for (int i = 0; i <= length; ++i) PutByte(block, input.offset + i, static_cast<BYTE>(text[i]));
}

BOOL OnInitDialog(const ValueDialog &dialog, ValueDialogState &state, HWND window, LPARAM lParam) {
  state.block = reinterpret_cast<BYTE *>(lParam);
  for (const ValueInput &input : dialog.inputs) {
    SetDlgItemTextA(window, input.control, input.preset);
    if (input.limit > 0) SendDlgItemMessageA(window, input.control, EM_LIMITTEXT, input.limit, 0);
    EnableWindow(GetDlgItem(window, input.control), TRUE);
  }
  FrameInit(window, state.frame);
  return TRUE;
}

void OnOk(const ValueDialog &dialog, const ValueDialogState &state, HWND window) {
  const std::span<BYTE> block = BlockOf(dialog, state);
  INT_PTR result = kResultOk;
  for (const ValueInput &input : dialog.inputs) {
    if (input.field == Field::kText) {
      StoreText(window, block, input);
      continue;
    }
    const std::int64_t value = ReadValue(window, input);
    if (input.storeOnlyWhenAccepted) {
      if (Accepted(input.check, value)) {
        Store(block, input, value);
        continue;
      }
    } else {
      // As throughout the family, the check looks at the stored field.
      Store(block, input, value);
      if (Accepted(input.check, Stored(block, input))) continue;
    }
    MessageBoxFromTable(window, kMessageFlags, static_cast<int>(input.check.message));
    switch (input.check.failure) {
      case OnFailure::kResultZero: result = kResultCancel; break;
      case OnFailure::kReplace: Store(block, input, input.check.replacement); break;
      case OnFailure::kWarn:
      case OnFailure::kNoCheck: break;
    }
  }
  EndDialog(window, result);
}

void OnInputNotification(HWND window, const ValueInput &input, WORD notification) {
  HWND ok = GetDlgItem(window, IDOK);
  if (input.onChange == OkRule::kAnyNotification) {
    EnableWindow(ok, TRUE);
    return;
  }
  if (notification != EN_CHANGE) return;
  const int length = GetWindowTextLengthA(GetDlgItem(window, input.control));
  switch (input.onChange) {
    case OkRule::kWhileText: EnableWindow(ok, length > 0); break;
    case OkRule::kDisable: EnableWindow(ok, FALSE); break;
    case OkRule::kWhileEightChars: EnableWindow(ok, length == kEightChars); break;
    case OkRule::kNone:
    case OkRule::kAnyNotification: break;
  }
  if (input.limitsControl != 0 && length > 0) {
    SendDlgItemMessageA(window, input.limitsControl, EM_LIMITTEXT, input.limitsTo, 0);
  }
}

BOOL OnCommand(const ValueDialog &dialog, const ValueDialogState &state, HWND window, WPARAM wParam) {
  const WORD id = LOWORD(wParam);
  switch (id) {
    case IDOK: OnOk(dialog, state, window); return TRUE;
    case IDCANCEL: EndDialog(window, kResultCancel); return TRUE;
    default: break;
  }
  for (const ValueInput &input : dialog.inputs) {
    if (input.control == id) {
      OnInputNotification(window, input, HIWORD(wParam));
      return TRUE;
    }
  }
  return FALSE;
}

}  // namespace

INT_PTR ValueDialogProc(const ValueDialog &dialog, ValueDialogState &state, HWND window, UINT message,
                        WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG: return OnInitDialog(dialog, state, window, lParam);
    case WM_DESTROY: FrameDestroy(state.frame); return TRUE;
    case kCtlColorMessage: return FrameControlColour(state.frame, wParam, lParam);
    case WM_COMMAND: return OnCommand(dialog, state, window, wParam);
    default: return FALSE;
  }
}

INT_PTR StartDialog(HWND owner, void *block, int templateId, DLGPROC procedure) {
  return DialogBoxParamA(Instance(), MAKEINTRESOURCEA(templateId), owner, procedure,
                         reinterpret_cast<LPARAM>(block));
}

}  // namespace kvt
