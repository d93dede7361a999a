#include "dialog_script.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace kvt::test {

namespace {

constexpr UINT kTickMs = 15;
constexpr int kMaxTicks = 500;  // a few seconds: a dialog the script lost track of is cancelled
constexpr int kMessageBoxText = 0xFFFF;
constexpr char kBoxTitle[] = "Diagnose";

constexpr int kAfterwardsTicks = 10;

struct Script {
  const std::function<void(HWND)> *onOpen = nullptr;
  const std::function<void(HWND)> *afterwards = nullptr;
  ScriptRun *run = nullptr;
  HWND dialog = nullptr;
  int openedAt = 0;
  std::vector<HWND> answered{};
  int ticks = 0;
  bool busy = false;
};

Script *g_script = nullptr;

BOOL CALLBACK CollectDialogs(HWND window, LPARAM param) {
  auto *found = reinterpret_cast<std::vector<HWND> *>(param);
  if (IsWindowVisible(window) && ClassName(window) == "#32770") found->push_back(window);
  return TRUE;
}

std::vector<HWND> ThreadDialogs() {
  std::vector<HWND> found;
  EnumThreadWindows(GetCurrentThreadId(), CollectDialogs, reinterpret_cast<LPARAM>(&found));
  return found;
}

struct BoxLook {
  bool exclamation = false;
  int buttons = 0;
};

BOOL CALLBACK InspectBoxChild(HWND child, LPARAM param) {
  auto *look = reinterpret_cast<BoxLook *>(param);
  const std::string type = ClassName(child);
  if (type == "Button" && IsWindowVisible(child)) ++look->buttons;
  if (type == "Static" && (GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) {
    const auto icon = reinterpret_cast<HICON>(SendMessageA(child, STM_GETICON, 0, 0));
    if (icon && icon == LoadIconA(nullptr, IDI_EXCLAMATION)) look->exclamation = true;
  }
  return TRUE;
}

void AnswerBox(Script &script, HWND box) {
  script.answered.push_back(box);
  script.run->boxes.push_back(ItemText(box, kMessageBoxText));
  script.run->captions.push_back(WindowText(box));
  BoxLook look;
  EnumChildWindows(box, InspectBoxChild, reinterpret_cast<LPARAM>(&look));
  const HWND ok = GetDlgItem(box, IDOK);
  script.run->exclamationAndOk.push_back(look.exclamation && look.buttons == 1 && ok && IsWindowVisible(ok));
  PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(ok));
}

void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
  if (!g_script || g_script->busy) return;
  Script &script = *g_script;
  ++script.ticks;
  std::erase_if(script.answered, [](HWND box) { return !IsWindow(box); });
  for (HWND window : ThreadDialogs()) {
    const bool isBox = WindowText(window) == kBoxTitle && window != script.dialog;
    if (isBox) {
      if (std::find(script.answered.begin(), script.answered.end(), window) == script.answered.end()) {
        AnswerBox(script, window);
      }
    } else if (!script.dialog) {
      script.dialog = window;
      script.openedAt = script.ticks;
      script.run->opened = true;
      script.busy = true;
      (*script.onOpen)(window);
      script.busy = false;
    }
  }
  if (script.dialog && *script.afterwards && script.ticks == script.openedAt + kAfterwardsTicks &&
      script.answered.empty() && IsWindow(script.dialog)) {
    script.run->stillOpenAfterwards = true;
    script.busy = true;
    (*script.afterwards)(script.dialog);
    script.busy = false;
  }
  if (script.ticks > kMaxTicks) {
    script.run->timedOut = true;
    for (HWND window : ThreadDialogs()) {
      const bool isBox = WindowText(window) == kBoxTitle && window != script.dialog;
      PostMessageA(window, WM_COMMAND, isBox ? IDOK : IDCANCEL, 0);
    }
  }
}

void PutLe(std::vector<BYTE> &out, DWORD value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<BYTE>(value >> (8 * i)));
}

}  // namespace

