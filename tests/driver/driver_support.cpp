#include "driver_support.h"

#include <cstdio>

namespace drvtest {

namespace {

// The tests set the configuration themselves; a variable from the caller's
// environment must not change what they see.
const bool g_environmentCleared = SetEnvironmentVariableA("KVTIDRV_SIM", nullptr);

}  // namespace

TelegramRecord Request(BYTE type, BYTE address, BYTE command, const std::vector<BYTE> &data) {
  TelegramRecord r{};
  kvt::PutWord(r, kvt::kRecSize, kvt::kRecordSize);
  r[kvt::kRecType] = type;
  r[kvt::kRecAddress] = address;
  r[kvt::kRecCode] = command;
  for (std::size_t i = 0; i < data.size(); ++i) r[kvt::kRecData + i] = data[i];
  return r;
}

std::string Hex(std::span<const BYTE> bytes) {
  std::string out;
  char hex[4];
  for (BYTE b : bytes) {
    std::snprintf(hex, sizeof hex, "%02X", b);
    if (!out.empty()) out += ' ';
    out += hex;
  }
  return out;
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

OpenDriver::OpenDriver(const char *config) {
  SimConfigure(config);
  SimReset();
  handle = LoadSensor(0);
  OpenSensor(handle);
}

OpenDriver::~OpenDriver() {
  Unload(handle);
  SimConfigure("");
  SimReset();
}

void Unload(DWORD handle) {
  CloseSensor(handle);
  FreeSensor(handle);
}

std::string ByteDifferences(std::span<const BYTE> record, const std::vector<std::pair<std::size_t, BYTE>> &expected) {
  std::string out;
  char line[64];
  for (const auto &[at, value] : expected) {
    if (record[at] != value) {
      std::snprintf(line, sizeof line, " byte %zu: expected %02X, got %02X;", at, value, record[at]);
      out += line;
    }
  }
  return out;
}

}  // namespace drvtest
