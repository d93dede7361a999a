// DialogDiagnose: the whole life of one diagnosis run.
#include "answers/answers.h"
#include "entry/entry.h"

namespace kvt {

namespace {

constexpr char kModuleName[] = "KVTIDIAG.DLL";
constexpr int kDriverErrorSize = 80;

void ShowDriverError(HWND owner, DWORD sensor) {
  char text[kDriverErrorSize] = "";
  ErrorSensor(sensor, text, kDriverErrorSize);
  text[kDriverErrorSize - 1] = '\0';
  MessageBoxFromTable(owner, kMessageFlags, kTextArgument, text);
}

}  // namespace

void FillDescriptor(Descriptor &d, LPARAM hostValueA, LPARAM hostValueB, const char *name, const char *title) {
  d[kDescCommandProc] = reinterpret_cast<ULONG_PTR>(&DiagCommandProc);
  d[kDescShowResultProc] = reinterpret_cast<ULONG_PTR>(&DiagShowResultProc);
  d[kDescSetupProc] = reinterpret_cast<ULONG_PTR>(&DiagSetupProc);
  d[kDescModeCheckProc] = reinterpret_cast<ULONG_PTR>(&DiagModeCheckProc);
  d[kDescInstance] = reinterpret_cast<ULONG_PTR>(Instance());
  d[kDescName] = reinterpret_cast<ULONG_PTR>(name);
  d[kDescHostValueA] = static_cast<ULONG_PTR>(hostValueA);
  d[kDescName2] = reinterpret_cast<ULONG_PTR>(name);
  d[kDescTitle] = reinterpret_cast<ULONG_PTR>(title);
  d[kDescHostValueB] = static_cast<ULONG_PTR>(hostValueB);
}

}  // namespace kvt

using namespace kvt;

extern "C" void WINAPI DialogDiagnose(HWND owner, LPARAM hostValueA, LPARAM hostValueB) {
  // The names live in this frame: valid while ZenkDialog runs.
  char name[sizeof kModuleName];
  lstrcpynA(name, kModuleName, sizeof name);
  char title[kStringLimit];
  LoadText(ids::kRunDiagnosisTitle, title);
  Descriptor descriptor{};
  FillDescriptor(descriptor, hostValueA, hostValueB, name, title);

  RunState &run = Run();
  run = RunState{};
  run.sensor = LoadSensor(hostValueA);
  if (run.sensor == 0) {
    ShowDriverError(owner, 0);
    return;
  }
  if (QuerySensor(run.sensor)) SetupSensor(run.sensor, owner, 0, 0);
  if (!OpenSensor(run.sensor)) {
    ShowDriverError(owner, run.sensor);
    FreeSensor(run.sensor);
    run.sensor = 0;
    return;
  }
  if (DetectDevice(owner)) ZenkDialog(owner, descriptor.data());
  if (!CloseSensor(run.sensor)) ShowDriverError(owner, run.sensor);
  if (!FreeSensor(run.sensor)) ShowDriverError(owner, run.sensor);
  run.sensor = 0;
}
