// The telegram log: one line per request and per answer, appended to the
// file named by the log key, with a timestamp and the direction
// (> to the device, < from it). The file is opened per line so that it can
// be read, moved or deleted while the driver runs.
#include <cstdio>

#include "driver.h"

namespace kvtdrv {

namespace {

void AppendLine(const std::string &line) {
  const std::string &path = Config().logPath;
  if (path.empty()) return;
  HANDLE file = CreateFileA(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;  // a log that cannot be written must not stop the exchange
  DWORD written = 0;
  WriteFile(file, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
  CloseHandle(file);
}

std::string Stamp(LogDirection direction) {
  SYSTEMTIME t;
  GetLocalTime(&t);
  char text[40];
  std::snprintf(text, sizeof text, "%04u-%02u-%02u %02u:%02u:%02u.%03u %c", t.wYear, t.wMonth, t.wDay, t.wHour,
                t.wMinute, t.wSecond, t.wMilliseconds, static_cast<char>(direction));
  return text;
}

}  // namespace

std::size_t RequestLogLength(std::span<const BYTE> request) {
  std::size_t length = request.size();
  while (length > kvt::kRecData && request[length - 1] == 0) --length;
  return length;
}

void LogRecord(LogDirection direction, std::span<const BYTE> bytes) {
  if (Config().logPath.empty()) return;
  std::string line = Stamp(direction);
  line.reserve(line.size() + bytes.size() * 3 + 2);
  constexpr char kHex[] = "0123456789ABCDEF";
  for (BYTE b : bytes) {
    line += ' ';
    line += kHex[b >> 4];
    line += kHex[b & 0x0F];
  }
  line += "\r\n";
  AppendLine(line);
}

void LogNote(LogDirection direction, std::string_view note) {
  if (Config().logPath.empty()) return;
  std::string line = Stamp(direction);
  line += ' ';
  line += note;
  line += "\r\n";
  AppendLine(line);
}

}  // namespace kvtdrv
