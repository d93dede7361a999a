#include "dialogs/dialogs.h"
namespace kvt {
BOOL CollectParams(HWND, ULONG_PTR *, int, ULONG_PTR, const TelegramRecord *) { return FALSE; }
}
