// TextSensor and TextSensorMulPar as the library relies on them: codes
// without words name themselves, the formats take exactly the texts the
// library passes, lists read only their values, every text fits the
// library's buffer and keeps to the size it is given.
#include <gtest/gtest.h>

#include "driver/buffers.h"
#include "support/records.h"
#include "support/texts.h"

namespace kvt::test {
namespace {

std::string Text(int textClass, WORD code) {
  char buffer[300];
  std::fill(std::begin(buffer), std::end(buffer), '\xCC');
  TextSensor(textClass, code, buffer, 255, 0);
  return buffer;
}

std::string ListText(int textClass, const void *values) {
  char buffer[300];
  std::fill(std::begin(buffer), std::end(buffer), '\xCC');
  TextSensorMulPar(textClass, values, buffer, 255, 0);
  return buffer;
}

TEST(Texts, CodesWithoutWordsNameThemselves) {
  const struct {
    int textClass;
    WORD code;
    const char *expected;
  } cases[] = {
      {1, 0xFE, "Betriebsmodus: unbekannt (0xFE)"},
      {4, 0x1234, " - unbekannte Fehlernummer 4660"},
      {28, 0xFFFF, text::kAddress65535},
      {122, 0xFF80, text::kTemperatureMinus128},
      {9999, 0, ""},
      {91, 1, ""},  // a list class asked for a code
  };
  for (const auto &c : cases) {
    EXPECT_EQ(Escaped(Text(c.textClass, c.code)), Escaped(c.expected)) << "class " << c.textClass;
  }
  const WORD values[8] = {1, 2, 3, 4, 5, 6, 7, 8};
  EXPECT_EQ(ListText(1, values), "") << "a code class asked for a list";
  EXPECT_EQ(ListText(9999, values), "");
  EXPECT_EQ(ListText(91, nullptr), "") << "no list";
  EXPECT_FALSE(TextSensorMulPar(86, values, nullptr, 64, 0));
  char untouched = 'x';
  EXPECT_FALSE(TextSensor(1, 0, &untouched, 0, 0));
  EXPECT_EQ(untouched, 'x');
}

// The formats the library fills with addresses of answer texts: each
// conversion a %s with a precision, as many as the library passes texts.
TEST(Texts, FormatsTakeTheTextsTheLibraryPasses) {
  const struct {
    int textClass;
    std::vector<std::string> conversions;
    const char *filled;  // with "V02.10", "SN0415372"
  } cases[] = {
      {18, {"%.8s", "%.9s"}, "Programmversion: V02.10   Seriennummer: SN0415372"},
      {68, {"%.8s"}, text::kVariantFormatFilled},
      {60, {"%.8s"}, "Sensortyp: V02.10"},
      {61, {"%.8s"}, "Programmversion: V02.10"},
      {62, {"%.100s"}, "Beschreibung: V02.10"},
  };
  for (const auto &c : cases) {
    const std::string format = Text(c.textClass, 0);
    std::vector<std::string> found;
    for (std::size_t at = format.find('%'); at != std::string::npos; at = format.find('%', at + 1)) {
      const std::size_t end = format.find_first_of("sdiuxXcpnSlh%", at + 1);
      ASSERT_NE(end, std::string::npos) << Escaped(format);
      found.push_back(format.substr(at, end - at + 1));
      at = end;
    }
    EXPECT_EQ(found, c.conversions) << "class " << c.textClass << ": " << Escaped(format);
    char filled[256];
    wsprintfA(filled, format.c_str(), "V02.10", "SN0415372");
    EXPECT_EQ(Escaped(filled), Escaped(c.filled)) << "class " << c.textClass;
  }
}

// A list that runs onward from a record byte reads no further than the next
// field of the status record: here it ends right before a page that may not
// be touched.
TEST(Texts, ListsReadOnlyTheirValues) {
  const std::pair<int, std::size_t> rooms[] = {{71, 4},  {84, 16}, {85, 16}, {86, 8},  {87, 8},   {88, 4},   {89, 4},
                                               {91, 8},  {95, 4},  {96, 4},  {97, 15}, {98, 8},   {101, 8},  {102, 8},
                                               {103, 28}, {104, 4}, {107, 16}, {108, 2}, {112, 2}};
  for (const auto &[textClass, bytes] : rooms) {
    GuardedBytes guarded(bytes);
    std::fill(guarded.bytes.begin(), guarded.bytes.end(), BYTE{1});
    EXPECT_FALSE(ListText(textClass, guarded.bytes.data()).empty()) << "class " << textClass;
  }
}

// Every code of every class fits the library's 255-byte buffer, and every
// text keeps to the size it is given.
TEST(Texts, EveryTextFitsAndKeepsToTheBuffer) {
  for (int textClass = 0; textClass < 256; ++textClass) {
    for (unsigned code = 0; code < 0x100; ++code) {
      EXPECT_LT(Text(textClass, static_cast<WORD>(code)).size(), 255u) << textClass << "/" << code;
    }
  }
  ExpectKeepsToTheBuffer("TextSensor", Text(1, 0xFE), [](char *buffer, int size) { TextSensor(1, 0xFE, buffer, size, 0); });
  const WORD laser[3] = {1, 100, 4};
  ExpectKeepsToTheBuffer("TextSensorMulPar", ListText(86, laser),
                         [&](char *buffer, int size) { TextSensorMulPar(86, laser, buffer, size, 0); });
}

}  // namespace
}  // namespace kvt::test
