// The status answer (command 0x31 → 0xB1): one consistent record per kind
// of device. Positions below are record bytes; the answer data start at
// record byte 9.
#include <cmath>

#include "driver.h"
#include "measured_scene.h"

namespace kvtdrv {

namespace {

constexpr std::size_t kFirst = kvt::kRecData;

// The baud rate as the status reports it: in hundreds of baud.
unsigned BaudCode(const DeviceState &device) { return device.baudRate / 100; }

unsigned Flag(bool on) { return on ? 1u : 0u; }

// The timer that measures the mirror's turn runs at 2^20 Hz.
constexpr DWORD kMirrorClock = 1048576;

// Bytes 9-28, the same for every kind: version, mode, error state, serial.
void Head(const DeviceState &device, const AnswerRecord &r) {
  r.Text(9, VersionText(device.kind), 8);
  r.Byte(17, device.mode);
  r.Byte(18, device.errorCount == 0 ? 0 : device.errors[device.errorCount - 1].type);
  r.Text(19, SerialNumber(device.kind), 9);
}

// Bytes 29-76, the same layout on the KVT and the type-6 sensors. The scan
// angle and step are those the kind's scans deliver; the range fits the
// value bits of every flag layout in the kind's unit.
struct Sensor {
  std::array<unsigned, 4> scan;  // range cm, minimum cm, field sets, resolution mm
  unsigned turnMs;
  std::array<unsigned, 4> levels;  // receiver, reference, transmitter, noise (mV)
  unsigned pulseNs;
};

void Measuring(const DeviceState &device, const AnswerRecord &r, const Sensor &s) {
  const ScanGeometry scan = GeometryOf(device.kind);
  const auto angleTenths = static_cast<unsigned>(std::lround((scan.rays - 1) * scan.step * 10));
  const auto stepHundredths = static_cast<unsigned>(std::lround(scan.step * 100));
  r.Words(29, {angleTenths, stepHundredths, s.scan[0], s.scan[1], s.scan[2], s.scan[3], 0, 0});
  r.Words(45, {device.evaluations, s.turnMs, device.evaluations * s.turnMs, 0});
  r.Words(53, {s.levels[0], s.levels[1], s.levels[2], s.levels[3], device.stopThreshold, 240, 0, 0});
  r.Words(69, {Flag(device.laserOn), 100, s.pulseNs, 0});
}

// The switching outputs speak the older set of codes before version 2.00.
struct OutputCodes {
  unsigned output1;
  unsigned output2;
};

std::size_t StatusKvt(const DeviceState &device, const AnswerRecord &r) {
  Head(device, r);
  Measuring(device, r, {{8000, 30, 4, 10}, 40, {1250, 1180, 1320, 45}, 4});
  r.Word(77, 4127);                                 // operating time in units of 90 s
  r.Word(79, kMirrorClock / 25);                    // timer count of one turn: 25 turns/s
  r.Words(83, {412, 37u + device.resets, 0, 1, 35});  // power-ups, resets, -, reference faults, °C
  r.Word(93, Flag(device.startupTest));
  const bool older = VersionMajor(VersionText(device.kind)) < 2;
  const OutputCodes outputs = older ? OutputCodes{1, 0} : OutputCodes{3, 2};
  r.Words(95, {outputs.output1, outputs.output2, 200, 500});  // output modes, hold times ms
  r.Words(103, {120, 160, 250, 260});               // field A, field B: width, length cm
  r.Words(111, {7, 2, 500});                        // minimum object cm, scans, restart ms
  r.Word(126, BaudCode(device));
  r.Byte(128, device.fieldSet - 1);                 // this kind counts field sets from 0
  r.Byte(129, 0);                                   // parity none
  r.Byte(130, device.powerOnSetting);
  r.Byte(133, device.address);
  return 133 - kFirst + 1;
}

std::size_t StatusPxd(const DeviceState &device, const AnswerRecord &r) {
  Head(device, r);
  r.Word(28, BaudCode(device));
  r.Byte(30, 0);                                    // parity none
  r.Byte(31, device.powerOnSetting);
  r.Byte(32, 2);                                    // sensors connected
  r.Byte(33, 1);                                    // sensors evaluated in pairs
  r.Word(34, 0x0003);                               // inputs 1 and 2 active
  r.Words(36, {0x0001, 0x0001, 0, 0});              // a KVT type 1 on inputs 1 and 2
  r.Words(44, {0x0000, 0x0011, 0, 0});              // input 2 reports a weak signal
  return 51 - kFirst + 1;
}

std::size_t StatusKvtQ1(const DeviceState &device, const AnswerRecord &r) {
  const bool ninety = device.kind == kvt::kDeviceKvt90;
  Head(device, r);
  Measuring(device, r,
            ninety ? Sensor{{3000, 20, 4, 5}, 25, {1410, 1360, 1480, 52}, 3}
                   : Sensor{{800, 20, 4, 5}, 25, {1390, 1340, 1470, 50}, 3});  // mm in 13 bits: 8 m
  r.Word(77, 1893);
  // 81-92: power-ups, -, laser hours, resets, calibration state, highest °C.
  // The calibration word: 0 factory calibration; 0xAAAA locked.
  r.Words(81, {512, 0, 498, device.resets, ninety ? 0xAAAAu : 0u, 41});
  r.Word(93, Flag(device.startupTest));
  r.Words(95, {20, 40, 100, 10});                   // output delays and times ms
  r.Words(103, {120, 160, 250, 260});
  r.Byte(112, device.variant);
  r.Word(113, 1);                                   // shell check on
  r.Word(115, 0);                                   // belt check off
  r.Words(117, {ninety ? 7u : 6u, 0x0000});         // the sensor itself, in order
  r.Byte(121, 0x03);                                // Profibus DP ...
  r.Word(122, 10);                                  // ... station address 10
  r.Byte(124, 34);                                  // inner temperature °C
  r.Word(126, BaudCode(device));
  r.Byte(128, device.fieldSet);
  r.Byte(129, 0);
  r.Byte(130, device.powerOnSetting);
  r.Byte(131, Flag(device.fieldsNonVolatile));
  r.Byte(132, 1);                                   // sensor number, paired with the variant
  r.Byte(133, device.address);
  r.Text(134, ninety ? "90/0.5" : "Q1-06", 8);
  // TDC calibration: a resolution of about 13 ps per counter.
  r.Dword(142, 118000);
  r.Dword(146, 370000);
  r.Dword(150, 120500);
  r.Dword(154, 371300);
  r.Word(158, 2000);
  r.Word(160, 2010);
  r.Word(162, 25);
  return 163 - kFirst + 1;
}

}  // namespace

std::size_t FillStatus(DeviceState &device, std::span<const BYTE>, std::span<BYTE> data) {
  const AnswerRecord r{data};
  switch (device.kind) {
    case kvt::kDevicePxd: return StatusPxd(device, r);
    case kvt::kDeviceKvtQ1:
    case kvt::kDeviceKvt90: return StatusKvtQ1(device, r);
    default: return StatusKvt(device, r);
  }
}

}  // namespace kvtdrv
