// The decoded trace: each session opens with a header block, each request
// (>) and answer (<) gets a line with its time, code and name, the answer
// its round trip, and the telegram's bytes follow, 16 a line behind their
// record offset. The lines are appended to the file of the log key (opened
// per entry, so that it can be read, moved or deleted while the driver runs)
// and kept in memory, the newest 1 MiB, for SimTraceText.
#include <algorithm>
#include <cstring>
#include <vector>

#include "driver.h"

namespace kvtdrv {

namespace {

constexpr std::size_t kKeptBytes = 1 << 20;
constexpr char kDropped[] = "(ältere Zeilen des Protokolls verworfen)\r\n";
constexpr std::size_t kBytesPerLine = 16;

// The newest bytes of the trace in a ring that is filled in once, when the
// first entry comes, so that the trace never grows the process afterwards.
struct Ring {
  std::vector<char> bytes = std::vector<char>(kKeptBytes, '\0');
  std::size_t start = 0;
  std::size_t size = 0;
  bool dropped = false;
};

Ring &TheRing() {
  static Ring ring;
  return ring;
}

void AppendToFile(std::string_view entry) {
  const std::string &path = Config().logPath;
  if (path.empty()) return;
  HANDLE file = CreateFileA(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;  // a log that cannot be written must not stop the exchange
  DWORD written = 0;
  WriteFile(file, entry.data(), static_cast<DWORD>(entry.size()), &written, nullptr);
  CloseHandle(file);
}

void Keep(std::string_view text) {
  AppendToFile(text);
  Ring &ring = TheRing();
  if (text.size() > kKeptBytes) {
    text.remove_prefix(text.size() - kKeptBytes);
    ring.dropped = true;
  }
  if (ring.size + text.size() > kKeptBytes) {
    const std::size_t overflow = ring.size + text.size() - kKeptBytes;
    ring.start = (ring.start + overflow) % kKeptBytes;
    ring.size -= overflow;
    ring.dropped = true;
  }
  const std::size_t at = (ring.start + ring.size) % kKeptBytes;
  const std::size_t first = std::min(text.size(), kKeptBytes - at);
  std::memcpy(ring.bytes.data() + at, text.data(), first);
  std::memcpy(ring.bytes.data(), text.data() + first, text.size() - first);
  ring.size += text.size();
}

LONGLONG Now() {
  LARGE_INTEGER ticks;
  QueryPerformanceCounter(&ticks);
  return ticks.QuadPart;
}

// The entry being written: one buffer for all, so that tracing an exchange
// allocates nothing once it has grown to the largest entry.
std::string &NewEntry() {
  static std::string entry;
  entry.clear();
  return entry;
}

constexpr char kHex[] = "0123456789ABCDEF";

void PutDigits(std::string &out, unsigned value, int width) {
  char digits[10];
  for (int i = width - 1; i >= 0; --i, value /= 10) digits[i] = static_cast<char>('0' + value % 10);
  out.append(digits, static_cast<std::size_t>(width));
}

// The local time with milliseconds, and with the date before it when asked.
void PutClock(std::string &out, bool withDate) {
  SYSTEMTIME t;
  GetLocalTime(&t);
  if (withDate) {
    PutDigits(out, t.wYear, 4);
    out += '-';
    PutDigits(out, t.wMonth, 2);
    out += '-';
    PutDigits(out, t.wDay, 2);
    out += ' ';
  }
  PutDigits(out, t.wHour, 2);
  out += ':';
  PutDigits(out, t.wMinute, 2);
  out += ':';
  PutDigits(out, t.wSecond, 2);
  if (withDate) return;
  out += '.';
  PutDigits(out, t.wMilliseconds, 3);
}

void PutCode(std::string &out, BYTE code) {
  out += "0x";
  out += kHex[code >> 4];
  out += kHex[code & 0x0F];
  out += ' ';
}

// Milliseconds since `sent`, two places behind a decimal comma.
void PutSince(std::string &out, LONGLONG sent) {
  static const LONGLONG frequency = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return f.QuadPart;
  }();
  const auto hundredths = static_cast<unsigned long long>((Now() - sent) * 100000 / frequency);
  out += std::to_string(hundredths / 100);
  out += ',';
  PutDigits(out, static_cast<unsigned>(hundredths % 100), 2);
  out += " ms";
}

// The bytes below their line's first record offset, as the formatters count.
void PutBytes(std::string &out, std::span<const BYTE> bytes) {
  for (std::size_t at = 0; at < bytes.size(); at += kBytesPerLine) {
    out += "    ";
    PutDigits(out, static_cast<unsigned>(at), 3);
    out += ':';
    for (std::size_t i = at; i < bytes.size() && i < at + kBytesPerLine; ++i) {
      out += ' ';
      out += kHex[bytes[i] >> 4];
      out += kHex[bytes[i] & 0x0F];
    }
    out += "\r\n";
  }
}

// The answer code and its request's name, and the code a device gives when
// this one differs.
void PutAnswerName(std::string &out, BYTE answer, BYTE command) {
  PutCode(out, answer);
  if (answer == kNakCode) {
    out += "Befehl unbekannt (NAK)";
    return;
  }
  out += CommandName(command);
  const BYTE expected = ExpectedAnswer(command);
  if (expected == 0 || expected == answer) return;
  out += " (erwartet ";
  PutCode(out, expected);
  out.back() = ')';
}

void PutAnswerEnd(std::string &out, LONGLONG sent, std::span<const BYTE> bytes) {
  out += ", nach ";
  PutSince(out, sent);
  out += TakeFaultMarks();
  out += "\r\n";
  PutBytes(out, bytes);
  Keep(out);
}

}  // namespace

void TraceSession(std::string_view title) {
  const SimConfig &config = Config();
  std::string &entry = NewEntry();
  entry.append("==== ").append(title).append(" ");
  PutClock(entry, true);
  entry.append(" ====\r\n");
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
  Keep(entry);
}

void TraceEvent(std::string_view text) {
  std::string &entry = NewEntry();
  PutClock(entry, false);
  entry.append(" ").append(text).append(TakeFaultMarks()).append("\r\n");
  Keep(entry);
}

LONGLONG TraceRequest(std::span<const BYTE> request) {
  const BYTE command = request[kvt::kRecCode];
  std::string &entry = NewEntry();
  PutClock(entry, false);
  entry += " > ";
  PutCode(entry, command);
  entry.append(CommandName(command)).append("\r\n");
  PutBytes(entry, request.first(RequestLength(request)));
  Keep(entry);
  return Now();
}

void TraceAnswer(LONGLONG sent, std::string_view what, std::span<const BYTE> bytes) {
  std::string &entry = NewEntry();
  PutClock(entry, false);
  entry.append(" < ").append(what);
  PutAnswerEnd(entry, sent, bytes);
}

void TraceDelivered(LONGLONG sent, BYTE command, std::span<const BYTE> answer, std::string_view note) {
  std::string &entry = NewEntry();
  PutClock(entry, false);
  entry += " < ";
  PutAnswerName(entry, answer[kvt::kRecCode], command);
  entry += note;
  PutAnswerEnd(entry, sent, answer);
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

}  // namespace kvtdrv

KVT_DRV_API DWORD WINAPI SimTraceText(char *buffer, DWORD capacity) {
  using namespace kvtdrv;
  const Ring &ring = TheRing();
  std::string kept(ring.size, '\0');
  const std::size_t first = std::min(ring.size, kKeptBytes - ring.start);
  std::memcpy(kept.data(), ring.bytes.data() + ring.start, first);
  std::memcpy(kept.data() + first, ring.bytes.data(), ring.size - first);
  if (!ring.dropped) return CopyOut(kept, buffer, capacity);
  // Whole lines only, and no byte rows without the line they belong to.
  std::size_t from = 0;
  while ((from = kept.find("\r\n", from)) != std::string::npos && kept.compare(from + 2, 1, " ") == 0) from += 2;
  return CopyOut(kDropped + (from == std::string::npos ? std::string() : kept.substr(from + 2)), buffer, capacity);
}
