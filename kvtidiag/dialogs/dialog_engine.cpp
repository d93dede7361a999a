// The dialog engine: presets and limits when a dialog opens, the OK rules
// and buttons while the user works, and on OK each row read, stored and
// checked in turn.
#include "dialogs/dialog_engine.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "answers/answers.h"
#include "kvt/bytes.h"

namespace kvt {

namespace {

// At most `chars` characters of an input.
std::string InputText(HWND window, int control, int chars) {
  std::string text(static_cast<std::size_t>(chars) + 1, '\0');
  const int length = GetDlgItemTextA(window, control, text.data(), chars + 1);
  text.resize(length > 0 ? static_cast<std::size_t>(length) : 0);
  return text;
}

// strtod's value times `scale`; 0 when its whole part leaves 32 bits.
double Fraction(const char *text, double scale) {
  const double value = std::strtod(text, nullptr) * scale;
  const double whole = std::trunc(value);
  return whole >= -2147483648.0 && whole <= 2147483647.0 ? value : 0;
}

double FromText(Reading reading, const char *text) {
  switch (reading) {
    case Reading::kNumber: return TextToNumber(text);
    case Reading::kUnsigned: return TextToUnsigned(text);
    case Reading::kDecimal: return std::atol(text);
    case Reading::kFraction: return Fraction(text, 1);
    case Reading::kHundredths: return Fraction(text, 100);
    default: return 0;
  }
}

unsigned Letter(const std::string &text, const char *letters) {
  if (text.empty()) return 0;
  const char first = text[0] >= 'a' && text[0] <= 'z' ? static_cast<char>(text[0] - 'a' + 'A') : text[0];
  const char *found = std::strchr(letters, first);
  return found ? static_cast<unsigned>(found - letters) : 0;
}

double ReadValue(HWND window, const Input &input) {
  if (input.reading == Reading::kInt) return GetDlgItemInt(window, input.control, nullptr, FALSE);
  const std::string text = InputText(window, input.control, input.chars);
  if (input.reading == Reading::kLetter) return Letter(text, input.letters);
  return FromText(input.reading, text.c_str());
}

// The whole part, toward zero; every value read fits.
std::int64_t Whole(double value) { return static_cast<std::int64_t>(value); }

void Store(std::span<BYTE> block, Field field, std::size_t at, std::int64_t value) {
  const auto bits = static_cast<std::uint32_t>(value);
  switch (field) {
    case Field::kU8: PutByte(block, at, bits); break;
    case Field::kU16: PutWord(block, at, bits); break;
    case Field::kU32:
    case Field::kS32: PutDword(block, at, bits); break;
    case Field::kUnitBits: PutByte(block, at, Byte(block, at) | ((bits << 6) & 0xFF)); break;
    case Field::kText: break;
  }
}

std::int64_t Stored(std::span<const BYTE> block, Field field, std::size_t at) {
  switch (field) {
    case Field::kU8:
    case Field::kUnitBits: return Byte(block, at);
    case Field::kU16: return Word(block, at);
    case Field::kU32: return Dword(block, at);
    case Field::kS32: return static_cast<std::int32_t>(Dword(block, at));
    case Field::kText: break;
  }
  return 0;
}

bool Passes(const Check &check, double value, std::span<const BYTE> block, Field field) {
  switch (check.kind) {
    case CheckKind::kNone: return true;
    case CheckKind::kRange: return value >= check.low && value <= check.high;
    case CheckKind::kOneOf: return std::find(check.oneOf.begin(), check.oneOf.end(), value) != check.oneOf.end();
    case CheckKind::kOrder:
      return static_cast<double>(Stored(block, field, check.notAbove)) <= value && value <= check.high;
  }
  return true;
}

void StoreText(HWND window, std::span<BYTE> block, const Input &input) {
  const std::string text = InputText(window, input.control, input.chars);
  for (std::size_t i = 0; i <= text.size(); ++i) PutByte(block, input.offset + i, static_cast<BYTE>(text.c_str()[i]));
}

std::vector<std::string> Tokens(std::string text) {
  std::vector<std::string> tokens;
  for (char *token = std::strtok(text.data(), ", "); token; token = std::strtok(nullptr, ", ")) {
    tokens.emplace_back(token);
  }
  return tokens;
}

void StoreList(HWND window, std::span<BYTE> block, const Input &input) {
  const List &list = *input.list;
  // Entries beyond the block would be dropped: the count stops there.
  const std::size_t width = FieldSize(input.field, 0);
  const std::size_t step = list.stride != 0 ? list.stride : width;
  const auto room = static_cast<std::int64_t>(
      block.size() >= input.offset + width ? (block.size() - input.offset - width) / step + 1 : 0);
  std::int64_t count = list.entries;
  if (list.count == ListCount::kFromBlock) count += Stored(block, list.countField, list.countAt);
  count = std::clamp<std::int64_t>(count, 0, room);
  std::string text = InputText(window, input.control, input.chars);
  if (list.prepare) text = list.prepare(std::move(text), static_cast<unsigned>(count));
  const std::vector<std::string> tokens = Tokens(std::move(text));
  if (list.count == ListCount::kFound) {
    count = std::min<std::int64_t>(count, static_cast<std::int64_t>(tokens.size()));
    Store(block, list.countField, list.countAt, count);
  }
  for (std::size_t i = 0; i < static_cast<std::size_t>(count); ++i) {
    const std::size_t at = input.offset + i * step;
    std::int64_t value = list.fillValue;
    if (i < tokens.size()) {
      value = Whole(FromText(list.token, tokens[i].c_str()));
    } else if (list.fill == Fill::kIndex) {
      value = static_cast<std::int64_t>(i);
    } else if (list.fill == Fill::kPrevious) {
      value = Stored(block, input.field, at - step);
    }
    Store(block, input.field, at, value);
  }
}

// Reads, stores and checks one row; the outcome of its failed check, or kWarn.
BYTE ReadRow(HWND window, std::span<BYTE> block, const Input &input) {
  if (input.reading == Reading::kCharacters) {
    StoreText(window, block, input);
    return kWarn;
  }
  if (input.reading == Reading::kList) {
    StoreList(window, block, input);
    return kWarn;
  }
  const Check &check = input.check;
  const double value = ReadValue(window, input);
  if (!check.asRead) Store(block, input.field, input.offset, Whole(value));
  const double tested = check.asRead ? value : static_cast<double>(Stored(block, input.field, input.offset));
  if (Passes(check, tested, block, input.field)) {
    if (check.asRead) Store(block, input.field, input.offset, Whole(value));
    return kWarn;
  }
  if (check.message != 0) MessageBoxFromTable(window, kMessageFlags, static_cast<int>(check.message));
  if (check.outcome & kReplace) Store(block, input.field, input.offset, check.replacement);
  if (check.outcome & kClamp) Store(block, input.field, input.offset, tested < check.low ? check.low : check.high);
  return check.outcome;
}

std::span<BYTE> BlockOf(const Description &dialog, const DialogState &state) {
  if (!state.block) return {};
  return {state.block, BlockBytes(dialog)};
}

void ShowField(HWND window, std::span<const BYTE> block, const Input &input) {
  std::string text;
  if (input.field == Field::kText) {
    for (std::size_t at = input.offset; at < input.offset + input.chars && Byte(block, at) != 0; ++at) {
      text += static_cast<char>(Byte(block, at));
    }
  } else {
    text = std::to_string(Stored(block, input.field, input.offset));
  }
  SetDlgItemTextA(window, input.control, text.c_str());
}

void ShowButton(HWND window, std::span<const BYTE> block, const Button &button) {
  const std::int64_t field = Stored(block, button.field, button.offset);
  bool ticked = false;
  switch (button.rule) {
    case ButtonRule::kSetsBitsOnOk: return;
    case ButtonRule::kToggles: ticked = field != 0; break;
    case ButtonRule::kChooses: ticked = (static_cast<std::uint32_t>(field) & button.mask) == button.value; break;
  }
  CheckDlgButton(window, button.control, ticked ? BST_CHECKED : BST_UNCHECKED);
}

BOOL OnInitDialog(const Description &dialog, DialogState &state, HWND window, LPARAM lParam) {
  state.block = reinterpret_cast<BYTE *>(lParam);
  const std::span<BYTE> block = BlockOf(dialog, state);
  ShowRows(window, block, dialog.inputs, !dialog.showBlock || *dialog.showBlock);
  for (const Button &button : dialog.buttons) {
    if (button.chosenAtStart) Store(block, button.field, button.offset, button.value);
  }
  for (const Button &button : dialog.buttons) ShowButton(window, block, button);
  if (dialog.onInit) dialog.onInit(window, block);
  FrameInit(window, state.frame);
  return TRUE;
}

void OnOk(const Description &dialog, const DialogState &state, HWND window) {
  const std::span<BYTE> block = BlockOf(dialog, state);
  INT_PTR result = kResultOk;
  for (const Input &input : dialog.inputs) {
    const BYTE outcome = ReadRow(window, block, input);
    if (outcome & kKeepOpen) {
      EnableWindow(GetDlgItem(window, IDOK), FALSE);
      return;
    }
    if (outcome & kResultZero) result = kResultCancel;
  }
  for (const Button &button : dialog.buttons) {
    if (button.rule == ButtonRule::kSetsBitsOnOk && IsDlgButtonChecked(window, button.control) == BST_CHECKED) {
      Store(block, button.field, button.offset, Stored(block, button.field, button.offset) | button.value);
    }
  }
  if (dialog.onOk) dialog.onOk(window, block);
  EndDialog(window, result);
}

void OnInputNotification(HWND window, const Input &input, WORD notification) {
  HWND ok = GetDlgItem(window, IDOK);
  if (input.onChange == OkRule::kAnyNotification) {
    EnableWindow(ok, TRUE);
    return;
  }
  if (notification != EN_CHANGE) return;
  const int length = GetWindowTextLengthA(GetDlgItem(window, input.control));
  switch (input.onChange) {
    case OkRule::kWhileText: EnableWindow(ok, length > 0); break;
    case OkRule::kWhileExactChars: EnableWindow(ok, length == input.chars); break;
    case OkRule::kEnableOnChange: EnableWindow(ok, TRUE); break;
    case OkRule::kDisableOnChange: EnableWindow(ok, FALSE); break;
    case OkRule::kNone:
    case OkRule::kAnyNotification: break;
  }
  if (input.chained.control != 0 && length > 0) {
    SendDlgItemMessageA(window, input.chained.control, EM_LIMITTEXT, input.chained.limit, 0);
  }
}

// A click stores the button's value and shows every button on that field anew.
void OnClick(const Description &dialog, std::span<BYTE> block, HWND window, const Button &button) {
  if (button.rule == ButtonRule::kSetsBitsOnOk) return;
  const bool toggledOff = button.rule == ButtonRule::kToggles && Stored(block, button.field, button.offset) != 0;
  Store(block, button.field, button.offset, toggledOff ? 0 : button.value);
  for (const Button &other : dialog.buttons) {
    if (other.offset == button.offset) ShowButton(window, block, other);
  }
}

BOOL OnCommand(const Description &dialog, const DialogState &state, HWND window, WPARAM wParam) {
  const int id = LOWORD(wParam);
  switch (id) {
    case IDOK: OnOk(dialog, state, window); return TRUE;
    case IDCANCEL: EndDialog(window, kResultCancel); return TRUE;
    default: break;
  }
  for (const Input &input : dialog.inputs) {
    if (input.control != id) continue;
    OnInputNotification(window, input, HIWORD(wParam));
    return TRUE;
  }
  for (const Button &button : dialog.buttons) {
    if (button.control != id || HIWORD(wParam) != BN_CLICKED) continue;
    OnClick(dialog, BlockOf(dialog, state), window, button);
    return TRUE;
  }
  return FALSE;
}

}  // namespace

void ShowRows(HWND window, std::span<const BYTE> block, std::span<const Input> rows, bool showBlock) {
  for (const Input &input : rows) {
    if (input.presetFromBlock && showBlock) {
      ShowField(window, block, input);
    } else {
      SetDlgItemTextA(window, input.control, input.preset);
    }
    if (input.limit > 0) SendDlgItemMessageA(window, input.control, EM_LIMITTEXT, input.limit, 0);
    EnableWindow(GetDlgItem(window, input.control), TRUE);
  }
}

BYTE ReadRows(HWND window, std::span<BYTE> block, std::span<const Input> rows) {
  BYTE outcomes = kWarn;
  for (const Input &input : rows) outcomes |= ReadRow(window, block, input);
  return outcomes;
}

INT_PTR DialogProc(const Description &dialog, DialogState &state, HWND window, UINT message, WPARAM wParam,
                   LPARAM lParam) {
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
