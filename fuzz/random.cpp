// The campaign's random streams (splitmix64).
#include "fuzz/fuzz.h"

namespace kvt::fuzz {

std::uint64_t Random::Next() {
  std::uint64_t z = (state += 0x9E3779B97F4A7C15ull);
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
  return z ^ (z >> 31);
}

unsigned Random::Below(unsigned bound) { return bound ? static_cast<unsigned>(Next() % bound) : 0; }

bool Random::Chance(unsigned percent) { return Below(100) < percent; }

Random StreamOf(std::uint64_t seed, std::uint64_t index) {
  Random random{seed};
  random.state = random.Next() ^ (index * 0xD1B54A32D192ED03ull);
  return random;
}

std::string PrintableText(Random &random, unsigned length) {
  std::string text;
  while (length-- > 0) text += random.PrintableChar();
  return text;
}

}  // namespace kvt::fuzz
