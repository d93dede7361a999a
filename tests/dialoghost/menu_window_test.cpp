// ZenkDialog's menu window driven through real window messages: the lines
// it shows, the requests it hands to the command callback in both phases,
// the result list, the other callbacks, and menus it refuses.
#include <gtest/gtest.h>
#include <malloc.h>

#include <cstdlib>

#include "dialoghost/menu_window.h"
#include "kvt/list_box.h"
#include "support/records.h"
#include "support/texts.h"
#include "support/ui.h"

namespace kvt::test {
namespace {

using dlg::kIdMenuList;
using dlg::kIdResultList;

// What the test's callbacks saw, and how they answer.
struct Host {
  std::vector<CommandRequest> calls;
  std::string password;  // of the last call
  std::function<BOOL(ULONG_PTR *request)> command = [](ULONG_PTR *) { return TRUE; };
  int modeChecks = 0;
  std::vector<HWND> setupWindows, showResultWindows;
  std::string addInfoText;
  INT_PTR addInfoResult = 1;
};
Host g_host;

BOOL WINAPI RecordCommand(HWND, ULONG_PTR *request) {
  g_host.calls.emplace_back();
  std::copy_n(request, kRequestSlots, g_host.calls.back().begin());
  g_host.password = request[kReqPassword] ? reinterpret_cast<const char *>(request[kReqPassword]) : "(none)";
  return g_host.command(request);
}

INT_PTR WINAPI RecordShowResult(HWND parent, LPSTR text) {
  g_host.showResultWindows.push_back(parent);
  lstrcpynA(text, g_host.addInfoText.c_str(), 256);
  return g_host.addInfoResult;
}

void WINAPI RecordSetup(HWND window) { g_host.setupWindows.push_back(window); }

BOOL WINAPI RecordModeCheck(LPARAM) {
  ++g_host.modeChecks;
  return FALSE;  // the window must not care
}

Descriptor MenuOf(const char *resource) {
  Descriptor d{};
  d[kDescCommandProc] = reinterpret_cast<ULONG_PTR>(&RecordCommand);
  d[kDescShowResultProc] = reinterpret_cast<ULONG_PTR>(&RecordShowResult);
  d[kDescSetupProc] = reinterpret_cast<ULONG_PTR>(&RecordSetup);
  d[kDescModeCheckProc] = reinterpret_cast<ULONG_PTR>(&RecordModeCheck);
  d[kDescInstance] = reinterpret_cast<ULONG_PTR>(GetModuleHandleA(nullptr));
  d[kDescName] = d[kDescName2] = reinterpret_cast<ULONG_PTR>(resource);
  d[kDescTitle] = reinterpret_cast<ULONG_PTR>(text::kTestMenuTitle);
  return d;
}

// ZenkDialog with each step on the menu window in turn; then it is closed.
struct MenuRun {
  int result = -1;
  UiRun ui;
};
MenuRun RunMenu(Descriptor descriptor, std::vector<std::function<void(HWND)>> steps, HWND owner = nullptr) {
  std::vector<UiStep> ui;
  for (auto &step : steps) ui.push_back({text::kTestMenuTitle, std::move(step)});
  ui.push_back({text::kTestMenuTitle, [](HWND menu) { PostMessageA(menu, WM_CLOSE, 0, 0); }});
  MenuRun run;
  run.ui = RunUi(std::move(ui), [&] { run.result = ZenkDialog(owner, descriptor.data()); });
  return run;
}

struct Line {
  std::string text;
  ULONG_PTR data;
};

std::vector<Line> Lines(HWND menu, int list) {
  std::vector<Line> lines;
  const HWND box = GetDlgItem(menu, list);
  for (int i = 0; i < SendMessageA(box, LB_GETCOUNT, 0, 0); ++i) {
    lines.push_back({ListBoxLine(box, i), static_cast<ULONG_PTR>(SendMessageA(box, LB_GETITEMDATA, i, 0))});
  }
  return lines;
}

std::string Shown(const std::vector<Line> &lines) {
  std::string out;
  for (const Line &line : lines) out += Escaped(line.text) + " [" + std::to_string(line.data) + "]\n";
  return out;
}

void Select(HWND menu, int line) { SendDlgItemMessageA(menu, kIdMenuList, LB_SETCURSEL, line, 0); }

void RunLine(HWND menu, int line) {
  Select(menu, line);
  Command(menu, dlg::kIdRun);
}

// A callback that writes `text` into ResultText and answers TRUE.
void AnswerWith(std::string text) {
  g_host.command = [text](ULONG_PTR *request) {
    lstrcpynA(reinterpret_cast<char *>(request[kReqResultText]), text.c_str(), static_cast<int>(request[kReqCapacity]));
    return TRUE;
  };
}

constexpr int kHeadingLine = 1, kStatusLine = 2, kFlaggedLine = 3;

class MenuWindow : public ::testing::Test {
 protected:
  void SetUp() override { g_host = Host{}; }
};

TEST_F(MenuWindow, ShowsEveryLineModallyAndChecksTheModeAtTheEnd) {
  std::vector<Line> lines;
  bool ownerDisabled = false;
  HWND owner = Owner();
  const MenuRun run = RunMenu(MenuOf("GOODMENU"), {[&](HWND menu) {
                                lines = Lines(menu, kIdMenuList);
                                ownerDisabled = !IsWindowEnabled(owner);
                                EXPECT_EQ(GetWindow(menu, GW_OWNER), owner);
                              }},
                              owner);
  const std::vector<Line> expected = {
      {"Reset u. Initialisierung", 10}, {text::kTestHeading, 65535},  {"Sensorstatus lesen", 13},
      {"Messwert pro Segment", 12},     {text::kTestHeading2, 65535}, {"Test Einrichtpasswort", 11},
      {text::kTestFieldLine, 18},
  };
  EXPECT_EQ(Shown(lines), Shown(expected));
  EXPECT_EQ(run.result, 1);
  EXPECT_EQ(run.ui.pending, 0u);
  EXPECT_TRUE(ownerDisabled) << "modal: the owner takes no input while the menu is open";
  EXPECT_TRUE(IsWindowEnabled(owner)) << "the owner gets its input back";
  EXPECT_EQ(g_host.modeChecks, 1);
  EXPECT_TRUE(g_host.calls.empty());
}

TEST_F(MenuWindow, RunFillsTheRequestAndShowsTheResultLineByLine) {
  const struct {
    const char *name;
    std::string resultText;
    std::vector<std::string> lines;  // after the header line
  } cases[] = {
      {"line feeds part the lines, a final one ends the last", "Zeile \xE4\n\nEnde \xB0\n", {"Zeile \xE4", "", "Ende \xB0"}},
      {"carriage returns dropped at line ends", "a\r\nb\r\n", {"a", "b"}},
      {"empty text gives only the header", "", {}},
      {"every high byte and tabs unchanged", "\x80\x85\xA0\xDF\xFF\tb", {"\x80\x85\xA0\xDF\xFF\tb"}},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.name);
    g_host = Host{};
    AnswerWith(c.resultText);
    std::vector<Line> results;
    RunMenu(MenuOf("GOODMENU"), {[&](HWND menu) {
              SetText(menu, dlg::kIdPassword, text::kTestPassword);
              RunLine(menu, kStatusLine);
              results = Lines(menu, kIdResultList);
            }});
    std::vector<Line> expected{{"Sensorstatus lesen", dlg::kLineHeader}};
    for (const std::string &line : c.lines) expected.push_back({line, dlg::kLineText});
    EXPECT_EQ(Shown(results), Shown(expected));
    ASSERT_EQ(g_host.calls.size(), 1u);
    const CommandRequest &call = g_host.calls[0];
    EXPECT_EQ(call[kReqHandler], 13u);
    EXPECT_EQ(call[kReqTelegram], 0x31u);
    EXPECT_NE(call[kReqResultText], 0u);
    EXPECT_GE(call[kReqCapacity], 64u * 1024u);
    EXPECT_EQ(call[kReqStatus] | call[kReqParamPhase] | call[kReqParamBlock] | call[kReqParamLength], 0u);
    EXPECT_EQ(Escaped(g_host.password), Escaped(text::kTestPassword));
  }
}

TEST_F(MenuWindow, ResultTextStartsEmptyAndIsReadToItsCapacity) {
  std::size_t capacity = 0;
  bool startedEmpty = false;
  g_host.command = [&](ULONG_PTR *request) {
    auto *text = reinterpret_cast<char *>(request[kReqResultText]);
    capacity = request[kReqCapacity];
    startedEmpty = text[0] == '\0';
    for (std::size_t i = 0; i + 1 < capacity; ++i) text[i] = (i % 100 == 99) ? '\n' : 'x';  // lines of 99 letters
    text[capacity - 1] = '\0';
    return TRUE;
  };
  std::vector<Line> results;
  RunMenu(MenuOf("GOODMENU"), {[&](HWND menu) {
            RunLine(menu, kStatusLine);
            results = Lines(menu, kIdResultList);
          }});
  EXPECT_TRUE(startedEmpty);
  ASSERT_EQ(results.size(), 1 + (capacity - 1 + 99) / 100);
  EXPECT_EQ(results[1].text, std::string(99, 'x'));
  EXPECT_EQ(results.back().text.size(), (capacity - 1) % 100);
}

TEST_F(MenuWindow, NewResultStartsInViewAndTheListScrollsAsWideAsItsWidestLine) {
  const struct {
    const char *name;
    std::string resultText;
    bool wider;  // than every line before
  } cases[] = {
      {"long line", std::string(150, 'x') + "\n" + std::string(60, 'z'), true},
      {"narrower lines keep the range", "kurz\n" + std::string(100, 'y'), false},
      {"tabs count as the columns they reach", std::string(20, '\t') + "x", true},
  };
  int widest = 0;
  RunMenu(MenuOf("GOODMENU"), {[&](HWND menu) {
            HWND list = GetDlgItem(menu, kIdResultList);
            for (const auto &c : cases) {
              SCOPED_TRACE(c.name);
              std::string text = c.resultText;
              for (int line = 0; line < 60; ++line) text += "\nZeile";  // more than a page: the list can scroll
              AnswerWith(text);
              const LRESULT header = SendMessageA(list, LB_GETCOUNT, 0, 0);
              RunLine(menu, kStatusLine);
              EXPECT_EQ(SendMessageA(list, LB_GETTOPINDEX, 0, 0), header) << "the new result's header at the top";
              const int extent = static_cast<int>(SendMessageA(list, LB_GETHORIZONTALEXTENT, 0, 0));
              RECT client{};
              GetClientRect(list, &client);
              EXPECT_GT(extent, client.right) << "the long line can be scrolled into view";
              EXPECT_EQ(extent > widest, c.wider);
              widest = std::max(extent, widest);
            }
            Command(menu, dlg::kIdClear);
            EXPECT_EQ(SendMessageA(list, LB_GETHORIZONTALEXTENT, 0, 0), 0);
          }});
}

bool HeapBlockAlive(ULONG_PTR block) {
  return HeapValidate(reinterpret_cast<HANDLE>(_get_heap_handle()), 0, reinterpret_cast<void *>(block)) != FALSE;
}

// A line with the flag asks for parameters first; the block a collector
// leaves hangs in the request until the execution, then it is freed.
TEST_F(MenuWindow, ParameterPhaseComesFirstAndItsBlockIsFreed) {
  const struct {
    const char *name;
    int line;
    BOOL parameters, execution;
    std::vector<ULONG_PTR> phases;
    bool shown;
  } cases[] = {
      {"flag 1, both confirmed", kFlaggedLine, TRUE, TRUE, {1, 0}, true},
      {"flag 1, parameters cancelled", kFlaggedLine, FALSE, TRUE, {1}, false},
      {"flag 0, execution FALSE, its text shown", kStatusLine, TRUE, FALSE, {0}, true},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.name);
    g_host = Host{};
    ULONG_PTR block = 0;
    bool aliveAtExecution = false, freedAfterRun = false;
    g_host.command = [&](ULONG_PTR *request) {
      if (request[kReqParamPhase]) {
        request[kReqParamBlock] = block = reinterpret_cast<ULONG_PTR>(std::malloc(33));
        request[kReqParamLength] = 33;
        return c.parameters;
      }
      aliveAtExecution = block && HeapBlockAlive(block);
      lstrcpynA(reinterpret_cast<char *>(request[kReqResultText]), "ok", 3);
      return c.execution;
    };
    std::vector<Line> results;
    RunMenu(MenuOf("GOODMENU"), {[&](HWND menu) {
              RunLine(menu, c.line);
              freedAfterRun = !block || !HeapBlockAlive(block);
              results = Lines(menu, kIdResultList);
            }});
    std::vector<ULONG_PTR> phases;
    for (const CommandRequest &call : g_host.calls) phases.push_back(call[kReqParamPhase]);
    EXPECT_EQ(phases, c.phases);
    EXPECT_EQ(results.size(), c.shown ? 2u : 0u);
    EXPECT_TRUE(freedAfterRun) << "the ParamBlock left in slot 6 is freed";
    if (phases.size() == 2) {
      EXPECT_TRUE(aliveAtExecution);
      const CommandRequest &execution = g_host.calls[1];
      EXPECT_EQ(execution[kReqParamBlock], block);
      EXPECT_EQ(execution[kReqParamLength], 33u);
      EXPECT_EQ(execution[kReqHandler], 12u);
      EXPECT_EQ(execution[kReqTelegram], 0x1Cu);
    }
  }
}

