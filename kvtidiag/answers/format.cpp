// The one place that loads strings, the two format routines and the message box.
#include <cstdarg>
#include <cstring>
#include <map>
#include <string>
#include <utility>

#include "answers/answers.h"

namespace kvt {

namespace {

HINSTANCE g_instance = nullptr;
char g_formatResult[kFormatBufferSize];
char g_literalResult[kFormatBufferSize];

// wvsprintfA may write up to 1024 characters; format there, then cut.
void FormatInto(std::span<char> target, const char *format, va_list args) {
  char scratch[1025];
  const int written = wvsprintfA(scratch, format, args);
  const std::size_t length = written > 0 ? static_cast<std::size_t>(written) : 0;
  const std::size_t count = length < target.size() - 1 ? length : target.size() - 1;
  std::memcpy(target.data(), scratch, count);
  target[count] = '\0';
}

// Loaded as UTF-16 and converted with code page 1252 explicitly, so the
// bytes do not depend on the system's ANSI code page.
std::string LoadFromResources(UINT id) {
  WCHAR wide[kStringLimit];
  const int length = LoadStringW(Instance(), id, wide, static_cast<int>(kStringLimit));
  if (length <= 0) return {};
  char text[2 * kStringLimit];
  const int bytes = WideCharToMultiByte(1252, 0, wide, length, text, sizeof text, nullptr, nullptr);
  return std::string(text, bytes > 0 ? static_cast<std::size_t>(bytes) : 0);
}

// A report asks for the same few strings many times: each is loaded once
// per module and kept.
const std::string &CachedText(UINT id) {
  static std::map<std::pair<HINSTANCE, UINT>, std::string> cache;
  const auto key = std::make_pair(Instance(), id);
  auto found = cache.find(key);
  if (found == cache.end()) found = cache.emplace(key, LoadFromResources(id)).first;
  return found->second;
}

}  // namespace

HINSTANCE Instance() { return g_instance; }
void SetInstance(HINSTANCE instance) { g_instance = instance; }

void LoadText(UINT id, std::span<char> buffer) {
  if (buffer.empty()) return;
  const std::string &text = CachedText(id);
  const std::size_t count = text.size() < buffer.size() - 1 ? text.size() : buffer.size() - 1;
  std::memcpy(buffer.data(), text.data(), count);
  buffer[count] = '\0';
}

const char *FormatFromTable(UINT id, ...) {
  char format[kStringLimit];
  LoadText(id, format);
  va_list args;
  va_start(args, id);
  FormatInto(g_formatResult, format, args);
  va_end(args);
  return g_formatResult;
}

const char *FormatLiteral(const char *format, ...) {
  va_list args;
  va_start(args, format);
  FormatInto(g_literalResult, format, args);
  va_end(args);
  return g_literalResult;
}

int MessageBoxFromTable(HWND owner, UINT flags, int id, ...) {
  char message[kMessageBufferSize];
  va_list args;
  va_start(args, id);
  if (id == kTextArgument) {
    // A ready text (a driver's): shown as it is, even with % in it.
    const char *text = va_arg(args, const char *);
    lstrcpynA(message, text ? text : "", sizeof message);
  } else {
    char format[kStringLimit];
    LoadText(static_cast<UINT>(id), format);
    FormatInto(message, format, args);
  }
  va_end(args);
  char caption[kStringLimit];
  LoadText(ids::kDiagnosisCaption, caption);
  return MessageBoxA(owner, message, caption, flags);
}

}  // namespace kvt
