#include "report_run.h"

#include <fstream>
#include <iterator>

#include "entry/entry.h"
#include "kvt/abi.h"

namespace kvt::test {

HandlerRun RunHandler(WORD handler, WORD telegram, BYTE type, BYTE address) {
  Run().target = {type, address};
  std::string buffer(65536, '\0');
  CommandRequest request{};
  request[kReqHandler] = handler;
  request[kReqTelegram] = telegram;
  request[kReqResultText] = reinterpret_cast<ULONG_PTR>(buffer.data());
  request[kReqCapacity] = buffer.size();
  HandlerRun run;
  run.result = DiagCommandProc(nullptr, request.data());
  run.status = request[kReqStatus];
  run.text = buffer.c_str();
  return run;
}

std::string FileBytes(const std::string &path, bool &found) {
  std::ifstream file(path, std::ios::binary);
  found = file.good();
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

void WriteFileBytes(const std::string &path, const std::string &bytes) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

}  // namespace kvt::test
