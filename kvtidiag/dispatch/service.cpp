// Service commands: memory dump, reference-target diagnosis and operating
// counters shown as reports; learn mode begun, ended or aborted; the
// calibrations of the contamination measurement, the manufacturing code
// and the final test.
#include "dispatch/dispatch.h"

namespace kvt {

namespace {

using enum Collector;

// Reports laid out from the answer alone, by handler code.
struct ServiceReport {
  WORD handler;
  AnswerFormatter format;
};
constexpr ServiceReport kReports[] = {
    {16, MemoryDump},
    {19, ReferenceTargetDiagnosis},
    {55, OperatingCounters},
};

struct StatusMessage {
  BYTE status;
  UINT message;
};

// The learn step and what only the beginning sends, by telegram code.
struct LearnStep {
  WORD telegram;
  std::array<Place, 3> data;
};
constexpr LearnStep kLearnSteps[] = {
    // Beginn des Lernmodus: the step, then the 16-bit values 70 and 0
    {0x3E, {ConstantByte(25, 0), {26, Source::kConstant, 70, 2}, {28, Source::kConstant, 0, 2}}},
    // Regulaeres Ende des Lernmodus
    {0x3F, {ConstantByte(25, 1)}},
    // Vorzeitiger Abbruch des Lernmodus
    {0x40, {ConstantByte(25, 2)}},
};
// Field number, field letter with unit, scan angle, single shot, sensor.
constexpr Place kLearnData[] = {BlockByte(9, 1), BlockByte(19, 11), BlockWord(20, 12), BlockWord(22, 16),
                                BlockByte(24, 0)};
constexpr StatusMessage kLearnStatuses[] = {
    {3, ids::kLearnModeActive},
    {1, ids::kLearnModeFinished},
    {0, ids::kLearnModeAborted},
};

// What is calibrated, by telegram code; the rest is the handler row's.
struct Calibration {
  WORD telegram;
  std::array<Place, 2> data;
  Collector collector = kNone;
};
constexpr Calibration kCalibrations[] = {
    // Abgleich Verschmutzungsmessung: sent in either phase
    {0x42, {ConstantByte(9, 1)}},
    // Abgleich PXD-Herstell.code(PXDHUB): the eight digits and their zero
    {0xB7, {ConstantByte(9, 3), BlockBytes(10, 0, 9)}, kClbHcode},
    // not in the menu: a calibration of the final test, by its number
    {0x99, {BlockByte(9, 0)}, kAglMode},
};

const Calibration *FindCalibration(WORD telegram) {
  for (const Calibration &calibration : kCalibrations) {
    if (calibration.telegram == telegram) return &calibration;
  }
  return nullptr;
}

// Cancel is answered with the rule the code must keep; a block that could
// not be obtained has had its message already.
BOOL CollectManufacturingCode(Command &command) {
  if (CollectParams(command.owner, command.request, kClbHcode)) return TRUE;
  if (command.request[kReqParamBlock] != 0) {
    MessageBoxFromTable(command.owner, kMessageFlags, ids::kManufacturingCodeNeedsEightDigits);
  }
  return FALSE;
}

}  // namespace

BOOL RunServiceReport(Command &command, const HandlerRow &row) {
  if (!PlaceRowData(command, row)) return FALSE;
  if (const Ending ending = Exchange(command, row.command, row.expected)) return *ending;
  for (const ServiceReport &report : kReports) {
    if (report.handler == row.code) report.format(command.out, command.Answer());
  }
  return SuccessEnding(command);
}

BOOL RunLearnMode(Command &command, const HandlerRow &row) {
  // Another telegram code sends no step.
  for (const LearnStep &step : kLearnSteps) {
    if (step.telegram == command.Telegram()) PlaceData(command, step.data);
  }
  if (!PlaceData(command, kLearnData)) return FALSE;
  if (const Ending ending = Exchange(command, row.command, row.expected)) return *ending;
  for (const StatusMessage &status : kLearnStatuses) {
    if (command.Answer()[kRecData] == status.status) return MessageEnding(command, status.message);
  }
  return WrongAnswer(command);
}

BOOL RunCalibration(Command &command, const HandlerRow &row) {
  const Calibration *calibration = FindCalibration(command.Telegram());
  if (!calibration) return SuccessEnding(command);
  HandlerRow withData = row;
  withData.data = calibration->data;
  return RunDefinition(command, withData);
}

BOOL CollectCalibration(Command &command, const HandlerRow &row) {
  const Calibration *calibration = FindCalibration(command.Telegram());
  if (!calibration) return SuccessEnding(command);
  switch (calibration->collector) {
    case kNone: return RunCalibration(command, row);
    case kClbHcode: return CollectManufacturingCode(command);
    default: return CollectParams(command.owner, command.request, calibration->collector);
  }
}

}  // namespace kvt
