#include "support/ui_script.h"

#include <cstdio>
#include <deque>

namespace kvt::test {

namespace {

std::deque<UiStep> g_steps;
UINT_PTR g_timer = 0;

struct Search {
  const std::string *title;
  HWND found;
  const std::function<bool(HWND)> *match = nullptr;
};

BOOL CALLBACK MatchTitle(HWND window, LPARAM param) {
  auto *search = reinterpret_cast<Search *>(param);
  const bool byMatch = search->match && *search->match;
  const bool matches = byMatch ? (*search->match)(window) : WindowText(window) == *search->title;
  if (IsWindowVisible(window) && matches) {
    search->found = window;
    return FALSE;
  }
  return TRUE;
}

void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD) {
  // An action may open a modal window (a message box) whose loop fires this
  // timer again: the step is taken off first, so the next one can answer it.
  if (g_steps.empty()) return;
  Search search{&g_steps.front().title, nullptr, &g_steps.front().match};
  EnumThreadWindows(GetCurrentThreadId(), MatchTitle, reinterpret_cast<LPARAM>(&search));
  HWND window = search.found;
  if (!window) return;
  UiStep step = std::move(g_steps.front());
  g_steps.pop_front();
  step.action(window);
}

}  // namespace

void StartUiScript(std::vector<UiStep> steps) {
  g_steps.assign(std::make_move_iterator(steps.begin()), std::make_move_iterator(steps.end()));
  if (!g_timer) g_timer = SetTimer(nullptr, 0, 20, OnTimer);
}

std::size_t PendingUiSteps() { return g_steps.size(); }

void StopUiScript() {
  if (g_timer) KillTimer(nullptr, g_timer);
  g_timer = 0;
  g_steps.clear();
}

HWND FindThreadWindow(const std::string &title) {
  Search search{&title, nullptr};
  EnumThreadWindows(GetCurrentThreadId(), MatchTitle, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

void SetText(HWND dialog, int control, const std::string &text) { SetDlgItemTextA(dialog, control, text.c_str()); }

std::string WindowText(HWND window) {
  char buffer[4096];
  const int length = GetWindowTextA(window, buffer, sizeof buffer);
  return std::string(buffer, length > 0 ? length : 0);
}

std::string GetText(HWND dialog, int control) { return WindowText(GetDlgItem(dialog, control)); }

void Click(HWND dialog, int control) {
  SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(control, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(dialog, control)));
}

void PostClick(HWND dialog, int control) {
  PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(control, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(dialog, control)));
}

std::string MessageBoxText(HWND box) { return GetText(box, 0xFFFF); }


}  // namespace kvt::test
