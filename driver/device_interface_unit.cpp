// Rows of the PXD interface unit: its configuration, its evaluation cases,
// the dynamic field number and the switching of its outputs. What is defined
// is kept for the run and read back as it was sent.
#include "driver.h"

namespace kvtdrv {

namespace {

constexpr BYTE kAccepted = 1;
constexpr BYTE kRefused = 0;

// Configuration block offsets (the block starts at record byte 9).
constexpr std::size_t kSensorCount = 0;
constexpr std::size_t kSensorNames = 1;
constexpr std::size_t kScanAngles = 37;
constexpr std::size_t kSingleShots = 45;
constexpr std::size_t kInputs = 53;
constexpr std::size_t kOutputs = 54;
constexpr std::size_t kUnit = 55;
constexpr std::size_t kFieldsTogether = 56;
constexpr std::size_t kFieldCount = 57;
constexpr std::size_t kFieldNames = 58;
constexpr std::size_t kVolatileFieldSet = 94;
constexpr std::size_t kCaseCount = 95;
constexpr std::size_t kPulsesPerCm = 96;
constexpr std::size_t kAutoReset = 98;
constexpr std::size_t kMaxSpeed = 100;
constexpr std::size_t kUnitAddress = 102;
static_assert(kUnitAddress + 1 == kUnitConfigSize);

// Evaluation case offsets.
constexpr std::size_t kCaseNumber = 0;
constexpr std::size_t kCaseName = 1;
constexpr std::size_t kInputImage = 10;
constexpr std::size_t kActiveSensor = 12;
constexpr std::size_t kActiveField = 13;
constexpr std::size_t kOutputImage = 16;
constexpr std::size_t kMultipleEvaluation = 20;

constexpr std::size_t kNameSize = 9;  // 8 characters and a zero
constexpr std::size_t kSensorSlots = 4;
constexpr BYTE kMaxDynamicField = 30;

// Two KVT on inputs 1 and 2 (as the status reports them), three fields,
// two evaluation cases; unit 2 is 10 cm, as the unit's measured values.
struct StartSensor {
  std::string_view name;
  WORD scanAngle;
};
constexpr StartSensor kStartSensors[kSensorSlots] = {{"KVT1", 180}, {"KVT2", 180}, {"NOKVT", 0}, {"NOKVT", 0}};
constexpr std::string_view kStartFields[kSensorSlots] = {"FELD_A", "FELD_B", "FELD_C", "NOFELD"};

struct StartCase {
  std::string_view name;
  WORD inputImage;
  BYTE sensor;
  BYTE field;
  BYTE outputImage;
};
constexpr StartCase kStartCases[] = {{"EINFAHRT", 0x0001, 1, 1, 0x01}, {"AUSFAHRT", 0x0002, 2, 2, 0x02}};

std::array<BYTE, kUnitConfigSize> StartConfig() {
  std::array<BYTE, kUnitConfigSize> block{};
  const std::span<BYTE> b(block);
  kvt::PutByte(b, kSensorCount, 2);
  for (std::size_t i = 0; i < kSensorSlots; ++i) {
    PutText(b, kSensorNames + kNameSize * i, kStartSensors[i].name, kNameSize);
    kvt::PutWord(b, kScanAngles + 2 * i, kStartSensors[i].scanAngle);
    kvt::PutWord(b, kSingleShots + 2 * i, 50);  // 1/100 degree
    PutText(b, kFieldNames + kNameSize * i, kStartFields[i], kNameSize);
  }
  kvt::PutByte(b, kInputs, 2);
  kvt::PutByte(b, kOutputs, 4);
  kvt::PutByte(b, kUnit, 2);
  kvt::PutByte(b, kFieldsTogether, 2);
  kvt::PutByte(b, kFieldCount, 3);
  kvt::PutByte(b, kVolatileFieldSet, 3);
  kvt::PutByte(b, kCaseCount, std::size(kStartCases));
  kvt::PutWord(b, kPulsesPerCm, 10);
  kvt::PutWord(b, kAutoReset, 1);
  kvt::PutWord(b, kMaxSpeed, 250);
  kvt::PutByte(b, kUnitAddress, 5);
  return block;
}

// Cases that were never defined hold their number and nothing else.
std::array<BYTE, kCaseSize> StartCaseBlock(std::size_t number) {
  std::array<BYTE, kCaseSize> block{};
  const std::span<BYTE> b(block);
  kvt::PutByte(b, kCaseNumber, static_cast<unsigned>(number));
  if (number < 1 || number > std::size(kStartCases)) return block;
  const StartCase &c = kStartCases[number - 1];
  PutText(b, kCaseName, c.name, kNameSize);
  kvt::PutWord(b, kInputImage, c.inputImage);
  kvt::PutByte(b, kActiveSensor, c.sensor);
  kvt::PutByte(b, kActiveField, c.field);
  kvt::PutByte(b, kOutputImage, c.outputImage);
  kvt::PutByte(b, kMultipleEvaluation, 2);
  return block;
}

bool InRange(unsigned value, unsigned low, unsigned high) { return value >= low && value <= high; }

// The ranges the configuration dialog names for its inputs.
bool ConfigValid(std::span<const BYTE> b) {
  return InRange(kvt::Byte(b, kSensorCount), 1, 4) && InRange(kvt::Byte(b, kFieldCount), 1, 4) &&
         InRange(kvt::Byte(b, kCaseCount), 1, kCaseSlots) && InRange(kvt::Byte(b, kFieldsTogether), 2, 3) &&
         kvt::Word(b, kAutoReset) <= 1 && InRange(kvt::Byte(b, kUnitAddress), 5, 126);
}

std::span<const BYTE> RequestBlock(std::span<const BYTE> request, std::size_t size) {
  return request.subspan(kvt::kRecData, size);
}

std::size_t Status(std::span<BYTE> data, bool accepted) {
  data[0] = accepted ? kAccepted : kRefused;
  return 1;
}

// The status and, at byte 10, the setting now in force.
std::size_t Status(std::span<BYTE> data, bool accepted, BYTE setting) {
  data[1] = setting;
  return Status(data, accepted) + 1;
}

}  // namespace

InterfaceUnit StartInterfaceUnit() {
  InterfaceUnit unit;
  unit.config = StartConfig();
  for (std::size_t slot = 0; slot < kCaseSlots; ++slot) unit.cases[slot] = StartCaseBlock(slot + 1);
  unit.outputs.fill(1);
  return unit;
}

std::size_t FillUnitConfigRead(DeviceState &device, std::span<const BYTE>, std::span<BYTE> data) {
  std::copy(device.unit.config.begin(), device.unit.config.end(), data.begin());
  return kUnitConfigSize;
}

// The address in the configuration is kept; the unit goes on answering at
// its bus address, which only 0x67 changes.
std::size_t FillUnitConfigDefine(DeviceState &device, std::span<const BYTE> request, std::span<BYTE> data) {
  const std::span<const BYTE> block = RequestBlock(request, kUnitConfigSize);
  const bool accepted = Accepts(device, ConfigValid(block));
  if (accepted) std::copy(block.begin(), block.end(), device.unit.config.begin());
  return Status(data, accepted);
}

// Request byte 9: the case number. A number without a slot is answered
// like a case never defined.
std::size_t FillCaseRead(DeviceState &device, std::span<const BYTE> request, std::span<BYTE> data) {
  const BYTE number = kvt::Byte(request, kvt::kRecData);
  const auto block = InRange(number, 1, kCaseSlots) ? device.unit.cases[number - 1] : StartCaseBlock(number);
  std::copy(block.begin(), block.end(), data.begin());
  return kCaseSize;
}

// Accepted for a case number from 1 to the number of cases configured.
std::size_t FillCaseDefine(DeviceState &device, std::span<const BYTE> request, std::span<BYTE> data) {
  const std::span<const BYTE> block = RequestBlock(request, kCaseSize);
  const BYTE number = kvt::Byte(block, kCaseNumber);
  const bool accepted = Accepts(device, InRange(number, 1, device.unit.config[kCaseCount]));
  if (accepted) std::copy(block.begin(), block.end(), device.unit.cases[number - 1].begin());
  return Status(data, accepted);
}

// Request byte 9: the number, 0 to 30. Answer byte 10: the number in force.
std::size_t FillDynamicFieldNumber(DeviceState &device, std::span<const BYTE> request, std::span<BYTE> data) {
  const BYTE number = kvt::Byte(request, kvt::kRecData);
  const bool accepted = Accepts(device, number <= kMaxDynamicField);
  if (accepted) device.unit.dynamicField = number;
  return Status(data, accepted, device.unit.dynamicField);
}

// Request byte 9: the output (0-9), byte 10: 1 active, 0 inactive. Answer
// byte 10: the output's state now.
std::size_t FillOutputSwitch(DeviceState &device, std::span<const BYTE> request, std::span<BYTE> data) {
  const BYTE output = kvt::Byte(request, kvt::kRecData);
  const BYTE active = kvt::Byte(request, kvt::kRecData + 1);
  const bool known = output < kUnitOutputs;
  const bool accepted = Accepts(device, known && active <= 1);
  if (accepted) device.unit.outputs[output] = active;
  return Status(data, accepted, known ? device.unit.outputs[output] : 0);
}

}  // namespace kvtdrv
