// Numbers the status reports compute before the driver words them.
// The program version, the mirror quotient, the TDC resolutions.
#include <cstdint>

#include "answers/answers.h"
#include "kvt/bytes.h"

namespace kvt {

namespace {

constexpr std::size_t kVersionLength = 8;
constexpr DWORD kMirrorClock = 1048576;
constexpr double kPeriodScale = 16000.0;
constexpr double kCalibrationScale = 16384.0;  // 2 to the power 14

// Calibration values of the type-6 status.
constexpr std::size_t kCal10 = 142;
constexpr std::size_t kCal20 = 146;
constexpr std::size_t kCal12 = 150;
constexpr std::size_t kCal21 = 154;
constexpr std::size_t kM00 = 158;
constexpr std::size_t kM01 = 160;
constexpr std::size_t kPeriod = 162;

// P / (m × (high − low) / 2^14), truncated, low 16 bits; a divisor of 0
// gives the marker instead.
WORD Resolution(double period, WORD m, DWORD low, DWORD high) {
  const double divisor = m * static_cast<double>(static_cast<DWORD>(high - low)) / kCalibrationScale;
  if (divisor == 0) return kNoQuotient16;
  // At most 65535 × 16000 × 16384: within 64 bits, so the truncation is defined.
  const auto whole = static_cast<std::int64_t>(period / divisor);
  return static_cast<WORD>(whole & 0xFFFF);
}

}  // namespace

DWORD ParseVersion(std::span<const BYTE> text) {
  DWORD n = 0;
  for (std::size_t i = 0; i < kVersionLength; ++i) {
    const BYTE c = Byte(text, i);
    if (c >= '0' && c <= '9') n = (n + (c - '0')) * 10;
  }
  return (n / 1000) * 65536 + (n % 1000) / 10;
}

DWORD MirrorQuotient(WORD divisor) { return divisor == 0 ? kNoQuotient32 : kMirrorClock / divisor; }

std::array<WORD, 2> TdcResolutions(std::span<const BYTE> answer) {
  const double period = Word(answer, kPeriod) * kPeriodScale;
  return {Resolution(period, Word(answer, kM00), Dword(answer, kCal10), Dword(answer, kCal20)),
          Resolution(period, Word(answer, kM01), Dword(answer, kCal12), Dword(answer, kCal21))};
}

}  // namespace kvt
