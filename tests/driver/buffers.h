// The one rule for every text the driver writes into a caller's buffer:
// never more than the size given, always terminated, nothing touched behind.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace kvt::test {

inline void ExpectKeepsToTheBuffer(const std::string &name, const std::string &full,
                                   const std::function<void(char *buffer, int size)> &write) {
  for (int size = 1; size <= static_cast<int>(full.size()) + 2; ++size) {
    std::string buffer(full.size() + 16, '\xCC');
    write(buffer.data(), size);
    const std::size_t kept = std::min<std::size_t>(size - 1, full.size());
    EXPECT_EQ(buffer.substr(0, kept), full.substr(0, kept)) << name << ", size " << size;
    EXPECT_EQ(buffer[kept], '\0') << name << ", size " << size;
    EXPECT_EQ(buffer.find_first_not_of('\xCC', kept + 1), std::string::npos) << name << ", size " << size;
  }
}

}  // namespace kvt::test
