// Telegram records for the tests: requests, scripted answers and what the
// simulated driver received, all through the driver's exports; records
// placed before a page that may not be touched; golden files.
#pragma once

#include <windows.h>

#include <cstddef>
#include <initializer_list>
#include <optional>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "kvt/abi.h"
#include "kvt/bytes.h"
#include "kvt/simcontrol.h"
#include "support/escaped.h"

namespace kvt::test {

using Bytes = std::vector<BYTE>;
Bytes Words(std::initializer_list<unsigned> words);  // little-endian

// A request as the library fills it: size 828, type, address, command, data from byte 9.
TelegramRecord Request(BYTE type, BYTE address, BYTE command, const Bytes &data = {});
// An answer: count = 1 + data size, kind bits, code, data from byte 9.
TelegramRecord Answer(BYTE code, const Bytes &data = {}, BYTE kind = 0);
// An answer of count 1 with bytes placed at record offsets.
TelegramRecord AnswerWith(BYTE code, std::initializer_list<std::pair<std::size_t, BYTE>> bytes);
// An answer with 16-bit words from record byte `at` on; the count covers them.
TelegramRecord AnswerWords(BYTE code, std::size_t at, std::initializer_list<unsigned> words);

void QueueAnswer(const TelegramRecord &answer);
void QueueNoAnswer();
// Answers for the next exchanges, in order; nullopt: no answer.
using Script = std::vector<std::optional<TelegramRecord>>;
void Queue(const Script &answers);
// Requests the driver received since the last SimReset.
std::vector<TelegramRecord> SentRequests();
// Every byte below `upTo` in which the records differ, one line each; empty when equal.
std::string Differences(const TelegramRecord &expected, const TelegramRecord &actual,
                        std::size_t upTo = kRecordSize);

// A loaded and opened simulated driver; closed, freed and reset at the end.
struct OpenDriver {
  explicit OpenDriver(const char *config);
  ~OpenDriver();
  OpenDriver(const OpenDriver &) = delete;
  OpenDriver &operator=(const OpenDriver &) = delete;
  DWORD handle = 0;
  // TelegramSensor at address 0; an answer of 0xEE bytes when none came.
  TelegramRecord Exchange(BYTE type, BYTE command, const Bytes &data = {}) const;
};
std::string ErrorText(DWORD handle);
std::string ConfigText();  // the simulated driver's configuration in force

// Bytes right before a page that may not be touched: a read or write past
// them ends the program at once.
struct GuardedBytes {
  explicit GuardedBytes(std::size_t size);
  ~GuardedBytes();
  GuardedBytes(const GuardedBytes &) = delete;
  GuardedBytes &operator=(const GuardedBytes &) = delete;
  std::span<BYTE> bytes;
  void *base = nullptr;
};

// A path below the source tree, as the Windows program sees it.
std::string SourcePath(const std::string &relative);
std::string FileBytes(const std::string &path);
std::string TempFile(const char *name);  // a path in the temporary folder
// The loaded driver describes itself (SimDeviceText, SimTraceText): it simulates.
bool DriverSimulates();
// Compares `actual` with a golden file of the source tree byte for byte;
// KVT_GOLDEN_UPDATE=1 rewrites the file instead (read it before keeping it).
void ExpectGolden(const std::string &relative, const std::string &actual);

}  // namespace kvt::test
