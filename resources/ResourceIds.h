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

// The activation hotkey could not be registered.
#define IDS_HOTKEY_INVALID 40203
#define IDS_HOTKEY_INVALID_CAPTION 40204
