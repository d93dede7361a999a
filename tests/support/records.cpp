#include "support/records.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "support/escaped.h"

namespace kvt::test {

namespace {

// The tests choose the device themselves; the caller's environment must not.
const bool g_environmentCleared = SetEnvironmentVariableA("KVTIDRV_SIM", nullptr);

constexpr std::size_t kPage = 4096;

}  // namespace

Bytes Words(std::initializer_list<unsigned> words) {
  Bytes bytes;
  for (unsigned w : words) bytes.insert(bytes.end(), {static_cast<BYTE>(w & 0xFF), static_cast<BYTE>((w >> 8) & 0xFF)});
  return bytes;
}

TelegramRecord Request(BYTE type, BYTE address, BYTE command, const Bytes &data) {
  TelegramRecord record{};
  PutWord(record, kRecSize, kRecordSize);
  record[kRecType] = type;
  record[kRecAddress] = address;
  record[kRecCode] = command;
  std::copy_n(data.begin(), std::min(data.size(), kRecordSize - kRecData), record.begin() + kRecData);
  return record;
}

TelegramRecord Answer(BYTE code, const Bytes &data, BYTE kind) {
  TelegramRecord record{};
  PutWord(record, kRecCount, static_cast<unsigned>(1 + data.size()));
  record[kRecKind] = kind;
  record[kRecCode] = code;
  std::copy_n(data.begin(), std::min(data.size(), kRecordSize - kRecData), record.begin() + kRecData);
  return record;
}

TelegramRecord AnswerWith(BYTE code, std::initializer_list<std::pair<std::size_t, BYTE>> bytes) {
  TelegramRecord record = Answer(code);
  for (const auto &[at, value] : bytes) record[at] = value;
  return record;
}

TelegramRecord AnswerWords(BYTE code, std::size_t at, std::initializer_list<unsigned> words) {
  TelegramRecord record = Answer(code);
  for (unsigned w : words) {
    PutWord(record, at, w);
    at += 2;
  }
  PutWord(record, kRecCount, static_cast<unsigned>(at - kRecCode));
  return record;
}

void QueueAnswer(const TelegramRecord &answer) { SimQueueAnswer(answer.data(), TRUE, 0); }

void QueueNoAnswer() {
  const TelegramRecord empty{};
  SimQueueAnswer(empty.data(), FALSE, 0);
}

void Queue(const Script &answers) {
  for (const auto &answer : answers) {
    if (answer) QueueAnswer(*answer);
    else QueueNoAnswer();
  }
}

std::vector<TelegramRecord> SentRequests() {
  std::vector<TelegramRecord> requests(SimRequestCount());
  for (DWORD i = 0; i < requests.size(); ++i) SimRequestAt(i, requests[i].data());
  return requests;
}

std::string Differences(const TelegramRecord &expected, const TelegramRecord &actual, std::size_t upTo) {
  std::string out;
  for (std::size_t i = 0; i < std::min(upTo, kRecordSize); ++i) {
    if (expected[i] == actual[i]) continue;
    char line[64];
    std::snprintf(line, sizeof line, "byte %zu: expected %02X, got %02X\n", i, expected[i], actual[i]);
    out += line;
  }
  return out;
}

OpenDriver::OpenDriver(const char *config) {
  SimConfigure(config);
  SimReset();
  handle = LoadSensor(0);
  OpenSensor(handle);
}

OpenDriver::~OpenDriver() {
  CloseSensor(handle);
  FreeSensor(handle);
  SimConfigure("");
  SimReset();
}

TelegramRecord OpenDriver::Exchange(BYTE type, BYTE command, const Bytes &data) const {
  TelegramRecord request = Request(type, 0, command, data);
  TelegramRecord answer{};
  if (!TelegramSensor(handle, request.data(), answer.data())) answer.fill(0xEE);
  return answer;
}

std::string ErrorText(DWORD handle) {
  char text[256] = {};
  ErrorSensor(handle, text, sizeof text);
  return text;
}

std::string ConfigText() {
  char text[512] = {};
  SimConfigText(text, sizeof text);
  return text;
}

GuardedBytes::GuardedBytes(std::size_t size) {
  const std::size_t pages = (size + kPage - 1) / kPage;
  base = VirtualAlloc(nullptr, (pages + 1) * kPage, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE);
  BYTE *start = static_cast<BYTE *>(base);
  DWORD old = 0;
  VirtualProtect(start + pages * kPage, kPage, PAGE_NOACCESS, &old);
  bytes = {start + pages * kPage - size, size};
}

GuardedBytes::~GuardedBytes() { VirtualFree(base, 0, MEM_RELEASE); }

std::string SourcePath(const std::string &relative) {
  const char *source = std::getenv("KVT_SOURCE");
  std::string root = source ? source : "..\\..\\..";
  if (!root.empty() && root.front() == '/') root = "Z:" + root;  // a Unix path seen from Wine
  return root + "/" + relative;
}

std::string FileBytes(const std::string &path) {
  std::string bytes;
  if (FILE *file = std::fopen(path.c_str(), "rb")) {
    char chunk[4096];
    for (std::size_t got; (got = std::fread(chunk, 1, sizeof chunk, file)) > 0;) bytes.append(chunk, got);
    std::fclose(file);
  }
  return bytes;
}

std::string TempFile(const char *name) {
  char folder[MAX_PATH] = "";
  GetTempPathA(sizeof folder, folder);
  return folder + std::string(name);
}

bool DriverSimulates() { return GetProcAddress(GetModuleHandleA("KVTIDRV.DLL"), "SimDeviceText") != nullptr; }

void ExpectGolden(const std::string &relative, const std::string &actual) {
  const std::string path = SourcePath(relative);
  if (std::getenv("KVT_GOLDEN_UPDATE")) {
    if (FILE *file = std::fopen(path.c_str(), "wb")) {
      std::fwrite(actual.data(), 1, actual.size(), file);
      std::fclose(file);
    }
  }
  const std::string expected = FileBytes(path);
  ASSERT_FALSE(expected.empty()) << path << " is missing; KVT_GOLDEN_UPDATE=1 writes it";
  std::size_t at = 0;
  while (at < expected.size() && at < actual.size() && expected[at] == actual[at]) ++at;
  const std::size_t from = at > 60 ? at - 60 : 0;
  EXPECT_TRUE(expected == actual) << relative << ": first difference at byte " << at << "\n  expected: ..."
                                  << Escaped(expected.substr(from, 140)) << "\n  actual:   ..."
                                  << Escaped(actual.substr(from, 140));
}

}  // namespace kvt::test
