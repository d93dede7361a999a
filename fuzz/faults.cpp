// Fatal exceptions: a guard-page hit told apart from a crash, described,
// handed to the caller's handler, and the process ended, before any
// debugger or handler of the program's own can step in.
#include <cstdio>

#include "fuzz/fuzz.h"
#include "fuzz/shared.h"

namespace kvt::fuzz {

namespace {

FaultHandler g_handler = nullptr;

bool IsFatal(DWORD code) {
  switch (code) {
    case EXCEPTION_ACCESS_VIOLATION:
    case EXCEPTION_ARRAY_BOUNDS_EXCEEDED:
    case EXCEPTION_DATATYPE_MISALIGNMENT:
    case EXCEPTION_ILLEGAL_INSTRUCTION:
    case EXCEPTION_IN_PAGE_ERROR:
    case EXCEPTION_INT_DIVIDE_BY_ZERO:
    case EXCEPTION_NONCONTINUABLE_EXCEPTION:
    case EXCEPTION_PRIV_INSTRUCTION:
    case EXCEPTION_STACK_OVERFLOW:
    case 0xC0000374:  // heap corruption
    case 0xC0000409:  // stack buffer overrun
      return true;
    default: return false;
  }
}

LONG CALLBACK OnException(EXCEPTION_POINTERS *info) {
  const EXCEPTION_RECORD &record = *info->ExceptionRecord;
  if (!IsFatal(record.ExceptionCode)) return EXCEPTION_CONTINUE_SEARCH;
  static LONG entered = 0;
  if (InterlockedExchange(&entered, 1)) TerminateProcess(GetCurrentProcess(), kFaultExit);
  const void *address =
      record.NumberParameters >= 2 ? reinterpret_cast<const void *>(record.ExceptionInformation[1]) : nullptr;
  const bool guard = record.ExceptionCode == EXCEPTION_ACCESS_VIOLATION && IsGuardPage(address);
  char why[160];
  std::snprintf(why, sizeof why, "%s: exception 0x%08lX at %p touching %p", guard ? "guard page" : "crash",
                record.ExceptionCode, record.ExceptionAddress, address);
  if (!g_handler) std::fprintf(stderr, "fuzz: %s\n", why);
  if (g_handler) g_handler(guard, why);
  TerminateProcess(GetCurrentProcess(), kFaultExit);
  return EXCEPTION_CONTINUE_SEARCH;
}

}  // namespace

void EndOnFaults(FaultHandler handler) {
  static PVOID installed = nullptr;
  g_handler = handler;
  SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX);
  if (!installed) installed = AddVectoredExceptionHandler(1, OnException);
}

}  // namespace kvt::fuzz
