// Memory: the private bytes of the process before and after 10 000 commands
// of every kind the menu has, each run through the menu window with its
// dialogs answered with their presets, the result list cleared every 1 000
// commands. A first round of 1 000 brings every heap to its working size.
#include <windows.h>
#include <psapi.h>

#include <cstdio>
#include <string>
#include <vector>

#include "dialoghost/menu_window.h"
#include "kvt/simcontrol.h"
#include "support/session.h"
#include "support/target.h"
#include "support/timing.h"

using namespace kvt;
using namespace kvt::bench;

namespace {

constexpr char kDevice[] = "device=kvt;address=0;setup=no";
constexpr int kCommands = 10000;
constexpr int kClearEvery = 1000;
constexpr long long kLimit = 64 * 1024;

// The process's private bytes: its commit charge, which Windows reports as
// PagefileUsage (the same figure as PrivateUsage) and Wine as the resident
// anonymous memory; Wine leaves PrivateUsage at 0.
long long PrivateBytes() {
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof counters;
  if (!GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters)) return -1;
  return static_cast<long long>(counters.PagefileUsage);
}

struct Figures {
  bool ok = false;
  int kinds = 0;
  long long before = 0;
  long long after = 0;
  std::vector<long long> rounds;  // private bytes after each round of kClearEvery commands
  double seconds = 0;
  unsigned dialogs = 0;
};

std::vector<int> CommandLines(HWND menu) {
  HWND list = GetDlgItem(menu, dlg::kIdMenuList);
  std::vector<int> lines;
  const int count = static_cast<int>(SendMessageA(list, LB_GETCOUNT, 0, 0));
  for (int index = 0; index < count; ++index) {
    if (static_cast<ULONG_PTR>(SendMessageA(list, LB_GETITEMDATA, index, 0)) != dlg::kHeadingHandler) {
      lines.push_back(index);
    }
  }
  return lines;
}

// `count` commands from the `next`-th on, every kind in turn. With the list
// the simulated driver forgets the requests it keeps for the tests (up to
// 8192 of 828 bytes): the memory measured is the product's.
void RunCommands(HWND menu, const std::vector<int> &lines, int count, std::size_t &next) {
  for (int n = 0; n < count; ++n) {
    SelectMenuLine(menu, lines[next++ % lines.size()]);
    ClickButton(menu, dlg::kIdRun);
    if ((n + 1) % kClearEvery == 0) {
      SendMessageA(menu, dlg::kMsgClearResults, 0, 0);
      SimReset();
    }
  }
}

void Measure(HWND menu, Figures &f) {
  const std::vector<int> lines = CommandLines(menu);
  f.kinds = static_cast<int>(lines.size());
  if (lines.empty()) return;
  std::size_t next = 0;
  RunCommands(menu, lines, kClearEvery, next);
  f.before = PrivateBytes();
  ResetDialogFigures();
  const double start = Seconds();
  for (int round = 0; round < kCommands / kClearEvery; ++round) {
    RunCommands(menu, lines, kClearEvery, next);
    f.rounds.push_back(PrivateBytes());
  }
  f.seconds = Seconds() - start;
  f.dialogs = Dialogs().opened;
  f.after = PrivateBytes();
  f.ok = f.before > 0 && f.after > 0;
}

}  // namespace

int main() {
  Figures f;
  RunSession(kDevice, AnswerMoment::kAtOnce, InMenu::kAnswerDialogs, [&f](HWND menu) { Measure(menu, f); });
  const long long growth = f.after - f.before;
  std::printf("Memory: %d commands, each of the %d kinds of the menu in turn on the simulated KVT, through\n",
              kCommands, f.kinds);
  std::printf("the menu window, dialogs answered with their presets (%u dialogs and messages), the list\n", f.dialogs);
  std::printf("cleared every %d; %.1f ms a command on average\n", kClearEvery, f.seconds * 1e3 / kCommands);
  std::printf("  private bytes: %lld before, %lld after (%+lld)\n", f.before, f.after, growth);
  std::printf("  after each %d:", kClearEvery);
  for (long long bytes : f.rounds) std::printf(" %+lld", bytes - f.before);
  std::printf("\n");
  const bool met = f.ok && growth < kLimit;
  const std::string figures =
      f.ok ? Text("private bytes %+.1f KiB over %d commands (under %lld KiB)", static_cast<double>(growth) / 1024,
                  kCommands, kLimit / 1024)
           : std::string("no figures: the menu window did not appear or the process counters failed");
  return ReportTarget("memory", figures, met) ? 0 : 1;
}
