// Driver texts for the library: the driver's own, overlong, laden with
// conversions, random bytes, without a terminator, empty; each kept for a
// replay, which writes the same again.
#include <algorithm>
#include <cstring>

#include "fuzz/fuzz.h"

namespace kvt::fuzz {

namespace {

// Conversions a format reader might trip over, good and broken.
constexpr const char *kConversions[] = {
    "%s",     "%S",    "%ls",  "%hs", "%d",    "%u",    "%x",  "%lu", "%c",  "%%",           "%.999s",
    "%-300s", "%300d", "%.8s", "%#x", "%08lX", "%I64d", "%n",  "%*s", "%p",  "%e",           "%",
    "%l",     "%hhs",  "%-",   "%.",  "%.*s",  "%1$s",  "%ws", "%C",  "%lc", "%9999999999s", "%-08.3ld"};

Bytes Terminated(std::string text, std::size_t size) {
  if (text.size() > size - 1) text.resize(size - 1);
  Bytes bytes(text.begin(), text.end());
  bytes.push_back(0);
  return bytes;
}

std::string Conversions(Random &random, std::size_t room) {
  std::string text;
  const std::size_t length = random.Chance(30) ? room : random.Below(static_cast<unsigned>(room) + 1);
  while (text.size() < length) {
    text += random.Chance(60) ? std::string(random.Pick(kConversions)) : std::string(1, random.PrintableChar());
  }
  return text;
}

Bytes MakeText(Random &random, const char *current, std::size_t size) {
  const std::size_t room = size - 1;
  const unsigned kind = random.Below(100);
  std::string text;
  if (kind < 40) {
    text.assign(current, strnlen(current, size));
  } else if (kind < 52) {
    for (std::size_t i = 0; i < room; ++i) text += random.Chance(5) ? '%' : random.PrintableChar();
  } else if (kind < 72) {
    text = Conversions(random, room);
  } else if (kind < 82) {
    for (unsigned i = random.Below(static_cast<unsigned>(size)); i > 0; --i)
      text += static_cast<char>(1 + random.Below(255));
  } else if (kind < 88) {
    Bytes bytes(size);
    for (BYTE &b : bytes) b = static_cast<BYTE>(1 + random.Below(255));
    return bytes;
  } else if (kind >= 94) {
    text.assign(current, strnlen(current, size));
    for (char &c : text) {
      if (random.Chance(20)) c = '%';
    }
  }
  return Terminated(std::move(text), size);
}

}  // namespace

void WINAPI FilterText(int, LPSTR text, int textSize) {
  Play &play = Playing();
  if (!play.input) return;
  const auto size = static_cast<std::size_t>(textSize);
  Bytes written;
  if (play.replay) {
    if (play.texts >= play.input->texts.size()) return;
    written = play.input->texts[play.texts++];
  } else {
    written = MakeText(play.random, text, size);
    play.input->texts.push_back(written);
  }
  std::copy_n(written.begin(), std::min(written.size(), size), text);
}

}  // namespace kvt::fuzz
