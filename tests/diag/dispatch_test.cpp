// DiagCommandProc end to end with scripted answers: request bytes, result
// texts, status and result for every ending.
#include <gtest/gtest.h>

#include <cstdlib>
#include <malloc.h>
#include <optional>
#include <string>
#include <vector>

#include "dialogs/dialogs.h"
#include "entry/entry.h"
#include "kvt/simcontrol.h"
#include "kvt/bytes.h"
#include "support/records.h"
#include "support/ui_script.h"

namespace kvt {
namespace {

using test::Answer;
using test::Escaped;

std::string Line(BYTE type, unsigned address) {
  const char *device = type == kDeviceKvt ? "KVT" : (type == kDevicePxd ? "PXD" : "KVT-Q1");
  char text[128];
  wsprintfA(text, "\nBei der Kommunikation benutzte Adresse %3u  mit Zielger\xE4t  %s.\n\n", address, device);
  return text;
}

const std::string kCommFailure = "Kommunikation mit dem Sensor nicht in Ordnung !";
const std::string kWrong = "Falscher Betriebsmode (NACK-Telegramm) oder falsches Antwortelegramm erhalten!";

struct Sent {
  BYTE command;
  std::vector<BYTE> data;  // leading data bytes that must match
};

struct Case {
  const char *name;
  WORD handler;
  WORD telegram;
  std::vector<std::optional<TelegramRecord>> answers;  // nullopt: no answer
  std::vector<Sent> sent;
  std::string text;  // expected ResultText, the earlier text being "vorher"
  ULONG_PTR status = 0;
  BOOL result = TRUE;
  std::vector<BYTE> block = {};
  bool paramPhase = false;
  BYTE type = kDeviceKvt;
};

TelegramRecord Status(BYTE code, BYTE status, BYTE detail = 0) { return Answer(code, {status, detail}); }

TelegramRecord Reference(BYTE selector, std::vector<WORD> words) {
  std::vector<BYTE> data{selector, static_cast<BYTE>(words.size() / 4), 0};
  for (WORD w : words) {
    data.push_back(static_cast<BYTE>(w & 0xFF));
    data.push_back(static_cast<BYTE>(w >> 8));
  }
  return Answer(0xBC, data);
}

class DispatchTest : public ::testing::Test {
 protected:
  test::SimulatedSensor sensor;

