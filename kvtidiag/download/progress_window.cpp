// The small window over the menu that shows the records and data bytes sent
// of the file's total while the download blocks the menu.
#include <windows.h>

#include <commctrl.h>

#include "download/download.h"
#include "entry/entry.h"

namespace kvt {

namespace {

// Often enough to see it move, seldom enough to cost nothing against the line.
constexpr DWORD kRepaintMilliseconds = 100;

INT_PTR CALLBACK ProgressDlgProc(HWND, UINT message, WPARAM, LPARAM) { return message == WM_INITDIALOG; }

void SetNumber(HWND window, int control, DWORD value) { SetDlgItemInt(window, control, value, FALSE); }

}  // namespace

DownloadProgress::DownloadProgress(HWND owner, const HexFile &file) {
  const INITCOMMONCONTROLSEX classes{sizeof classes, ICC_PROGRESS_CLASS};
  InitCommonControlsEx(&classes);
  window = CreateDialogParamA(Instance(), MAKEINTRESOURCEA(IDD_DOWNLOAD_PROGRESS), owner, ProgressDlgProc, 0);
  if (!window) return;  // the download goes on without it
  CentreDialog(owner, window);
  SetNumber(window, IDC_DOWNLOAD_RECORDS_TOTAL, file.records);
  SetNumber(window, IDC_DOWNLOAD_BYTES_TOTAL, file.dataBytes);
  SendDlgItemMessageA(window, IDC_DOWNLOAD_BAR, PBM_SETRANGE32, 0, file.records > 0 ? file.records : 1);
  ShowWindow(window, SW_SHOWNORMAL);
  Show();
}

DownloadProgress::~DownloadProgress() {
  if (window) DestroyWindow(window);
}

void DownloadProgress::Add(DWORD dataBytes) {
  ++records;
  bytes += dataBytes;
  if (GetTickCount() - shownAt >= kRepaintMilliseconds) Show();
}

void DownloadProgress::Show() {
  shownAt = GetTickCount();
  if (!window) return;
  SetNumber(window, IDC_DOWNLOAD_RECORDS, records);
  SetNumber(window, IDC_DOWNLOAD_BYTES, bytes);
  SendDlgItemMessageA(window, IDC_DOWNLOAD_BAR, PBM_SETPOS, records, 0);
  // Painted at once: the download runs no message loop.
  RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
  // A look at the queue, leaving it as it is, tells the system that the
  // thread still lives, so it does not replace the windows by a frozen image.
  MSG message;
  PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE);
}

}  // namespace kvt
