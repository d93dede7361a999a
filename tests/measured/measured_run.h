// Running one measured-value entry through DiagCommandProc, and the golden
// files its texts are compared with.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "kvt/abi.h"

namespace kvt::test {

struct EntryRun {
  BOOL result = FALSE;
  ULONG_PTR status = 0;
  std::string text;
};

inline constexpr char kEarlierText[] = "vorher";

// Executes the entry with a copy of `block` as its ParamBlock (recorded
// length: the block's size unless given); ResultText starts as kEarlierText.
EntryRun RunEntry(WORD handler, WORD telegram, const std::vector<BYTE> &block, std::size_t recordedLength = 0,
                  std::size_t capacity = 1 << 16);

// The address line of the success ending.
std::string AddressLine(BYTE type, unsigned address);

// Golden files live in tests/measured/golden/ as CP1252 bytes.
std::string GoldenPath(const std::string &name);
std::string FileBytes(const std::string &path, bool &found);
void WriteFileBytes(const std::string &path, const std::string &bytes);

// Where two texts part, with the bytes around it escaped.
std::string Difference(const std::string &expected, const std::string &actual);

// A little-endian word list as bytes.
std::vector<BYTE> Words(std::initializer_list<unsigned> words);

}  // namespace kvt::test
