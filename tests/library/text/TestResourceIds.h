#pragma once

// Resource ids of the text tests' own resources (TextTest.rc) and of the language
// module that the tests build from a copy of the test program.

#define IDS_TEST_254 1001
#define IDS_TEST_255 1002
#define IDS_TEST_256 1003
#define IDS_TEST_600 1004
// An empty string resource.
#define IDS_TEST_EMPTY 1005
// In the program and, with another text, in the language module.
#define IDS_TEST_SHARED 1006
// Only in the program.
#define IDS_TEST_PROGRAM_ONLY 1007
// Only in the language module (a long one).
#define IDS_TEST_LANGUAGE_ONLY 1008
// Nowhere.
#define IDS_TEST_MISSING 1099

// Layout numbers: 30000 in both modules, 30001 in the program only, 30002 an empty
// resource in the program.
#define IDR_TEST_LAYOUT_SHARED 30000
#define IDR_TEST_LAYOUT_PROGRAM_ONLY 30001
#define IDR_TEST_LAYOUT_EMPTY 30002
