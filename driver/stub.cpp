// Placeholder until the simulated devices land.
#include "kvt/abi.h"
#include "kvt/simcontrol.h"
extern "C" {
DWORD WINAPI LoadSensor(LPARAM) { return 1; }
BOOL WINAPI QuerySensor(DWORD) { return FALSE; }
BOOL WINAPI SetupSensor(DWORD, HWND, LPARAM, LPARAM) { return TRUE; }
BOOL WINAPI OpenSensor(DWORD) { return TRUE; }
BOOL WINAPI CloseSensor(DWORD) { return TRUE; }
BOOL WINAPI FreeSensor(DWORD) { return TRUE; }
BOOL WINAPI ErrorSensor(DWORD, LPSTR text, int size) { if (size > 0) lstrcpynA(text, "Fehler", size); return TRUE; }
BOOL WINAPI TelegramSensor(DWORD, BYTE *, BYTE *) { return FALSE; }
BOOL WINAPI TelegramDownload(DWORD, BYTE *) { return FALSE; }
BOOL WINAPI TextSensor(int, WORD, LPSTR text, int size, int) { if (size > 0) text[0] = 0; return TRUE; }
BOOL WINAPI TextSensorMulPar(int, const void *, LPSTR text, int size, int) { if (size > 0) text[0] = 0; return TRUE; }
BOOL WINAPI SimConfigure(const char *) { return TRUE; }
BOOL WINAPI SimQueueAnswer(const BYTE *, BOOL, DWORD) { return TRUE; }
DWORD WINAPI SimRequestCount(void) { return 0; }
BOOL WINAPI SimRequestAt(DWORD, BYTE *) { return FALSE; }
BOOL WINAPI SimReset(void) { return TRUE; }
}
