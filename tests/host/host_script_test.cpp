// KVTIHOST.EXE --script, started with CreateProcess; stdout and stderr are
// read through one pipe and compared as UTF-8 lines.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "support/records.h"
#include "support/texts.h"

namespace kvt::test {
namespace {

std::string Utf8(const std::string &cp1252) {
  std::wstring wide(cp1252.size(), L'\0');
  wide.resize(MultiByteToWideChar(1252, 0, cp1252.data(), static_cast<int>(cp1252.size()), wide.data(),
                                  static_cast<int>(wide.size())));
  std::string out(wide.size() * 3, '\0');
  out.resize(WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), out.data(),
                                 static_cast<int>(out.size()), nullptr, nullptr));
  return out;
}

std::string ProgramDirectory() {
  char path[MAX_PATH] = "";
  GetModuleFileNameA(nullptr, path, sizeof path);
  const std::string full = path;
  return full.substr(0, full.find_last_of("\\/") + 1);
}

struct Outcome {
  DWORD exitCode = 0xFFFFFFFF;
  std::string output;
};

Outcome RunHost(const std::string &script, const std::string &extra = "") {
  const std::string path = TempFile("kvt_host_test.kvts");
  if (FILE *file = std::fopen(path.c_str(), "wb")) {
    const std::string utf8 = Utf8(script);
    std::fwrite(utf8.data(), 1, utf8.size(), file);
    std::fclose(file);
  }
  Outcome outcome;
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  HANDLE readEnd = nullptr, writeEnd = nullptr;
  CreatePipe(&readEnd, &writeEnd, &inherit, 0);
  SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdOutput = startup.hStdError = writeEnd;
  startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
  PROCESS_INFORMATION process{};
  // Appended piece by piece: GCC 12 warns falsely on "literal" + string.
  std::string command = "\"";
  command.append(ProgramDirectory()).append("KVTIHOST.EXE\" --script \"").append(path).append("\" ").append(extra);
  const BOOL started = CreateProcessA(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr,
                                      ProgramDirectory().c_str(), &startup, &process);
  CloseHandle(writeEnd);
  char buffer[4096];
  for (DWORD got = 0; started && ReadFile(readEnd, buffer, sizeof buffer, &got, nullptr) && got > 0;) {
    outcome.output.append(buffer, got);
  }
  if (started) {
    WaitForSingleObject(process.hProcess, 120000);
    GetExitCodeProcess(process.hProcess, &outcome.exitCode);
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
  }
  CloseHandle(readEnd);
  DeleteFileA(path.c_str());
  return outcome;
}

bool HasLine(const std::string &output, const std::string &line) {
  std::string all = "\n", wanted = "\n";
  all.append(output);
  wanted.append(Utf8(line)).append("\n");
  return all.find(wanted) != std::string::npos;
}

const std::string kKvtStart = "sim device=kvt;address=0;setup=no\naddress 0\ntype KVT\n";

TEST(HostScript, PrintsWhatTheRunShowsAndExitsWithTheRightCode) {
  const struct {
    const char *name;
    std::string script;
    DWORD exitCode;
    std::vector<std::string> present;  // whole lines that must be printed
    std::vector<std::string> absent;
  } cases[] = {
      {"kvt detected, menu printed", kKvtStart + "menu\nclose\n", 0,
       {text::kHostDetected, text::kHostAddress0, text::kHostType, text::kHostMenu, text::kHostMenuFirst,
        text::kHostMenuHeading, "   Progammdownload"},
       {}},
      {"a line runs and its result is printed",
       kKvtStart + "# a comment\n\nrun Reset u. Initialisierung\nexpect zur\xFC" "ckgesetzt\nprint\n", 0,
       {text::kHostRunning, "Reset u. Initialisierung", text::kReset}, {}},
      {"a line's own dialog: cancelled shows nothing, confirmed runs",
       kKvtStart + "run Anzahl der Mehrfachauswertungen\npress Abbrechen\nprint\n"
                   "run Anzahl der Mehrfachauswertungen\npress OK\nexpect Anzahl der Mehrfachauswertungen\n",
       0, {"Ergebnisliste: 0 Zeilen"}, {}},
      {"the device dialog opened from the menu is answered like the first",
       kKvtStart + "run Ger\xE4t und Adresse setzen\naddress 5\ntype PXD\nexpect Adresse   5  mit Zielger\xE4t  PXD.\n",
       0, {text::kHostAddress5, text::kHostTypePxd}, {}},
      {"address out of range: the library's message is printed and answered",
       "sim device=kvt;address=0;setup=no\naddress 200\nmenu\n", 0,
       {text::kHostAddress200, std::string("Meldung: ") + text::kAddressRange, text::kHostMenu}, {}},
      {"unknown command stops before anything runs", "sim device=kvt;address=0\n\nfrobnicate now\n", 2, {},
       {text::kHostDetected}},
      {"menu line that does not exist", kKvtStart + "run Gibt es nicht\nprint\n", 1,
       {text::kHostNoSuchLine}, {"Ergebnisliste: 0 Zeilen"}},
      {"a heading does not run", kKvtStart + "run Lernmodusbefehle\n", 1, {text::kHostHeadingRefused}, {}},
      {"expectation not met", kKvtStart + "expect Gibt es nicht\n", 1, {}, {}},
      {"cancelled device dialog leaves no menu", "sim device=kvt;address=0;setup=no\ncancel\nmenu\n", 1,
       {text::kHostNoMenu}, {}},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.name);
    const Outcome outcome = RunHost(c.script);
    EXPECT_EQ(outcome.exitCode, c.exitCode) << outcome.output;
    for (const std::string &line : c.present) EXPECT_TRUE(HasLine(outcome.output, line)) << line << "\n" << outcome.output;
    for (const std::string &line : c.absent) EXPECT_FALSE(HasLine(outcome.output, line)) << line;
  }
}

