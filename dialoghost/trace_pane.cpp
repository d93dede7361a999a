// The trace pane under the result list: the driver's decoded telegram trace,
// shown on demand, refreshed after each command and scrolled to its end. The
// trace grows at its end, so a refresh adds only the lines it gained.
#include <algorithm>

#include "dialoghost.h"

namespace kvt::dlg {

namespace {

constexpr int kScrollSlack = 16;

int CharWidth(const MenuWindow &menu) {
  HDC dc = GetDC(menu.window);
  HGDIOBJ old = SelectObject(dc, menu.fonts.fixed);
  TEXTMETRICA metrics{};
  GetTextMetricsA(dc, &metrics);
  SelectObject(dc, old);
  ReleaseDC(menu.window, dc);
  return metrics.tmAveCharWidth;
}

}  // namespace

std::string TraceText() {
  std::string text;
  if (!DriverText("SimTraceText", text)) text = "Der Treiber führt kein Telegrammprotokoll.";
  return text;
}

void RefreshTrace(MenuWindow &menu) {
  if (!menu.traceShown) return;  // a hidden pane costs the commands nothing
  std::string text = TraceText();
  HWND pane = GetDlgItem(menu.window, kIdTrace);
  SendMessageA(pane, WM_SETREDRAW, FALSE, 0);
  // When its start changed (the oldest lines were dropped), the pane starts anew.
  if (!text.starts_with(menu.traceText)) {
    SendMessageA(pane, LB_RESETCONTENT, 0, 0);
    menu.traceText.clear();
    menu.traceCells = 0;
  }
  std::string line;
  for (std::string_view gained : SplitLines(std::string_view(text).substr(menu.traceText.size()))) {
    line.assign(gained);
    SendMessageA(pane, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));
    menu.traceCells = std::max(menu.traceCells, line.size());
  }
  menu.traceText = std::move(text);
  SendMessageA(pane, LB_SETHORIZONTALEXTENT, menu.traceCells * CharWidth(menu) + kScrollSlack, 0);
  SendMessageA(pane, LB_SETTOPINDEX, SendMessageA(pane, LB_GETCOUNT, 0, 0) - 1, 0);
  SendMessageA(pane, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(pane, nullptr, TRUE);
}

void ToggleTrace(MenuWindow &menu) {
  menu.traceShown = !menu.traceShown;
  CheckDlgButton(menu.window, kIdTraceToggle, menu.traceShown ? BST_CHECKED : BST_UNCHECKED);
  ShowWindow(GetDlgItem(menu.window, kIdTrace), menu.traceShown ? SW_SHOW : SW_HIDE);
  LayOut(menu);
  RefreshTrace(menu);
}

}  // namespace kvt::dlg
