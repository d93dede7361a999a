// TextSensor and TextSensorMulPar: always a zero-terminated text within the
// buffer; unknown classes give the empty text, unknown codes of a known
// class say so with their number.
#include <gtest/gtest.h>

#include "driver_support.h"

namespace drvtest {
namespace {

std::string Text(int textClass, WORD code, int size = 255) {
  std::string buffer(300, '\xCC');
  TextSensor(textClass, code, buffer.data(), size, 0);
  return buffer.substr(0, buffer.find('\0'));
}

TEST(Texts, UnknownClassesAndCodes) {
  struct Case {
    const char *name;
    int textClass;
    WORD code;
    const char *expected;
  };
  const std::vector<Case> cases = {
      {"unknown class", 9999, 0, ""},
      {"negative class", -1, 0, ""},
      {"unknown byte code of the mode class", 1, 0xFE, "Betriebsmodus: unbekannt (0xFE)"},
      {"unknown word code of the baud rate class", 21, 0x1234, "Baudrate: unbekannt (0x1234)"},
      {"unknown error number", 4, 0x1234, " - unbekannte Fehlernummer 4660"},
  };
  for (const Case &c : cases) EXPECT_EQ(Escaped(Text(c.textClass, c.code)), Escaped(c.expected)) << c.name;
}

TEST(Texts, KeepToTheBuffer) {
  const std::string full = Text(1, 0xFE);
  for (int size = 1; size <= static_cast<int>(full.size()) + 1; ++size) {
    std::string buffer(full.size() + 8, '\xCC');
    TextSensor(1, 0xFE, buffer.data(), size, 0);
    const std::size_t kept = std::min<std::size_t>(size - 1, full.size());
    EXPECT_EQ(buffer.substr(0, kept), full.substr(0, kept)) << size;
    EXPECT_EQ(buffer[kept], '\0') << size;
    EXPECT_EQ(buffer.find_first_not_of('\xCC', kept + 1), std::string::npos) << size;
  }
  char untouched = 'x';
  EXPECT_FALSE(TextSensor(1, 0, &untouched, 0, 0));
  EXPECT_EQ(untouched, 'x');
}

TEST(Texts, ListClassesUnknownGiveTheEmptyText) {
  const WORD values[4] = {1, 2, 3, 4};
  std::string buffer(64, '\xCC');
  TextSensorMulPar(9999, values, buffer.data(), 64, 0);
  EXPECT_EQ(buffer[0], '\0');
  buffer.assign(64, '\xCC');
  TextSensorMulPar(86, nullptr, buffer.data(), 64, 0);
  EXPECT_EQ(buffer[0], '\0') << "no list, no text";
  EXPECT_FALSE(TextSensorMulPar(86, values, nullptr, 64, 0));
}

// Every code text of every class fits the library's 255-byte buffer.
TEST(Texts, EveryTextFitsTheLibrarysBuffer) {
  for (int textClass = 0; textClass < 256; ++textClass) {
    for (unsigned code = 0; code < 0x100; ++code) {
      std::string buffer(300, '\xCC');
      TextSensor(textClass, static_cast<WORD>(code), buffer.data(), 255, 0);
      EXPECT_NE(buffer.find('\0'), std::string::npos);
      EXPECT_LT(buffer.find('\0'), 255u) << textClass << "/" << code;
    }
  }
}

}  // namespace
}  // namespace drvtest
