// Service rows: the memory image a dump reads (0x34) and the operating
// counters (0x35), with the hour meter and power-on count that outlive a run.
#include <algorithm>

#include "driver.h"

namespace kvtdrv {

namespace {

// ---- Memory image ------------------------------------------------------------

constexpr DWORD kMemorySize = 0x10000;

// Vectors, then identification and settings as the program keeps them in
// its RAM, the program itself, and erased flash at the top.
constexpr DWORD kVectors = 0x0000;
constexpr DWORD kIdentification = 0x0100;
constexpr DWORD kRam = 0x0200;
constexpr DWORD kProgram = 0x1000;
constexpr DWORD kErased = 0xC000;

// Vector i points at its handler, 0x80 bytes apart from 0x1000 on.
BYTE VectorByte(const DeviceState &, DWORD offset) {
  const DWORD target = kProgram + 0x80 * (offset / 4);
  return static_cast<BYTE>(target >> (8 * (offset % 4)));
}

// 0x100 version text (8 bytes), 0x108 address, mode, field set, multiple
// evaluations, stop threshold, laser, 0x10E-0x10F baud rate in hundreds,
// 0x110 the manufacturing code with its zero; zeros behind.
BYTE IdentificationByte(const DeviceState &device, DWORD offset) {
  std::array<BYTE, 25> bytes{};
  PutText(bytes, 0, VersionText(device.kind), kVersionSize);
  const unsigned baud = device.baudRate / 100;
  const BYTE settings[] = {device.address,        device.mode,    device.fieldSet,
                           device.evaluations,    device.stopThreshold, static_cast<BYTE>(device.laserOn),
                           static_cast<BYTE>(baud), static_cast<BYTE>(baud >> 8)};
  std::copy(std::begin(settings), std::end(settings), bytes.begin() + 8);
  std::copy(device.service.manufacturingCode.begin(), device.service.manufacturingCode.end(), bytes.begin() + 16);
  return offset < bytes.size() ? bytes[offset] : 0;
}

BYTE RamByte(const DeviceState &, DWORD) { return 0; }

// Code that looks like code: the same bytes on every run.
BYTE ProgramByte(const DeviceState &, DWORD offset) {
  DWORD value = offset * 0x9E3779B1u;
  value ^= value >> 15;
  value *= 0x2C1B3C6Du;
  return static_cast<BYTE>(value >> 24);
}

BYTE ErasedByte(const DeviceState &, DWORD) { return 0xFF; }

struct Region {
  DWORD first;
  BYTE (*at)(const DeviceState &device, DWORD offset);  // offset from `first`
};

constexpr Region kRegions[] = {
    {kVectors, VectorByte}, {kIdentification, IdentificationByte}, {kRam, RamByte},
    {kProgram, ProgramByte}, {kErased, ErasedByte},
};

BYTE MemoryByte(const DeviceState &device, DWORD address) {
  const Region *region = &kRegions[0];
  for (const Region &candidate : kRegions) {
    if (candidate.first <= address) region = &candidate;
  }
  return region->at(device, address - region->first);
}

// ---- Lifetime ------------------------------------------------------------------

// What the device had behind it before the driver's first switch-on, per
// kind; the status records keep the figures of that first switch-on.
struct Lifetime {
  DWORD hours;
  DWORD powerOns;
};
constexpr Lifetime kLifetimes[] = {{103, 411}, {2210, 96}, {47, 511}, {47, 511}};

DWORD g_switchOns = 0;
ULONGLONG g_firstSwitchOn = 0;

const Lifetime &LifetimeOf(BYTE kind) { return kLifetimes[kind < std::size(kLifetimes) ? kind : 0]; }

}  // namespace

// Request bytes 9-12 the start address, byte 13 the number of bytes. The
// answer repeats both, the number cut where the 64 KiB memory ends, and
// the bytes follow from byte 14.
std::size_t FillMemoryDump(DeviceState &device, std::span<const BYTE> request, std::span<BYTE> data) {
  const DWORD start = kvt::Dword(request, kvt::kRecData);
  const DWORD left = start < kMemorySize ? kMemorySize - start : 0;
  const DWORD count = std::min<DWORD>(kvt::Byte(request, kvt::kRecData + 4), left);
  const AnswerRecord r{data};
  r.Dword(9, start);
  r.Byte(13, count);
  for (DWORD i = 0; i < count; ++i) r.Byte(14 + i, MemoryByte(device, start + i));
  return 5 + count;
}

// Word 9 the operating hours, word 11 the power-on count.
std::size_t FillOperatingCounters(DeviceState &device, std::span<const BYTE>, std::span<BYTE> data) {
  const ULONGLONG hoursOn = (GetTickCount64() - g_firstSwitchOn) / (3600ull * 1000);
  const AnswerRecord r{data};
  r.Word(9, static_cast<unsigned>(LifetimeOf(device.kind).hours + hoursOn));
  r.Word(11, PowerOnCount(device.kind));
  return 4;
}

void CountSwitchOn() {
  if (g_switchOns++ == 0) g_firstSwitchOn = GetTickCount64();
}

DWORD PowerOnCount(BYTE kind) { return LifetimeOf(kind).powerOns + g_switchOns; }

}  // namespace kvtdrv
