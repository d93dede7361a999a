// Printing: texts stay CP1252 inside the program and become UTF-8 at the
// moment they are written, with plain line feeds.
#include <fcntl.h>
#include <io.h>

#include <algorithm>
#include <cstdarg>
#include <cstdio>

#include "host.h"

namespace kvt::host {

namespace {

constexpr UINT kAnsiCodePage = 1252;

std::wstring Widen(std::string_view text, UINT codePage, DWORD flags) {
  if (text.empty()) return {};
  const int size = static_cast<int>(text.size());
  const int length = MultiByteToWideChar(codePage, flags, text.data(), size, nullptr, 0);
  if (length <= 0) return {};
  std::wstring wide(static_cast<std::size_t>(length), L'\0');
  MultiByteToWideChar(codePage, flags, text.data(), size, wide.data(), length);
  return wide;
}

// A console takes UTF-16 directly; a pipe or file gets UTF-8 bytes.
void Write(FILE *stream, DWORD handleId, std::string_view cp1252) {
  HANDLE handle = GetStdHandle(handleId);
  DWORD mode = 0;
  if (handle && handle != INVALID_HANDLE_VALUE && GetConsoleMode(handle, &mode)) {
    std::wstring wide = Widen(cp1252, kAnsiCodePage, 0);
    wide += L'\n';
    DWORD written = 0;
    WriteConsoleW(handle, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr);
    return;
  }
  const std::string utf8 = Cp1252ToUtf8(cp1252);
  std::fwrite(utf8.data(), 1, utf8.size(), stream);
  std::fputc('\n', stream);
  std::fflush(stream);
}

}  // namespace

void InitOutput() {
  // Binary mode: a line feed stays one byte.
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stderr), _O_BINARY);
}

void PrintLine(std::string_view cp1252) { Write(stdout, STD_OUTPUT_HANDLE, cp1252); }

void PrintError(std::string_view cp1252) {
  std::fflush(stdout);
  Write(stderr, STD_ERROR_HANDLE, cp1252);
}

std::string Cp1252ToUtf8(std::string_view cp1252) {
  const std::wstring wide = Widen(cp1252, kAnsiCodePage, 0);
  if (wide.empty()) return {};
  const int size = static_cast<int>(wide.size());
  const int length = WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, nullptr, 0, nullptr, nullptr);
  std::string utf8(static_cast<std::size_t>(std::max(length, 0)), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, utf8.data(), length, nullptr, nullptr);
  return utf8;
}

bool Utf8ToCp1252(std::string_view utf8, std::string &cp1252) {
  cp1252.clear();
  if (utf8.empty()) return true;
  const std::wstring wide = Widen(utf8, CP_UTF8, MB_ERR_INVALID_CHARS);
  if (wide.empty()) return false;
  const int size = static_cast<int>(wide.size());
  BOOL lost = FALSE;
  const int length =
      WideCharToMultiByte(kAnsiCodePage, WC_NO_BEST_FIT_CHARS, wide.data(), size, nullptr, 0, nullptr, &lost);
  if (length <= 0 || lost) return false;
  cp1252.assign(static_cast<std::size_t>(length), '\0');
  WideCharToMultiByte(kAnsiCodePage, WC_NO_BEST_FIT_CHARS, wide.data(), size, cp1252.data(), length, nullptr,
                      nullptr);
  return true;
}

std::string FormatText(const char *format, ...) {
  char buffer[2048];
  va_list args;
  va_start(args, format);
  const int length = std::vsnprintf(buffer, sizeof buffer, format, args);
  va_end(args);
  if (length < 0) return {};
  return std::string(buffer, std::min<std::size_t>(static_cast<std::size_t>(length), sizeof buffer - 1));
}

}  // namespace kvt::host
