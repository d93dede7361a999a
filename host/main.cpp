// KVTIHOST.EXE: without arguments the main window waits for the user; with
// --script FILE the script drives a whole diagnosis run unattended.
//   KVTIHOST.EXE [--script FILE] [--screenshot FILE.bmp] [--timeout SECONDS]
#include <cstdlib>
#include <string>

#include "host.h"

using namespace kvt::host;

namespace {

constexpr int kExitUsage = 2;

struct Options {
  std::string script;
  ScriptOptions run;
};

int Usage(const std::string &problem) {
  PrintError(problem);
  PrintError("Aufruf: KVTIHOST.EXE [--script DATEI] [--screenshot DATEI.bmp] [--timeout SEKUNDEN]");
  return kExitUsage;
}

bool ParseArguments(int argc, char **argv, Options &options, std::string &problem) {
  for (int index = 1; index < argc; ++index) {
    const std::string name = argv[index];
    if (index + 1 >= argc) {
      problem = FormatText("Zur Option \"%s\" fehlt der Wert.", name.c_str());
      return false;
    }
    const std::string value = argv[++index];
    if (name == "--script") {
      options.script = value;
    } else if (name == "--screenshot") {
      options.run.screenshot = value;
    } else if (name == "--timeout") {
      const long seconds = std::strtol(value.c_str(), nullptr, 10);
      if (seconds <= 0) {
        problem = FormatText("Die Zeitgrenze \"%s\" ist keine positive Zahl.", value.c_str());
        return false;
      }
      options.run.stepTimeoutMs = static_cast<DWORD>(seconds) * 1000;
    } else {
      problem = FormatText("Unbekannte Option \"%s\".", name.c_str());
      return false;
    }
  }
  return true;
}

bool ReadFileBytes(const std::string &path, std::string &bytes) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  LARGE_INTEGER size{};
  bool ok = GetFileSizeEx(file, &size) && size.QuadPart < (1 << 24);
  if (ok) {
    bytes.assign(static_cast<std::size_t>(size.QuadPart), '\0');
    DWORD read = 0;
    ok = ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) && read == bytes.size();
  }
  CloseHandle(file);
  return ok;
}

}  // namespace

int main(int argc, char **argv) {
  InitOutput();
  Options options;
  std::string problem;
  if (!ParseArguments(argc, argv, options, problem)) return Usage(problem);
  if (!options.run.screenshot.empty() && options.script.empty()) {
    return Usage("--screenshot gilt nur zusammen mit --script.");
  }
  std::vector<Step> steps;
  if (!options.script.empty()) {
    std::string text;
    if (!ReadFileBytes(options.script, text)) {
      PrintError(FormatText("Fehler: Das Skript \"%s\" lässt sich nicht lesen.", options.script.c_str()));
      return kExitUsage;
    }
    if (!ParseScript(text, steps, problem)) {
      PrintError("Fehler im Skript " + options.script + ", " + problem);
      return kExitUsage;
    }
  }
  if (!CreateMainWindow(SW_SHOWNORMAL)) {
    PrintError("Fehler: Das Hauptfenster lässt sich nicht öffnen.");
    return kExitUsage;
  }
  if (!options.script.empty()) StartScript(std::move(steps), options.run);
  return RunMessageLoop();
}
