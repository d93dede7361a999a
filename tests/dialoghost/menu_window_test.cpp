// The menu window driven through real window messages under Xvfb.
#include <gtest/gtest.h>
#include <malloc.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "menu_driver.h"

using namespace kvt;
using namespace kvt::test;
using dlg::kIdMenuList;
using dlg::kIdResultList;

namespace {

// GOODMENU of menus.rc, written out once more by hand.
struct ExpectedEntry {
  const char *text;
  ULONG_PTR handler;
  ULONG_PTR telegram;
  bool parameters;
};
const std::vector<ExpectedEntry> kGoodMenu = {
    {"Reset u. Initialisierung", 10, 65535, false},
    {"Überschrift Größe", 65535, 65535, false},
    {"Sensorstatus lesen", 13, 0x31, false},
    {"Messwert pro Segment", 12, 0x1C, true},
    {"Zweite Überschrift", 65535, 65535, false},
    {"Test Einrichtpasswort", 11, 0x44, false},
    {"Feld für Prüfung ", 18, 0x2A, true},
};
constexpr int kStatusLine = 2;
constexpr int kFlaggedLine = 3;
constexpr int kHeadingLine = 1;

void ExpectLines(const std::vector<ListLine> &actual, const std::vector<ListLine> &expected, const char *what) {
  std::string differences;
  for (std::size_t i = 0; i < std::max(actual.size(), expected.size()); ++i) {
    const std::string a = i < actual.size() ? Escaped(actual[i].text) + " [" + std::to_string(actual[i].data) + "]" : "(none)";
    const std::string e =
        i < expected.size() ? Escaped(expected[i].text) + " [" + std::to_string(expected[i].data) + "]" : "(none)";
    if (a != e) differences += "  line " + std::to_string(i) + ": got " + a + ", expected " + e + "\n";
  }
  EXPECT_TRUE(differences.empty()) << what << ":\n" << differences;
}

// A callback that writes `text` into ResultText and answers TRUE.
void AnswerWith(std::string text) {
  Log().command = [text](ULONG_PTR *request) {
    lstrcpynA(reinterpret_cast<char *>(request[kReqResultText]), text.c_str(),
              static_cast<int>(request[kReqCapacity]));
    return TRUE;
  };
}

bool HeapBlockAlive(ULONG_PTR block) {
  return HeapValidate(reinterpret_cast<HANDLE>(_get_heap_handle()), 0, reinterpret_cast<void *>(block)) != FALSE;
}

class MenuWindowTest : public ::testing::Test {
 protected:
  void SetUp() override { ResetLog(); }
  void TearDown() override { EXPECT_FALSE(StepsTimedOut()) << "the steps did not all run"; }
  Descriptor descriptor = MakeDescriptor("GOODMENU");
};

TEST_F(MenuWindowTest, ShowsEveryLineWithItsHandlerAndTheTitle) {
  std::vector<ListLine> menuLines;
  std::string title;
  bool ownerDisabled = false;
  HWND owner = CreateWindowExA(0, "STATIC", "Besitzer", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 100, nullptr,
                               nullptr, nullptr, nullptr);
  const int result = RunMenu(descriptor,
                             {[&](HWND menu) {
                               menuLines = ListLines(menu, kIdMenuList);
                               char text[64] = "";
                               GetWindowTextA(menu, text, sizeof text);
                               title = text;
                               ownerDisabled = !IsWindowEnabled(owner);
                               EXPECT_EQ(GetWindow(menu, GW_OWNER), owner);
                             }},
                             owner);
  std::vector<ListLine> expected;
  for (const ExpectedEntry &entry : kGoodMenu) expected.push_back({entry.text, entry.handler});
  ExpectLines(menuLines, expected, "menu list");
  EXPECT_EQ(title, "Prüfmenü");
  EXPECT_EQ(result, 1);
  EXPECT_TRUE(ownerDisabled) << "modal: the owner takes no input while the menu is open";
  EXPECT_TRUE(IsWindowEnabled(owner)) << "the owner gets its input back";
  EXPECT_EQ(Log().modeChecks, 1);
  EXPECT_TRUE(Log().calls.empty());
  DestroyWindow(owner);
}

TEST_F(MenuWindowTest, RunFillsTheRequestAndShowsTheResultTextLineByLine) {
  struct Case {
    const char *name;
    std::string resultText;
    std::vector<std::string> lines;  // after the header line
  };
  const std::vector<Case> cases = {
      {"two lines", "Zeile eins ä\nZweite Zeile ß", {"Zeile eins ä", "Zweite Zeile ß"}},
      {"final line feed ends the line", "Ende °\n", {"Ende °"}},
      {"empty line kept", "a\n\nb\n\n", {"a", "", "b", ""}},
      {"carriage returns dropped at line ends", "a\r\nb\r\n", {"a", "b"}},
      {"empty text gives only the header", "", {}},
      {"every high byte unchanged", "\x80\x85\xA0\xB0\xC4\xD6\xDC\xDF\xE4\xF6\xFC\xFF", {"\x80\x85\xA0\xB0\xC4\xD6\xDC\xDF\xE4\xF6\xFC\xFF"}},
      {"tabs kept", "a\tb", {"a\tb"}},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.name);
    ResetLog();
    AnswerWith(c.resultText);
    std::vector<ListLine> results;
    RunMenu(descriptor, {[](HWND menu) {
                           SetDlgItemTextA(menu, dlg::kIdPassword, "Pässwort");
                           SelectLine(menu, kStatusLine);
                           Click(menu, dlg::kIdRun);
                         },
                         [&](HWND menu) { results = ListLines(menu, kIdResultList); }});
    std::vector<ListLine> expected{{"Sensorstatus lesen", dlg::kLineHeader}};
    for (const std::string &line : c.lines) expected.push_back({line, dlg::kLineText});
    ExpectLines(results, expected, "result list");
    ASSERT_EQ(Log().calls.size(), 1u);
    const CommandCall &call = Log().calls[0];
    EXPECT_NE(call.owner, nullptr);
    EXPECT_EQ(call.slots[kReqHandler], 13u);
    EXPECT_EQ(call.slots[kReqTelegram], 0x31u);
    EXPECT_NE(call.slots[kReqResultText], 0u);
    EXPECT_GE(call.slots[kReqCapacity], 64u * 1024u);
    EXPECT_EQ(call.slots[kReqStatus], 0u);
    EXPECT_EQ(call.slots[kReqParamPhase], 0u);
    EXPECT_EQ(call.slots[kReqParamBlock], 0u);
    EXPECT_EQ(call.slots[kReqParamLength], 0u);
    EXPECT_EQ(Escaped(call.password), Escaped("Pässwort"));
  }
}

