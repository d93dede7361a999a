// Guard pages: spans that end where a no-access page begins, and the
// library's record pairs placed the same way through operator new.
#include <array>
#include <cstdlib>
#include <new>

#include "fuzz/fuzz.h"

namespace kvt::fuzz {

namespace {

constexpr std::size_t kPage = 4096;

// Usable bytes with a no-access page right behind them.
struct Guarded {
  BYTE *start = nullptr;
  std::size_t bytes = 0;
  bool used = false;
};

Guarded Reserve(std::size_t bytes) {
  const std::size_t usable = (bytes + kPage - 1) / kPage * kPage;
  auto *start = static_cast<BYTE *>(VirtualAlloc(nullptr, usable + kPage, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE));
  DWORD old = 0;
  if (!start || !VirtualProtect(start + usable, kPage, PAGE_NOACCESS, &old)) std::abort();
  return {start, usable};
}

// Zero-initialised before any constructor runs, so operator new may use them first.
std::array<Guarded, static_cast<std::size_t>(Region::kRegions)> g_regions;
constexpr std::size_t kPairSlots = 8;
std::array<Guarded, kPairSlots> g_pairs;

bool InGuard(const Guarded &guarded, const void *address) {
  const BYTE *at = static_cast<const BYTE *>(address);
  return guarded.start && at >= guarded.start + guarded.bytes && at < guarded.start + guarded.bytes + kPage;
}

bool InSlot(const Guarded &guarded, const void *address) {
  const BYTE *at = static_cast<const BYTE *>(address);
  return guarded.start && at >= guarded.start && at < guarded.start + guarded.bytes;
}

void *NewPair() {
  for (Guarded &slot : g_pairs) {
    if (slot.used) continue;
    if (!slot.start) slot = Reserve(kRecordPairBytes);
    slot.used = true;
    return slot.start + slot.bytes - kRecordPairBytes;
  }
  return nullptr;
}

bool DeletePair(void *pointer) {
  for (Guarded &slot : g_pairs) {
    if (!InSlot(slot, pointer)) continue;
    slot.used = false;
    return true;
  }
  return false;
}

}  // namespace

std::span<BYTE> GuardedBytes(Region region, std::size_t size) {
  Guarded &guarded = g_regions[static_cast<std::size_t>(region)];
  if (!guarded.start) guarded = Reserve(kRegionBytes);
  if (size > guarded.bytes) size = guarded.bytes;
  return {guarded.start + guarded.bytes - size, size};
}

bool IsGuardPage(const void *address) {
  for (const Guarded &guarded : g_regions) {
    if (InGuard(guarded, address)) return true;
  }
  for (const Guarded &guarded : g_pairs) {
    if (InGuard(guarded, address)) return true;
  }
  return false;
}

}  // namespace kvt::fuzz

// The library allocates its request and answer records as one pair: those
// end at a guard page, everything else comes from the C runtime.
void *operator new(std::size_t size) {
  if (size == kvt::fuzz::kRecordPairBytes) {
    if (void *pair = kvt::fuzz::NewPair()) return pair;
  }
  if (void *memory = std::malloc(size ? size : 1)) return memory;
  throw std::bad_alloc();
}

void operator delete(void *pointer) noexcept {
  if (pointer && !kvt::fuzz::DeletePair(pointer)) std::free(pointer);
}

void operator delete(void *pointer, std::size_t) noexcept { operator delete(pointer); }
