#include "answers/answers.h"
#include "entry/entry.h"

extern "C" BOOL WINAPI DiagCommandProc(HWND, ULONG_PTR *request) {
  kvt::ResultText out = kvt::ResultTextOf(request);
  request[kvt::kReqStatus] = 255;
  kvt::Replace(out, kvt::FormatFromTable(17));
  return TRUE;
}
