// The simulated devices: who answers which type byte and address, every
// command row's answer code and key bytes, and state that sticks.
#include <gtest/gtest.h>

#include <cstdint>

#include "driver_support.h"

namespace drvtest {
namespace {

using Bytes = std::vector<std::pair<std::size_t, BYTE>>;

// Probe with the error-memory command, as the library's detection does.
TEST(Devices, DetectionAnswersPerKind) {
  struct Case {
    const char *device;
    std::array<bool, 4> answersType;  // type bytes 0..3
    BYTE kindBits;
  };
  const std::vector<Case> cases = {
      {"kvt", {true, false, false, false}, 0x00},
      {"pxd", {false, true, false, false}, 0x08},
      {"kvtq1", {true, false, true, true}, 0x10},
      {"kvt90", {true, false, true, true}, 0x18},
  };
  for (const Case &c : cases) {
    const std::string config = std::string("device=") + c.device;
    OpenDriver driver(config.c_str());
    for (BYTE type = 0; type < 4; ++type) {
      TelegramRecord request = Request(type, 0, 0x32);
      TelegramRecord answer{};
      const bool answered = TelegramSensor(driver.handle, request.data(), answer.data()) != FALSE;
      EXPECT_EQ(answered, c.answersType[type]) << c.device << ", type byte " << int(type);
      if (answered) {
        EXPECT_EQ(answer[kvt::kRecKind], c.kindBits) << c.device;
        EXPECT_EQ(answer[kvt::kRecCode], 0xB2) << c.device;
      } else {
        EXPECT_EQ(ErrorText(driver.handle), "Keine Antwort vom Sensor unter Adresse 0.") << c.device;
      }
    }
    TelegramRecord request = Request(4, 0, 0x32);
    TelegramRecord answer{};
    EXPECT_FALSE(TelegramSensor(driver.handle, request.data(), answer.data())) << c.device << ", type byte 4";
  }
}

TEST(Devices, AddressZeroReachesAnyDevice) {
  OpenDriver driver("device=kvt;address=3");
  const std::vector<std::pair<BYTE, bool>> cases = {{0, true}, {3, true}, {4, false}, {127, false}};
  for (const auto &[address, answers] : cases) {
    TelegramRecord request = Request(0, address, 0x31);
    TelegramRecord answer{};
    EXPECT_EQ(TelegramSensor(driver.handle, request.data(), answer.data()) != FALSE, answers) << int(address);
    if (answers) { EXPECT_EQ(answer[kvt::kRecAddress], 3) << "the answer names the device's address"; }
  }
}

struct RowCase {
  const char *name;
  const char *config;
  BYTE type;
  BYTE command;
  std::vector<BYTE> data;
  BYTE code;
  int count;  // answer count in bytes 2-3, -1: not checked
  Bytes bytes;
};

TEST(Devices, CommandRows) {
  const std::vector<RowCase> cases = {
      {"reset", "", 0, 0x10, {}, 0x91, 1, {}},
      {"mode accepted", "", 0, 0x20, {0x21}, 0xA0, 3, {{9, 0}, {10, 0x21}}},
      {"mode unknown", "", 0, 0x20, {0x2D}, 0xA0, 3, {{9, 1}, {10, 0x25}}},
      {"type-6 mode on a KVT", "", 0, 0x20, {0x2A}, 0xA0, 3, {{9, 1}, {10, 0x25}}},
      {"type-6 mode on a KVT-Q1", "device=kvtq1", 2, 0x20, {0x2A}, 0xA0, 3, {{9, 0}, {10, 0x2A}}},
      {"setup mode with the setup password", "", 0, 0x20, {0x00, 'e', 'i', 'n', 'r', 'i', 'c', 'h', 't', 'e', 'n', 0},
       0xA0, 3, {{9, 0}, {10, 0x00}}},
      {"setup mode with a wrong password", "", 0, 0x20, {0x00, 'a', 'b', 'c', 0}, 0xA0, 3, {{9, 1}, {10, 0x25}}},
      {"setup mode without password", "", 0, 0x20, {0x00, 0}, 0xA0, 3, {{9, 1}, {10, 0x25}}},
      {"password test", "", 0, 0x20, {0x30, 'e', 'i', 'n', 'r', 'i', 'c', 'h', 't', 'e', 'n', 0}, 0xA0, 3,
       {{9, 0}, {10, 0x25}}},
      {"empty password test", "", 0, 0x20, {0x30}, 0xA0, 3, {{9, 1}}},
      {"baud 19200", "", 0, 0x20, {0x41}, 0xA0, 3, {{9, 0}, {10, 0x25}}},
      {"baud 500000 on a KVT", "", 0, 0x20, {0x48}, 0xA0, 3, {{9, 1}}},
      {"baud 500000 on a KVT 90", "device=kvt90", 3, 0x20, {0x48}, 0xA0, 3, {{9, 0}}},
      {"status KVT", "address=7", 0, 0x31, {}, 0xB1, 126,
       {{7, 0x00}, {9, 'V'}, {10, '0'}, {11, '2'}, {17, 0x25}, {18, 2}, {19, 'S'}, {128, 0}, {133, 7}}},
      {"status PXD", "device=pxd", 1, 0x31, {}, 0xB1, 44, {{7, 0x08}, {17, 0x25}, {36, 1}, {38, 1}, {40, 0}, {42, 0}}},
      {"status KVT-Q1", "device=kvtq1;variant=4", 2, 0x31, {}, 0xB1, 156,
       {{7, 0x10}, {17, 0x25}, {112, 4}, {121, 0x03}, {128, 1}, {134, 'Q'}, {162, 25}, {163, 0}}},
      {"status KVT 90", "device=kvt90", 0, 0x31, {}, 0xB1, 156, {{7, 0x18}, {17, 0x25}}},
      {"error memory KVT", "", 0, 0x32, {}, 0xB2, 5, {{9, 2}, {10, 1}, {11, 12}, {12, 2}, {13, 7}}},
      {"error memory PXD", "device=pxd", 1, 0x32, {}, 0xB2, 3, {{7, 0x08}, {9, 1}, {10, 1}, {11, 12}}},
      {"error memory KVT-Q1", "device=kvtq1", 2, 0x32, {}, 0xB2, 7, {{7, 0x10}, {9, 3}, {14, 1}, {15, 40}}},
      {"system test KVT", "", 0, 0x33, {0x11}, 0xB2, 7, {{9, 3}, {14, 2}, {15, 17}}},
      {"system test PXD", "device=pxd", 1, 0x33, {0x11}, 0xB2, 5, {{7, 0x08}, {12, 2}, {13, 17}}},
      {"system test unknown to KVT-Q1", "device=kvtq1", 2, 0x33, {0x11}, 0x15, 2, {{7, 0x10}, {9, 0x33}}},
      {"sensor type KVT", "", 0, 0x3A, {}, 0xBA, -1, {{9, 'K'}, {16, '0'}, {17, 'V'}, {23, 0}, {25, 'K'}}},
      {"sensor type PXD", "device=pxd", 1, 0x3A, {}, 0xBA, -1, {{9, 'P'}, {17, 'V'}, {25, 'P'}}},
      {"configuration KVT-Q1", "device=kvtq1;variant=6", 2, 0x74, {}, 0xF4, 34, {{9, 0xB8}, {10, 0x0B}, {14, 6}}},
      {"configuration KVT 90", "device=kvt90;variant=9", 3, 0x74, {}, 0xF4, 34, {{7, 0x18}, {14, 9}}},
      {"configuration unknown to KVT", "", 0, 0x74, {}, 0x15, 2, {{9, 0x74}}},
      {"reference values KVT", "", 0, 0x3C, {0x21}, 0xBC, 52, {{9, 0x21}, {10, 6}, {11, 0}, {19, 0}}},
      {"reference values KVT-Q1", "device=kvtq1", 2, 0x3C, {0x30}, 0xBC, 52, {{9, 0xB0}, {10, 6}, {18, 40}, {19, 44}}},
      {"reference values unknown to PXD", "device=pxd", 1, 0x3C, {0x00}, 0x15, 2, {{9, 0x3C}}},
      {"correction table KVT-Q1", "device=kvtq1", 2, 0x3D, {}, 0xBD, 99, {{9, 12}, {10, 0}, {11, 200}, {12, 0}}},
      {"correction table KVT", "", 0, 0x3D, {}, 0xBD, 99, {{9, 12}, {10, 0}, {11, 200}, {12, 0}}},
      {"correction table unknown to PXD", "device=pxd", 1, 0x3D, {}, 0x15, 2, {{7, 0x08}, {9, 0x3D}}},
      {"rectangle B defined in field set 1", "", 0, 0x40, {1, 1, 180, 0, 50, 0, 0, 0, 0, 0, 0, 0, 0, 30, 0, 40, 0, 50, 0},
       0xC0, 24, {{9, 1}, {10, 1}, {20, 1}, {22, 180}, {24, 50}, {26, 30}, {28, 40}, {30, 50}}},
      {"stored field E, radial", "", 0, 0x45, {1, 4}, 0xC5, 18, {{9, 1}, {19, 0x01}, {20, 180}, {22, 50}, {24, 200}}},
      {"stored field F, taught to the back wall", "", 0, 0x45, {1, 5}, 0xC5, 738, {{19, 0x03}, {384, 0xC2}, {385, 1}}},
      {"stored field A of a KVT-Q1 in mm", "device=kvtq1", 2, 0x45, {1, 0}, 0xC5, 22,
       {{19, 0x40}, {20, 100}, {22, 25}, {24, 0xE8}, {25, 0x03}, {28, 0xDC}, {29, 0x05}}},
      {"stored field D of a KVT 90, segmented", "device=kvt90", 3, 0x45, {1, 3}, 0xC5, 36,
       {{19, 0x02}, {20, 90}, {24, 8}, {26, 0x78}, {27, 0x80}}},
      {"dynamic rectangle on a PXD", "device=pxd", 1, 0x48, {1, 0x40, 100, 0, 25, 0, 0, 0, 0, 0, 0, 0, 15, 0, 20, 0, 25, 0, 5, 0},
       0xC8, 20, {{9, 1}, {10, 1}, {22, 15}, {24, 20}, {26, 25}}},
      {"dynamic segmented field unknown to a KVT", "", 0, 0x4B, {1}, 0x15, 2, {{9, 0x4B}}},
      {"field set 3", "", 0, 0x41, {3}, 0xC1, 2, {{9, 3}}},
      {"field set 7 kept at 1", "", 0, 0x41, {7}, 0xC1, 2, {{9, 1}}},
      {"stop threshold 100 mV", "", 0, 0x51, {100, 0}, 0xD1, 3, {{9, 1}, {10, 100}}},
      {"stop threshold 300 mV refused", "", 0, 0x51, {0x2C, 0x01}, 0xD1, 3, {{9, 0}, {10, 44}}},
      {"start-up test off", "", 0, 0x60, {0}, 0xE0, 3, {{9, 1}, {10, 0}}},
      {"start-up test 5 refused", "", 0, 0x60, {5}, 0xE0, 3, {{9, 0}, {10, 1}}},
      {"8 evaluations", "", 0, 0x63, {8}, 0xE4, 3, {{9, 1}, {10, 8}}},
      {"1 evaluation refused", "", 0, 0x63, {1}, 0xE4, 3, {{9, 0}, {10, 2}}},
      {"17 evaluations refused", "", 0, 0x63, {17}, 0xE4, 3, {{9, 0}, {10, 2}}},
      {"fields non-volatile", "", 0, 0x65, {1}, 0xE5, 3, {{9, 1}, {10, 1}}},
      {"fields volatile", "", 0, 0x65, {0}, 0xE5, 3, {{9, 1}, {10, 0}}},
      {"baud constant", "", 0, 0x66, {1}, 0xE6, 3, {{9, 1}, {10, 1}}},
      {"variant kept refused by a KVT", "", 0, 0x66, {2}, 0xE6, 3, {{9, 0}, {10, 0}}},
      {"variant kept by a KVT-Q1", "device=kvtq1", 2, 0x66, {2}, 0xE6, 3, {{9, 1}, {10, 2}}},
      {"new address", "address=3", 0, 0x67, {5}, 0xE7, 3, {{5, 3}, {9, 1}, {10, 5}}},
      {"new address 200 refused", "address=3", 0, 0x67, {200}, 0xE7, 3, {{9, 0}, {10, 3}}},
      {"laser off", "", 0, 0x68, {0}, 0xE8, 3, {{9, 1}, {10, 0}}},
      {"laser on", "device=kvtq1", 2, 0x68, {1}, 0xE8, 3, {{7, 0x10}, {9, 1}, {10, 1}}},
      {"laser unknown to PXD", "device=pxd", 1, 0x68, {0}, 0x15, 2, {{7, 0x08}, {9, 0x68}}},
      {"unknown command", "", 0, 0x7F, {}, 0x15, 2, {{9, 0x7F}}},
  };
  for (const RowCase &c : cases) {
    OpenDriver driver(c.config);
    TelegramRecord request = Request(c.type, 0, c.command, c.data);
    TelegramRecord answer{};
    ASSERT_TRUE(TelegramSensor(driver.handle, request.data(), answer.data())) << c.name << ": " << ErrorText();
    EXPECT_EQ(answer[kvt::kRecCode], c.code) << c.name;
    if (c.count >= 0) { EXPECT_EQ(kvt::Word(answer, kvt::kRecCount), c.count) << c.name; }
    EXPECT_EQ(ByteDifferences(answer, c.bytes), "") << c.name << "\n  answer: " << Hex(std::span(answer).first(40));
    const std::size_t end = kvt::kRecCode + kvt::Word(answer, kvt::kRecCount);
    EXPECT_EQ(std::count(answer.begin() + std::min<std::size_t>(end + 1, answer.size()), answer.end(), 0),
              static_cast<long>(answer.size() - std::min<std::size_t>(end + 1, answer.size())))
        << c.name << ": bytes behind the counted answer stay zero";
  }
}

TEST(Devices, SensorTypeTextsAreWhole) {
  const std::vector<std::pair<const char *, BYTE>> cases = {{"kvt", 0}, {"pxd", 1}, {"kvtq1", 2}, {"kvt90", 3}};
  for (const auto &[device, type] : cases) {
    OpenDriver driver((std::string("device=") + device).c_str());
    TelegramRecord request = Request(type, 0, 0x3A);
    TelegramRecord answer{};
    ASSERT_TRUE(TelegramSensor(driver.handle, request.data(), answer.data()));
    const std::string third(reinterpret_cast<const char *>(&answer[25]));
    EXPECT_EQ(kvt::Word(answer, kvt::kRecCount), 1 + 16 + third.size() + 1) << device;
    EXPECT_GT(third.size(), 10u) << device;
  }
}

TelegramRecord Exchange(DWORD handle, BYTE type, BYTE address, BYTE command, const std::vector<BYTE> &data = {}) {
  TelegramRecord request = Request(type, address, command, data);
  TelegramRecord answer{};
  if (!TelegramSensor(handle, request.data(), answer.data())) answer.fill(0xEE);
  return answer;
}

TEST(Devices, StateSticksWithinARun) {
  OpenDriver driver("device=kvt;address=3");
  EXPECT_EQ(Exchange(driver.handle, 0, 3, 0x31)[69], 1) << "laser on at switch-on";
  Exchange(driver.handle, 0, 3, 0x68, {0});
  EXPECT_EQ(Exchange(driver.handle, 0, 3, 0x31)[69], 0) << "laser off";
  Exchange(driver.handle, 0, 3, 0x20, {0x22});
  EXPECT_EQ(Exchange(driver.handle, 0, 3, 0x31)[17], 0x22) << "mode";
  Exchange(driver.handle, 0, 3, 0x41, {4});
  EXPECT_EQ(Exchange(driver.handle, 0, 3, 0x31)[128], 3) << "field set 4, counted from 0";
  Exchange(driver.handle, 0, 3, 0x63, {9});
  EXPECT_EQ(Exchange(driver.handle, 0, 3, 0x31)[45], 9) << "evaluations";

  const TelegramRecord moved = Exchange(driver.handle, 0, 3, 0x67, {5});
  EXPECT_EQ(moved[kvt::kRecAddress], 3) << "the answer still comes from the old address";
  EXPECT_EQ(Exchange(driver.handle, 0, 3, 0x31)[kvt::kRecCode], 0xEE) << "old address silent";
  EXPECT_EQ(Exchange(driver.handle, 0, 5, 0x31)[kvt::kRecAddress], 5) << "new address answers";
  EXPECT_EQ(Exchange(driver.handle, 0, 0, 0x31)[133], 5) << "address 0 still reaches it";

  // Reset: mode and laser back, field set back (volatile memory), address kept.
  EXPECT_EQ(Exchange(driver.handle, 0, 5, 0x10)[kvt::kRecCode], 0x91);
  const TelegramRecord after = Exchange(driver.handle, 0, 5, 0x31);
  EXPECT_EQ(after[17], 0x25);
  EXPECT_EQ(after[69], 1);
  EXPECT_EQ(after[128], 0);
  EXPECT_EQ(after[133], 5);
}

TEST(Devices, NonVolatileFieldSetSurvivesReset) {
  OpenDriver driver("");
  Exchange(driver.handle, 0, 0, 0x65, {1});
  Exchange(driver.handle, 0, 0, 0x41, {2});
  Exchange(driver.handle, 0, 0, 0x10);
  EXPECT_EQ(Exchange(driver.handle, 0, 0, 0x31)[128], 1);
}

TEST(Devices, SystemTestAddsItsFindingOnce) {
  OpenDriver driver("");
  Exchange(driver.handle, 0, 0, 0x33, {0x11});
  Exchange(driver.handle, 0, 0, 0x33, {0x11});
  const TelegramRecord memory = Exchange(driver.handle, 0, 0, 0x32);
  EXPECT_EQ(kvt::Word(memory, kvt::kRecCount), 7);
  EXPECT_EQ(memory[9], 3);
}

TEST(Devices, NewRunAndResetRestoreTheStartState) {
  {
    OpenDriver driver("");
    Exchange(driver.handle, 0, 0, 0x68, {0});
    Unload(driver.handle);
    driver.handle = LoadSensor(0);
    OpenSensor(driver.handle);
    EXPECT_EQ(Exchange(driver.handle, 0, 0, 0x31)[69], 1) << "a new run meets the device as switched on";
    Exchange(driver.handle, 0, 0, 0x68, {0});
    SimReset();
    EXPECT_EQ(Exchange(driver.handle, 0, 0, 0x31)[69], 1) << "SimReset";
  }
}

// The KVT-Q1 status carries calibration counts that give a resolution of
// about 13 ps per counter, computed the way the status report does.
TEST(Devices, Q1CalibrationGivesAPlausibleResolution) {
  OpenDriver driver("device=kvtq1");
  const TelegramRecord s = Exchange(driver.handle, 2, 0, 0x31);
  const double period = kvt::Word(s, 162) * 16000.0;
  const double r0 = period / (kvt::Word(s, 158) * double(kvt::Dword(s, 146) - kvt::Dword(s, 142)) / 16384);
  const double r1 = period / (kvt::Word(s, 160) * double(kvt::Dword(s, 154) - kvt::Dword(s, 150)) / 16384);
  EXPECT_NEAR(r0, 13, 1);
  EXPECT_NEAR(r1, 13, 1);
}

TEST(Devices, DownloadNeedsItsStart) {
  OpenDriver driver("");
  auto record = [](BYTE command, std::vector<BYTE> data, unsigned length) {
    TelegramRecord r = Request(0, 0, command, data);
    kvt::PutWord(r, kvt::kRecLength, length);
    kvt::PutWord(r, kvt::kRecLength2, length);
    return r;
  };
  TelegramRecord data = record(0x0C, {0, 0x00, 0x20, 0, 0, 1, 2, 3}, 9);
  TelegramRecord end = record(0x0C, {1, 0, 0, 0, 0}, 2);
  TelegramRecord badStart = record(0x0B, {0x5E, 0x27, 0x6B, 0x18}, 5);
  TelegramRecord start = record(0x0B, {0x5E, 0x27, 0x6B, 0x19}, 5);
  EXPECT_FALSE(TelegramDownload(driver.handle, data.data()));
  EXPECT_EQ(Escaped(ErrorText()), Escaped("Download-Telegramm ohne vorherigen Start abgelehnt."));
  EXPECT_FALSE(TelegramDownload(driver.handle, badStart.data()));
  EXPECT_TRUE(TelegramDownload(driver.handle, start.data()));
  EXPECT_TRUE(TelegramDownload(driver.handle, data.data()));
  EXPECT_TRUE(TelegramDownload(driver.handle, end.data()));
  EXPECT_FALSE(TelegramDownload(driver.handle, data.data())) << "the end record closes the download";
  EXPECT_EQ(SimRequestCount(), 6u) << "download records are requests too";
}

}  // namespace
}  // namespace drvtest

