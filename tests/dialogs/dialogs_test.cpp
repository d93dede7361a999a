// The eighteen number and choice dialogs, driven through KVTIDIAG.DLL's
// exports with real window messages: what each shows when it opens, how
// it is laid out, what its OK button does while the user types, and what
// lands in the block (and in message boxes) after OK, Enter, Cancel, Esc.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "dialog_cases.h"

namespace kvt::test {
namespace {

constexpr int kUnlimited = 0;  // no EM_LIMITTEXT: the edit's own (large) default
constexpr int kLargestSetLimit = 1999;

// --- What each dialog shows when it opens, and how it is laid out -------

const std::vector<TemplateCase> kTemplates = {
    {{"DialogStopThres"}, 606, "StopThresDlgProc", "Eingabe Stopschwelle in mV",
     {{1047, "Stopschwelle [mV]:", "44", 4}}},
    {{"DialogWATime"}, 103, "WATimeDlgProc", "Eingabe der Wiederanlaufzeit  in Sekunden",
     {{1005, "Zeit  für Wiederanlauf in Sekunden:", "2", 2}}},
    {{"DialogAglMode"}, 611, "AglModeDlgProc", "Eingabe der Nummer für Abgleich in Endprüfung",
     {{1072, "Nummer des Abgleichs [4-10]:", "4", 2}}},
    {{"DialogEVCNr"}, 108, "EVCNrDlgProc", "Eingabe ÜWF-Nummer", {{1021, "ÜWF-Nummer [1-10]:", "1", 2}}},
    {{"DialogSimIndex"}, 614, "SimIndexDlgProc", "Eingabe Geschwindigkeitsindex", {{1093, "Index [0-30]:", "1", 2}}},
    {{"DialogFieldNr"}, 114, "FieldNrDlgProc", "Eingabe Feldnummer", {{1145, "Feldnummer [1-4]", "1", 2}}},
    {{"DialogKVTNr"}, 607, "KVTNrDlgProc", "Eingabe KVT-Nummer", {{1048, "KVT-Nummer [1-4]:", "1", 2}}},
    {{"DialogRspTime"}, 601, "RspTimeDlgProc", "Eingabe der Anzahl der Mehrfachauswertungen",
     {{1010,
       "Anzahl der Mehrfachauswertungen:\nMultipliziert mit der Umdrehungsdauer\n  ergibt sich die Ansprechzeit.",
       "2", 2}}},
    {{"DialogSensorAdr"}, 605, "SensorAdrDlgProc", "Eingabe der Geräteadresse",
     {{2017, "Eingabe der Geräteadresse:", "0", 3}}},
    {{"DialogRefNr"}, 624, "RefNrDlgProc", "Eingabe Nummer für Bereich der Referenzwerte",
     {{1115, "Nummer für Referenzbereich [0-3]:", "0", 1}}},
    {{"DialogCorrAnf"}, 617, "CorrAnfDlgProc", "Anforderung eines Bereichs der Korrekturtabelle",
     {{1102, "Wertebereich [0-5]:", "0", 1}}},
    // The field number input is limited to 4 once the KVT number holds text, as its preset does.
    {{"DialogKVTFieldNr"}, 608, "KVTFieldNrDlgProc", "Eingabe KVT und Feldnummer",
     {{1049, "KVT-Nummer [1-4]:", "1", 3}, {1050, "Feldnummer [1-4]:", "1", 4}}},
    {{"DialogOutputSet"}, 612, "OutputSetDlgProc", "Ausgaenge stimulieren",
     {{1083, "Ausgangstyp [0-9]:", "0", 1}, {1084, "Ausgangswert [0/1]:", "1", kUnlimited}}},
    {{"DialogVarDef"}, 300, "VarDefDlgProc", "Definiton der KVT Variante",
     {{1077, "Scanwinkel [1°]:", "100", 3}, {1078, "Einzelschuß [0,01°]:", "100", 3}}},
    {{"DialogMemDump"}, 100, "MemDumpDlgProc", "Speicherauszug: Eingabe von Anfangsadresse und Anzahl der Bytes",
     {{104, "Anfangsadresse [von 0000 bis 0xffff]:", "", 1999}, {105, "Anzahl der Datenbytes [max. 255]:", "", kUnlimited}}},
    {{"DialogClbHcode"}, 102, "HcodeDlgProc", "Eingabe des Herstellungscodes",
     {{1004, "Herstellungscode (8 Ziffern):", "12345678", 1999}}},
    {{"DialogAverageMV", 0}, 104, "AverageMVDlgProc", "Anzahl der Mittelungen ",
     {{1008, "Anzahl der  Mittelungen zwischen 1 und 250:", "250", 3},
      {1071, "Aktiver KVT für Messwerte(nur bei PXD):", "1", 1}}},
    {{"DialogAverageMV", 1}, 619, "AverageMVDlgProc", "Anzahl der Mittelungen ",
     {{1008, "Anzahl der  Mittelungen zwischen 1 und 250:", "250", 3}}, {1071}},
    {{"DialogAverageMV", 9}, 104, "AverageMVDlgProc", "Anzahl der Mittelungen ",
     {{1008, "Anzahl der  Mittelungen zwischen 1 und 250:", "250", 3},
      {1071, "Aktiver KVT für Messwerte(nur bei PXD):", "1", 1}}},
    {{"DialogSegmentCount"}, 602, "SegmentCountDlgProc", "Anzahl der Messwerte ",
     {{111, "Anzahl der  Messwerte:", "10", 3}, {1067, "Aktiver KVT für Messwerte:", "1", 1}}},
};

RECT ScreenRect(HWND window) {
  RECT rect;
  GetWindowRect(window, &rect);
  return rect;
}

RECT ClientRectOf(HWND dialog, HWND child) {
  RECT rect = ScreenRect(child);
  MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT *>(&rect), 2);
  return rect;
}

bool Overlap(const RECT &a, const RECT &b) {
  return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

// Where the frame must have put the dialog: centred over the owner's client area.
POINT ExpectedPosition(HWND owner, HWND dialog) {
  const RECT box = ScreenRect(dialog);
  const int w = box.right - box.left;
  const int h = box.bottom - box.top;
  RECT client;
  GetClientRect(owner, &client);
  POINT topLeft{client.left, client.top};
  POINT bottomRight{client.right, client.bottom};
  ClientToScreen(owner, &topLeft);
  ClientToScreen(owner, &bottomRight);
  POINT at{topLeft.x + (bottomRight.x - topLeft.x - w) / 2, topLeft.y + (bottomRight.y - topLeft.y - h) / 2};
  const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
  const int screenHeight = GetSystemMetrics(SM_CYSCREEN);
  if (at.x + w > screenWidth) at.x = screenWidth - w;
  if (at.y + h > screenHeight) at.y = screenHeight - h;
  if (at.x < 0) at.x = 0;
  if (at.y < 0) at.y = 0;
  return at;
}

SIZE TextSize(HWND window, HFONT font, const std::string &text) {
  HDC dc = GetDC(window);
  HGDIOBJ old = SelectObject(dc, font);
  RECT rect{0, 0, 0, 0};
  DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &rect, DT_CALCRECT | DT_NOPREFIX);
  SelectObject(dc, old);
  ReleaseDC(window, dc);
  return {rect.right - rect.left, rect.bottom - rect.top};
}

// Everything that can be seen of a dialog when it opens, as failures.
std::vector<std::string> LookProblems(const TemplateCase &c, HWND owner, HWND dialog) {
  std::vector<std::string> problems;
  auto fail = [&](const std::string &what) { problems.push_back(what); };

  if (WindowText(dialog) != c.title) fail("title \"" + Escaped(WindowText(dialog)) + "\"");
  const POINT expected = ExpectedPosition(owner, dialog);
  const RECT box = ScreenRect(dialog);
  if (box.left != expected.x || box.top != expected.y) {
    fail("not centred over the owner: at " + std::to_string(box.left) + "," + std::to_string(box.top) +
         ", expected " + std::to_string(expected.x) + "," + std::to_string(expected.y));
  }

  const auto font = reinterpret_cast<HFONT>(SendMessageA(dialog, WM_GETFONT, 0, 0));
  LOGFONTA look{};
  if (!font || !GetObjectA(font, sizeof look, &look)) {
    fail("no dialog font");
  } else {
    HDC screen = GetDC(nullptr);
    const LONG height = -MulDiv(8, GetDeviceCaps(screen, LOGPIXELSY), 72);
    ReleaseDC(nullptr, screen);
    if (std::string(look.lfFaceName) != "MS Sans Serif" || look.lfHeight != height) {
      fail("font " + std::string(look.lfFaceName) + " " + std::to_string(look.lfHeight));
    }
  }

  RECT client;
  GetClientRect(dialog, &client);
  const HWND ok = GetDlgItem(dialog, IDOK);
  const HWND cancel = GetDlgItem(dialog, IDCANCEL);
  if (!ok || !cancel) return {"OK or Abbrechen missing"};
  if (WindowText(ok) != "OK" || WindowText(cancel) != "Abbrechen") fail("button texts");
  if (!IsWindowEnabled(ok)) fail("OK disabled at the start");
  if (SendMessageA(dialog, DM_GETDEFID, 0, 0) != MAKELRESULT(IDOK, DC_HASDEFID)) fail("OK is not the default button");
  const RECT okRect = ClientRectOf(dialog, ok);
  const RECT cancelRect = ClientRectOf(dialog, cancel);
  if (okRect.top != cancelRect.top || okRect.right >= cancelRect.left ||
      okRect.right - okRect.left != cancelRect.right - cancelRect.left) {
    fail("OK and Abbrechen not side by side, OK first");
  }
  const int rightMargin = client.right - cancelRect.right;
  const int bottomMargin = client.bottom - cancelRect.bottom;
  if (rightMargin < 6 || rightMargin > 16 || bottomMargin < 6 || bottomMargin > 16) {
    fail("buttons not in the bottom right corner");
  }

  std::vector<HWND> children{ok, cancel};
  int inputRight = -1;
  int labelLeft = -1;
  for (const InputLook &input : c.inputs) {
    const std::string which = " of " + std::to_string(input.control);
    const HWND edit = GetDlgItem(dialog, input.control);
    if (!edit || ClassName(edit) != "Edit") {
      fail("no edit" + which);
      continue;
    }
    children.push_back(edit);
    if (WindowText(edit) != input.preset) fail("preset \"" + Escaped(WindowText(edit)) + "\"" + which);
    const auto limit = static_cast<int>(SendMessageA(edit, EM_GETLIMITTEXT, 0, 0));
    if (input.limit == kUnlimited ? limit <= kLargestSetLimit : limit != input.limit) {
      fail("limit " + std::to_string(limit) + which);
    }
    // The label stands just before its input, so it reads first and names it.
    const HWND label = GetWindow(edit, GW_HWNDPREV);
    if (!label || ClassName(label) != "Static" || WindowText(label) != input.label) {
      fail("label \"" + (label ? Escaped(WindowText(label)) : std::string("none")) + "\"" + which);
      continue;
    }
    children.push_back(label);
    const RECT editRect = ClientRectOf(dialog, edit);
    const RECT labelRect = ClientRectOf(dialog, label);
    if (labelRect.right > editRect.left || labelRect.top < editRect.top || labelRect.top > editRect.bottom) {
      fail("label not left of its input on the same line" + which);
    }
    const SIZE text = TextSize(label, font, input.label);
    if (text.cx > labelRect.right - labelRect.left || text.cy > labelRect.bottom - labelRect.top) {
      fail("label cut off" + which + ": needs " + std::to_string(text.cx) + "x" + std::to_string(text.cy));
    }
    if (inputRight >= 0 && editRect.right != inputRight) fail("inputs not right-aligned" + which);
    if (labelLeft >= 0 && labelRect.left != labelLeft) fail("labels not left-aligned" + which);
    inputRight = editRect.right;
    labelLeft = labelRect.left;
    if (editRect.bottom >= okRect.top) fail("input not above the buttons" + which);
  }
  if (inputRight != cancelRect.right) fail("inputs do not end where Abbrechen ends");
  for (int control : c.absent) {
    if (GetDlgItem(dialog, control)) fail("input " + std::to_string(control) + " should be absent");
  }
  for (std::size_t i = 0; i < children.size(); ++i) {
    const RECT a = ClientRectOf(dialog, children[i]);
    if (a.left < 0 || a.top < 0 || a.right > client.right || a.bottom > client.bottom) {
      fail("control outside the dialog: \"" + Escaped(WindowText(children[i])) + "\"");
    }
    for (std::size_t j = i + 1; j < children.size(); ++j) {
      if (Overlap(a, ClientRectOf(dialog, children[j]))) {
        fail("overlap: \"" + Escaped(WindowText(children[i])) + "\" and \"" + Escaped(WindowText(children[j])) + "\"");
      }
    }
  }

  // Tab order: the inputs top to bottom, then OK and Abbrechen; focus on the first input.
  std::vector<HWND> order;
  for (const InputLook &input : c.inputs) order.push_back(GetDlgItem(dialog, input.control));
  order.push_back(ok);
  order.push_back(cancel);
  if (GetFocus() != order.front()) fail("focus not in the first input");
  for (std::size_t i = 0; i < order.size(); ++i) {
    if (GetNextDlgTabItem(dialog, order[i], FALSE) != order[(i + 1) % order.size()]) {
      fail("tab order after \"" + Escaped(WindowText(order[i])) + "\"");
    }
  }

  // The caption must fit beside the close button.
  NONCLIENTMETRICSA metrics{};
  metrics.cbSize = sizeof metrics;
  SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
  HFONT captionFont = CreateFontIndirectA(&metrics.lfCaptionFont);
  const SIZE caption = TextSize(dialog, captionFont, c.title);
  DeleteObject(captionFont);
  if (caption.cx + 2 * GetSystemMetrics(SM_CXSIZE) + 8 > box.right - box.left) {
    fail("caption does not fit: needs " + std::to_string(caption.cx) + " of " + std::to_string(box.right - box.left));
  }

  // The combined control-colour message, asked of the exported procedure
  // itself (a dialog's SendMessage result would hide it): dialog and static
  // get the brush, other types nothing.
  const auto procedure = ProcedureExport(c.procedure);
  HDC dc = GetDC(dialog);
  constexpr UINT kCtlColor = 0x0019;
  auto colour = [&](WORD type) {
    return procedure ? procedure(dialog, kCtlColor, reinterpret_cast<WPARAM>(dc), MAKELPARAM(0, type)) : 0;
  };
  const INT_PTR forStatic = colour(6);
  const INT_PTR forDialog = colour(4);
  const INT_PTR forEdit = colour(1);
  ReleaseDC(dialog, dc);
  if (!forStatic || forStatic != forDialog || forEdit != 0) fail("control-colour message");
  return problems;
}

TEST(NumberDialogs, OpenPresetAndLaidOut) {
  ASSERT_NE(Library(), nullptr);
  for (const TemplateCase &c : kTemplates) {
    SCOPED_TRACE(Name(c.dialog));
    BYTE block[16];
    std::memset(block, kUntouched, sizeof block);
    std::vector<std::string> problems;
    const ScriptRun run = RunDialog([&] { return Start(c.dialog, Owner(), block); },
                                    [&](HWND dialog) {
                                      problems = LookProblems(c, Owner(), dialog);
                                      SaveShot(dialog, Name(c.dialog));
                                      PostPress(dialog, Press::kCancelButton);
                                    });
    EXPECT_TRUE(run.opened);
    EXPECT_FALSE(run.timedOut);
    EXPECT_EQ(run.result, 0);
    for (const std::string &problem : problems) ADD_FAILURE() << problem;
    for (BYTE b : block) EXPECT_EQ(b, kUntouched) << "Cancel changed the block";
  }
}

// Each exported procedure runs its template: the pair the starters use.
TEST(NumberDialogs, ExportedProceduresRunTheirTemplates) {
  for (const TemplateCase &c : kTemplates) {
    SCOPED_TRACE(Name(c.dialog));
    const auto procedure = ProcedureExport(c.procedure);
    ASSERT_NE(procedure, nullptr) << c.procedure;
    BYTE block[16];
    std::memset(block, kUntouched, sizeof block);
    std::string title;
    std::string preset;
    const ScriptRun run = RunDialog(
        [&] {
          return DialogBoxParamA(Library(), MAKEINTRESOURCEA(c.templateId), Owner(), procedure,
                                 reinterpret_cast<LPARAM>(block));
        },
        [&](HWND dialog) {
          title = WindowText(dialog);
          preset = ItemText(dialog, c.inputs.front().control);
          PostPress(dialog, Press::kEscapeKey);
        });
    EXPECT_EQ(title, c.title);
    EXPECT_EQ(preset, c.inputs.front().preset);
    EXPECT_EQ(run.result, 0);
  }
}

// --- Values typed, OK or Cancel, messages and the block -----------------

const std::string k204 = "Eingabe muss zwischen 2 und 16 liegen!";
const std::string k207 = "Eingabe muss zwischen 2 und 60 Sekunden  liegen!";
const std::string k208 = "Eingabe muss zwischen 1 und 250  liegen!";
const std::string k209 = "Eingabe kann 9, 10, 15, 18, 30, 45, 90 oder 180 sein!";
const std::string k211 = "Geräteadresse  muss zwischen 0 und 127 liegen!";
const std::string k222 = "KVT-Nummer muss zwischen 1 und 4  liegen!";
const std::string k223 = "ÜWF-Nummer muss zwischen 1 und 10  liegen!";
const std::string k224 = "Feldnummer muss zwischen 1 und 4 liegen.";
const std::string k225 = "INDEX  muss zwischen 0 und 30  liegen! Standardwert wird übertragen.";
const std::string k245 = "Falsche Eingabe für Abgleichnummer.";
const std::string k256 = "Nicht plausible Werte für den Ausgang.";
const std::string k260 = "Nicht plausible Werte für die KVT-Variante. Standardwerte werden übertragen.";
const std::string k272 = "Falscher Referenzwertbereich; gültiger Bereich 0 bis 3.";

constexpr BYTE E = kUntouched;

using enum Press;

const Dialog kStopThres{"DialogStopThres"};
const Dialog kWATime{"DialogWATime"};
const Dialog kAglMode{"DialogAglMode"};
const Dialog kEVCNr{"DialogEVCNr"};
const Dialog kSimIndex{"DialogSimIndex"};
const Dialog kFieldNr{"DialogFieldNr"};
const Dialog kKVTNr{"DialogKVTNr"};
const Dialog kRspTime{"DialogRspTime"};
const Dialog kSensorAdr{"DialogSensorAdr"};
const Dialog kRefNr{"DialogRefNr"};
const Dialog kCorrAnf{"DialogCorrAnf"};
const Dialog kKVTFieldNr{"DialogKVTFieldNr"};
const Dialog kOutputSet{"DialogOutputSet"};
const Dialog kVarDef{"DialogVarDef"};
const Dialog kAverageMVSensor{"DialogAverageMV", 0};
const Dialog kAverageMV{"DialogAverageMV", 1};
const Dialog kSegmentCount{"DialogSegmentCount"};
const Dialog kMemDump{"DialogMemDump"};
const Dialog kClbHcode{"DialogClbHcode"};

TEST(NumberDialogs, OneNumber) {
  const std::vector<ValueCase> cases = {
      {"stop threshold preset", kStopThres, {}, kOkButton, {}, 1, {44, 0, 0, 0}},
      {"stop threshold negative", kStopThres, {{1047, "-12"}}, kOkButton, {}, 1, {0xF4, 0xFF, 0xFF, 0xFF}},
      {"stop threshold hexadecimal", kStopThres, {{1047, "0x1F"}}, kEnterKey, {}, 1, {31, 0, 0, 0}},
      {"stop threshold not a number", kStopThres, {{1047, "4a"}}, kOkButton, {}, 1, {0, 0, 0, 0}},
      {"stop threshold cancelled", kStopThres, {{1047, "99"}}, kCancelButton, {}, 0, {E, E, E, E}},
      {"restart time preset", kWATime, {}, kOkButton, {}, 1, {2, E, E, E}},
      {"restart time 60", kWATime, {{1005, "60"}}, kEnterKey, {}, 1, {60, E, E, E}},
      {"restart time 1", kWATime, {{1005, "1"}}, kOkButton, {k207}, 0, {1, E, E, E}},
      {"restart time 61", kWATime, {{1005, "61"}}, kOkButton, {k207}, 0, {61, E, E, E}},
      {"restart time escape", kWATime, {{1005, "30"}}, kEscapeKey, {}, 0, {E, E, E, E}},
      {"calibration 4", kAglMode, {}, kOkButton, {}, 1, {4, E, E, E}},
      {"calibration 10", kAglMode, {{1072, "10"}}, kOkButton, {}, 1, {10, E, E, E}},
      {"calibration 3", kAglMode, {{1072, "3"}}, kOkButton, {k245}, 0, {3, E, E, E}},
      {"calibration 11", kAglMode, {{1072, "11"}}, kOkButton, {k245}, 0, {11, E, E, E}},
      {"evaluation case 10", kEVCNr, {{1021, "10"}}, kOkButton, {}, 1, {10, E, E, E}},
      {"evaluation case 0", kEVCNr, {{1021, "0"}}, kOkButton, {k223}, 0, {0, E, E, E}},
      {"evaluation case 11", kEVCNr, {{1021, "11"}}, kOkButton, {k223}, 0, {11, E, E, E}},
      {"evaluation case text reads 0", kEVCNr, {{1021, "ab"}}, kOkButton, {k223}, 0, {0, E, E, E}},
      {"speed index 0", kSimIndex, {{1093, "0"}}, kOkButton, {}, 1, {0, E, E, E}},
      {"speed index 30", kSimIndex, {{1093, "30"}}, kOkButton, {}, 1, {30, E, E, E}},
      {"speed index 31", kSimIndex, {{1093, "31"}}, kOkButton, {k225}, 0, {31, E, E, E}},
      {"field number 0 passes", kFieldNr, {{1145, "0"}}, kOkButton, {}, 1, {0, E, E, E}},
      {"field number 4", kFieldNr, {{1145, "4"}}, kOkButton, {}, 1, {4, E, E, E}},
      {"field number 5", kFieldNr, {{1145, "5"}}, kOkButton, {k224}, 0, {5, E, E, E}},
      {"KVT number 0 passes", kKVTNr, {{1048, "0"}}, kOkButton, {}, 1, {0, E, E, E}},
      {"KVT number 5", kKVTNr, {{1048, "5"}}, kOkButton, {k222}, 0, {5, E, E, E}},
      {"response time preset", kRspTime, {}, kOkButton, {}, 1, {2, E, E, E}},
      {"response time 1", kRspTime, {{1010, "1"}}, kOkButton, {}, 1, {1, E, E, E}},
      {"response time 99", kRspTime, {{1010, "99"}}, kOkButton, {}, 1, {99, E, E, E}},
      {"response time 0", kRspTime, {{1010, "0"}}, kOkButton, {k204}, 0, {0, E, E, E}},
      {"response time 126", kRspTime, {{1010, "126"}}, kOkButton, {}, 1, {126, E, E, E}},
      {"response time 127", kRspTime, {{1010, "127"}}, kOkButton, {k204}, 0, {127, E, E, E}},
      {"device address 127", kSensorAdr, {{2017, "127"}}, kOkButton, {}, 1, {127, E, E, E}},
      {"device address preset", kSensorAdr, {}, kEnterKey, {}, 1, {0, E, E, E}},
      {"device address 128 leaves the block", kSensorAdr, {{2017, "128"}}, kOkButton, {k211}, 0, {E, E, E, E}},
      {"device address 200 leaves the block", kSensorAdr, {{2017, "200"}}, kOkButton, {k211}, 0, {E, E, E, E}},
      {"device address 300 leaves the block", kSensorAdr, {{2017, "300"}}, kOkButton, {k211}, 0, {E, E, E, E}},
      {"reference range 3", kRefNr, {{1115, "3"}}, kOkButton, {}, 1, {3, 0, E, E}},
      {"reference range 4", kRefNr, {{1115, "4"}}, kOkButton, {k272}, 0, {4, 0, E, E}},
      {"correction range 6", kCorrAnf, {{1102, "6"}}, kOkButton, {}, 1, {6, E, E, E}},
      {"correction range 7 becomes 0", kCorrAnf, {{1102, "7"}}, kOkButton, {k260}, 1, {0, E, E, E}},
      {"correction range hexadecimal", kCorrAnf, {{1102, "0x5"}}, kOkButton, {}, 1, {5, E, E, E}},
  };
  for (const ValueCase &c : cases) CheckValueCase(c);
}

TEST(NumberDialogs, TwoValues) {
  const std::vector<ValueCase> cases = {
      {"KVT and field preset", kKVTFieldNr, {}, kOkButton, {}, 1, {1, 1}},
      {"KVT 4 field 0", kKVTFieldNr, {{1049, "4"}, {1050, "0"}}, kOkButton, {}, 1, {4, 0}},
      {"KVT and field 0 and 4 pass", kKVTFieldNr, {{1049, "0"}, {1050, "4"}}, kOkButton, {}, 1, {0, 4}},
      {"KVT 5 field 9 become 1 and 1", kKVTFieldNr, {{1049, "5"}, {1050, "9"}}, kOkButton, {k222, k224}, 1, {1, 1}},
      {"KVT -1 becomes 1", kKVTFieldNr, {{1049, "-1"}, {1050, "2"}}, kOkButton, {k222}, 1, {1, 2}},
      {"field read from 3 characters", kKVTFieldNr, {{1049, "2"}, {1050, "1234"}}, kOkButton, {k224}, 1, {2, 1}},
      {"KVT and field cancelled", kKVTFieldNr, {{1049, "3"}}, kEscapeKey, {}, 0, {E, E}},
      {"outputs preset", kOutputSet, {}, kOkButton, {}, 1, {0, 1}},
      {"output 9 low", kOutputSet, {{1083, "9"}, {1084, "0"}}, kOkButton, {}, 1, {9, 0}},
      {"output type 12 becomes 0", kOutputSet, {{1083, "12"}, {1084, "1"}}, kOkButton, {k256}, 1, {0, 1}},
      {"output value 2 becomes 0", kOutputSet, {{1083, "3"}, {1084, "2"}}, kOkButton, {k256}, 1, {3, 0}},
      {"variant preset", kVarDef, {}, kOkButton, {}, 1, {100, 0, 0, 0, 100, 0, 0, 0}},
      {"variant 180 and 25", kVarDef, {{1077, "180"}, {1078, "25"}}, kOkButton, {}, 1, {180, 0, 0, 0, 25, 0, 0, 0}},
      {"variant 90 and 30 become 100 and 100", kVarDef, {{1077, "90"}, {1078, "30"}}, kOkButton, {k260, k260}, 1,
       {100, 0, 0, 0, 100, 0, 0, 0}},
      {"variant 180 and 75", kVarDef, {{1077, "180"}, {1078, "75"}}, kOkButton, {k260}, 1,
       {180, 0, 0, 0, 100, 0, 0, 0}},
      {"variant cancelled", kVarDef, {{1077, "180"}}, kCancelButton, {}, 0, {E, E, E, E, E, E, E, E}},
      {"averages preset", kAverageMVSensor, {}, kOkButton, {}, 1, {250, 0, 1, 0}},
      {"averages 250 sensor 0", kAverageMVSensor, {{1008, "250"}, {1071, "0"}}, kEnterKey, {}, 1, {250, 0, 0, 0}},
      {"averages 1 sensor 4", kAverageMVSensor, {{1008, "1"}, {1071, "4"}}, kOkButton, {}, 1, {1, 0, 4, 0}},
      {"averages 0", kAverageMVSensor, {{1008, "0"}}, kOkButton, {k208}, 0, {0, 0, 1, 0}},
      {"averages 251", kAverageMVSensor, {{1008, "251"}}, kOkButton, {k208}, 0, {251, 0, 1, 0}},
      {"averages without sensor input store sensor 0", kAverageMV, {{1008, "100"}}, kOkButton, {}, 1, {100, 0, 0, 0}},
      {"averages cancelled", kAverageMV, {}, kEscapeKey, {}, 0, {E, E, E, E}},
      {"measured values preset", kSegmentCount, {}, kOkButton, {}, 1, {10, E, 1, E}},
      {"measured values 180 sensor 0", kSegmentCount, {{111, "180"}, {1067, "0"}}, kOkButton, {}, 1, {180, E, 0, E}},
      {"measured values 20 warned but kept", kSegmentCount, {{111, "20"}, {1067, "1"}}, kOkButton, {k209}, 1,
       {20, E, 1, E}},
      {"measured values 9 sensor 4", kSegmentCount, {{111, "9"}, {1067, "4"}}, kOkButton, {}, 1, {9, E, 4, E}},
      {"measured values 45 sensor 5", kSegmentCount, {{111, "45"}, {1067, "5"}}, kOkButton, {k222}, 0, {45, E, 5, E}},
      {"measured values sensor 7", kSegmentCount, {{111, "10"}, {1067, "7"}}, kOkButton, {k222}, 0, {10, E, 7, E}},
      {"measured values 20 and sensor 7", kSegmentCount, {{111, "20"}, {1067, "7"}}, kOkButton, {k209, k222}, 0,
       {20, E, 7, E}},
  };
  for (const ValueCase &c : cases) CheckValueCase(c);
}

TEST(NumberDialogs, MemoryDumpAndManufacturingCode) {
  const std::vector<ValueCase> cases = {
      {"dump hexadecimal start", kMemDump, {{104, "0x1F"}, {105, "16"}}, kOkButton, {}, 1, {31, 0, 0, 0, 16, E, E, E}},
      {"dump decimal start", kMemDump, {{104, "65535"}, {105, "255"}}, kOkButton, {}, 1,
       {0xFF, 0xFF, 0, 0, 255, E, E, E}},
      {"dump large start", kMemDump, {{104, "0x12345678"}, {105, "1"}}, kOkButton, {}, 1,
       {0x78, 0x56, 0x34, 0x12, 1, E, E, E}},
      {"dump count keeps its low byte", kMemDump, {{104, "0"}, {105, "300"}}, kOkButton, {}, 1,
       {0, 0, 0, 0, 44, E, E, E}},
      {"dump start with a sign reads 65535", kMemDump, {{104, "-5"}, {105, "2"}}, kOkButton, {}, 1,
       {0xFF, 0xFF, 0, 0, 2, E, E, E}},
      {"dump bad hexadecimal reads 65535", kMemDump, {{104, "0x1G"}, {105, "2"}}, kOkButton, {}, 1,
       {0xFF, 0xFF, 0, 0, 2, E, E, E}},
      {"dump empty", kMemDump, {}, kOkButton, {}, 1, {0, 0, 0, 0, 0, E, E, E}},
      {"dump cancelled", kMemDump, {{104, "10"}, {105, "5"}}, kCancelButton, {}, 0, {E, E, E, E, E, E, E, E}},
      {"code preset", kClbHcode, {}, kOkButton, {}, 1, {'1', '2', '3', '4', '5', '6', '7', '8', 0}},
      {"code typed", kClbHcode, {{1004, "87654321"}}, kEnterKey, {}, 1, {'8', '7', '6', '5', '4', '3', '2', '1', 0}},
      {"code cancelled", kClbHcode, {{1004, "11112222"}}, kEscapeKey, {}, 0, {E, E, E, E, E, E, E, E, E}},
  };
  for (const ValueCase &c : cases) CheckValueCase(c);
}

// --- The OK button while the user types ---------------------------------

struct Step {
  int control;
  std::string text;
  bool okEnabled;
  int limitedControl = 0;  // when set: that input's limit afterwards
  int limit = 0;
};

struct OkRuleCase {
  const char *name;
  Dialog dialog;
  std::vector<Step> steps;
};

TEST(NumberDialogs, OkButtonFollowsTheInputs) {
  const std::vector<OkRuleCase> cases = {
      {"restart time", kWATime, {{1005, "", false}, {1005, "5", true}}},
      {"calibration number", kAglMode, {{1072, "", false}, {1072, "7", true}}},
      {"evaluation case", kEVCNr, {{1021, "", false}, {1021, "2", true}}},
      {"speed index", kSimIndex, {{1093, "", false}, {1093, "0", true}}},
      {"response time", kRspTime, {{1010, "", false}, {1010, "3", true}}},
      {"device address", kSensorAdr, {{2017, "", false}, {2017, "12", true}}},
      {"reference range", kRefNr, {{1115, "", false}, {1115, "1", true}}},
      {"field number stays enabled", kFieldNr, {{1145, "", true}}},
      {"KVT number: any notification enables", kKVTNr, {{1048, "", true}, {1048, "2", true}}},
      {"stop threshold stays enabled", kStopThres, {{1047, "", true}}},
      {"correction range stays enabled", kCorrAnf, {{1102, "", true}}},
      {"KVT and field: field limited to 4 once KVT holds text", kKVTFieldNr,
       {{1049, "", true, 1050, 4}, {1050, "", true}, {1049, "2", true, 1050, 4}}},
      {"outputs stay enabled", kOutputSet, {{1083, "", true}, {1084, "", true}}},
      {"variant: single shot limited to 3", kVarDef, {{1077, "", true}, {1077, "180", true, 1078, 3}}},
      {"averages: the changed input decides", kAverageMVSensor,
       {{1008, "", false}, {1071, "2", true}, {1071, "", false}, {1008, "5", true}}},
      {"measured values: the changed input decides", kSegmentCount,
       {{111, "", false}, {1067, "3", true}, {1067, "", false}, {111, "9", true}}},
      {"dump: the address disables until the count is touched", kMemDump,
       {{104, "0x10", false, 105, 1999}, {105, "", false}, {105, "5", true}, {104, "", false}, {105, "6", true}}},
      {"code: exactly 8 characters", kClbHcode,
       {{1004, "1234567", false}, {1004, "123456789", false}, {1004, "12345678", true}, {1004, "", false}}},
  };
  for (const OkRuleCase &c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<BYTE> block(16, kUntouched);
    std::vector<std::string> problems;
    const ScriptRun run = RunDialog([&] { return Start(c.dialog, Owner(), block.data()); },
                                    [&](HWND dialog) {
                                      int n = 0;
                                      for (const Step &step : c.steps) {
                                        const std::string at = "step " + std::to_string(n++) + ": ";
                                        SetDlgItemTextA(dialog, step.control, step.text.c_str());
                                        if ((IsWindowEnabled(GetDlgItem(dialog, IDOK)) != FALSE) != step.okEnabled) {
                                          problems.push_back(at + "OK " + (step.okEnabled ? "disabled" : "enabled"));
                                        }
                                        if (step.limitedControl) {
                                          const auto limit = static_cast<int>(
                                              SendDlgItemMessageA(dialog, step.limitedControl, EM_GETLIMITTEXT, 0, 0));
                                          if (limit != step.limit) problems.push_back(at + "limit " + std::to_string(limit));
                                        }
                                      }
                                      PostPress(dialog, Press::kCancelButton);
                                    });
    EXPECT_FALSE(run.timedOut);
    EXPECT_EQ(run.result, 0);
    for (const std::string &problem : problems) ADD_FAILURE() << problem;
    for (BYTE b : block) EXPECT_EQ(b, kUntouched) << "Cancel changed the block";
  }
}

// Enter does nothing while OK is disabled; the dialog stays open.
TEST(NumberDialogs, EnterIgnoredWhileOkDisabled) {
  struct Case {
    const char *name;
    Dialog dialog;
    Typed typed;
  };
  const Case cases[] = {
      {"code of 7 characters", kClbHcode, {1004, "1234567"}},
      {"empty device address", kSensorAdr, {2017, ""}},
      {"dump address edited", kMemDump, {104, "0x20"}},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<BYTE> block(16, kUntouched);
    const ScriptRun run = RunDialog(
        [&] { return Start(c.dialog, Owner(), block.data()); },
        [&](HWND dialog) {
          SetDlgItemTextA(dialog, c.typed.control, c.typed.text.c_str());
          PostPress(dialog, Press::kEnterKey);
        },
        [&](HWND dialog) { PostPress(dialog, Press::kEscapeKey); });
    EXPECT_TRUE(run.stillOpenAfterwards);
    EXPECT_FALSE(run.timedOut);
    EXPECT_EQ(run.result, 0);
    for (BYTE b : block) EXPECT_EQ(b, kUntouched);
  }
}

}  // namespace
}  // namespace kvt::test
