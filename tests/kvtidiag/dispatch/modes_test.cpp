// Handler 11, the change of operating mode: the request of every mode from
// a given ParamBlock and password, the messages of each group, the
// parameter phase with and without a dialog, and the simulated devices
// agreeing with what the library sends.
#include <gtest/gtest.h>

#include "kvtidiag/session.h"
#include "support/texts.h"

namespace kvt::test {
namespace {

constexpr BYTE kAddress = 12;

struct Mode {
  const char *name;
  WORD telegram;
  Bytes data;  // request bytes from byte 9 on
  const char *accepted;
  const char *refused;
  Bytes block = {};
  const char *password = nullptr;
  std::size_t recorded = 0;  // 0: the block's size
};

const char *const kModeDone = text::kModeDone;
const char *const kModeNot = text::kModeNot;

// Every row of the mode table, with the block or password it reads.
const Mode kModes[] = {
    {"Einrichtmodus", 0x14, {0x00, 'a', 'b', 'c', 0}, kModeDone, kModeNot, {}, "abc"},
    {"Abgleichmodus", 0x15, {0x01, 'g', 'e', 'h', 'e', 'i', 'm', 0}, kModeDone, kModeNot, {}, "geheim"},
    {"password reset", 0x16, {0x02}, text::kResetDone, text::kResetNot},
    {"Diagnosemodus", 0x17, {0x10}, kModeDone, kModeNot},
    {"Kont. min. Messwerte", 0x18, {0x20}, kModeDone, kModeNot},
    {"Min. Messwerte, auf Anforderung", 0x19, {0x21}, kModeDone, kModeNot},
    {"Kont. senkr. Abstand", 0x1A, {0x22}, kModeDone, kModeNot},
    {"Senkr. Abstand, auf Anforderung", 0x1B, {0x23}, kModeDone, kModeNot},
    {"Kont. alle Messwerte", 0x6D, {0x24}, kModeDone, kModeNot},
    {"Messwerte nur auf Anforderung", 0x74, {0x25}, kModeDone, kModeNot},
    {"Kont. gemittl. Messwerte", 0xAE, {0x26, 0x07}, kModeDone, kModeNot, {0x07, 0x00, 0x03, 0x00}},
    {"Kont. Messw.teilber.", 0xAF, {0x27, 0x34, 0x12, 0x78, 0x56}, kModeDone, kModeNot,
     {0x02, 0x00, 0x34, 0x12, 0x78, 0x56, 0x9A, 0xBC, 0xDE, 0xF0, 0x11, 0x22}, nullptr, 10},
    {"Kont. gemittl. Messw.teilber.(KVT Typ6)", 0xB2, {0x28, 0x05, 0x10, 0x01, 0x20, 0x02}, kModeDone, kModeNot,
     {0x01, 0x00, 0x05, 0x00, 0x10, 0x01, 0x20, 0x02, 0x33, 0x44, 0x55, 0x66}, nullptr, 10},
    {"Kont. Messw.teilber. u. Feldw.(KVT Typ6)", 0xB6, {0x29, 0xB5, 0x80, 0xB5, 0x00}, kModeDone, kModeNot,
     {0x00, 0x00, 0xB5, 0x80, 0xB5, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00}, nullptr, 10},
    {"Kont. alle Messw. direkt(KVT Typ6)", 0xBB, {0x2A}, kModeDone, kModeNot},
    {"Kont. Messw. u. Remissionsw(KVT Typ6)", 0xCC, {0x2B, 2, 0, 10, 0, 20, 0, 30, 0, 0x28, 1}, kModeDone, kModeNot,
     {2, 0, 10, 0, 20, 0, 30, 0, 0x28, 1, 0x99, 0x99, 0x99, 0x99, 0x99, 0x99, 0x99, 0x99, 0x99, 0x99, 0x99, 0x99}},
    {"Kont. Teilber. min. Messwerte", 0xCF, {0x2C, 0x03, 0xB4, 0x00, 0x68, 0x01}, kModeDone, kModeNot,
     {0x00, 0x00, 0x03, 0x00, 0xB4, 0x00, 0x68, 0x01, 0x00, 0x00, 0x00, 0x00}, nullptr, 10},
    {"BM: Kont. Navigationsdaten", 0xC8, {0x2E, 0x03, 0x09}, kModeDone, kModeNot, {0x03, 0x09}},
    {"Test Einrichtpasswort", 0x44, {0x30, 'x', 'y', 'z', 0}, text::kPasswordOk, text::kPasswordNot, {}, "xyz"},
    {"Test Superuserpasswort", 0x45, {0x31, 'S', 0xFC, 0}, text::kPasswordOk, text::kPasswordNot, {}, "S\xFC"},
    {"Test Instandhaltungspasswort", 0x6E, {0x32, 0}, text::kPasswordOk, text::kPasswordNot, {}, ""},
    {"Einstellung Baudrate 38400 Baud", 0x46, {0x40}, text::kBaudDone, text::kBaudNot},
    {"Einstellung Baudrate 19200 Baud", 0x47, {0x41}, text::kBaudDone, text::kBaudNot},
    {"Einstellung Baudrate 9600 Baud", 0x4A, {0x42}, text::kBaudDone, text::kBaudNot},
    {"baud rate not in the menu", 0x73, {0x43}, text::kBaudDone, text::kBaudNot},
    {"Einstellung Baudrate 500000 Baud", 0x83, {0x48}, text::kBaudDone, text::kBaudNot},
};

Entry EntryOf(const Mode &mode, Phase phase = Phase::kExecute) {
  return {11, mode.telegram, mode.block, mode.recorded, mode.password, phase};
}

std::string Line() { return AddressLine(kDeviceKvt, kAddress); }

void InSession(const std::function<void(const Descriptor &)> &body) {
  RunSession("address=12", body, {.address = "12"});
}

// The sent request, whole; then the text and the status.
void Expect(const EntryRun &run, const Bytes &data, const std::string &message, ULONG_PTR status = 0) {
  const auto sent = SentRequests();
  ASSERT_EQ(sent.size(), 1u);
  EXPECT_EQ(Differences(Request(kDeviceKvt, kAddress, 0x20, data), sent[0]), "");
  EXPECT_TRUE(run.result);
  EXPECT_EQ(Escaped(run.text), Escaped(message + Line()));
  EXPECT_EQ(run.status, status);
}

TEST(OperatingMode, EveryModeAccepted) {
  InSession([](const Descriptor &d) {
    for (const Mode &mode : kModes) {
      SCOPED_TRACE(mode.name);
      SimReset();
      QueueAnswer(Answer(0xA0, {0}));
      Expect(RunEntry(d, EntryOf(mode)), mode.data, mode.accepted);
    }
  });
}

// Each message group: a refusal, a wrong answer code and an unknown status
// all give the refused message; no answer is a communication failure.
TEST(OperatingMode, RefusedWrongAndMissingAnswers) {
  const std::optional<TelegramRecord> kAnswers[] = {Answer(0xA0, {1}), Answer(0xA1, {0}), Answer(0xA0, {2})};
  InSession([&](const Descriptor &d) {
    for (const Mode *mode : {&kModes[0], &kModes[2], &kModes[19], &kModes[22]}) {
      for (const auto &answer : kAnswers) {
        SCOPED_TRACE(std::string(mode->name) + ", answer " + Hex(std::span(answer->data() + 8, 2)));
        SimReset();
        Queue({answer});
        Expect(RunEntry(d, EntryOf(*mode)), mode->data, mode->refused);
      }
    }
    SimReset();
    QueueNoAnswer();
    Expect(RunEntry(d, EntryOf(kModes[10])), kModes[10].data, text::kCommFailure, 255);
  });
}

TEST(OperatingMode, BlocksAndPasswordsAtTheirLimits) {
  const Bytes fivePairs = Words({0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10});
  auto withCount = [&](unsigned count) {
    Bytes block = fivePairs;
    PutWord(block, 0, count);
    return block;
  };
  auto sent = [&](unsigned count) {
    Bytes data = withCount(count);
    data.insert(data.begin(), 0x2B);
    return data;
  };
  const std::string longPassword(1000, 'p');
  Bytes cutPassword(kRecordSize - 11, 'p');
  cutPassword.insert(cutPassword.begin(), 0x00);
  cutPassword.push_back(0);
  const struct {
    const char *name;
    Entry entry;
    Bytes data;
  } cases[] = {
      {"no password text sends a lone zero", {11, 0x14}, {0x00, 0x00}},
      {"a password stops at the record's end", {11, 0x14, {}, 0, longPassword.c_str()}, cutPassword},
      {"remission count 0 sends only the count", {11, 0xCC, withCount(0)}, {0x2B, 0, 0}},
      {"five pairs fill the block", {11, 0xCC, withCount(5)}, sent(5)},
      {"a count beyond the block sends the pairs it holds", {11, 0xCC, withCount(9)}, sent(9)},
      {"a huge count as well", {11, 0xCC, withCount(0xFFFF)}, sent(0xFFFF)},
  };
  InSession([&](const Descriptor &d) {
    for (const auto &c : cases) {
      SCOPED_TRACE(c.name);
      SimReset();
      QueueAnswer(Answer(0xA0, {0}));
      Expect(RunEntry(d, c.entry), c.data, kModeDone);
    }
  });
}

// A telegram code without a row sends the on-request mode and reports with
// the mode messages.
TEST(OperatingMode, ACodeWithoutARowSendsTheOnRequestMode) {
  InSession([](const Descriptor &d) {
    for (WORD telegram : {0x00, 0x13, 0x99, 0xFFFF}) {
      for (BYTE status : {0, 1}) {
        SCOPED_TRACE(std::to_string(telegram) + ", status " + std::to_string(status));
        SimReset();
        QueueAnswer(Answer(0xA0, {status}));
        Expect(RunEntry(d, {11, telegram, {}, 0, "abc"}), {0x25}, status ? kModeNot : kModeDone);
      }
    }
  });
}

TEST(OperatingMode, ModesWithParametersNeedTheirBlock) {
  InSession([](const Descriptor &d) {
    for (WORD telegram : {0xAE, 0xAF, 0xB2, 0xB6, 0xCC, 0xCF, 0xC8}) {
      SCOPED_TRACE(telegram);
      SimReset();
      const EntryRun run = RunEntry(d, {11, telegram});
      EXPECT_FALSE(run.result);
      EXPECT_EQ(run.text, kBefore);
      EXPECT_EQ(SimRequestCount(), 0u);
    }
  });
}

// The parameter phase of a mode without a dialog ends at once.
TEST(OperatingMode, ParameterPhaseWithoutDialog) {
  InSession([](const Descriptor &d) {
    for (const Mode &mode : kModes) {
      if (!mode.block.empty()) continue;
      SCOPED_TRACE(mode.name);
      SimReset();
      const EntryRun run = RunEntry(d, EntryOf(mode, Phase::kParameters));
      EXPECT_TRUE(run.result);
      EXPECT_EQ(Escaped(run.text), Escaped(kBefore + Line()));
      EXPECT_TRUE(run.block.empty());
      EXPECT_EQ(SimRequestCount(), 0u);
    }
  });
}

// The modes with a dialog: OK on the dialog's presets (the averages typed),
// then the execution sends them; Esc sends nothing.
TEST(OperatingMode, DialogThenMode) {
  const struct {
    WORD telegram;
    const char *title;
    Bytes data;
  } cases[] = {
      {0xAE, text::kAveragesTitle, {0x26, 12}},
      {0xAF, text::kPartialModeTitle, {0x27, 181, 0, 181, 0}},
      {0xB2, text::kAveragedPartialModeTitle, {0x28, 100, 180, 0, 181, 0}},
      {0xB6, text::kPartialModeTitle, {0x29, 181, 0, 181, 0}},
      {0xCC, text::kRangesTitle, {0x2B, 1, 0, 85, 0, 105, 0}},
      {0xCF, text::kSegmentsModeTitle, {0x2C, 15, 20, 0, 80, 0}},
      {0xC8, "Anforderung der Navigationsdaten", {0x2E, 0, 0}},
  };
  InSession([&](const Descriptor &d) {
    for (const auto &c : cases) {
      SCOPED_TRACE(c.title);
      SimReset();
      QueueAnswer(Answer(0xA0, {0}));
      bool sensorInput = true;
      const EntryRun run = RunEntry(d, {11, c.telegram, {}, 0, nullptr, Phase::kBoth},
                                    {{c.title, [&](HWND dialog) {
                                        sensorInput = GetDlgItem(dialog, 1071) != nullptr;
                                        if (c.telegram == 0xAE) SetText(dialog, 1008, "12");
                                        Click(dialog, IDOK);
                                      }}});
      EXPECT_FALSE(sensorInput) << "the mode templates have no active sensor";
      Expect(run, c.data, kModeDone);
    }
    SimReset();
    const EntryRun cancelled = RunEntry(d, {11, 0xAE, {}, 0, nullptr, Phase::kBoth},
                                        {{text::kAveragesTitle, [](HWND dialog) { Key(dialog, VK_ESCAPE); }}});
    EXPECT_FALSE(cancelled.result);
    EXPECT_EQ(cancelled.text, kBefore);
    EXPECT_EQ(SimRequestCount(), 0u);
  });
}

// The simulated devices answer what the library sends as the menu promises.
TEST(OperatingMode, TheDevicesAgree) {
  const Bytes rangeAtOnce = {0, 0, 1, 0x80, 0x91, 1, 0, 0, 0, 0, 0, 0};  // 12 bytes, 10 recorded
  const struct Step {
    const char *name;
    WORD telegram;
    const char *password;
    Bytes block;
    const char *message;
  } kvt[] = {
      {"Test Einrichtpasswort", 0x44, "einrichten", {}, text::kPasswordOk},
      {"Test Superuserpasswort, upper case", 0x45, "SUPERUSER", {}, text::kPasswordNot},
      {"password reset, nothing to reset", 0x16, nullptr, {}, text::kResetNot},
      {"Einrichtmodus, wrong password", 0x14, "falsch", {}, kModeNot},
      {"Einrichtmodus", 0x14, "einrichten", {}, kModeDone},
      {"password reset", 0x16, nullptr, {}, text::kResetDone},
      {"Abgleichmodus", 0x15, "instandhaltung", {}, kModeDone},
      {"type-6 mode on a KVT", 0xBB, nullptr, {}, kModeNot},
      {"Einstellung Baudrate 500000 Baud", 0x83, nullptr, {}, text::kBaudNot},
      {"Einstellung Baudrate 19200 Baud", 0x47, nullptr, {}, text::kBaudDone},
      {"Kont. gemittl. Messwerte", 0xAE, nullptr, {7, 0, 0, 0}, kModeDone},
      {"Kont. Teilber. min. Messwerte", 0xCF, nullptr, {0, 0, 15, 0, 20, 0, 80, 0, 0, 0, 0, 0}, kModeDone},
      {"BM: Kont. Navigationsdaten", 0xC8, nullptr, {2, 1}, kModeDone},
  },
    q1[] = {
        {"Einstellung Baudrate 500000 Baud", 0x83, nullptr, {}, text::kBaudDone},
        {"Kont. Messw. u. Remissionsw(KVT Typ6)", 0xCC, nullptr, Words({2, 10, 20, 30, 40, 0, 0, 0, 0, 0, 0}), kModeDone},
        {"no range", 0xCC, nullptr, Bytes(22, 0), kModeNot},
        {"Kont. gemittl. Messw.teilber.(KVT Typ6)", 0xB2, nullptr, {1, 0, 100, 0, 180, 0, 181, 0, 0, 0, 0, 0}, kModeDone},
        {"Kont. Messw.teilber. u. Feldw.(KVT Typ6)", 0xB6, nullptr, rangeAtOnce, kModeDone},
        {"Kont. Messw.teilber.", 0xAF, nullptr, rangeAtOnce, kModeDone},
    },
    pxd[] = {
        {"continuous output on a PXD", 0x18, nullptr, {}, kModeNot},
        {"Min. Messwerte, auf Anforderung", 0x19, nullptr, {}, kModeDone},
    };
  const struct {
    const char *config;
    const char *type;
    std::span<const Step> steps;
  } devices[] = {{"device=kvt", "KVT", kvt}, {"device=kvtq1", "KVTQ1", q1}, {"device=pxd", "PXD", pxd}};
  for (const auto &device : devices) {
    RunSession(
        device.config, [&](const Descriptor &d) {
          for (const Step &step : device.steps) {
            SCOPED_TRACE(std::string(device.type) + ", " + step.name);
            const Bytes &block = step.block;
            const EntryRun run =
                RunEntry(d, {11, step.telegram, block, block.size() == 12 ? 10u : 0u, step.password});
            EXPECT_EQ(Escaped(run.text.substr(0, run.text.find('\n'))), Escaped(step.message));
          }
        },
        {.type = device.type});
  }
}

}  // namespace
}  // namespace kvt::test
