// The simulated devices' measured values, asked for directly through the
// driver: each kind's scan and unit, the object's flags in each variant's
// layout, the interlaced partial scans, the PXD's inputs, the commands
// only the type-6 sensors know, and answers that stay inside the record.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "kvt/abi.h"
#include "kvt/bytes.h"
#include "kvt/simcontrol.h"
#include "support/records.h"

namespace kvt {
namespace {

TelegramRecord Ask(DWORD sensor, BYTE command, std::initializer_list<BYTE> data, BYTE type = kDeviceKvt) {
  TelegramRecord request{};
  PutWord(request, kRecSize, kRecordSize);
  request[kRecType] = type;
  request[kRecCode] = command;
  std::size_t at = kRecData;
  for (BYTE b : data) request[at++] = b;
  TelegramRecord answer{};
  EXPECT_TRUE(TelegramSensor(sensor, request.data(), answer.data()));
  return answer;
}

std::vector<WORD> Values(const TelegramRecord &answer, std::size_t first, std::size_t count) {
  std::vector<WORD> values;
  for (std::size_t i = 0; i < count; ++i) values.push_back(Word(answer, first + 2 * i));
  return values;
}

struct KindCase {
  const char *config;
  BYTE type;
  unsigned values;
  unsigned unit;
};

TEST(MeasuredScene, EachKindScansAtItsResolutionInItsUnit) {
  const KindCase cases[] = {
      {"device=kvt;setup=no", kDeviceKvt, 361, 0},
      {"device=pxd;setup=no", kDevicePxd, 361, 2},
      {"device=kvtq1;setup=no", kDeviceKvtQ1, 401, 1},
      {"device=kvt90;setup=no", kDeviceKvt90, 181, 0},
  };
  for (const KindCase &c : cases) {
    SCOPED_TRACE(c.config);
    test::SimulatedSensor sensor(c.config);
    const TelegramRecord scan = Ask(sensor.handle, 0x30, {1, 1}, c.type);
    EXPECT_EQ(scan[kRecCode], 0xB0);
    const WORD header = Word(scan, 10);
    EXPECT_EQ(header & 0x3FF, c.values);
    EXPECT_EQ(header >> 14, c.unit);
    EXPECT_EQ(Word(scan, kRecCount), 12 + 2 * c.values - kRecCode) << "the count covers the values";
    const TelegramRecord averaged = Ask(sensor.handle, 0x36, {1, 8}, c.type);
    EXPECT_EQ(averaged[kRecCode], 0xB6);
    EXPECT_EQ(averaged[10], 8);
    EXPECT_EQ(Word(averaged, 11), header);
  }
}

// The object 1.6 m ahead: in fields A and B (and C), its reflector strip
// blinds; the walls are in no field.
TEST(MeasuredScene, TheObjectInfringesTheFieldsInEachLayout) {
  struct LayoutCase {
    const char *config;
    WORD flag;        // a flag some values carry
    WORD never;       // bits no value carries
    bool everyValue;  // the flag is on every value (a reflector level)
  };
  const LayoutCase cases[] = {
      {"device=kvt;setup=no", 0x8000, 0, false},
      {"device=kvt;setup=no", 0x4000, 0, false},
      {"device=kvt;setup=no", 0x2000, 0, false},
      {"device=kvtq1;variant=2;setup=no", 0x2000, 0, false},
      {"device=kvtq1;variant=1;setup=no", 0xE000, 0, false},
      {"device=kvtq1;variant=4;setup=no", 0x4000, 0x2000, false},
      {"device=kvtq1;variant=6;setup=no", 0x8000, 0x4000, false},
      {"device=kvt90;variant=9;setup=no", 0x8000, 0x4000, false},
  };
  for (const LayoutCase &c : cases) {
    SCOPED_TRACE(c.config);
    test::SimulatedSensor sensor(c.config);
    const TelegramRecord scan = Ask(sensor.handle, 0x30, {1, 1});
    const std::vector<WORD> values = Values(scan, 12, Word(scan, 10) & 0x3FF);
    std::size_t flagged = 0;
    for (WORD v : values) {
      if ((v & c.flag) == c.flag) ++flagged;
      EXPECT_EQ(v & c.never, 0);
    }
    EXPECT_GT(flagged, 0u);
    EXPECT_LT(flagged, values.size() / 4) << "only the object's values";
  }
  // Field A is entered by fewer values than field B; blinding by fewer still.
  test::SimulatedSensor sensor("device=kvt;setup=no");
  const TelegramRecord scan = Ask(sensor.handle, 0x30, {1, 1});
  std::size_t a = 0, b = 0, blinded = 0;
  for (WORD v : Values(scan, 12, 361)) {
    a += (v & 0x8000) != 0;
    b += (v & 0x4000) != 0;
    blinded += (v & 0x2000) != 0;
    if (v & 0x8000) {
      EXPECT_TRUE(v & 0x4000) << "field A lies inside field B";
    }
  }
  EXPECT_LT(a, b);
  EXPECT_LT(blinded, a);
  EXPECT_GT(blinded, 0u);
}

TEST(MeasuredScene, PartialScansTakeTurns) {
  // Bits 11-12 of the header count quarter degrees; the first partial
  // scan starts at the first ray and so has one value more.
  struct Turn {
    unsigned index;
    unsigned values;
  };
  struct TurnCase {
    const char *config;
    std::vector<Turn> turns;
  };
  const TurnCase cases[] = {
      {"device=kvt;setup=no", {{0, 181}, {2, 180}, {0, 181}}},
      {"device=kvtq1;setup=no", {{0, 101}, {1, 100}, {2, 100}, {3, 100}, {0, 101}}},
      {"device=kvt90;setup=no", {{0, 91}, {2, 90}}},
  };
  for (const TurnCase &c : cases) {
    SCOPED_TRACE(c.config);
    test::SimulatedSensor sensor(c.config);
    for (const Turn &turn : c.turns) {
      const TelegramRecord scan = Ask(sensor.handle, 0x30, {1, 8});
      EXPECT_EQ((Word(scan, 10) >> 11) & 3, turn.index);
      EXPECT_EQ(Word(scan, 10) & 0x3FF, turn.values);
    }
  }
}

TEST(MeasuredScene, ARestartRepeatsTheAnswers) {
  test::SimulatedSensor sensor("device=kvt;setup=no");
  const TelegramRecord first = Ask(sensor.handle, 0x30, {1, 1});
  const TelegramRecord second = Ask(sensor.handle, 0x30, {1, 1});
  EXPECT_FALSE(first == second) << "the noise changes from scan to scan";
  SimReset();
  EXPECT_TRUE(Ask(sensor.handle, 0x30, {1, 1}) == first);
}

TEST(MeasuredScene, ThePxdPassesOnItsTwoSensors) {
  test::SimulatedSensor sensor("device=pxd;setup=no");
  for (BYTE input : {1, 2}) EXPECT_EQ(Word(Ask(sensor.handle, 0x30, {input, 1}, kDevicePxd), 10) & 0x3FF, 361);
  for (BYTE input : {3, 4}) {
    const TelegramRecord scan = Ask(sensor.handle, 0x30, {input, 1}, kDevicePxd);
    EXPECT_EQ(Word(scan, 10), 0x8000) << "no values, the unit still given";
  }
}

TEST(MeasuredScene, OnlyTheTypeSixSensorsKnowXYFieldsAndRemission) {
  test::SimulatedSensor kvt("device=kvt;setup=no");
  for (BYTE command : {0x3E, 0x75, 0x76}) {
    const TelegramRecord answer = Ask(kvt.handle, command, {1, 0, 1, 0});
    EXPECT_EQ(answer[kRecCode], 0x15);
    EXPECT_EQ(answer[kRecData], command);
  }
}

// Ranges, coordinates and fields asked for far beyond the record: cut.
TEST(MeasuredScene, LongAnswersEndWithTheRecord) {
  test::SimulatedSensor sensor("device=kvtq1;setup=no");
  const TelegramRecord ranges = Ask(sensor.handle, 0x75, {7, 0, 1, 0, 0x90, 1, 1, 0, 0x90, 1, 5, 0, 6, 0});
  EXPECT_EQ(Word(ranges, 9), 5u) << "five ranges at most";
  EXPECT_EQ(Word(ranges, 15) & 0x3FFF, 193u) << "the remissions fill the record";
  EXPECT_EQ(Word(ranges, 21) & 0x3FFF, 0u);
  EXPECT_EQ(Word(ranges, kRecCount), kRecordSize - 1 - kRecCode);
  EXPECT_EQ(Word(ranges, 15) >> 14, 1u) << "unit mm";

  const TelegramRecord xy = Ask(sensor.handle, 0x76, {1, 1, 0, 0xFF, 0x7F});
  EXPECT_EQ(Word(xy, 14) & 0x3FF, 203u);
  const TelegramRecord fields = Ask(sensor.handle, 0x3E, {1, 0, 0xFF, 0x7F});
  EXPECT_EQ(Word(fields, 13) & 0x3FF, 404u) << "101 groups of four words";
  const TelegramRecord partial = Ask(sensor.handle, 0x37, {1, 0, 0, 0xFF, 0xFF});
  EXPECT_EQ(Word(partial, 14) & 0x3FF, 401u) << "value 0 counts as 1, the last is cut to the scan";
  const TelegramRecord backwards = Ask(sensor.handle, 0x37, {1, 20, 0, 10, 0});
  EXPECT_EQ(Word(backwards, 14) & 0x3FF, 0u);
}

}  // namespace
}  // namespace kvt
