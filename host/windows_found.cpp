// The windows of this thread that a script looks at: the menu window, the
// library's dialogs and message boxes. All texts are read as CP1252.
#include <array>

#include "../dialoghost/menu_window.h"
#include "host.h"

namespace kvt::host {

namespace {

constexpr char kDialogClass[] = "#32770";
// A message box: its text in a static with id 0xFFFF beside the icon control
// (0x440 in Wine, 0x14 in Windows). Dialog labels have the id 0xFFFF too,
// so the icon is what tells the two apart.
constexpr int kMessageBoxTextId = 0xFFFF;
constexpr std::array<int, 2> kMessageBoxIconIds{0x440, 0x14};
// The name field of the file dialogs, in the explorer and the plain style.
constexpr std::array<int, 2> kFileNameIds{0x47C, 0x480};
constexpr int kDeviceTypeInput = 1019;
constexpr int kDeviceAddressInput = 1020;

bool HasClass(HWND window, const char *name) {
  char found[64] = "";
  GetClassNameA(window, found, sizeof found);
  return lstrcmpiA(found, name) == 0;
}

bool IsMessageBoxWindow(HWND window) {
  if (!HasClass(window, kDialogClass) || !GetDlgItem(window, kMessageBoxTextId)) return false;
  for (int id : kMessageBoxIconIds) {
    HWND icon = GetDlgItem(window, id);
    if (icon && HasClass(icon, "Static")) return true;
  }
  return false;
}

struct Search {
  bool (*accept)(HWND);
  HWND found = nullptr;
};

BOOL CALLBACK Visit(HWND window, LPARAM context) {
  auto *search = reinterpret_cast<Search *>(context);
  if (!IsWindowVisible(window) || !search->accept(window)) return TRUE;
  search->found = window;
  return FALSE;
}

HWND FindThreadWindow(bool (*accept)(HWND)) {
  Search search{accept};
  EnumThreadWindows(GetCurrentThreadId(), Visit, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

}  // namespace

HWND FindMenuWindow() {
  return FindThreadWindow([](HWND window) { return HasClass(window, dlg::kMenuWindowClass); });
}

HWND FindMessageBox() {
  return FindThreadWindow([](HWND window) { return IsWindowEnabled(window) && IsMessageBoxWindow(window); });
}

HWND FindDialog() {
  return FindThreadWindow([](HWND window) {
    return IsWindowEnabled(window) && HasClass(window, kDialogClass) && !IsMessageBoxWindow(window);
  });
}

bool IsDeviceDialog(HWND dialog) {
  return dialog && GetDlgItem(dialog, kDeviceTypeInput) && GetDlgItem(dialog, kDeviceAddressInput);
}

HWND FileNameField(HWND dialog) {
  for (int id : kFileNameIds) {
    if (HWND field = dialog ? GetDlgItem(dialog, id) : nullptr) return field;
  }
  return nullptr;
}

std::string ControlText(HWND dialog, int id) {
  HWND control = GetDlgItem(dialog, id);
  const int length = control ? GetWindowTextLengthA(control) : 0;
  if (length <= 0) return {};
  std::string text(static_cast<std::size_t>(length) + 1, '\0');
  const int got = GetWindowTextA(control, text.data(), length + 1);
  text.resize(static_cast<std::size_t>(got > 0 ? got : 0));
  return text;
}

std::string MessageBoxText(HWND box) { return ControlText(box, kMessageBoxTextId); }

int ListCount(HWND list) { return static_cast<int>(SendMessageA(list, LB_GETCOUNT, 0, 0)); }

ULONG_PTR ListData(HWND list, int index) {
  return static_cast<ULONG_PTR>(SendMessageA(list, LB_GETITEMDATA, index, 0));
}

void ClickButton(HWND dialog, int id) {
  PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

}  // namespace kvt::host
