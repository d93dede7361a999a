// The menu window of KVTIDLG.DLL as other programs may drive it: its window
// class, its control ids and its private messages. A host program or a test
// finds the window by class, selects a line in the menu list and sends the
// run button's WM_COMMAND, then reads the result list back with LB_GETTEXT.
// Every text in the window is CP1252 (the controls are ANSI windows).
#pragma once

#include <windows.h>

namespace kvt::dlg {

inline constexpr char kMenuWindowClass[] = "KvtDiagMenuWindow";

// Control ids. The menu list's item data is the entry's handler code
// (kHeadingHandler for a heading); the result list's item data is a LineKind.
inline constexpr int kIdMenuList = 1101;
inline constexpr int kIdResultList = 1102;
inline constexpr int kIdPasswordLabel = 1103;
inline constexpr int kIdPassword = 1104;
inline constexpr int kIdRun = 1105;          // "Ausführen"; Enter (IDOK) does the same
inline constexpr int kIdAddInfo = 1106;      // "Zusatzinfo…"
inline constexpr int kIdSetup = 1107;        // "Einstellungen…"
inline constexpr int kIdSave = 1108;         // "Speichern…": the list under the file header
inline constexpr int kIdClear = 1109;        // "Liste löschen"; asks first while results are unsaved
inline constexpr int kIdClose = 1110;        // "Schließen"; Esc (IDCANCEL) does the same; asks as "Liste löschen"
inline constexpr int kIdReport = 1111;       // "Bericht speichern…": header, list and telegram trace
inline constexpr int kIdCopy = 1112;         // "Kopieren"; Ctrl+C in the result list does the same
inline constexpr int kIdTraceToggle = 1113;  // check box "Telegramme anzeigen"
inline constexpr int kIdTrace = 1114;        // the trace pane, a list box under the result list
inline constexpr int kIdStatus = 1115;       // the status line: device, address, serial number, "SIMULIERT"

inline constexpr ULONG_PTR kHeadingHandler = 65535;

enum LineKind : ULONG_PTR {
  kLineText = 0,    // a line of a command's ResultText
  kLineHeader = 1,  // the menu line's text in front of its result
  kLineNote = 2,    // a line added through "Zusatzinfo…"
};

// Private messages of the menu window.
// Returns the number of runs finished so far (a run ends after its last
// callback, whether it showed a result or not).
inline constexpr UINT kMsgRunCount = WM_APP + 1;
// Returns TRUE while a command's callbacks are running.
inline constexpr UINT kMsgIsBusy = WM_APP + 2;
// lParam: const char *path. Writes the result list there as the save button
// does, without the file dialog; returns TRUE when written (a failure shows
// the same message box as the button).
inline constexpr UINT kMsgSaveTo = WM_APP + 3;
// lParam: const char *path. Writes the report there as "Bericht speichern…"
// does, without the file dialog; returns TRUE when written.
inline constexpr UINT kMsgSaveReportTo = WM_APP + 4;
// Empties the result list without asking: a program's own decision, as a
// WM_CLOSE sent or posted by a program closes without asking. The user's
// "Liste löschen", "Schließen", Esc and the title bar's close ask first.
inline constexpr UINT kMsgClearResults = WM_APP + 5;

}  // namespace kvt::dlg
