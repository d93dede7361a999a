// Handler 11, the change of operating mode, through DiagCommandProc with
// scripted driver answers: the request bytes of every mode from a given
// ParamBlock and password, the message of each group for an accepted, a
// refused, a wrong and a missing answer, and the parameter phase.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "dialogs/dialog_script.h"
#include "entry/entry.h"
#include "kvt/abi.h"
#include "kvt/bytes.h"
#include "kvt/simcontrol.h"
#include "mode_messages.h"

namespace kvt::test {
namespace {

constexpr WORD kModeHandler = 11;
constexpr BYTE kAddress = 12;
constexpr char kBefore[] = "vorher";

const std::string kLineKvt = "\nBei der Kommunikation benutzte Adresse  12  mit Zielgerät  KVT.\n\n";
const std::string kLinePxd = "\nBei der Kommunikation benutzte Adresse  12  mit Zielgerät  PXD.\n\n";
const std::string kNoCommunication = "Kommunikation mit dem Sensor nicht in Ordnung !";

TelegramRecord Answer(BYTE code, BYTE status) {
  TelegramRecord record{};
  PutWord(record, kRecCount, 2);
  record[kRecCode] = code;
  record[kRecData] = status;
  return record;
}

const std::optional<TelegramRecord> kAccepted = Answer(0xA0, 0);
const std::optional<TelegramRecord> kRefused = Answer(0xA0, 1);
const std::optional<TelegramRecord> kWrongCode = Answer(0xA1, 0);
const std::optional<TelegramRecord> kNoAnswer = std::nullopt;

// The request the handler must send: the frame bytes, command 0x20, then `data` from byte 9.
TelegramRecord ExpectedRequest(const std::vector<BYTE> &data, BYTE type = kDeviceKvt) {
  TelegramRecord record{};
  PutWord(record, kRecSize, kRecordSize);
  record[kRecType] = type;
  record[kRecAddress] = kAddress;
  record[kRecCode] = 0x20;
  for (std::size_t i = 0; i < data.size(); ++i) record[kRecData + i] = data[i];
  return record;
}

std::string Differences(const TelegramRecord &expected, const TelegramRecord &actual) {
  std::string out;
  for (std::size_t i = 0; i < kRecordSize; ++i) {
    if (expected[i] != actual[i]) {
      char line[64];
      std::snprintf(line, sizeof line, "byte %zu: expected %02X, sent %02X\n", i, expected[i], actual[i]);
      out += line;
    }
  }
  return out;
}

struct Sent {
  DWORD count;
  TelegramRecord first{};
};

Sent SentRequests() {
  Sent sent{SimRequestCount()};
  if (sent.count > 0) SimRequestAt(0, sent.first.data());
  return sent;
}

class OperatingMode : public ::testing::Test {
 protected:
  DWORD sensor = 0;
  std::string result;
  CommandRequest request{};
  std::vector<BYTE> blockBytes;

  void SetUp() override {
    SetInstance(GetModuleHandleA(nullptr));
    ASSERT_TRUE(SimConfigure("device=kvt;address=12;setup=no"));
    SimReset();
    sensor = LoadSensor(0);
    ASSERT_NE(sensor, 0u);
    ASSERT_TRUE(OpenSensor(sensor));
    kvt::Run() = RunState{};
    kvt::Run().sensor = sensor;
    kvt::Run().target = {kDeviceKvt, kAddress};
  }

  void TearDown() override {
    CloseSensor(sensor);
    FreeSensor(sensor);
    SimReset();
    SimConfigure("");
    kvt::Run() = RunState{};
  }

  // A fresh request for `telegram`; the block is copied so the test keeps its own.
  void Prepare(WORD telegram, const std::vector<BYTE> &block, std::size_t recordedLength, const char *password) {
    SimReset();
    result.assign(4096, '\0');
    std::memcpy(result.data(), kBefore, sizeof kBefore);
    blockBytes = block;
    request = {};
    request[kReqHandler] = kModeHandler;
    request[kReqTelegram] = telegram;
    request[kReqResultText] = reinterpret_cast<ULONG_PTR>(result.data());
    request[kReqCapacity] = result.size();
    request[kReqStatus] = 77;
    request[kReqParamBlock] = blockBytes.empty() ? 0 : reinterpret_cast<ULONG_PTR>(blockBytes.data());
    request[kReqParamLength] = recordedLength;
    request[kReqPassword] = reinterpret_cast<ULONG_PTR>(password);
  }

