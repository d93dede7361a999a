// KVTIHOST.EXE --script, started with CreateProcess; stdout and stderr are
// read through one pipe and compared as UTF-8 lines.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr DWORD kProcessLimitMs = 120000;

struct Outcome {
  DWORD exitCode = 0xFFFFFFFF;
  std::string output;
  bool finished = false;
};

// Concatenation by appending: GCC 12 warns falsely on `"literal" + string`.
std::string Joined(std::initializer_list<std::string_view> pieces) {
  std::string text;
  for (std::string_view piece : pieces) text.append(piece);
  return text;
}

std::string Directory(const std::string &path) { return path.substr(0, path.find_last_of("\\/") + 1); }

std::string ProgramDirectory() {
  char path[MAX_PATH] = "";
  GetModuleFileNameA(nullptr, path, sizeof path);
  return Directory(path);
}

std::string TempFile(const char *name) {
  char directory[MAX_PATH] = "";
  GetTempPathA(sizeof directory, directory);
  return std::string(directory) + name;
}

bool WriteText(const std::string &path, const std::string &text) {
  FILE *file = std::fopen(path.c_str(), "wb");
  if (!file) return false;
  const bool ok = std::fwrite(text.data(), 1, text.size(), file) == text.size();
  return std::fclose(file) == 0 && ok;
}

Outcome RunHost(const std::string &arguments) {
  Outcome outcome;
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  HANDLE readEnd = nullptr;
  HANDLE writeEnd = nullptr;
  if (!CreatePipe(&readEnd, &writeEnd, &inherit, 0)) return outcome;
  SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdOutput = writeEnd;
  startup.hStdError = writeEnd;
  startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
  PROCESS_INFORMATION process{};
  std::string command = Joined({"\"", ProgramDirectory(), "KVTIHOST.EXE\" ", arguments});
  const BOOL started = CreateProcessA(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr,
                                      ProgramDirectory().c_str(), &startup, &process);
  CloseHandle(writeEnd);
  if (!started) {
    CloseHandle(readEnd);
    return outcome;
  }
  const DWORD start = GetTickCount();
  for (;;) {
    DWORD available = 0;
    if (!PeekNamedPipe(readEnd, nullptr, 0, nullptr, &available, nullptr)) break;  // the writer is gone
    if (available > 0) {
      char buffer[4096];
      DWORD got = 0;
      if (!ReadFile(readEnd, buffer, sizeof buffer, &got, nullptr) || got == 0) break;
      outcome.output.append(buffer, got);
      continue;
    }
    if (GetTickCount() - start > kProcessLimitMs) {
      TerminateProcess(process.hProcess, 99);
      break;
    }
    Sleep(20);
  }
  outcome.finished = WaitForSingleObject(process.hProcess, 10000) == WAIT_OBJECT_0;
  GetExitCodeProcess(process.hProcess, &outcome.exitCode);
  CloseHandle(process.hProcess);
  CloseHandle(process.hThread);
  CloseHandle(readEnd);
  return outcome;
}

Outcome RunScript(const std::string &script, const std::string &extra = "") {
  const std::string path = TempFile("kvt_host_test.kvts");
  EXPECT_TRUE(WriteText(path, script));
  Outcome outcome = RunHost(Joined({"--script \"", path, "\" ", extra}));
  DeleteFileA(path.c_str());
  return outcome;
}

constexpr char kKvtStart[] = "sim device=kvt;address=0;setup=no\naddress 0\ntype KVT\n";

struct Case {
  const char *name;
  std::string script;
  DWORD exitCode;
  std::vector<std::string> present;  // whole lines (UTF-8) that must be printed
  std::vector<std::string> absent;
};

bool HasLine(const std::string &output, const std::string &line) {
  return Joined({"\n", output}).find(Joined({"\n", line, "\n"})) != std::string::npos;
}

