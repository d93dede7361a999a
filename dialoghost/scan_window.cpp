// The scan picture window: modeless, owned by the menu window, created
// hidden with the first result it can use, shown and redrawn for every
// measured-value result, hidden when closed. It keeps the fields defined or
// read back in the session, so it goes with the menu window.
#include "scan_window.h"

#include <algorithm>

#include "dialoghost.h"
#include "scan_picture.h"

namespace kvt::dlg {

namespace {

constexpr char kWindowProperty[] = "KvtDiagScanPicture";
constexpr char kSaveTitle[] = "Scanbild als PNG speichern";
constexpr char kSaveFilter[] = "PNG-Bilder (*.png)\0*.png\0Alle Dateien (*.*)\0*.*\0";
constexpr char kDefaultFileName[] = "Scanbild.png";
constexpr char kButtonText[] = "Als PNG speichern…";
constexpr int kWidth = 680;
constexpr int kHeight = 560;
constexpr int kMinimumWidth = 320;
constexpr int kMinimumHeight = 260;
constexpr int kMargin = 7;
constexpr int kButtonWidth = 150;

struct ScanPicture {
  HWND window = nullptr;
  Scan scan;
  bool hasScan = false;
  std::vector<FieldOutline> fields;  // the newest definition of each field set and letter
  std::vector<KnownGeometry> fullScans;
};

// A drawing of the picture in a device-independent bitmap, 24 bits, top row first.
struct Rendering {
  HBITMAP bitmap = nullptr;
  const BYTE *bits = nullptr;
  int width = 0, height = 0;
  ~Rendering() {
    if (bitmap) DeleteObject(bitmap);
  }
  std::size_t Stride() const { return (3 * static_cast<std::size_t>(width) + 3) & ~std::size_t{3}; }
};

ScanPicture *StateOf(HWND window) { return reinterpret_cast<ScanPicture *>(GetWindowLongPtrA(window, GWLP_USERDATA)); }

SIZE PictureSize(HWND window) {
  RECT client{};
  GetClientRect(window, &client);
  return {std::max<LONG>(client.right, 1), std::max<LONG>(client.bottom - kScanButtonStrip, 1)};
}

bool Render(const ScanPicture &picture, Rendering &out) {
  const SIZE size = PictureSize(picture.window);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = size.cx;
  info.bmiHeader.biHeight = -size.cy;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  info.bmiHeader.biCompression = BI_RGB;
  void *bits = nullptr;
  out.bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!out.bitmap) return false;
  out.bits = static_cast<const BYTE *>(bits);
  out.width = size.cx;
  out.height = size.cy;
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, out.bitmap);
  DrawScanPicture(dc, out.width, out.height, picture.scan, picture.fields);
  GdiFlush();
  SelectObject(dc, old);
  DeleteDC(dc);
  return true;
}

std::vector<BYTE> RgbRows(const Rendering &r) {
  std::vector<BYTE> rgb;
  rgb.reserve(3 * static_cast<std::size_t>(r.width) * static_cast<std::size_t>(r.height));
  for (int y = 0; y < r.height; ++y) {
    const BYTE *row = r.bits + static_cast<std::size_t>(y) * r.Stride();
    for (int x = 0; x < r.width; ++x) rgb.insert(rgb.end(), {row[3 * x + 2], row[3 * x + 1], row[3 * x]});
  }
  return rgb;
}

bool WriteBytes(const char *path, std::span<const BYTE> bytes) {
  HANDLE file = CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const BOOL wrote = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  const BOOL closed = CloseHandle(file);
  return wrote && closed && written == bytes.size();
}

bool SavePng(const ScanPicture &picture, const char *path) {
  Rendering rendering;
  if (path && *path && Render(picture, rendering)) {
    const std::vector<BYTE> png = EncodePng(rendering.width, rendering.height, RgbRows(rendering));
    if (!png.empty() && WriteBytes(path, png)) return true;
  }
  ShowMessage(picture.window, kScanWindowTitle,
              FormatText("Das Scanbild konnte nicht in die Datei \"%s\" geschrieben werden.", path ? path : ""));
  return false;
}

void SaveWithDialog(const ScanPicture &picture) {
  char path[MAX_PATH] = "";
  lstrcpynA(path, kDefaultFileName, sizeof path);
  OPENFILENAMEA dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = picture.window;
  dialog.lpstrFilter = kSaveFilter;
  dialog.lpstrFile = path;
  dialog.nMaxFile = sizeof path;
  dialog.lpstrTitle = kSaveTitle;
  dialog.lpstrDefExt = "png";
  dialog.Flags = OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
  if (GetSaveFileNameA(&dialog)) SavePng(picture, path);
}

void OnPaint(const ScanPicture &picture) {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(picture.window, &paint);
  Rendering rendering;
  if (Render(picture, rendering)) {
    HDC source = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(source, rendering.bitmap);
    BitBlt(dc, 0, 0, rendering.width, rendering.height, source, 0, 0, SRCCOPY);
    SelectObject(source, old);
    DeleteDC(source);
  }
  EndPaint(picture.window, &paint);
}

void OnSize(const ScanPicture &picture) {
  RECT client{};
  GetClientRect(picture.window, &client);
  MoveWindow(GetDlgItem(picture.window, kIdSavePng), client.right - kMargin - kButtonWidth,
             client.bottom - kScanButtonStrip + kMargin, kButtonWidth, kScanButtonStrip - 2 * kMargin, TRUE);
  InvalidateRect(picture.window, nullptr, FALSE);
}

