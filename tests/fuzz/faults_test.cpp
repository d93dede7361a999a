// Driver faults: every menu command that sends more than one telegram, on
// every device type, run as the host runs it with no answer, a wrong answer
// code and a refusal at each telegram in turn, ends as its handler says.
#include <gtest/gtest.h>

#include <cstdlib>
#include <iostream>
#include <set>
#include <utility>

#include "entry/entry.h"
#include "fuzz/fuzz.h"
#include "kvt/simcontrol.h"

namespace kvt::fuzz {
namespace {

const std::string kCommunication = "Kommunikation mit dem Sensor nicht in Ordnung !";
const std::string kWrong = "Falscher Betriebsmode (NACK-Telegramm) oder falsches Antwortelegramm erhalten!";
constexpr const char *kDevices[] = {"kvt", "pxd", "kvtq1", "kvt90"};
constexpr const char *kTargets[] = {"KVT", "PXD", "KVT-Q1", "KVT-Q1"};

std::string AddressLine(BYTE type) {
  return std::string("\nBei der Kommunikation benutzte Adresse   0  mit Zielger\xE4t  ") + kTargets[type] + ".\n\n";
}

// How a failed telegram ends a command: with the address line and TRUE,
// after every telegram was sent (reference values), or without the line
// and with FALSE (navigation).
struct Ending {
  WORD handler = 0;
  bool addressLine = true;
  BOOL result = TRUE;
  bool allSent = false;
};
constexpr Ending kEndings[] = {{.handler = 169, .allSent = true}, {.handler = 190, .addressLine = false, .result = FALSE}};

Ending EndingOf(WORD handler) {
  for (const Ending &ending : kEndings) {
    if (ending.handler == handler) return ending;
  }
  return {handler};
}

struct HostRun {
  BOOL paramResult = TRUE;
  BOOL result = FALSE;
  ULONG_PTR status = 0;
  std::string text;
  DWORD paramTelegrams = 0;
  DWORD telegrams = 0;
};

// Both phases as the dialog host runs them, dialogs confirmed as they open.
HostRun RunAsHost(const MenuCommand &command, BYTE type, const std::string &fault) {
  SimConfigure((std::string("setup=no;device=") + kDevices[type] + (fault.empty() ? "" : ";fail=" + fault)).c_str());
  SimReset();
  kvt::Run().target = {type, 0};
  Input confirm;
  confirm.rounds.assign(8, Round{{}, {}, Key::kOk});
  Playing() = Play{.input = &confirm, .replay = true};
  static char text[65536];
  CommandRequest request{};
  request[kReqHandler] = command.handler;
  request[kReqTelegram] = command.telegram;
  request[kReqResultText] = reinterpret_cast<ULONG_PTR>(text);
  request[kReqCapacity] = sizeof text;
  request[kReqPassword] = reinterpret_cast<ULONG_PTR>("");
  HostRun run;
  if (command.flag) {
    text[0] = '\0';
    request[kReqParamPhase] = 1;
    run.paramResult = DiagCommandProc(StartAnswering(), request.data());
    run.paramTelegrams = SimRequestCount();
  }
  if (run.paramResult) {
    text[0] = '\0';
    request[kReqParamPhase] = 0;
    run.result = DiagCommandProc(StartAnswering(), request.data());
  }
  run.status = request[kReqStatus];
  run.text = text;
  run.telegrams = SimRequestCount();
  std::free(reinterpret_cast<void *>(request[kReqParamBlock]));
  Playing().input = nullptr;
  return run;
}

bool EndsWith(const std::string &text, const std::string &end) {
  return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

void CheckEnding(const MenuCommand &command, BYTE type, const HostRun &clean, DWORD at, const std::string &kind,
                 const HostRun &run) {
  if (at <= clean.paramTelegrams) {
    // A reading that presets a dialog does not stop it, nor what follows.
    EXPECT_EQ(run.paramResult, clean.paramResult);
    EXPECT_EQ(run.telegrams, clean.telegrams);
    EXPECT_EQ(run.result, clean.result);
    return;
  }
  const Ending ending = EndingOf(command.handler);
  const std::string line = ending.addressLine ? AddressLine(type) : "";
  EXPECT_TRUE(EndsWith(run.text, line)) << run.text;
  if (kind == "refused") {
    // An answer without a status byte is not touched: the command runs as without the fault.
    EXPECT_EQ(run.status, 0u);
    EXPECT_EQ(run.result, clean.result);
    if (run.text == clean.text) {
      EXPECT_EQ(run.telegrams, clean.telegrams);
    } else if (!ending.allSent) {
      EXPECT_EQ(run.telegrams, at);
    }
    return;
  }
  const std::string &message = kind == "noanswer" ? kCommunication : kWrong;
  EXPECT_EQ(run.status, kind == "noanswer" ? kStatusCommFailure : 0u);
  EXPECT_EQ(run.result, ending.result);
  if (ending.allSent) {
    EXPECT_NE(run.text.find(message), std::string::npos) << run.text;
    EXPECT_EQ(run.telegrams, clean.telegrams);
  } else {
    EXPECT_EQ(run.text, message + line);
    EXPECT_EQ(run.telegrams, at);
  }
}

TEST(DriverFaults, EveryTelegramOfEveryCommandThatSendsSeveral) {
  EndOnFaults(nullptr);
  OpenSession();
  // The driver's own answers and texts, with its fault plan.
  SimFilterAnswers(nullptr);
  SimFilterTexts(nullptr);
  std::set<std::pair<WORD, WORD>> seen;
  int commands = 0;
  for (const MenuCommand &command : ReadMenu(GetModuleHandleA(nullptr))) {
    if (!seen.insert({command.handler, command.telegram}).second) continue;
    for (BYTE type = 0; type < 4; ++type) {
      const HostRun clean = RunAsHost(command, type, "");
      if (clean.telegrams < 2) continue;
      ++commands;
      std::cout << command.handler << "/" << command.telegram << " on " << kDevices[type] << ": " << clean.telegrams
                << " telegrams, " << clean.paramTelegrams << " of them in the parameter phase\n";
      for (DWORD at = 1; at <= clean.telegrams; ++at) {
        for (const std::string kind : {"noanswer", "wronganswer", "refused"}) {
          SCOPED_TRACE(std::to_string(command.handler) + "/" + std::to_string(command.telegram) + " on " +
                       kDevices[type] + ": " + kind + "@" + std::to_string(at));
          CheckEnding(command, type, clean, at, kind, RunAsHost(command, type, kind + "@" + std::to_string(at)));
        }
      }
    }
  }
  SimFilterAnswers(FilterAnswer);
  SimFilterTexts(FilterText);
  EXPECT_GE(commands, 8);  // the whole-system test and the reference values at least
}

}  // namespace
}  // namespace kvt::fuzz
