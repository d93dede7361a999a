// A diagnosis run as a host program starts it, for the library's tests:
// DialogDiagnose of the library's objects against the simulated driver, the
// device dialog answered, and in place of the menu window the test's own
// body, which gets the descriptor the library handed to ZenkDialog. Menu
// entries run through the descriptor's command callback.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "support/records.h"
#include "support/ui.h"

namespace kvt::test {

inline constexpr LPARAM kHostValueA = 0x1234;
inline constexpr LPARAM kHostValueB = -7;

// What the user types into the device dialog; an empty type keeps the preset.
struct DeviceChoice {
  std::string type = "";
  std::string address = "0";
  bool cancel = false;
};

struct SessionRun {
  UiRun ui;
  std::string offered;  // the type text the device dialog offered
  bool menu = false;    // the body ran
};

// DialogDiagnose(no owner, kHostValueA, kHostValueB) with `config` in
// force and `answers` for its first exchanges; `body` runs where the menu
// would, and must, unless the device dialog is cancelled.
SessionRun RunSession(const char *config, const std::function<void(const Descriptor &)> &body,
                      const DeviceChoice &device = {}, const Script &answers = {});

// One menu entry, run as the dialog host runs it.
enum class Phase { kExecute, kParameters, kBoth };
struct Entry {
  Entry(WORD handler, WORD telegram = 65535, Bytes block = {}, std::size_t recorded = 0,
        const char *password = nullptr, Phase phase = Phase::kExecute)
      : handler(handler), telegram(telegram), block(std::move(block)), recorded(recorded), password(password),
        phase(phase) {}
  WORD handler;
  WORD telegram;
  Bytes block;           // the ParamBlock the request carries; empty: none
  std::size_t recorded;  // its recorded length; 0: its size
  const char *password;
  Phase phase;
};

inline constexpr char kBefore[] = "vorher";  // ResultText when the command starts

struct EntryRun {
  BOOL result = FALSE;  // of the last phase run
  ULONG_PTR status = 0;
  std::string text;
  UiRun ui;
  Bytes block;             // the ParamBlock afterwards, as far as its recorded length
  std::size_t blockSize = 0;  // what was allocated for it
  bool sameBlock = false;  // slot 6 still holds the block the request came with
};

// `steps` answer the dialogs a parameter phase opens. The ParamBlock is
// released afterwards, as the dialog host does.
EntryRun RunEntry(const Descriptor &descriptor, const Entry &entry, std::vector<UiStep> steps = {},
                  std::size_t capacity = 65536);

// Makes `type` and `address` the target through "Gerät und Adresse setzen".
void SetTarget(const Descriptor &descriptor, const char *type, const char *address);

// The address line that ends a command, and the count line of measured values.
std::string AddressLine(BYTE type, unsigned address);
std::string Count(unsigned values);

}  // namespace kvt::test
