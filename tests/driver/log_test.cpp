// The telegram log: a line per request and per answer, with timestamp and
// direction, the bytes in hex.
#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <sstream>

#include "driver_support.h"

namespace drvtest {
namespace {

std::string TempLogPath() {
  char folder[MAX_PATH];
  GetTempPathA(sizeof folder, folder);
  char path[MAX_PATH];
  GetTempFileNameA(folder, "kvt", 0, path);
  DeleteFileA(path);
  return path;
}

std::vector<std::string> Lines(const std::string &path) {
  std::ifstream file(path, std::ios::binary);
  std::stringstream all;
  all << file.rdbuf();
  std::vector<std::string> lines;
  std::string text = all.str();
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t end = text.find("\r\n", start);
    if (end == std::string::npos) {
      lines.push_back(text.substr(start) + " <no line end>");
      break;
    }
    lines.push_back(text.substr(start, end - start));
    start = end + 2;
  }
  return lines;
}

TEST(Log, RequestsAndAnswersInHex) {
  const std::string path = TempLogPath();
  {
    OpenDriver driver(("device=kvt;address=3;fail=noanswer@2;log=" + path).c_str());
    TelegramRecord answer{};
    TelegramRecord laser = Request(0, 3, 0x68, {0});
    TelegramSensor(driver.handle, laser.data(), answer.data());
    TelegramRecord silent = Request(0, 3, 0x31);
    TelegramSensor(driver.handle, silent.data(), answer.data());
  }
  const std::vector<std::string> lines = Lines(path);
  const std::vector<std::string> expected = {
      "> 3C 03 00 00 00 03 00 00 68",                 // trailing zero data bytes are not logged
      "< 3C 03 03 00 00 03 00 00 E8 01 00",
      "> 3C 03 00 00 00 03 00 00 31",
      "< (keine Antwort)",
  };
  ASSERT_EQ(lines.size(), expected.size()) << path;
  const std::regex stamp(R"(^\d{4}-\d\d-\d\d \d\d:\d\d:\d\d\.\d{3} )");
  for (std::size_t i = 0; i < lines.size(); ++i) {
    std::smatch m;
    ASSERT_TRUE(std::regex_search(lines[i], m, stamp)) << lines[i];
    EXPECT_EQ(m.suffix().str(), expected[i]) << "line " << i;
  }
  DeleteFileA(path.c_str());
}

TEST(Log, AppendsAndCountsTheAnswerLength) {
  const std::string path = TempLogPath();
  for (int run = 0; run < 2; ++run) {
    OpenDriver driver(("log=" + path).c_str());
    TelegramRecord status = Request(0, 0, 0x31);
    TelegramRecord answer{};
    TelegramSensor(driver.handle, status.data(), answer.data());
  }
  const std::vector<std::string> lines = Lines(path);
  ASSERT_EQ(lines.size(), 4u) << "two runs append";
  // 8 header bytes and the 126 counted ones.
  const std::size_t hexBytes = (lines[1].size() - 26 + 1) / 3;
  EXPECT_EQ(hexBytes, 8u + 126u) << lines[1];
  DeleteFileA(path.c_str());
}

TEST(Log, UnwritableLogDoesNotStopTheExchange) {
  OpenDriver driver("log=Z:\\no\\such\\folder\\tel.log");
  TelegramRecord status = Request(0, 0, 0x31);
  TelegramRecord answer{};
  EXPECT_TRUE(TelegramSensor(driver.handle, status.data(), answer.data()));
}

}  // namespace
}  // namespace drvtest
