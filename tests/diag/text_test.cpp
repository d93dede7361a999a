// The result-text appender, the string table and the two format routines.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "answers/answers.h"
#include "entry/entry.h"
#include "support/ui_script.h"

namespace kvt {
namespace {

using test::Escaped;

struct AppendCase {
  const char *name;
  std::size_t capacity;
  const char *before;
  const char *piece;
  bool replace;
  const char *expected;
};

TEST(ResultTextTest, NeverWritesPastCapacity) {
  const AppendCase cases[] = {
      {"room for all", 16, "ab", "cd", false, "abcd"},
      {"cut at the end", 6, "ab", "cdefgh", false, "abcde"},
      {"exactly full", 5, "ab", "cd", false, "abcd"},
      {"no room left", 3, "ab", "cd", false, "ab"},
      {"capacity one", 1, "", "xyz", false, ""},
      {"replace cut", 4, "abc", "uvwxyz", true, "uvw"},
      {"replace shorter", 10, "abcdefgh", "u", true, "u"},
      {"unterminated host text counts as full", 4, "abcd", "e", false, "abc"},
  };
  for (const auto &c : cases) {
    std::string buffer(c.capacity + 8, '#');  // canary bytes behind the capacity
    std::copy(c.before, c.before + std::strlen(c.before), buffer.begin());
    if (std::strlen(c.before) < c.capacity) buffer[std::strlen(c.before)] = '\0';
    ResultText out{buffer.data(), c.capacity};
    if (c.replace) Replace(out, c.piece); else Append(out, c.piece);
    EXPECT_EQ(std::string(buffer.c_str()), c.expected) << c.name;
    EXPECT_EQ(buffer.substr(c.capacity), std::string(8, '#')) << c.name << ": wrote past the capacity";
  }
}

TEST(ResultTextTest, CapacityZeroWritesNothing) {
  char buffer[4] = {'x', 'y', 'z', 0};
  ResultText out{buffer, 0};
  Append(out, "abc");
  Replace(out, "abc");
  EXPECT_STREQ(buffer, "xyz");
}

TEST(ResultTextTest, CarriageReturnsBecomeBlanks) {
  char buffer[32] = "a\rb\r\nc";
  ResultText out{buffer, sizeof buffer};
  CarriageReturnsToBlanks(out);
  EXPECT_STREQ(buffer, "a b \nc");
}

class FormatTest : public ::testing::Test {
 protected:
  void SetUp() override { SetInstance(GetModuleHandleA(nullptr)); }
};

TEST_F(FormatTest, StringTableTextsAreCp1252) {
  const struct {
    UINT id;
    const char *expected;
  } cases[] = {
      {1, "Diagnose"},
      {2, "Diagnose ausf\xFChren"},
      {17, "Kommunikation mit dem Sensor nicht in Ordnung !"},
      {66, "Sensor wird zur\xFC" "ckgesetzt!"},
      {243, "\nBei der Kommunikation benutzte Adresse %3u  mit Zielger\xE4t  KVT.\n\n"},
      {212, "*****************************************************************************\n"},
  };
  for (const auto &c : cases) {
    char text[kStringLimit];
    LoadText(c.id, text);
    EXPECT_EQ(Escaped(text), Escaped(c.expected)) << "string " << c.id;
  }
}

TEST_F(FormatTest, FormatFromTableFillsTheArguments) {
  EXPECT_STREQ(FormatFromTable(57, 401), "Anzahl der Messwerte: 401.\n");
  EXPECT_STREQ(FormatFromTable(243, 7), "\nBei der Kommunikation benutzte Adresse   7  mit Zielger\xE4t  KVT.\n\n");
  EXPECT_STREQ(FormatFromTable(264, 4000000000u), "4000000000;       ");
}

TEST_F(FormatTest, TwoCallsLeaveOnlyTheSecondResult) {
  const char *first = FormatFromTable(57, 1);
  const char *second = FormatFromTable(57, 2);
  EXPECT_EQ(first, second);
  EXPECT_STREQ(first, "Anzahl der Messwerte:   2.\n");
}

TEST_F(FormatTest, LiteralFormatsAndLongResultsAreCut) {
  EXPECT_STREQ(FormatLiteral("\n(%02d) ", 3), "\n(03) ");
  std::string longText(600, 'a');
  EXPECT_EQ(std::string(FormatLiteral("%s", longText.c_str())).size(), kFormatBufferSize - 1);
}

TEST_F(FormatTest, MessageBoxShowsDriverTextUnchangedUnderDiagnose) {
  std::string caption;
  std::string text;
  test::StartUiScript({{"Diagnose", [&](HWND box) {
                          caption = test::WindowText(box);
                          text = test::MessageBoxText(box);
                          test::Click(box, IDOK);
                        }}});
  const int result = MessageBoxFromTable(nullptr, kMessageFlags, kTextArgument, "100% kaputt %s");
  test::StopUiScript();
  EXPECT_EQ(result, IDOK);
  EXPECT_EQ(caption, "Diagnose");
  EXPECT_EQ(text, "100% kaputt %s");
}

TEST_F(FormatTest, MessageBoxFormatsTableMessages) {
  std::string text;
  test::StartUiScript({{"Diagnose", [&](HWND box) {
                          text = test::MessageBoxText(box);
                          test::Click(box, IDOK);
                        }}});
  MessageBoxFromTable(nullptr, kMessageFlags, 221);
  test::StopUiScript();
  EXPECT_EQ(text, "Adresse muss zwischen 0 und 127  liegen!");
}

}  // namespace
}  // namespace kvt
