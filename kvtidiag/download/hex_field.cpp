// Hexadecimal fields of an Intel-HEX record turned into numbers.
#include "download/download.h"

namespace kvt {

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

// From the last character to the first, so that the place value grows as
// the walk goes; the first character that is no digit ends it.
DWORD HexFieldValue(const char *text) {
  constexpr DWORD kNotHex = 65535;
  if (!text) return 0;
  std::size_t length = 0;
  while (text[length] != '\0') ++length;
  DWORD value = 0;
  DWORD place = 1;
  while (length > 0) {
    const int digit = HexDigit(text[--length]);
    if (digit < 0) return kNotHex;
    value += static_cast<DWORD>(digit) * place;
    place *= 16;
  }
  return value;
}

}  // namespace kvt