void OnCreate(HWND window) {
  HWND button = CreateWindowExA(0, "BUTTON", kButtonText, WS_CHILD | WS_VISIBLE | WS_TABSTOP, 0, 0, 0, 0, window,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(kIdSavePng)), ModuleInstance(), nullptr);
  SendMessageA(button, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
}

void OnNcDestroy(HWND window, ScanPicture *picture) {
  SetWindowLongPtrA(window, GWLP_USERDATA, 0);
  if (HWND owner = GetWindow(window, GW_OWNER)) RemovePropA(owner, kWindowProperty);
  delete picture;
}

void Attach(HWND window, const CREATESTRUCTA &create) {
  auto *picture = static_cast<ScanPicture *>(create.lpCreateParams);
  picture->window = window;
  SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(picture));
}

LRESULT CALLBACK ScanWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) Attach(window, *reinterpret_cast<const CREATESTRUCTA *>(lParam));
  ScanPicture *picture = StateOf(window);
  if (!picture) return DefWindowProcA(window, message, wParam, lParam);
  switch (message) {
    case WM_CREATE:
      OnCreate(window);
      return 0;
    case WM_SIZE:
      OnSize(*picture);
      return 0;
    case WM_PAINT:
      OnPaint(*picture);
      return 0;
    case WM_GETMINMAXINFO: {
      auto &info = *reinterpret_cast<MINMAXINFO *>(lParam);
      info.ptMinTrackSize = {kMinimumWidth, kMinimumHeight};
      return 0;
    }
    case WM_COMMAND:
      if (LOWORD(wParam) == kIdSavePng) SaveWithDialog(*picture);
      return 0;
    case WM_CLOSE:
      ShowWindow(window, SW_HIDE);
      return 0;  // kept, with its fields, for the next result
    case kMsgSavePngTo:
      return SavePng(*picture, reinterpret_cast<const char *>(lParam));
    case WM_NCDESTROY:
      OnNcDestroy(window, picture);
      return DefWindowProcA(window, message, wParam, lParam);
    default:
      return DefWindowProcA(window, message, wParam, lParam);
  }
}

bool RegisterScanWindowClass() {
  WNDCLASSEXA existing{};
  existing.cbSize = sizeof existing;
  if (GetClassInfoExA(ModuleInstance(), kScanWindowClass, &existing)) return true;
  WNDCLASSEXA windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = ScanWindowProc;
  windowClass.hInstance = ModuleInstance();
  windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = kScanWindowClass;
  return RegisterClassExA(&windowClass) != 0;
}

// Beside the menu's result list, within the work area.
POINT FirstPlace(HWND menu) {
  RECT area{}, owner{};
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
  GetWindowRect(menu, &owner);
  const LONG left = std::clamp<LONG>(owner.right - kWidth - 24, area.left, std::max(area.left, area.right - kWidth));
  const LONG top = std::clamp<LONG>(owner.top + 48, area.top, std::max(area.top, area.bottom - kHeight));
  return {left, top};
}

ScanPicture *PictureOf(HWND menu) {
  if (HWND window = static_cast<HWND>(GetPropA(menu, kWindowProperty))) return StateOf(window);
  if (!RegisterScanWindowClass()) return nullptr;
  const POINT place = FirstPlace(menu);
  auto *picture = new ScanPicture;
  HWND window = CreateWindowExA(WS_EX_CONTROLPARENT, kScanWindowClass, kScanWindowTitle, WS_OVERLAPPEDWINDOW, place.x,
                                place.y, kWidth, kHeight, menu, nullptr, ModuleInstance(), picture);
  if (!window) {
    if (!picture->window) delete picture;  // once attached, its WM_NCDESTROY has freed it
    return nullptr;
  }
  SetPropA(menu, kWindowProperty, window);
  return picture;
}

void KeepField(ScanPicture &picture, FieldOutline field) {
  const auto same = std::find_if(picture.fields.begin(), picture.fields.end(), [&field](const FieldOutline &f) {
    return f.number == field.number && f.letter == field.letter;
  });
  if (same != picture.fields.end())
    *same = std::move(field);
  else
    picture.fields.push_back(std::move(field));
}

}  // namespace

void OfferToScanPicture(HWND menu, WORD handler, WORD telegram, const char *resultText) {
  const PictureText kind = PictureTextOf(handler, telegram);
  if (kind == PictureText::kNone || !resultText) return;
  Scan scan;
  FieldOutline field;
  const bool read = kind == PictureText::kScan ? ParseScanText(resultText, scan) : ParseFieldText(resultText, field);
  if (!read) return;  // a failed command, or nothing to draw
  ScanPicture *picture = PictureOf(menu);
  if (!picture) return;
  if (kind == PictureText::kField) {
    KeepField(*picture, std::move(field));
  } else {
    FollowFullScans(picture->fullScans, scan);
    picture->scan = std::move(scan);
    picture->hasScan = true;
    ShowWindow(picture->window, SW_SHOWNA);  // the menu keeps the keyboard
  }
  if (picture->hasScan) InvalidateRect(picture->window, nullptr, FALSE);
}

}  // namespace kvt::dlg
