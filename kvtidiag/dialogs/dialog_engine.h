// The one engine of the parameter dialogs: a dialog is a description, and
// the engine runs its frame, presets, OK rules and, on OK, its rows in turn.
//
// Adding a dialog:
//  1. Its template and control ids get a block in dialogs.h, beside the
//     declarations of its Dialog<Name> and <Name>DlgProc.
//  2. Its inputs are rows in the order OK reads, stores and checks them (the
//     presets go in in the same order): preset, limit from the start and
//     chained limit, reading, field, check, OK rule. For example
//       constexpr Input kWATime[] = {
//           {.control = IDC_RESTART_SECONDS, .preset = "2", .limit = 2, .onChange = OkRule::kWhileText,
//            .check = InRange(2, 60, ids::kInputFrom2To60Seconds, kResultZero)}};
//     A dialog with buttons, hooks or a block extent of its own is a
//     `constexpr Description` over its rows.
//  3. `<Name>DlgProc` returns `RunDialog<kName>(...)`, which holds the
//     dialog's block and brush; `Dialog<Name>` returns `StartDialog(owner,
//     block, IDD_NAME, <Name>DlgProc)`; its collector row goes into
//     collectors.cpp. What rows cannot say goes into the onInit or onOk hook.
// The rows are checked at compile time: every field lies inside the block.
#pragma once

#include <windows.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "dialogs/dialogs.h"

