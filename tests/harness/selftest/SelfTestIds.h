#pragma once
#define IDD_SELFTEST 1000
#define IDC_ASK 1001
#define IDC_DISABLED 1002
#define IDC_CHECK 1003
#define IDC_EDIT 1004
#define IDC_LIST 1005
