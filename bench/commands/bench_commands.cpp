// Every command of the menu against the simulated devices: the library's own
// time for a command's execution, the driver handing back the device's
// answers at once, against the time the same telegrams need on the line at
// 500000 Baud. The menu is read from the library's menu resource, so a
// command that lands later is measured without a change here.
//
// Per command: the parameter phase runs once with its dialog answered with
// the presets; the execution runs once against the device (a device that
// does not know the command answers NAK, and the next device is tried); its
// requests are replayed to a device just switched on to take the answers,
// which are then queued before each timed execution. Time in a dialog or a
// message box is the user's and is left out.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "dialoghost.h"
#include "entry/entry.h"
#include "kvt/abi.h"
#include "kvt/bytes.h"
#include "kvt/simcontrol.h"
#include "support/answerer.h"
#include "support/target.h"
#include "support/timing.h"
#include "support/wire.h"

using namespace kvt;
using namespace kvt::bench;

namespace {

constexpr char kMenuName[] = "KVTIDIAG.DLL";
constexpr BYTE kNak = 0x15;
constexpr BYTE kAddress = 3;
constexpr std::size_t kTextSize = 64 * 1024;
constexpr int kWarmUp = 20;
constexpr int kMinRuns = 30;
constexpr int kMaxRuns = 2000;
constexpr double kSecondsPerCommand = 0.25;

struct Device {
  const char *name;
  const char *config;
  BYTE type;
  BYTE variant;
};

// Tried in this order; the first that knows the command measures it.
constexpr Device kDevices[] = {
    {"KVT", "device=kvt;address=3;setup=no", kDeviceKvt, 0},
    {"KVT-Q1", "device=kvtq1;address=3;variant=2;setup=no", kDeviceKvtQ1, 2},
    {"PXD", "device=pxd;address=3;setup=no", kDevicePxd, 0},
};

enum class Outcome { kMeasured, kNotBuilt, kNoTelegram, kNoParameters, kUnsteady };

struct Result {
  const dlg::MenuLine *line = nullptr;
  const Device *device = nullptr;
  Outcome outcome = Outcome::kMeasured;
  bool nak = false;  // an answer was NAK: no device knows the command
  std::size_t telegrams = 0;
  std::size_t bytes = 0;  // requests and answers on the line
  Spread time;            // library time per execution, dialogs left out
  bool dialog = false;    // the execution opened a dialog or a message box
  double Wire() const { return WireSeconds(bytes); }
  double Ratio() const { return bytes ? time.median / Wire() : 0; }
};

// What one command needs to run again and again.
struct Prepared {
  CommandRequest request{};
  std::string text = std::string(kTextSize, '\0');
  char password[64] = "";
  std::size_t paramRequests = 0;  // telegrams of the parameter phase
  std::vector<TelegramRecord> answers;  // of the execution, in order
};

std::size_t RequestBytes(const TelegramRecord &request) {
  // Up to the last byte that is not zero: a request's trailing zero data
  // count as absent, which makes its wire time shorter, never longer.
  std::size_t end = kRecData;
  for (std::size_t at = kRecData; at < request.size(); ++at) {
    if (request[at] != 0) end = at + 1;
  }
  return end;
}

std::size_t AnswerBytes(const TelegramRecord &answer) { return kHeaderBytes + Word(answer, kRecCount); }

void StartRun(const Device &device, DWORD sensor) {
  Run() = RunState{};
  Run().sensor = sensor;
  Run().target = {device.type, kAddress};
  Run().variant = device.variant;
}

// Runs the command once against the device and takes the answers it got.
Result RunOnce(const dlg::MenuLine &line, const Device &device, DWORD sensor, Prepared &p) {
  Result r;
  r.line = &line;
  r.device = &device;
  p.request = CommandRequest{};
  p.request[kReqHandler] = line.handler;
  p.request[kReqTelegram] = line.telegram;
  p.request[kReqResultText] = reinterpret_cast<ULONG_PTR>(p.text.data());
  p.request[kReqCapacity] = p.text.size();
  p.request[kReqPassword] = reinterpret_cast<ULONG_PTR>(p.password);
  SimReset();
  StartRun(device, sensor);
  if (line.flag == 1) {
    p.request[kReqParamPhase] = 1;
    ResetDialogFigures();
    if (!DiagCommandProc(nullptr, p.request.data())) {
      // Without a dialog the parameter phase of a command not built yet ends at once.
      r.outcome = Dialogs().opened > 0 ? Outcome::kNoParameters : Outcome::kNotBuilt;
      return r;
    }
    p.request[kReqParamPhase] = 0;
  }
  p.paramRequests = SimRequestCount();
  p.text[0] = '\0';
  DiagCommandProc(nullptr, p.request.data());
  const std::size_t total = SimRequestCount();
  r.telegrams = total - p.paramRequests;

  // The same requests to a device just switched on give the answers.
  std::vector<TelegramRecord> requests(total);
  for (std::size_t i = 0; i < total; ++i) SimRequestAt(static_cast<DWORD>(i), requests[i].data());
  SimReset();
  p.answers.clear();
  for (std::size_t i = 0; i < total; ++i) {
    TelegramRecord answer{};
    const bool answered = TelegramSensor(sensor, requests[i].data(), answer.data());
    if (i < p.paramRequests) continue;
    r.nak = r.nak || (answered && answer[kRecCode] == kNak);
    r.bytes += RequestBytes(requests[i]) + (answered ? AnswerBytes(answer) : 0);
    p.answers.push_back(answer);
  }
  if (r.telegrams == 0) {
    r.outcome = p.request[kReqStatus] == kStatusCommFailure ? Outcome::kNotBuilt : Outcome::kNoTelegram;
  }
  return r;
}

void Time(Prepared &p, const Device &device, DWORD sensor, Result &r) {
  std::vector<double> times;
  bool steady = true;
  const double start = Seconds();
  for (int run = 0; run < kWarmUp + kMaxRuns; ++run) {
    SimReset();
    for (const TelegramRecord &answer : p.answers) SimQueueAnswer(answer.data(), TRUE, 0);
    StartRun(device, sensor);
    p.text[0] = '\0';
    ResetDialogFigures();
    const double begin = Seconds();
    DiagCommandProc(nullptr, p.request.data());
    const double elapsed = Seconds() - begin - Dialogs().seconds;
    r.dialog = r.dialog || Dialogs().opened > 0;
    steady = steady && SimRequestCount() == r.telegrams;
    if (run >= kWarmUp) times.push_back(elapsed);
    if (run >= kWarmUp + kMinRuns && Seconds() - start > kSecondsPerCommand) break;
  }
  r.time = SpreadOf(times);
  if (r.outcome == Outcome::kMeasured && !steady) r.outcome = Outcome::kUnsteady;
}

// Runs the command on device `d`, and times it when it ran there as a known
// command or when `anyway`; frees its ParamBlock.
Result MeasureOn(const dlg::MenuLine &line, std::size_t d, DWORD sensor, bool anyway) {
  SimConfigure(kDevices[d].config);
  auto p = std::make_unique<Prepared>();
  Result r = RunOnce(line, kDevices[d], sensor, *p);
  const bool ran = r.outcome != Outcome::kNoParameters && r.outcome != Outcome::kNotBuilt;
  if (ran && (anyway || !r.nak)) Time(*p, kDevices[d], sensor, r);
  std::free(reinterpret_cast<void *>(p->request[kReqParamBlock]));
  return r;
}

// Measured on the first device that knows the command; when none does, on
// the first where it was answered NAK. A command counts as not built only
// when it ends so on every device.
Result Measure(const dlg::MenuLine &line, DWORD sensor) {
  std::optional<Result> first;
  std::optional<std::size_t> nakDevice;
  for (std::size_t d = 0; d < std::size(kDevices); ++d) {
    const Result r = MeasureOn(line, d, sensor, false);
    const bool ran = r.outcome != Outcome::kNotBuilt && r.outcome != Outcome::kNoParameters;
    if (ran && !r.nak) return r;
    if (r.nak && !nakDevice) nakDevice = d;
    if (!first || (first->outcome == Outcome::kNotBuilt && r.outcome != Outcome::kNotBuilt)) first = r;
  }
  if (nakDevice) return MeasureOn(line, *nakDevice, sensor, true);
  return *first;
}

const char *OutcomeNote(const Result &r) {
  switch (r.outcome) {
    case Outcome::kNotBuilt: return "not built yet: ends as an unknown code or without a dialog";
    case Outcome::kNoTelegram: return "no telegram";
    case Outcome::kNoParameters: return "its dialog refused the presets: not measured";
    case Outcome::kUnsteady: return "sent a different number of telegrams each time";
    case Outcome::kMeasured: break;
  }
  if (r.Ratio() >= kLibraryShare) return "above 1%";
  return r.nak ? "every device answered NAK" : "";
}

}  // namespace

