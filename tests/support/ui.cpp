#include "support/ui.h"

#include <algorithm>
#include <deque>

namespace kvt::test {

namespace {

constexpr UINT kTickMs = 20;
constexpr int kPatienceTicks = 250;  // five seconds without a step or a box
constexpr int kMessageText = 0xFFFF;

struct Driver {
  std::deque<UiStep> steps;
  UiRun *run = nullptr;
  UINT_PTR timer = 0;
  int ticks = 0;
  int lastProgress = 0;
  std::vector<HWND> answered;
};
Driver *g_driver = nullptr;
HWND g_owner = nullptr;

std::vector<HWND> ThreadWindows() {
  std::vector<HWND> found;
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND window, LPARAM list) {
        if (IsWindowVisible(window)) reinterpret_cast<std::vector<HWND> *>(list)->push_back(window);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&found));
  return found;
}

MessageBoxSeen Read(HWND box) {
  MessageBoxSeen seen{Text(box), ItemText(box, kMessageText)};
  int buttons = 0;
  bool exclamation = false;
  for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    if (ClassName(child) == "Button" && IsWindowVisible(child)) ++buttons;
    if ((GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON && ClassName(child) == "Static") {
      exclamation |= reinterpret_cast<HICON>(SendMessageA(child, STM_GETICON, 0, 0)) ==
                     LoadIconA(nullptr, IDI_EXCLAMATION);
    }
  }
  seen.plain = exclamation && buttons == 1 && GetDlgItem(box, IDOK);
  return seen;
}

void CloseEverything() {
  for (HWND window : ThreadWindows()) {
    if (window == g_owner) continue;
    if (IsMessageBox(window)) PostMessageA(window, WM_COMMAND, IDOK, 0);
    else if (ClassName(window) == "#32770") PostMessageA(window, WM_COMMAND, IDCANCEL, 0);
    else PostMessageA(window, WM_CLOSE, 0, 0);
  }
}

// The window the next step waits for, once it takes input.
HWND Awaited(const UiStep &step) {
  for (HWND window : ThreadWindows()) {
    const bool match = step.match ? step.match(window) : Text(window) == step.title && !IsMessageBox(window);
    if (match && IsWindowEnabled(window)) return window;
  }
  return nullptr;
}

void CALLBACK Tick(HWND, UINT, UINT_PTR timer, DWORD) {
  // A run inside another run's modal loop: only the inner one acts.
  if (!g_driver || timer != g_driver->timer) return;
  Driver &d = *g_driver;
  ++d.ticks;
  std::erase_if(d.answered, [](HWND box) { return !IsWindow(box); });
  for (HWND window : ThreadWindows()) {
    if (!IsMessageBox(window) || (!d.steps.empty() && d.steps.front().match && d.steps.front().match(window))) continue;
    if (std::find(d.answered.begin(), d.answered.end(), window) != d.answered.end()) continue;
    d.answered.push_back(window);
    d.run->boxes.push_back(Read(window));
    d.lastProgress = d.ticks;
    PostMessageA(window, WM_COMMAND, IDOK, 0);
  }
  if (d.ticks - d.lastProgress > kPatienceTicks) {
    d.run->timedOut = true;
    CloseEverything();
    return;
  }
  if (d.steps.empty() || d.ticks - d.lastProgress < d.steps.front().delayTicks) return;
  const HWND window = Awaited(d.steps.front());
  if (!window) return;
  // Off the list first: the action may open a modal window whose loop ticks again.
  UiStep step = std::move(d.steps.front());
  d.steps.pop_front();
  d.lastProgress = d.ticks;
  step.action(window);
}

}  // namespace

// A message box: its text and its icon under the ids the system gives them
// (0x440 under Wine, 0x14 under Windows).
bool IsMessageBox(HWND window) {
  return ClassName(window) == "#32770" && GetDlgItem(window, kMessageText) &&
         (GetDlgItem(window, 0x440) || GetDlgItem(window, 0x14));
}

UiRun RunUi(std::vector<UiStep> steps, const std::function<void()> &modal) {
  UiRun run;
  Driver driver;
  driver.steps.assign(std::make_move_iterator(steps.begin()), std::make_move_iterator(steps.end()));
  driver.run = &run;
  Driver *outer = g_driver;
  g_driver = &driver;
  driver.timer = SetTimer(nullptr, 0, kTickMs, Tick);
  modal();
  KillTimer(nullptr, driver.timer);
  g_driver = outer;
  run.pending = driver.steps.size();
  return run;
}

HWND Owner() {
  if (!g_owner) {
    g_owner = CreateWindowExA(0, "STATIC", "Besitzer", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 90, 70, 760, 560, nullptr,
                              nullptr, GetModuleHandleA(nullptr), nullptr);
    UpdateWindow(g_owner);
  }
  return g_owner;
}

HWND FindThreadWindow(const std::string &title) {
  for (HWND window : ThreadWindows()) {
    if (Text(window) == title && !IsMessageBox(window)) return window;
  }
  return nullptr;
}

std::string Text(HWND window) {
  char buffer[4096];
  const int length = GetWindowTextA(window, buffer, sizeof buffer);
  return std::string(buffer, length > 0 ? length : 0);
}

std::string ItemText(HWND dialog, int control) { return Text(GetDlgItem(dialog, control)); }

std::string ClassName(HWND window) {
  char name[64];
  const int length = GetClassNameA(window, name, sizeof name);
  return std::string(name, length > 0 ? length : 0);
}

void SetText(HWND dialog, int control, const std::string &text) { SetDlgItemTextA(dialog, control, text.c_str()); }

void Click(HWND dialog, int control) { PostMessageA(GetDlgItem(dialog, control), BM_CLICK, 0, 0); }

void Command(HWND window, int control) {
  SendMessageA(window, WM_COMMAND, MAKEWPARAM(control, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(window, control)));
}

void Key(HWND window, UINT key) {
  HWND focus = GetFocus();
  PostMessageA(focus && (focus == window || IsChild(window, focus)) ? focus : window, WM_KEYDOWN, key, 1);
}

}  // namespace kvt::test
