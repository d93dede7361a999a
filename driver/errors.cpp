// The German text of the last failure, handed out by ErrorSensor.
#include <cstdio>

#include "driver.h"

namespace kvtdrv {

namespace {

constexpr const char *kNoError = "Kein Fehler aufgetreten.";
char g_text[160] = "Kein Fehler aufgetreten.";

}  // namespace

void SetError(const char *format, unsigned value) {
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-nonliteral"
  std::snprintf(g_text, sizeof g_text, format, value);
#pragma GCC diagnostic pop
}

void SetErrorText(std::string_view text) {
  const std::size_t length = text.size() < sizeof g_text ? text.size() : sizeof g_text - 1;
  text.copy(g_text, length);
  g_text[length] = '\0';
}

void ClearError() { SetError(kNoError); }

const char *LastError() { return g_text; }

}  // namespace kvtdrv
