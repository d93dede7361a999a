// The decoded trace: a session's header, named requests with the bytes
// their command carries, answers with their round trip and the marks of
// simulated faults; the same text in the log file and from SimTraceText,
// and SimDeviceText.
#include <gtest/gtest.h>

#include <regex>

#include "support/records.h"

namespace kvt::test {
namespace {

// The copy rule is SimDeviceText's, checked there.
std::string TraceText() {
  std::string text(SimTraceText(nullptr, 0) + 1, '\0');
  text.resize(SimTraceText(text.data(), static_cast<DWORD>(text.size())));
  return text;
}

// Times and round trips vary: T and R stand for them.
std::string Steady(const std::string &trace) {
  static const std::regex date(R"(\d{4}-\d\d-\d\d \d\d:\d\d:\d\d)"), clock(R"(\d\d:\d\d:\d\d\.\d{3})"),
      trip(R"(\d+,\d\d ms)");
  return std::regex_replace(std::regex_replace(std::regex_replace(trace, date, "D"), clock, "T"), trip, "R");
}

// What one exchange adds to the trace.
std::string Traced(const OpenDriver &driver, TelegramRecord request) {
  const std::size_t before = SimTraceText(nullptr, 0);
  TelegramRecord answer{};
  TelegramSensor(driver.handle, request.data(), answer.data());
  return Steady(TraceText().substr(before));
}

TEST(Trace, SessionsInTheFileAndInMemory) {
  char folder[MAX_PATH], path[MAX_PATH];
  GetTempPathA(sizeof folder, folder);
  GetTempFileNameA(folder, "kvt", 0, path);
  DeleteFileA(path);
  const std::string config = "device=kvt;address=3;variant=0;fail=noanswer@2;log=" + std::string(path);
  const std::size_t before = SimTraceText(nullptr, 0);
  for (int run = 0; run < 2; ++run) {
    const OpenDriver driver(config.c_str());
    TelegramRecord laser = Request(0, 3, 0x68, {0}), silent = Request(0, 3, 0x31), answer{};
    TelegramSensor(driver.handle, laser.data(), answer.data());
    TelegramSensor(driver.handle, silent.data(), answer.data());
  }
  const std::string run =
      "==== LoadSensor D ====\r\n"
      "Ger\xE4t: KVT, Adresse 3, Variante 0, Programmversion V02.10, Seriennummer SN0415372\r\n"
      "Konfiguration: " + config + ";setup=no\r\n"
      "Simulierte Fehler: keine Antwort (noanswer@2)\r\n"
      "T OpenSensor\r\n"
      "T > 0x68 Laser Zu/Abschaltung\r\n"
      "    000: 3C 03 00 00 00 03 00 00 68 00\r\n"  // the data byte, though zero
      "T < 0xE8 Laser Zu/Abschaltung, nach R\r\n"
      "    000: 3C 03 03 00 00 03 00 00 E8 01 00\r\n"
      "T > 0x31 Sensorstatus lesen\r\n"
      "    000: 3C 03 00 00 00 03 00 00 31\r\n"
      "T < keine Antwort, nach R [Fehler simuliert: keine Antwort]\r\n"
      "T CloseSensor\r\n"
      "T FreeSensor: Sitzung beendet\r\n";
  EXPECT_EQ(Escaped(Steady(FileBytes(path))), Escaped(run + run)) << path;
  EXPECT_EQ(Escaped(Steady(TraceText().substr(before))), Escaped(run + run));
  DeleteFileA(path);
  const OpenDriver unwritable("log=Z:\\no\\such\\folder\\tel.log");
  EXPECT_EQ(unwritable.Exchange(0, 0x31)[kRecCode], 0xB1) << "an unwritable log does not stop the exchange";
}

// The answer line names the answer and marks a fault only where it shows.
TEST(Trace, AnswerLines) {
  const struct {
    const char *config;
    TelegramRecord request;
    const char *line;
  } cases[] = {
      {"fail=wronganswer", Request(0, 0, 0x31),
       "0xB2 Sensorstatus lesen (erwartet 0xB1), nach R [Fehler simuliert: falsche Antwort]"},
      {"fail=refused", Request(0, 0, 0x68, {1}), "0xE8 Laser Zu/Abschaltung, nach R [Fehler simuliert: abgelehnt]"},
      {"fail=refused", Request(0, 0, 0x31), "0xB1 Sensorstatus lesen, nach R"},
      {"", Request(0, 0, 0x7B), "0x15 Befehl unbekannt (NAK), nach R"},
      {"address=3", Request(0, 4, 0x31), "keine Antwort (kein Ger\xE4t dieses Typs unter dieser Adresse), nach R"},
  };
  for (const auto &c : cases) {
    const OpenDriver driver(c.config);
    const std::string traced = Traced(driver, c.request);
    const std::size_t at = traced.find("T < ");
    ASSERT_NE(at, std::string::npos) << Escaped(traced);
    EXPECT_EQ(Escaped(traced.substr(at + 4, traced.find("\r\n", at) - at - 4)), Escaped(c.line)) << c.config;
  }
}

// A request shows the bytes its command carries, by a count or kind in
// its data where they decide.
TEST(Trace, RequestLengths) {
  const struct {
    const char *name;
    TelegramRecord request;
    std::size_t bytes;
  } cases[] = {
      {"password mode: the text and its zero", Request(0, 0, 0x20, {0x00, 'a', 'b', 'c'}), 14},
      {"range mode: count and pairs", Request(0, 0, 0x20, {0x2B, 2, 0}), 9 + 3 + 8},
      {"segmented field (byte 15): segments (22) + 1 corners",
       Request(0, 0, 0x40, {0, 0, 0, 0, 0, 0, 2, 0, 0, 0, 0, 0, 0, 3}), 24 + 8},
      {"ray-set read", Request(0, 0, 0x7E, {1, 0, 2}), 12},
      {"word list: count and words", Request(0, 0, 0x78, {3, 0}), 9 + 2 + 6},
      {"unknown command: up to its last nonzero byte", Request(0, 0, 0x99, {0, 5, 0}), 11},
  };
  const OpenDriver driver("");
  for (const auto &c : cases) {
    const std::string traced = Traced(driver, c.request);
    const std::string request = traced.substr(0, traced.find("T < "));
    const std::size_t rows = static_cast<std::size_t>(std::count(request.begin(), request.end(), ':'));
    EXPECT_EQ((request.size() - request.find("\r\n") - 2 - rows * 10) / 3, c.bytes) << c.name << Escaped(request);
  }
}

TEST(Trace, DeviceTextAndTheCopyRule) {
  const OpenDriver driver("device=kvtq1;address=3;variant=2");
  const std::string expected = "device=KVT-Q1;address=3;serial=SN0502207;variant=2";
  ASSERT_EQ(SimDeviceText(nullptr, 0), expected.size());
  std::string buffer(expected.size() + 2, '\xCC');
  EXPECT_EQ(SimDeviceText(buffer.data(), static_cast<DWORD>(expected.size())), expected.size());
  EXPECT_EQ(buffer.substr(0, 2), std::string("\0\xCC", 2)) << "too small: a zero alone";
  SimDeviceText(buffer.data(), static_cast<DWORD>(expected.size() + 1));
  EXPECT_EQ(buffer, expected + std::string("\0\xCC", 2));
}

// Last, since it fills the trace: only the newest 1 MiB is kept, whole
// entries, and the first line says that older ones were dropped.
TEST(Trace, KeepsTheNewestMebibyte) {
  const OpenDriver driver("");
  for (int scan = 0; scan < 500; ++scan) driver.Exchange(0, 0x30, {0, 1});
  const std::string trace = TraceText(), dropped = "(\xE4ltere Zeilen des Protokolls verworfen)\r\n";
  ASSERT_EQ(Escaped(trace.substr(0, dropped.size())), Escaped(dropped));
  EXPECT_LE(trace.size() - dropped.size(), 1u << 20);
  EXPECT_GT(trace.size() - dropped.size(), (1u << 20) - 4096) << "no more dropped than an entry";
  EXPECT_TRUE(std::regex_search(trace.substr(dropped.size(), 20), std::regex(R"(^\d\d:\d\d:\d\d\.\d{3} [<>])")));
}

}  // namespace
}  // namespace kvt::test
