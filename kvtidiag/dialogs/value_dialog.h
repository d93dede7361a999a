// The engine of the number and choice dialogs: a dialog of one or two edit
// inputs, each described by a row (preset, limit, how it is read, where it
// goes in the block, what its change does to OK, its check). Each dialog
// keeps its own ValueDialogState, so each runs once at a time.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <span>

#include "dialogs/dialogs.h"

namespace kvt {

// How an input's text becomes a value.
enum class Reading : BYTE {
  kInt,         // GetDlgItemInt, unsigned, no success flag
  kNumber,      // TextToNumber on at most `chars` characters
  kUnsigned,    // TextToUnsigned on at most `chars` characters
  kCharacters,  // the text itself, at most `chars` characters and a zero
};

// The block field a value is stored in (kText fields take chars + 1 bytes).
enum class Field : BYTE { kU8, kU16, kU32, kS32, kText };

// What a change of the input does to the OK button.
enum class OkRule : BYTE {
  kNone,             // nothing: OK stays as it is
  kWhileText,        // EN_CHANGE: enabled while the input holds text
  kAnyNotification,  // every notification from the input enables OK
  kDisable,          // EN_CHANGE disables OK
  kWhileEightChars,  // EN_CHANGE: enabled while the input holds exactly 8 characters
};

// What a failed check does.
enum class OnFailure : BYTE {
  kNoCheck,
  kResultZero,  // message; the dialog ends with 0
  kReplace,     // message; the replacement is stored; the result stands
  kWarn,        // message; the value stays
};

struct ValueCheck {
  OnFailure failure = OnFailure::kNoCheck;
  std::int32_t low = 0;
  std::int32_t high = 0;
  // When not empty: the accepted values, instead of low to high.
  std::span<const std::int32_t> oneOf{};
  UINT message = 0;
  std::int32_t replacement = 0;
};

struct ValueInput {
  int control;
  const char *preset;  // put in at WM_INITDIALOG
  int limit;           // EM_LIMITTEXT at WM_INITDIALOG; 0: none
  Reading reading;
  int chars;           // characters read for kNumber, kUnsigned and kCharacters
  Field field;
  std::size_t offset;  // block byte of the field
  OkRule onChange = OkRule::kNone;
  ValueCheck check{};
  // The check looks at the value as read, and the value is stored only
  // when it passes; otherwise the check looks at the stored field.
  bool storeOnlyWhenAccepted = false;
  // Once a change leaves text in this input, that input gets this limit.
  int limitsControl = 0;
  int limitsTo = 0;
};

// Inputs in the order they are read, stored and checked on OK.
struct ValueDialog {
  std::span<const ValueInput> inputs;
};

// The longest text any input is read from.
inline constexpr int kMaxReadChars = 15;

// Every row reads at most kMaxReadChars and names a message for its check.
constexpr bool RowsValid(std::span<const ValueInput> inputs) {
  for (const ValueInput &input : inputs) {
    if (input.reading != Reading::kInt && (input.chars <= 0 || input.chars > kMaxReadChars)) return false;
    if ((input.reading == Reading::kCharacters) != (input.field == Field::kText)) return false;
    if (input.check.failure != OnFailure::kNoCheck && input.check.message == 0) return false;
  }
  return true;
}

struct ValueDialogState {
  BYTE *block = nullptr;
  DialogFrame frame;
};

// The whole dialog procedure for a described dialog.
INT_PTR ValueDialogProc(const ValueDialog &dialog, ValueDialogState &state, HWND window, UINT message,
                        WPARAM wParam, LPARAM lParam);

// The procedure of one described dialog, with the state that dialog keeps.
template <const auto &kInputs>
INT_PTR RunValueDialog(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  static_assert(RowsValid(kInputs));
  static ValueDialogState state;
  return ValueDialogProc({kInputs}, state, window, message, wParam, lParam);
}

// DialogBoxParamA on the library's template with the block as creation parameter.
INT_PTR StartDialog(HWND owner, void *block, int templateId, DLGPROC procedure);

}  // namespace kvt
