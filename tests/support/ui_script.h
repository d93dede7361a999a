// Drives modal dialogs from a thread timer: each step waits for a window of
// this thread with a given title, then acts on it (types, clicks, reads).
// The timer fires inside the dialogs' own message loops.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>
#include "support/escaped.h"

namespace kvt::test {

struct UiStep {
  std::string title;                  // window caption to wait for (CP1252)
  std::function<void(HWND)> action;   // runs once the window is there
  // Instead of the title, for windows whose caption the system chooses.
  std::function<bool(HWND)> match = nullptr;
};

// Starts the steps; they run while the caller sits in a modal loop.
void StartUiScript(std::vector<UiStep> steps);
// Steps that have not run yet (0 when the script ran to its end).
std::size_t PendingUiSteps();
void StopUiScript();

// Small actions for steps.
void SetText(HWND dialog, int control, const std::string &text);
std::string GetText(HWND dialog, int control);
std::string WindowText(HWND window);
void Click(HWND dialog, int control);
// Clicks by posting, so that a message box the click opens does not block
// the script that must close it.
void PostClick(HWND dialog, int control);
// The text of a message box (its static with id 0xFFFF).
std::string MessageBoxText(HWND box);

// Finds a top-level window of this thread with the given title.
HWND FindThreadWindow(const std::string &title);


}  // namespace kvt::test
