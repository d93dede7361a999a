// What the tests of the driver's setup dialog share: its titles and a
// loaded driver whose setup a test runs.
#pragma once

#include "driver/driver_support.h"
#include "support/ui_script.h"

namespace drvtest {

inline constexpr const char *kTitle = "Sensortreiber einrichten";
inline constexpr const char *kMessageTitle = "Sensortreiber";

// A loaded driver whose setup the test runs; the script is stopped and the
// driver unloaded at the end.
struct Loaded {
  explicit Loaded(const char *config) {
    SimConfigure(config);
    SimReset();
    handle = LoadSensor(0);
  }
  ~Loaded() {
    kvt::test::StopUiScript();
    Unload(handle);
    SimConfigure("");
  }
  Loaded(const Loaded &) = delete;
  Loaded &operator=(const Loaded &) = delete;
  DWORD handle;
};

}  // namespace drvtest
