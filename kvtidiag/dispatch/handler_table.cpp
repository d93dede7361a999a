// The handler table: one row per handler code. Rows whose routine is
// RunUnavailable are known codes whose command this build cannot run yet;
// they end like an unknown code.
#include "dispatch/dispatch.h"
#include "download/download.h"

namespace kvt {

namespace {

using enum Collector;
using enum OtherStatus;

constexpr HandlerRow kHandlers[] = {
    {.code = 10, .run = RunReset, .command = 0x10, .expected = 0x91},
    {.code = 11, .run = RunOperatingMode, .command = 0x20, .expected = 0xA0,
     .parameters = RunOperatingModeParameters},
    {.code = 12, .run = RunMeasuredValues, .parameters = CollectMeasuredValues},
    {.code = 13, .run = RunSensorStatus, .command = 0x31, .expected = 0xB1},
    {.code = 14, .run = RunErrorMemory, .command = 0x32, .expected = 0xB2},
    {.code = 15, .run = RunWholeSystemTest, .command = 0x33, .expected = 0xB2, .data = {ConstantByte(9, 0x11)}},
    {.code = 16, .run = RunServiceReport, .command = 0x34, .expected = 0xB4, .collector = kMemDump,
     // the start address, then the number of bytes
     .data = {BlockBytes(9, 0, 4), BlockByte(13, 4)}},
    {.code = 17, .run = RunStoredField, .command = 0x45, .expected = 0xC5, .collector = kFieldNr,
     .data = {BlockByte(9, 0)}},
    {.code = 18, .run = RunFieldDefinition, .parameters = CollectFieldDefinition},
    {.code = 19, .run = RunServiceReport, .command = 0x2F, .expected = 0xAF, .collector = kMemDump,
     .data = {BlockByte(9, 0)}},
    {.code = 53, .run = RunLearnMode, .command = 0x46, .expected = 0xC6, .collector = kLModeData},
    {.code = 54, .run = RunCalibration, .command = 0x50, .expected = 0xD0, .accepted = ids::kCalibrationDone,
     .refused = ids::kCalibrationNotDone, .parameters = CollectCalibration},
    {.code = 55, .run = RunServiceReport, .command = 0x35, .expected = 0xB5, .data = {ConstantByte(9, 0)}},
    {.code = 89, .run = RunDefinition, .command = 0x60, .expected = 0xE0,
     .byCode = {{{0x5A, 1}, {0x5B, 0}}}, .accepted = ids::kStartupTestStarted, .refused = ids::kStartupTestNotStarted, .other = kKeepText},
    {.code = 97, .run = RunMeasuredValues, .parameters = CollectMeasuredValues},
    {.code = 103, .run = RunDefinition, .command = 0x63, .expected = 0xE4, .collector = kRspTime,
     .data = {BlockByte(9, 0)}, .accepted = ids::kMultipleEvaluationsAccepted,
     .refused = ids::kMultipleEvaluationsRefused},
    {.code = 107, .run = RunFieldSetMemory, .command = 0x65, .expected = 0xE5,
     .byCode = {{{0x6A, 0}, {0x6C, 1}}}, .accepted = ids::kFieldSetChoiceAccepted, .refused = ids::kFieldSetChoiceRefused},
    {.code = 118, .run = RunDefinition, .command = 0x66, .expected = 0xE6,
     .byCode = {{{0x77, 0}, {0x78, 1}, {0xB0, 2}}}, .accepted = ids::kSettingStoredInEeprom, .refused = ids::kSettingNotStored, .other = kKeepText},
    {.code = 121, .run = RunDefinition, .command = 0x67, .expected = 0xE7, .collector = kSensorAdr,
     .data = {BlockByte(9, 0)}, .accepted = ids::kDeviceAddressAccepted, .refused = ids::kDeviceAddressRefused},
    {.code = 124, .run = RunLaser, .command = 0x68, .expected = 0xE8,
     .byCode = {{{0x7D, 1}, {0x7E, 0}}}, .accepted = ids::kLaserCommandAccepted, .refused = ids::kLaserCommandRefused},
    {.code = 132, .run = RunSensorConfig, .command = 0x38, .expected = 0xB8},
    {.code = 133, .run = RunSensorConfig, .command = 0x39, .expected = 0xB9, .collector = kEVCNr,
     .data = {BlockByte(9, 0)}},
    {.code = 136, .run = RunSensorConfig, .command = 0x70, .expected = 0xF0, .collector = kPXDKfg,
     .data = {BlockBytes(9, 0, kPxdConfigSize)}, .accepted = ids::kConfigurationAccepted,
     .refused = ids::kConfigurationAborted, .parameters = CollectSensorConfig},
    {.code = 138, .run = RunSensorConfig, .command = 0x72, .expected = 0xF2, .collector = kEVCDef,
     .data = {BlockBytes(9, 0, kEvcDefSize)}, .accepted = ids::kMonitoringCaseAccepted,
     .refused = ids::kMonitoringCaseAborted, .parameters = CollectSensorConfig},
    {.code = 152, .run = RunDeviceAndAddress},
    {.code = 154, .run = RunProgramDownload},
    {.code = 160, .run = RunDefinition, .command = 0x4C, .expected = 0xCC, .collector = kSimIndex,
     .data = {BlockByte(9, 0), ConstantByte(10, 0)}, .accepted = ids::kDefinitionAccepted,
     .refused = ids::kDefinitionRefused},
    {.code = 161, .run = RunDefinition, .command = 0x4D, .expected = 0xCD, .collector = kOutputSet,
     // the output type and value
     .data = {BlockBytes(9, 0, 2)}, .accepted = ids::kDefinitionAccepted, .refused = ids::kDefinitionRefused},
    {.code = 162, .run = RunAddressLineOnly},
    {.code = 163, .run = RunAddressLineOnly},
    {.code = 164, .run = RunSensorType, .command = 0x3A, .expected = 0xBA},
    {.code = 165, .run = RunMeasuredValues, .parameters = CollectMeasuredValues},
    {.code = 166, .run = RunSensorConfig, .command = 0x3B, .expected = 0xBB, .collector = kVarDef,
     // the low 16 bits of the scan angle and of the single-shot resolution
     .data = {BlockWord(9, 0), BlockWord(11, 4)}, .accepted = ids::kDefinitionAccepted,
     .refused = ids::kDefinitionRefused, .parameters = CollectSensorConfig},
    {.code = 167, .run = RunAddressLineOnly},
    {.code = 168, .run = RunSensorConfig, .command = 0x77, .expected = 0xF7, .collector = kKVTKfg,
     .data = {BlockBytes(9, 0, 33)}, .accepted = ids::kConfigurationAccepted,
     .refused = ids::kConfigurationAborted, .parameters = CollectSensorConfig},
    {.code = 169, .run = RunReferenceValues, .command = 0x3C, .expected = 0xBC},
    {.code = 172, .run = RunCorrectionTable, .command = 0x3D, .expected = 0xBD, .endsInParamPhase = true},
    {.code = 173, .run = RunSensorConfig, .command = 0x78, .expected = 0xF8, .collector = kCorrDef,
     .data = {WordList(9)}, .accepted = ids::kDefinitionAccepted, .refused = ids::kDefinitionRefused,
     .parameters = CollectSensorConfig},
    {.code = 179, .run = RunMeasuredValues, .parameters = CollectMeasuredValues},
    {.code = 180, .run = RunNewFieldSet, .command = 0x41, .expected = 0xC1, .collector = kFieldNr,
     .data = {BlockByte(9, 0)}},
    {.code = 181, .run = RunSensorConfig, .command = 0x74, .expected = 0xF4},
    {.code = 184, .run = RunMeasuredValues, .parameters = CollectMeasuredValues},
    {.code = 185, .run = RunStopThreshold, .command = 0x51, .expected = 0xD1, .collector = kStopThres,
     // the low 16 bits of the block's first 32-bit value
     .data = {BlockWord(9, 0)}},
    {.code = 189, .run = RunSensorConfig, .command = 0x79, .expected = 0xF9, .collector = kDistCorrDef,
     .data = {WordList(9)}, .accepted = ids::kDefinitionAccepted, .refused = ids::kDefinitionRefused,
     .parameters = CollectSensorConfig},
    {.code = 190, .run = RunNavigation, .command = 0x7E, .expected = 0xFE, .parameters = CollectNavigation},
    {.code = 196, .run = RunSensorConfig, .command = 0x69, .expected = 0xE9, .collector = kPosHelp,
     .data = {BlockBytes(9, 0, 16)}, .accepted = ids::kDefinitionAccepted, .refused = ids::kDefinitionRefused,
     .parameters = CollectSensorConfig},
    {.code = 199, .run = RunSensorConfig, .command = 0x7A, .expected = 0xFA, .collector = kRemDef,
     .data = {WordList(9, 401)}, .accepted = ids::kDefinitionAccepted,
     .refused = ids::kDefinitionRefused, .parameters = CollectSensorConfig},
    {.code = 205, .run = RunMeasuredValues, .parameters = CollectMeasuredValues},
    {.code = 206, .run = RunSensorConfig, .command = 0x7A, .expected = 0xFA, .collector = kConvDef,
     .data = {WordList(9, 401)}, .accepted = ids::kDefinitionAccepted,
     .refused = ids::kDefinitionRefused, .parameters = CollectSensorConfig},
    {.code = 208, .run = RunSensorConfig, .command = 0x52, .expected = 0xD2, .collector = kAssemblycheck,
     .data = {BlockBytes(9, 0, 68)}, .accepted = ids::kDefinitionAccepted, .parameters = CollectSensorConfig},
    {.code = 209, .run = RunSensorConfig, .command = 0x4A, .expected = 0xCA},
    {.code = 210, .run = RunSensorConfig, .command = 0x7C, .expected = 0xFC, .collector = kKVTKfg2,
     .data = {BlockBytes(9, 0, 84)}, .accepted = ids::kConfigurationAccepted, .parameters = CollectSensorConfig},
    {.code = 211, .run = RunSensorConfig, .command = 0x7B, .expected = 0xFB},
};

constexpr bool CodesUnique() {
  for (std::size_t i = 0; i < std::size(kHandlers); ++i) {
    for (std::size_t j = i + 1; j < std::size(kHandlers); ++j) {
      if (kHandlers[i].code == kHandlers[j].code) return false;
    }
  }
  return true;
}
static_assert(CodesUnique());

}  // namespace

const HandlerRow *FindHandler(WORD code) {
  for (const auto &row : kHandlers) {
    if (row.code == code) return &row;
  }
  return nullptr;
}

}  // namespace kvt
