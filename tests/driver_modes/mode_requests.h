// Requests of the operating-mode change for the tests of this folder.
#pragma once

#include <algorithm>
#include <string>
#include <vector>

#include "driver/driver_support.h"

namespace drvtest {

// Request bytes from byte 9: the mode byte, then a password with its zero.
inline std::vector<BYTE> WithPassword(BYTE mode, const std::string &password) {
  std::vector<BYTE> data(password.size() + 2, 0);
  data[0] = mode;
  std::copy(password.begin(), password.end(), data.begin() + 1);
  return data;
}

// One exchange at address 0; an answer of 0xEE bytes when none came.
inline TelegramRecord Exchange(DWORD handle, BYTE type, BYTE command, const std::vector<BYTE> &data = {}) {
  TelegramRecord request = Request(type, 0, command, data);
  TelegramRecord answer{};
  if (!TelegramSensor(handle, request.data(), answer.data())) answer.fill(0xEE);
  return answer;
}

}  // namespace drvtest
