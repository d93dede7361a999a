// The two KVT configuration dialogs through KVTIDIAG.DLL's exports with
// real window messages: the block or the defaults when they open, and the
// block they leave.
#include <gtest/gtest.h>

#include "kvtidiag/dialogs/dialog_cases.h"
#include "support/texts.h"

namespace kvt::test {
namespace {

const Dialog kShown{"DialogKVTKfg", 1, 615, "KVTKfgDlgProc", text::kSensorConfigTitle};
const Dialog kDefaults{"DialogKVTKfg", 0, 615, "KVTKfgDlgProc", text::kSensorConfigTitle};
const Dialog kShown2{"DialogKVTKfg2", 7, 121, "KVTKfg2DlgProc", text::kSensorConfig2Title};
const Dialog kDefaults2{"DialogKVTKfg2", 0, 121, "KVTKfg2DlgProc", text::kSensorConfig2Title};

using enum Press;

// The device's configuration: blanking 0x0102, stop threshold 0x1234, then 5, 6, ... 33.
Bytes Config() {
  Bytes block = Words({0x0102, 0x1234});
  for (BYTE b = 5; block.size() < 33; ++b) block.push_back(b);
  return block;
}

Bytes With(Bytes block, std::initializer_list<std::pair<std::size_t, BYTE>> bytes) {
  for (const auto &[at, value] : bytes) block[at] = value;
  return block;
}

// The device's block, or the defaults however the block reads.
TEST(SensorConfigDialogs, WhatEachShows) {
  CheckLooks({
      {kShown,
       {{1055, "Blankingfaktor:", "258"}, {1061, "Stoppschwelle LOW BYTE:", "52"},
        {1057, "Stoppschwelle HIGH BYTE:", "18"}, {1036, text::kUnitLabel, "7"}, {1058, "Mehrfachauswertung:", "10"},
        {1114, text::kReferenceLabel, "14"}, {1060, "Wiederanlaufzeit:", "12"}, {1056, "Maximale Blendung:", "33"}},
       {}, {}, Config()},
      {kDefaults2, {{1182, "Flag-Byte", "0"}, {1186, text::kOffsetLabel, "0"}, {1191, "Schwelle Error", "0"}}, {}, {},
       Bytes(84, 0x44)},
  });
}

TEST(SensorConfigDialogs, WhatEachStores) {
  const Bytes config = Config();
  Bytes defaults(33, 0);
  defaults[2] = 70;
  defaults[9] = 2;
  const Bytes config2 = With(Bytes(84, 0x44), {{0, 9}, {1, 0xFE}});
  Bytes typed2 = config2;
  for (std::size_t at = 0; at < 9; ++at) typed2[at] = static_cast<BYTE>(at + 1);
  CheckValues({
      {"OK gives the device's block back", kShown, {}, kOk, {}, 1, config, {}, config},
      {"the defaults", kDefaults, {}, kOk, {}, 1, defaults},
      {"stop threshold 70 and 1 is 326", kShown, {{1061, "70"}, {1057, "1"}}, kOk, {}, 1,
       With(config, {{2, 0x46}, {3, 0x01}}), {}, config},
      {"a low byte of 300 carries into the high byte", kShown, {{1061, "300"}, {1057, "0"}}, kOk, {}, 1,
       With(config, {{2, 0x2C}, {3, 0x01}}), {}, config},
      {"bytes keep their low 8 bits, the blanking its 16; hexadecimal; two characters of the dazzle", kShown,
       {{1058, "258"}, {1055, "70000"}, {1067, "0x1F"}, {1056, "123"}}, kOk, {}, 1,
       With(config, {{9, 2}, {0, 0x70}, {1, 0x11}, {4, 0x1F}, {32, 12}}), {}, config},
      {"block 2 as the device sent it", kShown2, {}, kOk, {}, 1, config2, {}, config2},
      {"block 2: nine bytes typed, the other 75 as they came", kShown2,
       {{1182, "1"}, {1183, "2"}, {1184, "3"}, {1185, "4"}, {1186, "5"}, {1187, "6"}, {1188, "7"}, {1190, "8"},
        {1191, "9"}},
       kOk, {}, 1, typed2, {}, config2},
  });
}

}  // namespace
}  // namespace kvt::test
