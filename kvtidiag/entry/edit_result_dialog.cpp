// The additional-info dialog (template 400).
// A line of the user's own for the host's result list.
#include "dialogs/dialogs.h"
#include "entry/entry.h"

using namespace kvt;

namespace {

constexpr int kEditLimit = 1999;
constexpr int kHostLineSize = 255;  // bytes, the terminator included

LPSTR g_hostText = nullptr;
DialogFrame g_frame;

BOOL OnInitDialog(HWND dialog, LPARAM lParam) {
  g_hostText = reinterpret_cast<LPSTR>(lParam);
  SendDlgItemMessageA(dialog, IDC_RESULT_LINE, EM_LIMITTEXT, kEditLimit, 0);
  FrameInit(dialog, g_frame);
  return TRUE;
}

BOOL OnCommand(HWND dialog, WPARAM wParam, LPARAM lParam) {
  switch (LOWORD(wParam)) {
    case IDOK:
      if (g_hostText) GetDlgItemTextA(dialog, IDC_RESULT_LINE, g_hostText, kHostLineSize);
      EndDialog(dialog, 1);
      return TRUE;
    case IDCANCEL:
      if (g_hostText) g_hostText[0] = '\0';
      EndDialog(dialog, 0);
      return TRUE;
    case IDC_RESULT_LINE:
      if (HIWORD(wParam) == EN_CHANGE) EnableOkWhileText(dialog, reinterpret_cast<HWND>(lParam));
      return TRUE;
    default: return FALSE;
  }
}

}  // namespace

extern "C" INT_PTR CALLBACK EditResultDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG: return OnInitDialog(dialog, lParam);
    case WM_DESTROY: FrameDestroy(g_frame); return TRUE;
    case kCtlColorMessage: return FrameControlColour(g_frame, wParam, lParam);
    case WM_COMMAND: return OnCommand(dialog, wParam, lParam);
    default: return FALSE;
  }
}
