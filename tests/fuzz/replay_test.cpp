// The campaign's kept failing inputs, each a defect found and fixed: each
// replays without a crash or a guard-page hit, leaves its text terminated,
// and shows what its row says.
#include <gtest/gtest.h>

#include <cstdlib>

#include "fuzz/fuzz.h"

namespace kvt::fuzz {
namespace {

struct Kept {
  const char *file;
  const char *shows;  // a piece the result text holds
};

// A driver format that would read past its arguments is shown as the driver's words.
constexpr Kept kKept[] = {
    {"driver_format_width.txt", "S%x%9999999999s%I64dK%l9%l17L%u%*s5Hq"},
    {"driver_format_conversions.txt", "e%%%08lXS%.8s%%lNC%se%pQ%300dp."},
};

std::string KeptPath(const char *file) {
  const char *source = std::getenv("KVT_SOURCE");
  return "Z:" + std::string(source ? source : "") + "/tests/fuzz/replay/" + file;
}

TEST(Replay, KeptInputsEndCleanly) {
  EndOnFaults(nullptr);
  OpenSession();
  for (const Kept &kept : kKept) {
    SCOPED_TRACE(kept.file);
    Input input;
    ASSERT_TRUE(ReadInput(KeptPath(kept.file), input));
    const Outcome outcome = RunInput(input, true);
    EXPECT_FALSE(outcome.unterminated);
    EXPECT_NE(outcome.text.find(kept.shows), std::string::npos) << outcome.text;
  }
}

}  // namespace
}  // namespace kvt::fuzz
