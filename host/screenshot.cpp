// A window as it stands on the screen, written as an uncompressed 24-bit BMP.
#include <vector>

#include "host.h"

namespace kvt::host {

namespace {

constexpr WORD kBitmapMagic = 0x4D42;  // "BM"
constexpr int kBitsPerPixel = 24;

bool WriteFileBytes(const char *path, const void *head, DWORD headSize, const void *body, DWORD bodySize) {
  HANDLE file = CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  DWORD written2 = 0;
  const bool ok = WriteFile(file, head, headSize, &written, nullptr) && written == headSize &&
                  WriteFile(file, body, bodySize, &written2, nullptr) && written2 == bodySize;
  return CloseHandle(file) && ok;
}

}  // namespace

bool SaveWindowBitmap(HWND window, const char *path) {
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_ERASE);
  GdiFlush();
  RECT area{};
  GetWindowRect(window, &area);
  const int width = area.right - area.left;
  const int height = area.bottom - area.top;
  if (width <= 0 || height <= 0) return false;

  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
  HGDIOBJ old = SelectObject(memory, bitmap);
  const BOOL copied = BitBlt(memory, 0, 0, width, height, screen, area.left, area.top, SRCCOPY);
  SelectObject(memory, old);

  BITMAPINFOHEADER info{};
  info.biSize = sizeof info;
  info.biWidth = width;
  info.biHeight = height;  // bottom-up, as BMP files store it
  info.biPlanes = 1;
  info.biBitCount = kBitsPerPixel;
  info.biCompression = BI_RGB;
  const DWORD stride = ((static_cast<DWORD>(width) * 3 + 3) / 4) * 4;
  std::vector<BYTE> pixels(stride * static_cast<DWORD>(height));
  const int lines = GetDIBits(memory, bitmap, 0, static_cast<UINT>(height), pixels.data(),
                              reinterpret_cast<BITMAPINFO *>(&info), DIB_RGB_COLORS);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  if (!copied || lines != height) return false;

  struct Head {
    BITMAPFILEHEADER file;
    BITMAPINFOHEADER info;
  } head{};
  static_assert(sizeof(BITMAPFILEHEADER) == 14 && sizeof(BITMAPINFOHEADER) == 40);
  head.file.bfType = kBitmapMagic;
  head.file.bfOffBits = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
  head.file.bfSize = head.file.bfOffBits + static_cast<DWORD>(pixels.size());
  head.info = info;
  head.info.biSizeImage = static_cast<DWORD>(pixels.size());
  // BITMAPFILEHEADER is packed to 2 bytes; the two headers are written as one block without a gap.
  BYTE bytes[sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER)];
  memcpy(bytes, &head.file, sizeof(BITMAPFILEHEADER));
  memcpy(bytes + sizeof(BITMAPFILEHEADER), &head.info, sizeof(BITMAPINFOHEADER));
  return WriteFileBytes(path, bytes, sizeof bytes, pixels.data(), static_cast<DWORD>(pixels.size()));
}

}  // namespace kvt::host
