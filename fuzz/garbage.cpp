// What a user might type or click in a dialog: plausible numbers and every
// kind of bad input, gathered into rounds and entered through window messages.
#include "fuzz/fuzz.h"

#include <commctrl.h>
#include <dlgs.h>

#include <string>

namespace kvt::fuzz {

namespace {

// Texts outside code page 1252, kept as UTF-8.
std::string Utf8(std::u8string_view text) { return {reinterpret_cast<const char *>(text.data()), text.size()}; }

constexpr const char *kNonNumeric[] = {"abc", "zwölf", "1a", "a1", "--", "+",    "+5",       ".",   "1.5.6",
                                       "1,2", "O",     "l0", "½",  "Ä",  "%s%n", "\x01\x02", "\r\n"};
constexpr const char *kNegative[] = {"-1",          "-0",           "-128", "-255", "-32768", "-65536", "-2147483648",
                                     "-2147483649", "-99999999999", "- 5",  "1-2",  "--3",    "-0x10",  "-1e3"};
constexpr const char *kHexadecimal[] = {"0x1F", "0XFF",       "0x",          "0xG1",  "x",
                                        "X",    "0xFFFFFFFF", "0x100000000", "0x 1F", " 0x1f",
                                        "12x3", "0x-1",       "0x7FFFFFFF",  "x0",    "0xffff"};
constexpr const char *kHuge[] = {"4294967295",
                                 "4294967296",
                                 "18446744073709551616",
                                 "99999999999999999999",
                                 "1e308",
                                 "-1e308",
                                 "1e999",
                                 "nan",
                                 "inf",
                                 "-inf",
                                 "1e-320",
                                 "0.000001",
                                 "3.99",
                                 "65535.9"};
constexpr const char *kBlanks[] = {" ", "  12", "12 ", "\t7", "1 2", " - 1", "\r\n5"};
// Undefined in code page 1252.
constexpr const char *kUndefinedBytes[] = {"\x81", "\x8D\x8F", "\x90\x9D", "1\x81"};
const std::u8string_view kWide[] = {u8"Ω", u8"中文", u8"😀", u8"Ж123", u8"1\u0301", u8"１２", u8"٣", u8"\u202E12"};

std::string Digits(Random &random, unsigned count, const char *alphabet, unsigned size, std::string text = {}) {
  while (count-- > 0) text += alphabet[random.Below(size)];
  return text;
}

bool IsCheckable(HWND button) {
  switch (GetWindowLongA(button, GWL_STYLE) & BS_TYPEMASK) {
    case BS_CHECKBOX:
    case BS_AUTOCHECKBOX:
    case BS_RADIOBUTTON:
    case BS_AUTORADIOBUTTON:
    case BS_3STATE:
    case BS_AUTO3STATE: return true;
    default: return false;
  }
}

struct Controls {
  HWND dialog;
  std::vector<HWND> edits;
  std::vector<HWND> buttons;
};

BOOL CALLBACK Gather(HWND child, LPARAM param) {
  auto &controls = *reinterpret_cast<Controls *>(param);
  if (GetParent(child) != controls.dialog) return TRUE;
  char name[16] = "";
  GetClassNameA(child, name, sizeof name);
  if (lstrcmpiA(name, "Edit") == 0) controls.edits.push_back(child);
  if (lstrcmpiA(name, "Button") == 0 && IsCheckable(child)) controls.buttons.push_back(child);
  return TRUE;
}

Controls ControlsOf(HWND dialog) {
  Controls controls{dialog, {}, {}};
  EnumChildWindows(dialog, Gather, reinterpret_cast<LPARAM>(&controls));
  return controls;
}

}  // namespace

// The common file dialog, known by its file-name box.
bool IsFileDialog(HWND dialog) {
  char name[32] = "";
  GetClassNameA(GetDlgItem(dialog, cmb13), name, sizeof name);
  return lstrcmpiA(name, WC_COMBOBOXEXA) == 0;
}

bool HasInputs(HWND dialog) {
  const Controls controls = ControlsOf(dialog);
  return !controls.edits.empty() || !controls.buttons.empty();
}

Typed GarbageInput(Random &random, int control, Garbage kind) {
  Typed typed{control, Typing::kSetText, {}};
  switch (kind) {
    case Garbage::kPlausible: typed.text = std::to_string(random.Below(random.Chance(50) ? 10 : 1000)); break;
    case Garbage::kRandom: typed.text = PrintableText(random, 1 + random.Below(40)); break;
    case Garbage::kOverlong:
      typed.text = random.Chance(50) ? Digits(random, 200 + random.Below(4000), "0123456789", 10)
                                     : PrintableText(random, 200 + random.Below(4000));
      break;
    case Garbage::kNonNumeric: typed.text = random.Pick(kNonNumeric); break;
    case Garbage::kNegative:
      typed.text =
          random.Chance(70) ? random.Pick(kNegative) : Digits(random, 1 + random.Below(12), "0123456789", 10, "-");
      break;
    case Garbage::kHexadecimal:
      typed.text = random.Chance(60) ? random.Pick(kHexadecimal)
                                     : Digits(random, 1 + random.Below(12), "0123456789abcdefABCDEF", 22, "0x");
      break;
    case Garbage::kNonCp1252:
      if (random.Chance(30)) {
        typed.text = random.Pick(kUndefinedBytes);
      } else {
        typed.how = Typing::kSetTextWide;
        typed.text = Utf8(random.Pick(kWide));
      }
      break;
    case Garbage::kHuge: typed.text = random.Pick(kHuge); break;
    case Garbage::kBlanks: typed.text = random.Pick(kBlanks); break;
    case Garbage::kEmpty:
    case Garbage::kKinds: break;
  }
  // Short texts are sometimes typed, so that the inputs' limits apply.
  if (typed.how == Typing::kSetText && typed.text.size() <= 64 && random.Chance(25)) typed.how = Typing::kKeys;
  return typed;
}

Round MakeRound(Random &random, HWND dialog, Garbage only) {
  Round round;
  if (IsFileDialog(dialog) && random.Chance(80)) {
    round.typed.push_back({cmb13, Typing::kChosenFile, {}});
    round.key = Key::kOk;
    return round;
  }
  const Controls controls = ControlsOf(dialog);
  // One kind asked for: every input gets it.
  for (HWND edit : controls.edits) {
    if (only == Garbage::kKinds && !random.Chance(75)) continue;
    const auto any = static_cast<Garbage>(random.Below(static_cast<unsigned>(Garbage::kKinds)));
    round.typed.push_back(GarbageInput(random, GetDlgCtrlID(edit), only == Garbage::kKinds ? any : only));
  }
  for (HWND button : controls.buttons) {
    if (random.Chance(25)) round.clicked.push_back(GetDlgCtrlID(button));
  }
  constexpr Key kKeys[] = {Key::kOk,    Key::kOk,    Key::kOk,     Key::kOk,     Key::kOk,
                           Key::kEnter, Key::kEnter, Key::kCancel, Key::kCancel, Key::kEscape};
  round.key = random.Pick(kKeys);
  return round;
}

void ApplyRound(HWND dialog, const Round &round) {
  for (const Typed &typed : round.typed) {
    HWND input = GetDlgItem(dialog, typed.control);
    if (!input) continue;
    if (typed.how == Typing::kChosenFile) {
      const Play &play = Playing();
      const std::string path = WriteChosenFile(play.input ? play.input->file : Bytes{});
      HWND edit = reinterpret_cast<HWND>(SendMessageA(input, CBEM_GETEDITCONTROL, 0, 0));
      SendMessageA(edit ? edit : input, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
    } else if (typed.how == Typing::kSetTextWide) {
      std::wstring wide(typed.text.size() + 1, L'\0');
      const int length = MultiByteToWideChar(CP_UTF8, 0, typed.text.data(), static_cast<int>(typed.text.size()),
                                             wide.data(), static_cast<int>(wide.size()));
      wide.resize(length > 0 ? static_cast<std::size_t>(length) : 0);
      SendMessageW(input, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(wide.c_str()));
    } else if (typed.how == Typing::kKeys) {
      SendMessageA(input, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(""));
      for (char c : typed.text) SendMessageA(input, WM_CHAR, static_cast<BYTE>(c), 0);
    } else {
      SendMessageA(input, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(typed.text.c_str()));
    }
  }
  for (int control : round.clicked) {
    if (HWND button = GetDlgItem(dialog, control)) SendMessageA(button, BM_CLICK, 0, 0);
  }
  Press(dialog, round.key);
}

void Press(HWND dialog, Key key) {
  switch (key) {
    case Key::kOk:
    case Key::kCancel: {
      const int id = key == Key::kOk ? IDOK : IDCANCEL;
      PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
      break;
    }
    case Key::kEnter: PostMessageA(dialog, WM_KEYDOWN, VK_RETURN, 0); break;
    case Key::kEscape: PostMessageA(dialog, WM_KEYDOWN, VK_ESCAPE, 0); break;
  }
}

}  // namespace kvt::fuzz
