// ZenkDialog: reads the menu through the descriptor, opens the menu window
// modal to the owner and runs its message loop until the window is closed.
#include <algorithm>

#include "dialoghost.h"

namespace kvt::dlg {

namespace {

HINSTANCE g_instance = nullptr;

constexpr char kDefaultTitle[] = "Diagnose";
constexpr int kInitialWidth = 1040;
constexpr int kInitialHeight = 700;

template <typename Fn>
Fn Callback(const ULONG_PTR *descriptor, DescriptorSlot slot) {
  return reinterpret_cast<Fn>(descriptor[slot]);
}

// Checks the descriptor and reads the menu; false after the message was shown.
bool PrepareMenu(HWND owner, const ULONG_PTR *descriptor, MenuWindow &menu) {
  const char *title = descriptor ? reinterpret_cast<const char *>(descriptor[kDescTitle]) : nullptr;
  menu.title = title && *title ? title : kDefaultTitle;
  if (!descriptor) {
    ShowMessage(owner, menu.title, "Das Diagnosemenü kann nicht geöffnet werden: Die Menübeschreibung fehlt.");
    return false;
  }
  menu.owner = owner;
  menu.command = Callback<DiagCommandFn>(descriptor, kDescCommandProc);
  menu.showResult = Callback<DiagShowResultFn>(descriptor, kDescShowResultProc);
  menu.setup = Callback<DiagSetupFn>(descriptor, kDescSetupProc);
  menu.modeCheck = Callback<DiagModeCheckFn>(descriptor, kDescModeCheckProc);
  if (!menu.command) {
    ShowMessage(owner, menu.title, "Das Diagnosemenü kann nicht geöffnet werden: Es fehlt die Befehlsfunktion.");
    return false;
  }
  const auto module = reinterpret_cast<HINSTANCE>(descriptor[kDescInstance]);
  const auto name = reinterpret_cast<const char *>(descriptor[kDescName]);
  if (!name) {
    ShowMessage(owner, menu.title, "Das Diagnosemenü kann nicht geöffnet werden: Die Menüressource ist nicht benannt.");
    return false;
  }
  std::string error;
  if (!LoadMenu(module, name, menu.lines, error)) {
    ShowMessage(owner, menu.title, error);
    return false;
  }
  return true;
}

RECT InitialPlacement(HWND owner) {
  RECT over{};
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &over, 0);
  if (owner && IsWindowVisible(owner)) GetWindowRect(owner, &over);
  return CentredOn(over, kInitialWidth, kInitialHeight);
}

// The window's own loop; IsDialogMessage gives Tab, Enter and Esc.
void RunModalLoop(MenuWindow &menu) {
  MSG message;
  while (!menu.done) {
    const BOOL got = GetMessageA(&message, nullptr, 0, 0);
    if (got == 0) {
      PostQuitMessage(static_cast<int>(message.wParam));  // let the caller's loop end too
      break;
    }
    if (got == -1) break;
    if (IsWindow(menu.window) && IsDialogMessageA(menu.window, &message)) continue;
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

}  // namespace

HINSTANCE ModuleInstance() { return g_instance; }

void ReleaseOwner(MenuWindow &menu) {
  if (!menu.ownerDisabled) return;
  menu.ownerDisabled = false;
  EnableWindow(menu.owner, TRUE);
  SetActiveWindow(menu.owner);
}

}  // namespace kvt::dlg

using namespace kvt::dlg;

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) g_instance = instance;
  return TRUE;
}

extern "C" int WINAPI ZenkDialog(HWND owner, ULONG_PTR *descriptor) {
  MenuWindow menu;
  if (!PrepareMenu(owner, descriptor, menu)) return 0;
  if (!RegisterMenuWindowClass()) {
    ShowMessage(owner, menu.title, "Das Diagnosemenü kann nicht geöffnet werden: Die Fensterklasse fehlt.");
    return 0;
  }
  const RECT place = InitialPlacement(owner);
  HWND window = CreateWindowExA(WS_EX_CONTROLPARENT | WS_EX_APPWINDOW, kMenuWindowClass, menu.title.c_str(),
                                WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, place.left, place.top,
                                place.right - place.left, place.bottom - place.top, owner, nullptr,
                                ModuleInstance(), &menu);
  if (!window) {
    ShowMessage(owner, menu.title, "Das Diagnosemenü kann nicht geöffnet werden: Das Fenster fehlt.");
    return 0;
  }
  menu.ownerDisabled = owner && IsWindowEnabled(owner);
  if (menu.ownerDisabled) EnableWindow(owner, FALSE);
  ShowWindow(window, SW_SHOW);
  UpdateWindow(window);
  SetForegroundWindow(window);
  SetFocus(GetDlgItem(window, kIdMenuList));
  RunModalLoop(menu);
  if (IsWindow(window)) DestroyWindow(window);
  ReleaseOwner(menu);
  return 1;
}
