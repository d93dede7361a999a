// Little-endian reads and writes over byte spans, bounds-checked: a read
// past the end gives 0 and a write past the end is dropped, so a strange
// count in an answer can never reach outside its record.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <span>

namespace kvt {

inline BYTE Byte(std::span<const BYTE> bytes, std::size_t at) {
  return at < bytes.size() ? bytes[at] : 0;
}

inline WORD Word(std::span<const BYTE> bytes, std::size_t at) {
  return static_cast<WORD>(Byte(bytes, at) | (Byte(bytes, at + 1) << 8));
}

inline DWORD Dword(std::span<const BYTE> bytes, std::size_t at) {
  return static_cast<DWORD>(Word(bytes, at)) | (static_cast<DWORD>(Word(bytes, at + 2)) << 16);
}

inline void PutByte(std::span<BYTE> bytes, std::size_t at, unsigned value) {
  if (at < bytes.size()) bytes[at] = static_cast<BYTE>(value);
}

inline void PutWord(std::span<BYTE> bytes, std::size_t at, unsigned value) {
  PutByte(bytes, at, value & 0xFF);
  PutByte(bytes, at + 1, (value >> 8) & 0xFF);
}

inline void PutDword(std::span<BYTE> bytes, std::size_t at, DWORD value) {
  PutWord(bytes, at, value & 0xFFFF);
  PutWord(bytes, at + 2, value >> 16);
}

}  // namespace kvt
