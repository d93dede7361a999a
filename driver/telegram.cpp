// TelegramSensor and TelegramDownload: one exchange with the simulated
// device, after the scripted answers and the fault plan have had their say,
// traced as it went.
#include <algorithm>

#include "driver.h"

namespace kvtdrv {

namespace {

using kvt::kRecordSize;

std::size_t AnswerLength(std::span<const BYTE> answer) {
  const std::size_t length = kvt::kRecCode + kvt::Word(answer, kvt::kRecCount);
  return std::clamp<std::size_t>(length, kvt::kRecData, kRecordSize);
}

BOOL NoAnswer(LONGLONG sent, std::string_view why, const char *format, unsigned value) {
  SetError(format, value);
  TraceAnswer(sent, why);
  return FALSE;
}

BOOL Deliver(LONGLONG sent, BYTE command, const TelegramRecord &answer, BYTE *out, std::string_view note = {}) {
  std::copy(answer.begin(), answer.end(), out);
  NoteDeliveredAnswer(answer[kvt::kRecCode]);
  TraceAnswer(sent, AnswerName(answer[kvt::kRecCode], command) + std::string(note),
              std::span<const BYTE>(answer).first(AnswerLength(answer)));
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
  const BYTE command = in[kvt::kRecCode];
  const DWORD number = CountCall(CallKind::Telegram);

  TelegramRecord reply{};
  bool ok = false;
  if (TakeQueuedAnswer(reply, ok)) {
    if (!ok) {
      return NoAnswer(sent, "keine Antwort (vorgegeben)",
                      "Keine Antwort vom Sensor (vorgegebene Antwort, Telegramm %u).", number);
    }
    return Deliver(sent, command, reply, answer, " (vorgegeben)");
  }
  if (FaultStrikes(FaultKind::NoAnswer, number)) {
    return NoAnswer(sent, "keine Antwort", "Keine Antwort vom Sensor (simulierter Fehler, Telegramm %u).", number);
  }
  bool refuse = FaultStrikes(FaultKind::Refused, number);
  const bool heard = AnswerRequest(in, reply, refuse);
  if (!refuse) ForgetFault(FaultKind::Refused);
  if (!heard) {
    return NoAnswer(sent, "keine Antwort (kein Gerät dieses Typs unter dieser Adresse)",
                    "Keine Antwort vom Sensor unter Adresse %u.", in[kvt::kRecAddress]);
  }
  if (FaultStrikes(FaultKind::WrongAnswer, number)) ++reply[kvt::kRecCode];
  return Deliver(sent, command, reply, answer);
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
