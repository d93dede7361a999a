// The simulated device's commands: one row per command.
#include "driver.h"

namespace kvtdrv {

namespace {

using enum StatusRule;

constexpr CommandRow kRows[] = {
    // command, answer, kinds that know it, status byte, answer data
    {0x10, 0x91, kAllKinds, None, FillReset},
    {0x20, 0xA0, kAllKinds, ZeroAccepts, FillModeChange},
    {0x30, 0xB0, kAllKinds, None, FillScan},
    {0x31, 0xB1, kAllKinds, None, FillStatus},
    {0x32, 0xB2, kAllKinds, None, FillErrorMemory},
    {0x33, 0xB2, kKvt | kPxd, None, FillSystemTest},
    // Service and navigation: memory dump, reference target, operating
    // counters, learn mode, calibration, navigation interface.
    {0x34, 0xB4, kAllKinds, None, FillMemoryDump},
    {0x2F, 0xAF, kSensors, None, FillReferenceTarget},
    {0x35, 0xB5, kAllKinds, None, FillOperatingCounters},
    {0x46, 0xC6, kSensors, OneAccepts, FillLearnMode},
    {0x50, 0xD0, kAllKinds, OneAccepts, FillCalibration},
    {0x7E, 0xFE, kSensors, ZeroAccepts, FillNavigation},
    {0x36, 0xB6, kAllKinds, None, FillAveraged},
    {0x37, 0xB7, kAllKinds, None, FillPartialRange},
    {0x3A, 0xBA, kAllKinds, None, FillSensorType},
    // The interface unit's configuration, evaluation cases, dynamic field
    // number and outputs.
    {0x38, 0xB8, kPxd, None, FillUnitConfigRead},
    {0x39, 0xB9, kPxd, None, FillCaseRead},
    {0x4C, 0xCC, kPxd, OneAccepts, FillDynamicFieldNumber},
    {0x4D, 0xCD, kPxd, OneAccepts, FillOutputSwitch},
    {0x70, 0xF0, kPxd, OneAccepts, FillUnitConfigDefine},
    {0x72, 0xF2, kPxd, OneAccepts, FillCaseDefine},
    {0x3C, 0xBC, kSensors, None, FillReferenceValues},
    {0x3D, 0xBD, kSensors, None, FillCorrectionTable},
    {0x3E, 0xBE, kType6, None, FillValuesWithFields},
    {0x3F, 0xBF, kAllKinds, None, FillAveragedPartial},
    {0x40, 0xC0, kAllKinds, OneAccepts, FillFieldDefinition},
    {0x41, 0xC1, kSensors, None, FillFieldSet},
    {0x45, 0xC5, kAllKinds, None, FillStoredField},
    {0x48, 0xC8, kPxd, OneAccepts, FillDynamicRectangle},
    {0x4B, 0xCB, kPxd, OneAccepts, FillDynamicSegmented},
    {0x51, 0xD1, kSensors, OneAccepts, FillStopThreshold},
    {0x60, 0xE0, kAllKinds, OneAccepts, FillStartupTest},
    {0x63, 0xE4, kSensors, OneAccepts, FillEvaluations},
    {0x65, 0xE5, kSensors, OneAccepts, FillFieldMemory},
    {0x66, 0xE6, kAllKinds, OneAccepts, FillPowerOnSetting},
    {0x67, 0xE7, kAllKinds, OneAccepts, FillNewAddress},
    {0x68, 0xE8, kSensors, OneAccepts, FillLaser},
    {0x74, 0xF4, kType6, None, FillConfigRead},
    {0x75, 0xF5, kType6, None, FillRangesWithRemission},
    {0x76, 0xF6, kType6, None, FillValuesXY},
    // The type-6 configuration: variant, outputs, final test, positioning
    // shot, configuration blocks and parameter lists (0x74 above).
    {0x3B, 0xBB, kType6, OneAccepts, FillVariantDefine},
    {0x4A, 0xCA, kType6, None, FillOutputState},
    {0x52, 0xD2, kType6, None, FillFinalTestData},
    {0x69, 0xE9, kType6, OneAccepts, FillPositioningShot},
    {0x77, 0xF7, kType6, OneAccepts, FillConfigDefine},
    {0x78, 0xF8, kType6, OneAccepts, FillCorrections},
    {0x79, 0xF9, kType6, OneAccepts, FillDistanceCorrections},
    {0x7A, 0xFA, kType6, OneAccepts, FillCheckParameters},
    {0x7B, 0xFB, kType6, None, FillConfig2Read},
    {0x7C, 0xFC, kType6, OneAccepts, FillConfig2Define},
};

}  // namespace

std::span<const CommandRow> CommandRows() { return kRows; }

BYTE ExpectedAnswer(BYTE command) {
  for (const CommandRow &row : kRows) {
    if (row.command == command) return row.answer;
  }
  return 0;
}

}  // namespace kvtdrv