TEST_F(MenuWindowTest, ResultTextStartsEmptyAndIsReadToItsCapacity) {
  std::size_t capacity = 0;
  bool startedEmpty = false;
  Log().command = [&](ULONG_PTR *request) {
    auto *text = reinterpret_cast<char *>(request[kReqResultText]);
    capacity = request[kReqCapacity];
    startedEmpty = text[0] == '\0';
    // Lines of 99 letters, the buffer filled to its last byte.
    for (std::size_t i = 0; i + 1 < capacity; ++i) text[i] = (i % 100 == 99) ? '\n' : 'x';
    text[capacity - 1] = '\0';
    return TRUE;
  };
  std::vector<ListLine> results;
  RunMenu(descriptor, {[](HWND menu) {
                         SelectLine(menu, kStatusLine);
                         Click(menu, dlg::kIdRun);
                       },
                       [&](HWND menu) { results = ListLines(menu, kIdResultList); }});
  ASSERT_GE(capacity, 64u * 1024u);
  EXPECT_TRUE(startedEmpty);
  ASSERT_EQ(results.size(), 1 + (capacity - 1 + 99) / 100);
  EXPECT_EQ(results[1].text, std::string(99, 'x'));
  EXPECT_EQ(results.back().text.size(), (capacity - 1) % 100);
}

