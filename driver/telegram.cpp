// TelegramSensor and TelegramDownload: one exchange with the simulated
// device, after the scripted answers and the fault plan have had their say,
// traced as it went, and a test's answer filter its last word.
#include <algorithm>

#include "driver.h"

namespace kvtdrv {

namespace {

using kvt::kRecordSize;

std::size_t AnswerLength(std::span<const BYTE> answer) {
  const std::size_t length = kvt::kRecCode + kvt::Word(answer, kvt::kRecCount);
  return std::clamp<std::size_t>(length, kvt::kRecData, kRecordSize);
}

// The answer the queue, the fault plan and the device give; FALSE (the
// error text set) when none comes. `note` gets what the trace adds: why
// none came, or that the answer was scripted.
bool AnswerOf(std::span<const BYTE> in, DWORD number, TelegramRecord &reply, std::string &note) {
  bool ok = false;
  if (TakeQueuedAnswer(reply, ok)) {
    if (!ok) SetError("Keine Antwort vom Sensor (vorgegebene Antwort, Telegramm %u).", number);
    note = " (vorgegeben)";
    return ok;
  }
  if (FaultStrikes(FaultKind::NoAnswer, number)) {
    SetError("Keine Antwort vom Sensor (simulierter Fehler, Telegramm %u).", number);
    return false;
  }
  bool refuse = FaultStrikes(FaultKind::Refused, number);
  const bool heard = AnswerRequest(in, reply, refuse);
  if (!refuse) ForgetFault(FaultKind::Refused);  // no status byte to show it
  if (!heard) {
    SetError("Keine Antwort vom Sensor unter Adresse %u.", in[kvt::kRecAddress]);
    note = " (kein Gerät dieses Typs unter dieser Adresse)";
    return false;
  }
  if (FaultStrikes(FaultKind::WrongAnswer, number)) ++reply[kvt::kRecCode];
  return true;
}

BOOL Deliver(LONGLONG sent, BYTE command, const TelegramRecord &answer, BYTE *out, const std::string &note) {
  std::copy(answer.begin(), answer.end(), out);
  NoteDeliveredAnswer(answer[kvt::kRecCode]);
  TraceDelivered(sent, command, std::span<const BYTE>(answer).first(AnswerLength(answer)), note);
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
  const LONGLONG sent = TraceRequest(in);
  const DWORD number = CountCall(CallKind::Telegram);

  TelegramRecord reply{};
  std::string note;
  const bool answered = AnswerOf(in, number, reply, note);
  if (!FilterAnswer(request, reply, answered)) {
    if (answered) {
      SetError("Keine Antwort vom Sensor (Testfilter, Telegramm %u).", number);
      note = " (Testfilter)";
    }
    TraceAnswer(sent, "keine Antwort" + note);
    return FALSE;
  }
  return Deliver(sent, in[kvt::kRecCode], reply, answer, note);
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
  const LONGLONG sent = TraceRequest(in);
  const DWORD number = CountCall(CallKind::Download);
  bool accepted = false;
  std::string note;
  if (FaultStrikes(FaultKind::Download, number)) {
    SetError("Download-Telegramm %u nicht angenommen (simulierter Fehler).", number);
  } else {
    accepted = AcceptDownload(in, note);
  }
  TraceAnswer(sent, accepted ? (note.empty() ? "(angenommen)" : "(angenommen) " + note)
                             : "(abgelehnt) " + std::string(LastError()));
  return accepted ? TRUE : FALSE;
}
