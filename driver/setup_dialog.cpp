#include "driver.h"
namespace kvtdrv {
BOOL RunSetupDialog(HWND) { return TRUE; }
}
