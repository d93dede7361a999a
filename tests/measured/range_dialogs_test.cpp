// The range dialogs and the dialog for ranges with remission values,
// driven through KVTIDIAG.DLL's exports with real window messages: each
// template's title, inputs, presets and limits; what lands in the block
// (and in message boxes) after OK with valid input and with each failing
// check; Cancel and Esc; the OK button while the user types.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "dialog_script.h"

namespace kvt::test {
namespace {

using PlainStarter = INT_PTR(WINAPI *)(HWND, void *);
using SelectorStarter = INT_PTR(WINAPI *)(HWND, void *, BYTE);

constexpr int kNoSelector = -1;
constexpr BYTE kUntouched = 0xEE;
constexpr BYTE E = kUntouched;

HMODULE Library() {
  static HMODULE library = LoadLibraryA("KVTIDIAG.DLL");
  return library;
}

HWND Owner() {
  static HWND owner = CreateOwnerWindow(90, 70, 760, 560);
  return owner;
}

template <typename Function>
Function Export(const char *name) {
  using Plain = void (*)();
  return reinterpret_cast<Function>(reinterpret_cast<Plain>(GetProcAddress(Library(), name)));
}

struct Dialog {
  const char *starter;
  int selector = kNoSelector;
};

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

const Dialog kPartial{"DialogMVPartial", 0};
const Dialog kPartialMode{"DialogMVPartial", 1};
const Dialog kAveraged{"DialogAMVP", 0};
const Dialog kAveragedMode{"DialogAMVP", 1};
const Dialog kSegments{"DialogSegmP", 1};
const Dialog kRanges{"DialogMwRem"};

// --- What each dialog shows when it opens -------------------------------

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
};

const std::string kSensorLabel = "Aktiver KVT für Messwerte(nur bei PXD):";

const std::vector<TemplateCase> kTemplates = {
    {kPartial, 604, "MVPartialDlgProc", "Messwertteilbereich anfordern",
     {{1009, kSensorLabel, "1", 3}, {1015, "Erster Messwert:", "181", 6}, {112, "Letzter Messwert:", "181", 6}},
     {1178}},
    {{"DialogMVPartial", 7}, 604, "MVPartialDlgProc", "Messwertteilbereich anfordern",
     {{1009, kSensorLabel, "1", 3}, {1015, "Erster Messwert:", "181", 6}, {112, "Letzter Messwert:", "181", 6}},
     {1178}},
    {kPartialMode, 620, "MVPartialDlgProc", "Betriebsmodus Messwertteilbereich",
     {{1015, "Erster Messwert:", "181", 6}, {112, "Letzter Messwert:", "181", 6}}, {1009}},
    {kAveraged, 622, "AMVPDlgProc", "Gemittellter Messwertteilbereich",
     {{1108, kSensorLabel, "1", 1},
      {1106, "Erster Messwert:", "180", 3},
      {1107, "Letzter Messwert:", "181", 3},
      {1109, "Anzahl der Mittelungen [1-250]:", "100", 3}}},
    {kAveragedMode, 623, "AMVPDlgProc", "Gemittelte Messwerte - Teilbereich",
     {{1106, "Erster Messwert:", "180", 3},
      {1107, "Letzter Messwert:", "181", 3},
      {1109, "Anzahl der Mittelungen [1-250]:", "100", 3}},
     {1108}},
    {kSegments, 630, "SegmPDlgProc", "Messwert pro Segment - Teilbereich",
     {{1107, "Erster Messwert:", "20", 3},
      {1108, "Letzter Messwert:", "80", 0},
      {1110, "Anzahl der Segemente im Teilbereich:", "15", 3}}},
    {kRanges, 120, "MwRemDlgProc", "Parameter für Bereiche mit Mess- und Remissionswerten",
     {{1167, "Anzahl Bereiche [1-5]:", "1", 0},
      {1173, "Bereich1:  1.Messwert", "85", 0},
      {1177, "Bereich1:  letzter Messwert", "105", 0},
      {1176, "Bereich2:  1.Messwert", "", 0},
      {1168, "Bereich2: letzter Messwert", "", 0},
      {1172, "Bereich3:  1.Messwert", "", 0},
      {1169, "Bereich3: letzter Messwert", "", 0},
      {1174, "Bereich4:  1.Messwert", "", 0},
      {1175, "Bereich4: letzter Messwert", "", 0},
      {1170, "Bereich5:  1.Messwert", "", 0},
      {1171, "Bereich5: letzter Messwert", "", 0}}},
};

RECT InDialog(HWND dialog, HWND child) {
  RECT rect;
  GetWindowRect(child, &rect);
  MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT *>(&rect), 2);
  return rect;
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
    const HWND edit = GetDlgItem(dialog, input.control);
    if (!edit || ClassName(edit) != "Edit") {
      fail("no edit" + which);
      continue;
    }
    if (WindowText(edit) != input.preset) fail("preset \"" + Escaped(WindowText(edit)) + "\"" + which);
    const auto limit = static_cast<int>(SendMessageA(edit, EM_GETLIMITTEXT, 0, 0));
    if (input.limit == 0 ? limit < 30000 : limit != input.limit) fail("limit " + std::to_string(limit) + which);
    const HWND label = GetWindow(edit, GW_HWNDPREV);
    if (!label || ClassName(label) != "Static" || WindowText(label) != input.label) {
      fail("label \"" + (label ? Escaped(WindowText(label)) : std::string("none")) + "\"" + which);
    }
    const RECT rect = InDialog(dialog, edit);
    if (rect.left < 0 || rect.top < 0 || rect.right > client.right || rect.bottom > client.bottom) {
      fail("input outside the dialog" + which);
    }
    if (ok && rect.bottom > InDialog(dialog, ok).top) fail("input not above the buttons" + which);
  }
  for (int control : c.absent) {
    if (GetDlgItem(dialog, control)) fail("control " + std::to_string(control) + " should be absent");
  }
  return problems;
}

