// KVTIDLG.DLL inside: the menu read from the library's resource, the menu
// window's state, and the functions each source file contributes.
#pragma once

#include <windows.h>

#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "kvt/abi.h"
#include "menu_window.h"

namespace kvt::dlg {

// One line of the menu resource; text is CP1252.
struct MenuLine {
  WORD handler = 0;
  WORD telegram = 0;
  WORD flag = 0;
  std::string text;
};

inline bool IsHeading(const MenuLine &line) { return line.handler == kHeadingHandler; }

// Every command gets a fresh ResultText of this size.
inline constexpr std::size_t kResultCapacity = 64 * 1024;
inline constexpr std::size_t kPasswordCapacity = 64;
inline constexpr std::size_t kAddInfoCapacity = 256;

// menu_resource.cpp: reads count and entries; on bad data returns false with
// a German message naming `name` in `error`.
bool ParseMenu(std::span<const BYTE> data, std::string_view name, std::vector<MenuLine> &lines,
               std::string &error);
bool LoadMenu(HINSTANCE module, const char *name, std::vector<MenuLine> &lines, std::string &error);

struct Fonts {
  HFONT ui = nullptr;
  HFONT bold = nullptr;
  HFONT fixed = nullptr;
  HFONT fixedBold = nullptr;
};

// One open menu window; lives in ZenkDialog's frame.
struct MenuWindow {
  HWND owner = nullptr;
  HWND window = nullptr;
  std::string title;
  DiagCommandFn command = nullptr;
  DiagShowResultFn showResult = nullptr;
  DiagSetupFn setup = nullptr;
  DiagModeCheckFn modeCheck = nullptr;
  std::vector<MenuLine> lines;
  Fonts fonts;
  int resultWidth = 0;      // widest result line in pixels, for horizontal scrolling
  int resultCells = 0;      // and in characters, tabs expanded
  int lastSelection = -1;   // to skip headings in the direction the user moves
  bool ownerDisabled = false;
  bool busy = false;
  bool modeChecked = false;
  bool done = false;
  unsigned runs = 0;
};

// zenk_dialog.cpp
HINSTANCE ModuleInstance();
// Gives the owner back its input; before the window goes, so activation returns to it.
void ReleaseOwner(MenuWindow &menu);

// messages.cpp: printf-style CP1252 text and the one message box path.
std::string FormatText(const char *format, ...) __attribute__((format(printf, 1, 2)));
void ShowMessage(HWND owner, const std::string &title, const std::string &text);

// window_proc.cpp
bool RegisterMenuWindowClass();
LRESULT CALLBACK MenuWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// layout.cpp
void CreateControls(MenuWindow &menu);
void LayOut(MenuWindow &menu);
void FillMenuList(MenuWindow &menu);
void MinimumTrackSize(MINMAXINFO &info);

// owner_draw.cpp
void MeasureItem(const MenuWindow &menu, MEASUREITEMSTRUCT &item);
void DrawItem(const MenuWindow &menu, const DRAWITEMSTRUCT &item);
Fonts CreateFonts();
void DeleteFonts(Fonts &fonts);

// run_entry.cpp: the two-phase run of one menu line.
void RunEntry(MenuWindow &menu, int index);
void SkipHeadingSelection(MenuWindow &menu);

// result_list.cpp
// The menu line's text as the header, then the lines of its ResultText.
void AppendResult(MenuWindow &menu, std::string_view header, const char *text);
void ClearResults(MenuWindow &menu);
std::string ResultListText(const MenuWindow &menu);  // lines with CRLF ends
bool SaveResults(MenuWindow &menu, const char *path);
void SaveResultsWithDialog(MenuWindow &menu);
void AddInfoLine(MenuWindow &menu);

}  // namespace kvt::dlg
