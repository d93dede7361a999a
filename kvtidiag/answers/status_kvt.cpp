// The status report of a KVT sensor (DeviceType 0).
// Program versions from 2.00 on word some fields with newer text classes.
#include "answers/answers.h"
#include "kvt/bytes.h"

namespace kvt {

namespace {

// Text classes by program version: before 2.00, from 2.00 on.
struct VersionClasses {
  int scan;
  int output1;
  int output2;
};
constexpr VersionClasses kOlder{85, 93, 94};
constexpr VersionClasses kNewer{107, 105, 106};

constexpr std::size_t kVersionText = 9;

WORD W(const Report &r, std::size_t at) { return Word(r.answer, at); }

}  // namespace

void StatusKvt(ResultText &out, std::span<const BYTE> answer) {
  Report r{out, answer};
  const std::span<const BYTE> version = answer.size() > kVersionText ? answer.subspan(kVersionText) : std::span<const BYTE>{};
  const VersionClasses &classes = ParseVersion(version) < kVersion200 ? kOlder : kNewer;

  StartStatusReport(r);
  AppendSeparator(r);
  AppendOperatingModeLine(r);

  AppendSensorSerialLines(r);
  // This kind counts its field sets from 0.
  AppendDriverLine(r, 24, Byte(answer, 128) + 1u);
  AppendSensorModeLines(r, classes.scan);
  AppendSeparator(r);

  const DWORD operatingTime[] = {W(r, 77) * 90u};
  AppendDriverListLine(r, 88, operatingTime);
  const DWORD mirror[] = {MirrorQuotient(W(r, 79))};
  AppendDriverListLine(r, 89, mirror);
  AppendSeparator(r);

  const WORD counters[] = {W(r, 83), W(r, 85), W(r, 89), W(r, 91)};
  AppendDriverListLine(r, 91, counters);
  AppendDriverLine(r, 92, W(r, 93));
  AppendSeparator(r);

  const WORD output1[] = {W(r, 99)};
  AppendDriverListLine(r, 112, output1);
  AppendDriverLine(r, classes.output1, W(r, 95));
  const WORD output2[] = {W(r, 101)};
  AppendDriverListLine(r, 108, output2);
  AppendDriverLine(r, classes.output2, W(r, 97));
  AppendSeparator(r);

  const WORD fieldA[] = {W(r, 103), W(r, 105)};
  AppendDriverListLine(r, 95, fieldA);
  AppendSeparator(r);
  const WORD fieldB[] = {W(r, 107), W(r, 109)};
  AppendDriverListLine(r, 96, fieldB);
  AppendDriverListLineAt(r, 97, 111);
  CarriageReturnsToBlanks(out);
}

}  // namespace kvt
