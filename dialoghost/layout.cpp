// The menu window's controls and their places: menu list left, result list
// right (the trace pane under it when shown), password, copy and buttons
// below, the status line at the bottom. The controls are created where they
// belong, and a resize moves only those whose place changed: under Wine every
// move is a round trip to the server and a redraw.
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
constexpr int kMinimumButtonWidth = 90;
constexpr int kMinimumMenuWidth = 260;
constexpr int kMinimumWidth = 720;
constexpr int kMinimumHeight = 360;
constexpr int kStatusHeight = 22;
constexpr int kResultShareWithTrace = 55;  // per cent of the column's height

enum class Font { kUi, kFixed };

struct ControlRow {
  int id;
  const char *windowClass;
  const char *text;
  DWORD style;
  DWORD exStyle;
  Font font;
  bool shownAtStart = true;
};

constexpr DWORD kListStyle = WS_TABSTOP | WS_VSCROLL | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | LBS_NOINTEGRALHEIGHT;

// A list box, not an edit: it takes the trace's new lines one by one, where an
// edit would lay out its whole text anew (under Wine a second for 1 MiB).
constexpr DWORD kTraceStyle = WS_TABSTOP | WS_VSCROLL | WS_HSCROLL | LBS_NOSEL | LBS_NOINTEGRALHEIGHT;

// Creation order is tab order: menu, password, run, results, trace, buttons.
constexpr std::array<ControlRow, 15> kControls{{
    {kIdMenuList, "LISTBOX", "", kListStyle | LBS_NOTIFY, WS_EX_CLIENTEDGE, Font::kUi},
    {kIdPasswordLabel, "STATIC", "Passwort:", SS_RIGHT | SS_CENTERIMAGE, 0, Font::kUi},
    {kIdPassword, "EDIT", "", WS_TABSTOP | ES_PASSWORD | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, Font::kUi},
    {kIdRun, "BUTTON", "Ausführen", WS_TABSTOP | BS_DEFPUSHBUTTON, 0, Font::kUi},
    // Ctrl+C arrives as WM_CHARTOITEM.
    {kIdResultList, "LISTBOX", "", kListStyle | WS_HSCROLL | LBS_NOSEL | LBS_WANTKEYBOARDINPUT, WS_EX_CLIENTEDGE,
     Font::kFixed},
    {kIdTraceToggle, "BUTTON", "Telegramme anzeigen", WS_TABSTOP | BS_CHECKBOX, 0, Font::kUi},
    {kIdCopy, "BUTTON", "Kopieren", WS_TABSTOP, 0, Font::kUi},
    {kIdTrace, "LISTBOX", "", kTraceStyle, WS_EX_CLIENTEDGE, Font::kFixed, false},
    {kIdAddInfo, "BUTTON", "Zusatzinfo…", WS_TABSTOP, 0, Font::kUi},
    {kIdSetup, "BUTTON", "Einstellungen…", WS_TABSTOP, 0, Font::kUi},
    {kIdSave, "BUTTON", "Speichern…", WS_TABSTOP, 0, Font::kUi},
    {kIdReport, "BUTTON", "Bericht speichern…", WS_TABSTOP, 0, Font::kUi},
    {kIdClear, "BUTTON", "Liste löschen", WS_TABSTOP, 0, Font::kUi},
    {kIdClose, "BUTTON", "Schließen", WS_TABSTOP, 0, Font::kUi},
    {kIdStatus, "STATIC", "", SS_LEFT | SS_CENTERIMAGE | SS_NOPREFIX, WS_EX_STATICEDGE, Font::kUi},
}};

// The buttons of the lower row, left to right; "Schließen" stands apart at the right.
constexpr std::array<int, 5> kLowerButtons{kIdAddInfo, kIdSetup, kIdSave, kIdReport, kIdClear};

using Places = std::array<RECT, kControls.size()>;

std::size_t Row(int id) {
  return static_cast<std::size_t>(
      std::find_if(kControls.begin(), kControls.end(), [id](const ControlRow &row) { return row.id == id; }) -
      kControls.begin());
}

// The buttons' widths for their texts, measured on one device context.
struct ButtonWidths {
  std::array<int, kControls.size()> width{};
  int operator[](int id) const { return width[Row(id)]; }
};

ButtonWidths MeasureButtons(const MenuWindow &menu) {
  ButtonWidths widths;
  HDC dc = GetDC(menu.window);
  HGDIOBJ old = SelectObject(dc, menu.fonts.ui);
  for (std::size_t row = 0; row < kControls.size(); ++row) {
    const char *text = kControls[row].text;
    if (lstrcmpA(kControls[row].windowClass, "BUTTON") != 0) continue;
    SIZE size{};
    GetTextExtentPoint32A(dc, text, lstrlenA(text), &size);
    widths.width[row] = std::max(kMinimumButtonWidth, static_cast<int>(size.cx) + kButtonPadding);
  }
  SelectObject(dc, old);
  ReleaseDC(menu.window, dc);
  return widths;
}

