// Placement rows into request data: the one way a handler fills a request.
#include <cstring>

#include "dispatch/dispatch.h"

namespace kvt {

namespace {

// Only the pairs the block holds are read; the rest of the request stays as it was.
void PlaceRangePairs(TelegramRecord &request, std::size_t at, std::span<const BYTE> block) {
  constexpr std::size_t kFirstPair = 2;
  constexpr std::size_t kPairSize = 4;
  const WORD count = Word(block, 0);
  PutWord(request, at, count);
  for (std::size_t i = 0; i < count && kFirstPair + (i + 1) * kPairSize <= block.size(); ++i) {
    const std::size_t from = kFirstPair + i * kPairSize;
    const std::size_t to = at + 2 + i * kPairSize;
    PutWord(request, to, Word(block, from));
    PutWord(request, to + 2, Word(block, from + 2));
  }
}

// Words the block does not hold are placed as zeros; none beyond the record.
void PlaceWordList(TelegramRecord &request, std::size_t at, std::span<const BYTE> block, WORD limit) {
  const WORD count = limit != 0 && Word(block, 0) > limit ? limit : Word(block, 0);
  PutWord(request, at, count);
  for (std::size_t i = 0; i < count && at + 2 + 2 * i < kRecordSize; ++i) {
    PutWord(request, at + 2 + 2 * i, Word(block, 2 + 2 * i));
  }
}

// The host's text with its zero, as far as the record reaches.
void PlacePassword(TelegramRecord &request, std::size_t at, const char *password) {
  if (at >= kRecordSize) return;
  const std::size_t length = password ? strnlen(password, kRecordSize - at - 1) : 0;
  if (length > 0) std::memcpy(request.data() + at, password, length);
  request[at + length] = 0;
}

// Bit 15 marks a corner point in the device's field telegrams.
constexpr WORD kCornerMark = 0x8000;

void PlaceMarkedWords(TelegramRecord &request, std::size_t at, std::span<const BYTE> block, std::size_t from,
                      std::size_t count, std::size_t stride) {
  for (std::size_t i = 0; i < count; ++i) PutWord(request, at + 2 * i, Word(block, from + stride * i) | kCornerMark);
}

}  // namespace

bool PlaceData(Command &command, std::span<const Place> places) {
  const std::span<const BYTE> block = command.Block();
  for (const Place &place : places) {
    if (ReadsBlock(place) && block.empty()) return false;
  }
  TelegramRecord &request = command.Request();
  for (const Place &place : places) {
    switch (place.source) {
      case Source::kNothing: break;
      case Source::kBlock:
        for (std::size_t i = 0; i < place.size; ++i) PutByte(request, place.to + i, Byte(block, place.from + i));
        break;
      case Source::kConstant:
        for (std::size_t i = 0; i < place.size; ++i) PutByte(request, place.to + i, place.from >> (8 * i));
        break;
      case Source::kRangePairs: PlaceRangePairs(request, place.to, block); break;
      case Source::kWordList: PlaceWordList(request, place.to, block, place.size); break;
      case Source::kPassword:
        PlacePassword(request, place.to, reinterpret_cast<const char *>(command.request[kReqPassword]));
        break;
      case Source::kMarkedWords: PlaceMarkedWords(request, place.to, block, place.from, place.size, 2); break;
      case Source::kCornerPoints:
        PlaceMarkedWords(request, place.to, block, place.from + 4, Word(block, place.from) + 1u, 4);
        break;
    }
  }
  return true;
}

bool PlaceRowData(Command &command, const HandlerRow &row) {
  // A telegram code the row does not list leaves the byte unset.
  for (const CodeData &entry : row.byCode) {
    if (entry.telegram != 0 && entry.telegram == command.Telegram()) command.Request()[kRecData] = entry.data;
  }
  return PlaceData(command, row.data);
}

}  // namespace kvt