TEST(HostScript, PrintsWhatTheRunShowsAndExitsWithTheRightCode) {
  const std::vector<Case> cases = {
      {"kvt detected, menu printed",
       std::string(kKvtStart) + "menu\nclose\n",
       0,
       {"Erkannter Gerätetyp: KVT", "Geräteadresse: 0", "Gerätetyp: KVT",
        "Menü: 119 Zeilen, 16 Überschriften, 103 Befehle", "   Gerät und Adresse setzen",
        "== MODI FÜR MESSWERTÜBERTRAGUNG ==", "   Feldsatz im FLÜCHTIGEN Speicher", "   Progammdownload"},
       {}},
      {"a line runs and its result is printed",
       std::string(kKvtStart) + "# a comment\n\nrun Reset u. Initialisierung\nexpect zurückgesetzt\nprint\n",
       0,
       {"Ausführen: Reset u. Initialisierung", "Reset u. Initialisierung", "Sensor wird zurückgesetzt!"},
       {}},
      {"a line's own dialog: cancelled shows nothing, confirmed runs",
       std::string(kKvtStart) +
           "run Anzahl der Mehrfachauswertungen\npress Abbrechen\nprint\n"
           "run Anzahl der Mehrfachauswertungen\npress OK\nexpect Anzahl der Mehrfachauswertungen\n",
       0,
       {"Ergebnisliste: 0 Zeilen"},
       {}},
      {"the device dialog opened from the menu is answered like the first",
       std::string(kKvtStart) + "run Gerät und Adresse setzen\naddress 5\ntype PXD\n"
                                "expect Adresse   5  mit Zielgerät  PXD.\n",
       0,
       {"Geräteadresse: 5", "Gerätetyp: PXD"},
       {}},
      {"address out of range: the library's message is printed and answered",
       "sim device=kvt;address=0;setup=no\naddress 200\nmenu\n",
       0,
       {"Geräteadresse: 200", "Meldung: Adresse muss zwischen 0 und 127  liegen!",
        "Menü: 119 Zeilen, 16 Überschriften, 103 Befehle"},
       {}},
      {"unknown command stops before anything runs",
       "sim device=kvt;address=0\nfrobnicate now\n",
       2,
       {},
       {"Erkannter Gerätetyp: KVT"}},
      {"command without its argument", "run\n", 2, {}, {}},
      {"menu line that does not exist",
       std::string(kKvtStart) + "run Gibt es nicht\nprint\n",
       1,
       {"Fehler in Zeile 4 (run): Die Menüzeile \"Gibt es nicht\" gibt es nicht."},
       {"Ergebnisliste: 0 Zeilen"}},
      {"a heading does not run",
       std::string(kKvtStart) + "run Lernmodusbefehle\n",
       1,
       {"Fehler in Zeile 4 (run): \"Lernmodusbefehle\" ist eine Überschrift und lässt sich nicht ausführen."},
       {}},
      {"expectation not met", std::string(kKvtStart) + "expect Gibt es nicht\n", 1, {}, {}},
      {"cancelled device dialog leaves no menu",
       "sim device=kvt;address=0;setup=no\ncancel\nmenu\n",
       1,
       {"Fehler in Zeile 3 (menu): Das Diagnosemenü ist nicht geöffnet."},
       {}},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.name);
    const Outcome outcome = RunScript(c.script);
    EXPECT_TRUE(outcome.finished);
    EXPECT_EQ(outcome.exitCode, c.exitCode) << outcome.output;
    for (const std::string &line : c.present) EXPECT_TRUE(HasLine(outcome.output, line)) << line << "\n---\n" << outcome.output;
    for (const std::string &line : c.absent) EXPECT_FALSE(HasLine(outcome.output, line)) << line << "\n---\n" << outcome.output;
  }
}

TEST(HostScript, ParseErrorsNameTheLine) {
  const Outcome unknown = RunScript("sim device=kvt\n\nfrobnicate\n");
  EXPECT_EQ(unknown.exitCode, 2u);
  EXPECT_NE(unknown.output.find("Zeile 3: unbekannter Befehl \"frobnicate\""), std::string::npos) << unknown.output;
  const Outcome missing = RunScript("run\n");
  EXPECT_NE(missing.output.find("Zeile 1: \"run\" braucht ein Argument: run MENÜZEILE"), std::string::npos)
      << missing.output;
}

TEST(HostScript, WatchdogEndsAStuckScript) {
  // "set" waits for a dialog that never comes.
  const Outcome outcome = RunScript(std::string(kKvtStart) + "set 1000 x\n", "--timeout 2");
  EXPECT_EQ(outcome.exitCode, 3u) << outcome.output;
  EXPECT_NE(outcome.output.find("Fehler in Zeile 4 (set): Zeitüberschreitung nach 2 s."), std::string::npos)
      << outcome.output;
}

TEST(HostScript, ScreenshotIsABitmapOfTheMenuWindow) {
  const std::string picture = TempFile("kvt_menu_test.bmp");
  DeleteFileA(picture.c_str());
  const Outcome outcome = RunScript(std::string(kKvtStart) + "menu\nclose\n", Joined({"--screenshot \"", picture, "\""}));
  EXPECT_EQ(outcome.exitCode, 0u) << outcome.output;
  EXPECT_TRUE(HasLine(outcome.output, Joined({"Bildschirmfoto: ", picture}))) << outcome.output;
  std::string bytes;
  if (FILE *file = std::fopen(picture.c_str(), "rb")) {
    char buffer[4096];
    std::size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) bytes.append(buffer, got);
    std::fclose(file);
  }
  ASSERT_GT(bytes.size(), 54u);
  EXPECT_EQ(bytes.substr(0, 2), "BM");
  const auto width = *reinterpret_cast<const LONG *>(bytes.data() + 18);
  const auto height = *reinterpret_cast<const LONG *>(bytes.data() + 22);
  EXPECT_GE(width, 700);
  EXPECT_GE(height, 350);
  EXPECT_EQ(bytes.size(), 54u + static_cast<std::size_t>(((width * 3 + 3) / 4) * 4) * static_cast<std::size_t>(height));
  DeleteFileA(picture.c_str());
}

}  // namespace
