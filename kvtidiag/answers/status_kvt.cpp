// The status report of a KVT sensor (DeviceType 0). Program versions from
// 2.00 on word some fields with newer text classes.
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
  AppendDriverText(r, 1, Byte(answer, 17));
  AppendLineFeed(r);
  AppendSeparator(r);

  AppendDriverText(r, 26, Byte(answer, 130));
  AppendLineFeed(r);
  AppendDriverText(r, 25, Byte(answer, 129));
  AppendLineFeed(r);
  AppendDriverText(r, 21, W(r, 126));
  AppendLineFeed(r);
  // This kind counts its field sets from 0.
  AppendDriverText(r, 24, Byte(answer, 128) + 1u);
  AppendLineFeed(r);
  AppendDriverText(r, 28, Byte(answer, 133));
  AppendLineFeed(r);
  AppendSeparator(r);

  AppendDriverText(r, 3, Byte(answer, 18));
  AppendLineFeed(r);
  AppendSeparator(r);

  AppendDriverListAt(r, 86, 69);
  AppendLineFeed(r);
  AppendDriverListAt(r, 87, 45);
  AppendLineFeed(r);
  AppendDriverListAt(r, 84, 53);
  AppendLineFeed(r);
  AppendDriverListAt(r, classes.scan, 29);
  AppendLineFeed(r);
  AppendSeparator(r);

  const DWORD operatingTime[] = {W(r, 77) * 90u};
  AppendDriverList(r, 88, operatingTime);
  AppendLineFeed(r);
  const DWORD mirror[] = {MirrorQuotient(W(r, 79))};
  AppendDriverList(r, 89, mirror);
  AppendLineFeed(r);
  AppendSeparator(r);

  const WORD counters[] = {W(r, 83), W(r, 85), W(r, 89), W(r, 91)};
  AppendDriverList(r, 91, counters);
  AppendLineFeed(r);
  AppendDriverText(r, 92, W(r, 93));
  AppendLineFeed(r);
  AppendSeparator(r);

  const WORD output1[] = {W(r, 99)};
  AppendDriverList(r, 112, output1);
  AppendLineFeed(r);
  AppendDriverText(r, classes.output1, W(r, 95));
  AppendLineFeed(r);
  const WORD output2[] = {W(r, 101)};
  AppendDriverList(r, 108, output2);
  AppendLineFeed(r);
  AppendDriverText(r, classes.output2, W(r, 97));
  AppendLineFeed(r);
  AppendSeparator(r);

  const WORD fieldA[] = {W(r, 103), W(r, 105)};
  AppendDriverList(r, 95, fieldA);
  AppendLineFeed(r);
  AppendSeparator(r);
  const WORD fieldB[] = {W(r, 107), W(r, 109)};
  AppendDriverList(r, 96, fieldB);
  AppendLineFeed(r);
  AppendDriverListAt(r, 97, 111);
  AppendLineFeed(r);
  CarriageReturnsToBlanks(out);
}

}  // namespace kvt
