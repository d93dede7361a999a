// End to end: the library's handler 11 (DiagCommandProc with the password
// in request slot 8) against the simulated devices themselves, no scripted
// answers: the message the technician reads, and the mode the device's
// status answer shows afterwards. Also the mode check against them.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "entry/entry.h"
#include "kvt/abi.h"
#include "kvt/bytes.h"
#include "kvt/simcontrol.h"
#include "modes/mode_messages.h"
#include "support/escaped.h"
#include "support/records.h"

namespace kvt::test {
namespace {

constexpr WORD kModeHandler = 11;

struct Step {
  const char *name;
  WORD telegram;
  const char *password;
  std::vector<BYTE> block;  // ParamBlock of the entries with a dialog
  std::string message;
  BYTE modeAfter;           // status answer byte 17
  unsigned baudAfter = 0;   // in hundreds, 0: not checked
};

struct DeviceRun {
  const char *name;
  const char *config;
  DiagTarget target;
  std::string addressLine;
  std::size_t baudAt;
  std::vector<Step> steps;
};

// Blocks as the collectors leave them (12 bytes, recorded length 10, for
// the range dialogs).
const std::vector<BYTE> kAverages7 = {7, 0, 0, 0};
const std::vector<BYTE> kSegments15 = {0, 0, 15, 0, 20, 0, 80, 0, 0, 0, 0, 0};
const std::vector<BYTE> kAveragedRange = {1, 0, 100, 0, 180, 0, 181, 0, 0, 0, 0, 0};
const std::vector<BYTE> kRangeAtOnce = {0, 0, 1, 0x80, 0x91, 1, 0, 0, 0, 0, 0, 0};
const std::vector<BYTE> kTwoRemissionRanges = {2, 0, 10, 0, 20, 0, 30, 0, 40, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
const std::vector<BYTE> kNoRemissionRange(22, 0);
const std::vector<BYTE> kNavigation = {2, 1};

const std::vector<DeviceRun> kRuns = {
    {"KVT", "device=kvt;address=5;setup=no", {kDeviceKvt, 5},
     "\nBei der Kommunikation benutzte Adresse   5  mit Zielgerät  KVT.\n\n", 126,
     {
         {"Test Einrichtpasswort", 0x44, "einrichten", {}, kPasswordOk, 0x25},
         {"Test Einrichtpasswort, superuser's", 0x44, "superuser", {}, kPasswordNot, 0x25},
         {"Test Einrichtpasswort, no text", 0x44, nullptr, {}, kPasswordNot, 0x25},
         {"Test Superuserpasswort", 0x45, "superuser", {}, kPasswordOk, 0x25},
         {"Test Superuserpasswort, upper case", 0x45, "SUPERUSER", {}, kPasswordNot, 0x25},
         {"Test Instandhaltungspasswort", 0x6E, "instandhaltung", {}, kPasswordOk, 0x25},
         {"Test Instandhaltungspasswort, empty", 0x6E, "", {}, kPasswordNot, 0x25},
         {"password reset, nothing to reset", 0x16, nullptr, {}, kResetNot, 0x25},
         {"Kont. min. Messwerte", 0x18, nullptr, {}, kModeDone, 0x20},
         {"Einrichtmodus, wrong password", 0x14, "falsch", {}, kModeNot, 0x20},
         {"Einrichtmodus, no password", 0x14, nullptr, {}, kModeNot, 0x20},
         {"Einrichtmodus", 0x14, "einrichten", {}, kModeDone, 0x00},
         {"password reset", 0x16, nullptr, {}, kResetDone, 0x20},
         {"Abgleichmodus, setup password", 0x15, "einrichten", {}, kModeNot, 0x20},
         {"Abgleichmodus", 0x15, "instandhaltung", {}, kModeDone, 0x01},
         {"Diagnosemodus", 0x17, nullptr, {}, kModeDone, 0x10},
         {"Kont. alle Messw. direkt(KVT Typ6)", 0xBB, nullptr, {}, kModeNot, 0x10},
         {"Einstellung Baudrate 500000 Baud", 0x83, nullptr, {}, kBaudNot, 0x10, 96},
         {"Einstellung Baudrate 19200 Baud", 0x47, nullptr, {}, kBaudDone, 0x10, 192},
         {"Kont. gemittl. Messwerte", 0xAE, nullptr, kAverages7, kModeDone, 0x26, 192},
         {"Kont. Teilber. min. Messwerte", 0xCF, nullptr, kSegments15, kModeDone, 0x2C},
         {"Kont. senkr. Abstand", 0x1A, nullptr, {}, kModeDone, 0x22},
         {"Kont. alle Messwerte", 0x6D, nullptr, {}, kModeDone, 0x24},
         {"BM: Kont. Navigationsdaten", 0xC8, nullptr, kNavigation, kModeDone, 0x2E},
         {"Messwerte nur auf Anforderung", 0x74, nullptr, {}, kModeDone, 0x25},
         {"Einstellung Baudrate 9600 Baud", 0x4A, nullptr, {}, kBaudDone, 0x25, 96},
     }},
    {"KVT-Q1", "device=kvtq1;setup=no", {kDeviceKvtQ1, 0},
     "\nBei der Kommunikation benutzte Adresse   0  mit Zielgerät  KVT-Q1.\n\n", 126,
     {
         {"Kont. alle Messw. direkt(KVT Typ6)", 0xBB, nullptr, {}, kModeDone, 0x2A},
         {"Einstellung Baudrate 500000 Baud", 0x83, nullptr, {}, kBaudDone, 0x2A, 5000},
         {"Kont. Messw. u. Remissionsw(KVT Typ6)", 0xCC, nullptr, kTwoRemissionRanges, kModeDone, 0x2B},
         {"Kont. Messw. u. Remissionsw(KVT Typ6), no range", 0xCC, nullptr, kNoRemissionRange, kModeNot, 0x2B},
         {"Kont. gemittl. Messw.teilber.(KVT Typ6)", 0xB2, nullptr, kAveragedRange, kModeDone, 0x28},
         {"Kont. Messw.teilber. u. Feldw.(KVT Typ6)", 0xB6, nullptr, kRangeAtOnce, kModeDone, 0x29},
         {"Kont. Messw.teilber.", 0xAF, nullptr, kRangeAtOnce, kModeDone, 0x27},
         {"Einrichtmodus, superuser", 0x14, "superuser", {}, kModeDone, 0x00},
         {"password reset", 0x16, nullptr, {}, kResetDone, 0x27},
         {"baud rate not in the menu", 0x73, nullptr, {}, kBaudDone, 0x27, 48},
     }},
    {"PXD", "device=pxd;address=9;setup=no", {kDevicePxd, 9},
     "\nBei der Kommunikation benutzte Adresse   9  mit Zielgerät  PXD.\n\n", 28,
     {
         {"Kont. min. Messwerte", 0x18, nullptr, {}, kModeNot, 0x25},
         {"Min. Messwerte, auf Anforderung", 0x19, nullptr, {}, kModeDone, 0x21},
         {"Kont. gemittl. Messwerte", 0xAE, nullptr, kAverages7, kModeNot, 0x21},
         {"BM: Kont. Navigationsdaten", 0xC8, nullptr, kNavigation, kModeNot, 0x21},
         {"Einstellung Baudrate 500000 Baud", 0x83, nullptr, {}, kBaudNot, 0x21, 96},
         {"Einstellung Baudrate 38400 Baud", 0x46, nullptr, {}, kBaudDone, 0x21, 384},
         {"Abgleichmodus, superuser", 0x15, "superuser", {}, kModeDone, 0x01},
         {"Test Einrichtpasswort in calibration mode", 0x44, "einrichten", {}, kPasswordOk, 0x01},
         {"password reset", 0x16, nullptr, {}, kResetDone, 0x21},
     }},
    {"KVT with its own passwords", "device=kvt;pw.setup=P\xE4sswort;pw.service=Schicht 3;setup=no", {kDeviceKvt, 0},
     "\nBei der Kommunikation benutzte Adresse   0  mit Zielgerät  KVT.\n\n", 126,
     {
         {"Test Einrichtpasswort", 0x44, "P\xE4sswort", {}, kPasswordOk, 0x25},
         {"Test Einrichtpasswort, the default", 0x44, "einrichten", {}, kPasswordNot, 0x25},
         {"Test Instandhaltungspasswort", 0x6E, "Schicht 3", {}, kPasswordOk, 0x25},
         {"Einrichtmodus", 0x14, "P\xE4sswort", {}, kModeDone, 0x00},
     }},
};

class LibraryModes : public ::testing::Test {
 protected:
  std::string result;
  CommandRequest request{};
  std::vector<BYTE> block;

  void Execute(WORD telegram, const char *password, const std::vector<BYTE> &parameters) {
    result.assign(2048, '\0');
    block = parameters;
    request = {};
    request[kReqHandler] = kModeHandler;
    request[kReqTelegram] = telegram;
    request[kReqResultText] = reinterpret_cast<ULONG_PTR>(result.data());
    request[kReqCapacity] = result.size();
    request[kReqParamBlock] = block.empty() ? 0 : reinterpret_cast<ULONG_PTR>(block.data());
    request[kReqParamLength] = block.size() == 12 ? 10 : block.size();
    request[kReqPassword] = reinterpret_cast<ULONG_PTR>(password);
    EXPECT_TRUE(DiagCommandProc(nullptr, request.data()));
  }

  TelegramRecord Status() {
    TelegramRecord status{};
    PutWord(status, kRecSize, kRecordSize);
    status[kRecType] = kvt::Run().target.type;
    status[kRecAddress] = kvt::Run().target.address;
    status[kRecCode] = 0x31;
    TelegramRecord answer{};
    if (!TelegramSensor(kvt::Run().sensor, status.data(), answer.data())) answer.fill(0xEE);
    return answer;
  }
};

TEST_F(LibraryModes, EveryGroupAgainstTheDevices) {
  for (const DeviceRun &run : kRuns) {
    SimulatedSensor sensor(run.config);
    kvt::Run().target = run.target;
    for (const Step &step : run.steps) {
      SCOPED_TRACE(std::string(run.name) + ", " + step.name);
      Execute(step.telegram, step.password, step.block);
      EXPECT_EQ(Escaped(result.c_str()), Escaped(step.message + run.addressLine));
      EXPECT_EQ(request[kReqStatus], 0u);
      const TelegramRecord status = Status();
      ASSERT_EQ(status[kRecCode], 0xB1);
      EXPECT_EQ(status[17], step.modeAfter);
      if (step.baudAfter) { EXPECT_EQ(Word(status, run.baudAt), step.baudAfter); }
    }
  }
}

// The mode check leaves a device in an output mode alone and puts one in
// another mode into "measured values only on request".
TEST_F(LibraryModes, ModeCheckAgainstTheDevices) {
  struct Case {
    const char *name;
    const char *config;
    DiagTarget target;
    WORD telegram;  // entry run before, 0: none
    const char *password;
    DWORD requests;  // sent by the mode check
    BYTE modeAfter;
  };
  const Case cases[] = {
      {"KVT just switched on", "device=kvt", {kDeviceKvt, 0}, 0, nullptr, 1, 0x25},
      {"KVT continuous", "device=kvt", {kDeviceKvt, 0}, 0x1A, nullptr, 1, 0x22},
      {"KVT in setup mode", "device=kvt", {kDeviceKvt, 0}, 0x14, "einrichten", 2, 0x25},
      {"KVT-Q1 in diagnosis mode", "device=kvtq1", {kDeviceKvtQ1, 0}, 0x17, nullptr, 2, 0x25},
      {"PXD in calibration mode", "device=pxd", {kDevicePxd, 0}, 0x15, "instandhaltung", 2, 0x25},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.name);
    SimulatedSensor sensor(c.config);
    kvt::Run().target = c.target;
    if (c.telegram) Execute(c.telegram, c.password, {});
    const DWORD before = SimRequestCount();
    EXPECT_TRUE(DiagModeCheckProc(0));
    EXPECT_EQ(SimRequestCount() - before, c.requests);
    EXPECT_EQ(Status()[17], c.modeAfter);
  }
}

}  // namespace
}  // namespace kvt::test
