// A stored protective field read back (0x45): the field set from the
// dialog, the letter from the menu line, the answer described with its
// values. It ends on its own: no address line, and FALSE in the execution
// phase whatever came, the text standing in ResultText for the host.
#include "dispatch/dispatch.h"

namespace kvt {

namespace {

constexpr std::size_t kLetterAt = 10;

struct LetterCode {
  WORD telegram;
  BYTE letter;  // 0 to 5: the fields A to F
};

constexpr LetterCode kLetters[] = {
    {0x9B, 0}, {0x9C, 1}, {0x9D, 2}, {0xC9, 3}, {0xCA, 4}, {0xCB, 5},
};

// A telegram code without a letter leaves the request byte as it is and
// names no letter in the text.
constexpr unsigned kNoLetter = 6;

unsigned LetterOf(WORD telegram) {
  for (const auto &code : kLetters) {
    if (code.telegram == telegram) return code.letter;
  }
  return kNoLetter;
}

}  // namespace

BOOL RunStoredField(Command &command, const HandlerRow &row) {
  const unsigned letter = LetterOf(command.Telegram());
  if (letter != kNoLetter) command.Request()[kLetterAt] = static_cast<BYTE>(letter);
  if (!PlaceRowData(command, row)) return FALSE;
  if (const Ending ending = Exchange(command, row.command, row.expected, ExchangeFailure::kReplaceOnly)) {
    return *ending;
  }
  StoredFieldText(command.out, command.Answer(), letter);
  return FALSE;
}

}  // namespace kvt
