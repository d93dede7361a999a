// The KVTIDRV_SIM syntax: key=value items separated by semicolons.
#include <charconv>

#include "driver.h"

namespace kvtdrv {

namespace {

struct Named {
  std::string_view name;
  BYTE value;
};

constexpr std::array<Named, 4> kDeviceNames{{
    {"kvt", kvt::kDeviceKvt},
    {"pxd", kvt::kDevicePxd},
    {"kvtq1", kvt::kDeviceKvtQ1},
    {"kvt90", kvt::kDeviceKvt90},
}};

// In the order of FaultKind: the name in the syntax and in German.
struct FaultName {
  std::string_view name;
  std::string_view german;
};
constexpr std::array<FaultName, kFaultKinds> kFaultNames{{
    {"noanswer", "keine Antwort"},
    {"wronganswer", "falsche Antwort"},
    {"refused", "abgelehnt"},
    {"load", "LoadSensor schlägt fehl"},
    {"open", "OpenSensor schlägt fehl"},
    {"close", "CloseSensor schlägt fehl"},
    {"free", "FreeSensor schlägt fehl"},
    {"download", "Download-Telegramm abgelehnt"},
    {"downloadstart", "Download-Start abgelehnt"},
    {"downloadrecord", "Download-Satz abgelehnt"},
}};

constexpr std::array<Named, 2> kSetupNames{{{"ask", 1}, {"no", 0}}};

struct PasswordKey {
  std::string_view key;
  std::string Passwords::*password;
};

constexpr PasswordKey kPasswordKeys[] = {
    {"pw.setup", &Passwords::setup},
    {"pw.super", &Passwords::superuser},
    {"pw.service", &Passwords::maintenance},
};

char Lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool SameText(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (Lower(a[i]) != Lower(b[i])) return false;
  }
  return true;
}

std::string_view Trim(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return text;
}

const PasswordKey *FindPasswordKey(std::string_view key) {
  for (const PasswordKey &k : kPasswordKeys) {
    if (SameText(k.key, key)) return &k;
  }
  return nullptr;
}

template <std::size_t N>
bool LookUp(const std::array<Named, N> &names, std::string_view text, BYTE &value) {
  for (const Named &n : names) {
    if (SameText(n.name, text)) {
      value = n.value;
      return true;
    }
  }
  return false;
}

bool ParseNumber(std::string_view text, DWORD limit, DWORD &value) {
  if (text.empty()) return false;
  DWORD parsed = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), parsed);
  if (error != std::errc{} || end != text.data() + text.size() || parsed > limit) return false;
  value = parsed;
  return true;
}

bool ParseByte(std::string_view text, BYTE limit, BYTE &value) {
  DWORD parsed = 0;
  if (!ParseNumber(text, limit, parsed)) return false;
  value = static_cast<BYTE>(parsed);
  return true;
}

// A program version text: 1 to 8 printable characters.
bool GoodVersion(std::string_view text) {
  if (text.empty() || text.size() > kVersionSize) return false;
  for (char c : text) {
    if (c < 0x20 || c > 0x7E) return false;
  }
  return true;
}

// Records what is wrong, when the caller asked.
bool Fail(ConfigError *error, ConfigProblem problem, std::string_view key, std::string_view value,
          std::string_view choices = {}) {
  if (error) *error = {problem, std::string(key), std::string(value), std::string(choices)};
  return false;
}

template <std::size_t N>
std::string Choices(const std::array<Named, N> &names) {
  std::string text;
  for (const Named &n : names) text.append(text.empty() ? "" : ", ").append(n.name);
  return text;
}

// kind, kind@N, kind@N+ or kind@N-M
bool ParseFault(std::string_view text, Fault &fault, ConfigError *error) {
  const std::size_t at = text.find('@');
  const std::string_view name = Trim(text.substr(0, at));
  bool known = false;
  for (std::size_t k = 0; k < kFaultNames.size(); ++k) {
    if (SameText(kFaultNames[k].name, name)) {
      fault.kind = static_cast<FaultKind>(k);
      known = true;
    }
  }
  if (!known) return Fail(error, ConfigProblem::UnknownFault, "fail", name);
  fault.first = 1;
  fault.last = MAXDWORD;
  if (at == std::string_view::npos) return true;
  std::string_view count = Trim(text.substr(at + 1));
  const bool onward = !count.empty() && count.back() == '+';
  if (onward) count.remove_suffix(1);
  const std::size_t dash = count.find('-');
  DWORD n = 0;
  DWORD m = 0;
  if (!ParseNumber(count.substr(0, dash), MAXDWORD - 1, n) || n == 0 ||
      (dash != std::string_view::npos && (onward || !ParseNumber(count.substr(dash + 1), MAXDWORD - 1, m) || m < n))) {
    return Fail(error, ConfigProblem::BadFaultCount, "fail", Trim(text));
  }
  fault.first = n;
  fault.last = onward ? MAXDWORD : (dash != std::string_view::npos ? m : n);
  return true;
}

}  // namespace

