// The navigation interface's answers (command 0x7E) once the device has
// taken them: ray set, reflector level, navigation case, navigation data.
#include "answers/answers.h"
#include "kvt/bytes.h"

namespace kvt {

namespace {

constexpr unsigned kMaxRays = 10;
constexpr unsigned kMaxCaseFields = 3;
constexpr unsigned kMaxSectorPairs = 33;
constexpr unsigned kSectorPairsShownInstead = 10;
constexpr unsigned kMaxReflectorPairs = 10;
constexpr std::size_t kSectorPairs = 16;
constexpr std::size_t kReflectorCount = 148;
constexpr std::size_t kReflectorPairs = 150;

// A pair of signed 16-bit values, formatted as the 32-bit numbers they extend to.
void AppendPair(ResultText &out, std::span<const BYTE> answer, UINT format, std::size_t at) {
  const auto first = static_cast<std::int32_t>(static_cast<std::int16_t>(Word(answer, at)));
  const auto second = static_cast<std::int32_t>(static_cast<std::int16_t>(Word(answer, at + 2)));
  Append(out, FormatFromTable(format, first, second));
  Append(out, "\n");
}

// A flag of the brake-field byte: its text when set and when clear.
struct FlagText {
  BYTE bit;
  UINT set;
  UINT clear;
};
constexpr FlagText kBrakeFieldFlags[] = {
    {0x01, ids::kBrakeFieldActive, ids::kBrakeFieldInactive},
    {0x02, ids::kFieldInfringed, ids::kFieldFree},
    {0x04, ids::kOutputABlocked, ids::kOutputAFree},
};

// The unit line by bits 14-15; 3 has none.
constexpr UINT kUnitLines[] = {ids::kUnitCentimetres, ids::kUnitMillimetres, ids::kUnitTenCentimetres, 0};

}  // namespace

void RenderRaySet(ResultText &out, std::span<const BYTE> answer) {
  Append(out, FormatFromTable(Byte(answer, 11) == 0 ? ids::kRaySetRead : ids::kRaySetDefined));
  Append(out, FormatFromTable(ids::kRaySetNumber, Byte(answer, 12)));
  Append(out, FormatFromTable(ids::kRayResolution, Word(answer, 13)));
  const unsigned count = Word(answer, 15);
  Append(out, FormatFromTable(ids::kRayCount, count));
  for (unsigned i = 0; i < count && i < kMaxRays; ++i) {
    Append(out, FormatFromTable(ids::kRayAngle, i + 1, Word(answer, 17 + 2 * i)));
  }
}

void RenderReflectorLevel(ResultText &out, std::span<const BYTE> answer) {
  Append(out, FormatFromTable(Byte(answer, 11) == 0 ? ids::kReflectorLevelRead : ids::kReflectorLevelDefined));
  Append(out, FormatFromTable(ids::kReflectorLevelValue, Word(answer, 12)));
  Append(out, "\n");
}

void RenderNavigationCase(ResultText &out, std::span<const BYTE> answer) {
  const BYTE action = Byte(answer, 11);
  const UINT heading = action == 0 ? ids::kNavigationCaseRead
                       : action == 2 ? ids::kNavigationCaseDefaultDefined
                                     : ids::kNavigationCaseDefined;
  Append(out, FormatFromTable(heading));
  Append(out, FormatFromTable(ids::kActiveRaySet, Byte(answer, 12)));
  const unsigned count = Byte(answer, 13);
  Append(out, FormatFromTable(ids::kEvaluatedFieldCount, count));
  for (unsigned i = 0; i < count && i < kMaxCaseFields; ++i) {
    Append(out, FormatFromTable(ids::kFieldOutlineNumber, i + 1, Byte(answer, 14 + i)));
  }
}

void RenderNavigationData(ResultText &out, std::span<const BYTE> answer) {
  const BYTE content = Byte(answer, 11);
  Append(out, FormatFromTable(content == 0   ? ids::kSectorAndMarkData
                              : content == 2 ? ids::kMarkDataOnly
                                             : ids::kSectorDataOnly));
  Append(out, FormatFromTable(Byte(answer, 12) == 1 ? ids::kCartesianPairs : ids::kPolarPairs));
  const BYTE flags = Byte(answer, 13);
  for (const FlagText &flag : kBrakeFieldFlags) Append(out, FormatFromTable(flag.bit & flags ? flag.set : flag.clear));

  const unsigned header = Word(answer, 14);
  if (const UINT unit = kUnitLines[header >> 14]) Append(out, FormatFromTable(unit));
  unsigned sectors = header & 0x3FF;
  // 33 pairs fill the room up to the reflector count; a larger number is not believed.
  if (sectors > kMaxSectorPairs) sectors = kSectorPairsShownInstead;
  Append(out, FormatFromTable(ids::kSectorPairCount, sectors));
  unsigned reflectors = Word(answer, kReflectorCount);
  if (reflectors > kMaxReflectorPairs) reflectors = kMaxReflectorPairs;
  Append(out, FormatFromTable(ids::kReflectorPairCount, reflectors));
  for (unsigned i = 0; i < sectors; ++i) AppendPair(out, answer, ids::kSectorPair, kSectorPairs + 4 * i);
  for (unsigned i = 0; i < reflectors; ++i) AppendPair(out, answer, ids::kReflectorPair, kReflectorPairs + 4 * i);
}

}  // namespace kvt