// The first piece of `pieces` that `text` lacks after the ones before; empty when all are there.
std::string MissingInOrder(const std::string &text, const std::vector<std::string> &pieces) {
  std::size_t at = 0;
  for (const std::string &piece : pieces) {
    at = text.find(piece, at);
    if (at == std::string::npos) return piece;
  }
  return {};
}

// A session photographs a dialog, waits behind a command's message, adds a note, writes the
// report through its file dialog and is asked before the list it has not saved goes.
TEST(HostScript, ScriptedSessionWritesTheReport) {
  const std::string report = TempFile("kvt_bericht.txt"), picture = TempFile("kvt_dialog.bmp");
  const Outcome outcome = RunHost(kKvtStart + "run Anzahl der Mehrfachauswertungen\nscreenshot " + picture +
                                  "\nset 1010 0\npress OK\necho danach\nrun Sensorstatus lesen\n"
                                  "click Zusatzinfo\nset 1000 Notiz\npress OK\nclick Bericht speichern\nfile " + report +
                                  "\nrun Reset u. Initialisierung\nclick Liste l\xF6schen\nprint\n");
  EXPECT_EQ(outcome.exitCode, 0u) << outcome.output;
  EXPECT_EQ(MissingInOrder(outcome.output, {Utf8(std::string("Meldung: ") + text::kEvaluationsRange), "\ndanach\n",
                                            "Vorgeschlagener Dateiname: KVT_", "_Bericht.txt\n",
                                            Utf8(std::string("Frage: ") + text::kClearQuestion),
                                            "Ergebnisliste: 0 Zeilen"}), "") << outcome.output;
  const std::size_t bitmap = FileBytes(picture).size();  // the menu's picture would take 2 MB
  EXPECT_TRUE(bitmap > 54 && bitmap < 1000000) << "the dialog, not the menu: " << bitmap;
  const std::string trace = DriverSimulates() ? "0x31 Sensorstatus lesen" : text::kNoTrace;
  EXPECT_EQ(Escaped(MissingInOrder(FileBytes(report), {"Inbetriebnahmebericht\r\nDatum: ", "\r\nGer\xE4t: KVT",
                                                       "\r\nAdresse: 0\r\n", "\r\nErgebnisliste\r\nSensorstatus lesen\r\n",
                                                       "\r\nNotiz\r\n\r\nTelegrammprotokoll\r\n", trace})), "");
  DeleteFileA(report.c_str());
  DeleteFileA(picture.c_str());
}

TEST(HostScript, ParseErrorsNameTheLine) {
  EXPECT_NE(RunHost("sim device=kvt\n\nfrobnicate\n").output.find("Zeile 3: unbekannter Befehl \"frobnicate\""),
            std::string::npos);
  const Outcome missing = RunHost("run\n");
  EXPECT_EQ(missing.exitCode, 2u);
  EXPECT_NE(missing.output.find(Utf8(text::kHostRunWithoutArgument)), std::string::npos) << missing.output;
}

TEST(HostScript, WatchdogEndsAStuckScript) {
  // "set" waits for a dialog that never comes.
  const Outcome outcome = RunHost(kKvtStart + "set 1000 x\n", "--timeout 2");
  EXPECT_EQ(outcome.exitCode, 3u) << outcome.output;
  EXPECT_TRUE(HasLine(outcome.output, text::kHostTimeout)) << outcome.output;
}

}  // namespace
}  // namespace kvt::test
