// Status lines the KVT and the KVT-Q1 share.
// Both report them from the same bytes with the same text classes.
#include "answers/answers.h"
#include "kvt/bytes.h"

namespace kvt {

void AppendSensorSerialLines(Report &report) {
  AppendDriverLine(report, 26, Byte(report.answer, 130));  // after power-on
  AppendDriverLine(report, 25, Byte(report.answer, 129));  // parity
  AppendDriverLine(report, 21, Word(report.answer, 126));  // baud rate
}

void AppendSensorModeLines(Report &report, int scanClass) {
  AppendDriverLine(report, 28, Byte(report.answer, 133));  // device address
  AppendSeparator(report);
  AppendDriverLine(report, 3, Byte(report.answer, 18));  // error kind
  AppendSeparator(report);
  AppendDriverListLineAt(report, 86, 69);  // laser
  AppendDriverListLineAt(report, 87, 45);  // multiple evaluation
  AppendDriverListLineAt(report, 84, 53);  // signal levels
  AppendDriverListLineAt(report, scanClass, 29);
}

}  // namespace kvt
