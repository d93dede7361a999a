#include "dialog_cases.h"

#include <gtest/gtest.h>

namespace kvt::test {

namespace {

using PlainStarter = INT_PTR(WINAPI *)(HWND, void *);
using SelectorStarter = INT_PTR(WINAPI *)(HWND, void *, BYTE);

template <typename Function>
Function Export(const char *name) {
  using Plain = void (*)();  // converts to and from any function pointer without a warning
  return reinterpret_cast<Function>(reinterpret_cast<Plain>(GetProcAddress(Library(), name)));
}

RECT InDialog(HWND dialog, HWND child) {
  RECT rect;
  GetWindowRect(child, &rect);
  MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT *>(&rect), 2);
  return rect;
}

std::vector<BYTE> Before(const std::vector<BYTE> &before, std::size_t size) {
  std::vector<BYTE> block = before.empty() ? std::vector<BYTE>(size, kUntouched) : before;
  block.resize(size + 8, kUntouched);  // guard bytes behind the block
  return block;
}

}  // namespace

HMODULE Library() {
  static HMODULE library = LoadLibraryA("KVTIDIAG.DLL");
  return library;
}

HWND Owner() {
  static HWND owner = CreateOwnerWindow(90, 70, 760, 560);
  return owner;
}

DLGPROC ProcedureExport(const char *name) { return Export<DLGPROC>(name); }

INT_PTR Start(const Dialog &dialog, HWND owner, void *block) {
  constexpr INT_PTR kNoSuchExport = -2;
  if (dialog.selector == kNoSelector) {
    const auto starter = Export<PlainStarter>(dialog.starter);
    return starter ? starter(owner, block) : kNoSuchExport;
  }
  const auto starter = Export<SelectorStarter>(dialog.starter);
  return starter ? starter(owner, block, static_cast<BYTE>(dialog.selector)) : kNoSuchExport;
}

std::string Name(const Dialog &dialog) {
  std::string name = dialog.starter;
  if (dialog.selector != kNoSelector) name.append("_").append(std::to_string(dialog.selector));
  return name;
}

std::vector<std::string> LookProblems(const TemplateCase &c, HWND dialog) {
  std::vector<std::string> problems;
  auto fail = [&](const std::string &what) { problems.push_back(what); };
  if (WindowText(dialog) != c.title) fail("title \"" + Escaped(WindowText(dialog)) + "\"");
  const HWND ok = GetDlgItem(dialog, IDOK);
  const HWND cancel = GetDlgItem(dialog, IDCANCEL);
  if (!ok || !cancel || WindowText(ok) != "OK" || WindowText(cancel) != "Abbrechen") fail("OK and Abbrechen");
  if (ok && !IsWindowEnabled(ok)) fail("OK disabled at the start");
  RECT client;
  GetClientRect(dialog, &client);
  for (const InputLook &input : c.inputs) {
    const std::string which = " of " + std::to_string(input.control);
    const HWND control = GetDlgItem(dialog, input.control);
    if (!control) {
      fail("no control" + which);
      continue;
    }
    const bool isEdit = ClassName(control) == "Edit";
    if (isEdit && WindowText(control) != input.preset) fail("preset \"" + Escaped(WindowText(control)) + "\"" + which);
    if (isEdit) {
      const auto limit = static_cast<int>(SendMessageA(control, EM_GETLIMITTEXT, 0, 0));
      if (input.limit == 0 ? limit < 30000 : limit != input.limit) fail("limit " + std::to_string(limit) + which);
      const HWND label = GetWindow(control, GW_HWNDPREV);
      if (!label || ClassName(label) != "Static" || WindowText(label) != input.label) {
        fail("label \"" + (label ? Escaped(WindowText(label)) : std::string("none")) + "\"" + which);
      }
    } else if (WindowText(control) != input.label) {
      fail("button text \"" + Escaped(WindowText(control)) + "\"" + which);
    }
    const RECT rect = InDialog(dialog, control);
    if (rect.left < 0 || rect.top < 0 || rect.right > client.right || rect.bottom > client.bottom) {
      fail("control outside the dialog" + which);
    }
    if (ok && rect.bottom > InDialog(dialog, ok).top) fail("control not above the buttons" + which);
  }
  for (int control : c.absent) {
    if (GetDlgItem(dialog, control)) fail("control " + std::to_string(control) + " should be absent");
  }
  return problems;
}

