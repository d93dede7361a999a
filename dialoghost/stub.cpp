// Placeholder until the menu window lands.
#include "kvt/abi.h"
extern "C" int WINAPI ZenkDialog(HWND, ULONG_PTR *) { return 0; }
