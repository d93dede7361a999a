// The menu window's procedure: a switch on the message, then on the
// control, each event handed to a small function.
#include "dialoghost.h"

namespace kvt::dlg {

namespace {

MenuWindow *StateOf(HWND window) { return reinterpret_cast<MenuWindow *>(GetWindowLongPtrA(window, GWLP_USERDATA)); }

void Attach(HWND window, const CREATESTRUCTA &create) {
  auto *menu = static_cast<MenuWindow *>(create.lpCreateParams);
  SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(menu));
  menu->window = window;
}

void OnCreate(MenuWindow &menu) {
  menu.fonts = CreateFonts();
  CreateControls(menu);  // in their places: no layout until the size changes
  FillMenuList(menu);
  ShowStatus(menu);
}

// The device is left in a measured-value mode, whatever the check answers.
void CheckModeOnce(MenuWindow &menu) {
  if (menu.modeChecked) return;
  menu.modeChecked = true;
  if (menu.modeCheck) menu.modeCheck(0);
}

void OnClose(MenuWindow &menu) {
  if (menu.busy) return;  // a command's own dialogs are still open
  CheckModeOnce(menu);
  ReleaseOwner(menu);
  DestroyWindow(menu.window);
}

void OnDestroy(MenuWindow &menu) {
  CheckModeOnce(menu);
  DeleteFonts(menu.fonts);
  menu.done = true;
}

void RunSetup(MenuWindow &menu) {
  if (!menu.setup || menu.busy) return;
  menu.busy = true;
  menu.setup(menu.window);
  menu.busy = false;
  ShowStatus(menu);  // the driver may now simulate another device
}

// The user's way out asks first; a WM_CLOSE from a program closes at once.
void CloseAsked(MenuWindow &menu) {
  if (MayDiscardResults(menu, "Fenster trotzdem schließen?")) PostMessageA(menu.window, WM_CLOSE, 0, 0);
}

void ClearAsked(MenuWindow &menu) {
  if (MayDiscardResults(menu, "Liste trotzdem löschen?")) ClearResults(menu);
}

constexpr WPARAM kCtrlC = 3;  // the character Ctrl+C types

LRESULT OnCharToItem(const MenuWindow &menu, WPARAM wParam, LPARAM lParam) {
  if (reinterpret_cast<HWND>(lParam) != GetDlgItem(menu.window, kIdResultList) || LOWORD(wParam) != kCtrlC) {
    return -1;  // the list's own handling
  }
  CopyResults(menu);
  return -2;
}

int SelectedLine(const MenuWindow &menu) {
  return static_cast<int>(SendDlgItemMessageA(menu.window, kIdMenuList, LB_GETCURSEL, 0, 0));
}

void OnMenuListNotify(MenuWindow &menu, WORD notification) {
  switch (notification) {
    case LBN_DBLCLK: RunEntry(menu, SelectedLine(menu)); break;
    case LBN_SELCHANGE: SkipHeadingSelection(menu); break;
    default: break;
  }
}

void OnCommand(MenuWindow &menu, WORD id, WORD notification) {
  switch (id) {
    case IDOK:
    case kIdRun: RunEntry(menu, SelectedLine(menu)); break;
    case kIdMenuList: OnMenuListNotify(menu, notification); break;
    case kIdAddInfo: AddInfoLine(menu); break;
    case kIdSetup: RunSetup(menu); break;
    case kIdSave: SaveWithDialog(menu, SavedFile::kList); break;
    case kIdReport: SaveWithDialog(menu, SavedFile::kReport); break;
    case kIdCopy: CopyResults(menu); break;
    case kIdTraceToggle: ToggleTrace(menu); break;
    case kIdClear: ClearAsked(menu); break;
    case IDCANCEL:
    case kIdClose: CloseAsked(menu); break;
    default: break;
  }
}

// The result list's context menu offers what its buttons do for it.
void OnContextMenu(MenuWindow &menu, HWND target, LPARAM where) {
  if (target != GetDlgItem(menu.window, kIdResultList) || menu.busy) return;
  POINT at{static_cast<short>(LOWORD(where)), static_cast<short>(HIWORD(where))};
  if (where == -1) {  // from the keyboard: at the list's corner
    RECT list{};
    GetWindowRect(target, &list);
    at = {list.left, list.top};
  }
  HMENU popup = CreatePopupMenu();
  AppendMenuA(popup, MF_STRING, kIdCopy, "Kopieren\tStrg+C");
  AppendMenuA(popup, MF_STRING, kIdClear, "Liste löschen");
  const int chosen = TrackPopupMenu(popup, TPM_RETURNCMD | TPM_RIGHTBUTTON, at.x, at.y, 0, menu.window, nullptr);
  DestroyMenu(popup);
  if (chosen) OnCommand(menu, static_cast<WORD>(chosen), BN_CLICKED);
}

}  // namespace