TEST(RangeDialogs, OpenPresetAndLaidOut) {
  ASSERT_NE(Library(), nullptr);
  for (const TemplateCase &c : kTemplates) {
    SCOPED_TRACE(Name(c.dialog));
    std::vector<BYTE> block(32, kUntouched);
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
    EXPECT_EQ(EscapedBytes(block), EscapedBytes(std::vector<BYTE>(32, kUntouched))) << "Cancel changed the block";
  }
}

// Each exported procedure runs its template.
TEST(RangeDialogs, ExportedProceduresRunTheirTemplates) {
  for (const TemplateCase &c : kTemplates) {
    SCOPED_TRACE(Name(c.dialog));
    const auto procedure = Export<DLGPROC>(c.procedure);
    ASSERT_NE(procedure, nullptr) << c.procedure;
    std::vector<BYTE> block(32, kUntouched);
    std::string title;
    const ScriptRun run = RunDialog(
        [&] {
          return DialogBoxParamA(Library(), MAKEINTRESOURCEA(c.templateId), Owner(), procedure,
                                 reinterpret_cast<LPARAM>(block.data()));
        },
        [&](HWND dialog) {
          title = WindowText(dialog);
          PostPress(dialog, Press::kEscapeKey);
        });
    EXPECT_EQ(title, c.title);
    EXPECT_EQ(run.result, 0);
  }
}

TEST(RangeDialogs, SegmentsWithoutTheModeSelectorOpenNothing) {
  std::vector<BYTE> block(12, kUntouched);
  for (BYTE selector : {0, 2, 255}) {
    EXPECT_EQ(Export<SelectorStarter>("DialogSegmP")(Owner(), block.data(), selector), 0);
  }
  EXPECT_EQ(EscapedBytes(block), EscapedBytes(std::vector<BYTE>(12, kUntouched)));
}

// --- Values typed, OK or Cancel, messages and the block -----------------

const std::string k208 = "Eingabe muss zwischen 1 und 250  liegen!";
const std::string k210 =
    "Erster Messwert muss kleiner oder gleich dem letzten Messwert sein; und den Wert 401 nicht überschreiten.";
