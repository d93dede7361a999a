// The whole report of every device kind, as the simulated driver answers,
// compared byte for byte with the CP1252 files in golden/. The files were
// written once and read line by line; KVT_GOLDEN_UPDATE=1 rewrites them
// (then look at them again before committing).
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "kvt/simcontrol.h"
#include "report_run.h"
#include "support/escaped.h"
#include "support/records.h"

namespace kvt {
namespace {

struct GoldenCase {
  const char *file;
  const char *config;
  BYTE type;
  BYTE address;
  WORD handler;
  WORD telegram;
};

const GoldenCase kCases[] = {
    {"kvt_status", "device=kvt;address=3;setup=no", kDeviceKvt, 3, 13, 65535},
    {"kvt_v0190_status", "device=kvt;address=3;version=V01.90;setup=no", kDeviceKvt, 3, 13, 65535},
    {"pxd_status", "device=pxd;address=5;setup=no", kDevicePxd, 5, 13, 65535},
    {"kvtq1_status", "device=kvtq1;address=2;variant=4;setup=no", kDeviceKvtQ1, 2, 13, 65535},
    {"kvt90_status", "device=kvt90;address=1;variant=9;setup=no", kDeviceKvt90, 1, 13, 65535},
    {"kvt_error_memory", "device=kvt;address=3;setup=no", kDeviceKvt, 3, 14, 65535},
    {"pxd_error_memory", "device=pxd;address=5;setup=no", kDevicePxd, 5, 14, 65535},
    {"kvtq1_error_memory", "device=kvtq1;address=2;setup=no", kDeviceKvtQ1, 2, 14, 65535},
    {"kvt90_error_memory", "device=kvt90;address=1;setup=no", kDeviceKvt90, 1, 14, 65535},
    {"kvt_system_test", "device=kvt;address=3;setup=no", kDeviceKvt, 3, 15, 0x4C},
    {"pxd_system_test", "device=pxd;address=5;setup=no", kDevicePxd, 5, 15, 0x4C},
    {"kvt_sensor_type", "device=kvt;address=3;setup=no", kDeviceKvt, 3, 164, 65535},
    {"kvt_v0190_sensor_type", "device=kvt;address=3;version=V01.90;setup=no", kDeviceKvt, 3, 164, 65535},
    {"pxd_sensor_type", "device=pxd;address=5;setup=no", kDevicePxd, 5, 164, 65535},
    {"kvtq1_sensor_type", "device=kvtq1;address=2;setup=no", kDeviceKvtQ1, 2, 164, 65535},
    {"kvt90_sensor_type", "device=kvt90;address=1;setup=no", kDeviceKvt90, 1, 164, 65535},
};

std::string GoldenPath(const char *name) {
  const char *source = std::getenv("KVT_SOURCE");
  std::string root = source ? source : "..\\..\\..";
  if (!root.empty() && root.front() == '/') root = "Z:" + root;  // a Unix path seen from Wine
  return root + "/tests/status/golden/" + name + ".txt";
}

// Where two texts part, with the lines around it, as escaped bytes.
std::string Difference(const std::string &expected, const std::string &actual) {
  std::size_t at = 0;
  while (at < expected.size() && at < actual.size() && expected[at] == actual[at]) ++at;
  const std::size_t from = at > 60 ? at - 60 : 0;
  return "first difference at byte " + std::to_string(at) + "\n  expected: ..." +
         test::Escaped(expected.substr(from, 120)) + "\n  actual:   ..." + test::Escaped(actual.substr(from, 120));
}

TEST(GoldenReports, EveryDeviceKind) {
  const bool update = std::getenv("KVT_GOLDEN_UPDATE") != nullptr;
  for (const GoldenCase &c : kCases) {
    test::SimulatedSensor sensor(c.config);
    const test::HandlerRun run = test::RunHandler(c.handler, c.telegram, c.type, c.address);
    EXPECT_TRUE(run.result) << c.file;
    EXPECT_EQ(run.status, 0u) << c.file;
    const std::string path = GoldenPath(c.file);
    if (update) test::WriteFileBytes(path, run.text);
    bool found = false;
    const std::string expected = test::FileBytes(path, found);
    ASSERT_TRUE(found) << path << " is missing; KVT_GOLDEN_UPDATE=1 writes it";
    EXPECT_TRUE(expected == run.text) << c.file << ": " << Difference(expected, run.text);
  }
}

// Two whole-system tests in a row: the finding is entered once.
TEST(GoldenReports, SystemTestChangesTheErrorMemoryOnce) {
  test::SimulatedSensor sensor("device=kvt;address=3;setup=no");
  const test::HandlerRun before = test::RunHandler(14, 65535, kDeviceKvt, 3);
  const test::HandlerRun first = test::RunHandler(15, 0x4C, kDeviceKvt, 3);
  const test::HandlerRun second = test::RunHandler(15, 0x4C, kDeviceKvt, 3);
  const test::HandlerRun after = test::RunHandler(14, 65535, kDeviceKvt, 3);
  EXPECT_NE(before.text, after.text);
  EXPECT_EQ(first.text, second.text);
  EXPECT_EQ(after.text, first.text);
  const std::string finding = "\n(17) Fehlerart: Fehler - Empfangssignal zu schwach";
  EXPECT_EQ(before.text.find(finding), std::string::npos) << test::Escaped(before.text);
  const std::size_t at = after.text.find(finding);
  ASSERT_NE(at, std::string::npos) << test::Escaped(after.text);
  EXPECT_EQ(after.text.find(finding, at + 1), std::string::npos) << "entered once";
}

}  // namespace
}  // namespace kvt
