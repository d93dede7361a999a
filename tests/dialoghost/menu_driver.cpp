#include "menu_driver.h"

#include <algorithm>
#include <cstdio>

namespace kvt::test {

namespace {

constexpr UINT kTickMs = 20;
constexpr DWORD kLimitMs = 20000;

HostLog g_log;

struct Driver {
  std::vector<MenuStep> steps;
  std::size_t next = 0;
  bool closePosted = false;
  bool timedOut = false;
  DWORD start = 0;
  HWND lastBox = nullptr;
};
Driver g_driver;

BOOL WINAPI RecordCommand(HWND owner, ULONG_PTR *request) {
  CommandCall call;
  call.owner = owner;
  std::copy(request, request + kRequestSlots, call.slots.begin());
  if (const auto *password = reinterpret_cast<const char *>(request[kReqPassword])) call.password = password;
  g_log.calls.push_back(call);
  return g_log.command(request);
}

INT_PTR WINAPI RecordShowResult(HWND parent, LPSTR text) {
  g_log.showResultWindows.push_back(parent);
  lstrcpynA(text, g_log.addInfoText.c_str(), 256);
  return g_log.addInfoResult;
}

void WINAPI RecordSetup(HWND window) { g_log.setupWindows.push_back(window); }

BOOL WINAPI RecordModeCheck(LPARAM) {
  ++g_log.modeChecks;
  return FALSE;  // the window must not care
}

bool HasClass(HWND window, const char *name) {
  char found[64] = "";
  GetClassNameA(window, found, sizeof found);
  return lstrcmpA(found, name) == 0;
}

struct Search {
  const char *windowClass;
  HWND found = nullptr;
};

BOOL CALLBACK Visit(HWND window, LPARAM context) {
  auto *search = reinterpret_cast<Search *>(context);
  if (!IsWindowVisible(window) || !HasClass(window, search->windowClass)) return TRUE;
  search->found = window;
  return FALSE;
}

HWND ThreadWindow(const char *windowClass) {
  Search search{windowClass};
  EnumThreadWindows(GetCurrentThreadId(), Visit, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

std::string BoxText(HWND box) {
  char text[512] = "";
  GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
  return text;
}

void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
  if (HWND box = ThreadWindow("#32770"); box && box != g_driver.lastBox && GetDlgItem(box, 0xFFFF)) {
    g_driver.lastBox = box;
    g_log.messageBoxes.push_back(BoxText(box));
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    return;
  }
  HWND menu = ThreadWindow(dlg::kMenuWindowClass);
  if (!menu) return;
  if (GetTickCount() - g_driver.start > kLimitMs) g_driver.timedOut = true;
  if (!g_driver.timedOut && g_driver.next < g_driver.steps.size()) {
    g_driver.steps[g_driver.next++](menu);
    return;
  }
  if (!g_driver.closePosted) {
    g_driver.closePosted = true;
    PostMessageA(menu, WM_CLOSE, 0, 0);
  }
}

}  // namespace

HostLog &Log() { return g_log; }
void ResetLog() { g_log = HostLog{}; }

Descriptor MakeDescriptor(const char *menuName, const char *title) {
  Descriptor d{};
  d[kDescCommandProc] = reinterpret_cast<ULONG_PTR>(&RecordCommand);
  d[kDescShowResultProc] = reinterpret_cast<ULONG_PTR>(&RecordShowResult);
  d[kDescSetupProc] = reinterpret_cast<ULONG_PTR>(&RecordSetup);
  d[kDescModeCheckProc] = reinterpret_cast<ULONG_PTR>(&RecordModeCheck);
  d[kDescInstance] = reinterpret_cast<ULONG_PTR>(GetModuleHandleA(nullptr));
  d[kDescName] = reinterpret_cast<ULONG_PTR>(menuName);
  d[kDescName2] = reinterpret_cast<ULONG_PTR>(menuName);
  d[kDescTitle] = reinterpret_cast<ULONG_PTR>(title);
  return d;
}

int RunMenu(Descriptor &descriptor, std::vector<MenuStep> steps, HWND owner) {
  g_driver = Driver{};
  g_driver.steps = std::move(steps);
  g_driver.start = GetTickCount();
  const UINT_PTR timer = SetTimer(nullptr, 0, kTickMs, Tick);
  const int result = ZenkDialog(owner, descriptor.data());
  KillTimer(nullptr, timer);
  return result;
}

bool StepsTimedOut() { return g_driver.timedOut || g_driver.next < g_driver.steps.size(); }

std::vector<ListLine> ListLines(HWND menu, int listId) {
  HWND list = GetDlgItem(menu, listId);
  const int count = static_cast<int>(SendMessageA(list, LB_GETCOUNT, 0, 0));
  std::vector<ListLine> lines;
  for (int index = 0; index < count; ++index) {
    const LRESULT length = SendMessageA(list, LB_GETTEXTLEN, index, 0);
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    SendMessageA(list, LB_GETTEXT, index, reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(length));
    lines.push_back({text, static_cast<ULONG_PTR>(SendMessageA(list, LB_GETITEMDATA, index, 0))});
  }
  return lines;
}

void Click(HWND menu, int id) {
  SendMessageA(menu, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(menu, id)));
}

void SelectLine(HWND menu, int index) { SendDlgItemMessageA(menu, dlg::kIdMenuList, LB_SETCURSEL, index, 0); }


}  // namespace kvt::test
