// The dialog answerer. Only a CBT hook stays in place: it sees windows come,
// become active and go, which is rare, so the hook costs nothing in between.
// (A hook on every message would itself cost Wine four server round trips
// per message sent and distort what is measured.) A message hook is set only
// while a dialog waits to be answered once drawn.
#include "support/answerer.h"

#include <algorithm>
#include <vector>

#include "support/timing.h"

namespace kvt::bench {

namespace {

constexpr char kDialogClass[] = "#32770";
// The name field of the file dialogs, in the explorer and the plain style.
constexpr int kFileNameIds[] = {0x47C, 0x480};
// Posted to a dialog to be answered once it has been drawn.
constexpr LPARAM kPaintedMark = 0x4B565442;  // "KVTB"

struct Answerer {
  AnswerMoment moment = AnswerMoment::kAtOnce;
  HHOOK cbt = nullptr;
  HHOOK taken = nullptr;      // WH_GETMESSAGE, while a painted mark is on its way
  std::vector<HWND> open;     // dialogs standing open, outermost first
  std::vector<HWND> answered;
  std::vector<HWND> refused;  // to cancel when their complaint is gone
  double openedAt = 0;
  void (*firstClosed)() = nullptr;
  DialogFigures figures;
};
Answerer g_answerer;

bool Contains(const std::vector<HWND> &windows, HWND window) {
  return std::find(windows.begin(), windows.end(), window) != windows.end();
}

void Remove(std::vector<HWND> &windows, HWND window) {
  windows.erase(std::remove(windows.begin(), windows.end(), window), windows.end());
}

bool IsTopDialog(HWND window) {
  char name[16] = "";
  GetClassNameA(window, name, sizeof name);
  return lstrcmpA(name, kDialogClass) == 0 && !(GetWindowLongA(window, GWL_STYLE) & WS_CHILD);
}

bool IsFileDialog(HWND dialog) {
  return std::any_of(std::begin(kFileNameIds), std::end(kFileNameIds),
                     [dialog](int id) { return GetDlgItem(dialog, id) != nullptr; });
}

void Press(HWND dialog, int id) {
  PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

void Answer(HWND dialog) {
  Answerer &a = g_answerer;
  if (IsFileDialog(dialog)) {
    ++a.figures.cancelled;
    Press(dialog, IDCANCEL);
    return;
  }
  // A window that opens over a dialog we accepted is its complaint about the presets.
  HWND owner = GetWindow(dialog, GW_OWNER);
  if (owner && Contains(a.answered, owner) && !Contains(a.refused, owner)) {
    a.refused.push_back(owner);
    ++a.figures.cancelled;
  }
  Press(dialog, IDOK);
}

LRESULT CALLBACK OnTaken(int code, WPARAM wParam, LPARAM lParam);

void AnswerWhenPainted(HWND dialog) {
  if (!g_answerer.taken) {
    g_answerer.taken = SetWindowsHookExA(WH_GETMESSAGE, OnTaken, nullptr, GetCurrentThreadId());
  }
  PostMessageA(dialog, WM_NULL, 0, kPaintedMark);
}

LRESULT CALLBACK OnTaken(int code, WPARAM wParam, LPARAM lParam) {
  const auto *message = reinterpret_cast<const MSG *>(lParam);
  if (code == HC_ACTION && wParam == PM_REMOVE && message->message == WM_NULL && message->lParam == kPaintedMark) {
    if (Contains(g_answerer.open, message->hwnd)) {
      UpdateWindow(message->hwnd);  // the dialog and its controls, as the user would see them
      GdiFlush();
      Answer(message->hwnd);
    }
    UnhookWindowsHookEx(g_answerer.taken);
    g_answerer.taken = nullptr;
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

void Opened(HWND window) {
  Answerer &a = g_answerer;
  if (a.open.empty()) a.openedAt = Seconds();
  if (a.figures.opened == 0) a.figures.firstOpened = a.openedAt;
  ++a.figures.opened;
  a.open.push_back(window);
}

void Activated(HWND window) {
  Answerer &a = g_answerer;
  if (!Contains(a.open, window) || Contains(a.answered, window)) return;  // again active after a message
  a.answered.push_back(window);
  if (a.moment == AnswerMoment::kAtOnce) Answer(window);
  else AnswerWhenPainted(window);
}

void Closed(HWND window) {
  Answerer &a = g_answerer;
  Remove(a.open, window);
  Remove(a.answered, window);
  Remove(a.refused, window);
  HWND owner = GetWindow(window, GW_OWNER);
  if (owner && Contains(a.refused, owner)) Press(owner, IDCANCEL);
  if (!a.open.empty()) return;
  const double now = Seconds();
  a.figures.seconds += now - a.openedAt;
  if (a.figures.firstClosed != 0) return;
  a.figures.firstClosed = now;
  if (a.firstClosed) a.firstClosed();
}

LRESULT CALLBACK OnCbt(int code, WPARAM wParam, LPARAM lParam) {
  const auto window = reinterpret_cast<HWND>(wParam);
  if (code == HCBT_CREATEWND && IsTopDialog(window)) Opened(window);
  else if (code == HCBT_ACTIVATE) Activated(window);
  else if (code == HCBT_DESTROYWND && Contains(g_answerer.open, window)) Closed(window);
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace

void StartAnswering(AnswerMoment moment, void (*firstClosed)()) {
  StopAnswering();
  g_answerer.figures = DialogFigures{};
  g_answerer.moment = moment;
  g_answerer.firstClosed = firstClosed;
  g_answerer.cbt = SetWindowsHookExA(WH_CBT, OnCbt, nullptr, GetCurrentThreadId());
}

void StopAnswering() {
  for (HHOOK hook : {g_answerer.cbt, g_answerer.taken}) {
    if (hook) UnhookWindowsHookEx(hook);
  }
  const DialogFigures figures = g_answerer.figures;
  g_answerer = Answerer{};
  g_answerer.figures = figures;
}

const DialogFigures &Dialogs() { return g_answerer.figures; }

void ResetDialogFigures() { g_answerer.figures = DialogFigures{}; }

}  // namespace kvt::bench
