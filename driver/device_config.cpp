// The configuration of a type-6 sensor: the configuration block (0x74 read,
// 0x77 defined), configuration block 2 (0x7B read, 0x7C defined) and the
// variant's scan angle and single-shot resolution (0x3B). A definition
// answers with its status at record byte 9 and what is now in force behind
// it, so that a refused one shows what still holds.
#include <algorithm>

#include "driver.h"

namespace kvtdrv {

namespace {

// Configuration block, in the order of the configuration dialog.
constexpr std::array<BYTE, kConfigBlockSize> kStartBlock{
    4, 0,            // 0-1: blanking factor
    70, 0,           // 2-3: stop threshold
    0x02,            // 4: configuration bits
    0,               // 5: measuring mode and value flags: the variant, set from the configuration
    1,               // 6: sensor number
    0, 0,            // 7: volatile field group, 8: subtractive fields
    1,               // 9: multiple evaluation
    3, 10,           // 10: restart behaviour, 11: restart time of field A
    0,               // 12: second multiple evaluation
    7, 5, 5, 10, 90,   // 13-17: contour of field A: reference cm, tolerance + and -, start and stop angle
    7, 5, 5, 0, 100,   // 18-22: contour of field B
    0, 0, 0, 0, 0,     // 23-27: contour of field C, unused
    1, 0,            // 28: pixel-oriented evaluation, 29: mean-value mode
    10, 10,          // 30, 31: restart times of fields B and C
    2,               // 32: maximum dazzle
};

constexpr std::size_t kVariantOffset = 5;
// Start angle of each field's contour; its stop angle follows.
constexpr std::size_t kContourStartAngles[] = {16, 21, 26};

// Configuration block 2: flag byte, contour reference angles of fields A to
// C (signed), multiple-evaluation offset of field set 2 (signed), mode for
// contamination at output C, evaluation strategy, warning and error
// thresholds of the front screen in percent.
constexpr std::array<BYTE, 9> kStartBlock2{0x01, 0, 0xFB, 0, 0, 1, 0, 60, 80};
constexpr std::size_t kWarningOffset = 7;
constexpr std::size_t kErrorOffset = 8;

constexpr WORD kScanAngles[] = {100, 180};
constexpr WORD kShotResolutions[] = {25, 50, 100};

template <std::size_t N>
void CopyFromRequest(std::span<const BYTE> request, std::array<BYTE, N> &block) {
  for (std::size_t i = 0; i < N; ++i) block[i] = kvt::Byte(request, kvt::kRecData + i);
}

template <std::size_t N>
std::size_t Answer(std::span<BYTE> data, bool accepted, const std::array<BYTE, N> &block) {
  data[0] = accepted ? 1 : 0;
  std::copy(block.begin(), block.end(), data.begin() + 1);
  return 1 + N;
}

bool ConfigPlausible(const std::array<BYTE, kConfigBlockSize> &block) {
  if (block[kVariantOffset] > kMaxVariant) return false;
  return std::all_of(std::begin(kContourStartAngles), std::end(kContourStartAngles),
                     [&](std::size_t at) { return block[at] <= block[at + 1]; });
}

}  // namespace

Type6Config StartConfig(BYTE kind, BYTE variant) {
  Type6Config config;
  config.block = kStartBlock;
  config.block[kVariantOffset] = variant;
  std::copy(kStartBlock2.begin(), kStartBlock2.end(), config.block2.begin());
  // The rest of block 2 is factory data that the dialog passes back as it is.
  for (std::size_t i = kStartBlock2.size(); i < kConfig2BlockSize; ++i) config.block2[i] = static_cast<BYTE>(i * 37);
  if (kind == kvt::kDeviceKvt90) {
    config.scanAngle = 90;
    config.shotResolution = 50;
  }
  StartParameters(config);
  return config;
}

std::size_t FillConfigRead(DeviceState &device, std::span<const BYTE>, std::span<BYTE> data) {
  std::copy(device.type6.block.begin(), device.type6.block.end(), data.begin());
  return kConfigBlockSize;
}

// A known variant, and no contour whose start angle lies behind its stop angle.
// The measured values follow the new variant at once.
std::size_t FillConfigDefine(DeviceState &device, std::span<const BYTE> request, std::span<BYTE> data) {
  std::array<BYTE, kConfigBlockSize> block{};
  CopyFromRequest(request, block);
  const bool accepted = Accepts(device, ConfigPlausible(block));
  if (accepted) {
    device.type6.block = block;
    device.variant = block[kVariantOffset];
  }
  return Answer(data, accepted, device.type6.block);
}

std::size_t FillConfig2Read(DeviceState &device, std::span<const BYTE>, std::span<BYTE> data) {
  std::copy(device.type6.block2.begin(), device.type6.block2.end(), data.begin());
  return kConfig2BlockSize;
}

// The warning comes before the error: its threshold may not be higher.
std::size_t FillConfig2Define(DeviceState &device, std::span<const BYTE> request, std::span<BYTE> data) {
  std::array<BYTE, kConfig2BlockSize> block{};
  CopyFromRequest(request, block);
  const bool accepted = Accepts(device, block[kWarningOffset] <= block[kErrorOffset]);
  if (accepted) device.type6.block2 = block;
  return Answer(data, accepted, device.type6.block2);
}

// Request bytes 9-10 the scan angle in degrees, 11-12 the single-shot
// resolution in 1/100 degree; the answer has the status at 9 and the pair
// in force at 10-13.
std::size_t FillVariantDefine(DeviceState &device, std::span<const BYTE> request, std::span<BYTE> data) {
  const WORD angle = kvt::Word(request, kvt::kRecData);
  const WORD resolution = kvt::Word(request, kvt::kRecData + 2);
  const bool valid = std::ranges::find(kScanAngles, angle) != std::end(kScanAngles) &&
                     std::ranges::find(kShotResolutions, resolution) != std::end(kShotResolutions);
  const bool accepted = Accepts(device, valid);
  if (accepted) {
    device.type6.scanAngle = angle;
    device.type6.shotResolution = resolution;
  }
  data[0] = accepted ? 1 : 0;
  kvt::PutWord(data, 1, device.type6.scanAngle);
  kvt::PutWord(data, 3, device.type6.shotResolution);
  return 5;
}

}  // namespace kvtdrv
