#include "kvtidiag/dialogs/dialog_cases.h"

#include <gtest/gtest.h>

#include "support/texts.h"

namespace kvt::test {

namespace {

HMODULE Library() {
  static const HMODULE library = LoadLibraryA("KVTIDIAG.DLL");
  return library;
}

template <typename Function>
Function Export(const char *name) {
  using Plain = void (*)();  // converts to and from any function pointer without a warning
  return reinterpret_cast<Function>(reinterpret_cast<Plain>(GetProcAddress(Library(), name)));
}

std::string Name(const Dialog &dialog) {
  return dialog.selector == kNoSelector ? dialog.starter
                                        : std::string(dialog.starter) + "_" + std::to_string(dialog.selector);
}

// The block and eight guard bytes behind it.
Bytes Block(const Bytes &before, std::size_t size) {
  Bytes block = before.empty() ? Bytes(size, kUntouched) : before;
  block.resize(size + 8, kUntouched);
  return block;
}

void Finish(HWND dialog, Press press) {
  switch (press) {
    case Press::kOk: Click(dialog, IDOK); break;
    case Press::kCancel: Click(dialog, IDCANCEL); break;
    case Press::kEnter: Key(dialog, VK_RETURN); break;
    case Press::kEscape: Key(dialog, VK_ESCAPE); break;
  }
}

std::vector<std::string> LookProblems(const Look &look, HWND dialog) {
  std::vector<std::string> problems;
  const HWND ok = GetDlgItem(dialog, IDOK);
  if (Text(ok) != "OK" || ItemText(dialog, IDCANCEL) != text::kCancelButton) problems.push_back("OK and Abbrechen");
  if (!IsWindowEnabled(ok)) problems.push_back("OK disabled at the start");
  for (const Input &input : look.inputs) {
    const std::string which = " of " + std::to_string(input.control);
    const HWND control = GetDlgItem(dialog, input.control);
    if (!control) {
      problems.push_back("no control" + which);
    } else if (ClassName(control) == "Edit") {
      if (Text(control) != input.preset) problems.push_back("preset \"" + Escaped(Text(control)) + "\"" + which);
      const auto limit = static_cast<int>(SendMessageA(control, EM_GETLIMITTEXT, 0, 0));
      if (input.limit == 0 ? limit < 30000 : limit != input.limit) {
        problems.push_back("limit " + std::to_string(limit) + which);
      }
      const HWND label = GetWindow(control, GW_HWNDPREV);
      if (Text(label) != input.label) problems.push_back("label \"" + Escaped(Text(label)) + "\"" + which);
    } else if (Text(control) != input.label) {
      problems.push_back("text \"" + Escaped(Text(control)) + "\"" + which);
    }
  }
  for (int control : look.absent) {
    if (GetDlgItem(dialog, control)) problems.push_back(std::to_string(control) + " should be absent");
  }
  // The combined control-colour message, asked of the exported procedure
  // itself: dialog and static get the brush, other types nothing.
  const DLGPROC procedure = Export<DLGPROC>(look.dialog.procedure);
  HDC dc = GetDC(dialog);
  auto colour = [&](WORD type) { return procedure(dialog, 0x0019, reinterpret_cast<WPARAM>(dc), MAKELPARAM(0, type)); };
  const INT_PTR forStatic = colour(6), forDialog = colour(4), forEdit = colour(1);
  ReleaseDC(dialog, dc);
  if (!forStatic || forStatic != forDialog || forEdit != 0) problems.push_back("control-colour message");
  for (const OkStep &step : look.typing) {
    const std::string at = "after \"" + step.text + "\" in " + std::to_string(step.control);
    SetText(dialog, step.control, step.text);
    if ((IsWindowEnabled(GetDlgItem(dialog, IDOK)) != FALSE) != step.okEnabled) {
      problems.push_back(at + ": OK " + (step.okEnabled ? "disabled" : "enabled"));
    }
    const auto limit = step.limited ? SendDlgItemMessageA(dialog, step.limited, EM_GETLIMITTEXT, 0, 0) : 0;
    if (limit != step.limit) problems.push_back(at + ": limit " + std::to_string(limit));
  }
  return problems;
}

}  // namespace

INT_PTR Start(const Dialog &dialog, void *block) {
  using PlainStarter = INT_PTR(WINAPI *)(HWND, void *);
  using SelectorStarter = INT_PTR(WINAPI *)(HWND, void *, BYTE);
  if (dialog.selector == kNoSelector) {
    const auto starter = Export<PlainStarter>(dialog.starter);
    return starter ? starter(Owner(), block) : -2;
  }
  const auto starter = Export<SelectorStarter>(dialog.starter);
  return starter ? starter(Owner(), block, static_cast<BYTE>(dialog.selector)) : -2;
}

void CheckLooks(const std::vector<Look> &looks) {
  for (const Look &look : looks) {
    SCOPED_TRACE(Name(look.dialog));
    ASSERT_NE(Export<DLGPROC>(look.dialog.procedure), nullptr) << look.dialog.procedure;
    Bytes block = Block(look.block, look.block.empty() ? 32 : look.block.size());
    const Bytes original = block;
    std::vector<std::string> problems;
    INT_PTR result = -1;
    const UiRun run = RunUi({{look.dialog.title, [&](HWND dialog) {
                                problems = LookProblems(look, dialog);
                                Click(dialog, IDCANCEL);
                              }}},
                            [&] { result = Start(look.dialog, block.data()); });
    EXPECT_EQ(run.pending, 0u) << "no dialog titled " << Escaped(look.dialog.title);
    EXPECT_EQ(result, 0);
    for (const std::string &problem : problems) ADD_FAILURE() << problem;
    EXPECT_EQ(Hex(block), Hex(original)) << "Cancel changed the block";

    const UiRun direct = RunUi({{look.dialog.title, [](HWND dialog) { Key(dialog, VK_ESCAPE); }}}, [&] {
      result = DialogBoxParamA(Library(), MAKEINTRESOURCEA(look.dialog.templateId), Owner(),
                               Export<DLGPROC>(look.dialog.procedure), reinterpret_cast<LPARAM>(block.data()));
    });
    EXPECT_EQ(direct.pending, 0u) << "the exported procedure on template " << look.dialog.templateId;
    EXPECT_EQ(result, 0);
    EXPECT_EQ(Hex(block), Hex(original)) << "Esc changed the block";
  }
}

void CheckValues(const std::vector<ValueCase> &cases) {
  for (const ValueCase &c : cases) {
    SCOPED_TRACE(c.name);
    Bytes block = Block(c.before, c.after.size());
    INT_PTR result = -1;
    const UiRun run = RunUi({{c.dialog.title,
                              [&](HWND dialog) {
                                for (const Typed &typed : c.typed) SetText(dialog, typed.control, typed.text);
                                for (int control : c.clicks) SendDlgItemMessageA(dialog, control, BM_CLICK, 0, 0);
                                Finish(dialog, c.press);
                              }}},
                            [&] { result = Start(c.dialog, block.data()); });
    EXPECT_EQ(run.pending, 0u);
    EXPECT_EQ(result, c.result);
    ASSERT_EQ(run.boxes.size(), c.boxes.size());
    for (std::size_t i = 0; i < c.boxes.size(); ++i) {
      EXPECT_EQ(Escaped(run.boxes[i].text), Escaped(c.boxes[i])) << "message box " << i;
      EXPECT_EQ(run.boxes[i].caption, text::kMessageCaption);
      EXPECT_TRUE(run.boxes[i].plain) << "message box " << i << " without exclamation icon and OK";
    }
    Bytes expected = c.after;
    expected.resize(c.after.size() + 8, kUntouched);
    EXPECT_EQ(Hex(block), Hex(expected));
  }
}

}  // namespace kvt::test
