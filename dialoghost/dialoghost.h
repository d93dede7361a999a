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

// What the window knows of the device it talks to; CP1252, empty when unknown.
struct DeviceFacts {
  std::string device;
  std::string address;
  std::string serial;
  std::string variant;
  bool simulated = false;  // the driver describes itself: it simulates
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
  bool unsaved = false;     // results arrived since the list was last saved or emptied
  bool traceShown = false;
  std::string traceText;      // the trace as the pane shows it
  std::size_t traceCells = 0;  // its widest line
  DeviceFacts learnt;       // what the results said so far
  unsigned runs = 0;
};

// zenk_dialog.cpp
HINSTANCE ModuleInstance();
// Gives the owner back its input; before the window goes, so activation returns to it.
void ReleaseOwner(MenuWindow &menu);

// messages.cpp: printf-style CP1252 text and the one message box path.
std::string FormatText(const char *format, ...) __attribute__((format(printf, 1, 2)));
void ShowMessage(HWND owner, const std::string &title, const std::string &text);
bool AskYesNo(HWND owner, const std::string &title, const std::string &text);  // true for "Ja"

// driver_extras.cpp: a text the driver may export beside its contract
// ("SimTraceText", "SimDeviceText"); false when it has no such export.
bool DriverText(const char *exportName, std::string &text);

// device_facts.cpp
void LearnFromLine(DeviceFacts &facts, std::string_view line);
DeviceFacts CurrentFacts(const MenuWindow &menu);  // the results' word, the driver's where they are silent
std::string StatusText(const DeviceFacts &facts);
// The lines every saved file opens with: its title, date and time, the device.
std::string FileHeader(std::string_view title, const DeviceFacts &facts, const SYSTEMTIME &now);
// "KVT-Q1_2026-12-06.txt", the device's name made fit for a file name.
std::string ProposedFileName(const DeviceFacts &facts, const SYSTEMTIME &now, std::string_view suffix);
void ShowStatus(MenuWindow &menu);

// trace_pane.cpp
std::string TraceText();  // the driver's trace, or the line saying it keeps none
void ToggleTrace(MenuWindow &menu);
void RefreshTrace(MenuWindow &menu);

// window_proc.cpp
bool RegisterMenuWindowClass();
LRESULT CALLBACK MenuWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// layout.cpp
// A window of this size centred over `over`, kept in the work area.
RECT CentredOn(const RECT &over, int width, int height);
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
// The lines of a text; a final line feed ends the last line, it does not open
// an empty one, and a carriage return before a line feed is dropped.
std::vector<std::string_view> SplitLines(std::string_view text);
// The menu line's text as the header, then the lines of its ResultText.
void AppendResult(MenuWindow &menu, std::string_view header, const char *text);
void ClearResults(MenuWindow &menu);
std::string ResultListText(const MenuWindow &menu);  // lines with CRLF ends
void CopyResults(const MenuWindow &menu);            // CF_TEXT, CP1252, CRLF
void AddInfoLine(MenuWindow &menu);
// Asks before results that were not saved are lost; true when they may go.
bool MayDiscardResults(MenuWindow &menu, const char *question);

// save.cpp: the list, or the whole report, under the file header.
enum class SavedFile { kList, kReport };
bool SaveTo(MenuWindow &menu, SavedFile kind, const char *path);
void SaveWithDialog(MenuWindow &menu, SavedFile kind);

}  // namespace kvt::dlg