  std::string Text() const { return std::string(result.c_str()); }
};

struct ModeCase {
  const char *name;
  WORD telegram;
  std::vector<BYTE> data;  // request bytes from byte 9 on
  std::string accepted;
  std::string refused;
  std::vector<BYTE> block = {};
  const char *password = nullptr;
  std::size_t recordedLength = 0;  // 0: the block's size
};

// Every row of the mode table, with the block or password it reads.
const std::vector<ModeCase> kModes = {
    {"Einrichtmodus", 0x14, {0x00, 'a', 'b', 'c', 0}, kModeDone, kModeNot, {}, "abc"},
    {"Abgleichmodus", 0x15, {0x01, 'g', 'e', 'h', 'e', 'i', 'm', 0}, kModeDone, kModeNot, {}, "geheim"},
    {"password reset", 0x16, {0x02}, kResetDone, kResetNot},
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
    {"Kont. Messw. u. Remissionsw(KVT Typ6), two pairs", 0xCC,
     {0x2B, 0x02, 0x00, 0x0A, 0x00, 0x14, 0x00, 0x1E, 0x00, 0x28, 0x01}, kModeDone, kModeNot,
     {0x02, 0x00, 0x0A, 0x00, 0x14, 0x00, 0x1E, 0x00, 0x28, 0x01, 0x99, 0x99, 0x99, 0x99, 0x99, 0x99, 0x99, 0x99,
      0x99, 0x99, 0x99, 0x99}},
    {"Kont. Teilber. min. Messwerte", 0xCF, {0x2C, 0x03, 0xB4, 0x00, 0x68, 0x01}, kModeDone, kModeNot,
     {0x00, 0x00, 0x03, 0x00, 0xB4, 0x00, 0x68, 0x01, 0x00, 0x00, 0x00, 0x00}, nullptr, 10},
    {"BM: Kont. Navigationsdaten", 0xC8, {0x2E, 0x03, 0x09}, kModeDone, kModeNot, {0x03, 0x09}},
    {"Test Einrichtpasswort", 0x44, {0x30, 'x', 'y', 'z', 0}, kPasswordOk, kPasswordNot, {}, "xyz"},
    {"Test Superuserpasswort", 0x45, {0x31, 'S', 0xFC, 0}, kPasswordOk, kPasswordNot, {}, "Sü"},
    {"Test Instandhaltungspasswort", 0x6E, {0x32, 0}, kPasswordOk, kPasswordNot, {}, ""},
    {"Einstellung Baudrate 38400 Baud", 0x46, {0x40}, kBaudDone, kBaudNot},
    {"Einstellung Baudrate 19200 Baud", 0x47, {0x41}, kBaudDone, kBaudNot},
    {"Einstellung Baudrate 9600 Baud", 0x4A, {0x42}, kBaudDone, kBaudNot},
    {"baud rate not in the menu", 0x73, {0x43}, kBaudDone, kBaudNot},
    {"Einstellung Baudrate 500000 Baud", 0x83, {0x48}, kBaudDone, kBaudNot},
};

struct AnswerCase {
  const char *name;
  std::optional<TelegramRecord> answer;
  bool accepted;
};

const AnswerCase kAnswers[] = {
    {"accepted", kAccepted, true},
    {"refused", kRefused, false},
    {"wrong answer code counts as refused", kWrongCode, false},
    {"status 2 counts as refused", Answer(0xA0, 2), false},
};

TEST_F(OperatingMode, EveryModeEveryAnswer) {
  for (const ModeCase &mode : kModes) {
    for (const AnswerCase &answer : kAnswers) {
      SCOPED_TRACE(std::string(mode.name) + ", " + answer.name);
      Prepare(mode.telegram, mode.block, mode.recordedLength ? mode.recordedLength : mode.block.size(),
              mode.password);
      SimQueueAnswer(answer.answer->data(), TRUE, 0);
      EXPECT_TRUE(DiagCommandProc(nullptr, request.data()));
      const Sent sent = SentRequests();
      ASSERT_EQ(sent.count, 1u);
      EXPECT_EQ(Differences(ExpectedRequest(mode.data), sent.first), "");
      EXPECT_EQ(Escaped(Text()), Escaped((answer.accepted ? mode.accepted : mode.refused) + kLineKvt));
      EXPECT_EQ(request[kReqStatus], 0u);
    }
  }
}

TEST_F(OperatingMode, NoAnswerIsACommunicationFailure) {
  for (const ModeCase &mode : kModes) {
    SCOPED_TRACE(mode.name);
    Prepare(mode.telegram, mode.block, mode.recordedLength ? mode.recordedLength : mode.block.size(),
            mode.password);
    SimQueueAnswer(nullptr, FALSE, 0);
    EXPECT_TRUE(DiagCommandProc(nullptr, request.data()));
    EXPECT_EQ(SentRequests().count, 1u);
    EXPECT_EQ(Escaped(Text()), Escaped(kNoCommunication + kLineKvt));
    EXPECT_EQ(request[kReqStatus], 255u);
  }
}

struct EdgeCase {
  const char *name;
  WORD telegram;
  std::vector<BYTE> block;
  std::vector<BYTE> data;
  const char *password = nullptr;
};

TEST_F(OperatingMode, BlocksAndPasswordsAtTheirLimits) {
  const EdgeCase cases[] = {
      {"no password text sends a lone zero", 0x44, {}, {0x30, 0x00}, nullptr},
      {"remission count 0 sends only the count", 0xCC, std::vector<BYTE>(22, 0x00), {0x2B, 0x00, 0x00}},
      {"remission: five pairs fill the block", 0xCC,
       {5, 0, 1, 0, 2, 0, 3, 0, 4, 0, 5, 0, 6, 0, 7, 0, 8, 0, 9, 0, 10, 0},
       {0x2B, 5, 0, 1, 0, 2, 0, 3, 0, 4, 0, 5, 0, 6, 0, 7, 0, 8, 0, 9, 0, 10, 0}},
      // The count is passed on; pairs beyond the block are not read, their bytes stay zero.
      {"remission: a count beyond the block", 0xCC,
       {9, 0, 1, 0, 2, 0, 3, 0, 4, 0, 5, 0, 6, 0, 7, 0, 8, 0, 9, 0, 10, 0},
       {0x2B, 9, 0, 1, 0, 2, 0, 3, 0, 4, 0, 5, 0, 6, 0, 7, 0, 8, 0, 9, 0, 10, 0}},
      {"remission: a huge count", 0xCC, {0xFF, 0xFF, 1, 0, 2, 0, 3, 0, 4, 0, 5, 0, 6, 0, 7, 0, 8, 0, 9, 0, 10, 0},
       {0x2B, 0xFF, 0xFF, 1, 0, 2, 0, 3, 0, 4, 0, 5, 0, 6, 0, 7, 0, 8, 0, 9, 0, 10, 0}},
  };
  for (const EdgeCase &c : cases) {
    SCOPED_TRACE(c.name);
    Prepare(c.telegram, c.block, c.block.size(), c.password);
    SimQueueAnswer(kAccepted->data(), TRUE, 0);
    EXPECT_TRUE(DiagCommandProc(nullptr, request.data()));
    const Sent sent = SentRequests();
    ASSERT_EQ(sent.count, 1u);
    EXPECT_EQ(Differences(ExpectedRequest(c.data), sent.first), "");
  }
}

TEST_F(OperatingMode, LongPasswordStopsAtTheRecordEnd) {
  const std::string password(1000, 'p');
  Prepare(0x14, {}, 0, password.c_str());
  SimQueueAnswer(kAccepted->data(), TRUE, 0);
  EXPECT_TRUE(DiagCommandProc(nullptr, request.data()));
  const Sent sent = SentRequests();
  ASSERT_EQ(sent.count, 1u);
  std::vector<BYTE> data{0x00};
  data.insert(data.end(), kRecordSize - 11, 'p');
  data.push_back(0);
  EXPECT_EQ(Differences(ExpectedRequest(data), sent.first), "");
}

TEST_F(OperatingMode, TargetDeviceNamedInTheAddressLine) {
  kvt::Run().target = {kDevicePxd, kAddress};
  Prepare(0x46, {}, 0, nullptr);
  SimQueueAnswer(kAccepted->data(), TRUE, 0);
  EXPECT_TRUE(DiagCommandProc(nullptr, request.data()));
  EXPECT_EQ(Differences(ExpectedRequest({0x40}, kDevicePxd), SentRequests().first), "");
  EXPECT_EQ(Escaped(Text()), Escaped(kBaudDone + kLinePxd));
}

// A telegram code the mode table does not have sends "measured values only
// on request" and reports with the mode messages.
TEST_F(OperatingMode, UnknownTelegramCodeSendsTheOnRequestMode) {
  for (WORD telegram : {0x00, 0x13, 0x99, 0xFFFF}) {
    for (const AnswerCase &answer : kAnswers) {
      SCOPED_TRACE(std::to_string(telegram) + ", " + answer.name);
      Prepare(telegram, {}, 0, "abc");
      SimQueueAnswer(answer.answer->data(), TRUE, 0);
      EXPECT_TRUE(DiagCommandProc(nullptr, request.data()));
      const Sent sent = SentRequests();
      ASSERT_EQ(sent.count, 1u);
      EXPECT_EQ(Differences(ExpectedRequest({0x25}), sent.first), "");
      EXPECT_EQ(Escaped(Text()), Escaped((answer.accepted ? kModeDone : kModeNot) + kLineKvt));
      EXPECT_EQ(request[kReqStatus], 0u);
    }
  }
}

// A mode that reads the block cannot run without one: nothing to show, nothing sent.
TEST_F(OperatingMode, ModeWithParametersWithoutBlock) {
  for (WORD telegram : {0xAE, 0xAF, 0xB2, 0xB6, 0xCC, 0xCF, 0xC8}) {
    SCOPED_TRACE(telegram);
    Prepare(telegram, {}, 0, nullptr);
    EXPECT_FALSE(DiagCommandProc(nullptr, request.data()));
    EXPECT_EQ(SentRequests().count, 0u);
  }
}

// Parameter phase: the modes without a dialog end at once with the address line.
TEST_F(OperatingMode, ParameterPhaseWithoutDialog) {
  for (const ModeCase &mode : kModes) {
    if (!mode.block.empty()) continue;
    SCOPED_TRACE(mode.name);
    Prepare(mode.telegram, {}, 0, mode.password);
    request[kReqParamPhase] = 1;
    EXPECT_TRUE(DiagCommandProc(nullptr, request.data()));
    EXPECT_EQ(SentRequests().count, 0u);
    EXPECT_EQ(Escaped(Text()), Escaped(kBefore + kLineKvt));
    EXPECT_EQ(request[kReqParamBlock], 0u);
  }
}

// "Kont. gemittl. Messwerte": the averages dialog without the sensor input
// fills a new block, and the execution phase sends its count.
TEST_F(OperatingMode, AveragesDialogThenMode) {
  Prepare(0xAE, {}, 0, nullptr);
  request[kReqParamPhase] = 1;
  std::string title;
  bool sensorInput = true;
  const ScriptRun run = RunDialog([&] { return static_cast<INT_PTR>(DiagCommandProc(nullptr, request.data())); },
                                  [&](HWND dialog) {
                                    title = WindowText(dialog);
                                    sensorInput = GetDlgItem(dialog, 1071) != nullptr;
                                    SetDlgItemTextA(dialog, 1008, "12");
                                    PostPress(dialog, Press::kOkButton);
                                  });
  EXPECT_EQ(run.result, TRUE);
  EXPECT_EQ(title, "Anzahl der Mittelungen ");
  EXPECT_FALSE(sensorInput);
  EXPECT_EQ(SentRequests().count, 0u);
  ASSERT_NE(request[kReqParamBlock], 0u);
  EXPECT_EQ(request[kReqParamLength], 4u);
  auto *block = reinterpret_cast<BYTE *>(request[kReqParamBlock]);
  EXPECT_EQ(EscapedBytes({block[0], block[1], block[2], block[3]}), EscapedBytes({12, 0, 0, 0}));

  request[kReqParamPhase] = 0;
  SimQueueAnswer(kAccepted->data(), TRUE, 0);
  EXPECT_TRUE(DiagCommandProc(nullptr, request.data()));
  EXPECT_EQ(Differences(ExpectedRequest({0x26, 12}), SentRequests().first), "");
  EXPECT_EQ(Escaped(Text()), Escaped(kModeDone + kLineKvt));
  std::free(block);
}

TEST_F(OperatingMode, AveragesDialogCancelled) {
  Prepare(0xAE, {}, 0, nullptr);
  request[kReqParamPhase] = 1;
  const ScriptRun run = RunDialog([&] { return static_cast<INT_PTR>(DiagCommandProc(nullptr, request.data())); },
                                  [&](HWND dialog) { PostPress(dialog, Press::kEscapeKey); });
  EXPECT_EQ(run.result, FALSE);
  EXPECT_EQ(SentRequests().count, 0u);
  EXPECT_EQ(Escaped(Text()), Escaped(kBefore));
  std::free(reinterpret_cast<void *>(request[kReqParamBlock]));
}

}  // namespace
}  // namespace kvt::test
