// The scan picture window as other programs may drive it: its class, its
// button and its private message. It is owned by the menu window, shows the
// latest measured-value result and hides when closed, to come back with the
// next one.
#pragma once

#include <windows.h>

namespace kvt::dlg {

inline constexpr char kScanWindowClass[] = "KvtDiagScanWindow";
inline constexpr char kScanWindowTitle[] = "Scanbild";

inline constexpr int kIdSavePng = 1201;  // "Als PNG speichern…"
// The strip under the picture that holds the button; the picture is the rest of the client area.
inline constexpr int kScanButtonStrip = 40;

// lParam: const char *path. Writes the picture there as the button does,
// without the file dialog; returns TRUE when written (a failure shows the
// same message box as the button).
inline constexpr UINT kMsgSavePngTo = WM_APP + 21;

}  // namespace kvt::dlg