const std::string k222 = "KVT-Nummer muss zwischen 1 und 4  liegen!";

struct Typed {
  int control;
  std::string text;
};

struct ValueCase {
  const char *name;
  Dialog dialog;
  std::vector<Typed> typed;
  Press press;
  std::vector<std::string> boxes;
  INT_PTR result;
  std::vector<BYTE> after;  // the whole block
  bool checkDirect = false;  // tick "Übertragung der Messwerte direkt nach Messung"
};

void CheckValueCase(const ValueCase &c) {
  SCOPED_TRACE(c.name);
  std::vector<BYTE> block(c.after.size() + 8, kUntouched);  // guard bytes behind the block
  const ScriptRun run = RunDialog([&] { return Start(c.dialog, Owner(), block.data()); },
                                  [&](HWND dialog) {
                                    for (const Typed &typed : c.typed) {
                                      SetDlgItemTextA(dialog, typed.control, typed.text.c_str());
                                    }
                                    if (c.checkDirect) {
                                      SendDlgItemMessageA(dialog, 1178, BM_CLICK, 0, 0);
                                    }
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

using enum Press;

TEST(RangeDialogs, MeasuredValueRange) {
  const ValueCase cases[] = {
      {"presets", kPartial, {}, kOkButton, {}, 1, {1, 0, 181, 0, 181, 0, E, E, E, E, E, E}},
      {"Enter takes the presets", kPartial, {}, kEnterKey, {}, 1, {1, 0, 181, 0, 181, 0, E, E, E, E, E, E}},
      {"a range", kPartial, {{1009, "4"}, {1015, "10"}, {112, "401"}}, kOkButton, {}, 1,
       {4, 0, 10, 0, 0x91, 1, E, E, E, E, E, E}},
      {"first above last: warned, stored as typed", kPartial, {{1015, "200"}, {112, "100"}}, kOkButton, {k210}, 1,
       {1, 0, 200, 0, 100, 0, E, E, E, E, E, E}},
      {"last above 401: warned", kPartial, {{1015, "1"}, {112, "402"}}, kOkButton, {k210}, 1,
       {1, 0, 1, 0, 0x92, 1, E, E, E, E, E, E}},
      {"sensor above 4 decides", kPartial, {{1009, "5"}}, kOkButton, {k222}, 0,
       {5, 0, 181, 0, 181, 0, E, E, E, E, E, E}},
      {"both checks fail: two messages", kPartial, {{1009, "9"}, {1015, "300"}, {112, "3"}}, kOkButton, {k210, k222},
       0, {9, 0, 0x2C, 1, 3, 0, E, E, E, E, E, E}},
      {"text reads 0; digits count up to the first other character", kPartial,
       {{1009, "x"}, {1015, "abc"}, {112, "12a"}}, kOkButton, {}, 1, {0, 0, 0, 0, 12, 0, E, E, E, E, E, E}},
      {"Cancel after typing", kPartial, {{1015, "7"}}, kCancelButton, {}, 0, {E, E, E, E, E, E, E, E, E, E, E, E}},
      {"Esc", kPartial, {{1015, "7"}}, kEscapeKey, {}, 0, {E, E, E, E, E, E, E, E, E, E, E, E}},
      {"mode template: no sensor, it reads 0", kPartialMode, {{1015, "20"}, {112, "30"}}, kOkButton, {}, 1,
       {0, 0, 20, 0, 30, 0, E, E, E, E, E, E}},
      {"mode template, box ticked: bit 15 of the first value", kPartialMode, {{1015, "5"}}, kOkButton, {}, 1,
       {0, 0, 5, 0x80, 181, 0, E, E, E, E, E, E}, true},
      {"the bit also after a failed range check", kPartialMode, {{1015, "300"}, {112, "200"}}, kOkButton, {k210}, 1,
       {0, 0, 0x2C, 0x81, 200, 0, E, E, E, E, E, E}, true},
  };
  for (const ValueCase &c : cases) CheckValueCase(c);
}

TEST(RangeDialogs, AveragedRange) {
  const ValueCase cases[] = {
      {"presets", kAveraged, {}, kOkButton, {}, 1, {1, 0, 100, 0, 180, 0, 181, 0, E, E, E, E}},
      {"averages 1 and 250 pass", kAveraged, {{1109, "250"}, {1106, "1"}, {1107, "1"}}, kOkButton, {}, 1,
       {1, 0, 250, 0, 1, 0, 1, 0, E, E, E, E}},
      {"averages 0 decide", kAveraged, {{1109, "0"}}, kOkButton, {k208}, 0, {1, 0, 0, 0, 180, 0, 181, 0, E, E, E, E}},
      {"averages 251 decide", kAveraged, {{1109, "251"}}, kOkButton, {k208}, 0,
       {1, 0, 251, 0, 180, 0, 181, 0, E, E, E, E}},
      {"sensor above 4 only warns", kAveraged, {{1108, "7"}, {1109, "1"}}, kOkButton, {k222}, 1,
       {7, 0, 1, 0, 180, 0, 181, 0, E, E, E, E}},
      {"range only warns", kAveraged, {{1106, "182"}}, kOkButton, {k210}, 1,
       {1, 0, 100, 0, 182, 0, 181, 0, E, E, E, E}},
      {"every check fails, in order", kAveraged, {{1108, "8"}, {1106, "999"}, {1107, "5"}, {1109, "999"}}, kOkButton,
       {k210, k222, k208}, 0, {8, 0, 0xE7, 3, 0xE7, 3, 5, 0, E, E, E, E}},
      {"Cancel", kAveraged, {{1109, "5"}}, kCancelButton, {}, 0, {E, E, E, E, E, E, E, E, E, E, E, E}},
      {"mode template: the sensor reads 0", kAveragedMode, {{1109, "20"}}, kOkButton, {}, 1,
       {0, 0, 20, 0, 180, 0, 181, 0, E, E, E, E}},
  };
  for (const ValueCase &c : cases) CheckValueCase(c);
}

TEST(RangeDialogs, RangeBySegments) {
  const ValueCase cases[] = {
      {"presets; bytes 0-1 are not written", kSegments, {}, kOkButton, {}, 1, {E, E, 15, 0, 20, 0, 80, 0, E, E, E, E}},
      {"first 90, last 80: warned, stored, result 1", kSegments, {{1107, "90"}, {1108, "80"}}, kOkButton, {k210}, 1,
       {E, E, 15, 0, 90, 0, 80, 0, E, E, E, E}},
      {"201 segments pass", kSegments, {{1110, "201"}}, kOkButton, {}, 1, {E, E, 201, 0, 20, 0, 80, 0, E, E, E, E}},
      {"202 segments decide", kSegments, {{1110, "202"}}, kOkButton, {k208}, 0,
       {E, E, 202, 0, 20, 0, 80, 0, E, E, E, E}},
      {"0 segments decide", kSegments, {{1110, "0"}}, kOkButton, {k208}, 0, {E, E, 0, 0, 20, 0, 80, 0, E, E, E, E}},
      {"both fail", kSegments, {{1107, "500"}, {1108, "450"}, {1110, "250"}}, kOkButton, {k210, k208}, 0,
       {E, E, 250, 0, 0xF4, 1, 0xC2, 1, E, E, E, E}},
      {"Esc", kSegments, {}, kEscapeKey, {}, 0, {E, E, E, E, E, E, E, E, E, E, E, E}},
  };
  for (const ValueCase &c : cases) CheckValueCase(c);
}

std::vector<BYTE> Words(std::initializer_list<unsigned> words) {
  std::vector<BYTE> bytes;
  for (unsigned w : words) bytes.push_back(static_cast<BYTE>(w & 0xFF)), bytes.push_back(static_cast<BYTE>(w >> 8));
  return bytes;
}

TEST(RangeDialogs, RangesWithRemission) {
  const ValueCase cases[] = {
      {"presets: 1, 85, 105 and eight zeros", kRanges, {}, kOkButton, {}, 1, Words({1, 85, 105, 0, 0, 0, 0, 0, 0, 0, 0})},
      {"five ranges", kRanges,
       {{1167, "5"}, {1176, "110"}, {1168, "120"}, {1172, "130"}, {1169, "140"}, {1174, "150"}, {1175, "160"},
        {1170, "170"}, {1171, "401"}},
       kOkButton, {}, 1, Words({5, 85, 105, 110, 120, 130, 140, 150, 160, 170, 401})},
      {"a fraction is cut: 12.9 gives 12", kRanges, {{1173, "12.9"}}, kOkButton, {}, 1,
       Words({1, 12, 105, 0, 0, 0, 0, 0, 0, 0, 0})},
      {"only two characters of the count: 123 gives 12", kRanges, {{1167, "123"}}, kOkButton, {}, 1,
       Words({12, 85, 105, 0, 0, 0, 0, 0, 0, 0, 0})},
      {"only five characters of a value: 123456 gives 12345", kRanges, {{1177, "123456"}}, kOkButton, {}, 1,
       Words({1, 85, 12345, 0, 0, 0, 0, 0, 0, 0, 0})},
      {"no checks: count 0, a negative value, text", kRanges, {{1167, "0"}, {1173, "-3"}, {1177, "abc"}}, kOkButton,
       {}, 1, Words({0, 65533, 0, 0, 0, 0, 0, 0, 0, 0, 0})},
      {"the count is not compared with the ranges given", kRanges, {{1167, "2"}}, kOkButton, {}, 1,
       Words({2, 85, 105, 0, 0, 0, 0, 0, 0, 0, 0})},
      {"an exponent beyond 16 bits keeps the low bits; beyond 32 gives 0", kRanges,
       {{1176, "7e4"}, {1168, "1e300"}}, kOkButton, {}, 1, Words({1, 85, 105, 70000 & 0xFFFF, 0, 0, 0, 0, 0, 0, 0})},
      {"Cancel", kRanges, {{1167, "3"}}, kCancelButton, {}, 0, std::vector<BYTE>(22, E)},
      {"Esc", kRanges, {}, kEscapeKey, {}, 0, std::vector<BYTE>(22, E)},
  };
  for (const ValueCase &c : cases) CheckValueCase(c);
}

// --- The OK button while the user types ---------------------------------

struct OkStep {
  int control;
  std::string text;
  bool enabled;  // OK afterwards
};

struct OkRuleCase {
  Dialog dialog;
  std::vector<OkStep> steps;
};

TEST(RangeDialogs, OkButtonFollowsTheInputs) {
  const OkRuleCase cases[] = {
      {kPartial, {{112, "", false}, {1015, "", false}, {1009, "2", false}, {112, "9", true}, {1015, "", true}}},
      {kPartialMode, {{112, "", false}, {112, "1", true}}},
      {kAveraged, {{1109, "", false}, {1106, "", false}, {1109, "3", true}, {1107, "", true}}},
      {kSegments, {{1107, "", true}, {1108, "", true}, {1110, "", true}}},
      {kRanges, {{1167, "", true}, {1173, "", true}}},
  };
  for (const OkRuleCase &c : cases) {
    SCOPED_TRACE(Name(c.dialog));
    std::vector<BYTE> block(32, kUntouched);
    std::vector<std::string> problems;
    RunDialog([&] { return Start(c.dialog, Owner(), block.data()); },
              [&](HWND dialog) {
                for (const OkStep &step : c.steps) {
                  SetDlgItemTextA(dialog, step.control, step.text.c_str());
                  if (IsWindowEnabled(GetDlgItem(dialog, IDOK)) != (step.enabled ? TRUE : FALSE)) {
                    problems.push_back("after \"" + step.text + "\" in " + std::to_string(step.control) +
                                       ": OK " + (step.enabled ? "disabled" : "enabled"));
                  }
                }
                PostPress(dialog, kCancelButton);
              });
    for (const std::string &problem : problems) ADD_FAILURE() << problem;
  }
}

}  // namespace
}  // namespace kvt::test
