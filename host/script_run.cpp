// The script runner: a thread timer that fires inside every message loop of
// this thread, the nested modal ones included. Each tick first answers
// message boxes (their text is printed), then advances the script as far as
// it can without waiting. After the last line, or after an error, it winds
// the run down: dialogs cancelled, the menu closed, then WM_QUIT.
// A tick that got somewhere posts the next one behind what it posted (a
// click, an answer), so a step waits for the timer only when it waits for
// something that has not come yet.
#include <memory>

#include "host.h"

namespace kvt::host {

namespace {

constexpr UINT kTickMs = 25;
constexpr int kExitScriptError = 1;
constexpr int kExitTimeout = 3;

std::unique_ptr<ScriptRun> g_run;
bool g_inTick = false;
bool g_windingDown = false;
DWORD g_windDownStart = 0;
HWND g_lastAnswered = nullptr;

void ResetScratch(ScriptRun &run) {
  run.started = false;
  run.waiting = false;
  run.startTick = GetTickCount();
  run.waitUntil = 0;
  run.runsBefore = 0;
  run.target = nullptr;
}

// A question is answered "Ja" (a script that closes means it), a message
// with OK where there is one, else with the dialog's Cancel (Esc) answer.
void AnswerMessageBox() {
  HWND box = FindMessageBox();
  if (!box || box == g_lastAnswered) return;
  g_lastAnswered = box;
  const bool question = GetDlgItem(box, IDYES) != nullptr;
  PrintLine((question ? "Frage: " : "Meldung: ") + MessageBoxText(box));
  ClickButton(box, question ? IDYES : GetDlgItem(box, IDOK) ? IDOK : IDCANCEL);
}

void BeginWindDown(int exitCode) {
  if (exitCode != 0) Host().exitCode = exitCode;
  g_windingDown = true;
  g_windDownStart = GetTickCount();
}

void StepFailed(ScriptRun &run, const Step &step, int exitCode) {
  PrintError(FormatText("Fehler in Zeile %d (%s): %s", step.line, step.row->name.data(), run.error.c_str()));
  BeginWindDown(exitCode);
}

// Leaves every dialog and the menu, then ends the program's loop.
void WindDown(ScriptRun &run) {
  if (GetTickCount() - g_windDownStart > run.options.stepTimeoutMs) {
    PrintError("Fehler: Das Programm ließ sich nicht ordentlich beenden.");
    ExitProcess(kExitTimeout);
  }
  if (HWND dialog = FindDialog(); dialog && dialog != run.target) {
    run.target = dialog;
    ClickButton(dialog, IDCANCEL);
    return;
  }
  if (HWND menu = FindMenuWindow(); menu && MenuIdle(menu)) {
    if (!TakeScreenshotOnce(run, menu)) PrintError("Fehler: " + run.error);
    PostMessageA(menu, WM_CLOSE, 0, 0);
    return;
  }
  if (Host().running || FindMenuWindow()) return;
  g_run.reset();
  if (Host().main) DestroyWindow(Host().main);  // posts WM_QUIT with the exit code
}

void Advance(ScriptRun &run) {
  while (run.current < run.steps.size()) {
    const Step &step = run.steps[run.current];
    const StepResult result = step.row->run(run, step);
    if (result == StepResult::kFailed) {
      StepFailed(run, step, kExitScriptError);
      return;
    }
    if (result == StepResult::kWait) {
      if (GetTickCount() - run.startTick > run.options.stepTimeoutMs) {
        run.error = FormatText("Zeitüberschreitung nach %lu s.", run.options.stepTimeoutMs / 1000);
        StepFailed(run, step, kExitTimeout);
      }
      return;
    }
    ++run.current;
    ResetScratch(run);
  }
  BeginWindDown(0);
}

// What a tick can change; when it changed, the next tick need not wait for the timer.
struct Progress {
  std::size_t current = 0;
  bool started = false;
  HWND target = nullptr;
  HWND answered = nullptr;
  bool windingDown = false;
  bool operator==(const Progress &) const = default;
};

Progress ProgressNow() {
  if (!g_run) return {};
  return {g_run->current, g_run->started, g_run->target, g_lastAnswered, g_windingDown};
}

void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) { ContinueScript(); }

}  // namespace

void ContinueScript() {
  Heartbeat();
  if (g_inTick || !g_run) return;  // a step's own call may pump messages
  g_inTick = true;
  const Progress before = ProgressNow();
  AnswerMessageBox();
  if (g_windingDown) WindDown(*g_run);
  else Advance(*g_run);
  g_inTick = false;
  if (g_run && !(ProgressNow() == before)) PostMessageA(Host().main, kMsgContinueScript, 0, 0);
}

void StartScript(std::vector<Step> steps, const ScriptOptions &options) {
  g_run = std::make_unique<ScriptRun>();
  g_run->steps = std::move(steps);
  g_run->options = options;
  char folder[MAX_PATH] = "";
  GetCurrentDirectoryA(sizeof folder, folder);
  g_run->folder = folder;
  ResetScratch(*g_run);
  SetTimer(nullptr, 0, kTickMs, Tick);
  StartWatchdog(options.stepTimeoutMs * 2 + 10000);
}

}  // namespace kvt::host
