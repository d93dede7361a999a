// Reading a script: UTF-8 text, one command per line, "#" starts a comment
// line. Every line is checked before anything runs, so a wrong line costs
// nothing but its message.
#include <algorithm>

#include "host.h"

namespace kvt::host {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view kBlanks = " \t";

bool LineError(int line, const std::string &message, std::string &error) {
  error = FormatText("Zeile %d: %s", line, message.c_str());
  return false;
}

// Consecutive "address" and "type" lines answer one device dialog.
bool MergeIntoDevice(std::vector<Step> &steps, const CommandRow &row) {
  if (row.field == DeviceField::kNone || steps.empty()) return false;
  Step &last = steps.back();
  if (last.row->field == DeviceField::kNone) return false;
  return row.field == DeviceField::kAddress ? !last.hasAddress : !last.hasType;
}

void SetDeviceField(Step &step, const CommandRow &row, const std::string &value) {
  if (row.field == DeviceField::kAddress) {
    step.hasAddress = true;
    step.address = value;
  } else if (row.field == DeviceField::kType) {
    step.hasType = true;
    step.type = value;
  }
}

}  // namespace

bool ParseScript(std::string_view utf8, std::vector<Step> &steps, std::string &error) {
  steps.clear();
  if (utf8.starts_with(kByteOrderMark)) utf8.remove_prefix(kByteOrderMark.size());
  int number = 0;
  while (!utf8.empty()) {
    ++number;
    const std::size_t end = utf8.find('\n');
    std::string_view line = utf8.substr(0, end);
    utf8.remove_prefix(end == std::string_view::npos ? utf8.size() : end + 1);
    if (line.ends_with('\r')) line.remove_suffix(1);
    const std::size_t first = line.find_first_not_of(kBlanks);
    if (first == std::string_view::npos || line[first] == '#') continue;
    line.remove_prefix(first);

    const std::size_t nameEnd = line.find_first_of(kBlanks);
    const std::string_view name = line.substr(0, nameEnd);
    std::string_view argument;
    if (nameEnd != std::string_view::npos) {
      argument = line.substr(nameEnd);
      argument.remove_prefix(std::min(argument.find_first_not_of(kBlanks), argument.size()));
    }
    std::string nameText;
    if (!Utf8ToCp1252(name, nameText)) nameText.assign(1, '?');
    const CommandRow *row = FindCommand(name);
    if (!row) return LineError(number, FormatText("unbekannter Befehl \"%s\"", nameText.c_str()), error);
    if (row->argument == Argument::kRequired && argument.empty()) {
      return LineError(number, FormatText("\"%s\" braucht ein Argument: %s", nameText.c_str(), row->usage.data()),
                       error);
    }
    if (row->argument == Argument::kNone && !argument.empty()) {
      return LineError(number, FormatText("\"%s\" nimmt kein Argument: %s", nameText.c_str(), row->usage.data()),
                       error);
    }
    std::string value;
    if (!Utf8ToCp1252(argument, value)) {
      return LineError(number, "der Text ist kein UTF-8 oder enthält Zeichen außerhalb von CP1252", error);
    }
    if (MergeIntoDevice(steps, *row)) {
      SetDeviceField(steps.back(), *row, value);
      continue;
    }
    Step step;
    step.row = row;
    step.line = number;
    step.argument = value;
    SetDeviceField(step, *row, value);
    steps.push_back(std::move(step));
  }
  return true;
}

}  // namespace kvt::host
