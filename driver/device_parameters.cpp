// The parameter lists of a type-6 sensor: measured-value correction (0x78),
// distance-dependent correction (0x79), the shell and belt checks (0x7A, one
// set for both), the positioning shot (0x69) and the final-test data (0x52).
// A list request carries its count at record bytes 9-10 and the words from
// byte 11; for 0x79 and 0x7A a count of 0 asks for the list in force.
#include <algorithm>

#include "driver.h"

namespace kvtdrv {

namespace {

// Shell and belt checks, as the check dialogs place them: seventeen words
// from start angle to the threshold of the product sum, then the product
// sum of the differences as two words (120000).
constexpr WORD kStartChecks[] = {
    10, 90,                 // start and stop angle
    60, 20, 5, 55,          // shell length, object length, shell start and end (cm)
    3, 4, 2, 40,            // scan difference, blanking of field C, object width in pixels, scans per shell
    1,                      // signal held until the shell ends
    5, 2, 10, 15, 20, 25,   // taught shells, shift, filter percentages, thresholds (%)
    0xD4C0, 0x0001,
};

// Distance-dependent correction in mm, one value per 25.6 cm: the sensor
// measures a little short near by and a little long far away.
constexpr std::size_t kStartDistanceValues = 40;
constexpr short DistanceCorrection(std::size_t i) {
  return static_cast<short>(i < 24 ? 12 - static_cast<int>(i) / 2 : -(static_cast<int>(i) - 24) / 4);
}

// Positioning shot: resolution, number of ranges, then start and stop
// angle of ranges 1 to 3.
constexpr std::array<WORD, kShotWords> kStartShot{100, 1, 90, 90, 0, 0, 0, 0};
constexpr WORD kShotResolutions[] = {25, 50, 100};
constexpr WORD kMaxShotRanges = 3;
constexpr WORD kMaxShotAngle = 180;

// Final-test data set 0: the factory's record (test station, reference
// distance in cm, its deviation in mm, contamination reading in %,
// result 1 = passed).
constexpr WORD kFactoryTest[] = {4, 412, static_cast<WORD>(-3), 2, 1};
constexpr BYTE kWrite = 1;

constexpr std::size_t kCountAt = kvt::kRecData;

template <std::size_t N>
void TakeList(std::span<const BYTE> request, std::size_t countAt, WordList<N> &list) {
  list.count = kvt::Word(request, countAt);
  for (std::size_t i = 0; i < list.count && i < N; ++i) list.words[i] = kvt::Word(request, countAt + 2 + 2 * i);
}

// The count at data[at], the words behind it; returns the offset behind them.
template <std::size_t N>
std::size_t PutList(std::span<BYTE> data, std::size_t at, const WordList<N> &list) {
  kvt::PutWord(data, at, list.count);
  for (std::size_t i = 0; i < list.count && i < N; ++i) kvt::PutWord(data, at + 2 + 2 * i, list.words[i]);
  return at + 2 + 2 * std::min<std::size_t>(list.count, N);
}

// 0x79 and 0x7A: status at 9, the list in force from 10.
template <std::size_t N>
std::size_t ReadOrDefine(DeviceState &device, WordList<N> &list, std::span<const BYTE> request,
                         std::span<BYTE> data) {
  const WORD count = kvt::Word(request, kCountAt);
  bool accepted = true;
  if (count != 0) {
    accepted = Accepts(device, count <= N);
    if (accepted) TakeList(request, kCountAt, list);
  }
  data[0] = accepted ? 1 : 0;
  return PutList(data, 1, list);
}

bool ShotPlausible(const std::array<WORD, kShotWords> &shot) {
  if (std::ranges::find(kShotResolutions, shot[0]) == std::end(kShotResolutions)) return false;
  if (shot[1] < 1 || shot[1] > kMaxShotRanges) return false;
  for (std::size_t range = 0; range < shot[1]; ++range) {
    const WORD start = shot[2 + 2 * range];
    const WORD stop = shot[3 + 2 * range];
    if (start > stop || stop > kMaxShotAngle) return false;
  }
  return true;
}

}  // namespace

void StartParameters(Type6Config &config) {
  config.checks.count = static_cast<WORD>(std::size(kStartChecks));
  std::ranges::copy(kStartChecks, config.checks.words.begin());
  config.distanceCorrections.count = kStartDistanceValues;
  for (std::size_t i = 0; i < kStartDistanceValues; ++i) {
    config.distanceCorrections.words[i] = static_cast<WORD>(DistanceCorrection(i));
  }
  config.shot = kStartShot;
  config.finalTest[0].count = static_cast<WORD>(std::size(kFactoryTest));
  std::ranges::copy(kFactoryTest, config.finalTest[0].words.begin());
}

// Status at 9 (accepted up to 400 words), the count in force at 10-11.
std::size_t FillCorrections(DeviceState &device, std::span<const BYTE> request, std::span<BYTE> data) {
  const bool accepted = Accepts(device, kvt::Word(request, kCountAt) <= kMaxCorrections);
  if (accepted) TakeList(request, kCountAt, device.type6.corrections);
  data[0] = accepted ? 1 : 0;
  kvt::PutWord(data, 1, device.type6.corrections.count);
  return 3;
}

std::size_t FillDistanceCorrections(DeviceState &device, std::span<const BYTE> request, std::span<BYTE> data) {
  return ReadOrDefine(device, device.type6.distanceCorrections, request, data);
}

std::size_t FillCheckParameters(DeviceState &device, std::span<const BYTE> request, std::span<BYTE> data) {
  return ReadOrDefine(device, device.type6.checks, request, data);
}

// Request bytes 9-24: the eight words of the shot. Status at 9 (a known
// resolution, 1 to 3 ranges, each from its start to its stop angle within
// 180°), the shot in force from 10.
std::size_t FillPositioningShot(DeviceState &device, std::span<const BYTE> request, std::span<BYTE> data) {
  std::array<WORD, kShotWords> shot{};
  for (std::size_t i = 0; i < kShotWords; ++i) shot[i] = kvt::Word(request, kvt::kRecData + 2 * i);
  const bool accepted = Accepts(device, ShotPlausible(shot));
  if (accepted) device.type6.shot = shot;
  data[0] = accepted ? 1 : 0;
  for (std::size_t i = 0; i < kShotWords; ++i) kvt::PutWord(data, 1 + 2 * i, device.type6.shot[i]);
  return 1 + 2 * kShotWords;
}

// Request 9 the action (data set 0-9), 10 the mode (0 read, 1 write),
// 11-12 the number of words (at most 32 are written), from 13 the words.
// The answer repeats action and mode and holds the set as it now stands;
// an action without a set answers with no words.
std::size_t FillFinalTestData(DeviceState &device, std::span<const BYTE> request, std::span<BYTE> data) {
  const BYTE action = kvt::Byte(request, kvt::kRecData);
  const BYTE mode = kvt::Byte(request, kvt::kRecData + 1);
  data[0] = action;
  data[1] = mode;
  if (action >= kFinalTestSets) {
    kvt::PutWord(data, 2, 0);
    return 4;
  }
  auto &set = device.type6.finalTest[action];
  const std::size_t countAt = kvt::kRecData + 2;
  if (mode == kWrite && kvt::Word(request, countAt) <= kMaxFinalTestWords) TakeList(request, countAt, set);
  return PutList(data, 2, set);
}

}  // namespace kvtdrv
