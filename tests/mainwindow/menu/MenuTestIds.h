#pragma once

// The test program's own dialogs: a window that carries the main menu (and a button of
// its own), and a dialog that stands in for each dialog the menu opens.
#define IDD_MENU_TEST 950
#define IDD_MENU_TEST_PROBE 951
#define IDC_MENU_TEST_BUTTON 952
