// Building scripted answers and reading back what the library sent, through
// the simulated driver's control exports.
#pragma once

#include <windows.h>

#include <cstddef>
#include <string>
#include <utility>
#include <vector>

#include "kvt/abi.h"

namespace kvt::test {

// An answer record: count = 1 + data size, kind bits, code, data from byte 9.
TelegramRecord Answer(BYTE code, const std::vector<BYTE> &data = {}, BYTE kind = 0);
// The same with explicit bytes placed at record offsets (after the data).
TelegramRecord AnswerWith(BYTE code, const std::vector<std::pair<std::size_t, BYTE>> &bytes);

void QueueAnswer(const TelegramRecord &answer);
void QueueNoAnswer();

// Requests the driver received since the last SimReset.
std::vector<TelegramRecord> SentRequests();

// A loaded and opened simulated sensor for tests that link the library's
// objects; restores the driver on destruction.
struct SimulatedSensor {
  explicit SimulatedSensor(const char *config = "device=kvt;address=0;setup=no");
  ~SimulatedSensor();
  DWORD handle = 0;
};

}  // namespace kvt::test
