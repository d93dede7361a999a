// Bytes placed right before a page that may not be touched: reading or
// writing one byte beyond them ends the test program at once.
#pragma once

#include <windows.h>

#include <cstddef>
#include <span>

namespace kvt::test {

struct GuardedBytes {
  explicit GuardedBytes(std::size_t size);
  ~GuardedBytes();
  GuardedBytes(const GuardedBytes &) = delete;
  GuardedBytes &operator=(const GuardedBytes &) = delete;
  std::span<BYTE> bytes;
  void *base = nullptr;
};

}  // namespace kvt::test
