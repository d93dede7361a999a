// What the menu window knows of the device: each command's result ends with
// the line naming the address and the target device, a status report names
// the serial number and the variant; a simulating driver describes its
// device itself. The results' word counts, as it is what the library talks
// to; the driver's fills in what they have not said yet.
#include <array>

#include "dialoghost.h"

namespace kvt::dlg {

namespace {

struct FactRow {
  std::string DeviceFacts::*value;
  std::string_view label;       // in the status line and the file header
  std::string_view driverKey;   // in the driver's device text
  std::string_view resultMark;  // a result line that gives the fact after this text
  bool alwaysShown;             // in the status line even while unknown
};

constexpr std::array<FactRow, 4> kFacts{{
    {&DeviceFacts::device, "Gerät", "device", "", true},
    {&DeviceFacts::address, "Adresse", "address", "", true},
    {&DeviceFacts::serial, "Seriennummer", "serial", "Seriennummer: ", false},
    {&DeviceFacts::variant, "Variante", "variant", "Gerätevariante: ", false},
}};

// "Bei der Kommunikation benutzte Adresse   3  mit Zielgerät  KVT."
constexpr std::string_view kAddressMark = "benutzte Adresse";
constexpr std::string_view kTargetMark = "mit Zielgerät";
constexpr char kUnknown[] = "unbekannt";
constexpr char kSimulated[] = " (SIMULIERT)";
constexpr char kNoDevice[] = "Diagnose";
constexpr std::string_view kNotInFileNames = "\\/:*?\"<>|";
constexpr std::string_view kBlanks = " \t\r";

std::string Trimmed(std::string_view text) {
  const std::size_t first = text.find_first_not_of(kBlanks);
  if (first == std::string_view::npos) return {};
  return std::string(text.substr(first, text.find_last_not_of(kBlanks) - first + 1));
}

void LearnTarget(DeviceFacts &facts, std::string_view line) {
  const std::size_t address = line.find(kAddressMark);
  const std::size_t target = line.find(kTargetMark);
  if (address == std::string_view::npos || target == std::string_view::npos || target < address) return;
  const std::size_t from = address + kAddressMark.size();
  std::string device = Trimmed(line.substr(target + kTargetMark.size()));
  if (!device.empty() && device.back() == '.') device.pop_back();
  facts.address = Trimmed(line.substr(from, target - from));
  facts.device = device;
}

std::string Shown(const FactRow &row, const DeviceFacts &facts) {
  const std::string &value = facts.*row.value;
  std::string text = value.empty() ? kUnknown : value;
  if (row.value == &DeviceFacts::device && facts.simulated) text += kSimulated;
  return text;
}

}  // namespace

void LearnFromLine(DeviceFacts &facts, std::string_view line) {
  LearnTarget(facts, line);
  for (const FactRow &row : kFacts) {
    if (row.resultMark.empty()) continue;
    if (const std::size_t at = line.find(row.resultMark); at != std::string_view::npos) {
      facts.*row.value = Trimmed(line.substr(at + row.resultMark.size()));
    }
  }
}

DeviceFacts CurrentFacts(const MenuWindow &menu) {
  DeviceFacts facts = menu.learnt;
  std::string text;
  if (!DriverText("SimDeviceText", text)) return facts;
  facts.simulated = true;
  // "device=KVT-Q1;address=3;serial=…;variant=2"
  std::string_view rest = text;
  while (!rest.empty()) {
    const std::size_t end = rest.find(';');
    const std::string_view item = rest.substr(0, end);
    rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);
    const std::size_t equals = item.find('=');
    if (equals == std::string_view::npos) continue;
    for (const FactRow &row : kFacts) {
      if (row.driverKey == item.substr(0, equals) && (facts.*row.value).empty()) {
        facts.*row.value = Trimmed(item.substr(equals + 1));
      }
    }
  }
  return facts;
}

std::string StatusText(const DeviceFacts &facts) {
  std::string text;
  for (const FactRow &row : kFacts) {
    if (!row.alwaysShown && (facts.*row.value).empty()) continue;
    if (!text.empty()) text += "   ";
    text.append(row.label).append(": ").append(Shown(row, facts));
  }
  return text;
}

std::string FileHeader(std::string_view title, const DeviceFacts &facts, const SYSTEMTIME &now) {
  std::string text(title);
  text += "\r\n";
  text += FormatText("Datum: %02u.%02u.%04u %02u:%02u:%02u\r\n", now.wDay, now.wMonth, now.wYear, now.wHour,
                     now.wMinute, now.wSecond);
  for (const FactRow &row : kFacts) text.append(row.label).append(": ").append(Shown(row, facts)).append("\r\n");
  return text + "\r\n";
}

std::string ProposedFileName(const DeviceFacts &facts, const SYSTEMTIME &now, std::string_view suffix) {
  std::string name = facts.device.empty() ? kNoDevice : facts.device;
  for (char &c : name) {
    if (kNotInFileNames.find(c) != std::string_view::npos || static_cast<unsigned char>(c) < ' ') c = '-';
  }
  return name + FormatText("_%04u-%02u-%02u", now.wYear, now.wMonth, now.wDay) + std::string(suffix) + ".txt";
}

void ShowStatus(MenuWindow &menu) {
  const std::string text = StatusText(CurrentFacts(menu));
  char shown[512] = "";
  GetDlgItemTextA(menu.window, kIdStatus, shown, sizeof shown);
  if (text != shown) SetDlgItemTextA(menu.window, kIdStatus, text.c_str());
}

}  // namespace kvt::dlg
