#pragma once

// Identifiers of the program's resources, shared by its own resource scripts and
// by the language modules, which carry the same ids. Plain macros: the resource
// compiler reads this file too.

// Internal program errors (CError code 1, thrown by the data model).
#define IDS_INTERNAL_REMOVE_CHILD_ACTIVITY 40016
#define IDS_INTERNAL_PROJECTS_CLOSE 40272
#define IDS_INTERNAL_PROJECTS_PATH_CHANGE 40273
#define IDS_INTERNAL_STATS_NO_INTERVALS 40336
#define IDS_INTERNAL_TALLYMARKS_ACTIVITY 40337

// Stands in for a system error text when the system has none.
#define IDS_UNKNOWN_ERROR 40125

// Explanations of the results of a shell "open" request.
#define IDS_SHELL_ACCESS_DENIED 40401
#define IDS_SHELL_ASSOCIATION_INCOMPLETE 40402
#define IDS_SHELL_BAD_FORMAT 40403
#define IDS_SHELL_DDE_BUSY 40404
#define IDS_SHELL_DDE_FAILED 40405
#define IDS_SHELL_DDE_TIMEOUT 40406
#define IDS_SHELL_DLL_NOT_FOUND 40407
#define IDS_SHELL_FILE_NOT_FOUND 40408
#define IDS_SHELL_NO_ASSOCIATION 40409
#define IDS_SHELL_NO_ERROR 40410
#define IDS_SHELL_OUT_OF_RESOURCES 40411
#define IDS_SHELL_OUT_OF_MEMORY 40412
#define IDS_SHELL_PATH_NOT_FOUND 40413
#define IDS_SHELL_SHARING_VIOLATION 40414
#define IDS_SHELL_UNKNOWN_ERROR 40415

// The program's pictures (always loaded from the program, never from a language
// module).
#define IDI_TALLYMARKS 400
#define IDB_ACTIVITIES 401
#define IDB_ABOUT 402
#define IDI_WORKING 403
#define IDI_NOT_WORKING 404
#define IDCUR_LINK 405
#define IDB_SORT 406
#define IDB_PREVIOUS 407
#define IDB_NEXT 408
#define IDB_START 409
#define IDB_STOP 410
#define IDB_TOPMOST_ON 411
#define IDB_TOPMOST_OFF 412
#define IDB_TIP 413
#define IDB_REPORT_TEMPLATES 414

// Words for a chosen period and its length.
#define IDS_PERIOD_FROM_TO 40048
#define IDS_PERIOD_FROM_TO_TWO_LINES 40049
#define IDS_PERIOD_FROM_TO_NEW_LINE 40050
#define IDS_NO_CHOICE_MADE 40051
#define IDS_PERIOD_STILL_ACTIVE 40052
#define IDS_PERIOD_LENGTH_DAYS 40053
#define IDS_PERIOD_LENGTH_DAYS_HOURS 40054
#define IDS_PERIOD_EMPTY 40055
#define IDS_PERIOD_LENGTH_HOURS 40056
#define IDS_DAY_WORD 40069
#define IDS_DAYS_WORD 40070

// Words for a number of chosen activities.
#define IDS_ACTIVITIES_WORD 40061
#define IDS_ACTIVITY_COUNT_CHOSEN 40062
#define IDS_ACTIVITY_COUNT_OF 40063
#define IDS_ACTIVITY_COUNT_OF_ACTS 40064
#define IDS_ACTIVITY_WORD 40066

// The on-line update page.
#define IDS_UPDATE_PAGE_ERROR 40074
#define IDS_UPDATE_PAGE_ERROR_CAPTION 40075
#define IDS_UPDATE_PAGE_ADDRESS 40126
// The activation hotkey could not be registered.
#define IDS_HOTKEY_INVALID 40203
#define IDS_HOTKEY_INVALID_CAPTION 40204
