// The PXD interface unit's configuration (0xB8) and evaluation cases (0xB9):
// one driver text a line, each line introduced by a line feed and three
// blanks; names are the driver's formats filled with the answer's texts.
#include <algorithm>

#include "answers/answers.h"
#include "kvt/bytes.h"

namespace kvt {

namespace {

// A field shown by the driver text of its class.
struct Line {
  WORD at;  // record byte
  BYTE textClass;
  bool word = false;
};

void AppendLines(Report &r, std::span<const Line> lines) {
  for (const Line &line : lines) {
    AppendDriverText(r, line.textClass, line.word ? Word(r.answer, line.at) : Byte(r.answer, line.at));
    AppendIndentedLine(r);
  }
}

// Names of 8 characters and a zero, one after the other.
constexpr std::size_t kNameSize = 9;
// The layout has room for four sensors and four field names; a larger count
// would show the fields behind them as names.
constexpr unsigned kNameSlots = 4;

void AppendName(Report &r, int formatClass, std::size_t at) {
  Append(r.out, FormatDriverTexts(r, formatClass, at));
  AppendIndentedLine(r);
}

// Configuration.
constexpr std::size_t kSensorCount = 9;
constexpr std::size_t kSensorNames = 10;
constexpr std::size_t kScanAngles = 46;
constexpr std::size_t kSingleShots = 54;
constexpr std::size_t kFieldCount = 66;
constexpr std::size_t kFieldNames = 67;
constexpr std::size_t kAutoReset = 107;
constexpr std::size_t kUnitAddress = 111;

constexpr Line kUnitLines[] = {{62, 40}, {63, 41}, {64, 59}, {65, 44}, {kFieldCount, 49}};
constexpr Line kCountLines[] = {{103, 51}, {104, 50}, {105, 45, true}, {109, 47, true}};

// Evaluation case.
constexpr std::size_t kCaseNumber = 9;
constexpr std::size_t kCaseName = 10;
constexpr std::size_t kActiveSensor = 21;
constexpr std::size_t kActiveField = 22;
constexpr std::size_t kMotorFlap = 36;
constexpr std::size_t kTimeBase = 37;

constexpr Line kImageLines[] = {{23, 36}, {25, 37}, {26, 38, true}, {29, 24}};

// A field's contour: heading, four tolerances and angles, and a selector
// whose value 1 brings a second text onto its line.
struct ContourGroup {
  Line heading;
  std::array<Line, 4> limits;
  WORD selector;
};
constexpr int kSelectorClass = 6;
constexpr int kSelectedValueClass = 56;
constexpr BYTE kSelectorWithValue = 1;

constexpr ContourGroup kContourGroups[] = {
    {{28, 74}, {{{32, 63}, {33, 64}, {34, 65}, {35, 66}}}, 30},
    {{38, 75}, {{{39, 63}, {40, 64}, {41, 65}, {42, 66}}}, 43},
    {{45, 76}, {{{46, 63}, {47, 64}, {48, 65}, {49, 66}}}, 50},
};

void AppendContourGroup(Report &r, const ContourGroup &group) {
  AppendLines(r, std::span(&group.heading, 1));
  AppendLines(r, group.limits);
  const BYTE selector = Byte(r.answer, group.selector);
  AppendDriverText(r, kSelectorClass, selector);
  if (selector == kSelectorWithValue) AppendDriverText(r, kSelectedValueClass, Byte(r.answer, group.selector + 1u));
  AppendIndentedLine(r);
}

}  // namespace

void PxdConfiguration(ResultText &out, std::span<const BYTE> answer) {
  Report r{out, answer};
  Clear(out);
  AppendDriverText(r, 48, Byte(answer, kSensorCount));
  AppendIndentedLine(r);
  const unsigned sensors = std::min<unsigned>(Byte(answer, kSensorCount), kNameSlots);
  for (unsigned i = 0; i < sensors; ++i) {
    AppendName(r, 43, kSensorNames + kNameSize * i);
    const Line sensorLines[] = {{static_cast<WORD>(kScanAngles + 2 * i), 57, true},
                                {static_cast<WORD>(kSingleShots + 2 * i), 58, true}};
    AppendLines(r, sensorLines);
  }
  AppendLines(r, kUnitLines);
  const unsigned fields = std::min<unsigned>(Byte(answer, kFieldCount), kNameSlots);
  for (unsigned j = 0; j < fields; ++j) AppendName(r, 42, kFieldNames + kNameSize * j);
  AppendLines(r, kCountLines);
  Append(out, FormatFromTable(ids::kAutoResetState, Word(answer, kAutoReset)));
  AppendIndentedLine(r);
  AppendDriverText(r, 26, Byte(answer, kUnitAddress));
  CarriageReturnsToBlanks(out);
}

void PxdEvaluationCase(ResultText &out, std::span<const BYTE> answer) {
  Report r{out, answer};
  Append(out, "   ");
  AppendDriverText(r, 31, Byte(answer, kCaseNumber));
  AppendIndentedLine(r);
  AppendName(r, 32, kCaseName);
  const Line inputImage[] = {{19, 33, true}};
  AppendLines(r, inputImage);
  // The active sensor and field share a line.
  AppendDriverText(r, 34, Byte(answer, kActiveSensor));
  AppendDriverText(r, 35, Byte(answer, kActiveField));
  AppendIndentedLine(r);
  AppendLines(r, kImageLines);
  for (const ContourGroup &group : kContourGroups) AppendContourGroup(r, group);
  AppendDriverText(r, 67, Byte(answer, kMotorFlap));
  AppendIndentedLine(r);
  AppendDriverText(r, 82, Byte(answer, kTimeBase));
  CarriageReturnsToBlanks(out);
}

}  // namespace kvt
