// One menu entry called as the dialog host calls it: its CommandRequest, the
// host's ResultText, and the ParamBlock kept from one phase to the next.
#pragma once

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "entry/entry.h"

namespace kvt::test {

inline const std::string kKvtAddressLine = "\nBei der Kommunikation benutzte Adresse   0  mit Zielger\xE4t  KVT.\n\n";

struct EntryCall {
  CommandRequest request{};
  std::string text = std::string(1 << 14, '\0');

  EntryCall(WORD handler, WORD telegram) {
    request[kReqHandler] = handler;
    request[kReqTelegram] = telegram;
    request[kReqResultText] = reinterpret_cast<ULONG_PTR>(text.data());
    request[kReqCapacity] = text.size();
  }
  EntryCall(const EntryCall &) = delete;
  ~EntryCall() { std::free(reinterpret_cast<void *>(request[kReqParamBlock])); }

  // A block as a collector would have left it.
  void Give(const std::vector<BYTE> &block) {
    void *copy = std::malloc(block.size());
    std::memcpy(copy, block.data(), block.size());
    request[kReqParamBlock] = reinterpret_cast<ULONG_PTR>(copy);
    request[kReqParamLength] = block.size();
  }
  BOOL Call(bool paramPhase) {
    text[0] = '\0';
    request[kReqParamPhase] = paramPhase;
    return DiagCommandProc(nullptr, request.data());
  }
  std::string Text() const { return text.c_str(); }
};

}  // namespace kvt::test
