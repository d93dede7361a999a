// The shot of the positioning aid as the library sent it: the request, not
// the answer, worded by the driver one value a line.
#include "answers/answers.h"
#include "kvt/bytes.h"

namespace kvt {

namespace {

struct ShotLine {
  std::size_t at;
  int textClass;
};

// Resolution, number of ranges, then start and stop angle of ranges 1 to 3.
constexpr ShotLine kShotLines[] = {{9, 58}, {11, 83}, {13, 65}, {15, 66}, {17, 65}, {19, 66}, {21, 65}, {23, 66}};

}  // namespace

void PositioningShot(ResultText &out, std::span<const BYTE> request) {
  Report r{out, request};
  AppendIndentedLine(r);
  for (const ShotLine &line : kShotLines) {
    AppendDriverText(r, line.textClass, Word(request, line.at));
    AppendIndentedLine(r);
  }
}

}  // namespace kvt
