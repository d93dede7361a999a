// DiagCommandProc: the frame every command shares, and its endings.
#include <memory>

#include "dispatch/dispatch.h"
#include "entry/entry.h"

namespace kvt {

namespace {

constexpr UINT kAddressLineKvt = 243;
constexpr UINT kAddressLinePxd = 244;
constexpr UINT kAddressLineKvtQ1 = 265;

UINT AddressLine(BYTE type) {
  switch (type) {
    case kDeviceKvt: return kAddressLineKvt;
    case kDeviceKvtQ1:
    case kDeviceKvt90: return kAddressLineKvtQ1;
    default: return kAddressLinePxd;
  }
}

}  // namespace

std::span<const BYTE> Command::Block() const {
  const BYTE *block = reinterpret_cast<const BYTE *>(request[kReqParamBlock]);
  if (!block) return {};
  return {block, static_cast<std::size_t>(request[kReqParamLength])};
}

BOOL SuccessEnding(Command &command) {
  const TelegramRecord &request = command.Request();
  Append(command.out, FormatFromTable(AddressLine(request[kRecType]), request[kRecAddress]));
  return TRUE;
}

BOOL CommunicationFailure(Command &command) {
  Replace(command.out, FormatFromTable(kCommFailureMessage));
  command.request[kReqStatus] = kStatusCommFailure;
  return SuccessEnding(command);
}

BOOL WrongAnswer(Command &command) { return MessageEnding(command, kWrongAnswerMessage); }

BOOL MessageEnding(Command &command, UINT message) {
  Replace(command.out, FormatFromTable(message));
  return SuccessEnding(command);
}

Exchange Send(Command &command, BYTE telegramCommand, BYTE expected) {
  command.Request()[kRecCode] = telegramCommand;
  if (!SendTelegram(command.Request(), command.Answer())) return Exchange::kNoAnswer;
  return AnswerCode(command.Answer()) == expected ? Exchange::kAnswered : Exchange::kWrongCode;
}

bool Exchanged(Command &command, BYTE telegramCommand, BYTE expected, BOOL &ending) {
  switch (Send(command, telegramCommand, expected)) {
    case Exchange::kNoAnswer: ending = CommunicationFailure(command); return false;
    case Exchange::kWrongCode: ending = WrongAnswer(command); return false;
    case Exchange::kAnswered: return true;
  }
  return false;
}

BOOL RunAddressLineOnly(Command &command, const HandlerRow &) { return SuccessEnding(command); }

BOOL RunUnavailable(Command &command, const HandlerRow &) { return CommunicationFailure(command); }

}  // namespace kvt

using namespace kvt;

extern "C" BOOL WINAPI DiagCommandProc(HWND owner, ULONG_PTR *request) {
  if (!request) return FALSE;
  request[kReqStatus] = 0;
  auto records = std::make_unique<TelegramPair>();
  PrepareRequest(records->request, Run().target.type, Run().target.address);
  Command command{owner, request, *records, ResultTextOf(request)};

  const HandlerRow *row = FindHandler(command.Handler());
  if (!row) return CommunicationFailure(command);
  if (command.ParamPhase()) {
    if (row->parameters) return row->parameters(command, *row);
    if (row->collector != Collector::kNone) return CollectParams(owner, request, row->collector);
    if (row->endsInParamPhase) return SuccessEnding(command);
  }
  return row->run(command, *row);
}
