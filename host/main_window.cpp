// The host's main window "KVT Diagnose": the two host values and the
// button that starts a diagnosis run.
#include <cstdlib>

#include "host.h"
#include "kvt/abi.h"

namespace kvt::host {

namespace {

HostState g_host;

// Sizes in pixels at 96 DPI; the program follows the system's DPI (its manifest).
constexpr int kWidth = 380;
constexpr int kHeight = 170;

int Scaled(int pixels) {
  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  return MulDiv(pixels, dpi, 96);
}

struct ControlRow {
  const char *windowClass;
  const char *text;
  DWORD style;
  int id;
  int left, top, width, height;
};

constexpr ControlRow kControls[] = {
    {"STATIC", "Hostwert A:", SS_LEFT, -1, 12, 16, 90, 20},
    {"EDIT", "0", WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL, kIdHostValueA, 110, 12, 120, 22},
    {"STATIC", "Hostwert B:", SS_LEFT, -1, 12, 46, 90, 20},
    {"EDIT", "0", WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL, kIdHostValueB, 110, 42, 120, 22},
    {"BUTTON", "Diagnose starten…", WS_TABSTOP | BS_DEFPUSHBUTTON, kIdStart, 110, 80, 160, 28},
};

bool ReadHostValue(HWND window, int id, const char *name, LPARAM &value) {
  char text[32] = "";
  GetDlgItemTextA(window, id, text, sizeof text);
  char *end = nullptr;
  const long long number = std::strtoll(text, &end, 0);
  if (end == text || *end != '\0') {
    MessageBoxA(window, FormatText("%s ist keine ganze Zahl: \"%s\".", name, text).c_str(), kMainTitle,
                MB_OK | MB_ICONEXCLAMATION);
    return false;
  }
  value = static_cast<LPARAM>(number);
  return true;
}

void StartDiagnosis(HWND window) {
  if (g_host.running) return;
  LPARAM valueA = 0;
  LPARAM valueB = 0;
  if (!ReadHostValue(window, kIdHostValueA, "Hostwert A", valueA)) return;
  if (!ReadHostValue(window, kIdHostValueB, "Hostwert B", valueB)) return;
  g_host.running = true;
  ++g_host.runsStarted;
  EnableWindow(GetDlgItem(window, kIdStart), FALSE);
  DialogDiagnose(window, valueA, valueB);
  EnableWindow(GetDlgItem(window, kIdStart), TRUE);
  g_host.running = false;
}

void CreateControls(HWND window) {
  const auto font = reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT));
  for (const ControlRow &row : kControls) {
    HWND control = CreateWindowExA(0, row.windowClass, row.text, WS_CHILD | WS_VISIBLE | row.style, Scaled(row.left),
                                   Scaled(row.top), Scaled(row.width), Scaled(row.height), window,
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(row.id)), GetModuleHandleA(nullptr),
                                   nullptr);
    SendMessageA(control, WM_SETFONT, font, FALSE);
  }
}

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE: CreateControls(window); return 0;
    case WM_COMMAND:
      if (LOWORD(wParam) == kIdStart || LOWORD(wParam) == IDOK) StartDiagnosis(window);
      return 0;
    case kMsgContinueScript: ContinueScript(); return 0;
    case WM_CLOSE:
      if (!g_host.running) DestroyWindow(window);
      return 0;
    case WM_DESTROY:
      g_host.main = nullptr;
      PostQuitMessage(g_host.exitCode);
      return 0;
    default: return DefWindowProcA(window, message, wParam, lParam);
  }
}

}  // namespace

HostState &Host() { return g_host; }

bool CreateMainWindow(int show) {
  WNDCLASSEXA windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = MainWindowProc;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512) /* IDC_ARROW */);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = kMainWindowClass;
  if (!RegisterClassExA(&windowClass)) return false;
  g_host.main = CreateWindowExA(WS_EX_CONTROLPARENT, kMainWindowClass, kMainTitle,
                                WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, CW_USEDEFAULT,
                                CW_USEDEFAULT, Scaled(kWidth), Scaled(kHeight), nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  if (!g_host.main) return false;
  ShowWindow(g_host.main, show);
  UpdateWindow(g_host.main);
  return true;
}

int RunMessageLoop() {
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    if (g_host.main && IsDialogMessageA(g_host.main, &message)) continue;
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return message.message == WM_QUIT ? static_cast<int>(message.wParam) : g_host.exitCode;
}

}  // namespace kvt::host
