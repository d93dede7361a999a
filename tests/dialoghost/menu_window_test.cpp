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

// A result that names the device as the library's results do.
constexpr char kDeviceResult[] =
    "Programmversion: V03.02   Seriennummer: 0502207\nGer\xE4tevariante: Q1-06\n"
    "\nBei der Kommunikation benutzte Adresse   3  mit Zielger\xE4t  KVT-Q1.\n\n";

std::string TodayIso() {
  SYSTEMTIME now{};
  GetLocalTime(&now);
  char text[16];
  std::snprintf(text, sizeof text, "%04u-%02u-%02u", now.wYear, now.wMonth, now.wDay);
  return text;
}

// The file with its date line's value, once checked to be today's, as "*".
std::string Undated(std::string file) {
  const std::string iso = TodayIso();
  const std::size_t at = file.find("\r\nDatum: " + iso.substr(8, 2) + "." + iso.substr(5, 2) + "." + iso.substr(0, 4));
  EXPECT_NE(at, std::string::npos) << Escaped(file);
  if (at != std::string::npos) file.replace(at + 9, file.find('\r', at + 2) - at - 9, "*");
  return file;
}

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
            SendMessageA(menu, dlg::kMsgClearResults, 0, 0);
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
  // The list saved as CP1252 with CR LF under the header, with the device a simulating driver
  // describes; "Liste löschen" empties it.
  SimConfigure("device=kvtq1;address=3;variant=2;setup=no");
  const std::string path = TempFile("kvt_ergebnisliste.txt");
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
  const std::string device = DriverSimulates()
                                 ? "Ger\xE4t: KVT-Q1 (SIMULIERT)\r\nAdresse: 3\r\nSeriennummer: SN0502207\r\nVariante: 2\r\n"
                                 : "Ger\xE4t: unbekannt\r\nAdresse: unbekannt\r\nSeriennummer: unbekannt\r\nVariante: unbekannt\r\n";
  EXPECT_EQ(Escaped(Undated(FileBytes(path))), Escaped("Ergebnisliste\r\nDatum: *\r\n" + device +
                                                       "\r\nSensorstatus lesen\r\nZeile \xE4\r\n\r\nEnde \xDF\xB0\r\nNotiz \xD6\r\n"));
  SimConfigure("");
  EXPECT_EQ(afterClear, 0u);
  DeleteFileA(path.c_str());
  const MenuRun failed = RunMenu(MenuOf("GOODMENU"), {[](HWND menu) {
                                   PostMessageA(menu, dlg::kMsgSaveTo, 0,
                                                reinterpret_cast<LPARAM>("C:\\kvt_gibt_es_nicht\\liste.txt"));
                                 }});
  ASSERT_EQ(failed.ui.boxes.size(), 1u);
  EXPECT_EQ(Escaped(failed.ui.boxes[0].text), Escaped(text::kSaveFailed));
}

// ZenkDialog on the test's menu, with steps that may take other windows.
UiRun RunSteps(std::vector<UiStep> steps) {
  const Descriptor descriptor = MenuOf("GOODMENU");
  return RunUi(std::move(steps), [&] { ZenkDialog(nullptr, const_cast<ULONG_PTR *>(descriptor.data())); });
}

// "Liste löschen", "Schließen" and Esc ask while results are unsaved; a
// program's WM_CLOSE (the last step) does not.
TEST_F(MenuWindow, UnsavedResultsGoOnlyAfterTheQuestion) {
  constexpr std::size_t kClosed = 99;
  const struct {
    const char *name;
    int control;  // IDCANCEL: the Esc key
    int answer;   // 0: the list was saved, no question may come
    const char *question;
    std::size_t lines;  // left in the list
  } cases[] = {
      {"clear, Nein", dlg::kIdClear, IDNO, text::kClearQuestion, 1},
      {"clear, Ja", dlg::kIdClear, IDYES, text::kClearQuestion, 0},
      {"close, Nein", dlg::kIdClose, IDNO, text::kCloseQuestion, 1},
      {"Esc, Ja", IDCANCEL, IDYES, text::kCloseQuestion, kClosed},
      {"close after saving", dlg::kIdClose, 0, "", kClosed},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.name);
    std::string question;
    std::size_t lines = kClosed;
    std::vector<UiStep> steps{{text::kTestMenuTitle, [&](HWND menu) {
                                 RunLine(menu, kStatusLine);
                                 if (!c.answer) SendMessageA(menu, dlg::kMsgSaveTo, 0, reinterpret_cast<LPARAM>("NUL"));
                                 if (c.control != IDCANCEL) return Command(menu, c.control);
                                 Command(menu, dlg::kIdTraceToggle);  // Esc with the focus in the pane
                                 SetFocus(GetDlgItem(menu, dlg::kIdTrace)), Key(menu, VK_ESCAPE);
                               }}};
    const auto answer = [&](HWND box) { question = ItemText(box, 0xFFFF), PostMessageA(box, WM_COMMAND, c.answer, 0); };
    if (c.answer) steps.push_back({"", answer, 0, IsMessageBox});
    steps.push_back({text::kTestMenuTitle, [&](HWND menu) {
                       lines = Lines(menu, kIdResultList).size();
                       PostMessageA(menu, WM_CLOSE, 0, 0);
                     }});
    const UiRun run = RunSteps(std::move(steps));
    EXPECT_EQ(Escaped(question), Escaped(c.question));
    EXPECT_TRUE(run.boxes.empty()) << run.boxes[0].text;
    EXPECT_EQ(lines, c.lines);
  }
}