bool RegisterMenuWindowClass() {
  WNDCLASSEXA existing{};
  existing.cbSize = sizeof existing;
  if (GetClassInfoExA(ModuleInstance(), kMenuWindowClass, &existing)) return true;
  WNDCLASSEXA windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.style = CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS;
  windowClass.lpfnWndProc = MenuWindowProc;
  windowClass.hInstance = ModuleInstance();
  windowClass.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512) /* IDC_ARROW */);
  windowClass.hIcon = LoadIconA(nullptr, MAKEINTRESOURCEA(32516) /* IDI_INFORMATION */);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = kMenuWindowClass;
  return RegisterClassExA(&windowClass) != 0;
}

LRESULT CALLBACK MenuWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    Attach(window, *reinterpret_cast<const CREATESTRUCTA *>(lParam));
    return DefWindowProcA(window, message, wParam, lParam);
  }
  MenuWindow *menu = StateOf(window);
  if (!menu) return DefWindowProcA(window, message, wParam, lParam);
  switch (message) {
    case WM_CREATE: OnCreate(*menu); return 0;
    case WM_SIZE: LayOut(*menu); return 0;
    case WM_GETMINMAXINFO: MinimumTrackSize(*reinterpret_cast<MINMAXINFO *>(lParam)); return 0;
    case WM_MEASUREITEM: MeasureItem(*menu, *reinterpret_cast<MEASUREITEMSTRUCT *>(lParam)); return TRUE;
    case WM_DRAWITEM: DrawItem(*menu, *reinterpret_cast<const DRAWITEMSTRUCT *>(lParam)); return TRUE;
    case WM_COMMAND: OnCommand(*menu, LOWORD(wParam), HIWORD(wParam)); return 0;
    case DM_GETDEFID: return MAKELRESULT(kIdRun, DC_HASDEFID);
    case WM_CHARTOITEM: return OnCharToItem(*menu, wParam, lParam);
    case WM_CONTEXTMENU: OnContextMenu(*menu, reinterpret_cast<HWND>(wParam), lParam); return 0;
    case WM_VKEYTOITEM: return -1;
    case WM_SYSCOMMAND:
      if ((wParam & 0xFFF0) != SC_CLOSE) return DefWindowProcA(window, message, wParam, lParam);
      CloseAsked(*menu);
      return 0;
    case WM_CLOSE: OnClose(*menu); return 0;
    case WM_DESTROY: OnDestroy(*menu); return 0;
    case WM_NCDESTROY:
      SetWindowLongPtrA(window, GWLP_USERDATA, 0);
      return DefWindowProcA(window, message, wParam, lParam);
    case kMsgRunCount: return menu->runs;
    case kMsgIsBusy: return menu->busy;
    case kMsgSaveTo: return SaveTo(*menu, SavedFile::kList, reinterpret_cast<const char *>(lParam));
    case kMsgSaveReportTo: return SaveTo(*menu, SavedFile::kReport, reinterpret_cast<const char *>(lParam));
    case kMsgClearResults: ClearResults(*menu); return TRUE;
    default: return DefWindowProcA(window, message, wParam, lParam);
  }
}

}  // namespace kvt::dlg
