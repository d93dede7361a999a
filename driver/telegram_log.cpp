// The decoded trace: each session opens with a header block, each request
// (>) and answer (<) gets a line with its time, code and name, the answer
// its round trip, and the telegram's bytes follow, 16 a line behind their
// record offset. The lines are appended to the file of the log key (opened
// per entry, so that it can be read, moved or deleted while the driver runs)
// and kept in memory, the newest 1 MiB, for SimTraceText.
#include <cstdio>
#include <deque>

#include "driver.h"

namespace kvtdrv {

namespace {

constexpr std::size_t kKeptBytes = 1 << 20;
constexpr char kDropped[] = "(ältere Zeilen des Protokolls verworfen)\r\n";
constexpr std::size_t kBytesPerLine = 16;

struct Kept {
  std::deque<std::string> entries;
  std::size_t bytes = 0;
  bool dropped = false;
};

Kept g_kept;

void AppendToFile(const std::string &entry) {
  const std::string &path = Config().logPath;
  if (path.empty()) return;
  HANDLE file = CreateFileA(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;  // a log that cannot be written must not stop the exchange
  DWORD written = 0;
  WriteFile(file, entry.data(), static_cast<DWORD>(entry.size()), &written, nullptr);
  CloseHandle(file);
}

void Keep(std::string entry) {
  AppendToFile(entry);
  g_kept.bytes += entry.size();
  g_kept.entries.push_back(std::move(entry));
  while (g_kept.bytes > kKeptBytes && g_kept.entries.size() > 1) {
    g_kept.bytes -= g_kept.entries.front().size();
    g_kept.entries.pop_front();
    g_kept.dropped = true;
  }
}

std::string Clock(bool withDate) {
  SYSTEMTIME t;
  GetLocalTime(&t);
  char text[32];
  if (withDate) {
    std::snprintf(text, sizeof text, "%04u-%02u-%02u %02u:%02u:%02u", t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute,
                  t.wSecond);
  } else {
    std::snprintf(text, sizeof text, "%02u:%02u:%02u.%03u", t.wHour, t.wMinute, t.wSecond, t.wMilliseconds);
  }
  return text;
}

LONGLONG Now() {
  LARGE_INTEGER ticks;
  QueryPerformanceCounter(&ticks);
  return ticks.QuadPart;
}

// Milliseconds since `sent`, two places behind a decimal comma.
std::string Since(LONGLONG sent) {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  const double ms = static_cast<double>(Now() - sent) * 1000.0 / static_cast<double>(frequency.QuadPart);
  char text[32];
  std::snprintf(text, sizeof text, "%.2f ms", ms);
  std::string out = text;
  for (char &c : out) c = c == '.' ? ',' : c;
  return out;
}

// The bytes below their line's first record offset, as the formatters count.
void AppendBytes(std::string &entry, std::span<const BYTE> bytes) {
  constexpr char kHex[] = "0123456789ABCDEF";
  for (std::size_t at = 0; at < bytes.size(); at += kBytesPerLine) {
    char offset[16];
    std::snprintf(offset, sizeof offset, "    %03u:", static_cast<unsigned>(at));
    entry += offset;
    for (std::size_t i = at; i < bytes.size() && i < at + kBytesPerLine; ++i) {
      entry += ' ';
      entry += kHex[bytes[i] >> 4];
      entry += kHex[bytes[i] & 0x0F];
    }
    entry += "\r\n";
  }
}

std::string Code(BYTE code) {
  char text[8];
  std::snprintf(text, sizeof text, "0x%02X ", code);
  return text;
}

}  // namespace

void TraceSession(std::string_view title) {
  const SimConfig &config = Config();
  std::string entry = "==== ";
  entry.append(title).append(" ").append(Clock(true)).append(" ====\r\n");
  entry.append("Gerät: ").append(KindTitle(config.device));
  entry.append(", Adresse ").append(std::to_string(config.address));
  entry.append(", Variante ").append(std::to_string(config.variant));
  entry.append(", Programmversion ").append(VersionText(config.device));
  entry.append(", Seriennummer ").append(SerialNumber(config.device)).append("\r\n");
  entry.append("Konfiguration: ").append(FormatConfig(config)).append("\r\n");
  entry.append("Simulierte Fehler:");
  if (config.faults.count == 0) entry += " keine";
  for (std::size_t i = 0; i < config.faults.count; ++i) {
    const Fault &f = config.faults.faults[i];
    entry.append(i ? "; " : " ").append(FaultDescription(f.kind)).append(" (").append(FormatFault(f)).append(")");
  }
  entry += "\r\n";
  Keep(std::move(entry));
}

void TraceEvent(std::string_view text) {
  std::string entry = Clock(false);
  entry.append(" ").append(text).append(TakeFaultMarks()).append("\r\n");
  Keep(std::move(entry));
}

LONGLONG TraceRequest(std::span<const BYTE> request) {
  const BYTE command = request[kvt::kRecCode];
  std::string entry = Clock(false) + " > " + Code(command);
  entry.append(CommandName(command)).append("\r\n");
  AppendBytes(entry, request.first(RequestLength(request)));
  Keep(std::move(entry));
  return Now();
}

void TraceAnswer(LONGLONG sent, std::string_view what, std::span<const BYTE> bytes) {
  std::string entry = Clock(false) + " < ";
  entry.append(what).append(", nach ").append(Since(sent)).append(TakeFaultMarks()).append("\r\n");
  AppendBytes(entry, bytes);
  Keep(std::move(entry));
}

DWORD CopyOut(const std::string &text, char *buffer, DWORD capacity) {
  const auto length = static_cast<DWORD>(text.size());
  if (buffer && capacity > length) {
    text.copy(buffer, length);
    buffer[length] = '\0';
  } else if (buffer && capacity >= 1) {
    buffer[0] = '\0';
  }
  return length;
}

// The names of answers: the request's name behind the answer code.
std::string AnswerName(BYTE answer, BYTE command) {
  if (answer == kNakCode) return Code(answer) + "Befehl unbekannt (NAK)";
  std::string name = Code(answer) + std::string(CommandName(command));
  const BYTE expected = ExpectedAnswer(command);
  if (expected != 0 && expected != answer) name += " (erwartet " + Code(expected).substr(0, 4) + ")";
  return name;
}

}  // namespace kvtdrv

KVT_DRV_API DWORD WINAPI SimTraceText(char *buffer, DWORD capacity) {
  using kvtdrv::g_kept;
  std::string text;
  text.reserve(g_kept.bytes + sizeof kvtdrv::kDropped);
  if (g_kept.dropped) text += kvtdrv::kDropped;
  for (const std::string &entry : g_kept.entries) text += entry;
  return kvtdrv::CopyOut(text, buffer, capacity);
}
