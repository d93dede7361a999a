// The frame every dialog shares (brush, control colours, OK, centring) and
// the two readers of numbers from edit text.
#include <cstring>

#include "dialogs/dialogs.h"

namespace kvt {

void FrameInit(HWND dialog, DialogFrame &frame) {
  frame.brush = CreateSolidBrush(GetSysColor(COLOR_BTNFACE));
  EnableWindow(GetDlgItem(dialog, IDOK), TRUE);
  CentreDialog(GetParent(dialog), dialog);
}

void FrameDestroy(DialogFrame &frame) {
  if (frame.brush) DeleteObject(frame.brush);
  frame.brush = nullptr;
}

INT_PTR FrameControlColour(const DialogFrame &frame, WPARAM wParam, LPARAM lParam) {
  constexpr WORD kDialogType = 4;
  constexpr WORD kStaticType = 6;
  const WORD type = HIWORD(lParam);
  if (type == kStaticType) SetBkColor(reinterpret_cast<HDC>(wParam), GetSysColor(COLOR_BTNFACE));
  if (type == kDialogType || type == kStaticType) return reinterpret_cast<INT_PTR>(frame.brush);
  return FALSE;
}

void EnableOkWhileText(HWND dialog, HWND input) {
  EnableWindow(GetDlgItem(dialog, IDOK), GetWindowTextLengthA(input) > 0);
}

void CentreDialog(HWND parent, HWND dialog) {
  const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
  const int screenHeight = GetSystemMetrics(SM_CYSCREEN);
  RECT box;
  GetWindowRect(dialog, &box);
  const int w = box.right - box.left;
  const int h = box.bottom - box.top;
  int x;
  int y;
  if (IsWindow(parent)) {
    RECT client;
    GetClientRect(parent, &client);
    POINT topLeft{client.left, client.top};
    POINT bottomRight{client.right, client.bottom};
    ClientToScreen(parent, &topLeft);
    ClientToScreen(parent, &bottomRight);
    x = topLeft.x + (bottomRight.x - topLeft.x - w) / 2;
    y = topLeft.y + (bottomRight.y - topLeft.y - h) / 2;
    if (x + w > screenWidth) x = screenWidth - w;
    if (y + h > screenHeight) y = screenHeight - h;
  } else {
    x = (screenWidth - w) / 2;
    y = (screenHeight - h) / 2;
  }
  // Last, so a dialog larger than the screen keeps its left and top edges visible.
  if (x < 0) x = 0;
  if (y < 0) y = 0;
  MoveWindow(dialog, x, y, w, h, TRUE);
}

namespace {

constexpr std::uint32_t kBadHex = 0xFFFF;

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

// The characters after the "x", read from the right; a space ends the reading.
std::uint32_t ReadHex(const char *first, const char *end) {
  std::uint32_t value = 0;
  std::uint32_t weight = 1;
  for (const char *p = end; p != first;) {
    const char c = *--p;
    if (c == ' ') return value;
    const int digit = HexDigit(c);
    if (digit < 0) return kBadHex;
    value += static_cast<std::uint32_t>(digit) * weight;
    weight *= 16;
  }
  return value;
}

const char *EndOf(const char *text) { return text + lstrlenA(text); }

}  // namespace

std::int32_t TextToNumber(const char *text) {
  if (!text) return 0;
  const char *end = EndOf(text);
  if (const char *x = strpbrk(text, "xX")) return static_cast<std::int32_t>(ReadHex(x + 1, end));
  std::uint32_t value = 0;
  std::uint32_t weight = 1;
  bool negative = false;
  for (const char *p = end; p != text;) {
    const char c = *--p;
    if (c == ' ') break;
    if (c == '-') {
      negative = true;
    } else if (c >= '0' && c <= '9') {
      value += static_cast<std::uint32_t>(c - '0') * weight;
      weight *= 10;
    } else {
      return 0;
    }
  }
  return static_cast<std::int32_t>(negative ? 0u - value : value);
}

std::uint32_t TextToUnsigned(const char *text) {
  if (!text) return 0;
  const char *end = EndOf(text);
  if (const char *x = strpbrk(text, "xX")) return ReadHex(x + 1, end);
  std::uint32_t value = 0;
  std::uint32_t weight = 1;
  for (const char *p = end; p != text;) {
    const char c = *--p;
    if (c == ' ') return value;
    if (c < '0' || c > '9') return kBadHex;
    value += static_cast<std::uint32_t>(c - '0') * weight;
    weight *= 10;
  }
  return value;
}

}  // namespace kvt
