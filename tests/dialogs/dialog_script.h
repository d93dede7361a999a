// Drives one modal dialog of this thread from a thread timer: once the
// dialog is visible, a callback inspects it and types into it (the final
// button press is posted, so it runs in the dialog's own loop); every
// message box titled "Diagnose" that appears is read and answered with OK.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "support/escaped.h"

namespace kvt::test {

struct ScriptRun {
  INT_PTR result = -1;
  bool opened = false;
  bool timedOut = false;
  bool stillOpenAfterwards = false;
  std::vector<std::string> boxes;    // message box texts, in order
  std::vector<std::string> captions;  // their captions
  // Each box as flags: shows the exclamation icon and has the OK button only.
  std::vector<bool> exclamationAndOk;
};

// Runs `start` (which shows the modal dialog) and calls `onOpen` once with
// the dialog; `afterwards`, when given, runs a little later if the dialog is
// still open (to see that an input did not end it). A dialog still open
// after a few seconds is cancelled and the run marked as timed out.
ScriptRun RunDialog(const std::function<INT_PTR()> &start, const std::function<void(HWND)> &onOpen,
                    const std::function<void(HWND)> &afterwards = {});

// How onOpen ends the dialog: each is posted, as a user's input would be.
enum class Press { kOkButton, kCancelButton, kEnterKey, kEscapeKey, kNone };
void PostPress(HWND dialog, Press press);

std::string WindowText(HWND window);
std::string ItemText(HWND dialog, int control);
std::string ClassName(HWND window);

std::string EscapedBytes(const std::vector<BYTE> &bytes);

// A plain visible top-level window to own the dialogs.
HWND CreateOwnerWindow(int x, int y, int width, int height);

// Saves the dialog as a BMP file when KVT_DIALOG_SHOTS names a folder.
void SaveShot(HWND dialog, const std::string &name);

}  // namespace kvt::test
