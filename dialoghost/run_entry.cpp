// Running one menu line: the CommandRequest, the parameter phase for lines
// whose flag asks for it, the execution, and the result shown under the
// line's text. The ParamBlock the library obtained is freed here.
#include <cstdlib>
#include <memory>

#include "dialoghost.h"
#include "scan_picture.h"

namespace kvt::dlg {

namespace {

constexpr ULONG_PTR kParameterPhase = 1;
constexpr ULONG_PTR kExecutionPhase = 0;

// Buffers of one run: the host owns ResultText and the password text.
struct RunBuffers {
  char resultText[kResultCapacity];
  char password[kPasswordCapacity];
};

BOOL CallPhase(MenuWindow &menu, CommandRequest &request, RunBuffers &buffers, ULONG_PTR phase) {
  buffers.resultText[0] = '\0';
  request[kReqStatus] = 0;
  request[kReqParamPhase] = phase;
  const BOOL result = menu.command(menu.window, request.data());
  buffers.resultText[kResultCapacity - 1] = '\0';  // whatever the callback did, the text ends here
  return result;
}

void FillRequest(const MenuLine &line, RunBuffers &buffers, CommandRequest &request) {
  request = CommandRequest{};
  request[kReqHandler] = line.handler;
  request[kReqTelegram] = line.telegram;
  request[kReqResultText] = reinterpret_cast<ULONG_PTR>(buffers.resultText);
  request[kReqCapacity] = kResultCapacity;
  request[kReqStatus] = 0;
  request[kReqParamBlock] = 0;
  request[kReqParamLength] = 0;
  request[kReqPassword] = reinterpret_cast<ULONG_PTR>(buffers.password);
}

bool Runnable(const MenuWindow &menu, int index) {
  return !menu.busy && index >= 0 && static_cast<std::size_t>(index) < menu.lines.size() &&
         !IsHeading(menu.lines[static_cast<std::size_t>(index)]);
}

}  // namespace

void RunEntry(MenuWindow &menu, int index) {
  if (!Runnable(menu, index)) return;
  const MenuLine &line = menu.lines[static_cast<std::size_t>(index)];
  auto buffers = std::make_unique<RunBuffers>();
  GetDlgItemTextA(menu.window, kIdPassword, buffers->password, kPasswordCapacity);
  CommandRequest request;
  FillRequest(line, *buffers, request);

  menu.busy = true;
  bool show = true;
  if (line.flag == 1) show = CallPhase(menu, request, *buffers, kParameterPhase) != FALSE;
  // A command may end with FALSE and still leave its text: the text is shown.
  if (show) show = CallPhase(menu, request, *buffers, kExecutionPhase) != FALSE || buffers->resultText[0] != '\0';
  // The block came from malloc in the library; every module shares msvcrt.
  std::free(reinterpret_cast<void *>(request[kReqParamBlock]));
  if (show) OfferToScanPicture(menu.window, line.handler, line.telegram, buffers->resultText);
  menu.busy = false;

  if (show) AppendResult(menu, line.text, buffers->resultText);
  ShowStatus(menu);
  RefreshTrace(menu);
  ++menu.runs;
}

void SkipHeadingSelection(MenuWindow &menu) {
  HWND list = GetDlgItem(menu.window, kIdMenuList);
  const int count = static_cast<int>(menu.lines.size());
  int index = static_cast<int>(SendMessageA(list, LB_GETCURSEL, 0, 0));
  if (index < 0 || index >= count) return;
  if (IsHeading(menu.lines[static_cast<std::size_t>(index)])) {
    // Move on in the direction the user went; at either end, turn back.
    const int step = index < menu.lastSelection ? -1 : 1;
    int next = index;
    while (next >= 0 && next < count && IsHeading(menu.lines[static_cast<std::size_t>(next)])) next += step;
    if (next < 0 || next >= count) {
      next = index;
      while (next >= 0 && next < count && IsHeading(menu.lines[static_cast<std::size_t>(next)])) next -= step;
    }
    if (next < 0 || next >= count) return;
    index = next;
    SendMessageA(list, LB_SETCURSEL, index, 0);
  }
  menu.lastSelection = index;
}

}  // namespace kvt::dlg
