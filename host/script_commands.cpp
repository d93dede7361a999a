// The script commands, one row each: name, argument, the step that carries
// it out. A step returns kWait until the windows it needs are there and
// idle; the runner calls it again on the next timer tick.
#include <array>
#include <cstdlib>

#include "../dialoghost/menu_window.h"
#include "host.h"
#include "kvt/list_box.h"
#include "kvt/simcontrol.h"

namespace kvt::host {

namespace {

constexpr int kDeviceTypeInput = 1019;
constexpr int kDeviceAddressInput = 1020;

StepResult Fail(ScriptRun &run, const std::string &message) {
  run.error = message;
  return StepResult::kFailed;
}

HWND MenuList(HWND menu) { return GetDlgItem(menu, dlg::kIdMenuList); }
HWND ResultList(HWND menu) { return GetDlgItem(menu, dlg::kIdResultList); }

unsigned RunCount(HWND menu) { return static_cast<unsigned>(SendMessageA(menu, dlg::kMsgRunCount, 0, 0)); }

// The menu window when it is there and waits for the user; null otherwise.
HWND IdleMenu() {
  HWND menu = FindMenuWindow();
  return menu && MenuIdle(menu) ? menu : nullptr;
}

// Steps that need the menu fail once the run is over and no menu can come.
StepResult WaitForMenu(ScriptRun &run) {
  if (!Host().running && !FindMenuWindow()) return Fail(run, "Das Diagnosemenü ist nicht geöffnet.");
  return StepResult::kWait;
}

void PostStart() { PostMessageA(Host().main, WM_COMMAND, MAKEWPARAM(kIdStart, BN_CLICKED), 0); }

// Starts the diagnosis when it does not run; true once it runs or has run.
bool EnsureRunning(ScriptRun &run) {
  if (!run.started) {
    run.started = true;
    run.runsBefore = Host().runsStarted;
    if (!Host().running) PostStart();
    return false;
  }
  return true;
}

// Dialog steps start the diagnosis when neither it nor its menu is there.
bool DialogCanCome(ScriptRun &run) {
  if (run.started || FindMenuWindow() || Host().running) return true;
  EnsureRunning(run);
  return false;
}

// A command at work that waits for nobody: no dialog waits for the script,
// and the run has no idle menu (a message box on the way is answered).
bool CommandAtWork() {
  if (!Host().running || FindDialog()) return false;
  HWND menu = FindMenuWindow();
  return !menu || !MenuIdle(menu);
}

// Steps that act beside the windows take their turn: a tick later, what the
// lines before posted has been handled; then a command at work finishes first.
bool OurTurn(ScriptRun &run) {
  if (!run.started) {
    run.started = true;
    return false;
  }
  return !CommandAtWork();
}

StepResult Sim(ScriptRun &run, const Step &step) {
  if (!OurTurn(run)) return StepResult::kWait;
  if (!SimConfigure(step.argument.c_str())) {
    return Fail(run, FormatText("Der Treiber lehnt die Simulation \"%s\" ab.", step.argument.c_str()));
  }
  return StepResult::kDone;
}

StepResult HostValues(ScriptRun &run, const Step &step) {
  const std::size_t blank = step.argument.find(' ');
  if (blank == std::string::npos) return Fail(run, "\"hostvalues\" braucht zwei Zahlen: hostvalues A B");
  SetDlgItemTextA(Host().main, kIdHostValueA, step.argument.substr(0, blank).c_str());
  SetDlgItemTextA(Host().main, kIdHostValueB, step.argument.substr(blank + 1).c_str());
  return StepResult::kDone;
}

StepResult Start(ScriptRun &run, const Step &) {
  if (!EnsureRunning(run)) return StepResult::kWait;
  if (FindDialog() || FindMenuWindow()) return StepResult::kDone;
  if (!Host().running) return Fail(run, "Die Diagnose endete, bevor ein Dialog erschien.");
  return StepResult::kWait;
}

StepResult AnswerDevice(ScriptRun &run, const Step &step) {
  if (run.target) return IsWindow(run.target) ? StepResult::kWait : StepResult::kDone;
  const bool fromMenu = FindMenuWindow() != nullptr;
  if (!fromMenu && !EnsureRunning(run)) return StepResult::kWait;
  HWND dialog = FindDialog();
  if (!IsDeviceDialog(dialog)) {
    if (!Host().running) return Fail(run, "Die Diagnose endete, bevor der Gerätedialog erschien.");
    return StepResult::kWait;
  }
  PrintLine("Erkannter Gerätetyp: " + ControlText(dialog, kDeviceTypeInput));
  if (step.hasAddress) SetDlgItemTextA(dialog, kDeviceAddressInput, step.address.c_str());
  if (step.hasType) SetDlgItemTextA(dialog, kDeviceTypeInput, step.type.c_str());
  PrintLine("Geräteadresse: " + ControlText(dialog, kDeviceAddressInput));
  PrintLine("Gerätetyp: " + ControlText(dialog, kDeviceTypeInput));
  ClickButton(dialog, IDOK);
  run.target = dialog;
  return StepResult::kWait;
}

StepResult Cancel(ScriptRun &run, const Step &) {
  if (run.target) return IsWindow(run.target) ? StepResult::kWait : StepResult::kDone;
  if (!DialogCanCome(run)) return StepResult::kWait;
  HWND dialog = FindDialog();
  if (!dialog) return Host().running ? StepResult::kWait : Fail(run, "Es ist kein Dialog offen.");
  ClickButton(dialog, IDCANCEL);
  run.target = dialog;
  return StepResult::kWait;
}

bool ControlId(const std::string &text, int &id) {
  if (text == "OK") id = IDOK;
  else if (text == "Abbrechen") id = IDCANCEL;
  else {
    char *end = nullptr;
    const long value = std::strtol(text.c_str(), &end, 0);
    if (end == text.c_str() || *end != '\0' || value < 0 || value > 0xFFFF) return false;
    id = static_cast<int>(value);
  }
  return true;
}

StepResult SetField(ScriptRun &run, const Step &step) {
  const std::size_t blank = step.argument.find(' ');
  int id = 0;
  if (!ControlId(step.argument.substr(0, blank), id)) return Fail(run, "\"set\" braucht eine Feldnummer: set ID TEXT");
  if (!DialogCanCome(run)) return StepResult::kWait;
  HWND dialog = FindDialog();
  if (!dialog) return Host().running ? StepResult::kWait : Fail(run, "Es ist kein Dialog offen.");
  if (!GetDlgItem(dialog, id)) return Fail(run, FormatText("Der Dialog hat kein Feld %d.", id));
  SetDlgItemTextA(dialog, id, blank == std::string::npos ? "" : step.argument.c_str() + blank + 1);
  return StepResult::kDone;
}

StepResult Press(ScriptRun &run, const Step &step) {
  int id = 0;
  if (!ControlId(step.argument, id)) return Fail(run, "\"press\" braucht eine Knopfnummer, OK oder Abbrechen.");
  if (!DialogCanCome(run)) return StepResult::kWait;
  HWND dialog = FindDialog();
  if (!dialog) return Host().running ? StepResult::kWait : Fail(run, "Es ist kein Dialog offen.");
  if (!GetDlgItem(dialog, id)) return Fail(run, FormatText("Der Dialog hat keinen Knopf %d.", id));
  ClickButton(dialog, id);
  return StepResult::kDone;
}

StepResult Menu(ScriptRun &run, const Step &) {
  HWND menu = IdleMenu();
  if (!menu) return WaitForMenu(run);
  HWND list = MenuList(menu);
  const int count = ListCount(list);
  int headings = 0;
  for (int index = 0; index < count; ++index) headings += ListData(list, index) == dlg::kHeadingHandler;
  PrintLine(FormatText("Menü: %d Zeilen, %d Überschriften, %d Befehle", count, headings, count - headings));
  for (int index = 0; index < count; ++index) {
    const std::string text = ListBoxLine(list, index);
    PrintLine(ListData(list, index) == dlg::kHeadingHandler ? "== " + text + " ==" : "   " + text);
  }
  if (!TakeScreenshotOnce(run, menu)) return StepResult::kFailed;
  return StepResult::kDone;
}

std::string TrimmedRight(std::string text) {
  text.erase(text.find_last_not_of(' ') + 1);
  return text;
}

// The line with exactly this text; trailing blanks count only if the script has them.
int FindMenuLine(HWND list, const std::string &text) {
  const int count = ListCount(list);
  for (int index = 0; index < count; ++index) {
    if (ListBoxLine(list, index) == text) return index;
  }
  for (int index = 0; index < count; ++index) {
    if (TrimmedRight(ListBoxLine(list, index)) == TrimmedRight(text)) return index;
  }
  return -1;
}

StepResult Run(ScriptRun &run, const Step &step) {
  if (run.started) {
    HWND menu = FindMenuWindow();
    if (!menu) return StepResult::kDone;  // the line closed the menu, or the run ended
    if (FindDialog()) return StepResult::kDone;
    if (RunCount(menu) == run.runsBefore) return StepResult::kWait;
    UpdateWindow(menu);  // the result drawn before the script goes on
    return StepResult::kDone;
  }
  HWND menu = IdleMenu();
  if (!menu) return WaitForMenu(run);
  HWND list = MenuList(menu);
  const int index = FindMenuLine(list, step.argument);
  if (index < 0) return Fail(run, FormatText("Die Menüzeile \"%s\" gibt es nicht.", step.argument.c_str()));
  if (ListData(list, index) == dlg::kHeadingHandler) {
    return Fail(run, FormatText("\"%s\" ist eine Überschrift und lässt sich nicht ausführen.", step.argument.c_str()));
  }
  SendMessageA(list, LB_SETCURSEL, index, 0);
  run.runsBefore = RunCount(menu);
  run.started = true;
  PrintLine("Ausführen: " + ListBoxLine(list, index));
  ClickButton(menu, dlg::kIdRun);
  return StepResult::kWait;
}

StepResult Password(ScriptRun &run, const Step &step) {
  HWND menu = IdleMenu();
  if (!menu) return WaitForMenu(run);
  SetDlgItemTextA(menu, dlg::kIdPassword, step.argument.c_str());
  return StepResult::kDone;
}

StepResult Print(ScriptRun &run, const Step &) {
  HWND menu = IdleMenu();
  if (!menu) return WaitForMenu(run);
  HWND list = ResultList(menu);
  const int count = ListCount(list);
  PrintLine("Status: " + ControlText(menu, dlg::kIdStatus));
  PrintLine(FormatText("Ergebnisliste: %d Zeilen", count));
  for (int index = 0; index < count; ++index) PrintLine(ListBoxLine(list, index));
  return StepResult::kDone;
}

StepResult Expect(ScriptRun &run, const Step &step) {
  HWND menu = IdleMenu();
  if (!menu) return WaitForMenu(run);
  HWND list = ResultList(menu);
  const int count = ListCount(list);
  for (int index = 0; index < count; ++index) {
    if (ListBoxLine(list, index).find(step.argument) != std::string::npos) return StepResult::kDone;
  }
  return Fail(run, FormatText("Die Ergebnisliste enthält \"%s\" nicht.", step.argument.c_str()));
}

// An open dialog is what the user looks at; else the menu.
StepResult Screenshot(ScriptRun &run, const Step &step) {
  if (!OurTurn(run)) return StepResult::kWait;
  HWND window = FindDialog();
  if (!window) window = IdleMenu();
  if (!window) return WaitForMenu(run);
  if (!SaveWindowBitmap(window, step.argument.c_str())) {
    return Fail(run, FormatText("Das Bild \"%s\" konnte nicht geschrieben werden.", step.argument.c_str()));
  }
  PrintLine("Bildschirmfoto: " + step.argument);
  return StepResult::kDone;
}

StepResult Echo(ScriptRun &run, const Step &step) {
  if (!OurTurn(run)) return StepResult::kWait;
  PrintLine(step.argument);
  return StepResult::kDone;
}

StepResult Pause(ScriptRun &run, const Step &step) {
  if (!run.waiting) {
    if (!OurTurn(run)) return StepResult::kWait;
    char *end = nullptr;
    const long milliseconds = std::strtol(step.argument.c_str(), &end, 10);
    if (*end != '\0' || milliseconds < 0) return Fail(run, "\"pause\" braucht Millisekunden: pause 500");
    run.waiting = true;
    run.waitUntil = GetTickCount() + static_cast<DWORD>(milliseconds);
  }
  return static_cast<LONG>(GetTickCount() - run.waitUntil) >= 0 ? StepResult::kDone : StepResult::kWait;
}

// A button's text as a script names it: "…" and "&" do not count.
std::string Bare(std::string text) {
  std::erase(text, '&');
  if (text.ends_with('\x85')) text.pop_back();
  return text;
}

// The menu window's button or check box with this text.
HWND MenuButton(HWND menu, const std::string &name) {
  for (HWND child = GetWindow(menu, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    char text[128] = "";
    GetClassNameA(child, text, sizeof text);
    if (lstrcmpiA(text, "Button") != 0) continue;
    GetWindowTextA(child, text, sizeof text);
    if (Bare(text) == Bare(name)) return child;
  }
  return nullptr;
}

StepResult Click(ScriptRun &run, const Step &step) {
  if (run.started) return FindDialog() || IdleMenu() || !FindMenuWindow() ? StepResult::kDone : StepResult::kWait;
  HWND menu = IdleMenu();
  if (!menu) return WaitForMenu(run);
  HWND button = MenuButton(menu, step.argument);
  if (!button) return Fail(run, FormatText("Das Diagnosemenü hat keinen Knopf \"%s\".", step.argument.c_str()));
  run.started = true;
  ClickButton(menu, GetDlgCtrlID(button));
  return StepResult::kWait;
}

// Answers a file dialog as "address" answers the device dialog: prints the
// name it proposes, puts the path in, clicks OK.
StepResult AnswerFile(ScriptRun &run, const Step &step) {
  if (run.target) return IsWindow(run.target) ? StepResult::kWait : StepResult::kDone;
  HWND dialog = FindDialog();
  HWND name = FileNameField(dialog);
  if (!name) return Host().running ? StepResult::kWait : Fail(run, "Es ist kein Dateidialog offen.");
  PrintLine("Vorgeschlagener Dateiname: " + ControlText(dialog, GetDlgCtrlID(name)));
  // A relative path is the program's: the open dialog has made its own folder the current one.
  const std::string &path = step.argument;
  const bool relative = path.find(':') == std::string::npos && !path.starts_with('\\') && !path.starts_with('/');
  SetWindowTextA(name, (relative ? run.folder + "\\" + path : path).c_str());
  ClickButton(dialog, IDOK);
  run.target = dialog;
  return StepResult::kWait;
}

StepResult Close(ScriptRun &run, const Step &) {
  if (run.started) return Host().running ? StepResult::kWait : StepResult::kDone;
  HWND menu = IdleMenu();
  if (!menu) {
    if (!Host().running) return StepResult::kDone;
    return StepResult::kWait;
  }
  if (!TakeScreenshotOnce(run, menu)) return StepResult::kFailed;
  ClickButton(menu, dlg::kIdClose);
  run.started = true;
  return StepResult::kWait;
}

constexpr std::array<CommandRow, 19> kCommands{{
    {"sim", Argument::kRequired, Sim, DeviceField::kNone, "sim device=kvt;address=0"},
    {"hostvalues", Argument::kRequired, HostValues, DeviceField::kNone, "hostvalues A B"},
    {"start", Argument::kNone, Start, DeviceField::kNone, "start"},
    {"address", Argument::kRequired, AnswerDevice, DeviceField::kAddress, "address 0"},
    {"type", Argument::kRequired, AnswerDevice, DeviceField::kType, "type KVT"},
    {"cancel", Argument::kNone, Cancel, DeviceField::kNone, "cancel"},
    {"set", Argument::kRequired, SetField, DeviceField::kNone, "set ID TEXT"},
    {"press", Argument::kRequired, Press, DeviceField::kNone, "press ID|OK|Abbrechen"},
    {"menu", Argument::kNone, Menu, DeviceField::kNone, "menu"},
    {"run", Argument::kRequired, Run, DeviceField::kNone, "run MENÜZEILE"},
    {"password", Argument::kOptional, Password, DeviceField::kNone, "password TEXT"},
    {"print", Argument::kNone, Print, DeviceField::kNone, "print"},
    {"expect", Argument::kRequired, Expect, DeviceField::kNone, "expect TEXT"},
    {"click", Argument::kRequired, Click, DeviceField::kNone, "click KNOPFTEXT"},
    {"file", Argument::kRequired, AnswerFile, DeviceField::kNone, "file PFAD"},
    {"screenshot", Argument::kRequired, Screenshot, DeviceField::kNone, "screenshot DATEI.bmp"},
    {"echo", Argument::kOptional, Echo, DeviceField::kNone, "echo TEXT"},
    {"pause", Argument::kRequired, Pause, DeviceField::kNone, "pause MILLISEKUNDEN"},
    {"close", Argument::kNone, Close, DeviceField::kNone, "close"},
}};

}  // namespace

const CommandRow *FindCommand(std::string_view name) {
  for (const CommandRow &row : kCommands) {
    if (row.name == name) return &row;
  }
  return nullptr;
}

bool MenuIdle(HWND menu) {
  return IsWindowEnabled(menu) && !SendMessageA(menu, dlg::kMsgIsBusy, 0, 0) && !FindDialog() && !FindMessageBox();
}

bool TakeScreenshotOnce(ScriptRun &run, HWND menu) {
  if (run.options.screenshot.empty() || run.screenshotTaken) return true;
  run.screenshotTaken = true;
  if (!SaveWindowBitmap(menu, run.options.screenshot.c_str())) {
    run.error = FormatText("Das Bild \"%s\" konnte nicht geschrieben werden.", run.options.screenshot.c_str());
    return false;
  }
  PrintLine("Bildschirmfoto: " + run.options.screenshot);
  return true;
}

}  // namespace kvt::host
