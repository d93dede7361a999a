// Every layout of "Messwerte anfordern" as the simulated devices answer it,
// compared byte for byte with the CP1252 files in golden/. The files were
// written once from the device's answers and read value by value against
// the scene; KVT_GOLDEN_UPDATE=1 rewrites them (look at them again before
// keeping them).
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "entry/entry.h"
#include "measured_run.h"
#include "support/records.h"

namespace kvt {
namespace {

using test::Words;

struct GoldenCase {
  const char *file;
  const char *config;
  BYTE type;
  BYTE address;
  BYTE variant;  // as detection would have read it
  WORD handler;
  WORD telegram;
  std::vector<BYTE> block;
};

// Blocks as the dialogs leave them: KVT number; KVT and field number;
// segment count and sensor; averages and sensor; sensor, first and last;
// sensor, averages, first and last; count and (first, last) pairs.
const std::vector<BYTE> kSensor1 = {1, 0, 0, 0};
const std::vector<GoldenCase> kCases = {
    {"kvt_segments", "device=kvt;address=3;setup=no", kDeviceKvt, 3, 0, 12, 0x1C, {10, 0, 1, 0}},
    {"kvt_field_c_segments", "device=kvt;address=3;setup=no", kDeviceKvt, 3, 0, 12, 0x95, {1, 3}},
    {"kvt_scan", "device=kvt;address=3;setup=no", kDeviceKvt, 3, 0, 12, 0x1D, kSensor1},
    {"kvt_statistics", "device=kvt;address=3;setup=no", kDeviceKvt, 3, 0, 12, 0x49, kSensor1},
    {"kvt_perpendicular", "device=kvt;address=3;setup=no", kDeviceKvt, 3, 0, 12, 0x1E, {1, 1}},
    {"kvt_taught", "device=kvt;address=3;setup=no", kDeviceKvt, 3, 0, 12, 0x1F, kSensor1},
    {"kvt_verified", "device=kvt;address=3;setup=no", kDeviceKvt, 3, 0, 12, 0x20, kSensor1},
    {"kvt_direct", "device=kvt;address=3;setup=no", kDeviceKvt, 3, 0, 12, 0xBC, kSensor1},
    {"kvt_partial_range", "device=kvt;address=3;setup=no", kDeviceKvt, 3, 0, 12, 0x75, Words({1, 181, 240, 0})},
    {"kvt_averaged", "device=kvt;address=3;setup=no", kDeviceKvt, 3, 0, 97, 0x62, Words({16, 1})},
    {"kvt_at_90_degrees", "device=kvt;address=3;setup=no", kDeviceKvt, 3, 0, 97, 0xB1, Words({16, 1})},
    {"kvt_averaged_partial", "device=kvt;address=3;setup=no", kDeviceKvt, 3, 0, 179, 0,
     Words({1, 100, 150, 215, 0})},
    {"pxd_scan", "device=pxd;address=5;setup=no", kDevicePxd, 5, 0, 12, 0x1D, {2, 0, 0, 0}},
    {"pxd_scan_no_sensor", "device=pxd;address=5;setup=no", kDevicePxd, 5, 0, 12, 0x1D, {3, 0, 0, 0}},
    {"kvtq1_v2_scan", "device=kvtq1;address=2;variant=2;setup=no", kDeviceKvtQ1, 2, 2, 12, 0x1D, kSensor1},
    {"kvtq1_v2_direct", "device=kvtq1;address=2;variant=2;setup=no", kDeviceKvtQ1, 2, 2, 12, 0xBC, kSensor1},
    {"kvtq1_v1_partial_range", "device=kvtq1;address=2;variant=1;setup=no", kDeviceKvtQ1, 2, 1, 12, 0x75,
     Words({1, 70, 129, 0})},
    {"kvtq1_v3_partial_range", "device=kvtq1;address=2;variant=3;setup=no", kDeviceKvtQ1, 2, 3, 12, 0x75,
     Words({1, 70, 129, 0})},
    {"kvtq1_v5_partial_range", "device=kvtq1;address=2;variant=5;setup=no", kDeviceKvtQ1, 2, 5, 12, 0x75,
     Words({1, 70, 129, 0})},
    {"kvtq1_v2_xy", "device=kvtq1;address=2;variant=2;setup=no", kDeviceKvtQ1, 2, 2, 165, 0,
     Words({1, 90, 120, 0})},
    {"kvtq1_v2_with_fields", "device=kvtq1;address=2;variant=2;setup=no", kDeviceKvtQ1, 2, 2, 184, 0,
     Words({1, 80, 100, 0})},
    {"kvtq1_v2_ranges", "device=kvtq1;address=2;variant=2;setup=no", kDeviceKvtQ1, 2, 2, 205, 0,
     Words({2, 96, 105, 300, 303, 0, 0, 0, 0, 0, 0})},
    {"kvt90_v4_scan", "device=kvt90;address=1;variant=4;setup=no", kDeviceKvt90, 1, 4, 12, 0x1D, kSensor1},
    {"kvt90_v6_averaged", "device=kvt90;address=1;variant=6;setup=no", kDeviceKvt90, 1, 6, 97, 0x62,
     Words({4, 1})},
};

TEST(GoldenMeasuredValues, EveryLayoutFromTheScene) {
  const bool update = std::getenv("KVT_GOLDEN_UPDATE") != nullptr;
  for (const GoldenCase &c : kCases) {
    SCOPED_TRACE(c.file);
    test::SimulatedSensor sensor(c.config);
    kvt::Run().target = {c.type, c.address};
    kvt::Run().variant = c.variant;
    const test::EntryRun run = test::RunEntry(c.handler, c.telegram, c.block);
    EXPECT_TRUE(run.result);
    EXPECT_EQ(run.status, 0u);
    const std::string path = test::GoldenPath(c.file);
    if (update) test::WriteFileBytes(path, run.text);
    bool found = false;
    const std::string expected = test::FileBytes(path, found);
    ASSERT_TRUE(found) << path << " is missing; KVT_GOLDEN_UPDATE=1 writes it";
    EXPECT_TRUE(expected == run.text) << test::Difference(expected, run.text);
  }
}

}  // namespace
}  // namespace kvt
