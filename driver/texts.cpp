// TextSensor and TextSensorMulPar: German words for the codes found in the
// answers, looked up in the text classes (texts_table.cpp and its groups).
// Every call leaves a zero-terminated text within textSize bytes.
#include <cstdio>

#include "driver.h"

namespace kvtdrv {

namespace {

BOOL Write(int textClass, LPSTR text, int textSize, const char *value) {
  lstrcpynA(text, value, textSize);
  FilterText(textClass, text, textSize);
  return TRUE;
}

// The text of a code that the class has no row for.
void OtherCode(const TextClass &c, WORD code, std::span<char> out) {
  if (c.build) {
    const DWORD value = code;
    c.build(std::span(&value, 1), out);
  } else if (c.otherCodes && c.signedCode) {
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-nonliteral"
    std::snprintf(out.data(), out.size(), c.otherCodes, static_cast<int>(static_cast<short>(code)));
  } else if (c.otherCodes) {
    std::snprintf(out.data(), out.size(), c.otherCodes, static_cast<unsigned>(code));
#pragma GCC diagnostic pop
  } else {
    PutBuilt(out, code > 0xFF ? "%sunbekannt (0x%04X)" : "%sunbekannt (0x%02X)", c.prefix, code);
  }
}

}  // namespace

}  // namespace kvtdrv

KVT_DRV_API BOOL WINAPI TextSensor(int textClass, WORD code, LPSTR text, int textSize, int) {
  using namespace kvtdrv;
  if (!text || textSize <= 0) return FALSE;
  const TextClass *c = FindTextClass(textClass);
  if (!c || c->listCount != 0) return Write(textClass, text, textSize, "");
  for (const CodeText &row : c->codes) {
    if (row.code == code) return Write(textClass, text, textSize, row.text);
  }
  char built[256];
  OtherCode(*c, code, built);
  return Write(textClass, text, textSize, built);
}

KVT_DRV_API BOOL WINAPI TextSensorMulPar(int textClass, const void *params, LPSTR text, int textSize, int) {
  using namespace kvtdrv;
  if (!text || textSize <= 0) return FALSE;
  const TextClass *c = FindTextClass(textClass);
  if (!c || c->listCount == 0 || !params) return Write(textClass, text, textSize, "");
  std::array<DWORD, kMaxListValues> values{};
  const std::size_t count = c->listCount < kMaxListValues ? c->listCount : kMaxListValues;
  const std::span<const BYTE> list(static_cast<const BYTE *>(params), count * c->listWidth);
  for (std::size_t i = 0; i < count; ++i) {
    values[i] = c->listWidth == 4 ? kvt::Dword(list, 4 * i) : kvt::Word(list, 2 * i);
  }
  char built[256];
  if (c->build) {
    c->build(std::span<const DWORD>(values.data(), count), std::span<char>(built));
  } else {
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-nonliteral"
    std::snprintf(built, sizeof built, c->listFormat ? c->listFormat : "", values[0], values[1], values[2], values[3],
                  values[4], values[5], values[6], values[7]);
#pragma GCC diagnostic pop
  }
  return Write(textClass, text, textSize, built);
}