TEST_F(MenuWindow, CopiesTheListAsCp1252TextWithCrLfByButtonAndCtrlC) {
  AnswerWith("Zeile \xE4\n\nEnde \xDF");
  for (const int way : {WM_COMMAND, WM_CHAR}) {
    std::string copied = "(nichts)";
    RunMenu(MenuOf("GOODMENU"), {[&](HWND menu) {
              OpenClipboard(nullptr), EmptyClipboard(), CloseClipboard();
              RunLine(menu, kStatusLine);
              if (way == WM_CHAR) SendDlgItemMessageA(menu, kIdResultList, WM_CHAR, 3 /* Ctrl+C */, 1);
              else Command(menu, dlg::kIdCopy);
              OpenClipboard(nullptr);
              if (HANDLE text = GetClipboardData(CF_TEXT)) copied = static_cast<const char *>(GlobalLock(text));
              CloseClipboard();
            }});
    EXPECT_EQ(Escaped(copied), Escaped("Sensorstatus lesen\r\nZeile \xE4\r\n\r\nEnde \xDF\r\n")) << way;
  }
}

TEST_F(MenuWindow, TracePaneTogglesUnderTheResultList) {
  RECT alone{}, withPane{}, pane{}, again{};
  std::vector<bool> shown;  // pane visible and box checked: before, after one click, after two
  std::string text;
  RunMenu(MenuOf("GOODMENU"), {[&](HWND menu) {
            HWND list = GetDlgItem(menu, kIdResultList), trace = GetDlgItem(menu, dlg::kIdTrace);
            for (RECT *place : {&alone, &withPane, &again}) {
              GetWindowRect(list, place);
              shown.push_back(IsWindowVisible(trace) && IsDlgButtonChecked(menu, dlg::kIdTraceToggle));
              if (place == &withPane) GetWindowRect(trace, &pane), text = ListBoxLine(trace, 0);
              Command(menu, dlg::kIdTraceToggle);
            }
          }});
  EXPECT_EQ(shown, (std::vector<bool>{false, true, false}));
  EXPECT_TRUE(withPane.bottom < pane.top && pane.bottom == alone.bottom && pane.left == alone.left);
  EXPECT_TRUE(EqualRect(&alone, &again));
  if (!DriverSimulates()) { EXPECT_EQ(Escaped(text), Escaped(text::kNoTrace)); }
}

// The device the results named, in the status line and the name the save dialog proposes.
TEST_F(MenuWindow, StatusLineAndSaveDialogNameTheDevice) {
  AnswerWith(kDeviceResult);
  RECT menuPlace{}, dialogPlace{};
  std::string after, name;
  RunSteps({{text::kTestMenuTitle, [&](HWND menu) {
               RunLine(menu, kStatusLine);
               after = ItemText(menu, dlg::kIdStatus);
               GetWindowRect(menu, &menuPlace);
               Command(menu, dlg::kIdSave);
               PostMessageA(menu, WM_CLOSE, 0, 0);
             }},
            {"Ergebnisliste speichern", [&](HWND dialog) {
               GetWindowRect(dialog, &dialogPlace);
               name = Text(GetDlgItem(dialog, 0x47C) ? GetDlgItem(dialog, 0x47C) : GetDlgItem(dialog, 0x480));
               PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
             }}});
  EXPECT_EQ(Escaped(after), Escaped(std::string("Ger\xE4t: KVT-Q1") + (DriverSimulates() ? " (SIMULIERT)" : "") +
                                    "   Adresse: 3   Seriennummer: 0502207   Variante: Q1-06"));
  EXPECT_EQ(name, "KVT-Q1_" + TodayIso() + ".txt");
  EXPECT_LE(std::abs((menuPlace.left + menuPlace.right) - (dialogPlace.left + dialogPlace.right)), 2);
  EXPECT_LE(std::abs((menuPlace.top + menuPlace.bottom) - (dialogPlace.top + dialogPlace.bottom)), 2);
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
