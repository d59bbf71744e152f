#pragma once

// Identifiers of the compact main window and the activity combo box.

#define IDD_COMPACT 111

// Controls of the compact main window, in one row.
#define IDC_COMPACT_STATE 2300
#define IDC_COMPACT_ACTIVITY 2303
#define IDC_COMPACT_START 2304
#define IDC_COMPACT_STOP 2305
#define IDC_COMPACT_TIME_FRAME 2306
#define IDC_COMPACT_TIME 2307
#define IDC_COMPACT_TOPMOST 2308
