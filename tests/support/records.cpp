#include "support/records.h"

#include "entry/entry.h"
#include "kvt/bytes.h"
#include "kvt/simcontrol.h"

namespace kvt::test {

TelegramRecord Answer(BYTE code, const std::vector<BYTE> &data, BYTE kind) {
  TelegramRecord record{};
  PutWord(record, kRecCount, static_cast<unsigned>(1 + data.size()));
  record[kRecKind] = kind;
  record[kRecCode] = code;
  for (std::size_t i = 0; i < data.size() && kRecData + i < record.size(); ++i) record[kRecData + i] = data[i];
  return record;
}

TelegramRecord AnswerWith(BYTE code, const std::vector<std::pair<std::size_t, BYTE>> &bytes) {
  TelegramRecord record = Answer(code);
  for (const auto &[at, value] : bytes) record[at] = value;
  return record;
}

void QueueAnswer(const TelegramRecord &answer) { SimQueueAnswer(answer.data(), TRUE, 0); }

void QueueNoAnswer() {
  TelegramRecord empty{};
  SimQueueAnswer(empty.data(), FALSE, 0);
}

std::vector<TelegramRecord> SentRequests() {
  std::vector<TelegramRecord> requests(SimRequestCount());
  for (DWORD i = 0; i < requests.size(); ++i) SimRequestAt(i, requests[i].data());
  return requests;
}

SimulatedSensor::SimulatedSensor(const char *config) {
  SimConfigure(config);
  SimReset();
  handle = LoadSensor(0);
  OpenSensor(handle);
  Run() = RunState{};
  Run().sensor = handle;
  SetInstance(GetModuleHandleA(nullptr));
}

SimulatedSensor::~SimulatedSensor() {
  CloseSensor(handle);
  FreeSensor(handle);
  SimReset();
  SimConfigure("");
  Run() = RunState{};
}

}  // namespace kvt::test
