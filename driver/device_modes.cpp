// The operating-mode change (command 0x20 → 0xA0): the measured-value
// output modes with their parameters, diagnosis, setup and calibration
// behind a password, the password tests and reset, and the baud rates. One
// row per mode byte; the row names the kinds of device that have the mode.
#include <algorithm>
#include <optional>

#include "driver.h"

namespace kvtdrv {

namespace {

// This command counts 0 as accepted.
constexpr BYTE kAccepted = 0;
constexpr BYTE kRefused = 1;

enum class Effect : BYTE { Mode, PasswordMode, PasswordReset, PasswordTest, Baud };

enum PasswordSet : BYTE {
  kNoPassword = 0,
  kSetupPassword = 1,
  kSuperuserPassword = 2,
  kMaintenancePassword = 4,
};

// Checks a mode's parameter bytes (request byte 10 on) and returns how many
// belong to it; nothing when the device would not take them.
using ParameterCheck = std::optional<std::size_t> (*)(std::span<const BYTE> parameters);

struct ModeRow {
  BYTE mode;
  BYTE kinds;
  Effect effect;
  ParameterCheck parameters = nullptr;  // Mode: its parameters
  BYTE passwords = kNoPassword;         // PasswordMode: any of these opens it; PasswordTest: the one tested
  DWORD baudRate = 0;                   // Baud
};

// A scan has up to 401 measured values, numbered as the library's range
// dialogs number them.
constexpr unsigned kScanValues = 401;
constexpr unsigned kMaxAverages = 250;
constexpr unsigned kMaxSegments = 201;
constexpr unsigned kMaxRanges = 5;
// Bit 15 of a range's first value asks for each value as soon as it is measured.
constexpr WORD kAtOnceBit = 0x8000;

bool GoodRange(unsigned first, unsigned last) { return first <= last && last <= kScanValues; }

std::optional<std::size_t> NoParameters(std::span<const BYTE>) { return 0; }

// 0x26: byte 10 the number of averages.
std::optional<std::size_t> Averages(std::span<const BYTE> p) {
  const unsigned averages = kvt::Byte(p, 0);
  if (averages < 1 || averages > kMaxAverages) return std::nullopt;
  return 1;
}

// 0x27, 0x29: first (with the at-once bit) and last measured value.
std::optional<std::size_t> ValueRange(std::span<const BYTE> p) {
  if (!GoodRange(kvt::Word(p, 0) & ~kAtOnceBit, kvt::Word(p, 2))) return std::nullopt;
  return 4;
}

// 0x28: number of averages, first and last measured value.
std::optional<std::size_t> AveragedRange(std::span<const BYTE> p) {
  const unsigned averages = kvt::Byte(p, 0);
  if (averages < 1 || averages > kMaxAverages || !GoodRange(kvt::Word(p, 1), kvt::Word(p, 3))) return std::nullopt;
  return 5;
}

// 0x2C: number of segments, first and last measured value; a segment holds
// at least one value.
std::optional<std::size_t> SegmentRange(std::span<const BYTE> p) {
  const unsigned segments = kvt::Byte(p, 0);
  const unsigned first = kvt::Word(p, 1);
  const unsigned last = kvt::Word(p, 3);
  if (!GoodRange(first, last) || segments < 1 || segments > kMaxSegments || segments > last - first + 1) {
    return std::nullopt;
  }
  return 5;
}

// 0x2B: count of ranges, then first and last value of each.
std::optional<std::size_t> Ranges(std::span<const BYTE> p) {
  const unsigned count = kvt::Word(p, 0);
  if (count < 1 || count > kMaxRanges) return std::nullopt;
  for (unsigned i = 0; i < count; ++i) {
    if (!GoodRange(kvt::Word(p, 2 + 4 * i), kvt::Word(p, 4 + 4 * i))) return std::nullopt;
  }
  return 2 + 4 * count;
}

// 0x2E: content (0 sector distances and reflectors, 1 distances, 2
// reflectors) and coordinates (0 polar, 1 Cartesian).
std::optional<std::size_t> NavigationData(std::span<const BYTE> p) {
  if (kvt::Byte(p, 0) > 2 || kvt::Byte(p, 1) > 1) return std::nullopt;
  return 2;
}

// The interface unit passes on its sensors' values only when asked, since a
// request names one of its four sensors and a continuous mode cannot.
constexpr BYTE kOnRequestKinds = kAllKinds;
constexpr BYTE kContinuousKinds = kSensors;

constexpr ModeRow kModes[] = {
    {kModeSetup, kAllKinds, Effect::PasswordMode, nullptr, kSetupPassword | kSuperuserPassword},
    {kModeCalibration, kAllKinds, Effect::PasswordMode, nullptr, kMaintenancePassword | kSuperuserPassword},
    {0x02, kAllKinds, Effect::PasswordReset},
    {kModeDiagnosis, kAllKinds, Effect::Mode, NoParameters},
    {0x20, kContinuousKinds, Effect::Mode, NoParameters},
    {0x21, kOnRequestKinds, Effect::Mode, NoParameters},
    {0x22, kContinuousKinds, Effect::Mode, NoParameters},
    {0x23, kOnRequestKinds, Effect::Mode, NoParameters},
    {0x24, kContinuousKinds, Effect::Mode, NoParameters},
    {kModeOnRequest, kOnRequestKinds, Effect::Mode, NoParameters},
    {0x26, kContinuousKinds, Effect::Mode, Averages},
    {0x27, kContinuousKinds, Effect::Mode, ValueRange},
    {0x28, kType6, Effect::Mode, AveragedRange},
    {0x29, kType6, Effect::Mode, ValueRange},
    {0x2A, kType6, Effect::Mode, NoParameters},
    {0x2B, kType6, Effect::Mode, Ranges},
    {0x2C, kContinuousKinds, Effect::Mode, SegmentRange},
    {kModeNavigation, kSensors, Effect::Mode, NavigationData},
    {0x30, kAllKinds, Effect::PasswordTest, nullptr, kSetupPassword},
    {0x31, kAllKinds, Effect::PasswordTest, nullptr, kSuperuserPassword},
    {0x32, kAllKinds, Effect::PasswordTest, nullptr, kMaintenancePassword},
    {0x40, kAllKinds, Effect::Baud, nullptr, kNoPassword, 38400},
    {0x41, kAllKinds, Effect::Baud, nullptr, kNoPassword, 19200},
    {0x42, kAllKinds, Effect::Baud, nullptr, kNoPassword, 9600},
    {0x43, kAllKinds, Effect::Baud, nullptr, kNoPassword, 4800},
    {0x48, kType6, Effect::Baud, nullptr, kNoPassword, 500000},
};

const ModeRow *FindMode(BYTE mode, BYTE kind) {
  for (const ModeRow &row : kModes) {
    if (row.mode == mode) return (row.kinds & (1 << kind)) != 0 ? &row : nullptr;
  }
  return nullptr;
}

// The zero-terminated text from request byte 10; a text without its zero
// ends at the record's end.
std::string_view RequestPassword(std::span<const BYTE> request) {
  const std::span<const BYTE> text = request.subspan(std::min(request.size(), kvt::kRecData + 1));
  const std::size_t length = static_cast<std::size_t>(std::find(text.begin(), text.end(), BYTE{0}) - text.begin());
  return {reinterpret_cast<const char *>(text.data()), length};
}

bool PasswordMatches(BYTE passwords, std::string_view given) {
  const Passwords &known = Config().passwords;
  return ((passwords & kSetupPassword) && given == known.setup) ||
         ((passwords & kSuperuserPassword) && given == known.superuser) ||
         ((passwords & kMaintenancePassword) && given == known.maintenance);
}

bool InPasswordMode(const DeviceState &device) {
  return device.mode == kModeSetup || device.mode == kModeCalibration;
}

ModeParameters KeepParameters(std::span<const BYTE> request, std::size_t length) {
  ModeParameters kept;
  kept.length = static_cast<BYTE>(length);
  for (std::size_t i = 0; i < length; ++i) kept.bytes[i] = kvt::Byte(request, kvt::kRecData + 1 + i);
  return kept;
}

// Whether the device takes the request; `parameters` receives the
// parameter bytes of an output mode.
bool Valid(const ModeRow &row, const DeviceState &device, std::span<const BYTE> request, std::size_t &parameters) {
  switch (row.effect) {
    case Effect::Mode: {
      const std::optional<std::size_t> length = row.parameters(request.subspan(kvt::kRecData + 1));
      parameters = length.value_or(0);
      return length.has_value();
    }
    case Effect::PasswordMode:
    case Effect::PasswordTest: return PasswordMatches(row.passwords, RequestPassword(request));
    case Effect::PasswordReset: return InPasswordMode(device);
    case Effect::Baud: return true;
  }
  return false;
}

void Apply(const ModeRow &row, DeviceState &device, std::span<const BYTE> request, std::size_t parameters) {
  switch (row.effect) {
    case Effect::Mode:
      device.mode = row.mode;
      device.modeParameters = KeepParameters(request, parameters);
      break;
    case Effect::PasswordMode:
      if (!InPasswordMode(device)) {
        device.modeBeforePassword = device.mode;
        device.parametersBeforePassword = device.modeParameters;
      }
      device.mode = row.mode;
      device.modeParameters = {};
      break;
    case Effect::PasswordReset:
      device.mode = device.modeBeforePassword;
      device.modeParameters = device.parametersBeforePassword;
      break;
    case Effect::PasswordTest: break;
    case Effect::Baud:
      // The device speaks the new rate from now on; the simulated line
      // follows it at once, as the driver of a real line would have to.
      device.baudRate = row.baudRate;
      break;
  }
}

}  // namespace

static_assert(kMaxModeParameters >= 2 + 4 * kMaxRanges);

void ResetMode(DeviceState &device) {
  device.mode = kModeOnRequest;
  device.modeParameters = {};
  device.modeBeforePassword = kModeOnRequest;
  device.parametersBeforePassword = {};
}

// Byte 9: 0 accepted, 1 refused; byte 10 the mode in force; from byte 11
// the parameters of that mode as its request carried them.
std::size_t FillModeChange(DeviceState &device, std::span<const BYTE> request, std::span<BYTE> data) {
  const ModeRow *row = FindMode(kvt::Byte(request, kvt::kRecData), device.kind);
  std::size_t parameters = 0;
  const bool accepted = Accepts(device, row != nullptr && Valid(*row, device, request, parameters));
  if (accepted) Apply(*row, device, request, parameters);
  data[0] = accepted ? kAccepted : kRefused;
  data[1] = device.mode;
  const ModeParameters &kept = device.modeParameters;
  std::copy_n(kept.bytes.begin(), kept.length, data.begin() + 2);
  return 2 + kept.length;
}

}  // namespace kvtdrv
