// The messages that name what is wrong in a configuration text: one row per
// kind of problem; {k} stands for the key, {v} for the value as written and
// {c} for the values the key knows.
#include "driver.h"

namespace kvtdrv {

namespace {

struct ProblemText {
  ConfigProblem problem;
  std::string_view format;
};

constexpr ProblemText kMessages[] = {
    {ConfigProblem::NoEquals, "Eintrag '{v}' ohne '='"},
    {ConfigProblem::UnknownKey, "unbekannter Schlüssel '{k}'"},
    {ConfigProblem::UnknownValue, "Wert '{v}' für '{k}' unbekannt ({c})"},
    {ConfigProblem::OutOfRange, "Wert '{v}' für '{k}' nicht im Bereich {c}"},
    {ConfigProblem::BadVersion, "Wert '{v}' für '{k}': 1 bis 8 druckbare Zeichen"},
    {ConfigProblem::BadPassword, "Passwort für '{k}': 1 bis 16 Zeichen, ohne ';'"},
    {ConfigProblem::UnknownFault, "Fehlerart '{v}' unbekannt"},
    {ConfigProblem::BadFaultCount, "Fehler '{v}': Aufruf N, N+ oder N-M, N ab 1"},
    {ConfigProblem::TooManyFaults, "Mehr als 16 Fehler ('{v}')"},
};

// The library reads ErrorSensor's text into 80 bytes: an echoed key keeps
// 20 characters at most, an echoed value what room is left, each cut with
// an ellipsis.
constexpr std::size_t kRoom = 79;
constexpr std::size_t kKeyRoom = 20;
constexpr char kEllipsis = '\x85';  // CP1252

std::string Cut(std::string_view text, std::size_t room) {
  if (text.size() <= room) return std::string(text);
  return std::string(text.substr(0, room > 0 ? room - 1 : 0)) + kEllipsis;
}

std::string Fill(std::string_view format, std::string_view key, std::string_view value, std::string_view choices) {
  std::string text;
  for (std::size_t i = 0; i < format.size(); ++i) {
    if (format[i] == '{' && i + 2 < format.size() && format[i + 2] == '}') {
      const char slot = format[i + 1];
      text += slot == 'k' ? key : slot == 'v' ? value : choices;
      i += 2;
    } else {
      text += format[i];
    }
  }
  return text;
}

}  // namespace

std::string ConfigMessage(std::string_view source, const ConfigError &error) {
  std::string_view format;
  for (const ProblemText &row : kMessages) {
    if (row.problem == error.problem) format = row.format;
  }
  const std::string head = source.empty() ? std::string() : std::string(source) + ": ";
  const std::string key = Cut(error.key, kKeyRoom);
  const std::size_t fixed = head.size() + Fill(format, key, "", error.choices).size();
  const std::size_t room = fixed < kRoom ? kRoom - fixed : 0;
  return head + Fill(format, key, Cut(error.value, room), error.choices);
}

}  // namespace kvtdrv
