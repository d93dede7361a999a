// The setup dialog of SetupSensor: device kind, address, variant, faults to
// simulate, the device's passwords and the telegram log; OK puts them in
// force like SimConfigure.
#include <cstdlib>

#include "driver.h"
#include "setup_ids.h"

namespace kvtdrv {

namespace {

constexpr const char *kMessageCaption = "Sensortreiber";

struct DeviceChoice {
  const char *text;
  BYTE device;
};

constexpr DeviceChoice kDeviceChoices[] = {
    {"KVT", kvt::kDeviceKvt},
    {"PXD", kvt::kDevicePxd},
    {"KVTQ1", kvt::kDeviceKvtQ1},
    {"KVT 90°/0.5°", kvt::kDeviceKvt90},
};

// The passwords, in the order of the dialog; a bad one is named.
struct PasswordField {
  int control;
  std::string Passwords::*password;
  const char *complaint;
};

constexpr PasswordField kPasswordFields[] = {
    {IDC_SETUP_PW_SETUP, &Passwords::setup,
     "Das Einrichtpasswort muss 1 bis 16 Zeichen lang sein, ohne Semikolon und ohne Leerzeichen am Anfang oder Ende."},
    {IDC_SETUP_PW_SUPER, &Passwords::superuser,
     "Das Superuserpasswort muss 1 bis 16 Zeichen lang sein, ohne Semikolon und ohne Leerzeichen am Anfang oder "
     "Ende."},
    {IDC_SETUP_PW_SERVICE, &Passwords::maintenance,
     "Das Instandhaltungspasswort muss 1 bis 16 Zeichen lang sein, ohne Semikolon und ohne Leerzeichen am Anfang "
     "oder Ende."},
};

std::string ItemText(HWND dialog, int control) {
  char text[MAX_PATH + 1] = {};
  GetDlgItemTextA(dialog, control, text, sizeof text);
  return text;
}

// Centred over the owner's window, kept on the owner's monitor.
void CentreOverOwner(HWND dialog, HWND owner) {
  RECT box;
  GetWindowRect(dialog, &box);
  const int w = box.right - box.left;
  const int h = box.bottom - box.top;
  RECT area;
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  const HMONITOR where = MonitorFromWindow(owner ? owner : dialog, MONITOR_DEFAULTTONEAREST);
  if (GetMonitorInfoA(where, &monitor)) {
    area = monitor.rcWork;
  } else {
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
  }
  RECT around = area;
  if (owner && IsWindow(owner) && !IsIconic(owner)) GetWindowRect(owner, &around);
  int x = around.left + (around.right - around.left - w) / 2;
  int y = around.top + (around.bottom - around.top - h) / 2;
  if (x + w > area.right) x = area.right - w;
  if (y + h > area.bottom) y = area.bottom - h;
  if (x < area.left) x = area.left;
  if (y < area.top) y = area.top;
  SetWindowPos(dialog, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void OnInitDialog(HWND dialog) {
  const SimConfig &config = Config();
  const HWND devices = GetDlgItem(dialog, IDC_SETUP_DEVICE);
  for (const DeviceChoice &choice : kDeviceChoices) {
    const LRESULT index = SendMessageA(devices, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(choice.text));
    SendMessageA(devices, CB_SETITEMDATA, index, choice.device);
    if (choice.device == config.device) SendMessageA(devices, CB_SETCURSEL, index, 0);
  }
  SetDlgItemInt(dialog, IDC_SETUP_ADDRESS, config.address, FALSE);
  SetDlgItemInt(dialog, IDC_SETUP_VARIANT, config.variant, FALSE);
  SendDlgItemMessageA(dialog, IDC_SETUP_ADDRESS, EM_LIMITTEXT, 3, 0);
  SendDlgItemMessageA(dialog, IDC_SETUP_VARIANT, EM_LIMITTEXT, 1, 0);
  SetDlgItemTextA(dialog, IDC_SETUP_FAULTS, FormatFaults(config.faults).c_str());
  // Shown in clear: they are the simulated device's, documented and meant
  // to be read off here before they are typed into the menu window.
  for (const PasswordField &field : kPasswordFields) {
    SendDlgItemMessageA(dialog, field.control, EM_LIMITTEXT, kMaxPasswordLength, 0);
    SetDlgItemTextA(dialog, field.control, (config.passwords.*field.password).c_str());
  }
  SendDlgItemMessageA(dialog, IDC_SETUP_LOG, EM_LIMITTEXT, MAX_PATH, 0);
  SetDlgItemTextA(dialog, IDC_SETUP_LOG, config.logPath.c_str());
  CheckDlgButton(dialog, IDC_SETUP_ASK, config.askSetup ? BST_CHECKED : BST_UNCHECKED);
  SetDlgItemTextA(dialog, IDC_SETUP_FLASH, FlashSummary().c_str());
  CentreOverOwner(dialog, GetWindow(dialog, GW_OWNER));
}

// Shows what is wrong and puts the caret into the field.
bool Complain(HWND dialog, int control, const char *text) {
  MessageBoxA(dialog, text, kMessageCaption, MB_OK | MB_ICONEXCLAMATION);
  const HWND field = GetDlgItem(dialog, control);
  SetFocus(field);
  SendMessageA(field, EM_SETSEL, 0, -1);
  return false;
}

bool ReadNumber(HWND dialog, int control, BYTE limit, BYTE &value) {
  BOOL good = FALSE;
  const UINT number = GetDlgItemInt(dialog, control, &good, FALSE);
  if (!good || number > limit) return false;
  value = static_cast<BYTE>(number);
  return true;
}

bool ReadDialog(HWND dialog, SimConfig &config) {
  config = Config();
  const LRESULT index = SendDlgItemMessageA(dialog, IDC_SETUP_DEVICE, CB_GETCURSEL, 0, 0);
  if (index != CB_ERR) {
    config.device = static_cast<BYTE>(SendDlgItemMessageA(dialog, IDC_SETUP_DEVICE, CB_GETITEMDATA, index, 0));
  }
  if (!ReadNumber(dialog, IDC_SETUP_ADDRESS, kMaxAddress, config.address)) {
    return Complain(dialog, IDC_SETUP_ADDRESS, "Die Adresse muss zwischen 0 und 127 liegen.");
  }
  if (!ReadNumber(dialog, IDC_SETUP_VARIANT, kMaxVariant, config.variant)) {
    return Complain(dialog, IDC_SETUP_VARIANT, "Die Variante muss zwischen 0 und 9 liegen.");
  }
  ConfigError error;
  if (!ParseFaults(ItemText(dialog, IDC_SETUP_FAULTS), config.faults, &error)) {
    const std::string text = "Die Fehlerliste ist nicht lesbar. " + ConfigMessage("", error) +
                             ".\n\nJeder Eintrag lautet Art, Art@N, Art@N+ oder Art@N-M (Arten: " + FaultKindNames() +
                             ").";
    return Complain(dialog, IDC_SETUP_FAULTS, text.c_str());
  }
  for (const PasswordField &field : kPasswordFields) {
    const std::string password = ItemText(dialog, field.control);
    if (!PasswordUsable(password)) return Complain(dialog, field.control, field.complaint);
    config.passwords.*field.password = password;
  }
  config.logPath = ItemText(dialog, IDC_SETUP_LOG);
  const std::size_t first = config.logPath.find_first_not_of(' ');
  config.logPath.erase(0, first == std::string::npos ? config.logPath.size() : first);
  while (!config.logPath.empty() && config.logPath.back() == ' ') config.logPath.pop_back();
  if (config.logPath.find(';') != std::string::npos) {
    return Complain(dialog, IDC_SETUP_LOG, "Der Dateiname des Protokolls darf kein Semikolon enthalten.");
  }
  config.askSetup = IsDlgButtonChecked(dialog, IDC_SETUP_ASK) == BST_CHECKED;
  return true;
}

void OnOk(HWND dialog) {
  SimConfig config;
  if (!ReadDialog(dialog, config)) return;
  ApplyConfig(config);
  TraceSession("Einstellungen geändert");
  EndDialog(dialog, TRUE);
}

INT_PTR CALLBACK SetupDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      OnInitDialog(dialog);
      return TRUE;
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case IDOK: OnOk(dialog); return TRUE;
        case IDCANCEL: EndDialog(dialog, FALSE); return TRUE;
        default: return FALSE;
      }
    default: return FALSE;
  }
}

}  // namespace

BOOL RunSetupDialog(HWND owner) {
  const INT_PTR result =
      DialogBoxParamA(Instance(), MAKEINTRESOURCEA(IDD_KVTIDRV_SETUP), owner, SetupDlgProc, 0);
  if (result == -1) {
    SetError("Der Einstelldialog konnte nicht angezeigt werden.");
    return FALSE;
  }
  return result == TRUE ? TRUE : FALSE;
}

}  // namespace kvtdrv
