// The parameter dialogs through KVTIDIAG.DLL's exports, for the dialog
// tests: a row per dialog, what it shows when it opens, typed cases with the
// message boxes and the block they leave, and the OK button while typing.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "support/records.h"
#include "support/ui.h"

namespace kvt::test {

inline constexpr int kNoSelector = -1;
inline constexpr BYTE kUntouched = 0xEE;

struct Dialog {
  const char *starter;    // the Dialog<Name> export
  int selector;           // its third argument; kNoSelector for the two-argument starters
  int templateId;
  const char *procedure;  // the <Name>DlgProc export
  const char *title;
};

// Starts the dialog through its export; -2 when the export is missing.
INT_PTR Start(const Dialog &dialog, void *block);

struct Input {
  int control;
  std::string label;  // of the static just before an edit; the text of a check box
  std::string preset;
  int limit = 0;      // 0: none set (the edit's own large default)
};

// Typed into one input: whether OK is enabled afterwards, and, when set,
// the limit another input then has.
struct OkStep {
  int control;
  std::string text;
  bool okEnabled;
  int limited = 0;
  int limit = 0;
};

struct Look {
  const Dialog &dialog;
  std::vector<Input> inputs;
  std::vector<OkStep> typing = {};  // the OK button while the user types
  std::vector<int> absent = {};
  Bytes block = {};  // what the block holds when the dialog opens; empty: untouched bytes
};

// Title, buttons, inputs with labels, presets and limits, absent controls,
// the control-colour message, the OK button while typing; Cancel after the
// typing leaves the block; the exported procedure runs the same template,
// and Esc leaves the block too.
void CheckLooks(const std::vector<Look> &looks);

struct Typed {
  int control;
  std::string text;
};

enum class Press { kOk, kCancel, kEnter, kEscape };

struct ValueCase {
  const char *name;
  const Dialog &dialog;
  std::vector<Typed> typed;
  Press press;
  std::vector<std::string> boxes;  // message box texts, in order
  INT_PTR result;
  Bytes after;                 // the whole block afterwards
  std::vector<int> clicks = {};  // buttons clicked after typing
  Bytes before = {};           // the block before; empty: untouched bytes
};

void CheckValues(const std::vector<ValueCase> &cases);

}  // namespace kvt::test
