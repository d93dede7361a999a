// Answers for the library: random, random with the right answer code,
// mutated from the simulated device's own, and extreme; each kept for a
// replay, which hands out the same again.
#include <algorithm>

#include "fuzz/fuzz.h"
#include "kvt/bytes.h"

namespace kvt::fuzz {

namespace {

constexpr unsigned kExtremeWords[] = {0, 1, 0xFF, 0xFFFF};
constexpr BYTE kExtremeBytes[] = {0, 1, 0xFF};
constexpr BYTE kNak = 0x15;
// Where counts and lengths stand: the head of the data.
constexpr unsigned kDataHead = 160;

// The device's code when it answered with more than a refusal, else the rule.
BYTE RightCode(const BYTE *request, const TelegramRecord &real, bool answered) {
  if (answered && real[kRecCode] != kNak) return real[kRecCode];
  return static_cast<BYTE>(request[kRecCode] + 0x80);
}

// A count from the answer code on: within the record, short, or anything.
WORD SomeCount(Random &random) {
  switch (random.Below(3)) {
    case 0: return static_cast<WORD>(1 + random.Below(kRecordSize - kRecCode));
    case 1: return static_cast<WORD>(random.Below(64));
    default: return static_cast<WORD>(random.Next());
  }
}

void RandomRecord(Random &random, TelegramRecord &record) {
  for (BYTE &b : record) b = random.AnyByte();
  // Often zeros behind the data, as a driver leaves them.
  if (random.Chance(50)) std::fill(record.begin() + kRecData + random.Below(kRecordSize - kRecData), record.end(), 0);
  PutWord(record, kRecCount, SomeCount(random));
}

std::size_t DataAt(Random &random, std::size_t reach) { return kRecData + random.Below(static_cast<unsigned>(reach)); }

void Mutate(Random &random, TelegramRecord &record) {
  const std::size_t reach = std::min<std::size_t>(Word(record, kRecCount) + 8, kRecordSize - kRecData);
  for (unsigned mutations = 1 + random.Below(8); mutations > 0; --mutations) {
    const std::size_t at = DataAt(random, reach);
    switch (random.Below(6)) {
      case 0: record[at] ^= static_cast<BYTE>(1u << random.Below(8)); break;
      case 1: record[at] = random.AnyByte(); break;
      case 2: PutWord(record, at, random.Pick(kExtremeWords)); break;
      case 3: PutWord(record, kRecCount, SomeCount(random)); break;
      case 4: std::fill(record.begin() + static_cast<std::ptrdiff_t>(at), record.end(), 0); break;
      default: std::fill(record.begin() + static_cast<std::ptrdiff_t>(at), record.end(), 0xFF); break;
    }
  }
}

// Every length and count field at 0, 1, 0xFF or 0xFFFF: the count word, and
// bytes or words of the data's head, where a data count stands.
void Extreme(Random &random, TelegramRecord &record) {
  PutWord(record, kRecCount, random.Pick(kExtremeWords));
  const std::size_t head = 1 + random.Below(kDataHead);
  switch (random.Below(3)) {
    case 0: std::fill_n(record.begin() + kRecData, head, random.Pick(kExtremeBytes)); break;
    case 1:
      for (unsigned n = 1 + random.Below(8); n > 0; --n)
        PutWord(record, DataAt(random, head), random.Pick(kExtremeWords));
      break;
    default:
      for (unsigned n = 1 + random.Below(8); n > 0; --n) record[DataAt(random, head)] = random.Pick(kExtremeBytes);
      break;
  }
}

Delivered MakeAnswer(Random &random, const BYTE *request, const TelegramRecord &real, bool answered) {
  Delivered out{true, real};
  const unsigned kind = random.Below(100);
  if (kind < 4) return {};
  if (kind < 10 && answered) return out;
  if (kind < 25) {
    RandomRecord(random, out.record);
    return out;
  }
  if (kind < 45 || !answered) {
    RandomRecord(random, out.record);
    out.record[kRecCode] = RightCode(request, real, answered);
    return out;
  }
  (kind < 75 ? Mutate : Extreme)(random, out.record);
  if (random.Chance(10)) out.record[kRecKind] = random.AnyByte();
  return out;
}

}  // namespace

BOOL WINAPI FilterAnswer(const BYTE *request, BYTE *answer, BOOL answered) {
  Play &play = Playing();
  if (!play.input) return answered;
  Delivered delivered;  // a replay with nothing left: no answer
  if (play.replay) {
    if (play.answers < play.input->answers.size()) delivered = play.input->answers[play.answers++];
  } else {
    TelegramRecord real;
    std::copy_n(answer, kRecordSize, real.begin());
    delivered = MakeAnswer(play.random, request, real, answered != FALSE);
    play.input->answers.push_back(delivered);
  }
  std::copy(delivered.record.begin(), delivered.record.end(), answer);
  return delivered.answered ? TRUE : FALSE;
}

}  // namespace kvt::fuzz
