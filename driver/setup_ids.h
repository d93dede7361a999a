// Control ids of the setup dialog, shared by its resource script, its code
// and its tests.
#pragma once

#define IDD_KVTIDRV_SETUP 100

#define IDC_SETUP_DEVICE 1001
#define IDC_SETUP_ADDRESS 1002
#define IDC_SETUP_VARIANT 1003
#define IDC_SETUP_FAULTS 1004
#define IDC_SETUP_LOG 1005
#define IDC_SETUP_ASK 1006
#define IDC_SETUP_PW_SETUP 1007
#define IDC_SETUP_PW_SUPER 1008
#define IDC_SETUP_PW_SERVICE 1009
#define IDC_SETUP_FLASH 1010