namespace drvtest {
namespace {

// Random requests to every kind of device: an answer always stays within
// the record, names the device's kind, and is the row's code or the NAK.
TEST(Devices, FuzzedRequestsGiveSaneAnswers) {
  const std::vector<std::pair<const char *, BYTE>> kinds = {{"kvt", 0x00}, {"pxd", 0x08}, {"kvtq1", 0x10}, {"kvt90", 0x18}};
  std::uint32_t seed = 12345;
  auto next = [&seed] {
    seed = seed * 1103515245u + 12345u;
    return static_cast<BYTE>(seed >> 16);
  };
  for (const auto &[device, bits] : kinds) {
    OpenDriver driver((std::string("device=") + device + ";fail=refused@50+").c_str());
    for (int i = 0; i < 400; ++i) {
      TelegramRecord request{};
      for (BYTE &b : request) b = next();
      request[kvt::kRecAddress] = 0;
      request[kvt::kRecType] = bits == 0x08 ? 1 : 0;
      if (i % 2) request[kvt::kRecCode] = static_cast<BYTE>(0x10 + next() % 0x70);
      TelegramRecord answer;
      answer.fill(0xEE);
      ASSERT_TRUE(TelegramSensor(driver.handle, request.data(), answer.data()))
          << device << " request " << Hex(std::span(request).first(12)) << ": " << ErrorText();
      const unsigned count = kvt::Word(answer, kvt::kRecCount);
      EXPECT_GE(count, 1u) << device;
      EXPECT_LE(kvt::kRecCode + count, kvt::kRecordSize) << device;
      EXPECT_EQ(answer[kvt::kRecKind], bits) << device;
      const BYTE code = answer[kvt::kRecCode];
      const bool nak = code == 0x15 && answer[kvt::kRecData] == request[kvt::kRecCode];
      EXPECT_TRUE(nak || (code & 0x80) != 0) << device << " code " << int(code);
    }
  }
}

}  // namespace
}  // namespace drvtest
