// Drives ZenkDialog's menu window from a thread timer: the test's callbacks
// record every call, the steps run one per tick inside the window's own
// message loop, and message boxes are read and answered.
#pragma once

#include <windows.h>

#include <array>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "dialoghost/menu_window.h"
#include "kvt/abi.h"
#include "support/escaped.h"

namespace kvt::test {

// One call of the command callback as the callback saw it.
struct CommandCall {
  HWND owner = nullptr;
  CommandRequest slots{};
  std::string password;
};

// What the test's callbacks record and answer.
struct HostLog {
  std::vector<CommandCall> calls;
  // Decides the callback's result and may write ResultText or a ParamBlock.
  std::function<BOOL(ULONG_PTR *request)> command = [](ULONG_PTR *) { return TRUE; };
  int modeChecks = 0;
  std::vector<HWND> setupWindows;
  std::vector<HWND> showResultWindows;
  std::string addInfoText;
  INT_PTR addInfoResult = 1;
  std::vector<std::string> messageBoxes;  // texts of every message box answered
};
HostLog &Log();
void ResetLog();

// A descriptor for a menu resource of this test program.
Descriptor MakeDescriptor(const char *menuName, const char *title = "Prüfmenü");

using MenuStep = std::function<void(HWND menu)>;
// Runs ZenkDialog; each step gets the menu window on its own timer tick;
// after the last one the window is closed. Returns ZenkDialog's result.
int RunMenu(Descriptor &descriptor, std::vector<MenuStep> steps, HWND owner = nullptr);
bool StepsTimedOut();

// Reading and acting on the window.
struct ListLine {
  std::string text;
  ULONG_PTR data = 0;
};
std::vector<ListLine> ListLines(HWND menu, int listId);
void Click(HWND menu, int id);
void SelectLine(HWND menu, int index);

}  // namespace kvt::test
