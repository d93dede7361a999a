// The result list: lines appended from ResultText (each line feed starts a
// new line; the window learns the device from them), notes from
// "Zusatzinfo…", clearing, and copying as CP1252 text with CRLF line ends.
#include <algorithm>
#include <span>
#include <string>
#include <vector>

#include "dialoghost.h"
#include "kvt/list_box.h"

namespace kvt::dlg {

namespace {

constexpr int kScrollSlack = 16;
constexpr int kTabCells = 8;  // DT_EXPANDTABS: a tab stop every eight characters

HWND ResultList(const MenuWindow &menu) { return GetDlgItem(menu.window, kIdResultList); }

int LineWidth(const MenuWindow &menu, std::string_view text) {
  HDC dc = GetDC(menu.window);
  HGDIOBJ old = SelectObject(dc, menu.fonts.fixedBold);
  RECT area{0, 0, 0, 0};
  DrawTextA(dc, text.data(), static_cast<int>(text.size()), &area,
            DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX | DT_EXPANDTABS);
  SelectObject(dc, old);
  ReleaseDC(menu.window, dc);
  return area.right - area.left;
}

// Character cells of a line as it is drawn, tabs expanded.
int Cells(std::string_view text) {
  int cells = 0;
  for (char c : text) cells = c == '\t' ? (cells / kTabCells + 1) * kTabCells : cells + 1;
  return cells;
}

struct ResultLine {
  std::string_view text;
  LineKind kind;
};

// The list's font has a fixed pitch, so the line with the most cells is the
// widest; only such a line is measured, and the scroll range set when it grows.
void WidenFor(MenuWindow &menu, const ResultLine &widest, int cells) {
  menu.resultCells = cells;
  const int width = LineWidth(menu, widest.text) + kScrollSlack;
  if (width <= menu.resultWidth) return;
  menu.resultWidth = width;
  SendMessageA(ResultList(menu), LB_SETHORIZONTALEXTENT, width, 0);
}

// The lines go in as one update: while the list's redraw is off a line costs
// no scroll bar layout and no drawing, which under Wine would cost tens of
// round trips to the server for every line.
void AppendLines(MenuWindow &menu, std::span<const ResultLine> lines) {
  HWND list = ResultList(menu);
  SendMessageA(list, WM_SETREDRAW, FALSE, 0);
  std::string text;
  LRESULT header = LB_ERR;
  const ResultLine *widest = nullptr;
  int widestCells = menu.resultCells;
  for (const ResultLine &line : lines) {
    text.assign(line.text);
    const LRESULT index = SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
    if (index < 0) break;  // no room left: the lines before stay
    SendMessageA(list, LB_SETITEMDATA, index, line.kind);
    if (line.kind == kLineHeader && header < 0) header = index;
    if (line.kind == kLineText) LearnFromLine(menu.learnt, line.text);
    menu.unsaved = true;
    if (const int cells = Cells(line.text); cells > widestCells) {
      widestCells = cells;
      widest = &line;
    }
  }
  if (widest) WidenFor(menu, *widest, widestCells);
  if (header >= 0) SendMessageA(list, LB_SETTOPINDEX, header, 0);  // the new result starts in view
  SendMessageA(list, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(list, nullptr, TRUE);
}

}  // namespace

std::vector<std::string_view> SplitLines(std::string_view text) {
  std::vector<std::string_view> lines;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    lines.push_back(line);
    if (end == std::string_view::npos) break;
    text.remove_prefix(end + 1);
  }
  return lines;
}

void AppendResult(MenuWindow &menu, std::string_view header, const char *text) {
  std::vector<ResultLine> lines{{header, kLineHeader}};
  for (std::string_view line : SplitLines(text)) lines.push_back({line, kLineText});
  AppendLines(menu, lines);
}

void ClearResults(MenuWindow &menu) {
  HWND list = ResultList(menu);
  SendMessageA(list, LB_RESETCONTENT, 0, 0);
  menu.unsaved = false;
  menu.resultWidth = 0;
  menu.resultCells = 0;
  SendMessageA(list, LB_SETHORIZONTALEXTENT, 0, 0);
}

std::string ResultListText(const MenuWindow &menu) {
  HWND list = ResultList(menu);
  const int count = static_cast<int>(SendMessageA(list, LB_GETCOUNT, 0, 0));
  std::string text;
  for (int index = 0; index < count; ++index) {
    text += ListBoxLine(list, index);
    text += "\r\n";
  }
  return text;
}

// CF_LOCALE German: the system turns the CP1252 bytes into Unicode with the right code page.
void CopyResults(const MenuWindow &menu) {
  const std::string text = ResultListText(menu);
  HGLOBAL bytes = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
  HGLOBAL locale = GlobalAlloc(GMEM_MOVEABLE, sizeof(LCID));
  if (bytes && locale && OpenClipboard(menu.window)) {
    lstrcpynA(static_cast<char *>(GlobalLock(bytes)), text.c_str(), static_cast<int>(text.size() + 1));
    GlobalUnlock(bytes);
    *static_cast<LCID *>(GlobalLock(locale)) = MAKELCID(MAKELANGID(LANG_GERMAN, SUBLANG_GERMAN), SORT_DEFAULT);
    GlobalUnlock(locale);
    EmptyClipboard();
    if (SetClipboardData(CF_TEXT, bytes)) bytes = nullptr;  // the clipboard owns what it took
    if (SetClipboardData(CF_LOCALE, locale)) locale = nullptr;
    CloseClipboard();
  }
  if (bytes) GlobalFree(bytes);
  if (locale) GlobalFree(locale);
}

bool MayDiscardResults(MenuWindow &menu, const char *question) {
  if (menu.busy) return false;  // a command's own dialogs are still open
  if (!menu.unsaved) return true;
  menu.busy = true;
  const bool yes = AskYesNo(menu.window, menu.title,
                            std::string("Die Ergebnisliste enthält Ergebnisse, die noch nicht gespeichert sind.\n\n") +
                                question);
  menu.busy = false;
  return yes;
}

void AddInfoLine(MenuWindow &menu) {
  if (!menu.showResult || menu.busy) return;
  char text[kAddInfoCapacity] = "";
  menu.busy = true;
  const INT_PTR result = menu.showResult(menu.window, text);
  menu.busy = false;
  text[kAddInfoCapacity - 1] = '\0';
  const ResultLine note{text, kLineNote};
  if (result != 0 && text[0] != '\0') AppendLines(menu, {&note, 1});
}

}  // namespace kvt::dlg
