// Lines that the KVT and the KVT-Q1 report from the same bytes with the
// same text classes.
#include "answers/answers.h"
#include "kvt/bytes.h"

namespace kvt {

namespace {

constexpr int kErrorKind = 3;
constexpr int kBaudRate = 21;
constexpr int kParity = 25;
constexpr int kPowerOn = 26;
constexpr int kDeviceAddress = 28;
constexpr int kSignalLevels = 84;
constexpr int kLaser = 86;
constexpr int kMultipleEvaluation = 87;

}  // namespace

void AppendSensorSerialLines(Report &report) {
  AppendDriverLine(report, kPowerOn, Byte(report.answer, 130));
  AppendDriverLine(report, kParity, Byte(report.answer, 129));
  AppendDriverLine(report, kBaudRate, Word(report.answer, 126));
}

void AppendSensorModeLines(Report &report, int scanClass) {
  AppendDriverLine(report, kDeviceAddress, Byte(report.answer, 133));
  AppendSeparator(report);
  AppendDriverLine(report, kErrorKind, Byte(report.answer, 18));
  AppendSeparator(report);
  AppendDriverListLineAt(report, kLaser, 69);
  AppendDriverListLineAt(report, kMultipleEvaluation, 45);
  AppendDriverListLineAt(report, kSignalLevels, 53);
  AppendDriverListLineAt(report, scanClass, 29);
}

}  // namespace kvt
