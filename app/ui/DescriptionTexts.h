#pragma once

// The words for a chosen time period and for a number of chosen activities, as the
// period chooser, the report dialog and the import and export dialog show them.

#include <windows.h>

#include <set>
#include <string>

class CActivity;
class CDateTime;
class CDateTimeFormat;

// The data model's "no date": a start that is this means no choice, an end that is
// this a period still running.
constexpr double kNoDate = -693959.0;

// The period from start to end in words: a first line with the dates, by layout 1
// ("<start> to <end>; "), 2 ("<start> to <end>;\n") or 3 ("<start> to\n<end>;\n"),
// any other layout as 1, followed by its length in days and hours. Dates are written
// without times of day when start and end (if any) lie on midnight. A start that is
// kNoDate gives "No choice made"; an end that is kNoDate gives the "still active"
// line and no length. Dates use the program's weekday date pattern and the user's
// default locale.
std::string FormatPeriodDescription(int layout, const CDateTime& start, const CDateTime& end);
// The same in the patterns and locale given.
std::string FormatPeriodDescription(int layout, const CDateTime& start, const CDateTime& end,
                                    const CDateTimeFormat& format, LCID locale);

// The message messageId with "[ACTS]" replaced by "activity" when exactly one
// activity is chosen (else "activities"), "[TOTALNUMACTS]" by the total and
// "[NUMACTS]" by the number chosen.
std::string FormatActivityCount(const std::set<CActivity*>& chosen, int total,
                                unsigned int messageId);
