// Learn mode (0x46) and calibration (0x50): commands of the setup and the
// calibration mode, each answered with a status byte at record byte 9.
#include "driver.h"

namespace kvtdrv {

namespace {

// Status 2 (either command): not possible in this operating mode or state.
constexpr BYTE kWrongState = 2;

// Learn mode, status: 3 learning, 1 ended and stored, 0 aborted or not begun.
constexpr BYTE kLearning = 3;
constexpr BYTE kLearned = 1;
constexpr BYTE kNotLearned = 0;
enum LearnStep : BYTE { kBegin = 0, kEnd = 1, kAbort = 2 };
constexpr BYTE kFieldNumbers = 4;

// Calibration, status: 1 done, 0 not done.
constexpr BYTE kCalibrated = 1;
constexpr BYTE kNotCalibrated = 0;
enum Calibration : BYTE { kContamination = 1, kManufacturingCode = 3, kFirstFinal = 4, kLastFinal = 10 };
constexpr std::size_t kCodeDigits = 8;

BYTE RequestByte(std::span<const BYTE> request, std::size_t at) { return kvt::Byte(request, at); }

// The room as the sensor sees it now becomes the taught-in field of the
// field set and letter being learnt, in its unit, scan angle and single shot.
void StoreLearntField(DeviceState &device) {
  const Service &service = device.service;
  StoredField *field = FieldAt(device, service.learnField, service.learnFieldCode & 0x3F);
  if (field) *field = TaughtField(service.learnFieldCode >> 6, service.learnAngle, service.learnShot, true);
}

BYTE LearnStatus(DeviceState &device, std::span<const BYTE> request) {
  Service &service = device.service;
  const BYTE step = RequestByte(request, 25);
  if (device.mode != kModeSetup) return kWrongState;
  switch (step) {
    case kBegin: {
      if (service.learning) return kWrongState;
      const BYTE field = RequestByte(request, 9);
      if (!Accepts(device, field >= 1 && field <= kFieldNumbers)) return kNotLearned;
      service.learning = true;
      service.learnField = field;
      service.learnFieldCode = RequestByte(request, 19);
      service.learnAngle = kvt::Word(request, 20);
      service.learnShot = kvt::Word(request, 22);
      return kLearning;
    }
    case kEnd:
    case kAbort:
      if (!service.learning) return kWrongState;
      if (device.refusing) return kNotLearned;
      service.learning = false;
      if (step == kAbort) return kNotLearned;
      ++service.taughtFields;
      StoreLearntField(device);
      return kLearned;
    default: return kWrongState;
  }
}

bool IsCode(std::span<const BYTE> request, std::size_t at) {
  for (std::size_t i = 0; i < kCodeDigits; ++i) {
    const BYTE digit = RequestByte(request, at + i);
    if (digit < '0' || digit > '9') return false;
  }
  return RequestByte(request, at + kCodeDigits) == 0;
}

// The contamination measurement of a sensor, the manufacturing code of the
// interface unit, the final-test calibrations 4 to 10 of a sensor.
BYTE CalibrationStatus(DeviceState &device, std::span<const BYTE> request, unsigned &result) {
  Service &service = device.service;
  const BYTE what = RequestByte(request, kvt::kRecData);
  if (device.mode != kModeCalibration) return kWrongState;
  const bool unit = device.kind == kvt::kDevicePxd;
  if (what == kContamination && Accepts(device, !unit)) {
    // The clean front screen seen anew: a little brighter each time.
    service.dustReference = static_cast<WORD>(service.dustReference + 3);
    result = service.dustReference;
    return kCalibrated;
  }
  if (what == kManufacturingCode && Accepts(device, unit && IsCode(request, 10))) {
    for (std::size_t i = 0; i <= kCodeDigits; ++i) service.manufacturingCode[i] = RequestByte(request, 10 + i);
    return kCalibrated;
  }
  if (what >= kFirstFinal && what <= kLastFinal && Accepts(device, !unit)) {
    service.finalCalibration = what;
    result = what;
    return kCalibrated;
  }
  return kNotCalibrated;
}

}  // namespace

// Request 9 field number, 19 field letter and unit, 20-21 scan angle, 22-23
// single shot, 24 sensor, 25 step (0 begin, 1 end, 2 abort). Answer 9 the
// status, 10 the step, 11 the field being learnt (0: none).
std::size_t FillLearnMode(DeviceState &device, std::span<const BYTE> request, std::span<BYTE> data) {
  data[0] = LearnStatus(device, request);
  data[1] = RequestByte(request, 25);
  data[2] = device.service.learning ? device.service.learnField : 0;
  return 3;
}

// Request 9 what to calibrate, from 10 the manufacturing code (8 digits and
// a zero). Answer 9 the status, 10 what, 11-12 the result (the new dust
// reference, or the calibration number).
std::size_t FillCalibration(DeviceState &device, std::span<const BYTE> request, std::span<BYTE> data) {
  unsigned result = 0;
  const AnswerRecord r{data};
  r.Byte(9, CalibrationStatus(device, request, result));
  r.Byte(10, RequestByte(request, kvt::kRecData));
  r.Word(11, result);
  return 4;
}

}  // namespace kvtdrv
