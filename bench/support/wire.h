// The line the library's time is weighed against: 500000 Baud, ten bits a
// byte, a telegram's 8 header bytes before its code; the library's share of
// a command's time on the line must stay under 1 %.
#pragma once

#include <cstddef>

namespace kvt::bench {

inline constexpr double kBaud = 500000;
inline constexpr double kBitsPerByte = 10;
inline constexpr std::size_t kHeaderBytes = 8;
inline constexpr double kLibraryShare = 0.01;

inline double WireSeconds(std::size_t bytes) { return static_cast<double>(bytes) * kBitsPerByte / kBaud; }

}  // namespace kvt::bench
