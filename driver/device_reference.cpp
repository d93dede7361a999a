// Rows about the reference target: reference values, the correction table
// of the type-6 sensors, and the reference-target diagnosis record.
#include "driver.h"

namespace kvtdrv {

namespace {

constexpr BYTE kAveraged = 0x01;
constexpr BYTE kRangeBits = 0x30;
constexpr BYTE kLongLayout = 0x80;
constexpr std::size_t kTriples = 6;
constexpr std::size_t kCorrectionPairs = 12;

bool Type6(const DeviceState &device) {
  return device.kind == kvt::kDeviceKvtQ1 || device.kind == kvt::kDeviceKvt90;
}

}  // namespace

// Request byte 9: bit 0 averaged values, bits 4-5 the reference range.
// Answer byte 9 echoes both and sets bit 7 for the long layout (type-6
// sensors); bytes 10-11 the number of triples; from byte 12 eight bytes
// each: distance mm, amplitude, pulse width, and in the long layout the
// angle in whole degrees (low byte) and the remission in tens (high byte).
// The target stands at about 4.2 m, slightly inclined.
std::size_t FillReferenceValues(DeviceState &device, std::span<const BYTE> request, std::span<BYTE> data) {
  const BYTE selector = kvt::Byte(request, kvt::kRecData);
  const unsigned range = (selector & kRangeBits) >> 4;
  const bool averaged = (selector & kAveraged) != 0;
  const bool longLayout = Type6(device);
  data[0] = static_cast<BYTE>((selector & (kRangeBits | kAveraged)) | (longLayout ? kLongLayout : 0));
  kvt::PutWord(data, 1, kTriples);
  for (std::size_t i = 0; i < kTriples; ++i) {
    const int jitter = averaged ? 0 : static_cast<int>((i * 7 + range * 3) % 5) - 2;
    const std::size_t at = 3 + 8 * i;
    kvt::PutWord(data, at, static_cast<unsigned>(4185 + 3 * static_cast<int>(i) + jitter));
    kvt::PutWord(data, at + 2, static_cast<unsigned>(1850 + 12 * i - 5 * range));
    kvt::PutWord(data, at + 4, static_cast<unsigned>(612 + 2 * i + range));
    kvt::PutWord(data, at + 6, longLayout ? static_cast<unsigned>((40 + 4 * i) | ((44 + i) << 8)) : 0u);
  }
  return 3 + 8 * kTriples;
}

// Bytes 9-10 the number of pairs; from byte 11 eight bytes each: charge,
// pulse width, correction in ps (u32).
std::size_t FillCorrectionTable(DeviceState &, std::span<const BYTE>, std::span<BYTE> data) {
  kvt::PutWord(data, 0, kCorrectionPairs);
  for (std::size_t i = 0; i < kCorrectionPairs; ++i) {
    const std::size_t at = 2 + 8 * i;
    kvt::PutWord(data, at, static_cast<unsigned>(200 * (i + 1)));
    kvt::PutWord(data, at + 2, static_cast<unsigned>(18 + 3 * i));
    kvt::PutDword(data, at + 4, static_cast<DWORD>(24000 - 1800 * i));
  }
  return 2 + 8 * kCorrectionPairs;
}

}  // namespace kvtdrv

namespace kvtdrv {

namespace {

constexpr unsigned kTargetRecords = 40;
constexpr unsigned kRingEntries = 12;

// One reference-target measurement m: distance mm, amplitude, pulse width,
// inner temperature °C; they wander a little from one to the next.
std::array<unsigned, 4> TemporalValues(unsigned m) {
  return {4185 + m % 5, 1850 + (m * 7) % 11, 612 + m % 3, 34 + (m / 12) % 3};
}

}  // namespace

// Every request measures the reference target once more. Words 9-15 the
// latest pulse values; from 17 forty records of 14 bytes, one per quarter
// degree from 70° on: measured and averaged distance, amplitude, pulse
// width, then the key word (degrees, quarter in bits 14-15, remission class
// in bits 8-9); a correction pair, the power-on count, the dust reference,
// the ring's oldest slot at 585, and the ring of the last twelve
// measurements from 587. Request byte 9 is not evaluated.
std::size_t FillReferenceTarget(DeviceState &device, std::span<const BYTE>, std::span<BYTE> data) {
  const unsigned runs = ++device.service.referenceRuns;
  const AnswerRecord r{data};
  const std::array<unsigned, 4> latest = TemporalValues(runs - 1);
  r.Words(9, {latest[2], latest[1], 940, 2410});
  for (unsigned j = 0; j < kTargetRecords; ++j) {
    const std::size_t at = 17 + 14 * j;
    const unsigned distance = 4185 + 3 * (j / 4);
    const unsigned amplitude = 1850 - 9 * j;
    const unsigned width = 612 + j / 8;
    const unsigned jitter = (j * 7 + runs) % 5;
    r.Words(at, {distance + jitter - 2, amplitude + jitter, width, distance, amplitude, width});
    r.Word(at + 12, (70 + j / 4) | ((j % 4) << 14) | ((j / 14) << 8));
  }
  r.Words(577, {1850, 312, PowerOnCount(device.kind), device.service.dustReference, runs % kRingEntries});
  for (unsigned k = 0; k < kRingEntries; ++k) {
    // Slot k holds the latest measurement whose number leaves k.
    const unsigned m = runs - 1 - (runs - 1 + kRingEntries - k) % kRingEntries;
    const std::array<unsigned, 4> values = TemporalValues(m);
    r.Words(587 + 8 * k, {values[0], values[1], values[2], values[3]});
  }
  return 587 + 8 * kRingEntries - kvt::kRecData;
}

}  // namespace kvtdrv