ScriptRun RunDialog(const std::function<INT_PTR()> &start, const std::function<void(HWND)> &onOpen,
                    const std::function<void(HWND)> &afterwards) {
  ScriptRun run;
  Script script{.onOpen = &onOpen, .afterwards = &afterwards, .run = &run};
  g_script = &script;
  const UINT_PTR timer = SetTimer(nullptr, 0, kTickMs, Tick);
  run.result = start();
  KillTimer(nullptr, timer);
  g_script = nullptr;
  return run;
}

void PostPress(HWND dialog, Press press) {
  HWND focus = GetFocus();
  if (!focus || !IsChild(dialog, focus)) focus = dialog;
  switch (press) {
    case Press::kOkButton: PostMessageA(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0); break;
    case Press::kCancelButton: PostMessageA(GetDlgItem(dialog, IDCANCEL), BM_CLICK, 0, 0); break;
    case Press::kEnterKey: PostMessageA(focus, WM_KEYDOWN, VK_RETURN, 1); break;
    case Press::kEscapeKey: PostMessageA(focus, WM_KEYDOWN, VK_ESCAPE, 1); break;
    case Press::kNone: break;
  }
}

std::string WindowText(HWND window) {
  char buffer[4096];
  const int length = GetWindowTextA(window, buffer, sizeof buffer);
  return std::string(buffer, length > 0 ? length : 0);
}

std::string ItemText(HWND dialog, int control) { return WindowText(GetDlgItem(dialog, control)); }

std::string ClassName(HWND window) {
  char name[64];
  const int length = GetClassNameA(window, name, sizeof name);
  return std::string(name, length > 0 ? length : 0);
}


std::string EscapedBytes(const std::vector<BYTE> &bytes) {
  std::string out;
  for (BYTE b : bytes) {
    char hex[8];
    std::snprintf(hex, sizeof hex, "%s%02X", out.empty() ? "" : " ", b);
    out += hex;
  }
  return out;
}

HWND CreateOwnerWindow(int x, int y, int width, int height) {
  HWND owner = CreateWindowExA(0, "STATIC", "Besitzer", WS_OVERLAPPEDWINDOW | WS_VISIBLE, x, y, width, height,
                               nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  UpdateWindow(owner);
  return owner;
}

void SaveShot(HWND dialog, const std::string &name) {
  const char *folder = std::getenv("KVT_DIALOG_SHOTS");
  if (!folder || !*folder) return;
  // Let the dialog paint itself completely before the copy.
  RedrawWindow(dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
  const DWORD until = GetTickCount() + 300;
  MSG message;
  while (GetTickCount() < until) {
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (message.message == WM_TIMER) continue;
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
    Sleep(10);
  }
  RECT box;
  GetWindowRect(dialog, &box);
  const int width = box.right - box.left;
  const int height = box.bottom - box.top;
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
  HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, width, height, screen, box.left, box.top, SRCCOPY);
  SelectObject(memory, old);
  BITMAPINFOHEADER info{};
  info.biSize = sizeof info;
  info.biWidth = width;
  info.biHeight = height;
  info.biPlanes = 1;
  info.biBitCount = 24;
  const int stride = (width * 3 + 3) & ~3;
  std::vector<BYTE> pixels(static_cast<std::size_t>(stride) * height);
  GetDIBits(memory, bitmap, 0, height, pixels.data(), reinterpret_cast<BITMAPINFO *>(&info), DIB_RGB_COLORS);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  std::vector<BYTE> file{'B', 'M'};
  PutLe(file, static_cast<DWORD>(14 + sizeof info + pixels.size()), 4);
  PutLe(file, 0, 4);
  PutLe(file, static_cast<DWORD>(14 + sizeof info), 4);
  const BYTE *header = reinterpret_cast<const BYTE *>(&info);
  file.insert(file.end(), header, header + sizeof info);
  file.insert(file.end(), pixels.begin(), pixels.end());
  const std::string path = std::string(folder) + "\\" + name + ".bmp";
  if (FILE *out = std::fopen(path.c_str(), "wb")) {
    std::fwrite(file.data(), 1, file.size(), out);
    std::fclose(out);
  }
}

}  // namespace kvt::test
