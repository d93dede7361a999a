// The answerer: every dialog and message box this thread opens is answered
// through window messages, dialogs with the play's rounds (made up or kept),
// message boxes with OK. A hook sees each dialog come; a hidden window
// receives the turn inside the dialog's own message loop.
#include <algorithm>
#include <utility>

#include "fuzz/fuzz.h"

namespace kvt::fuzz {

namespace {

constexpr UINT kTurn = WM_APP + 17;
constexpr char kWindowClass[] = "KvtFuzzAnswerer";
// A dialog still open after this many rounds is cancelled, and after the
// second number ended from outside.
constexpr int kRoundsBeforeCancel = 4;
constexpr int kRoundsBeforeEnd = 8;

HWND g_window = nullptr;
std::vector<std::pair<HWND, int>> g_rounds;  // rounds taken per open dialog

bool IsDialogWindow(HWND window) {
  char name[16] = "";
  GetClassNameA(window, name, sizeof name);
  return lstrcmpA(name, "#32770") == 0;
}

int &RoundsOf(HWND dialog) {
  std::erase_if(g_rounds, [](const auto &entry) { return !IsWindow(entry.first); });
  for (auto &entry : g_rounds) {
    if (entry.first == dialog) return entry.second;
  }
  return g_rounds.emplace_back(dialog, 0).second;
}

Round NextRound(HWND dialog) {
  Play &play = Playing();
  if (!play.input) return {};
  if (play.replay) return play.rounds < play.input->rounds.size() ? play.input->rounds[play.rounds++] : Round{};
  play.input->rounds.push_back(MakeRound(play.random, dialog, play.garbage));
  const Round &round = play.input->rounds.back();
  const bool choosesFile = !round.typed.empty() && round.typed[0].how == Typing::kChosenFile;
  if (choosesFile && play.input->file.empty()) play.input->file = MakeHexFile(play.random);
  return round;
}

void TakeTurn(HWND dialog) {
  if (!IsWindow(dialog)) return;
  const int rounds = ++RoundsOf(dialog);
  if (rounds > kRoundsBeforeEnd) {
    EndDialog(dialog, 0);
    return;
  }
  if (!IsWindowEnabled(dialog)) {
    // A message box or dialog stands over it: that one's turn comes first,
    // even if its coming was missed.
    HWND over = GetWindow(dialog, GW_ENABLEDPOPUP);
    if (over && over != dialog && IsDialogWindow(over) && RoundsOf(over) == 0) TakeTurn(over);
    --RoundsOf(dialog);
  } else if (!HasInputs(dialog)) {
    Press(dialog, GetDlgItem(dialog, IDOK) ? Key::kOk : Key::kCancel);
  } else if (rounds > kRoundsBeforeCancel) {
    Press(dialog, Key::kCancel);
  } else {
    ApplyRound(dialog, NextRound(dialog));
  }
  // Once more, in case it is still open after this turn (a dialog whose
  // controls came late, a button that did not end it).
  PostMessageA(g_window, kTurn, 0, reinterpret_cast<LPARAM>(dialog));
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == kTurn) {
    TakeTurn(reinterpret_cast<HWND>(lParam));
    return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

// A top-level dialog is being created: its turn is posted, to come when its
// message loop runs.
LRESULT CALLBACK WatchCreation(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_CREATEWND) {
    HWND created = reinterpret_cast<HWND>(wParam);
    const auto *create = reinterpret_cast<const CBT_CREATEWNDA *>(lParam);
    if (!(create->lpcs->style & WS_CHILD) && IsDialogWindow(created)) {
      // A handle comes back after many windows: the new dialog starts afresh.
      std::erase_if(g_rounds, [created](const auto &entry) { return entry.first == created; });
      PostMessageA(g_window, kTurn, 0, reinterpret_cast<LPARAM>(created));
    }
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace

HWND StartAnswering() {
  if (g_window) return g_window;
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = WindowProc;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.lpszClassName = kWindowClass;
  RegisterClassA(&windowClass);
  g_window = CreateWindowA(kWindowClass, "KVT fuzz", WS_OVERLAPPEDWINDOW, 0, 0, 640, 480, nullptr, nullptr,
                           windowClass.hInstance, nullptr);
  SetWindowsHookExA(WH_CBT, WatchCreation, nullptr, GetCurrentThreadId());
  return g_window;
}

}  // namespace kvt::fuzz
