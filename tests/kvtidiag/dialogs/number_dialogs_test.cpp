// The number, choice and service dialogs through KVTIDIAG.DLL's exports,
// driven with real window messages: what each shows, what lands in the
// block and in message boxes, and the OK button while the user types.
#include <gtest/gtest.h>

#include "kvtidiag/dialogs/dialog_cases.h"
#include "support/texts.h"

namespace kvt::test {
namespace {

const Dialog kStopThres{"DialogStopThres", kNoSelector, 606, "StopThresDlgProc", text::kStopThresholdTitle};
const Dialog kWATime{"DialogWATime", kNoSelector, 103, "WATimeDlgProc", "Eingabe der Wiederanlaufzeit  in Sekunden"};
const Dialog kAglMode{"DialogAglMode", kNoSelector, 611, "AglModeDlgProc", text::kCalibrationNumberTitle};
const Dialog kEVCNr{"DialogEVCNr", kNoSelector, 108, "EVCNrDlgProc", text::kEvaluationCaseTitle};
const Dialog kSimIndex{"DialogSimIndex", kNoSelector, 614, "SimIndexDlgProc", "Eingabe Geschwindigkeitsindex"};
const Dialog kFieldNr{"DialogFieldNr", kNoSelector, 114, "FieldNrDlgProc", "Eingabe Feldnummer"};
const Dialog kKVTNr{"DialogKVTNr", kNoSelector, 607, "KVTNrDlgProc", text::kKvtNumberTitle};
const Dialog kRspTime{"DialogRspTime", kNoSelector, 601, "RspTimeDlgProc", "Eingabe der Anzahl der Mehrfachauswertungen"};
const Dialog kSensorAdr{"DialogSensorAdr", kNoSelector, 605, "SensorAdrDlgProc", text::kSensorAddressTitle};
const Dialog kRefNr{"DialogRefNr", kNoSelector, 624, "RefNrDlgProc", text::kReferenceRangeTitle};
const Dialog kCorrAnf{"DialogCorrAnf", kNoSelector, 617, "CorrAnfDlgProc", "Anforderung eines Bereichs der Korrekturtabelle"};
const Dialog kKVTFieldNr{"DialogKVTFieldNr", kNoSelector, 608, "KVTFieldNrDlgProc", text::kKvtFieldTitle};
const Dialog kOutputSet{"DialogOutputSet", kNoSelector, 612, "OutputSetDlgProc", "Ausgaenge stimulieren"};
const Dialog kVarDef{"DialogVarDef", kNoSelector, 300, "VarDefDlgProc", "Definiton der KVT Variante"};
const Dialog kMemDump{"DialogMemDump", kNoSelector, 100, "MemDumpDlgProc", text::kMemoryDumpTitle};
const Dialog kClbHcode{"DialogClbHcode", kNoSelector, 102, "HcodeDlgProc", "Eingabe des Herstellungscodes"};
const Dialog kAveragesSensor{"DialogAverageMV", 0, 104, "AverageMVDlgProc", text::kAveragesTitle};
const Dialog kAverages{"DialogAverageMV", 1, 619, "AverageMVDlgProc", text::kAveragesTitle};
const Dialog kAveragesOther{"DialogAverageMV", 9, 104, "AverageMVDlgProc", text::kAveragesTitle};
const Dialog kSegmentCount{"DialogSegmentCount", kNoSelector, 602, "SegmentCountDlgProc", text::kSegmentCountTitle};

TEST(NumberDialogs, WhatEachShows) {
  const Input averages{1008, text::kAveragesLabel, "250", 3};
  const Input sensor{1071, text::kActiveSensorLabel, "1", 1};
  CheckLooks({
      {kStopThres, {{1047, "Stopschwelle [mV]:", "44", 4}}, {{1047, "", true}}},
      {kWATime, {{1005, text::kRestartLabel, "2", 2}}, {{1005, "", false}, {1005, "5", true}}},
      {kAglMode, {{1072, "Nummer des Abgleichs [4-10]:", "4", 2}}, {{1072, "", false}, {1072, "7", true}}},
      {kEVCNr, {{1021, text::kEvaluationCaseLabel, "1", 2}}, {{1021, "", false}, {1021, "2", true}}},
      {kSimIndex, {{1093, "Index [0-30]:", "1", 2}}, {{1093, "", false}, {1093, "0", true}}},
      {kFieldNr, {{1145, "Feldnummer [1-4]", "1", 2}}, {{1145, "", true}}},
      {kKVTNr, {{1048, "KVT-Nummer [1-4]:", "1", 2}}, {{1048, "", true}, {1048, "2", true}}},
      {kRspTime, {{1010, text::kEvaluationsLabel, "2", 2}}, {{1010, "", false}, {1010, "3", true}}},
      {kSensorAdr, {{2017, text::kSensorAddressLabel, "0", 3}}, {{2017, "", false}, {2017, "12", true}}},
      {kRefNr, {{1115, text::kReferenceRangeLabel, "0", 1}}, {{1115, "", false}, {1115, "1", true}}},
      {kCorrAnf, {{1102, "Wertebereich [0-5]:", "0", 1}}, {{1102, "", true}}},
      // The field number is limited to 4 once the KVT number holds text, as its preset does.
      {kKVTFieldNr, {{1049, "KVT-Nummer [1-4]:", "1", 3}, {1050, "Feldnummer [1-4]:", "1", 4}},
       {{1049, "", true, 1050, 4}, {1050, "", true}, {1049, "2", true, 1050, 4}}},
      {kOutputSet, {{1083, "Ausgangstyp [0-9]:", "0", 1}, {1084, "Ausgangswert [0/1]:", "1"}},
       {{1083, "", true}, {1084, "", true}}},
      {kVarDef, {{1077, text::kScanAngleLabel, "100", 3}, {1078, text::kSingleShotLabel, "100", 3}},
       {{1077, "", true}, {1077, "180", true, 1078, 3}}},
      {kMemDump, {{104, "Anfangsadresse [von 0000 bis 0xffff]:", "", 1999}, {105, "Anzahl der Datenbytes [max. 255]:", ""}},
       {{104, "0x10", false, 105, 1999}, {105, "", false}, {105, "5", true}, {104, "", false}, {105, "6", true}}},
      {kClbHcode, {{1004, "Herstellungscode (8 Ziffern):", "12345678", 1999}},
       {{1004, "1234567", false}, {1004, "123456789", false}, {1004, "12345678", true}, {1004, "", false}}},
      {kAveragesSensor, {averages, sensor}, {{1008, "", false}, {1071, "2", true}, {1071, "", false}, {1008, "5", true}}},
      {kAverages, {averages}, {}, {1071}},
      {kAveragesOther, {averages, sensor}},
      {kSegmentCount, {{111, "Anzahl der  Messwerte:", "10", 3}, {1067, text::kSegmentSensorLabel, "1", 1}},
       {{111, "", false}, {1067, "3", true}, {1067, "", false}, {111, "9", true}}},
  });
}

constexpr BYTE E = kUntouched;
using enum Press;

TEST(NumberDialogs, OneNumber) {
  CheckValues({
      {"stop threshold preset", kStopThres, {}, kOk, {}, 1, {44, 0, 0, 0}},
      {"stop threshold negative", kStopThres, {{1047, "-12"}}, kOk, {}, 1, {0xF4, 0xFF, 0xFF, 0xFF}},
      {"stop threshold hexadecimal, Enter", kStopThres, {{1047, "0x1F"}}, kEnter, {}, 1, {31, 0, 0, 0}},
      {"restart time 60, Enter", kWATime, {{1005, "60"}}, kEnter, {}, 1, {60, E, E, E}},
      {"restart time 1", kWATime, {{1005, "1"}}, kOk, {text::kRestartRange}, 0, {1, E, E, E}},
      {"restart time 61", kWATime, {{1005, "61"}}, kOk, {text::kRestartRange}, 0, {61, E, E, E}},
      {"calibration 4", kAglMode, {}, kOk, {}, 1, {4, E, E, E}},
      {"calibration 10", kAglMode, {{1072, "10"}}, kOk, {}, 1, {10, E, E, E}},
      {"calibration 3", kAglMode, {{1072, "3"}}, kOk, {text::kCalibrationNumberWrong}, 0, {3, E, E, E}},
      {"calibration 11", kAglMode, {{1072, "11"}}, kOk, {text::kCalibrationNumberWrong}, 0, {11, E, E, E}},
      {"evaluation case 10", kEVCNr, {{1021, "10"}}, kOk, {}, 1, {10, E, E, E}},
      {"evaluation case 0", kEVCNr, {{1021, "0"}}, kOk, {text::kEvaluationCaseRange}, 0, {0, E, E, E}},
      {"evaluation case 11", kEVCNr, {{1021, "11"}}, kOk, {text::kEvaluationCaseRange}, 0, {11, E, E, E}},
      {"speed index 0", kSimIndex, {{1093, "0"}}, kOk, {}, 1, {0, E, E, E}},
      {"speed index 30", kSimIndex, {{1093, "30"}}, kOk, {}, 1, {30, E, E, E}},
      {"speed index 31", kSimIndex, {{1093, "31"}}, kOk, {text::kSpeedIndexRange}, 0, {31, E, E, E}},
      {"field number 0 passes", kFieldNr, {{1145, "0"}}, kOk, {}, 1, {0, E, E, E}},
      {"field number 5", kFieldNr, {{1145, "5"}}, kOk, {text::kFieldNumberRange}, 0, {5, E, E, E}},
      {"KVT number 0 passes", kKVTNr, {{1048, "0"}}, kOk, {}, 1, {0, E, E, E}},
      {"KVT number 5", kKVTNr, {{1048, "5"}}, kOk, {text::kKvtNumberRange}, 0, {5, E, E, E}},
      {"response time 1", kRspTime, {{1010, "1"}}, kOk, {}, 1, {1, E, E, E}},
      {"response time 0", kRspTime, {{1010, "0"}}, kOk, {text::kEvaluationsRange}, 0, {0, E, E, E}},
      {"response time 126", kRspTime, {{1010, "126"}}, kOk, {}, 1, {126, E, E, E}},
      {"response time 127", kRspTime, {{1010, "127"}}, kOk, {text::kEvaluationsRange}, 0, {127, E, E, E}},
      {"device address 127", kSensorAdr, {{2017, "127"}}, kOk, {}, 1, {127, E, E, E}},
      {"device address 128 leaves the block", kSensorAdr, {{2017, "128"}}, kOk, {text::kSensorAddressRange}, 0,
       {E, E, E, E}},
      {"device address 300 leaves the block", kSensorAdr, {{2017, "300"}}, kOk, {text::kSensorAddressRange}, 0,
       {E, E, E, E}},
      {"reference range 3", kRefNr, {{1115, "3"}}, kOk, {}, 1, {3, 0, E, E}},
      {"reference range 4", kRefNr, {{1115, "4"}}, kOk, {text::kReferenceRangeWrong}, 0, {4, 0, E, E}},
      {"correction range 6", kCorrAnf, {{1102, "6"}}, kOk, {}, 1, {6, E, E, E}},
      {"correction range 7 becomes 0", kCorrAnf, {{1102, "7"}}, kOk, {text::kVariantImplausible}, 1, {0, E, E, E}},
  });
}

TEST(NumberDialogs, TwoValues) {
  const std::string kvt = text::kKvtNumberRange, field = text::kFieldNumberRange, variant = text::kVariantImplausible;
  CheckValues({
      {"KVT and field preset", kKVTFieldNr, {}, kOk, {}, 1, {1, 1}},
      {"KVT and field 0 and 4 pass", kKVTFieldNr, {{1049, "0"}, {1050, "4"}}, kOk, {}, 1, {0, 4}},
      {"KVT 5 field 9 become 1 and 1", kKVTFieldNr, {{1049, "5"}, {1050, "9"}}, kOk, {kvt, field}, 1, {1, 1}},
      {"KVT -1 becomes 1", kKVTFieldNr, {{1049, "-1"}, {1050, "2"}}, kOk, {kvt}, 1, {1, 2}},
      {"field read from 3 characters", kKVTFieldNr, {{1049, "2"}, {1050, "1234"}}, kOk, {field}, 1, {2, 1}},
      {"outputs preset", kOutputSet, {}, kOk, {}, 1, {0, 1}},
      {"output 9 low", kOutputSet, {{1083, "9"}, {1084, "0"}}, kOk, {}, 1, {9, 0}},
      {"output type 12 becomes 0", kOutputSet, {{1083, "12"}, {1084, "1"}}, kOk, {text::kOutputImplausible}, 1, {0, 1}},
      {"output value 2 becomes 0", kOutputSet, {{1083, "3"}, {1084, "2"}}, kOk, {text::kOutputImplausible}, 1, {3, 0}},
      {"variant 180 and 25", kVarDef, {{1077, "180"}, {1078, "25"}}, kOk, {}, 1, {180, 0, 0, 0, 25, 0, 0, 0}},
      {"variant 90 and 30 become 100 and 100", kVarDef, {{1077, "90"}, {1078, "30"}}, kOk, {variant, variant}, 1,
       {100, 0, 0, 0, 100, 0, 0, 0}},
      {"variant 180 and 75", kVarDef, {{1077, "180"}, {1078, "75"}}, kOk, {variant}, 1, {180, 0, 0, 0, 100, 0, 0, 0}},
      {"averages preset", kAveragesSensor, {}, kOk, {}, 1, {250, 0, 1, 0}},
      {"averages 1 sensor 4", kAveragesSensor, {{1008, "1"}, {1071, "4"}}, kOk, {}, 1, {1, 0, 4, 0}},
      {"averages 0", kAveragesSensor, {{1008, "0"}}, kOk, {text::kAveragesRange}, 0, {0, 0, 1, 0}},
      {"averages 251", kAveragesSensor, {{1008, "251"}}, kOk, {text::kAveragesRange}, 0, {251, 0, 1, 0}},
      {"averages without sensor input store sensor 0", kAverages, {{1008, "100"}}, kOk, {}, 1, {100, 0, 0, 0}},
      {"measured values 180 sensor 0", kSegmentCount, {{111, "180"}, {1067, "0"}}, kOk, {}, 1, {180, E, 0, E}},
      {"measured values 20 warned but kept", kSegmentCount, {{111, "20"}}, kOk, {text::kSegmentChoice}, 1,
       {20, E, 1, E}},
      {"measured values 9 sensor 4", kSegmentCount, {{111, "9"}, {1067, "4"}}, kOk, {}, 1, {9, E, 4, E}},
      {"measured values sensor 5", kSegmentCount, {{111, "10"}, {1067, "5"}}, kOk, {kvt}, 0, {10, E, 5, E}},
      {"measured values 20 and sensor 7", kSegmentCount, {{111, "20"}, {1067, "7"}}, kOk,
       {text::kSegmentChoice, kvt}, 0, {20, E, 7, E}},
  });
}

TEST(NumberDialogs, MemoryDumpAndManufacturingCode) {
  CheckValues({
      {"dump hexadecimal start", kMemDump, {{104, "0x1F"}, {105, "16"}}, kOk, {}, 1, {31, 0, 0, 0, 16, E, E, E}},
      {"dump large start", kMemDump, {{104, "0x12345678"}, {105, "1"}}, kOk, {}, 1,
       {0x78, 0x56, 0x34, 0x12, 1, E, E, E}},
      {"dump count keeps its low byte", kMemDump, {{104, "0"}, {105, "300"}}, kOk, {}, 1, {0, 0, 0, 0, 44, E, E, E}},
      {"dump start with a sign reads 65535", kMemDump, {{104, "-5"}, {105, "2"}}, kOk, {}, 1,
       {0xFF, 0xFF, 0, 0, 2, E, E, E}},
      {"code typed, Enter", kClbHcode, {{1004, "87654321"}}, kEnter, {}, 1, {'8', '7', '6', '5', '4', '3', '2', '1', 0}},
  });
}

// Enter does nothing while OK is disabled: the dialog is still there later.
TEST(NumberDialogs, EnterIgnoredWhileOkDisabled) {
  Bytes block(16, kUntouched);
  const UiRun run = RunUi({{kClbHcode.title, [](HWND d) {
                              SetText(d, 1004, "1234567");
                              Key(d, VK_RETURN);
                            }},
                           {kClbHcode.title, [](HWND d) { Key(d, VK_ESCAPE); }, 10}},
                          [&] { EXPECT_EQ(Start(kClbHcode, block.data()), 0); });
  EXPECT_EQ(run.pending, 0u);
  EXPECT_EQ(Hex(block), Hex(Bytes(16, kUntouched)));
}

}  // namespace
}  // namespace kvt::test
