// The device and address dialog (template 105).
#include "entry/entry.h"

using namespace kvt;

namespace {

constexpr int kAddressChars = 3;
constexpr int kTypeChars = 5;

BYTE *g_block = nullptr;
DialogFrame g_frame;

// The type text is compared over as many characters as the input takes:
// "KVT 90°/0.5°" is chosen by "KVT 9". Any other text means a KVT.
BYTE TypeFromText(const char *text) {
  for (const DeviceKind &kind : DeviceKinds()) {
    char head[kTypeChars + 1];
    lstrcpynA(head, kind.text, sizeof head);
    if (lstrcmpiA(text, head) == 0) return kind.type;
  }
  return kDeviceKvt;
}

BOOL OnInitDialog(HWND dialog, LPARAM lParam) {
  g_block = reinterpret_cast<BYTE *>(lParam);
  SetDlgItemTextA(dialog, IDC_DEVICE_ADDRESS, "0");
  SendDlgItemMessageA(dialog, IDC_DEVICE_ADDRESS, EM_LIMITTEXT, kAddressChars, 0);
  SetDlgItemTextA(dialog, IDC_DEVICE_TYPE, KindOf(g_block[2]).text);
  FrameInit(dialog, g_frame);
  return TRUE;
}

void OnOk(HWND dialog) {
  char address[kAddressChars + 1];
  GetDlgItemTextA(dialog, IDC_DEVICE_ADDRESS, address, sizeof address);
  char type[kTypeChars + 1];
  GetDlgItemTextA(dialog, IDC_DEVICE_TYPE, type, sizeof type);
  // The check is made on the stored byte: 300 becomes 44 without a word.
  g_block[0] = static_cast<BYTE>(TextToNumber(address));
  if (g_block[0] > 127) {
    MessageBoxFromTable(dialog, kMessageFlags, ids::kAddressFrom0To127);
    g_block[0] = 0;
  }
  g_block[1] = TypeFromText(type);
  EndDialog(dialog, 1);
}

BOOL OnCommand(HWND dialog, WPARAM wParam, LPARAM lParam) {
  const WORD id = LOWORD(wParam);
  const WORD notification = HIWORD(wParam);
  switch (id) {
    case IDOK: OnOk(dialog); return TRUE;
    case IDCANCEL: EndDialog(dialog, 0); return TRUE;
    case IDC_DEVICE_ADDRESS:
      if (notification == EN_CHANGE && GetWindowTextLengthA(reinterpret_cast<HWND>(lParam)) > 0) {
        SendDlgItemMessageA(dialog, IDC_DEVICE_TYPE, EM_LIMITTEXT, kTypeChars, 0);
      }
      return TRUE;
    case IDC_DEVICE_TYPE:
      if (notification == EN_CHANGE) EnableWindow(GetDlgItem(dialog, IDOK), TRUE);
      return TRUE;
    default: return FALSE;
  }
}

INT_PTR CALLBACK DeviceAdrDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG: return OnInitDialog(dialog, lParam);
    case WM_DESTROY: FrameDestroy(g_frame); return TRUE;
    case kCtlColorMessage: return FrameControlColour(g_frame, wParam, lParam);
    case WM_COMMAND: return OnCommand(dialog, wParam, lParam);
    default: return FALSE;
  }
}

}  // namespace

extern "C" INT_PTR WINAPI DialogDeviceAdr(HWND owner, BYTE *block) {
  return DialogBoxParamA(Instance(), MAKEINTRESOURCEA(IDD_DEVICE_ADR), owner, DeviceAdrDlgProc,
                         reinterpret_cast<LPARAM>(block));
}
