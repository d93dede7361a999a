// A diagnosis run of the real library against a simulated device, with a
// benchmark inside the menu window's own message loop: DialogDiagnose is
// called, the device dialog answered, `body` runs once the menu window waits
// for the user, then the menu is closed the way its close button does.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "support/answerer.h"

namespace kvt::bench {

struct SessionTimes {
  double called = 0;        // DialogDiagnose called
  double dialogClosed = 0;  // the device dialog confirmed and gone
  double menuReady = 0;     // the menu window's loop took its first message: drawn and waiting
};

using MenuBody = std::function<void(HWND menu)>;

enum class InMenu {
  kNoDialogs,      // the answerer stops with the device dialog: no hook runs in the menu
  kAnswerDialogs,  // the commands' dialogs are answered too
};

// False when no menu window came.
bool RunSession(const char *simConfig, AnswerMoment moment, InMenu inMenu, const MenuBody &body,
                SessionTimes *times = nullptr);

// The menu window's controls, driven as a user does.
void ClickButton(HWND menu, int id);  // the button's own click: pressed and released
bool SelectMenuLine(HWND menu, int index);
int FindMenuLine(HWND menu, const char *text);  // -1 when there is none
std::string LastResultLines(HWND menu, int count);  // the last `count` lines, each ended by "\n"
int ResultCount(HWND menu);

}  // namespace kvt::bench
