#include "measured_run.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "entry/entry.h"
#include "support/escaped.h"

namespace kvt::test {

EntryRun RunEntry(WORD handler, WORD telegram, const std::vector<BYTE> &block, std::size_t recordedLength,
                  std::size_t capacity) {
  std::vector<BYTE> ownBlock = block;
  std::string buffer(capacity, '\0');
  std::memcpy(buffer.data(), kEarlierText, std::min(sizeof kEarlierText, capacity));
  CommandRequest request{};
  request[kReqHandler] = handler;
  request[kReqTelegram] = telegram;
  request[kReqResultText] = reinterpret_cast<ULONG_PTR>(buffer.data());
  request[kReqCapacity] = capacity;
  request[kReqParamBlock] = ownBlock.empty() ? 0 : reinterpret_cast<ULONG_PTR>(ownBlock.data());
  request[kReqParamLength] = recordedLength ? recordedLength : ownBlock.size();
  EntryRun run;
  run.result = DiagCommandProc(nullptr, request.data());
  run.status = request[kReqStatus];
  run.text = std::string(buffer.c_str());
  return run;
}

std::string AddressLine(BYTE type, unsigned address) {
  const char *device = type == kDeviceKvt ? "KVT" : (type == kDevicePxd ? "PXD" : "KVT-Q1");
  char text[128];
  wsprintfA(text, "\nBei der Kommunikation benutzte Adresse %3u  mit Zielger\xE4t  %s.\n\n", address, device);
  return text;
}

std::string GoldenPath(const std::string &name) {
  const char *source = std::getenv("KVT_SOURCE");
  std::string root = source ? source : "..\\..\\..";
  if (!root.empty() && root.front() == '/') root = "Z:" + root;  // a Unix path seen from Wine
  return root + "/tests/measured/golden/" + name + ".txt";
}

std::string FileBytes(const std::string &path, bool &found) {
  std::string bytes;
  FILE *file = std::fopen(path.c_str(), "rb");
  found = file != nullptr;
  if (!file) return bytes;
  char chunk[4096];
  std::size_t read;
  while ((read = std::fread(chunk, 1, sizeof chunk, file)) > 0) bytes.append(chunk, read);
  std::fclose(file);
  return bytes;
}

void WriteFileBytes(const std::string &path, const std::string &bytes) {
  FILE *file = std::fopen(path.c_str(), "wb");
  if (!file) return;
  std::fwrite(bytes.data(), 1, bytes.size(), file);
  std::fclose(file);
}

std::string Difference(const std::string &expected, const std::string &actual) {
  std::size_t at = 0;
  while (at < expected.size() && at < actual.size() && expected[at] == actual[at]) ++at;
  const std::size_t from = at > 60 ? at - 60 : 0;
  return "first difference at byte " + std::to_string(at) + " (expected " + std::to_string(expected.size()) +
         " bytes, got " + std::to_string(actual.size()) + ")\n  expected: ..." + Escaped(expected.substr(from, 140)) +
         "\n  actual:   ..." + Escaped(actual.substr(from, 140));
}

std::vector<BYTE> Words(std::initializer_list<unsigned> words) {
  std::vector<BYTE> bytes;
  for (unsigned w : words) {
    bytes.push_back(static_cast<BYTE>(w & 0xFF));
    bytes.push_back(static_cast<BYTE>((w >> 8) & 0xFF));
  }
  return bytes;
}

}  // namespace kvt::test
