// The flash memory of the simulated device: the bytes the download records
// wrote, by address, with their count, range and CRC-32 for the setup
// dialog and the log.
#include <bitset>
#include <cstdio>
#include <map>

#include "driver.h"

namespace kvtdrv {

namespace {

constexpr DWORD kPageSize = 4096;

struct Page {
  std::array<BYTE, kPageSize> bytes{};
  std::bitset<kPageSize> written;
};

struct Flash {
  std::map<DWORD, Page> pages;  // by page number
  DWORD size = 0;               // bytes written at least once
  bool complete = false;
  Page *last = nullptr;         // records mostly follow each other
  DWORD lastNumber = 0;
};

Flash g_flash;

Page &PageAt(DWORD number) {
  if (!g_flash.last || g_flash.lastNumber != number) {
    g_flash.last = &g_flash.pages[number];
    g_flash.lastNumber = number;
  }
  return *g_flash.last;
}

// CRC-32 as in zip files: reflected, polynomial 0xEDB88320.
constexpr std::array<DWORD, 256> kCrcTable = [] {
  std::array<DWORD, 256> table{};
  for (DWORD i = 0; i < 256; ++i) {
    DWORD c = i;
    for (int bit = 0; bit < 8; ++bit) c = (c & 1) ? 0xEDB88320 ^ (c >> 1) : c >> 1;
    table[i] = c;
  }
  return table;
}();

}  // namespace

void EraseFlash() { g_flash = Flash{}; }

void WriteFlash(DWORD address, std::span<const BYTE> bytes) {
  for (BYTE b : bytes) {
    Page &page = PageAt(address / kPageSize);
    const DWORD at = address % kPageSize;
    if (!page.written[at]) {
      page.written[at] = true;
      ++g_flash.size;
    }
    page.bytes[at] = b;
    ++address;
  }
}

void CompleteFlash() { g_flash.complete = true; }

std::string FlashSummary() {
  if (g_flash.size == 0) return "leer";
  DWORD crc = 0xFFFFFFFF;
  DWORD lowest = MAXDWORD;
  DWORD highest = 0;
  for (const auto &[number, page] : g_flash.pages) {
    for (DWORD at = 0; at < kPageSize; ++at) {
      if (!page.written[at]) continue;
      const DWORD address = number * kPageSize + at;
      if (lowest == MAXDWORD) lowest = address;
      highest = address;
      crc = kCrcTable[(crc ^ page.bytes[at]) & 0xFF] ^ (crc >> 8);
    }
  }
  char text[128];
  std::snprintf(text, sizeof text, "%lu Bytes von 0x%08lX bis 0x%08lX, CRC-32 0x%08lX%s",
                static_cast<unsigned long>(g_flash.size), static_cast<unsigned long>(lowest),
                static_cast<unsigned long>(highest), static_cast<unsigned long>(~crc),
                g_flash.complete ? "" : ", unvollständig");
  return text;
}

}  // namespace kvtdrv
