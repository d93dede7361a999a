// Transfer routines of the type-6 sensor's definitions: the ParamBlock into
// the request's data, which begins at record byte 9. A block shorter than
// its layout gives zeros for what it lacks.
#include "dialogs/dialogs.h"
#include "kvt/bytes.h"

namespace kvt {

namespace {

constexpr std::size_t kSensorConfigBytes = 33;
constexpr std::size_t kSensorConfig2Bytes = 84;
constexpr std::size_t kPositionAidBytes = 16;
constexpr std::size_t kFinalTestBytes = 68;
constexpr unsigned kMaxListWords = 401;

void CopyBlock(std::span<const BYTE> block, std::size_t from, std::size_t count, TelegramRecord &request,
               std::size_t to) {
  for (std::size_t i = 0; i < count; ++i) PutByte(request, to + i, Byte(block, from + i));
}

// The count word, then as many words as it says from block byte 2 on.
void PlaceWordList(std::span<const BYTE> block, unsigned count, TelegramRecord &request) {
  PutWord(request, kRecData, count);
  CopyBlock(block, 2, 2 * static_cast<std::size_t>(count), request, kRecData + 2);
}

}  // namespace

void TransferSensorConfig(std::span<const BYTE> block, TelegramRecord &request) {
  CopyBlock(block, 0, kSensorConfigBytes, request, kRecData);
}

void TransferSensorConfig2(std::span<const BYTE> block, TelegramRecord &request) {
  CopyBlock(block, 0, kSensorConfig2Bytes, request, kRecData);
}

void TransferPositionAid(std::span<const BYTE> block, TelegramRecord &request) {
  CopyBlock(block, 0, kPositionAidBytes, request, kRecData);
}

void TransferFinalTestData(std::span<const BYTE> block, TelegramRecord &request) {
  CopyBlock(block, 0, kFinalTestBytes, request, kRecData);
}

// The low 16 bits of the scan angle and of the single-shot resolution.
void TransferVariant(std::span<const BYTE> block, TelegramRecord &request) {
  CopyBlock(block, 0, 2, request, kRecData);
  CopyBlock(block, 4, 2, request, kRecData + 2);
}

void TransferWordList(std::span<const BYTE> block, TelegramRecord &request) {
  PlaceWordList(block, Word(block, 0), request);
}

void TransferWordListLimited(std::span<const BYTE> block, TelegramRecord &request) {
  const unsigned count = Word(block, 0);
  PlaceWordList(block, count > kMaxListWords ? kMaxListWords : count, request);
}

}  // namespace kvt
