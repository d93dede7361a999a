// The memory-dump range and the manufacturing code: no checks, but OK
// rules of their own.
#include "dialogs/dialog_engine.h"

using namespace kvt;

namespace {

using enum Reading;
using enum Field;
using enum OkRule;

// Editing the start address disables OK until the count is touched again.
constexpr Input kMemDump[] = {
    {.control = IDC_DUMP_START, .limit = 1999, .reading = kUnsigned, .chars = 11, .field = kU32,
     .onChange = kDisableOnChange, .chained = {IDC_DUMP_COUNT, 1999}},
    // The low byte of the count.
    {.control = IDC_DUMP_COUNT, .reading = kNumber, .chars = 7, .offset = 4, .onChange = kWhileText},
};

constexpr Input kClbHcode[] = {
    {.control = IDC_MANUFACTURING_CODE, .preset = "12345678", .limit = 1999, .reading = kCharacters, .chars = 8,
     .field = kText, .onChange = kWhileExactChars},
};

}  // namespace

extern "C" {

INT_PTR CALLBACK MemDumpDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  return RunDialog<kMemDump>(dialog, message, wParam, lParam);
}
INT_PTR WINAPI DialogMemDump(HWND owner, void *block) {
  return StartDialog(owner, block, IDD_MEM_DUMP, MemDumpDlgProc);
}

INT_PTR CALLBACK HcodeDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  return RunDialog<kClbHcode>(dialog, message, wParam, lParam);
}
INT_PTR WINAPI DialogClbHcode(HWND owner, void *block) {
  return StartDialog(owner, block, IDD_CLB_HCODE, HcodeDlgProc);
}

}  // extern "C"
