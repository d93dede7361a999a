// Helpers for the driver tests: building requests, exchanging them, reading
// the driver's texts, escaped bytes for readable failures.
#pragma once

#include <windows.h>

#include <span>
#include <string>
#include <utility>
#include <vector>

#include "kvt/abi.h"
#include "kvt/bytes.h"
#include "kvt/simcontrol.h"
#include "support/escaped.h"

namespace drvtest {

using kvt::TelegramRecord;
using kvt::test::Escaped;

TelegramRecord Request(BYTE type, BYTE address, BYTE command, const std::vector<BYTE> &data = {});

// "3C 03 00 ..." for byte layouts.
std::string Hex(std::span<const BYTE> bytes);

std::string ErrorText(DWORD handle = 0);
std::string ConfigText();

// A loaded and opened driver with a configuration; closed and freed again
// at the end, whatever the test did.
struct OpenDriver {
  explicit OpenDriver(const char *config);
  ~OpenDriver();
  OpenDriver(const OpenDriver &) = delete;
  OpenDriver &operator=(const OpenDriver &) = delete;
  DWORD handle = 0;
};

// Brings the driver back to unloaded, whatever state a test left it in.
void Unload(DWORD handle);

// Compares the bytes at record offsets; returns a description of every
// difference (empty when all match).
std::string ByteDifferences(std::span<const BYTE> record, const std::vector<std::pair<std::size_t, BYTE>> &expected);

}  // namespace drvtest