TEST_F(MenuWindowTest, ParameterPhaseComesFirstAndItsBlockIsFreed) {
  struct Case {
    const char *name;
    int line;
    BOOL parameterResult;
    BOOL executionResult;
    std::vector<ULONG_PTR> phases;
    bool shown;
    const char *text = "ok";  // what the execution leaves in ResultText
  };
  const std::vector<Case> cases = {
      {"flag 1, both confirmed", kFlaggedLine, TRUE, TRUE, {1, 0}, true},
      {"flag 1, parameters cancelled", kFlaggedLine, FALSE, TRUE, {1}, false},
      {"flag 1, execution FALSE with a text", kFlaggedLine, TRUE, FALSE, {1, 0}, true},
      {"flag 0, one execution", kStatusLine, TRUE, TRUE, {0}, true},
      {"flag 0, execution FALSE without a text", kStatusLine, TRUE, FALSE, {0}, false, ""},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.name);
    ResetLog();
    ULONG_PTR block = 0;
    bool blockAliveAtExecution = false;
    Log().command = [&](ULONG_PTR *request) {
      if (request[kReqParamPhase]) {
        // As a collector does: obtain the block once, record its length.
        if (!request[kReqParamBlock]) {
          request[kReqParamBlock] = reinterpret_cast<ULONG_PTR>(std::malloc(33));
          request[kReqParamLength] = 33;
          block = request[kReqParamBlock];
        }
        return c.parameterResult;
      }
      blockAliveAtExecution = block && HeapBlockAlive(block);
      lstrcpynA(reinterpret_cast<char *>(request[kReqResultText]), c.text, 3);
      return c.executionResult;
    };
    std::vector<ListLine> results;
    bool freedAfterRun = false;
    RunMenu(descriptor, {[&](HWND menu) {
                           SelectLine(menu, c.line);
                           Click(menu, dlg::kIdRun);
                           freedAfterRun = !block || !HeapBlockAlive(block);
                         },
                         [&](HWND menu) { results = ListLines(menu, kIdResultList); }});
    std::vector<ULONG_PTR> phases;
    for (const CommandCall &call : Log().calls) phases.push_back(call.slots[kReqParamPhase]);
    EXPECT_EQ(phases, c.phases);
    EXPECT_EQ(results.size(), c.shown ? 2u : 0u);
    EXPECT_TRUE(freedAfterRun) << "the ParamBlock left in slot 6 is freed";
    if (c.phases.size() == 2 && Log().calls.size() == 2) {
      EXPECT_TRUE(blockAliveAtExecution);
      const CommandCall &execution = Log().calls[1];
      EXPECT_EQ(execution.slots[kReqParamBlock], block) << "the block hangs in the request between the phases";
      EXPECT_EQ(execution.slots[kReqParamLength], 33u);
      EXPECT_EQ(execution.slots[kReqHandler], 12u);
      EXPECT_EQ(execution.slots[kReqTelegram], 0x1Cu);
      EXPECT_EQ(execution.slots[kReqResultText], Log().calls[0].slots[kReqResultText]);
    }
  }
}

TEST_F(MenuWindowTest, HeadingsRunNothingWhicheverWayTheyAreChosen) {
  int selectionAfterMove = -1;
  RunMenu(descriptor, {[](HWND menu) {
                         SelectLine(menu, kHeadingLine);
                         Click(menu, dlg::kIdRun);
                         SendMessageA(menu, WM_COMMAND, IDOK, 0);
                         SendMessageA(menu, WM_COMMAND, MAKEWPARAM(kIdMenuList, LBN_DBLCLK),
                                      reinterpret_cast<LPARAM>(GetDlgItem(menu, kIdMenuList)));
                       },
                       [&](HWND menu) {
                         // The user moves down from line 0 onto the heading: the selection skips it.
                         SelectLine(menu, 0);
                         SendMessageA(menu, WM_COMMAND, MAKEWPARAM(kIdMenuList, LBN_SELCHANGE),
                                      reinterpret_cast<LPARAM>(GetDlgItem(menu, kIdMenuList)));
                         SelectLine(menu, kHeadingLine);
                         SendMessageA(menu, WM_COMMAND, MAKEWPARAM(kIdMenuList, LBN_SELCHANGE),
                                      reinterpret_cast<LPARAM>(GetDlgItem(menu, kIdMenuList)));
                         selectionAfterMove =
                             static_cast<int>(SendDlgItemMessageA(menu, kIdMenuList, LB_GETCURSEL, 0, 0));
                       }});
  EXPECT_TRUE(Log().calls.empty());
  EXPECT_EQ(selectionAfterMove, kStatusLine);
}

