// Which call a configured fault strikes. Telegram faults count the calls of
// TelegramSensor; the others count calls of their own function. Counting
// starts anew when a configuration is applied and at SimReset.
#include "driver.h"

namespace kvtdrv {

namespace {

std::array<DWORD, kCallKinds> g_calls{};
std::array<bool, kFaultKinds> g_struck{};  // since the trace's last line

}  // namespace

DWORD CountCall(CallKind call) {
  DWORD &count = g_calls[static_cast<std::size_t>(call)];
  if (count < MAXDWORD) ++count;
  return count;
}

void RestartCallCounts() { g_calls.fill(0); }

void RestartCallCount(CallKind call) { g_calls[static_cast<std::size_t>(call)] = 0; }

bool FaultStrikes(FaultKind kind, DWORD number) {
  const FaultPlan &plan = Config().faults;
  for (std::size_t i = 0; i < plan.count; ++i) {
    const Fault &f = plan.faults[i];
    if (f.kind == kind && number >= f.first && number <= f.last) {
      g_struck[static_cast<std::size_t>(kind)] = true;
      return true;
    }
  }
  return false;
}

void ForgetFault(FaultKind kind) { g_struck[static_cast<std::size_t>(kind)] = false; }

std::string TakeFaultMarks() {
  std::string marks;
  for (std::size_t k = 0; k < g_struck.size(); ++k) {
    if (!g_struck[k]) continue;
    marks.append(" [Fehler simuliert: ").append(FaultDescription(static_cast<FaultKind>(k))).append("]");
    g_struck[k] = false;
  }
  return marks;
}

}  // namespace kvtdrv
