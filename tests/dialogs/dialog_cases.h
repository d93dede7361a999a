// Driving KVTIDIAG.DLL's dialogs for the dialog tests: a dialog by its
// export, what it must show when it opens, and a typed case
// with the message boxes and the block it must leave.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "dialog_script.h"

namespace kvt::test {

constexpr int kNoSelector = -1;
constexpr BYTE kUntouched = 0xEE;

HMODULE Library();
HWND Owner();
// An export as a dialog procedure; null when missing.
DLGPROC ProcedureExport(const char *name);

struct Dialog {
  const char *starter;
  int selector = kNoSelector;
};

INT_PTR Start(const Dialog &dialog, HWND owner, void *block);
std::string Name(const Dialog &dialog);

struct InputLook {
  int control;
  std::string label;  // the static just before the input
  std::string preset;
  int limit;          // 0: none set (the edit's own large default)
};

struct TemplateCase {
  Dialog dialog;
  int templateId;
  const char *procedure;
  std::string title;
  std::vector<InputLook> inputs;
  std::vector<int> absent = {};
  std::vector<BYTE> block = {};  // what the block holds when the dialog opens; empty: untouched bytes
};

// Title, buttons, inputs with labels, presets and limits, absent controls.
std::vector<std::string> LookProblems(const TemplateCase &c, HWND dialog);
// Opens each template through its starter and its exported procedure,
// checks the look and cancels.
void CheckTemplates(const std::vector<TemplateCase> &cases);

struct Typed {
  int control;
  std::string text;
};

struct ValueCase {
  const char *name;
  Dialog dialog;
  std::vector<Typed> typed;
  Press press;
  std::vector<std::string> boxes;  // message box texts, in order
  INT_PTR result;
  std::vector<BYTE> after;   // the whole block afterwards
  std::vector<int> clicks = {};  // buttons clicked after typing
  std::vector<BYTE> before = {};  // the block before; empty: untouched bytes
};

void CheckValueCase(const ValueCase &c);

std::vector<BYTE> Words(std::initializer_list<unsigned> words);

}  // namespace kvt::test