TEST_F(MenuWindowTest, KeyboardEnterRunsTabMovesAndEscapeCloses) {
  HWND focusAfterTab = nullptr;
  HWND password = nullptr;
  std::size_t callsAfterEnter = 0;
  AnswerWith("Tastatur");
  const int result = RunMenu(descriptor, {[](HWND menu) {
                                            HWND list = GetDlgItem(menu, kIdMenuList);
                                            SetFocus(list);
                                            SelectLine(menu, kStatusLine);
                                            PostMessageA(list, WM_KEYDOWN, VK_RETURN, 0);
                                          },
                                          [&](HWND menu) {
                                            callsAfterEnter = Log().calls.size();
                                            password = GetDlgItem(menu, dlg::kIdPassword);
                                            PostMessageA(GetDlgItem(menu, kIdMenuList), WM_KEYDOWN, VK_TAB, 0);
                                          },
                                          [&](HWND) {
                                            focusAfterTab = GetFocus();
                                            PostMessageA(focusAfterTab, WM_KEYDOWN, VK_ESCAPE, 0);
                                          }});
  EXPECT_EQ(callsAfterEnter, 1u);
  EXPECT_EQ(focusAfterTab, password);
  EXPECT_EQ(result, 1);
  EXPECT_EQ(Log().modeChecks, 1);
}

TEST_F(MenuWindowTest, AdditionalInfoAddsTheUsersLineOnlyWhenConfirmed) {
  struct Case {
    const char *name;
    std::string text;
    INT_PTR result;
    std::vector<ListLine> lines;
  };
  const std::string longest(255, 'z');
  const std::vector<Case> cases = {
      {"confirmed", "Zusatz für Prüfung", 1, {{"Zusatz für Prüfung", dlg::kLineNote}}},
      {"cancelled", "", 0, {}},
      {"confirmed but empty", "", 1, {}},
      {"dialog failed", "", -1, {}},
      {"255 characters fill the buffer", longest, 1, {{longest, dlg::kLineNote}}},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.name);
    ResetLog();
    Log().addInfoText = c.text;
    Log().addInfoResult = c.result;
    std::vector<ListLine> results;
    HWND window = nullptr;
    RunMenu(descriptor, {[&](HWND menu) {
                           window = menu;
                           Click(menu, dlg::kIdAddInfo);
                           results = ListLines(menu, kIdResultList);
                         }});
    ExpectLines(results, c.lines, "result list");
    EXPECT_EQ(Log().showResultWindows, std::vector<HWND>{window});
  }
}

TEST_F(MenuWindowTest, SettingsCallTheSetupCallbackWithTheWindow) {
  HWND window = nullptr;
  RunMenu(descriptor, {[&](HWND menu) {
                         window = menu;
                         Click(menu, dlg::kIdSetup);
                       }});
  EXPECT_EQ(Log().setupWindows, std::vector<HWND>{window});
  EXPECT_TRUE(Log().calls.empty());
}

TEST_F(MenuWindowTest, CloseButtonEndsTheMenuAndChecksTheModeOnce) {
  const int result = RunMenu(descriptor, {[](HWND menu) { Click(menu, dlg::kIdClose); }});
  EXPECT_EQ(result, 1);
  EXPECT_EQ(Log().modeChecks, 1);
}

std::string ReadFileBytes(const char *path) {
  std::string bytes;
  if (FILE *file = std::fopen(path, "rb")) {
    char buffer[4096];
    std::size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) bytes.append(buffer, got);
    std::fclose(file);
  }
  return bytes;
}

