#pragma once
#define IDD_BARRIER 3000
#define IDC_FIELD 3100
#define IDC_SEND 3101
#define IDC_OPEN_INNER 3102
#define IDC_ROWS 3103
