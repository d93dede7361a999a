// Runs one menu command through DiagCommandProc against the driver as it
// stands (simulated device or scripted answers) and keeps what it wrote.
#pragma once

#include <windows.h>

#include <string>

namespace kvt::test {

struct HandlerRun {
  std::string text;  // ResultText up to its terminator
  BOOL result = FALSE;
  ULONG_PTR status = 0;
};

HandlerRun RunHandler(WORD handler, WORD telegram, BYTE type, BYTE address);

// Whole files as bytes (the golden reports are CP1252).
std::string FileBytes(const std::string &path, bool &found);
void WriteFileBytes(const std::string &path, const std::string &bytes);

}  // namespace kvt::test
