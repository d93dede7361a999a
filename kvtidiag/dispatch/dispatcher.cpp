// The dispatcher: the frame every command shares, up to its handler's row.
#include <memory>

#include "dispatch/dispatch.h"

namespace kvt {

std::span<const BYTE> Command::Block() const {
  const BYTE *block = reinterpret_cast<const BYTE *>(request[kReqParamBlock]);
  if (!block) return {};
  return {block, static_cast<std::size_t>(request[kReqParamLength])};
}

BOOL DispatchCommand(HWND owner, ULONG_PTR *request, RunState &run) {
  if (!request) return FALSE;
  request[kReqStatus] = 0;
  auto records = std::make_unique<TelegramPair>();
  PrepareRequest(records->request, run.target.type, run.target.address);
  Command command{owner, request, run, *records, ResultTextOf(request)};

  const HandlerRow *row = FindHandler(command.Handler());
  if (!row) return CommunicationFailure(command);
  if (command.ParamPhase()) {
    if (row->parameters) return row->parameters(command, *row);
    if (row->collector != Collector::kNone) return CollectParams(owner, request, row->collector);
    if (row->endsInParamPhase) return SuccessEnding(command);
  }
  return row->run(command, *row);
}

BOOL RunAddressLineOnly(Command &command, const HandlerRow &) { return SuccessEnding(command); }

BOOL RunUnavailable(Command &command, const HandlerRow &) { return CommunicationFailure(command); }

}  // namespace kvt
