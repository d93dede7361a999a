// Bytes as readable text for failure messages.
#pragma once

#include <windows.h>

#include <cstdio>
#include <span>
#include <string>
#include <string_view>

namespace kvt::test {

// Printable ASCII as it is, everything else as \xNN ("ab\x0Ac\xE4").
inline std::string Escaped(std::string_view bytes) {
  std::string out;
  for (unsigned char c : bytes) {
    char hex[8];
    std::snprintf(hex, sizeof hex, c >= 0x20 && c < 0x7F && c != '\\' ? "%c" : "\\x%02X", c);
    out += hex;
  }
  return out;
}

// "3C 03 00 ..." for byte layouts.
inline std::string Hex(std::span<const BYTE> bytes) {
  std::string out;
  for (BYTE b : bytes) {
    char hex[4];
    std::snprintf(hex, sizeof hex, "%02X", b);
    out.append(out.empty() ? "" : " ").append(hex);
  }
  return out;
}

}  // namespace kvt::test
