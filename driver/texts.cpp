// TextSensor and TextSensorMulPar: German words for the codes found in the
// answers, looked up in the text class table (texts_table.cpp).
#include <cstdio>

#include "driver.h"

namespace kvtdrv {

namespace {

const TextClass *FindClass(int id) {
  for (const TextClass &c : TextClasses()) {
    if (c.id == id) return &c;
  }
  return nullptr;
}

BOOL Write(LPSTR text, int textSize, const char *value) {
  lstrcpynA(text, value, textSize);
  return TRUE;
}

}  // namespace

}  // namespace kvtdrv

KVT_DRV_API BOOL WINAPI TextSensor(int textClass, WORD code, LPSTR text, int textSize, int) {
  using namespace kvtdrv;
  if (!text || textSize <= 0) return FALSE;
  const TextClass *c = FindClass(textClass);
  if (!c || c->codes.empty()) return Write(text, textSize, "");
  for (const CodeText &row : c->codes) {
    if (row.code == code) return Write(text, textSize, row.text);
  }
  char unknown[24];
  std::snprintf(unknown, sizeof unknown, code > 0xFF ? "unbekannt (0x%04X)" : "unbekannt (0x%02X)", code);
  return Write(text, textSize, unknown);
}

KVT_DRV_API BOOL WINAPI TextSensorMulPar(int textClass, const void *params, LPSTR text, int textSize, int) {
  using namespace kvtdrv;
  if (!text || textSize <= 0) return FALSE;
  const TextClass *c = FindClass(textClass);
  if (!c || !c->listFormat || !params) return Write(text, textSize, "");
  constexpr std::size_t kMaxValues = 8;
  std::array<unsigned, kMaxValues> v{};
  const BYTE *bytes = static_cast<const BYTE *>(params);
  const std::size_t count = c->listCount < kMaxValues ? c->listCount : kMaxValues;
  const std::span<const BYTE> list(bytes, count * c->listWidth);
  for (std::size_t i = 0; i < count; ++i) {
    v[i] = c->listWidth == 4 ? kvt::Dword(list, 4 * i) : kvt::Word(list, 2 * i);
  }
  char built[256];
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-nonliteral"
  std::snprintf(built, sizeof built, c->listFormat, v[0], v[1], v[2], v[3], v[4], v[5], v[6], v[7]);
#pragma GCC diagnostic pop
  return Write(text, textSize, built);
}
