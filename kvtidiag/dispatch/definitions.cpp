// Rows that send one telegram with at most a data byte or word and answer
// with an accepted or refused message.
#include "dispatch/dispatch.h"

namespace kvt {

namespace {

constexpr BYTE kAccepted = 1;
constexpr BYTE kRefused = 0;

}  // namespace

bool PlaceData(Command &command, const HandlerRow &row) {
  TelegramRecord &request = command.Request();
  const std::span<const BYTE> block = command.Block();
  switch (row.data) {
    case DataRule::kNone: return true;
    case DataRule::kFixedByte: request[kRecData] = row.fixedData; return true;
    case DataRule::kByTelegramCode:
      // A telegram code the row does not list leaves the byte unset.
      for (const auto &entry : row.byCode) {
        if (entry.telegram == command.Telegram() && entry.telegram != 0) request[kRecData] = entry.data;
      }
      return true;
    case DataRule::kBlockByte:
      if (block.empty()) return false;
      request[kRecData] = block[0];
      return true;
    case DataRule::kBlockLowWord:
      if (block.empty()) return false;
      PutWord(request, kRecData, Dword(block, 0) & 0xFFFF);
      return true;
  }
  return false;
}

BOOL RunDefinition(Command &command, const HandlerRow &row) {
  if (!PlaceData(command, row)) return FALSE;
  BOOL ending;
  if (!Exchanged(command, row.command, row.expected, ending)) return ending;
  const BYTE status = command.Answer()[kRecData];
  if (status == kAccepted) return MessageEnding(command, row.accepted);
  if (status == kRefused) return MessageEnding(command, row.refused);
  if (row.other == OtherStatus::kWrongAnswer) return WrongAnswer(command);
  return SuccessEnding(command);
}

}  // namespace kvt
