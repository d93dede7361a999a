// TelegramSensor and TelegramDownload: one exchange with the simulated
// device, after the scripted answers and the fault plan have had their say,
// and a test's answer filter its last word.
#include <algorithm>

#include "driver.h"

namespace kvtdrv {

namespace {

using kvt::kRecordSize;

std::size_t AnswerLogLength(std::span<const BYTE> answer) {
  const std::size_t length = kvt::kRecCode + kvt::Word(answer, kvt::kRecCount);
  return std::clamp<std::size_t>(length, kvt::kRecData, kRecordSize);
}

// The answer the queue, the fault plan and the device give; FALSE (the
// error text set) when none comes.
bool AnswerOf(std::span<const BYTE> in, DWORD number, TelegramRecord &reply) {
  bool ok = false;
  if (TakeQueuedAnswer(reply, ok)) {
    if (!ok) SetError("Keine Antwort vom Sensor (vorgegebene Antwort, Telegramm %u).", number);
    return ok;
  }
  if (FaultStrikes(FaultKind::NoAnswer, number)) {
    SetError("Keine Antwort vom Sensor (simulierter Fehler, Telegramm %u).", number);
    return false;
  }
  if (!AnswerRequest(in, reply, FaultStrikes(FaultKind::Refused, number))) {
    SetError("Keine Antwort vom Sensor unter Adresse %u.", in[kvt::kRecAddress]);
    return false;
  }
  if (FaultStrikes(FaultKind::WrongAnswer, number)) ++reply[kvt::kRecCode];
  return true;
}

BOOL Deliver(const TelegramRecord &answer, BYTE *out) {
  std::copy(answer.begin(), answer.end(), out);
  LogRecord(LogDirection::Answer, std::span<const BYTE>(answer).first(AnswerLogLength(answer)));
  return TRUE;
}

}  // namespace

}  // namespace kvtdrv

KVT_DRV_API BOOL WINAPI TelegramSensor(DWORD sensor, BYTE *request, BYTE *answer) {
  using namespace kvtdrv;
  if (!CheckSession(sensor, true)) return FALSE;
  if (!request || !answer) {
    SetError("Ungültiger Telegrammpuffer (Nullzeiger).");
    return FALSE;
  }
  const std::span<const BYTE> in(request, kvt::kRecordSize);
  RecordRequest(in);
  LogRecord(LogDirection::Request, in.first(RequestLogLength(in)));
  const DWORD number = CountCall(CallKind::Telegram);

  TelegramRecord reply{};
  const bool answered = AnswerOf(in, number, reply);
  if (!FilterAnswer(request, reply, answered)) {
    if (answered) SetError("Keine Antwort vom Sensor (Testfilter, Telegramm %u).", number);
    LogNote(LogDirection::Answer, "(keine Antwort)");
    return FALSE;
  }
  return Deliver(reply, answer);
}

KVT_DRV_API BOOL WINAPI TelegramDownload(DWORD sensor, BYTE *record) {
  using namespace kvtdrv;
  if (!CheckSession(sensor, true)) return FALSE;
  if (!record) {
    SetError("Ungültiger Telegrammpuffer (Nullzeiger).");
    return FALSE;
  }
  const std::span<const BYTE> in(record, kvt::kRecordSize);
  RecordRequest(in);
  const std::size_t length = kvt::Word(in, kvt::kRecLength);
  LogRecord(LogDirection::Request, in.first(std::min(kvt::kRecCode + length, kvt::kRecordSize)));
  const DWORD number = CountCall(CallKind::Download);
  bool accepted = false;
  std::string note;
  if (FaultStrikes(FaultKind::Download, number)) {
    SetError("Download-Telegramm %u nicht angenommen (simulierter Fehler).", number);
  } else {
    accepted = AcceptDownload(in, note);
  }
  LogNote(LogDirection::Answer, accepted ? (note.empty() ? "(angenommen)" : "(angenommen) " + note) : "(abgelehnt)");
  return accepted ? TRUE : FALSE;
}