std::string TempPath(const char *name) {
  char directory[MAX_PATH] = "";
  GetTempPathA(sizeof directory, directory);
  return std::string(directory) + name;
}

TEST_F(MenuWindowTest, SavedListIsCp1252WithCrlfAndClearEmptiesIt) {
  const std::string path = TempPath("kvt_ergebnisliste.txt");
  DeleteFileA(path.c_str());
  AnswerWith("Zeile ä\n\nEnde ß°");
  Log().addInfoText = "Notiz Ö";
  LRESULT saved = FALSE;
  std::size_t linesAfterClear = 99;
  RunMenu(descriptor, {[&](HWND menu) {
                         SelectLine(menu, kStatusLine);
                         Click(menu, dlg::kIdRun);
                         Click(menu, dlg::kIdAddInfo);
                         saved = SendMessageA(menu, dlg::kMsgSaveTo, 0, reinterpret_cast<LPARAM>(path.c_str()));
                         Click(menu, dlg::kIdClear);
                         linesAfterClear = ListLines(menu, kIdResultList).size();
                       }});
  EXPECT_TRUE(saved);
  EXPECT_EQ(Escaped(ReadFileBytes(path.c_str())),
            Escaped("Sensorstatus lesen\r\nZeile \xE4\r\n\r\nEnde \xDF\xB0\r\nNotiz \xD6\r\n"));
  EXPECT_EQ(linesAfterClear, 0u);
  DeleteFileA(path.c_str());
}

// The file dialog's name field: the combo box of the explorer style or the plain edit.
HWND FileNameField(HWND dialog) {
  for (int id : {0x47C, 0x480}) {
    if (HWND field = GetDlgItem(dialog, id)) return field;
  }
  return nullptr;
}

HWND FileDialog() {
  HWND found = nullptr;
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND window, LPARAM context) -> BOOL {
        char name[16] = "";
        GetClassNameA(window, name, sizeof name);
        if (lstrcmpA(name, "#32770") != 0 || !IsWindowVisible(window) || !FileNameField(window)) return TRUE;
        *reinterpret_cast<HWND *>(context) = window;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&found));
  return found;
}

TEST_F(MenuWindowTest, SaveButtonAsksForTheFileAndWritesThere) {
  const std::string path = TempPath("kvt_dialogliste.txt");
  DeleteFileA(path.c_str());
  AnswerWith("Gespeichert ü");
  std::string dialogTitle;
  std::vector<MenuStep> steps = {[](HWND menu) {
                                   SelectLine(menu, kStatusLine);
                                   Click(menu, dlg::kIdRun);
                                   PostMessageA(menu, WM_COMMAND, MAKEWPARAM(dlg::kIdSave, BN_CLICKED), 0);
                                 }};
  // The file dialog takes a moment to open; the steps wait for it.
  for (int i = 0; i < 100; ++i) {
    steps.push_back([&](HWND) {
      HWND dialog = FileDialog();
      if (!dialog || !dialogTitle.empty()) return;
      char title[64] = "";
      GetWindowTextA(dialog, title, sizeof title);
      dialogTitle = title;
      SetWindowTextA(FileNameField(dialog), path.c_str());
      PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
    });
  }
  RunMenu(descriptor, steps);
  EXPECT_EQ(dialogTitle, "Ergebnisliste speichern");
  EXPECT_EQ(Escaped(ReadFileBytes(path.c_str())), Escaped("Sensorstatus lesen\r\nGespeichert \xFC\r\n"));
  DeleteFileA(path.c_str());
}

TEST_F(MenuWindowTest, SaveFailureShowsAGermanMessage) {
  const char *path = "C:\\kvt_gibt_es_nicht\\liste.txt";
  RunMenu(descriptor, {[&](HWND menu) { PostMessageA(menu, dlg::kMsgSaveTo, 0, reinterpret_cast<LPARAM>(path)); },
                       [](HWND) {}, [](HWND) {}, [](HWND) {}});
  ASSERT_EQ(Log().messageBoxes.size(), 1u);
  EXPECT_EQ(Log().messageBoxes[0],
            "Die Ergebnisliste konnte nicht in die Datei \"C:\\kvt_gibt_es_nicht\\liste.txt\" geschrieben werden.");
}

