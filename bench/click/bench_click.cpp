// Click to result: from the menu window's run button to the last line of the
// status report drawn in the result list, through the window's own messages,
// against the simulated KVT; with a short list and with 100 000 lines already
// in it, the two taking turns. The first click after the list was cleared is
// shown apart: its lines bring the scroll bars back, which lays the list out
// anew.
#include <windows.h>

#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "dialoghost/menu_window.h"
#include "kvt/list_box.h"
#include "support/session.h"
#include "support/target.h"
#include "support/timing.h"

using namespace kvt;
using namespace kvt::bench;

namespace {

constexpr char kDevice[] = "device=kvt;address=0;setup=no";
constexpr char kCommand[] = "Sensorstatus lesen";
constexpr char kLastLine[] = "benutzte Adresse";
constexpr int kWarmUp = 5;
constexpr int kRuns = 80;
constexpr int kRounds = 10;
constexpr int kClearedRuns = 10;
constexpr int kFullLines = 100000;
constexpr int kFlatWindow = 100;  // clicks compared at the start and the end of the filling
constexpr double kLimit = 0.030;
constexpr double kGrowth = 0.20;

struct Figures {
  bool ok = true;
  int reportLines = 0;
  int shortLines = 0;
  Spread afterClear;
  Spread shortList;
  Spread fullList;
  int fullLines = 0;
  Spread fillFirst;
  Spread fillLast;
};

// One click, until the list shows the report's last line drawn.
double TimedClick(HWND menu, Figures &f) {
  const double start = Seconds();
  ClickButton(menu, dlg::kIdRun);
  UpdateWindow(menu);
  GdiFlush();
  const double elapsed = Seconds() - start;
  f.ok = f.ok && LastResultLines(menu, 3).find(kLastLine) != std::string::npos;
  return elapsed;
}

// The lines of the list as they stand, with their kinds.
std::vector<std::pair<std::string, LPARAM>> ListLines(HWND list) {
  std::vector<std::pair<std::string, LPARAM>> lines;
  const int count = static_cast<int>(SendMessageA(list, LB_GETCOUNT, 0, 0));
  for (int index = 0; index < count; ++index) {
    lines.emplace_back(ListBoxLine(list, index), SendMessageA(list, LB_GETITEMDATA, index, 0));
  }
  return lines;
}

// Puts back as many lines as the clicks had put there, the reports' own
// lines in turn: a second filling by clicks would take minutes.
void Refill(HWND menu, const std::vector<std::pair<std::string, LPARAM>> &report, int lines) {
  HWND list = GetDlgItem(menu, dlg::kIdResultList);
  SendMessageA(menu, dlg::kMsgClearResults, 0, 0);
  SendMessageA(list, WM_SETREDRAW, FALSE, 0);
  for (int index = 0; index < lines; ++index) {
    const auto &[text, kind] = report[static_cast<std::size_t>(index) % report.size()];
    const LRESULT added = SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
    SendMessageA(list, LB_SETITEMDATA, added, kind);
  }
  SendMessageA(list, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(list, nullptr, TRUE);
  UpdateWindow(menu);
}

void Measure(HWND menu, Figures &f) {
  f.ok = SelectMenuLine(menu, FindMenuLine(menu, kCommand));
  HWND list = GetDlgItem(menu, dlg::kIdResultList);
  std::vector<double> times;
  for (int run = 0; run < kClearedRuns; ++run) {
    SendMessageA(menu, dlg::kMsgClearResults, 0, 0);
    UpdateWindow(menu);
    times.push_back(TimedClick(menu, f));
  }
  f.reportLines = ResultCount(menu);
  f.afterClear = SpreadOf(times);
  const auto report = ListLines(list);

  // Filling by clicks, without waiting for the drawing in between.
  std::vector<double> fill;
  while (ResultCount(menu) < kFullLines) {
    const double start = Seconds();
    ClickButton(menu, dlg::kIdRun);
    fill.push_back(Seconds() - start);
  }
  UpdateWindow(menu);
  f.fullLines = ResultCount(menu);
  if (fill.size() >= 2 * kFlatWindow) {
    f.fillFirst = SpreadOf({fill.begin(), fill.begin() + kFlatWindow});
    f.fillLast = SpreadOf({fill.end() - kFlatWindow, fill.end()});
  }

  // Full and short list in turn, so that both see the machine as busy as
  // the other does: the load of a shared machine drifts within seconds.
  std::vector<double> full, shortList;
  for (int round = 0; round < kRounds; ++round) {
    if (round > 0) Refill(menu, report, f.fullLines);
    for (int run = 0; run < kRuns / kRounds; ++run) full.push_back(TimedClick(menu, f));
    SendMessageA(menu, dlg::kMsgClearResults, 0, 0);
    for (int run = 0; run < kWarmUp + kRuns / kRounds; ++run) {
      const double elapsed = TimedClick(menu, f);
      if (run >= kWarmUp) shortList.push_back(elapsed);
    }
    f.shortLines = ResultCount(menu);
  }
  f.fullList = SpreadOf(full);
  f.shortList = SpreadOf(shortList);
}

double Ms(double seconds) { return seconds * 1e3; }

}  // namespace

int main() {
  Figures f;
  const bool ran = RunSession(kDevice, AnswerMoment::kAtOnce, InMenu::kNoDialogs, [&f](HWND menu) { Measure(menu, f); });
  f.ok = f.ok && ran && f.reportLines > 1;
  std::printf("Click to result: \"%s\" on the simulated KVT, %d lines a report, from the run button's click\n",
              kCommand, f.reportLines - 1);
  std::printf("to the report's last line drawn in the result list (median, 10%% .. 90%% of %d clicks each,\n", kRuns);
  std::printf("the full and the short list taking turns in %d rounds)\n", kRounds);
  std::printf("  list up to %6d lines:          %7.2f ms  (%.2f .. %.2f)\n", f.shortLines,
              Ms(f.shortList.median), Ms(f.shortList.low), Ms(f.shortList.high));
  std::printf("  list holding %6d lines:       %7.2f ms  (%.2f .. %.2f)\n", f.fullLines, Ms(f.fullList.median),
              Ms(f.fullList.low), Ms(f.fullList.high));
  std::printf("  first click after clearing the list: %.2f ms (%.2f .. %.2f, %d clicks)\n", Ms(f.afterClear.median),
              Ms(f.afterClear.low), Ms(f.afterClear.high), kClearedRuns);
  std::printf("  one round trip to the Wine server: %.1f us\n", RoundTripSeconds() * 1e6);
  std::printf("  while filling, without drawing: first %d clicks %.2f ms, last %d clicks %.2f ms (medians)\n",
              kFlatWindow, Ms(f.fillFirst.median), kFlatWindow, Ms(f.fillLast.median));
  const double growth = f.shortList.median > 0 ? f.fullList.median / f.shortList.median - 1 : 0;
  const bool met = f.ok && f.fullLines >= kFullLines && f.shortList.median < kLimit && growth < kGrowth;
  const std::string figures =
      f.ok ? Text("median %.1f ms (under %.0f ms), %.1f ms with %d lines in the list (%+.0f%%, within %.0f%%)",
                  Ms(f.shortList.median), Ms(kLimit), Ms(f.fullList.median), f.fullLines, growth * 100,
                  kGrowth * 100)
           : std::string("the status report did not reach the result list");
  return ReportTarget("click to result", figures, met) ? 0 : 1;
}
