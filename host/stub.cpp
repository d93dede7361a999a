// Placeholder until the host program lands.
#include "kvt/abi.h"
int main() { DialogDiagnose(nullptr, 0, 0); return 0; }
