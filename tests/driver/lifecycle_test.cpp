// The calling order Load → Query/Setup → Open → exchanges → Close → Free,
// and the German texts that ErrorSensor hands out when it is broken.
#include <gtest/gtest.h>

#include <functional>

#include "driver_support.h"

namespace drvtest {
namespace {

// Each step calls one driver function with the handle of this run (or a
// wrong one) and says what it must return.
struct Step {
  const char *call;
  bool expected;
};

struct OrderCase {
  const char *name;
  std::vector<Step> steps;
  const char *error;  // ErrorSensor text after the last step; nullptr: not checked
};

bool Call(const std::string &call, DWORD &handle) {
  TelegramRecord request = Request(0, 0, 0x31);
  TelegramRecord answer{};
  if (call == "load") {
    const DWORD h = LoadSensor(0);
    if (h != 0) handle = h;
    return h != 0;
  }
  if (call == "query") return QuerySensor(handle) != FALSE;
  if (call == "open") return OpenSensor(handle) != FALSE;
  if (call == "open wrong handle") return OpenSensor(handle + 1) != FALSE;
  if (call == "telegram") return TelegramSensor(handle, request.data(), answer.data()) != FALSE;
  if (call == "telegram null") return TelegramSensor(handle, nullptr, answer.data()) != FALSE;
  if (call == "download") return TelegramDownload(handle, request.data()) != FALSE;
  if (call == "close") return CloseSensor(handle) != FALSE;
  if (call == "free") return FreeSensor(handle) != FALSE;
  ADD_FAILURE() << "unknown step " << call;
  return false;
}

TEST(Lifecycle, CallingOrder) {
  const std::vector<OrderCase> cases = {
      {"whole run", {{"load", true}, {"query", true}, {"open", true}, {"telegram", true}, {"close", true}, {"free", true}}, nullptr},
      {"setup while open", {{"load", true}, {"open", true}, {"query", true}}, nullptr},
      {"open before load", {{"open", false}}, "Sensortreiber ist nicht geladen (LoadSensor fehlt)."},
      {"telegram before load", {{"telegram", false}}, "Sensortreiber ist nicht geladen (LoadSensor fehlt)."},
      {"query before load", {{"query", false}}, "Sensortreiber ist nicht geladen (LoadSensor fehlt)."},
      {"free before load", {{"free", false}}, "Sensortreiber ist nicht geladen (LoadSensor fehlt)."},
      {"telegram before open", {{"load", true}, {"telegram", false}},
       "Verbindung zum Sensor ist nicht geöffnet (OpenSensor fehlt)."},
      {"download before open", {{"load", true}, {"download", false}},
       "Verbindung zum Sensor ist nicht geöffnet (OpenSensor fehlt)."},
      {"close before open", {{"load", true}, {"close", false}},
       "Verbindung zum Sensor ist nicht geöffnet (OpenSensor fehlt)."},
      {"load twice", {{"load", true}, {"load", false}}, "Sensortreiber ist bereits geladen (FreeSensor fehlt)."},
      {"open twice", {{"load", true}, {"open", true}, {"open", false}}, "Verbindung zum Sensor ist bereits geöffnet."},
      {"free while open", {{"load", true}, {"open", true}, {"free", false}},
       "Verbindung zum Sensor ist noch geöffnet (CloseSensor fehlt)."},
      {"telegram after close", {{"load", true}, {"open", true}, {"close", true}, {"telegram", false}},
       "Verbindung zum Sensor ist nicht geöffnet (OpenSensor fehlt)."},
      {"null record", {{"load", true}, {"open", true}, {"telegram null", false}}, "Ungültiger Telegrammpuffer (Nullzeiger)."},
      {"free then telegram", {{"load", true}, {"free", true}, {"telegram", false}},
       "Sensortreiber ist nicht geladen (LoadSensor fehlt)."},
  };
  for (const OrderCase &c : cases) {
    SimConfigure("setup=ask");
    DWORD handle = 1;
    for (std::size_t i = 0; i < c.steps.size(); ++i) {
      EXPECT_EQ(Call(c.steps[i].call, handle), c.steps[i].expected) << c.name << ", step " << i << " " << c.steps[i].call;
    }
    if (c.error) { EXPECT_EQ(Escaped(ErrorText(handle)), Escaped(c.error)) << c.name; }
    Unload(handle);
  }
  SimConfigure("");
}

TEST(Lifecycle, WrongHandleIsNamed) {
  const DWORD handle = LoadSensor(0);
  ASSERT_NE(handle, 0u);
  EXPECT_FALSE(OpenSensor(handle + 1));
  EXPECT_EQ(ErrorText(handle), "Ungültiges Sensor-Handle " + std::to_string(handle + 1) + ".");
  EXPECT_TRUE(OpenSensor(handle));
  Unload(handle);
}

TEST(Lifecycle, EveryRunGetsANewHandle) {
  const DWORD first = LoadSensor(0);
  Unload(first);
  const DWORD second = LoadSensor(0);
  EXPECT_NE(first, 0u);
  EXPECT_NE(second, 0u);
  EXPECT_NE(first, second);
  EXPECT_FALSE(OpenSensor(first)) << "a stale handle must not reach the new run";
  Unload(second);
}

// ErrorSensor never writes more than textSize bytes, always ends the text
// with a zero, and leaves the bytes behind it alone.
TEST(Lifecycle, ErrorTextKeepsToTheBuffer) {
  SimConfigure("fail=load");
  ASSERT_EQ(LoadSensor(0), 0u);
  const std::string full = "Sensortreiber konnte nicht geladen werden (simulierter Fehler).";
  EXPECT_EQ(ErrorText(0), full);
  EXPECT_LT(full.size(), 80u) << "the library's buffer holds 80 bytes";
  for (int size = 1; size <= static_cast<int>(full.size()) + 2; ++size) {
    std::string buffer(full.size() + 8, '\xCC');
    EXPECT_TRUE(ErrorSensor(0, buffer.data(), size)) << size;
    const std::size_t kept = std::min<std::size_t>(size - 1, full.size());
    EXPECT_EQ(buffer.substr(0, kept), full.substr(0, kept)) << size;
    EXPECT_EQ(buffer[kept], '\0') << size;
    EXPECT_EQ(buffer.find_first_not_of('\xCC', kept + 1), std::string::npos) << "written past the end, size " << size;
  }
  char untouched = 'x';
  EXPECT_FALSE(ErrorSensor(0, &untouched, 0));
  EXPECT_EQ(untouched, 'x');
  EXPECT_FALSE(ErrorSensor(0, nullptr, 80));
  SimConfigure("");
}

TEST(Lifecycle, QueryAsksForSetupOnlyWhenConfigured) {
  const std::vector<std::pair<const char *, BOOL>> cases = {
      {"", FALSE}, {"setup=no", FALSE}, {"setup=ask", TRUE}, {"device=pxd", FALSE}};
  for (const auto &[config, expected] : cases) {
    ASSERT_TRUE(SimConfigure(config)) << config;
    const DWORD handle = LoadSensor(0);
    EXPECT_EQ(QuerySensor(handle), expected) << config;
    Unload(handle);
  }
  SimConfigure("");
}

}  // namespace
}  // namespace drvtest
