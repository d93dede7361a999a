// Files for a file dialog: Intel-HEX files of random records, some of them
// broken, written where the dialog is told to find them.
#include <string>

#include "fuzz/fuzz.h"

namespace kvt::fuzz {

namespace {

constexpr const char *kLineEnds[] = {"\r\n", "\r\n", "\r\n", "\n", "\r", ""};

void PutHex(std::string &text, unsigned value, int digits, bool lower) {
  const char *alphabet = lower ? "0123456789abcdef" : "0123456789ABCDEF";
  for (int shift = 4 * (digits - 1); shift >= 0; shift -= 4) text += alphabet[(value >> shift) & 15];
}

// One record: count, address, type, data and its checksum (now and then a wrong one).
void PutRecord(Random &random, std::string &text, unsigned type, const Bytes &data, unsigned address) {
  const bool lower = random.Chance(10);
  const unsigned count = random.Chance(95) ? static_cast<unsigned>(data.size()) : random.Below(256);
  unsigned sum = count + (address >> 8) + (address & 0xFF) + type;
  text += ':';
  PutHex(text, count, 2, lower);
  PutHex(text, address, 4, lower);
  PutHex(text, type, 2, lower);
  for (BYTE b : data) {
    PutHex(text, b, 2, lower);
    sum += b;
  }
  PutHex(text, random.Chance(95) ? (0x100 - (sum & 0xFF)) & 0xFF : random.Below(256), 2, lower);
}

}  // namespace

Bytes MakeHexFile(Random &random) {
  std::string text;
  const char *lineEnd = random.Pick(kLineEnds);
  for (unsigned records = random.Below(40); records > 0; --records) {
    const bool upper = random.Chance(10);
    Bytes data(upper ? 2 : random.Below(random.Chance(90) ? 33 : 256));
    for (BYTE &b : data) b = random.AnyByte();
    PutRecord(random, text, upper ? 4 : (random.Chance(95) ? 0 : random.Below(8)), data, random.Below(0x10000));
    text += lineEnd;
  }
  if (random.Chance(90)) text += std::string(":00000001FF") + lineEnd;
  // A few characters broken, dropped or added.
  for (unsigned n = random.Chance(30) ? 1 + random.Below(6) : 0; n > 0 && !text.empty(); --n) {
    const std::size_t at = random.Below(static_cast<unsigned>(text.size()));
    switch (random.Below(3)) {
      case 0: text[at] = static_cast<char>(random.AnyByte()); break;
      case 1: text.erase(at, 1); break;
      default: text.insert(at, 1, static_cast<char>(random.AnyByte())); break;
    }
  }
  return {text.begin(), text.end()};
}

std::string WriteChosenFile(const Bytes &file) {
  char folder[MAX_PATH];
  GetTempPathA(MAX_PATH, folder);
  const std::string path = std::string(folder) + "kvt-fuzz-" + std::to_string(GetCurrentProcessId()) + ".hex";
  HANDLE handle = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return path;
  DWORD written = 0;
  WriteFile(handle, file.data(), static_cast<DWORD>(file.size()), &written, nullptr);
  CloseHandle(handle);
  return path;
}

}  // namespace kvt::fuzz