int main() {
  SetInstance(GetModuleHandleA(nullptr));
  std::vector<dlg::MenuLine> menu;
  std::string error;
  if (!dlg::LoadMenu(GetModuleHandleA(nullptr), kMenuName, menu, error)) {
    std::printf("%s\n", error.c_str());
    return 1;
  }
  StartAnswering(AnswerMoment::kAtOnce);
  // The driver keeps one sensor open; each device is switched to in turn.
  const DWORD sensor = LoadSensor(0);
  OpenSensor(sensor);

  std::printf("Library time per command (median after %d runs to warm up, each command for about %.2f s)\n", kWarmUp,
              kSecondsPerCommand);
  std::printf("against the wire time of its telegrams at %.0f Baud, %.0f bits per byte (a telegram on the line:\n",
              kBaud, kBitsPerByte);
  std::printf("%zu header bytes, the code and the data); every command of the menu resource.\n\n", kHeaderBytes);
  std::printf("%-48s %-6s %4s %10s %21s %9s %8s\n", "Command", "device", "tel", "median", "10% .. 90%", "wire",
              "ratio");
  std::printf("%s\n", std::string(48 + 7 + 5 + 11 + 22 + 10 + 9, '-').c_str());
  int measured = 0, met = 0, notBuilt = 0, noTelegram = 0, failed = 0;
  const Result *worst = nullptr;
  std::vector<Result> results;
  results.reserve(menu.size());
  for (const dlg::MenuLine &line : menu) {
    if (dlg::IsHeading(line)) continue;
    results.push_back(Measure(line, sensor));
    const Result &r = results.back();
    const std::string note = std::string(OutcomeNote(r)) + (r.dialog ? " (dialog time left out)" : "");
    if (r.outcome == Outcome::kNotBuilt || r.outcome == Outcome::kNoParameters) {
      std::printf("%-48s %-6s %s\n", line.text.c_str(), r.device->name, note.c_str());
    } else {
      char spread[40];
      std::snprintf(spread, sizeof spread, "%.1f .. %.1f us", r.time.low * 1e6, r.time.high * 1e6);
      std::printf("%-48s %-6s %4zu %7.1f us %21s %6.2f ms %7.3f%%  %s\n", line.text.c_str(), r.device->name,
                  r.telegrams, r.time.median * 1e6, spread, r.Wire() * 1e3, r.Ratio() * 100, note.c_str());
    }
    switch (r.outcome) {
      case Outcome::kNotBuilt: ++notBuilt; break;
      case Outcome::kNoTelegram: ++noTelegram; break;
      case Outcome::kMeasured:
        ++measured;
        if (r.Ratio() < kLibraryShare) ++met;
        if (!worst || r.Ratio() > worst->Ratio()) worst = &r;
        break;
      default: ++failed; break;
    }
  }
  CloseSensor(sensor);
  FreeSensor(sensor);
  StopAnswering();
  SimConfigure("");

  std::printf("\n%d commands measured on the line, %d without a telegram, %d not built yet, %d not measurable\n",
              measured, noTelegram, notBuilt, failed);
  const bool allMet = measured > 0 && met == measured && failed == 0;
  const std::string figures =
      Text("%d of %d commands under 1%% of their wire time (largest %.3f%%: %s), %d not built yet, %d without a "
           "telegram",
           met, measured, worst ? worst->Ratio() * 100 : 0.0, worst ? worst->line->text.c_str() : "-", notBuilt,
           noTelegram);
  return ReportTarget("every command", figures, allMet) ? 0 : 1;
}