TEST_F(MenuWindow, HeadingsRunNothingAndTheSelectionSkipsThem) {
  int selection = -1;
  RunMenu(MenuOf("GOODMENU"), {[&](HWND menu) {
            auto notify = [menu](WORD code) {
              SendMessageA(menu, WM_COMMAND, MAKEWPARAM(kIdMenuList, code),
                           reinterpret_cast<LPARAM>(GetDlgItem(menu, kIdMenuList)));
            };
            RunLine(menu, kHeadingLine);
            SendMessageA(menu, WM_COMMAND, IDOK, 0);
            notify(LBN_DBLCLK);
            Select(menu, 0);  // the user moves down from line 0 onto the heading
            notify(LBN_SELCHANGE);
            Select(menu, kHeadingLine);
            notify(LBN_SELCHANGE);
            selection = static_cast<int>(SendDlgItemMessageA(menu, kIdMenuList, LB_GETCURSEL, 0, 0));
          }});
  EXPECT_TRUE(g_host.calls.empty());
  EXPECT_EQ(selection, kStatusLine);
}

TEST_F(MenuWindow, AdditionalInfoSettingsSaveAndClear) {
  const std::string longest(255, 'z');
  const struct {
    std::string text;
    INT_PTR result;
    std::vector<Line> lines;
  } cases[] = {
      {text::kTestNote, 1, {{text::kTestNote, dlg::kLineNote}}},
      {"", 0, {}},
      {"", 1, {}},
      {longest, 1, {{longest, dlg::kLineNote}}},
  };
  for (const auto &c : cases) {
    g_host = Host{};
    g_host.addInfoText = c.text;
    g_host.addInfoResult = c.result;
    std::vector<Line> results;
    HWND window = nullptr;
    RunMenu(MenuOf("GOODMENU"), {[&](HWND menu) {
              window = menu;
              Command(menu, dlg::kIdAddInfo);
              results = Lines(menu, kIdResultList);
              Command(menu, dlg::kIdSetup);
            }});
    EXPECT_EQ(Shown(results), Shown(c.lines)) << c.result;
    EXPECT_EQ(g_host.showResultWindows, std::vector<HWND>{window});
    EXPECT_EQ(g_host.setupWindows, std::vector<HWND>{window});
    EXPECT_TRUE(g_host.calls.empty());
  }
  // The list saved as CP1252 with CR LF; "Liste löschen" empties it.
  char folder[MAX_PATH] = "";
  GetTempPathA(sizeof folder, folder);
  const std::string path = std::string(folder) + "kvt_ergebnisliste.txt";
  g_host = Host{};
  AnswerWith("Zeile \xE4\n\nEnde \xDF\xB0");
  g_host.addInfoText = "Notiz \xD6";
  LRESULT saved = FALSE;
  std::size_t afterClear = 99;
  RunMenu(MenuOf("GOODMENU"), {[&](HWND menu) {
            RunLine(menu, kStatusLine);
            Command(menu, dlg::kIdAddInfo);
            saved = SendMessageA(menu, dlg::kMsgSaveTo, 0, reinterpret_cast<LPARAM>(path.c_str()));
            Command(menu, dlg::kIdClear);
            afterClear = Lines(menu, kIdResultList).size();
          }});
  EXPECT_TRUE(saved);
  EXPECT_EQ(Escaped(FileBytes(path)), Escaped("Sensorstatus lesen\r\nZeile \xE4\r\n\r\nEnde \xDF\xB0\r\nNotiz \xD6\r\n"));
  EXPECT_EQ(afterClear, 0u);
  DeleteFileA(path.c_str());
  const MenuRun failed = RunMenu(MenuOf("GOODMENU"), {[](HWND menu) {
                                   PostMessageA(menu, dlg::kMsgSaveTo, 0,
                                                reinterpret_cast<LPARAM>("C:\\kvt_gibt_es_nicht\\liste.txt"));
                                 }});
  ASSERT_EQ(failed.ui.boxes.size(), 1u);
  EXPECT_EQ(Escaped(failed.ui.boxes[0].text), Escaped(text::kSaveFailed));
}

