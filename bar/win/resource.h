// Resource ids of tessel.exe.
#pragma once

#define IDB_SPLASH 101
#define IDI_TESSEL 102

#define IDD_EXIT 200
#define IDC_SHUTDOWN 1001
#define IDC_RESTART 1002
#define IDC_EXIT_TESSEL 1003
