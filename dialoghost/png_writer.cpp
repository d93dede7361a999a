// Our own small PNG encoder: 8-bit RGB, no filter, the image data in zlib
// stored blocks (no compression), with its CRC-32 and Adler-32.
#include <array>

#include "scan_picture.h"

namespace kvt::dlg {

namespace {

constexpr std::array<BYTE, 8> kSignature{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
constexpr std::size_t kStoredBlockLimit = 65535;
constexpr BYTE kColourTypeRgb = 2;
constexpr BYTE kFilterNone = 0;

constexpr std::array<std::uint32_t, 256> MakeCrcTable() {
  std::array<std::uint32_t, 256> table{};
  for (std::uint32_t n = 0; n < 256; ++n) {
    std::uint32_t c = n;
    for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
    table[n] = c;
  }
  return table;
}
constexpr auto kCrcTable = MakeCrcTable();

void PutBigEndian(std::vector<BYTE> &out, std::uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<BYTE>(value >> shift));
}

void PutChunk(std::vector<BYTE> &out, const char (&type)[5], std::span<const BYTE> data) {
  PutBigEndian(out, static_cast<std::uint32_t>(data.size()));
  const std::size_t typeAt = out.size();
  out.insert(out.end(), type, type + 4);
  out.insert(out.end(), data.begin(), data.end());
  PutBigEndian(out, Crc32(std::span<const BYTE>(out).subspan(typeAt)));
}

// The zlib stream: header, stored blocks of at most 65535 bytes, Adler-32.
std::vector<BYTE> StoredZlib(std::span<const BYTE> raw) {
  std::vector<BYTE> out{0x78, 0x01};  // deflate, 32 KiB window, no dictionary; 0x7801 is a multiple of 31
  std::size_t at = 0;
  do {
    const std::size_t length = std::min(kStoredBlockLimit, raw.size() - at);
    const bool last = at + length == raw.size();
    out.push_back(last ? 1 : 0);
    out.push_back(static_cast<BYTE>(length));
    out.push_back(static_cast<BYTE>(length >> 8));
    out.push_back(static_cast<BYTE>(~length));
    out.push_back(static_cast<BYTE>(~length >> 8));
    out.insert(out.end(), raw.begin() + static_cast<std::ptrdiff_t>(at),
               raw.begin() + static_cast<std::ptrdiff_t>(at + length));
    at += length;
  } while (at < raw.size());
  PutBigEndian(out, Adler32(raw));
  return out;
}

}  // namespace

std::uint32_t Crc32(std::span<const BYTE> bytes) {
  std::uint32_t c = 0xFFFFFFFFu;
  for (BYTE b : bytes) c = kCrcTable[(c ^ b) & 0xFF] ^ (c >> 8);
  return c ^ 0xFFFFFFFFu;
}

std::uint32_t Adler32(std::span<const BYTE> bytes) {
  constexpr std::uint32_t kModulus = 65521;
  std::uint32_t a = 1, b = 0;
  for (BYTE byte : bytes) {
    a = (a + byte) % kModulus;
    b = (b + a) % kModulus;
  }
  return (b << 16) | a;
}

std::vector<BYTE> EncodePng(int width, int height, std::span<const BYTE> rgb) {
  const std::size_t row = 3 * static_cast<std::size_t>(width);
  if (width <= 0 || height <= 0 || rgb.size() != row * static_cast<std::size_t>(height)) return {};
  std::vector<BYTE> raw;
  raw.reserve((row + 1) * static_cast<std::size_t>(height));
  for (std::size_t y = 0; y < static_cast<std::size_t>(height); ++y) {
    raw.push_back(kFilterNone);
    raw.insert(raw.end(), rgb.begin() + static_cast<std::ptrdiff_t>(y * row),
               rgb.begin() + static_cast<std::ptrdiff_t>((y + 1) * row));
  }
  std::vector<BYTE> header;
  PutBigEndian(header, static_cast<std::uint32_t>(width));
  PutBigEndian(header, static_cast<std::uint32_t>(height));
  header.insert(header.end(), {8, kColourTypeRgb, 0, 0, 0});  // depth, colour type, compression, filter, no interlace
  std::vector<BYTE> png(kSignature.begin(), kSignature.end());
  PutChunk(png, "IHDR", header);
  PutChunk(png, "IDAT", StoredZlib(raw));
  PutChunk(png, "IEND", {});
  return png;
}

}  // namespace kvt::dlg
