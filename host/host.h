// KVTIHOST.EXE: the main window that starts a diagnosis run, and the script
// runner that drives a whole run unattended from a thread timer.
#pragma once

#include <windows.h>

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace kvt::host {

// main_window.cpp
inline constexpr char kMainWindowClass[] = "KvtHostWindow";
inline constexpr char kMainTitle[] = "KVT Diagnose";
inline constexpr int kIdHostValueA = 201;
inline constexpr int kIdHostValueB = 202;
inline constexpr int kIdStart = 203;
// Posted to the main window: the script goes on without waiting for its timer.
inline constexpr UINT kMsgContinueScript = WM_APP + 1;

struct HostState {
  HWND main = nullptr;
  bool running = false;  // inside DialogDiagnose
  unsigned runsStarted = 0;
  int exitCode = 0;
};
HostState &Host();
bool CreateMainWindow(int show);
int RunMessageLoop();  // until WM_QUIT; returns its code

// output.cpp: everything inside is CP1252; it becomes UTF-8 only here.
void InitOutput();
void PrintLine(std::string_view cp1252);
void PrintError(std::string_view cp1252);
std::string Cp1252ToUtf8(std::string_view cp1252);
bool Utf8ToCp1252(std::string_view utf8, std::string &cp1252);
std::string FormatText(const char *format, ...) __attribute__((format(printf, 1, 2)));

// windows_found.cpp: the windows of this thread a script looks at.
HWND FindMenuWindow();
HWND FindMessageBox();
HWND FindDialog();  // the enabled dialog that has the input (not a message box)
HWND FileNameField(HWND dialog);  // of a file dialog; null for other dialogs
bool IsDeviceDialog(HWND dialog);
std::string ControlText(HWND dialog, int id);
std::string MessageBoxText(HWND box);
int ListCount(HWND list);
ULONG_PTR ListData(HWND list, int index);
void ClickButton(HWND dialog, int id);

// screenshot.cpp: GDI capture of a window into a 24-bit BMP file.
bool SaveWindowBitmap(HWND window, const char *path);

// The script: one command per line, run step by step from a thread timer.
struct CommandRow;
struct Step {
  const CommandRow *row = nullptr;
  int line = 0;
  std::string argument;  // CP1252
  // The device-and-address answer gathers consecutive "address" and "type" lines.
  bool hasAddress = false;
  bool hasType = false;
  std::string address;
  std::string type;
};

struct ScriptOptions {
  std::string screenshot;  // --screenshot FILE, taken when the menu has shown
  DWORD stepTimeoutMs = 30000;
};

enum class StepResult { kDone, kWait, kFailed };

// The state of a running script; a step's scratch values are reset when it ends.
struct ScriptRun {
  std::vector<Step> steps;
  std::size_t current = 0;
  ScriptOptions options;
  bool screenshotTaken = false;
  std::string error;  // CP1252, set by a failing step
  std::string folder;  // the working folder when the script started
  // Scratch of the current step.
  bool started = false;
  DWORD startTick = 0;
  bool waiting = false;  // a pause counts down
  DWORD waitUntil = 0;
  unsigned runsBefore = 0;
  HWND target = nullptr;
};

using StepFn = StepResult (*)(ScriptRun &run, const Step &step);
enum class Argument { kNone, kRequired, kOptional };
enum class DeviceField { kNone, kAddress, kType };

struct CommandRow {
  std::string_view name;
  Argument argument;
  StepFn run;
  DeviceField field;
  std::string_view usage;  // for the error message of a wrong line
};

// script_commands.cpp: the command table.
const CommandRow *FindCommand(std::string_view name);
bool TakeScreenshotOnce(ScriptRun &run, HWND menu);
bool MenuIdle(HWND menu);

// script_parse.cpp
bool ParseScript(std::string_view utf8, std::vector<Step> &steps, std::string &error);

// script_run.cpp
void StartScript(std::vector<Step> steps, const ScriptOptions &options);
void ContinueScript();  // one tick of the script

// watchdog.cpp: ends the process when the script's timer stops ticking.
void StartWatchdog(DWORD limitMs);
void Heartbeat();

}  // namespace kvt::host
