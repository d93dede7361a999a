// The driver's life cycle: Load → Query/Setup → Open → exchanges → Close →
// Free. A call out of this order fails and leaves a German text for
// ErrorSensor.
#include "driver.h"
#include "kvt/simcontrol.h"

namespace kvtdrv {

namespace {

enum class Phase : BYTE { Unloaded, Loaded, Open };

struct Session {
  Phase phase = Phase::Unloaded;
  DWORD handle = 0;
  DWORD lastHandle = 0x4B56'0000;  // handles count up from here, never 0
};

Session g_session;

bool Fails(CallKind call, FaultKind fault) { return FaultStrikes(fault, CountCall(call)); }

}  // namespace

// Checks the handle and the phase a call needs; sets the error text if not.
bool CheckSession(DWORD handle, bool needOpen) {
  if (g_session.phase == Phase::Unloaded) {
    SetError("Sensortreiber ist nicht geladen (LoadSensor fehlt).");
    return false;
  }
  if (handle != g_session.handle) {
    SetError("Ungültiges Sensor-Handle %u.", handle);
    return false;
  }
  if (needOpen && g_session.phase != Phase::Open) {
    SetError("Verbindung zum Sensor ist nicht geöffnet (OpenSensor fehlt).");
    return false;
  }
  return true;
}

}  // namespace kvtdrv

using kvtdrv::g_session;
using kvtdrv::Phase;

KVT_DRV_API DWORD WINAPI LoadSensor(LPARAM) {
  if (g_session.phase != Phase::Unloaded) {
    kvtdrv::SetError("Sensortreiber ist bereits geladen (FreeSensor fehlt).");
    return 0;
  }
  if (!kvtdrv::ReadEnvironment()) {
    kvtdrv::TraceEvent(std::string("LoadSensor fehlgeschlagen: ") + kvtdrv::LastError());
    return 0;
  }
  kvtdrv::TraceSession("LoadSensor");
  if (kvtdrv::Fails(kvtdrv::CallKind::Load, kvtdrv::FaultKind::Load)) {
    kvtdrv::SetError("Sensortreiber konnte nicht geladen werden (simulierter Fehler).");
    kvtdrv::TraceEvent("LoadSensor fehlgeschlagen");
    return 0;
  }
  kvtdrv::RestartDevice();  // every run meets the device as switched on
  ++g_session.lastHandle;
  if (g_session.lastHandle == 0) ++g_session.lastHandle;
  g_session.handle = g_session.lastHandle;
  g_session.phase = Phase::Loaded;
  kvtdrv::ClearError();
  return g_session.handle;
}

KVT_DRV_API BOOL WINAPI QuerySensor(DWORD sensor) {
  if (!kvtdrv::CheckSession(sensor, false)) return FALSE;
  return kvtdrv::Config().askSetup ? TRUE : FALSE;
}

KVT_DRV_API BOOL WINAPI SetupSensor(DWORD sensor, HWND owner, LPARAM, LPARAM) {
  if (!kvtdrv::CheckSession(sensor, false)) return FALSE;
  return kvtdrv::RunSetupDialog(owner);
}

KVT_DRV_API BOOL WINAPI OpenSensor(DWORD sensor) {
  if (!kvtdrv::CheckSession(sensor, false)) return FALSE;
  if (g_session.phase == Phase::Open) {
    kvtdrv::SetError("Verbindung zum Sensor ist bereits geöffnet.");
    return FALSE;
  }
  if (kvtdrv::Fails(kvtdrv::CallKind::Open, kvtdrv::FaultKind::Open)) {
    kvtdrv::SetError("Schnittstelle konnte nicht geöffnet werden (simulierter Fehler).");
    kvtdrv::TraceEvent("OpenSensor fehlgeschlagen");
    return FALSE;
  }
  g_session.phase = Phase::Open;
  kvtdrv::TraceEvent("OpenSensor");
  return TRUE;
}

// A simulated close or free failure is reported, but the step is taken all
// the same, so that the next run starts from a clean driver.
KVT_DRV_API BOOL WINAPI CloseSensor(DWORD sensor) {
  if (!kvtdrv::CheckSession(sensor, true)) return FALSE;
  g_session.phase = Phase::Loaded;
  const bool fails = kvtdrv::Fails(kvtdrv::CallKind::Close, kvtdrv::FaultKind::Close);
  kvtdrv::TraceEvent("CloseSensor");
  if (fails) {
    kvtdrv::SetError("Schnittstelle konnte nicht geschlossen werden (simulierter Fehler).");
    return FALSE;
  }
  return TRUE;
}

KVT_DRV_API BOOL WINAPI FreeSensor(DWORD sensor) {
  if (!kvtdrv::CheckSession(sensor, false)) return FALSE;
  if (g_session.phase == Phase::Open) {
    kvtdrv::SetError("Verbindung zum Sensor ist noch geöffnet (CloseSensor fehlt).");
    return FALSE;
  }
  g_session.phase = Phase::Unloaded;
  g_session.handle = 0;
  const bool fails = kvtdrv::Fails(kvtdrv::CallKind::Free, kvtdrv::FaultKind::Free);
  kvtdrv::TraceEvent("FreeSensor: Sitzung beendet");
  if (fails) {
    kvtdrv::SetError("Sensortreiber konnte nicht freigegeben werden (simulierter Fehler).");
    return FALSE;
  }
  return TRUE;
}

// Handle 0 asks for the failure of LoadSensor; any valid handle, or none at
// all, gets the last failure's text.
KVT_DRV_API BOOL WINAPI ErrorSensor(DWORD, LPSTR text, int textSize) {
  if (!text || textSize <= 0) return FALSE;
  lstrcpynA(text, kvtdrv::LastError(), textSize);
  kvtdrv::FilterText(kSimErrorTextClass, text, textSize);
  return TRUE;
}
