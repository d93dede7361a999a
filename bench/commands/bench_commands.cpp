// How long the library itself takes for a command, with a driver that
// answers at once, compared with the time the same telegrams need on the
// line at 500000 Baud. The driver hands back the simulated device's own
// answer, queued before each run, so what is timed is DiagCommandProc:
// the request, the exchange call, the answer's report and the address line.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "entry/entry.h"
#include "kvt/abi.h"
#include "kvt/bytes.h"
#include "kvt/simcontrol.h"

namespace {

using namespace kvt;

constexpr int kWarmUp = 200;
constexpr int kRuns = 3000;
constexpr double kBaud = 500000;
constexpr double kBitsPerByte = 10;
// On the line a telegram is its 8 header bytes, the code and the data.
constexpr std::size_t kHeaderBytes = 8;
constexpr double kTarget = 0.01;

struct BenchCase {
  const char *name;
  const char *config;
  BYTE type;
  BYTE variant;
  WORD handler;
  WORD telegram;
  std::vector<BYTE> block;
  std::size_t requestData;  // data bytes the request carries after its code
};

std::vector<BYTE> Words(std::initializer_list<unsigned> words) {
  std::vector<BYTE> bytes;
  for (unsigned w : words) bytes.push_back(static_cast<BYTE>(w & 0xFF)), bytes.push_back(static_cast<BYTE>(w >> 8));
  return bytes;
}

const BenchCase kCases[] = {
    {"Sensorstatus lesen", "device=kvt;address=3;setup=no", kDeviceKvt, 0, 13, 65535, {}, 0},
    {"Alle Messwerte eines Scans", "device=kvt;address=3;setup=no", kDeviceKvt, 0, 12, 0x1D, {1, 0, 0, 0}, 3},
    {"n Bereiche mit Mess- u. Remissionsw.(KVT Typ6)", "device=kvtq1;address=3;variant=2;setup=no", kDeviceKvtQ1, 2,
     205, 0, Words({5, 1, 60, 61, 100, 101, 140, 141, 180, 181, 200}), 2 + 4 * 5},
};

double Seconds() {
  static LARGE_INTEGER frequency = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return f;
  }();
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  return static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

struct Measured {
  double median;
  double low;   // 10th percentile
  double high;  // 90th percentile
  std::size_t requestBytes;
  std::size_t answerBytes;
  std::size_t textBytes;
  bool ok;
};

Measured Measure(const BenchCase &c) {
  Measured m{};
  SimConfigure(c.config);
  SimReset();
  const DWORD sensor = LoadSensor(0);
  OpenSensor(sensor);
  Run() = RunState{};
  Run().sensor = sensor;
  Run().target = {c.type, 3};
  Run().variant = c.variant;

  std::vector<BYTE> block = c.block;
  std::string text(1 << 16, '\0');
  CommandRequest request{};
  request[kReqHandler] = c.handler;
  request[kReqTelegram] = c.telegram;
  request[kReqResultText] = reinterpret_cast<ULONG_PTR>(text.data());
  request[kReqCapacity] = text.size();
  request[kReqParamBlock] = block.empty() ? 0 : reinterpret_cast<ULONG_PTR>(block.data());
  request[kReqParamLength] = block.size();

  // Once against the simulated device, to take its answer.
  DiagCommandProc(nullptr, request.data());
  TelegramRecord sent{};
  TelegramRecord answer{};
  m.ok = SimRequestCount() == 1 && SimRequestAt(0, sent.data()) && TelegramSensor(sensor, sent.data(), answer.data());
  m.requestBytes = kHeaderBytes + 1 + c.requestData;
  m.answerBytes = kHeaderBytes + Word(answer, kRecCount);

  std::vector<double> times;
  times.reserve(kRuns);
  for (int run = 0; run < kWarmUp + kRuns; ++run) {
    SimReset();
    SimQueueAnswer(answer.data(), TRUE, 0);
    text[0] = '\0';
    const double start = Seconds();
    DiagCommandProc(nullptr, request.data());
    const double elapsed = Seconds() - start;
    if (run >= kWarmUp) times.push_back(elapsed);
  }
  m.textBytes = std::string(text.c_str()).size();
  m.ok = m.ok && request[kReqStatus] == 0 && m.textBytes > 0;
  std::sort(times.begin(), times.end());
  m.median = times[times.size() / 2];
  m.low = times[times.size() / 10];
  m.high = times[times.size() * 9 / 10];
  CloseSensor(sensor);
  FreeSensor(sensor);
  return m;
}

}  // namespace

int main() {
  SetInstance(GetModuleHandleA(nullptr));
  std::printf("Library time per command (driver answers at once, %d runs after %d to warm up)\n", kRuns, kWarmUp);
  std::printf("against the wire time of the same telegrams at %.0f Baud, %.0f bits per byte\n", kBaud, kBitsPerByte);
  std::printf("(a telegram on the line: %zu header bytes, the code and the data).\n\n", kHeaderBytes);
  std::printf("%-48s %10s %19s %15s %10s %8s\n", "Command", "median", "10% .. 90%", "bytes req+ans", "wire", "ratio");
  std::printf("%s\n", std::string(48 + 11 + 20 + 16 + 11 + 9, '-').c_str());
  bool allMet = true;
  for (const BenchCase &c : kCases) {
    const Measured m = Measure(c);
    const double wire = static_cast<double>(m.requestBytes + m.answerBytes) * kBitsPerByte / kBaud;
    const double ratio = m.median / wire;
    const bool met = m.ok && ratio < kTarget;
    allMet = allMet && met;
    char spread[32];
    std::snprintf(spread, sizeof spread, "%.1f .. %.1f us", m.low * 1e6, m.high * 1e6);
    char bytes[32];
    std::snprintf(bytes, sizeof bytes, "%zu + %zu", m.requestBytes, m.answerBytes);
    std::printf("%-48s %7.1f us %19s %15s %7.2f ms %7.3f%%%s\n", c.name, m.median * 1e6, spread, bytes, wire * 1e3,
                ratio * 100, met ? "" : (m.ok ? "  above 1%" : "  (no answer from the device)"));
  }
  std::printf("\nTarget: the library's time under 1%% of the wire time for every command: %s\n",
              allMet ? "met" : "NOT met");
  SimConfigure("");
  return allMet ? 0 : 1;
}
