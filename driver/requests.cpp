// What the test-control exports look at: the requests received and the
// scripted answers waiting to be handed out.
#include <algorithm>
#include <deque>
#include <vector>

#include "driver.h"

namespace kvtdrv {

namespace {

// Enough for any test; a long interactive session only keeps counting.
constexpr std::size_t kKeptRequests = 8192;

struct QueuedAnswer {
  TelegramRecord record;
  bool ok;
};

std::vector<TelegramRecord> g_requests;
DWORD g_requestCount = 0;
std::deque<QueuedAnswer> g_queue;

}  // namespace

void RecordRequest(std::span<const BYTE> request) {
  if (g_requestCount < MAXDWORD) ++g_requestCount;
  if (g_requests.size() >= kKeptRequests) return;
  TelegramRecord &kept = g_requests.emplace_back();
  kept.fill(0);
  std::copy_n(request.begin(), std::min(request.size(), kept.size()), kept.begin());
}

bool TakeQueuedAnswer(TelegramRecord &answer, bool &ok) {
  if (g_queue.empty()) return false;
  answer = g_queue.front().record;
  ok = g_queue.front().ok;
  g_queue.pop_front();
  return true;
}

}  // namespace kvtdrv

using kvtdrv::g_queue;
using kvtdrv::g_requestCount;
using kvtdrv::g_requests;

KVT_DRV_API BOOL WINAPI SimQueueAnswer(const BYTE *answer, BOOL ok, DWORD flags) {
  if (flags != 0 || (ok && !answer)) return FALSE;
  kvtdrv::QueuedAnswer &queued = g_queue.emplace_back();
  queued.record.fill(0);
  if (answer) std::copy_n(answer, queued.record.size(), queued.record.begin());
  queued.ok = ok != FALSE;
  return TRUE;
}

KVT_DRV_API DWORD WINAPI SimRequestCount(void) { return g_requestCount; }

KVT_DRV_API BOOL WINAPI SimRequestAt(DWORD index, BYTE *out) {
  if (!out || index >= g_requests.size()) return FALSE;
  std::copy(g_requests[index].begin(), g_requests[index].end(), out);
  return TRUE;
}

KVT_DRV_API BOOL WINAPI SimReset(void) {
  g_requests.clear();
  g_requestCount = 0;
  g_queue.clear();
  kvtdrv::RestartCallCounts();
  kvtdrv::RestartDevice();
  kvtdrv::EraseFlash();
  return TRUE;
}