bool ParseFaults(std::string_view text, FaultPlan &out, ConfigError *error) {
  FaultPlan plan;
  while (!Trim(text).empty()) {
    const std::size_t comma = text.find(',');
    const std::string_view item = Trim(text.substr(0, comma));
    text = comma == std::string_view::npos ? std::string_view{} : text.substr(comma + 1);
    if (item.empty()) continue;
    if (plan.count == plan.faults.size()) return Fail(error, ConfigProblem::TooManyFaults, "fail", item);
    if (!ParseFault(item, plan.faults[plan.count], error)) return false;
    ++plan.count;
  }
  out = plan;
  return true;
}

bool ParseConfig(std::string_view text, SimConfig &out, ConfigError *error) {
  using enum ConfigProblem;
  SimConfig config;
  while (!text.empty()) {
    const std::size_t semicolon = text.find(';');
    const std::string_view item = Trim(text.substr(0, semicolon));
    text = semicolon == std::string_view::npos ? std::string_view{} : text.substr(semicolon + 1);
    if (item.empty()) continue;
    const std::size_t equals = item.find('=');
    if (equals == std::string_view::npos) return Fail(error, NoEquals, "", item);
    const std::string_view key = Trim(item.substr(0, equals));
    const std::string_view value = Trim(item.substr(equals + 1));
    if (SameText(key, "device")) {
      if (!LookUp(kDeviceNames, value, config.device)) {
        return Fail(error, UnknownValue, key, value, Choices(kDeviceNames));
      }
    } else if (SameText(key, "address")) {
      if (!ParseByte(value, kMaxAddress, config.address)) return Fail(error, OutOfRange, key, value, "0 bis 127");
    } else if (SameText(key, "variant")) {
      if (!ParseByte(value, kMaxVariant, config.variant)) return Fail(error, OutOfRange, key, value, "0 bis 9");
    } else if (SameText(key, "fail")) {
      // Several fail items add up.
      FaultPlan more;
      if (!ParseFaults(value, more, error)) return false;
      if (config.faults.count + more.count > kMaxFaults) return Fail(error, TooManyFaults, key, value);
      for (std::size_t i = 0; i < more.count; ++i) config.faults.faults[config.faults.count++] = more.faults[i];
    } else if (SameText(key, "version")) {
      if (!GoodVersion(value)) return Fail(error, BadVersion, key, value);
      config.version = std::string(value);
    } else if (SameText(key, "log")) {
      config.logPath = std::string(value);
    } else if (const PasswordKey *password = FindPasswordKey(key)) {
      if (!PasswordUsable(value)) return Fail(error, BadPassword, key, "");
      config.passwords.*password->password = std::string(value);
    } else if (SameText(key, "setup")) {
      BYTE ask = 0;
      if (!LookUp(kSetupNames, value, ask)) return Fail(error, UnknownValue, key, value, Choices(kSetupNames));
      config.askSetup = ask != 0;
    } else {
      return Fail(error, UnknownKey, key, "");
    }
  }
  out = config;
  return true;
}

bool PasswordUsable(std::string_view text) {
  if (text.empty() || text.size() > kMaxPasswordLength) return false;
  if (text.front() == ' ' || text.back() == ' ') return false;
  for (char c : text) {
    const BYTE b = static_cast<BYTE>(c);
    if (b < 0x20 || b == 0x7F || c == ';') return false;
  }
  return true;
}

std::string_view DeviceName(BYTE device) {
  for (const Named &n : kDeviceNames) {
    if (n.value == device) return n.name;
  }
  return kDeviceNames[0].name;
}

std::string FormatFault(const Fault &f) {
  std::string text(kFaultNames[static_cast<std::size_t>(f.kind)].name);
  if (f.first == 1 && f.last == MAXDWORD) return text;
  text += '@';
  text += std::to_string(f.first);
  if (f.last == MAXDWORD) text += '+';
  if (f.last != MAXDWORD && f.last != f.first) text += '-' + std::to_string(f.last);
  return text;
}

std::string_view FaultDescription(FaultKind kind) { return kFaultNames[static_cast<std::size_t>(kind)].german; }

std::string FaultKindNames() {
  std::string text;
  for (const FaultName &f : kFaultNames) text.append(text.empty() ? "" : ", ").append(f.name);
  return text;
}

std::string FormatFaults(const FaultPlan &plan) {
  std::string text;
  for (std::size_t i = 0; i < plan.count; ++i) {
    if (!text.empty()) text += ',';
    text += FormatFault(plan.faults[i]);
  }
  return text;
}

std::string FormatConfig(const SimConfig &config) {
  std::string text = "device=";
  text += DeviceName(config.device);
  text += ";address=" + std::to_string(config.address);
  text += ";variant=" + std::to_string(config.variant);
  if (!config.version.empty()) {
    text += ";version=";
    text += config.version;
  }
  if (config.faults.count > 0) text += ";fail=" + FormatFaults(config.faults);
  if (!config.logPath.empty()) text += ";log=" + config.logPath;
  // Passwords only when changed, so the usual text stays short.
  const Passwords defaults;
  for (const PasswordKey &k : kPasswordKeys) {
    const std::string &password = config.passwords.*k.password;
    if (password == defaults.*k.password) continue;
    text.append(";").append(k.key).append("=").append(password);
  }
  text += config.askSetup ? ";setup=ask" : ";setup=no";
  return text;
}

}  // namespace kvtdrv
