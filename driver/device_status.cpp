// The status answer (command 0x31 → 0xB1): one consistent record per kind
// of device. Positions below are record bytes; the answer data start at
// record byte 9.
#include "driver.h"

namespace kvtdrv {

namespace {

constexpr std::size_t kFirst = kvt::kRecData;

// Writes at record positions into the answer data.
struct Record {
  std::span<BYTE> data;
  void Byte(std::size_t at, unsigned v) const { kvt::PutByte(data, at - kFirst, v); }
  void Word(std::size_t at, unsigned v) const { kvt::PutWord(data, at - kFirst, v); }
  void Dword(std::size_t at, DWORD v) const { kvt::PutDword(data, at - kFirst, v); }
  void Words(std::size_t at, std::initializer_list<unsigned> values) const {
    for (unsigned v : values) {
      Word(at, v);
      at += 2;
    }
  }
  void Text(std::size_t at, std::string_view text, std::size_t width) const {
    PutText(data, at - kFirst, text, width);
  }
};

// The baud rate as the status reports it: in hundreds of baud.
unsigned BaudCode(const DeviceState &device) { return device.baudRate / 100; }

// Bytes 9-28, the same for every kind: version, mode, error state, serial.
void Head(const DeviceState &device, const Record &r, std::string_view serial) {
  r.Text(9, VersionText(device.kind), 8);
  r.Byte(17, device.mode);
  r.Byte(18, device.errorCount == 0 ? 0 : device.errors[device.errorCount - 1].type);
  r.Text(19, serial, 9);
}

std::size_t StatusKvt(const DeviceState &device, const Record &r) {
  Head(device, r, "SN0415372");
  r.Words(29, {1800, 5, 8000, 30, 4, 1, 2, 0});   // scan: angle 0.1°, step, range cm, min. range, fields, ...
  r.Words(45, {device.evaluations, 40, 1, 0});      // evaluation: multiple evaluations, turn time ms, ...
  r.Words(53, {1250, 1180, 1320, 45, device.stopThreshold, 210, 0, 0});  // signal levels mV
  r.Words(69, {device.laserOn ? 1u : 0u, 100, 2, 0});  // laser: on, power %, pulse width
  r.Word(77, 4127);                                 // operating time in units of 90 s
  r.Word(79, 1024);                                 // clock divisor
  r.Words(83, {412, 388, 0, 1, 35});                // 83-92: counters
  r.Word(93, device.startupTest ? 1 : 0);
  r.Words(95, {1, 0, 25, 3});                       // 95-102
  r.Words(103, {12, 16, 250, 260});                 // 103-110
  r.Words(111, {device.fieldSet, device.fieldsNonVolatile ? 1u : 0u, 0, 0});  // 111-118
  r.Word(126, BaudCode(device));
  r.Byte(128, device.fieldSet - 1);                 // this kind counts field sets from 0
  r.Byte(129, 0);                                   // parity none
  r.Byte(130, device.powerOnSetting);
  r.Byte(133, device.address);
  return 133 - kFirst + 1;
}

std::size_t StatusPxd(const DeviceState &device, const Record &r) {
  Head(device, r, "SN039811");
  r.Word(28, BaudCode(device));
  r.Byte(30, 0);                                    // parity none
  r.Byte(31, device.powerOnSetting);
  r.Byte(32, 2);                                    // sensors connected
  r.Byte(33, device.address);
  r.Word(34, 0x0003);                               // inputs 1 and 2 active
  r.Words(36, {0x0001, 0x0001, 0, 0});              // sensors on inputs 1 and 2
  r.Words(44, {0x0000, 0x0011, 0, 0});              // input 2 reports a weak signal
  return 51 - kFirst + 1;
}

std::size_t StatusKvtQ1(const DeviceState &device, const Record &r) {
  Head(device, r, device.kind == kvt::kDeviceKvt90 ? "SN0502961" : "SN0502207");
  r.Words(29, {3600, 5, 3000, 20, 4, 1, 2, 0});
  r.Words(45, {device.evaluations, 25, 1, 0});
  r.Words(53, {1410, 1360, 1480, 52, device.stopThreshold, 230, 0, 0});
  r.Words(69, {device.laserOn ? 1u : 0u, 100, 3, 0});
  r.Word(77, 1893);
  r.Words(81, {512, 0, 498, 0, 1, 36});             // 81-92; 89-90 selects the line of class 109
  r.Word(93, device.startupTest ? 1 : 0);
  r.Words(95, {1, 2, 25, 3});
  r.Words(103, {12, 16, 250, 260});
  r.Byte(112, device.variant);
  r.Word(113, 1);
  r.Word(115, 0);
  r.Words(117, {0x0001, 0x0000});
  r.Byte(121, 0x03);                                // interface with parameter
  r.Word(122, BaudCode(device));
  r.Byte(124, 34);                                  // inner temperature °C
  r.Word(126, BaudCode(device));
  r.Byte(128, device.fieldSet);
  r.Byte(129, 0);
  r.Byte(130, device.powerOnSetting);
  r.Byte(131, device.fieldsNonVolatile ? 1 : 0);
  r.Byte(132, 1);                                   // sensor number, paired with the variant
  r.Byte(133, device.address);
  r.Text(134, device.kind == kvt::kDeviceKvt90 ? "90/0.5  " : "Q1-06   ", 8);
  // TDC calibration: a resolution of about 13 ps per counter.
  r.Dword(142, 118000);
  r.Dword(146, 370062);
  r.Dword(150, 120500);
  r.Dword(154, 373900);
  r.Word(158, 2000);
  r.Word(160, 2010);
  r.Word(162, 25);
  return 163 - kFirst + 1;
}

}  // namespace

std::size_t FillStatus(DeviceState &device, std::span<const BYTE>, std::span<BYTE> data) {
  const Record r{data};
  switch (device.kind) {
    case kvt::kDevicePxd: return StatusPxd(device, r);
    case kvt::kDeviceKvtQ1:
    case kvt::kDeviceKvt90: return StatusKvtQ1(device, r);
    default: return StatusKvt(device, r);
  }
}

}  // namespace kvtdrv
