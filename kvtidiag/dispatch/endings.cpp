// The endings of a command, and the one exchange that leads to them.
#include <climits>

#include "dispatch/dispatch.h"

namespace kvt {

namespace {

// The driver's own words; the communication message then replaces them.
void AskDriverErrorText(Command &command) {
  const std::size_t capacity = command.out.capacity < INT_MAX ? command.out.capacity : INT_MAX;
  if (!command.out.text || capacity == 0) return;
  ErrorSensor(command.run.sensor, command.out.text, static_cast<int>(capacity));
  command.out.text[capacity - 1] = '\0';
}

}  // namespace

BOOL SuccessEnding(Command &command) {
  const TelegramRecord &request = command.Request();
  Append(command.out, FormatFromTable(KindOf(request[kRecType]).addressLine, request[kRecAddress]));
  return TRUE;
}

BOOL CommunicationFailure(Command &command) {
  command.request[kReqStatus] = kStatusCommFailure;
  return MessageEnding(command, ids::kCommunicationFailed);
}

BOOL WrongAnswer(Command &command) { return MessageEnding(command, ids::kWrongAnswer); }

BOOL MessageEnding(Command &command, UINT message) {
  Replace(command.out, FormatFromTable(message));
  return SuccessEnding(command);
}

bool Accepted::Has(BYTE answer) const {
  if (codes[0] == 0 && codes[1] == 0) return true;
  return answer != 0 && (answer == codes[0] || answer == codes[1]);
}

Ending Exchange(Command &command, BYTE code, Accepted accepted, ExchangeFailure failure) {
  command.Request()[kRecCode] = code;
  const bool answered = SendTelegram(command.run.sensor, command.Request(), command.Answer()) != FALSE;
  if (answered && accepted.Has(AnswerCode(command.Answer()))) return std::nullopt;
  if (failure == ExchangeFailure::kReplaceOnly) {
    if (!answered) command.request[kReqStatus] = kStatusCommFailure;
    Replace(command.out, FormatFromTable(answered ? ids::kWrongAnswer : ids::kCommunicationFailed));
    return FALSE;
  }
  if (failure == ExchangeFailure::kAppend) {
    if (!answered) command.request[kReqStatus] = kStatusCommFailure;
    Append(command.out, FormatFromTable(answered ? ids::kWrongAnswer : ids::kCommunicationFailed));
    return TRUE;
  }
  if (answered) return WrongAnswer(command);
  if (failure == ExchangeFailure::kEndAfterDriverText) AskDriverErrorText(command);
  return CommunicationFailure(command);
}

}  // namespace kvt
