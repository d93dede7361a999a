// The request frame, the driver call and the exchange that checks the answer code.
#include "telegram/telegram.h"

namespace kvt {

namespace {

// Data that the exchange routine adds on its own for a few commands.
struct FixedData {
  BYTE command;
  void (*apply)(TelegramRecord &request);
};

constexpr FixedData kFixedData[] = {
    {0x39, [](TelegramRecord &r) { PutByte(r, kRecData, 1); }},
    {0x79, [](TelegramRecord &r) { PutWord(r, kRecData, 0); }},
    {0x7A, [](TelegramRecord &r) { PutWord(r, kRecData, 0); }},
    {0x7E, [](TelegramRecord &r) { PutByte(r, kRecData + 1, 0); }},
};

}  // namespace

void PrepareRequest(TelegramRecord &request, BYTE type, BYTE address) {
  PutWord(request, kRecSize, kRecordSize);
  request[kRecType] = type;
  request[kRecAddress] = address;
}

BOOL SendTelegram(DWORD sensor, TelegramRecord &request, TelegramRecord &answer) {
  return TelegramSensor(sensor, request.data(), answer.data()) != FALSE;
}

BOOL ExchangeTelegram(DWORD sensor, unsigned command, unsigned type, TelegramRecord &request,
                      TelegramRecord &answer) {
  const BYTE code = static_cast<BYTE>(command);
  request[kRecCode] = code;
  request[kRecType] = static_cast<BYTE>(type);
  for (const auto &fixed : kFixedData) {
    if (fixed.command == code) fixed.apply(request);
  }
  if (!SendTelegram(sensor, request, answer)) return FALSE;
  // Compared as whole numbers: a command of 0x80 or above is never accepted.
  return static_cast<unsigned>(AnswerCode(answer)) == code + 0x80u;
}

}  // namespace kvt
