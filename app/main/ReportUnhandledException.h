#pragma once

// The crash callback of the program: reports an operating-system exception that
// nothing handled, just before the process ends.
//
//   InstallSEHandler(&ReportUnhandledException);
//
// The report names the exception, its address, the module holding that address and
// the offset inside it, and for an access violation whether it read or wrote which
// address. Addresses and offsets are written in hexadecimal at pointer width.

#include "library/system/CSEHandler.h"

#include <string>

// The text of the report, in the current language.
std::string FormatUnhandledExceptionReport(const CSEHandler& exception);
// Shows the report in a message box without owner and returns 2, the exit code of
// a process that crashed.
int ReportUnhandledException(const CSEHandler& exception);
