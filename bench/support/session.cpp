// The menu session: thread hooks find the menu window when it shows and
// mark the moment its loop is ready; a one-shot timer enters the body.
#include "support/session.h"

#include <algorithm>

#include "dialoghost/menu_window.h"
#include "kvt/abi.h"
#include "kvt/list_box.h"
#include "kvt/simcontrol.h"
#include "support/timing.h"

namespace kvt::bench {

namespace {

constexpr LPARAM kReadyMark = 0x4B565452;  // "KVTR"

struct Session {
  const MenuBody *body = nullptr;
  InMenu inMenu = InMenu::kNoDialogs;
  SessionTimes times;
  HWND menu = nullptr;
  bool entered = false;
  HHOOK taken = nullptr;  // WH_GETMESSAGE, from the device dialog's end to the ready mark
};
Session g_session;

void CALLBACK Enter(HWND, UINT, UINT_PTR timer, DWORD) {
  KillTimer(nullptr, timer);
  if (g_session.entered || !IsWindow(g_session.menu)) return;
  g_session.entered = true;
  (*g_session.body)(g_session.menu);
  PostMessageA(g_session.menu, WM_CLOSE, 0, 0);  // a program closes without the question
}

void PostReadyMark() { PostThreadMessageA(GetCurrentThreadId(), WM_NULL, 0, kReadyMark); }

// Nothing between the device dialog and the menu's loop takes messages, so
// the mark posted when the dialog went comes out of the menu's loop, once
// the window is created, shown, drawn and has the focus. A hook called for
// every message sent would cost Wine server round trips and distort this;
// this one is called only when a message is taken from the queue.
LRESULT CALLBACK OnTaken(int code, WPARAM wParam, LPARAM lParam) {
  const auto *message = reinterpret_cast<const MSG *>(lParam);
  if (code == HC_ACTION && wParam == PM_REMOVE && !message->hwnd && message->message == WM_NULL &&
      message->lParam == kReadyMark) {
    HWND menu = FindWindowA(dlg::kMenuWindowClass, nullptr);
    if (!menu || !IsWindowVisible(menu)) {
      PostReadyMark();  // taken by another loop before the menu came
    } else {
      g_session.times.menuReady = Seconds();
      g_session.menu = menu;
      UnhookWindowsHookEx(g_session.taken);
      g_session.taken = nullptr;
      SetTimer(nullptr, 0, USER_TIMER_MINIMUM, Enter);
    }
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

void DeviceDialogClosed() {
  g_session.times.dialogClosed = Seconds();
  if (g_session.inMenu == InMenu::kNoDialogs) StopAnswering();
  g_session.taken = SetWindowsHookExA(WH_GETMESSAGE, OnTaken, nullptr, GetCurrentThreadId());
  PostReadyMark();
}

}  // namespace

bool RunSession(const char *simConfig, AnswerMoment moment, InMenu inMenu, const MenuBody &body,
                SessionTimes *times) {
  SimConfigure(simConfig);
  g_session = Session{};
  g_session.body = &body;
  g_session.inMenu = inMenu;
  // The host program's window: the owner the menu disables while it runs.
  HWND owner = CreateWindowExA(0, "STATIC", "KVT Diagnose", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 380, 170,
                               nullptr, nullptr, nullptr, nullptr);
  StartAnswering(moment, DeviceDialogClosed);
  g_session.times.called = Seconds();
  DialogDiagnose(owner, 0, 0);
  StopAnswering();
  DestroyWindow(owner);
  if (g_session.taken) UnhookWindowsHookEx(g_session.taken);
  if (times) *times = g_session.times;
  return g_session.entered;
}

void ClickButton(HWND menu, int id) { SendMessageA(GetDlgItem(menu, id), BM_CLICK, 0, 0); }

bool SelectMenuLine(HWND menu, int index) {
  return SendDlgItemMessageA(menu, dlg::kIdMenuList, LB_SETCURSEL, index, 0) == index;
}

int FindMenuLine(HWND menu, const char *text) {
  const LRESULT index =
      SendDlgItemMessageA(menu, dlg::kIdMenuList, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                          reinterpret_cast<LPARAM>(text));
  return index == LB_ERR ? -1 : static_cast<int>(index);
}

int ResultCount(HWND menu) {
  return static_cast<int>(SendDlgItemMessageA(menu, dlg::kIdResultList, LB_GETCOUNT, 0, 0));
}

std::string LastResultLines(HWND menu, int count) {
  HWND list = GetDlgItem(menu, dlg::kIdResultList);
  std::string text;
  for (int index = std::max(0, ResultCount(menu) - count); index < ResultCount(menu); ++index) {
    text += ListBoxLine(list, index) + "\n";
  }
  return text;
}

}  // namespace kvt::bench