void CheckTemplates(const std::vector<TemplateCase> &cases) {
  ASSERT_NE(Library(), nullptr);
  for (const TemplateCase &c : cases) {
    SCOPED_TRACE(Name(c.dialog));
    const std::size_t size = c.block.empty() ? 32 : c.block.size();
    std::vector<BYTE> block = Before(c.block, size);
    const std::vector<BYTE> original = block;
    std::vector<std::string> problems;
    const ScriptRun run = RunDialog([&] { return Start(c.dialog, Owner(), block.data()); },
                                    [&](HWND dialog) {
                                      problems = LookProblems(c, dialog);
                                      SaveShot(dialog, Name(c.dialog));
                                      PostPress(dialog, Press::kCancelButton);
                                    });
    EXPECT_TRUE(run.opened);
    EXPECT_FALSE(run.timedOut);
    EXPECT_EQ(run.result, 0);
    EXPECT_TRUE(run.boxes.empty());
    for (const std::string &problem : problems) ADD_FAILURE() << problem;
    EXPECT_EQ(EscapedBytes(block), EscapedBytes(original)) << "Cancel changed the block";

    // The exported procedure runs the same template.
    const DLGPROC procedure = ProcedureExport(c.procedure);
    ASSERT_NE(procedure, nullptr) << c.procedure;
    std::string title;
    const ScriptRun direct = RunDialog(
        [&] {
          return DialogBoxParamA(Library(), MAKEINTRESOURCEA(c.templateId), Owner(), procedure,
                                 reinterpret_cast<LPARAM>(block.data()));
        },
        [&](HWND dialog) {
          title = WindowText(dialog);
          PostPress(dialog, Press::kEscapeKey);
        });
    EXPECT_EQ(title, c.title);
    EXPECT_EQ(direct.result, 0);
  }
}

void CheckValueCase(const ValueCase &c) {
  SCOPED_TRACE(c.name);
  std::vector<BYTE> block = Before(c.before, c.after.size());
  const ScriptRun run = RunDialog([&] { return Start(c.dialog, Owner(), block.data()); },
                                  [&](HWND dialog) {
                                    for (const Typed &typed : c.typed) {
                                      SetDlgItemTextA(dialog, typed.control, typed.text.c_str());
                                    }
                                    for (int control : c.clicks) SendDlgItemMessageA(dialog, control, BM_CLICK, 0, 0);
                                    PostPress(dialog, c.press);
                                  });
  EXPECT_TRUE(run.opened);
  EXPECT_FALSE(run.timedOut);
  EXPECT_EQ(run.result, c.result);
  EXPECT_EQ(run.boxes.size(), c.boxes.size());
  for (std::size_t i = 0; i < std::min(run.boxes.size(), c.boxes.size()); ++i) {
    EXPECT_EQ(Escaped(run.boxes[i]), Escaped(c.boxes[i])) << "message box " << i;
    EXPECT_EQ(run.captions[i], "Diagnose");
    EXPECT_TRUE(run.exclamationAndOk[i]) << "message box " << i << " without exclamation icon and OK";
  }
  std::vector<BYTE> expected = c.after;
  expected.resize(c.after.size() + 8, kUntouched);
  EXPECT_EQ(EscapedBytes(block), EscapedBytes(expected));
}

std::vector<BYTE> Words(std::initializer_list<unsigned> words) {
  std::vector<BYTE> bytes;
  for (unsigned w : words) bytes.push_back(static_cast<BYTE>(w & 0xFF)), bytes.push_back(static_cast<BYTE>(w >> 8));
  return bytes;
}

}  // namespace kvt::test
