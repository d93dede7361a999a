// Reading numbers from edit texts.
#include <gtest/gtest.h>

#include "dialogs/dialogs.h"

namespace kvt {
namespace {

TEST(NumbersTest, TextToNumber) {
  const struct {
    const char *text;
    std::int32_t expected;
  } cases[] = {
      {"", 0},        {"0", 0},      {"127", 127},   {"-12", -12},  {"1-2", -12},  {"12a", 0},
      {"12 ", 0},     {"1 2", 2},    {" 12", 12},    {"0x1F", 31},  {"0x1f", 31},  {"0X10", 16},
      {"0x1G", 65535}, {"0x", 0},     {"0x 1F", 31},  {"abc0x10", 16}, {"300", 300}, {"x", 0},
  };
  for (const auto &c : cases) EXPECT_EQ(TextToNumber(c.text), c.expected) << '"' << c.text << '"';
}

TEST(NumbersTest, TextToUnsigned) {
  const struct {
    const char *text;
    std::uint32_t expected;
  } cases[] = {
      {"", 0}, {"12", 12}, {" 12", 12}, {"-12", 65535}, {"12 ", 0}, {"1a", 65535},
      {"0xFF", 255}, {"0xZ", 65535}, {"4294967295", 4294967295u},
  };
  for (const auto &c : cases) EXPECT_EQ(TextToUnsigned(c.text), c.expected) << '"' << c.text << '"';
}

}  // namespace
}  // namespace kvt