TEST_F(MenuWindowTest, ResizingLaysTheControlsOutAgain) {
  struct Size {
    int width, height;
  };
  for (Size size : {Size{800, 500}, Size{1200, 820}, Size{720, 360}}) {
    SCOPED_TRACE(std::to_string(size.width) + "x" + std::to_string(size.height));
    RECT client{}, menuList{}, results{}, close{}, run{};
    RunMenu(descriptor, {[&](HWND menu) {
                           SetWindowPos(menu, nullptr, 0, 0, size.width, size.height, SWP_NOZORDER | SWP_NOMOVE);
                           GetClientRect(menu, &client);
                           auto place = [menu](int id, RECT &r) {
                             GetWindowRect(GetDlgItem(menu, id), &r);
                             MapWindowPoints(nullptr, menu, reinterpret_cast<POINT *>(&r), 2);
                           };
                           place(kIdMenuList, menuList);
                           place(kIdResultList, results);
                           place(dlg::kIdClose, close);
                           place(dlg::kIdRun, run);
                         }});
    EXPECT_LT(menuList.right, results.left) << "menu list left of the result list";
    EXPECT_EQ(results.right, client.right - 8) << "result list reaches the right edge";
    EXPECT_EQ(close.right, client.right - 8);
    EXPECT_EQ(close.bottom, client.bottom - 8) << "buttons at the bottom";
    EXPECT_LE(results.bottom, run.top);
    EXPECT_GT(results.bottom - results.top, 100);
  }
}

TEST(BrokenMenu, RefusedWithAClearMessageAndNoWindow) {
  struct Case {
    const char *resource;
    const char *message;
  };
  const std::vector<Case> cases = {
      {"TRUNCATED", "Die Menüressource \"TRUNCATED\" ist unvollständig: Eintrag 3 von 3 ist abgeschnitten."},
      {"NOZERO", "Die Menüressource \"NOZERO\" ist unvollständig: Eintrag 1 von 1 ist abgeschnitten."},
      {"SHORTHEAD", "Die Menüressource \"SHORTHEAD\" ist unvollständig: Eintrag 2 von 2 ist abgeschnitten."},
      {"BADFLAG", "Die Menüressource \"BADFLAG\" ist fehlerhaft: Eintrag 1 hat das unbekannte Kennzeichen 2."},
      {"TRAILING", "Die Menüressource \"TRAILING\" ist fehlerhaft: Nach dem letzten Eintrag folgen noch 3 Bytes."},
      {"EMPTY", "Die Menüressource \"EMPTY\" enthält keine Einträge."},
      {"ONEBYTE", "Die Menüressource \"ONEBYTE\" ist zu kurz: Es fehlt sogar die Anzahl der Einträge."},
      {"GIBTESNICHT", "Die Menüressource \"GIBTESNICHT\" wurde nicht gefunden."},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.resource);
    ResetLog();
    Descriptor descriptor = MakeDescriptor(c.resource);
    bool menuShown = false;
    EXPECT_EQ(RunMenu(descriptor, {[&](HWND) { menuShown = true; }}), 0);
    EXPECT_FALSE(menuShown);
    ASSERT_EQ(Log().messageBoxes.size(), 1u);
    EXPECT_EQ(Escaped(Log().messageBoxes[0]), Escaped(c.message));
    EXPECT_EQ(Log().modeChecks, 0);
    EXPECT_TRUE(Log().calls.empty());
  }
}

TEST(BrokenMenu, DescriptorWithoutCommandCallbackIsRefused) {
  ResetLog();
  Descriptor descriptor = MakeDescriptor("GOODMENU");
  descriptor[kDescCommandProc] = 0;
  EXPECT_EQ(RunMenu(descriptor, {}), 0);
  ASSERT_EQ(Log().messageBoxes.size(), 1u);
  EXPECT_EQ(Log().messageBoxes[0], "Das Diagnosemenü kann nicht geöffnet werden: Es fehlt die Befehlsfunktion.");
}

}  // namespace
