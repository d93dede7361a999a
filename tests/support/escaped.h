// Bytes as readable text for failure messages: printable ASCII as it is,
// everything else as \xNN ("ab\x0Ac\xE4").
#pragma once

#include <cstdio>
#include <string>
#include <string_view>

namespace kvt::test {

inline std::string Escaped(std::string_view bytes) {
  std::string out;
  for (unsigned char c : bytes) {
    if (c >= 0x20 && c < 0x7F && c != '\\') {
      out += static_cast<char>(c);
    } else {
      char hex[8];
      std::snprintf(hex, sizeof hex, "\\x%02X", c);
      out += hex;
    }
  }
  return out;
}

}  // namespace kvt::test