Places Arrange(const MenuWindow &menu, int width, int height) {
  Places places{};
  auto place = [&places](int id, int left, int top, int w, int h) {
    places[Row(id)] = RECT{left, top, left + std::max(w, 0), top + std::max(h, 0)};
  };
  const ButtonWidths buttons = MeasureButtons(menu);
  const int statusTop = height - kMargin - kStatusHeight;
  const int listsBottom = statusTop - 2 * kRowHeight - 3 * kGap;
  const int menuWidth = std::max(kMinimumMenuWidth, (width - 2 * kMargin - kGap) * 2 / 5);
  const int resultLeft = kMargin + menuWidth + kGap;
  const int resultWidth = width - kMargin - resultLeft;
  place(kIdMenuList, kMargin, kMargin, menuWidth, listsBottom - kMargin);
  if (menu.traceShown) {
    const int resultsBottom = kMargin + (listsBottom - kMargin) * kResultShareWithTrace / 100;
    place(kIdResultList, resultLeft, kMargin, resultWidth, resultsBottom - kMargin);
    place(kIdTrace, resultLeft, resultsBottom + kGap, resultWidth, listsBottom - resultsBottom - kGap);
  } else {
    place(kIdResultList, resultLeft, kMargin, resultWidth, listsBottom - kMargin);
  }

  // Row under the lists: password on the left, the run button closing the menu column.
  const int passwordTop = listsBottom + kGap;
  place(kIdPasswordLabel, kMargin, passwordTop, kLabelWidth, kRowHeight);
  place(kIdPassword, kMargin + kLabelWidth + kGap, passwordTop + 2, kPasswordWidth, kRowHeight - 4);
  place(kIdRun, kMargin + menuWidth - buttons[kIdRun], passwordTop, buttons[kIdRun], kRowHeight);
  place(kIdTraceToggle, resultLeft, passwordTop, buttons[kIdTraceToggle], kRowHeight);
  place(kIdCopy, width - kMargin - buttons[kIdCopy], passwordTop, buttons[kIdCopy], kRowHeight);

  const int buttonsTop = passwordTop + kRowHeight + kGap;
  int left = kMargin;
  for (int id : kLowerButtons) {
    place(id, left, buttonsTop, buttons[id], kRowHeight);
    left += buttons[id] + kGap;
  }
  place(kIdClose, width - kMargin - buttons[kIdClose], buttonsTop, buttons[kIdClose], kRowHeight);
  place(kIdStatus, kMargin, statusTop, width - 2 * kMargin, kStatusHeight);
  return places;
}

Places ArrangeInClient(const MenuWindow &menu) {
  RECT client{};
  GetClientRect(menu.window, &client);
  return Arrange(menu, client.right - client.left, client.bottom - client.top);
}

RECT CurrentPlace(const MenuWindow &menu, HWND control) {
  RECT rect{};
  GetWindowRect(control, &rect);
  MapWindowPoints(nullptr, menu.window, reinterpret_cast<POINT *>(&rect), 2);
  return rect;
}

}  // namespace

void CreateControls(MenuWindow &menu) {
  const Places places = ArrangeInClient(menu);
  for (std::size_t row = 0; row < kControls.size(); ++row) {
    const ControlRow &c = kControls[row];
    const RECT &r = places[row];
    const DWORD visible = c.shownAtStart ? WS_VISIBLE : 0;
    HWND control = CreateWindowExA(c.exStyle, c.windowClass, c.text, WS_CHILD | visible | c.style, r.left, r.top,
                                   r.right - r.left, r.bottom - r.top, menu.window,
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(c.id)), ModuleInstance(), nullptr);
    const HFONT font = c.font == Font::kFixed ? menu.fonts.fixed : menu.fonts.ui;
    SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  }
  SendDlgItemMessageA(menu.window, kIdPassword, EM_LIMITTEXT, kPasswordCapacity - 1, 0);
}

void FillMenuList(MenuWindow &menu) {
  HWND list = GetDlgItem(menu.window, kIdMenuList);
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
  const Places places = ArrangeInClient(menu);
  for (std::size_t row = 0; row < kControls.size(); ++row) {
    HWND control = GetDlgItem(menu.window, kControls[row].id);
    const RECT &r = places[row];
    const RECT now = CurrentPlace(menu, control);
    if (EqualRect(&r, &now)) continue;
    MoveWindow(control, r.left, r.top, r.right - r.left, r.bottom - r.top, TRUE);
  }
}

RECT CentredOn(const RECT &over, int width, int height) {
  RECT area{};
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
  width = std::min<int>(width, area.right - area.left);
  height = std::min<int>(height, area.bottom - area.top);
  int left = (over.left + over.right - width) / 2;
  int top = (over.top + over.bottom - height) / 2;
  left = std::max<int>(area.left, std::min<int>(left, area.right - width));
  top = std::max<int>(area.top, std::min<int>(top, area.bottom - height));
  return RECT{left, top, left + width, top + height};
}

void MinimumTrackSize(MINMAXINFO &info) {
  info.ptMinTrackSize.x = kMinimumWidth;
  info.ptMinTrackSize.y = kMinimumHeight;
}

}  // namespace kvt::dlg
