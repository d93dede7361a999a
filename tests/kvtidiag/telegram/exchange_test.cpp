// ExchangeTelegram: the fixed data some commands carry, and the one answer
// code it accepts.
#include <gtest/gtest.h>

#include "support/records.h"
#include "telegram/telegram.h"

namespace kvt::test {
namespace {

TEST(Exchange, FixedDataAndTheAcceptedCode) {
  const struct {
    const char *name;
    unsigned command;
    std::optional<TelegramRecord> answer;
    BYTE sentByte9, sentByte10;  // the caller put 7 and 8 there
    BOOL accepted;
  } cases[] = {
      {"0x39 forces data byte 1", 0x39, Answer(0xB9), 1, 8, TRUE},
      {"0x79 clears a 16-bit word", 0x79, Answer(0xF9), 0, 0, TRUE},
      {"0x7A clears a 16-bit word", 0x7A, Answer(0xFA), 0, 0, TRUE},
      {"0x7E clears only byte 10", 0x7E, Answer(0xFE), 7, 0, TRUE},
      {"others keep the caller's data", 0x31, Answer(0xB1), 7, 8, TRUE},
      {"0xB1 does not answer 0x32", 0x32, Answer(0xB1), 7, 8, FALSE},
      {"no answer", 0x31, std::nullopt, 7, 8, FALSE},
      {"a command of 0x80 or above is never accepted", 0x90, Answer(0x10), 7, 8, FALSE},
  };
  const OpenDriver driver("");
  for (const auto &c : cases) {
    SCOPED_TRACE(c.name);
    SimReset();
    Queue({c.answer});
    TelegramRecord request = Request(kDeviceKvt, 5, 0, {7, 8});
    TelegramRecord answer{};
    EXPECT_EQ(ExchangeTelegram(driver.handle, c.command, kDevicePxd, request, answer), c.accepted);
    const auto sent = SentRequests();
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(Differences(Request(kDevicePxd, 5, static_cast<BYTE>(c.command), {c.sentByte9, c.sentByte10}), sent[0]),
              "");
  }
}

}  // namespace
}  // namespace kvt::test