namespace kvt {

inline constexpr INT_PTR kResultOk = 1;
inline constexpr INT_PTR kResultCancel = 0;

// How an input's text becomes a value.
enum class Reading : BYTE {
  kInt,         // GetDlgItemInt, unsigned, no success flag
  kNumber,      // TextToNumber
  kUnsigned,    // TextToUnsigned
  kDecimal,     // atol (atoi reads the same: long has 32 bits here)
  kFraction,    // strtod, its whole part stored; 0 beyond 32 bits
  kHundredths,  // strtod × 100 (a single shot in 1/100 degree), its whole part stored
  kLetter,      // the first character's place in `letters`, either case; any other: 0
  kCharacters,  // the text itself and a zero, into a kText field
  kList,        // numbers split at blanks and commas into consecutive fields, see List
};

// The block field a value is stored in, truncated to its width.
enum class Field : BYTE {
  kU8, kU16, kU32, kS32,
  kText,      // `chars` characters and a zero
  kUnitBits,  // the value << 6 OR-ed into a byte whose low bits hold a field letter
};

// What changes of an input do to the OK button.
enum class OkRule : BYTE {
  kNone,              // nothing
  kWhileText,         // EN_CHANGE: enabled while the input holds text
  kWhileExactChars,   // EN_CHANGE: enabled while it holds exactly `chars` characters
  kEnableOnChange,    // EN_CHANGE enables OK
  kDisableOnChange,   // EN_CHANGE disables OK
  kAnyNotification,   // every notification from the input enables OK
};

enum class CheckKind : BYTE {
  kNone,
  kRange,  // low ≤ value ≤ high
  kOneOf,  // one of `oneOf`
  kOrder,  // the field at `notAbove` ≤ value ≤ high
};

// What a failed check does besides showing its message (flags; kWarn: nothing).
enum Outcome : BYTE {
  kWarn = 0,
  kReplace = 1,     // `replacement` is stored
  kClamp = 2,       // the nearer of low and high is stored
  kResultZero = 4,  // the dialog reads on and ends with 0
  kKeepOpen = 8,    // nothing more is read; OK is disabled and the dialog stays open
};

struct Check {
  CheckKind kind = CheckKind::kNone;
  std::int32_t low = 0;
  std::int32_t high = 0;
  std::span<const std::int32_t> oneOf{};
  std::size_t notAbove = 0;
  // Tests the value as read, before it is stored: it is stored when it
  // passes, else only what the outcome stores. Otherwise the check tests
  // the stored field.
  bool asRead = false;
  UINT message = 0;  // 0: none
  BYTE outcome = kWarn;
  std::int32_t replacement = 0;
};

constexpr Check InRange(std::int32_t low, std::int32_t high, UINT message, BYTE outcome,
                       std::int32_t replacement = 0) {
  return {.kind = CheckKind::kRange, .low = low, .high = high, .message = message, .outcome = outcome,
          .replacement = replacement};
}
constexpr Check OneOf(std::span<const std::int32_t> values, UINT message, BYTE outcome,
                      std::int32_t replacement = 0) {
  return {.kind = CheckKind::kOneOf, .oneOf = values, .message = message, .outcome = outcome,
          .replacement = replacement};
}
// The field at `first` (of the same width) ≤ value ≤ high.
constexpr Check Ordered(std::size_t first, std::int32_t high, UINT message, BYTE outcome) {
  return {.kind = CheckKind::kOrder, .high = high, .notAbove = first, .message = message, .outcome = outcome};
}
constexpr Check AsRead(Check check) {
  check.asRead = true;
  return check;
}

// Once a change leaves text in an input, `control` gets this length limit.
struct ChainedLimit {
  int control = 0;
  int limit = 0;
};

enum class ListCount : BYTE {
  kFromBlock,  // the field at countAt (stored before) plus `entries`
  kFixed,      // `entries`
  kFound,      // the numbers the text holds, at most `entries`; their number goes to countAt
};

// Entries the text has no number for.
enum class Fill : BYTE {
  kValue,     // fillValue
  kIndex,     // the entry's index
  kPrevious,  // the field before it in the block
};

struct List {
  Reading token;  // kNumber, kDecimal or kFraction
  ListCount count = ListCount::kFromBlock;
  Field countField = Field::kU16;
  std::size_t countAt = 0;
  unsigned entries = 0;
  Fill fill = Fill::kValue;
  std::int32_t fillValue = 0;
  // Bytes from one entry to the next, e.g. down a column of a table stored
  // line by line; 0: the entry's width.
  std::size_t stride = 0;
  // The text the numbers are taken from, e.g. without labels between them.
  std::string (*prepare)(std::string text, unsigned count) = nullptr;
};

struct Input {
  int control;
  const char *preset = "";
  bool presetFromBlock = false;  // shows its field in decimal (or its text) instead
  int limit = 0;                 // EM_LIMITTEXT from the start; 0: none
  Reading reading = Reading::kInt;
  int chars = 0;                 // characters read, for every reading but kInt
  Field field = Field::kU8;
  std::size_t offset = 0;
  OkRule onChange = OkRule::kNone;
  ChainedLimit chained{};
  Check check{};
  const char *letters = nullptr;  // kLetter
  const List *list = nullptr;     // kList; `field` is the width of an entry
};

enum class ButtonRule : BYTE {
  kSetsBitsOnOk,  // check box: ticked at OK, `value` is OR-ed into the field
  kToggles,       // check box: ticked while the field is not 0; a click switches it between 0 and `value`
  kChooses,       // radio button: ticked while the field's `mask` bits equal `value`; a click
                  // stores `value`, which ticks it alone among the buttons on that field
};

struct Button {
  int control;
  ButtonRule rule;
  Field field;
  std::size_t offset;
  std::uint32_t value;
  std::uint32_t mask = 0xFFFFFFFF;
  bool chosenAtStart = false;  // kChooses: stored and ticked when the dialog opens
};

using Hook = void (*)(HWND dialog, std::span<BYTE> block);

struct Description {
  std::span<const Input> inputs;
  std::span<const Button> buttons = {};
  std::size_t blockBytes = 0;  // the bytes the dialog may write; 0: up to the end of its last field
  Hook onInit = nullptr;       // after the presets and buttons
  Hook onOk = nullptr;         // after the rows and buttons, unless the dialog stays open
  // When set, presetFromBlock inputs show the block only while it is true.
  const bool *showBlock = nullptr;
};

constexpr std::size_t FieldSize(Field field, int chars) {
  switch (field) {
    case Field::kU8:
    case Field::kUnitBits: return 1;
    case Field::kU16: return 2;
    case Field::kU32:
    case Field::kS32: return 4;
    case Field::kText: return static_cast<std::size_t>(chars) + 1;
  }
  return 0;
}

constexpr std::size_t BlockBytes(const Description &dialog) {
  if (dialog.blockBytes != 0) return dialog.blockBytes;
  std::size_t extent = 0;
  for (const Input &input : dialog.inputs) {
    extent = std::max(extent, input.offset + FieldSize(input.field, input.chars));
  }
  return extent;
}

// Every row reads what its field takes, a warning names its message, and
// every field lies inside the block; a list needs the block's extent.
constexpr bool Valid(const Description &dialog) {
  const std::size_t bytes = BlockBytes(dialog);
  for (const Input &input : dialog.inputs) {
    if (input.reading != Reading::kInt && input.chars <= 0) return false;
    if ((input.reading == Reading::kCharacters) != (input.field == Field::kText)) return false;
    if ((input.reading == Reading::kLetter) != (input.letters != nullptr)) return false;
    if ((input.reading == Reading::kList) != (input.list != nullptr)) return false;
    if (input.list && dialog.blockBytes == 0) return false;
    if (input.check.kind != CheckKind::kNone && input.check.outcome == kWarn && input.check.message == 0) return false;
    if (input.offset + FieldSize(input.field, input.chars) > bytes) return false;
  }
  for (const Button &button : dialog.buttons) {
    if (button.offset + FieldSize(button.field, 0) > bytes) return false;
  }
  return true;
}

// For hooks whose rows depend on what the block holds: shows rows as the
// opening does, and reads, stores and checks them as OK does; the outcome
// flags of the checks that failed, OR-ed.
void ShowRows(HWND window, std::span<const BYTE> block, std::span<const Input> rows, bool showBlock = true);
BYTE ReadRows(HWND window, std::span<BYTE> block, std::span<const Input> rows);

struct DialogState {
  BYTE *block = nullptr;
  DialogFrame frame;
};

// The whole procedure of a described dialog.
INT_PTR DialogProc(const Description &dialog, DialogState &state, HWND window, UINT message, WPARAM wParam,
                   LPARAM lParam);

constexpr Description Describe(const Description &dialog) { return dialog; }
template <std::size_t N>
constexpr Description Describe(const Input (&rows)[N]) {
  return {rows};
}

// The procedure of one described dialog (its rows or its Description),
// with the block and brush that dialog keeps.
template <const auto &kDialog>
INT_PTR RunDialog(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  static constexpr Description kDescribed = Describe(kDialog);
  static_assert(Valid(kDescribed));
  static DialogState state;
  return DialogProc(kDescribed, state, window, message, wParam, lParam);
}

// DialogBoxParamA on the library's template with the block as creation parameter.
INT_PTR StartDialog(HWND owner, void *block, int templateId, DLGPROC procedure);

}  // namespace kvt
