// The driver's trace names every request that a menu entry sends in the
// menu's own words: by a line of the menu, or by lines of it joined with
// " / " where entries share one command. A request without a name, or with
// a name the menu does not hold, fails here.
#include <gtest/gtest.h>

#include <regex>
#include <set>

#include "kvtidiag/session.h"
#include "resources/menu_table.h"

namespace kvt::test {
namespace {

bool InMenuWords(const std::set<std::string> &lines, const std::string &name) {
  if (lines.count(name)) return true;
  for (std::size_t from = 0;;) {
    const std::size_t to = name.find(" / ", from);
    if (!lines.count(name.substr(from, to == std::string::npos ? std::string::npos : to - from))) return false;
    if (to == std::string::npos) return true;
    from = to + 3;
  }
}

TEST(TraceNames, EveryRequestOfTheMenuIsNamedInItsWords) {
  std::set<std::string> lines;
  for (const menu::MenuEntry &e : menu::kMenu) lines.insert(e.text);
  const DWORD before = SimTraceText(nullptr, 0);
  RunSession("", [](const Descriptor &d) {
    for (const menu::MenuEntry &e : menu::kMenu) {
      // The heading lines, and the device and file dialogs, send nothing here.
      if (e.handler == menu::kHeading || e.handler == 152 || e.handler == 154) continue;
      RunEntry(d, {e.handler, e.telegram, Bytes(2048), 0, "einrichten"});
    }
  });
  std::string trace(SimTraceText(nullptr, 0) + 1, '\0');
  SimTraceText(trace.data(), static_cast<DWORD>(trace.size()));
  trace = trace.substr(before);
  const std::regex request(R"(> 0x([0-9A-F]{2}) ([^\r]*)\r\n)");
  std::set<std::string> codes;
  for (std::sregex_iterator m(trace.begin(), trace.end(), request), end; m != end; ++m) {
    const std::string name = (*m)[2];
    codes.insert((*m)[1]);
    EXPECT_TRUE(InMenuWords(lines, name)) << "0x" << (*m)[1] << " " << Escaped(name);
  }
  EXPECT_GE(codes.size(), 45u) << "the entries reached the driver";
}

}  // namespace
}  // namespace kvt::test
