// Which call a configured fault strikes. Telegram faults count the calls of
// TelegramSensor; the others count calls of their own function. Counting
// starts anew when a configuration is applied and at SimReset.
#include "driver.h"

namespace kvtdrv {

namespace {

std::array<DWORD, kCallKinds> g_calls{};

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
    if (f.kind == kind && number >= f.first && number <= f.last) return true;
  }
  return false;
}

}  // namespace kvtdrv
