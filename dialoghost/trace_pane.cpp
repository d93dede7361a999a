// The trace pane under the result list: the driver's decoded telegram trace,
// shown on demand, refreshed after each command and scrolled to its end.
#include "dialoghost.h"

namespace kvt::dlg {

std::string TraceText() {
  std::string text;
  if (!DriverText("SimTraceText", text)) text = "Der Treiber führt kein Telegrammprotokoll.";
  return text;
}

void RefreshTrace(MenuWindow &menu) {
  if (!menu.traceShown) return;  // a hidden pane costs the commands nothing
  HWND pane = GetDlgItem(menu.window, kIdTrace);
  SetWindowTextA(pane, TraceText().c_str());
  const LRESULT end = GetWindowTextLengthA(pane);
  SendMessageA(pane, EM_SETSEL, end, end);
  SendMessageA(pane, EM_SCROLLCARET, 0, 0);
}

void ToggleTrace(MenuWindow &menu) {
  menu.traceShown = !menu.traceShown;
  CheckDlgButton(menu.window, kIdTraceToggle, menu.traceShown ? BST_CHECKED : BST_UNCHECKED);
  ShowWindow(GetDlgItem(menu.window, kIdTrace), menu.traceShown ? SW_SHOW : SW_HIDE);
  LayOut(menu);
  RefreshTrace(menu);
}

}  // namespace kvt::dlg
