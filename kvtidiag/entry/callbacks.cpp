// The descriptor's callbacks: the command dispatcher is handed the run here.
#include <memory>

#include "entry/entry.h"

using namespace kvt;

namespace {

constexpr BYTE kStatusCommand = 0x31;
constexpr BYTE kModeCommand = 0x20;
constexpr std::size_t kModeByte = kRecData + 8;

bool InOutputMode(BYTE mode) { return mode >= 0x20 && mode <= 0x2F; }

}  // namespace

extern "C" BOOL WINAPI DiagCommandProc(HWND owner, ULONG_PTR *request) {
  return DispatchCommand(owner, request, Run());
}

extern "C" void WINAPI DiagSetupProc(HWND window) { SetupSensor(Run().sensor, window, 0, 0); }

extern "C" BOOL WINAPI DiagModeCheckProc(LPARAM) {
  const RunState &run = Run();
  auto pair = std::make_unique<TelegramPair>();
  PrepareRequest(pair->request, run.target.type, run.target.address);
  pair->request[kRecCode] = kStatusCommand;
  if (SendTelegram(run.sensor, pair->request, pair->answer) && AnswerCode(pair->answer) == kStatusCommand + 0x80 &&
      InOutputMode(pair->answer[kModeByte])) {
    return TRUE;
  }
  pair->request[kRecCode] = kModeCommand;
  pair->request[kRecData] = kOnRequestMode;
  return SendTelegram(run.sensor, pair->request, pair->answer) && AnswerCode(pair->answer) == kModeCommand + 0x80 &&
         pair->answer[kRecData] == 0;
}

extern "C" INT_PTR WINAPI DiagShowResultProc(HWND parent, LPSTR text) {
  return DialogBoxParamA(Instance(), MAKEINTRESOURCEA(IDD_EDIT_RESULT), parent, EditResultDlgProc,
                         reinterpret_cast<LPARAM>(text));
}
