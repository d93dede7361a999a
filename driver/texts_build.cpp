// Small helpers of the text builders.
#include <cstdarg>
#include <cstdio>

#include "driver.h"

namespace kvtdrv {

void PutBuilt(std::span<char> out, const char *format, ...) {
  if (out.empty()) return;
  va_list args;
  va_start(args, format);
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-nonliteral"
  const int written = std::vsnprintf(out.data(), out.size(), format, args);
#pragma GCC diagnostic pop
  va_end(args);
  if (written < 0) out[0] = '\0';
}

void PutBitNames(std::span<char> out, const char *label, DWORD mask, std::span<const char *const> names) {
  if ((mask >> names.size()) != 0) {
    PutBuilt(out, "%s: unbekannt (0x%04lX)", label, mask);
    return;
  }
  std::string text;
  for (std::size_t bit = 0; bit < names.size(); ++bit) {
    if ((mask & (1u << bit)) == 0) continue;
    if (!text.empty()) text += ", ";
    text += names[bit];
  }
  PutBuilt(out, "%s: %s", label, text.empty() ? "keine" : text.c_str());
}

std::string Decimal(DWORD value, unsigned places) {
  DWORD scale = 1;
  for (unsigned i = 0; i < places; ++i) scale *= 10;
  std::string text = std::to_string(value / scale);
  if (places == 0) return text;
  std::string fraction = std::to_string(value % scale);
  fraction.insert(0, places - fraction.size(), '0');
  return text + "," + fraction;
}

}  // namespace kvtdrv
