// Drawing of both lists: headings in the menu stand out (bold on a tinted
// band, never shown selected), commands are indented under them; in the
// result list each command's header line is bold and notes are coloured.
#include <string>

#include "dialoghost.h"
#include "kvt/list_box.h"

namespace kvt::dlg {

namespace {

constexpr COLORREF kHeadingBand = RGB(0xD6, 0xE2, 0xF0);
constexpr COLORREF kHeadingText = RGB(0x10, 0x2A, 0x5C);
constexpr COLORREF kNoteText = RGB(0x00, 0x60, 0x20);
constexpr int kIndent = 18;
constexpr int kTextPadding = 4;
constexpr int kItemPadding = 4;

int FontHeight(HWND window, HFONT font) {
  HDC dc = GetDC(window);
  HGDIOBJ old = SelectObject(dc, font);
  TEXTMETRICA metrics{};
  GetTextMetricsA(dc, &metrics);
  SelectObject(dc, old);
  ReleaseDC(window, dc);
  return metrics.tmHeight;
}

void DrawText(HDC dc, const std::string &text, RECT area) {
  DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &area,
            DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_EXPANDTABS);
}

void DrawMenuItem(const MenuWindow &menu, const DRAWITEMSTRUCT &item) {
  HDC dc = item.hDC;
  RECT area = item.rcItem;
  const std::string text = ListBoxLine(item.hwndItem, static_cast<int>(item.itemID));
  const bool heading = item.itemData == kHeadingHandler;
  const bool selected = !heading && (item.itemState & ODS_SELECTED);
  COLORREF back = GetSysColor(COLOR_WINDOW);
  COLORREF fore = GetSysColor(COLOR_WINDOWTEXT);
  if (heading) {
    back = kHeadingBand;
    fore = kHeadingText;
  } else if (selected) {
    back = GetSysColor(COLOR_HIGHLIGHT);
    fore = GetSysColor(COLOR_HIGHLIGHTTEXT);
  }
  if (!IsWindowEnabled(item.hwndItem) && !selected) fore = GetSysColor(COLOR_GRAYTEXT);
  HBRUSH brush = CreateSolidBrush(back);
  FillRect(dc, &area, brush);
  DeleteObject(brush);
  HGDIOBJ oldFont = SelectObject(dc, heading ? menu.fonts.bold : menu.fonts.ui);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, fore);
  RECT textArea = area;
  textArea.left += Scaled(heading ? kTextPadding : kIndent);
  DrawText(dc, text, textArea);
  SelectObject(dc, oldFont);
  if (item.itemState & ODS_FOCUS) DrawFocusRect(dc, &area);
}

void DrawResultItem(const MenuWindow &menu, const DRAWITEMSTRUCT &item) {
  HDC dc = item.hDC;
  RECT area = item.rcItem;
  FillRect(dc, &area, GetSysColorBrush(COLOR_WINDOW));
  const std::string text = ListBoxLine(item.hwndItem, static_cast<int>(item.itemID));
  const bool header = item.itemData == kLineHeader;
  HGDIOBJ oldFont = SelectObject(dc, header ? menu.fonts.fixedBold : menu.fonts.fixed);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, item.itemData == kLineNote ? kNoteText : GetSysColor(COLOR_WINDOWTEXT));
  area.left += Scaled(kTextPadding);
  DrawText(dc, text, area);
  SelectObject(dc, oldFont);
}

HFONT MakeFont(const LOGFONTA &base, LONG weight, const char *face = nullptr, BYTE pitch = 0) {
  LOGFONTA font = base;
  font.lfWeight = weight;
  if (face) {
    lstrcpynA(font.lfFaceName, face, LF_FACESIZE);
    font.lfPitchAndFamily = pitch;
  }
  return CreateFontIndirectA(&font);
}

}  // namespace

Fonts CreateFonts() {
  NONCLIENTMETRICSA metrics{};
  metrics.cbSize = sizeof metrics;
  LOGFONTA base{};
  if (SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) {
    base = metrics.lfMessageFont;
  } else {
    GetObjectA(GetStockObject(DEFAULT_GUI_FONT), sizeof base, &base);
  }
  base.lfCharSet = ANSI_CHARSET;
  Fonts fonts;
  fonts.ui = MakeFont(base, FW_NORMAL);
  fonts.bold = MakeFont(base, FW_BOLD);
  fonts.fixed = MakeFont(base, FW_NORMAL, "Courier New", FIXED_PITCH | FF_MODERN);
  fonts.fixedBold = MakeFont(base, FW_BOLD, "Courier New", FIXED_PITCH | FF_MODERN);
  return fonts;
}

void DeleteFonts(Fonts &fonts) {
  for (HFONT font : {fonts.ui, fonts.bold, fonts.fixed, fonts.fixedBold}) {
    if (font) DeleteObject(font);
  }
  fonts = Fonts{};
}

void MeasureItem(const MenuWindow &menu, MEASUREITEMSTRUCT &item) {
  const HFONT font = item.CtlID == static_cast<UINT>(kIdResultList) ? menu.fonts.fixedBold : menu.fonts.bold;
  item.itemHeight = static_cast<UINT>(FontHeight(menu.window, font) + Scaled(kItemPadding));
}

void DrawItem(const MenuWindow &menu, const DRAWITEMSTRUCT &item) {
  if (item.itemID == static_cast<UINT>(-1)) return;
  if (item.CtlID == static_cast<UINT>(kIdMenuList)) DrawMenuItem(menu, item);
  if (item.CtlID == static_cast<UINT>(kIdResultList)) DrawResultItem(menu, item);
}

}  // namespace kvt::dlg
