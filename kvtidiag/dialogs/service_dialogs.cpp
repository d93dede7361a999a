// The memory-dump range and the manufacturing code: no checks, but OK
// rules of their own.
#include "dialogs/value_dialog.h"

using namespace kvt;

namespace {

using enum Reading;
using enum Field;
using enum OkRule;

// Editing the start address disables OK until the count is touched again.
constexpr ValueInput kMemDump[] = {
    {.control = IDC_DUMP_START, .preset = "", .limit = 1999, .reading = kUnsigned, .chars = 11, .field = kU32,
     .offset = 0, .onChange = kDisable, .limitsControl = IDC_DUMP_COUNT, .limitsTo = 1999},
    // The low byte of the count.
    {.control = IDC_DUMP_COUNT, .preset = "", .limit = 0, .reading = kNumber, .chars = 7, .field = kU8,
     .offset = 4, .onChange = kWhileText},
};

constexpr ValueInput kClbHcode[] = {
    {.control = IDC_MANUFACTURING_CODE, .preset = "12345678", .limit = 1999, .reading = kCharacters, .chars = 8,
     .field = kText, .offset = 0, .onChange = kWhileEightChars},
};

}  // namespace

extern "C" {

INT_PTR CALLBACK MemDumpDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  return RunValueDialog<kMemDump>(dialog, message, wParam, lParam);
}
INT_PTR WINAPI DialogMemDump(HWND owner, void *block) {
  return StartDialog(owner, block, IDD_MEM_DUMP, MemDumpDlgProc);
}

INT_PTR CALLBACK HcodeDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  return RunValueDialog<kClbHcode>(dialog, message, wParam, lParam);
}
INT_PTR WINAPI DialogClbHcode(HWND owner, void *block) {
  return StartDialog(owner, block, IDD_CLB_HCODE, HcodeDlgProc);
}

}  // extern "C"
