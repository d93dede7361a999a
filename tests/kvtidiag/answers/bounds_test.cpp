// One table over every formatter: on answers of chance bytes and counts at
// their largest, with the record right before a page that may not be read
// and ResultText right before one that may not be written (of every
// capacity down to none), each formatter stays inside both and leaves a
// terminated text.
#include <gtest/gtest.h>

#include "answers/answers.h"
#include "support/records.h"

namespace kvt::test {
namespace {

// The measured-value formatters also take the sensor's variant, which
// chooses their flag layout: every variant comes round.
const struct {
  const char *name;
  AnswerFormatter formatter;
  ValuesFormatter values;
} kFormatters[] = {
    {"StatusKvt", StatusKvt, nullptr},
    {"StatusPxd", StatusPxd, nullptr},
    {"StatusKvtQ1", StatusKvtQ1, nullptr},
    {"ErrorMemoryKvt", ErrorMemoryKvt, nullptr},
    {"ErrorMemoryPxd", ErrorMemoryPxd, nullptr},
    {"SensorTypeText", SensorTypeText, nullptr},
    {"ReferenceValues", ReferenceValues, nullptr},
    {"CorrectionTable", CorrectionTable, nullptr},
    {"ValuesScan", nullptr, ValuesScan},
    {"ValuesStatistics", nullptr, ValuesStatistics},
    {"ValuesTaught", nullptr, ValuesTaught},
    {"ValuesPartialRange", nullptr, ValuesPartialRange},
    {"ValuesAveraged", nullptr, ValuesAveraged},
    {"ValueAt90Degrees", nullptr, ValueAt90Degrees},
    {"ValuesAveragedPartial", nullptr, ValuesAveragedPartial},
    {"ValuesWithFields", nullptr, ValuesWithFields},
    {"ValuesXY", nullptr, ValuesXY},
    {"RangesWithRemission", nullptr, RangesWithRemission},
    {"KvtConfigRead", KvtConfigRead, nullptr},
    {"KvtConfigDefined", KvtConfigDefined, nullptr},
    {"KvtConfig2Read", KvtConfig2Read, nullptr},
    {"KvtConfig2Defined", KvtConfig2Defined, nullptr},
    {"DistanceCorrectionParameters", DistanceCorrectionParameters, nullptr},
    {"BandControlParameters", BandControlParameters, nullptr},
    {"FinalTestData", FinalTestData, nullptr},
    {"OutputState", OutputState, nullptr},
    {"PositioningShot", PositioningShot, nullptr},
};

TEST(Bounds, EveryFormatterStaysInsideTheRecordAndTheResultText) {
  GuardedBytes record(kRecordSize);
  unsigned seed = 12345;
  for (int round = 0; round < 40; ++round) {
    for (BYTE &b : record.bytes) b = static_cast<BYTE>((seed = seed * 1103515245u + 12345u) >> 16);
    if (round == 0) std::fill(record.bytes.begin(), record.bytes.end(), BYTE{0xFF});
    if (round == 1) std::fill(record.bytes.begin(), record.bytes.end(), BYTE{0});
    if (round % 3 == 2) {
      for (std::size_t at : {2u, 9u, 10u, 11u, 13u, 14u, 15u}) PutWord(record.bytes, at, 0xFFFF);
    }
    for (const auto &row : kFormatters) {
      for (std::size_t capacity : {0u, 1u, 2u, 17u, 255u, 4097u}) {
        // Every other round the host's text has no terminator: it counts as full.
        const bool terminated = capacity > 0 && round % 2 == 0;
        GuardedBytes text(capacity);
        std::fill(text.bytes.begin(), text.bytes.end(), BYTE{'#'});
        if (terminated) text.bytes[0] = 0;
        ResultText out{reinterpret_cast<char *>(text.bytes.data()), capacity};
        if (row.formatter) row.formatter(out, record.bytes);
        else row.values(out, record.bytes, static_cast<BYTE>(round % 12));
        ASSERT_TRUE(!terminated || std::find(text.bytes.begin(), text.bytes.end(), BYTE{0}) != text.bytes.end())
            << row.name << ", round " << round << ", capacity " << capacity << ": no terminator";
      }
    }
  }
}

}  // namespace
}  // namespace kvt::test
