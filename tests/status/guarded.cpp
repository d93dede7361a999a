#include "guarded.h"

namespace kvt::test {

namespace {

constexpr std::size_t kPage = 4096;

std::size_t PagesFor(std::size_t size) { return (size + kPage - 1) / kPage; }

}  // namespace

GuardedBytes::GuardedBytes(std::size_t size) {
  const std::size_t pages = PagesFor(size);
  base = VirtualAlloc(nullptr, (pages + 1) * kPage, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE);
  BYTE *start = static_cast<BYTE *>(base);
  DWORD old = 0;
  VirtualProtect(start + pages * kPage, kPage, PAGE_NOACCESS, &old);
  bytes = {start + pages * kPage - size, size};
}

GuardedBytes::~GuardedBytes() { VirtualFree(base, 0, MEM_RELEASE); }

}  // namespace kvt::test
