// The configuration in force and where it comes from: KVTIDRV_SIM, read at
// LoadSensor, or SimConfigure and the setup dialog, which act at once.
#include "driver.h"

namespace kvtdrv {

namespace {

// Nothing configured at all: the setup dialog is offered.
SimConfig MakeUnconfigured() {
  SimConfig config;
  config.askSetup = true;
  return config;
}

SimConfig g_config = MakeUnconfigured();

// The variable's text at the previous LoadSensor. The variable replaces the
// configuration only when its text changes, so a choice made since in the
// setup dialog or through SimConfigure stays, and so do the fault counters.
bool g_environmentSeen = false;
std::string g_environmentText;

bool EnvironmentText(std::string &text) {
  const DWORD size = GetEnvironmentVariableA("KVTIDRV_SIM", nullptr, 0);
  if (size == 0) return GetLastError() != ERROR_ENVVAR_NOT_FOUND;  // set but empty
  text.assign(size, '\0');
  const DWORD length = GetEnvironmentVariableA("KVTIDRV_SIM", text.data(), size);
  text.resize(length < size ? length : 0);
  return true;
}

}  // namespace

const SimConfig &Config() { return g_config; }

void ApplyConfig(const SimConfig &config) {
  g_config = config;
  RestartCallCounts();
  RestartDevice();
  EraseFlash();  // another device on the bus
}

bool ReadEnvironment() {
  std::string text;
  SetLastError(ERROR_SUCCESS);
  if (!EnvironmentText(text)) return true;
  if (g_environmentSeen && text == g_environmentText) return true;
  SimConfig config;
  ConfigError error;
  if (!ParseConfig(text, config, &error)) {
    SetErrorText(ConfigMessage("KVTIDRV_SIM", error));
    return false;
  }
  g_environmentSeen = true;
  g_environmentText = text;
  ApplyConfig(config);
  return true;
}

}  // namespace kvtdrv

KVT_DRV_API BOOL WINAPI SimConfigure(const char *config) {
  kvtdrv::SimConfig parsed;
  kvtdrv::ConfigError error;
  if (!config) return FALSE;
  if (!kvtdrv::ParseConfig(config, parsed, &error)) {
    kvtdrv::SetErrorText(kvtdrv::ConfigMessage("SimConfigure", error));
    return FALSE;
  }
  kvtdrv::ApplyConfig(parsed);
  return TRUE;
}

KVT_DRV_API BOOL WINAPI SimConfigText(LPSTR text, int textSize) {
  if (!text || textSize <= 0) return FALSE;
  const std::string config = kvtdrv::FormatConfig(kvtdrv::Config());
  lstrcpynA(text, config.c_str(), textSize);
  return static_cast<int>(config.size()) < textSize;
}