TEST(BrokenMenu, RefusedWithAClearMessageAndNoWindow) {
  const std::pair<const char *, const char *> cases[] = {
      {"TRUNCATED", text::kMenuTruncated3},     {"NOZERO", text::kMenuNoZero},
      {"SHORTHEAD", text::kMenuShortHead},      {"BADFLAG", text::kMenuBadFlag},
      {"TRAILING", text::kMenuTrailing},        {"EMPTY", text::kMenuEmpty},
      {"ONEBYTE", text::kMenuOneByte},          {"GIBTESNICHT", text::kMenuMissing},
  };
  for (const auto &[resource, message] : cases) {
    SCOPED_TRACE(resource);
    g_host = Host{};
    const MenuRun run = RunMenu(MenuOf(resource), {});
    EXPECT_EQ(run.result, 0);
    EXPECT_EQ(run.ui.pending, 1u) << "no menu window";
    ASSERT_EQ(run.ui.boxes.size(), 1u);
    EXPECT_EQ(Escaped(run.ui.boxes[0].text), Escaped(message));
    EXPECT_EQ(g_host.modeChecks, 0);
  }
  Descriptor descriptor = MenuOf("GOODMENU");
  descriptor[kDescCommandProc] = 0;
  const MenuRun run = RunMenu(descriptor, {});
  EXPECT_EQ(run.result, 0);
  ASSERT_EQ(run.ui.boxes.size(), 1u);
  EXPECT_EQ(Escaped(run.ui.boxes[0].text), Escaped(text::kMenuWithoutCommand));
}

}  // namespace
}  // namespace kvt::test
