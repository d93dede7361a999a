// The telegram record and the exchange with the device through the driver.
#pragma once

#include <windows.h>

#include <span>

#include "kvt/abi.h"
#include "kvt/bytes.h"

namespace kvt {

// A request and, directly behind it, its answer.
struct TelegramPair {
  TelegramRecord request{};
  TelegramRecord answer{};
};

// Bytes 0-1 = 828, byte 2 = type, byte 5 = address.
void PrepareRequest(TelegramRecord &request, BYTE type, BYTE address);

// TelegramSensor with the run's SensorHandle `sensor`; TRUE when an answer came.
BOOL SendTelegram(DWORD sensor, TelegramRecord &request, TelegramRecord &answer);

// Sets command and type, adds the fixed data some commands carry, sends,
// and accepts only the answer code command + 0x80.
BOOL ExchangeTelegram(DWORD sensor, unsigned command, unsigned type, TelegramRecord &request,
                      TelegramRecord &answer);

inline BYTE AnswerCode(const TelegramRecord &answer) { return answer[kRecCode]; }
inline WORD AnswerCount(const TelegramRecord &answer) { return Word(answer, kRecCount); }

}  // namespace kvt
