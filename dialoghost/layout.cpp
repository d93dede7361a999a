// The menu window's controls and their places: menu list left, result list
// right, password and buttons below; every resize lays them out anew.
#include <algorithm>
#include <array>

#include "dialoghost.h"

namespace kvt::dlg {

namespace {

constexpr int kMargin = 8;
constexpr int kGap = 6;
constexpr int kRowHeight = 26;
constexpr int kLabelWidth = 70;
constexpr int kPasswordWidth = 170;
constexpr int kButtonPadding = 24;
constexpr int kMinimumMenuWidth = 260;
constexpr int kMinimumWidth = 720;
constexpr int kMinimumHeight = 360;

struct ButtonRow {
  int id;
  const char *text;
};

// The buttons of the lower row, left to right; "Schließen" stands apart at the right.
constexpr std::array<ButtonRow, 4> kLowerButtons{{
    {kIdAddInfo, "Zusatzinfo…"},
    {kIdSetup, "Einstellungen…"},
    {kIdSave, "Ergebnisliste speichern…"},
    {kIdClear, "Liste löschen"},
}};

HWND Child(const MenuWindow &menu, int id) { return GetDlgItem(menu.window, id); }

HWND MakeControl(const MenuWindow &menu, const char *windowClass, const char *text, DWORD style, int id,
                 HFONT font, DWORD exStyle = 0) {
  HWND control = CreateWindowExA(exStyle, windowClass, text, WS_CHILD | WS_VISIBLE | style, 0, 0, 10, 10,
                                 menu.window, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                 ModuleInstance(), nullptr);
  SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  return control;
}

int TextWidth(const MenuWindow &menu, const char *text) {
  HDC dc = GetDC(menu.window);
  HGDIOBJ old = SelectObject(dc, menu.fonts.ui);
  SIZE size{};
  GetTextExtentPoint32A(dc, text, lstrlenA(text), &size);
  SelectObject(dc, old);
  ReleaseDC(menu.window, dc);
  return size.cx;
}

int ButtonWidth(const MenuWindow &menu, int id) {
  char text[64] = "";
  GetWindowTextA(Child(menu, id), text, sizeof text);
  return std::max(90, TextWidth(menu, text) + kButtonPadding);
}

void Place(const MenuWindow &menu, int id, int left, int top, int width, int height) {
  MoveWindow(Child(menu, id), left, top, std::max(width, 0), std::max(height, 0), TRUE);
}

}  // namespace

void CreateControls(MenuWindow &menu) {
  const HFONT ui = menu.fonts.ui;
  // Tab order is creation order: menu, password, run, results, buttons.
  MakeControl(menu, "LISTBOX", "",
              WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | LBS_NOINTEGRALHEIGHT,
              kIdMenuList, ui, WS_EX_CLIENTEDGE);
  MakeControl(menu, "STATIC", "Passwort:", SS_RIGHT | SS_CENTERIMAGE, kIdPasswordLabel, ui);
  MakeControl(menu, "EDIT", "", WS_TABSTOP | ES_PASSWORD | ES_AUTOHSCROLL, kIdPassword, ui, WS_EX_CLIENTEDGE);
  SendMessageA(Child(menu, kIdPassword), EM_LIMITTEXT, kPasswordCapacity - 1, 0);
  MakeControl(menu, "BUTTON", "Ausführen", WS_TABSTOP | BS_DEFPUSHBUTTON, kIdRun, ui);
  MakeControl(menu, "LISTBOX", "",
              WS_TABSTOP | WS_VSCROLL | WS_HSCROLL | LBS_NOSEL | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS |
                  LBS_NOINTEGRALHEIGHT,
              kIdResultList, menu.fonts.fixed, WS_EX_CLIENTEDGE);
  for (const ButtonRow &button : kLowerButtons) MakeControl(menu, "BUTTON", button.text, WS_TABSTOP, button.id, ui);
  MakeControl(menu, "BUTTON", "Schließen", WS_TABSTOP, kIdClose, ui);
}

void FillMenuList(MenuWindow &menu) {
  HWND list = Child(menu, kIdMenuList);
  SendMessageA(list, WM_SETREDRAW, FALSE, 0);
  for (const MenuLine &line : menu.lines) {
    const LRESULT index = SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.text.c_str()));
    SendMessageA(list, LB_SETITEMDATA, index, line.handler);
  }
  // Start on the first line that can run.
  const auto first = std::find_if(menu.lines.begin(), menu.lines.end(), [](const MenuLine &l) { return !IsHeading(l); });
  if (first != menu.lines.end()) {
    menu.lastSelection = static_cast<int>(first - menu.lines.begin());
    SendMessageA(list, LB_SETCURSEL, menu.lastSelection, 0);
  }
  SendMessageA(list, WM_SETREDRAW, TRUE, 0);
}

void LayOut(MenuWindow &menu) {
  RECT client{};
  GetClientRect(menu.window, &client);
  const int width = client.right - client.left;
  const int height = client.bottom - client.top;
  const int listsBottom = height - kMargin - 2 * kRowHeight - 2 * kGap;
  const int menuWidth = std::max(kMinimumMenuWidth, (width - 2 * kMargin - kGap) * 2 / 5);
  const int resultLeft = kMargin + menuWidth + kGap;
  Place(menu, kIdMenuList, kMargin, kMargin, menuWidth, listsBottom - kMargin);
  Place(menu, kIdResultList, resultLeft, kMargin, width - kMargin - resultLeft, listsBottom - kMargin);

  // Row under the lists: password on the left, the run button closing the menu column.
  const int passwordTop = listsBottom + kGap;
  const int runWidth = ButtonWidth(menu, kIdRun);
  Place(menu, kIdPasswordLabel, kMargin, passwordTop, kLabelWidth, kRowHeight);
  Place(menu, kIdPassword, kMargin + kLabelWidth + kGap, passwordTop + 2, kPasswordWidth, kRowHeight - 4);
  Place(menu, kIdRun, kMargin + menuWidth - runWidth, passwordTop, runWidth, kRowHeight);

  const int buttonsTop = passwordTop + kRowHeight + kGap;
  int left = kMargin;
  for (const ButtonRow &button : kLowerButtons) {
    const int buttonWidth = ButtonWidth(menu, button.id);
    Place(menu, button.id, left, buttonsTop, buttonWidth, kRowHeight);
    left += buttonWidth + kGap;
  }
  const int closeWidth = ButtonWidth(menu, kIdClose);
  Place(menu, kIdClose, width - kMargin - closeWidth, buttonsTop, closeWidth, kRowHeight);
}

void MinimumTrackSize(MINMAXINFO &info) {
  info.ptMinTrackSize.x = kMinimumWidth;
  info.ptMinTrackSize.y = kMinimumHeight;
}

}  // namespace kvt::dlg
