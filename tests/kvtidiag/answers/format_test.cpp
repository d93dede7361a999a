// The two format routines and the message box every failure message uses.
#include <gtest/gtest.h>

#include "answers/answers.h"
#include "kvtidiag/session.h"
#include "support/texts.h"
#include "support/ui.h"

namespace kvt::test {
namespace {

TEST(Format, FromTheStringTable) {
  EXPECT_STREQ(FormatFromTable(57, 401), "Anzahl der Messwerte: 401.\n");
  EXPECT_EQ(Escaped(FormatFromTable(243, 7)), Escaped(AddressLine(kDeviceKvt, 7)));
  EXPECT_STREQ(FormatFromTable(264, 4000000000u), "4000000000;       ");
  const char *first = FormatFromTable(57, 1);
  const char *second = FormatFromTable(57, 2);
  EXPECT_EQ(first, second) << "one buffer: two calls leave only the second result";
  EXPECT_STREQ(first, "Anzahl der Messwerte:   2.\n");
}

TEST(Format, LiteralFormatsAndLongResultsAreCut) {
  EXPECT_STREQ(FormatLiteral("\n(%02d) ", 3), "\n(03) ");
  const std::string longText(600, 'a');
  EXPECT_EQ(std::string(FormatLiteral("%s", longText.c_str())), longText.substr(0, 255));
}

// A driver's text is shown unchanged, "%" and all, under "Diagnose".
TEST(Format, MessageBoxShowsATextUnchanged) {
  int result = 0;
  const UiRun run = RunUi({}, [&] { result = MessageBoxFromTable(nullptr, kMessageFlags, kTextArgument, "100% kaputt %s"); });
  EXPECT_EQ(result, IDOK);
  ASSERT_EQ(run.boxes.size(), 1u);
  EXPECT_EQ(run.boxes[0].text, "100% kaputt %s");
  EXPECT_EQ(run.boxes[0].caption, text::kMessageCaption);
  EXPECT_TRUE(run.boxes[0].plain);
}

}  // namespace
}  // namespace kvt::test
