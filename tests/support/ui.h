// The one UI driver of the tests. A thread timer runs steps inside the
// modal loops that the code under test enters: each step waits for a
// visible window of this thread with its title, then acts on it (types,
// clicks, reads). A message box that no step's match takes is read, kept and
// answered with OK.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "support/escaped.h"

namespace kvt::test {

struct UiStep {
  std::string title;                  // window caption to wait for (CP1252)
  std::function<void(HWND)> action;   // runs once, when that window is there
  int delayTicks = 0;                 // timer ticks to let pass after the previous step
  // Instead of the title, for windows whose caption the system chooses; it
  // may also take a message box, which is then the step's to answer.
  std::function<bool(HWND)> match = nullptr;
};

struct MessageBoxSeen {
  std::string caption;
  std::string text;
  bool plain = false;  // the exclamation icon and the OK button alone
};

struct UiRun {
  std::vector<MessageBoxSeen> boxes;  // answered by the driver, in order
  std::size_t pending = 0;            // steps that never ran
  bool timedOut = false;              // the driver had to close what stayed open
};

// Calls `modal` (which shows a modal window or enters a message loop) while
// the steps run. A run that makes no progress for a few seconds closes the
// windows it left open, so a lost step fails the test instead of hanging it.
UiRun RunUi(std::vector<UiStep> steps, const std::function<void()> &modal);

// A visible top-level window to own the dialogs under test.
HWND Owner();
// A visible window of this thread with that title, message boxes aside.
HWND FindThreadWindow(const std::string &title);
bool IsMessageBox(HWND window);

std::string Text(HWND window);
std::string ItemText(HWND dialog, int control);
std::string ClassName(HWND window);
void SetText(HWND dialog, int control, const std::string &text);
// Posted, as a user's click: a box it opens does not block the step.
void Click(HWND dialog, int control);
// WM_COMMAND with BN_CLICKED, sent: its effects are there when it returns.
void Command(HWND window, int control);
// WM_KEYDOWN posted to the control with the focus (VK_RETURN, VK_ESCAPE, VK_TAB).
void Key(HWND window, UINT key);

}  // namespace kvt::test