  void Check(const Case &c) {
    SimReset();
    kvt::Run().target = {c.type, 12};
    for (const auto &answer : c.answers) {
      if (answer) test::QueueAnswer(*answer); else test::QueueNoAnswer();
    }
    std::string result(65536, '\0');
    std::copy_n("vorher", 7, result.begin());
    CommandRequest request{};
    request[kReqHandler] = c.handler;
    request[kReqTelegram] = c.telegram;
    request[kReqResultText] = reinterpret_cast<ULONG_PTR>(result.data());
    request[kReqCapacity] = result.size();
    request[kReqStatus] = 77;
    request[kReqParamPhase] = c.paramPhase;
    BYTE *block = nullptr;
    if (!c.block.empty()) {
      block = static_cast<BYTE *>(std::malloc(c.block.size()));
      std::copy(c.block.begin(), c.block.end(), block);
      request[kReqParamBlock] = reinterpret_cast<ULONG_PTR>(block);
      request[kReqParamLength] = c.block.size();
    }
    EXPECT_EQ(DiagCommandProc(nullptr, request.data()), c.result) << c.name;
    EXPECT_EQ(Escaped(result.c_str()), Escaped(c.text)) << c.name;
    EXPECT_EQ(request[kReqStatus], c.status) << c.name;
    const auto sent = test::SentRequests();
    ASSERT_EQ(sent.size(), c.sent.size()) << c.name;
    for (std::size_t i = 0; i < sent.size(); ++i) {
      EXPECT_EQ(sent[i][8], c.sent[i].command) << c.name << ", telegram " << i;
      EXPECT_EQ(Word(sent[i], 0), 828) << c.name;
      EXPECT_EQ(sent[i][2], c.type) << c.name;
      EXPECT_EQ(sent[i][5], 12) << c.name;
      for (std::size_t b = 0; b < c.sent[i].data.size(); ++b) {
        EXPECT_EQ(sent[i][9 + b], c.sent[i].data[b]) << c.name << ", telegram " << i << ", data byte " << b;
      }
    }
    std::free(block);
  }
};

TEST_F(DispatchTest, EndingsOfTheSimpleHandlers) {
  const BYTE K = kDeviceKvt;
  const Case cases[] = {
      {"reset", 10, 65535, {Answer(0x91)}, {{0x10, {}}}, "Sensor wird zur\xFC" "ckgesetzt!" + Line(K, 12)},
      {"reset, no answer", 10, 65535, {std::nullopt}, {{0x10, {}}}, kCommFailure + Line(K, 12), 255},
      {"reset, wrong answer", 10, 65535, {Answer(0x90)}, {{0x10, {}}}, kWrong + Line(K, 12)},
      {"unknown code 9", 9, 0, {}, {}, kCommFailure + Line(K, 12), 255},
      {"unknown code 212", 212, 0, {}, {}, kCommFailure + Line(K, 12), 255},
      {"162 adds only the address line", 162, 0, {}, {}, "vorher" + Line(K, 12)},
      {"163 adds only the address line", 163, 0, {}, {}, "vorher" + Line(K, 12)},
      {"167 adds only the address line", 167, 0, {}, {}, "vorher" + Line(K, 12)},
      {"172 parameter phase sends nothing", 172, 65535, {}, {}, "vorher" + Line(K, 12), 0, TRUE, {}, true},
      {"laser on", 124, 0x7D, {Status(0xE8, 1, 1)}, {{0x68, {1}}},
       "Schaltbefehl f\xFCr den Laser wurde \xFC" "bernommen.\nDer Laser ist eingeschaltet." + Line(K, 12)},
      {"laser off", 124, 0x7E, {Status(0xE8, 1, 0)}, {{0x68, {0}}},
       "Schaltbefehl f\xFCr den Laser wurde \xFC" "bernommen.\nDer Laser ist ausgeschaltet." + Line(K, 12)},
      {"laser refused", 124, 0x7D, {Status(0xE8, 0)}, {{0x68, {1}}},
       "Schaltbefehl f\xFCr den Laser wurde NICHT \xFC" "bernommen." + Line(K, 12)},
      {"laser, strange status keeps the text", 124, 0x7D, {Status(0xE8, 9)}, {{0x68, {1}}}, "vorher" + Line(K, 12)},
      {"laser, wrong answer", 124, 0x7D, {Status(0xE9, 1)}, {{0x68, {1}}}, kWrong + Line(K, 12)},
      {"field set volatile", 107, 0x6A, {Status(0xE5, 1, 0)}, {{0x65, {0}}},
       "Feldsatzauswahl wurde \xFC" "bernommen.\nFelder werden aus dem FL\xDC" "CHTIGEN Speicher ausgewertet." +
           Line(K, 12)},
      {"field set non-volatile", 107, 0x6C, {Status(0xE5, 1, 1)}, {{0x65, {1}}},
       "Feldsatzauswahl wurde \xFC" "bernommen.\nFelder werden aus dem NICHTFL\xDC" "CHTIGEN Speicher ausgewertet." +
           Line(K, 12)},
      {"field set refused", 107, 0x6A, {Status(0xE5, 0)}, {{0x65, {0}}},
       "Feldsatzauswahl wurde NICHT \xFC" "bernommen." + Line(K, 12)},
      {"baud 9600 at power on", 118, 0x77, {Status(0xE6, 1)}, {{0x66, {0}}},
       "Einstellung wurde dauerhaft im EEPROM gespeichert." + Line(K, 12)},
      {"variant constant", 118, 0xB0, {Status(0xE6, 0)}, {{0x66, {2}}},
       "Einstellung wurde NICHT gespeichert." + Line(K, 12)},
      {"baud, strange status keeps the text", 118, 0x78, {Status(0xE6, 3)}, {{0x66, {1}}}, "vorher" + Line(K, 12)},
      {"start-up test on", 89, 0x5A, {Status(0xE0, 1)}, {{0x60, {1}}}, "Anlauftest wurde gestartet." + Line(K, 12)},
      {"start-up test off refused", 89, 0x5B, {Status(0xE0, 0)}, {{0x60, {0}}},
       "Anlauftest konnte NICHT gestartet werden." + Line(K, 12)},
      {"multiple evaluations", 103, 0x68, {Status(0xE4, 1)}, {{0x63, {5}}},
       "Anzahl der Mehrfachauswertungen wurde \xFC" "bernommen." + Line(K, 12), 0, TRUE, {5, 0, 0, 0}},
      {"multiple evaluations, strange status", 103, 0x68, {Status(0xE4, 2)}, {{0x63, {5}}}, kWrong + Line(K, 12),
       0, TRUE, {5, 0, 0, 0}},
      {"multiple evaluations without a block", 103, 0x68, {}, {}, "vorher", 0, FALSE},
      {"device address", 121, 65535, {Status(0xE7, 1)}, {{0x67, {33}}},
       "Neue Ger\xE4teadresse wurde \xFC" "bernommen." + Line(K, 12), 0, TRUE, {33, 0, 0, 0}},
      {"device address refused", 121, 65535, {Status(0xE7, 0)}, {{0x67, {33}}},
       "Neue Ger\xE4teadresse wurde NICHT \xFC" "bernommen." + Line(K, 12), 0, TRUE, {33, 0, 0, 0}},
      {"new field set", 180, 0, {Answer(0xC1, {1})}, {{0x41, {3}}}, "Feldnummer:  3 \n" + Line(K, 12), 0, TRUE,
       {3, 0, 0, 0}},
      {"stop threshold accepted", 185, 0, {Status(0xD1, 1, 0x42)}, {{0x51, {0x42, 0x00}}},
       "Stopschwelle wurde \xFC" "bernommen." + Line(K, 12), 0, TRUE, {0x42, 0, 0, 0}},
      {"stop threshold, other echo", 185, 0, {Status(0xD1, 1, 0x41)}, {{0x51, {0x42, 0x00}}}, kWrong + Line(K, 12),
       0, TRUE, {0x42, 0, 0, 0}},
      {"stop threshold above a byte", 185, 0, {Status(0xD1, 1, 0x2C)}, {{0x51, {0x2C, 0x01}}},
       kWrong + Line(K, 12), 0, TRUE, {0x2C, 0x01, 0, 0}},
      {"stop threshold refused", 185, 0, {Status(0xD1, 0)}, {{0x51, {0x42, 0x00}}},
       "Stopschwelle wurde NICHT \xFC" "bernommen." + Line(K, 12), 0, TRUE, {0x42, 0, 0, 0}},
      {"error memory empty, even in the parameter phase", 14, 65535, {Answer(0xB2)}, {{0x32, {}}},
       "Kein Fehler eingetragen" + Line(K, 12), 0, TRUE, {}, true},
      {"error memory, no answer", 14, 65535, {std::nullopt}, {{0x32, {}}}, kCommFailure + Line(K, 12), 255},
      {"whole-system test", 15, 0x4C, {Answer(0xB2), Answer(0xB2)}, {{0x33, {0x11}}, {0x32, {}}},
       "Kein Fehler eingetragen" + Line(K, 12)},
      {"whole-system test stops at the first failure", 15, 0x4C, {Answer(0xB3)}, {{0x33, {0x11}}},
       kWrong + Line(K, 12)},
      {"status, wrong answer", 13, 65535, {Answer(0xB2)}, {{0x31, {}}}, kWrong + Line(K, 12)},
      {"status, no answer", 13, 65535, {std::nullopt}, {{0x31, {}}}, kCommFailure + Line(K, 12), 255},
      {"sensor type, wrong answer", 164, 65535, {Answer(0x80)}, {{0x3A, {}}}, kWrong + Line(K, 12)},
  };
  for (const auto &c : cases) Check(c);
}

TEST_F(DispatchTest, AddressLineNamesTheTarget) {
  const Case cases[] = {
      {"PXD", 162, 0, {}, {}, "vorher" + Line(kDevicePxd, 12), 0, TRUE, {}, false, kDevicePxd},
      {"KVT-Q1", 162, 0, {}, {}, "vorher" + Line(kDeviceKvtQ1, 12), 0, TRUE, {}, false, kDeviceKvtQ1},
      {"the 90 degree variant is named KVT-Q1", 162, 0, {}, {}, "vorher" + Line(kDeviceKvt90, 12), 0, TRUE, {},
       false, kDeviceKvt90},
  };
  for (const auto &c : cases) Check(c);
}

TEST_F(DispatchTest, ReferenceValuesAskForAllFourRanges) {
  const TelegramRecord shortLayout = Reference(0x00, {100, 200, 300, 0});
  const TelegramRecord longLayout = Reference(0x90, {11, 22, 33, 0x0305});
  const Case cases[] = {
      {"two ranges answer", 169, 0xAA, {shortLayout, longLayout, std::nullopt, std::nullopt},
       {{0x3C, {0x00}}, {0x3C, {0x10}}, {0x3C, {0x20}}, {0x3C, {0x30}}},
       "  100 ;    200;     300\n  5,25;  30;    11;    22;   33\n" + kCommFailure + kCommFailure +
           Line(kDeviceKvt, 12),
       255},
      {"averaged, one wrong answer", 169, 0xAB, {shortLayout, Answer(0xBD), shortLayout, shortLayout},
       {{0x3C, {0x01}}, {0x3C, {0x11}}, {0x3C, {0x21}}, {0x3C, {0x31}}},
       "  100 ;    200;     300\n" + kWrong + "  100 ;    200;     300\n  100 ;    200;     300\n" +
           Line(kDeviceKvt, 12)},
      {"more than 100 triples show nothing", 169, 0xAA,
       {test::AnswerWith(0xBC, {{10, 101}}), test::AnswerWith(0xBC, {{10, 0}}), Reference(0x20, {1, 2, 3, 4}),
        Reference(0xA0, {1, 2, 3, 0x0102})},
       {{0x3C, {0x00}}, {0x3C, {0x10}}, {0x3C, {0x20}}, {0x3C, {0x30}}},
       "    1 ;      2;       3\n  2,50;  10;     1;     2;    3\n" + Line(kDeviceKvt, 12)},
  };
  for (const auto &c : cases) Check(c);
}

TEST_F(DispatchTest, CorrectionTable) {
  TelegramRecord two = Answer(0xBD, {2, 0, 10, 0, 20, 0, 0x40, 0x42, 0x0F, 0x00, 65, 0, 66, 0, 1, 0, 0, 0});
  const std::string header = "Anzahl der Korrekturwertpaare:    2\nLadung/Breite         Korrekturwert\n";
  TelegramRecord tooMany = test::AnswerWith(0xBD, {{9, 129}});
  TelegramRecord beyondRecord = test::AnswerWith(0xBD, {{9, 128}});
  std::string allFitting = "Anzahl der Korrekturwertpaare:  128\nLadung/Breite         Korrekturwert\n";
  for (int i = 0; i < 102; ++i) allFitting += "    0;           0;                0;       \n";
  const Case cases[] = {
      {"two pairs", 172, 65535, {two}, {{0x3D, {}}},
       header + "   10;          20;          1000000;       \n   65;          66;                1;       \n" +
           Line(kDeviceKvt, 12)},
      {"129 pairs show the header only", 172, 65535, {tooMany}, {{0x3D, {}}},
       "Anzahl der Korrekturwertpaare:  129\nLadung/Breite         Korrekturwert\n" + Line(kDeviceKvt, 12)},
      {"pairs beyond the record are not shown", 172, 65535, {beyondRecord}, {{0x3D, {}}},
       allFitting + Line(kDeviceKvt, 12)},
  };
  for (const auto &c : cases) Check(c);
}

TEST_F(DispatchTest, NeverWritesPastASmallResultText) {
  SimReset();
  test::QueueAnswer(Answer(0x91));
  std::string buffer(40, '#');
  CommandRequest request{};
  request[kReqHandler] = 10;
  request[kReqResultText] = reinterpret_cast<ULONG_PTR>(buffer.data());
  request[kReqCapacity] = 16;
  EXPECT_TRUE(DiagCommandProc(nullptr, request.data()));
  EXPECT_EQ(std::string(buffer.c_str()), "Sensor wird zur");
  EXPECT_EQ(buffer.substr(16), std::string(24, '#'));
}

TEST_F(DispatchTest, CollectorsKeepAnExistingBlock) {
  // No dialog may open: the test answers nothing. A row without a dialog
  // in this build still obtains its block.
  CommandRequest request{};
  request[kReqHandler] = 185;
  request[kReqParamPhase] = 1;
  BYTE *block = static_cast<BYTE *>(std::malloc(4));
  request[kReqParamBlock] = reinterpret_cast<ULONG_PTR>(block);
  request[kReqParamLength] = 4;
  test::StartUiScript({{"Eingabe Stopschwelle in mV", [](HWND d) { test::Click(d, IDCANCEL); }}});
  DiagCommandProc(nullptr, request.data());
  test::StopUiScript();
  EXPECT_EQ(request[kReqParamBlock], reinterpret_cast<ULONG_PTR>(block));
  EXPECT_EQ(request[kReqParamLength], 4u);
  std::free(block);
}

// A block the host hands in is kept whatever length it records, and the
// dialog runs on it again; an execution reads only what it holds.
TEST_F(DispatchTest, ShortBlocksAreKept) {
  CommandRequest request{};
  request[kReqHandler] = 185;
  request[kReqParamPhase] = 1;
  BYTE *shortBlock = static_cast<BYTE *>(std::malloc(2));
  request[kReqParamBlock] = reinterpret_cast<ULONG_PTR>(shortBlock);
  request[kReqParamLength] = 2;
  bool opened = false;
  test::StartUiScript({{"Eingabe Stopschwelle in mV", [&](HWND d) {
                          opened = true;
                          test::Click(d, IDCANCEL);
                        }}});
  DiagCommandProc(nullptr, request.data());
  test::StopUiScript();
  EXPECT_TRUE(opened);
  EXPECT_EQ(request[kReqParamBlock], reinterpret_cast<ULONG_PTR>(shortBlock));
  EXPECT_EQ(request[kReqParamLength], 2u);
  std::free(shortBlock);

  Check({"execution with a two-byte block", 185, 0, {Status(0xD1, 0)}, {{0x51, {0x42, 0x01}}},
         "Stopschwelle wurde NICHT \xFC" "bernommen." + Line(kDeviceKvt, 12), 0, TRUE, {0x42, 0x01}});
}

TEST_F(DispatchTest, CollectorsAllocateTwelveAndRecordTen) {
  CommandRequest request{};
  test::StartUiScript({{"Messwertteilbereich anfordern", [](HWND d) { test::Click(d, IDCANCEL); }}});
  EXPECT_EQ(CollectParams(nullptr, request.data(), Collector::kMVPartial, 0), FALSE);
  test::StopUiScript();
  ASSERT_NE(request[kReqParamBlock], 0u);
  EXPECT_EQ(request[kReqParamLength], 10u);
  EXPECT_EQ(_msize(reinterpret_cast<void *>(request[kReqParamBlock])), 12u);
  std::free(reinterpret_cast<void *>(request[kReqParamBlock]));
}

}  // namespace
}  // namespace kvt
