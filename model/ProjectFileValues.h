#pragma once

// The texts in which the XML project file holds dates and yes/no flags.

#include "library/datetime/CDateTime.h"

#include <cstddef>
#include <string>

// "YYYY-MM-DD hh:mm:ss" from the value's own fields (no time-zone or daylight-saving
// adjustment of any kind); "" for an invalid value.
std::string FormatFileDateTime(const CDateTime& date);
// The same into `text` (zero-terminated; "" for an invalid value), without allocating.
constexpr std::size_t kFileDateTimeSize = 20;
void FormatFileDateTime(const CDateTime& date, char (&text)[kFileDateTimeSize]);

// Reads "year-month-day hour:minute:second": six decimal integers, each with optional
// leading white space and sign; any white space (or none) between the date and the time;
// text after the seconds is ignored. A year of 0-99 means 2000-2099. False, and date
// untouched, when the pattern does not match or the fields are no valid date and time.
bool ParseFileDateTime(const char* text, CDateTime& date);

// Reads a yes/no text by its first character: "0", "F", "N", "f", "n" are false, "1", "T",
// "Y", "t", "y" true. Answers whether it was recognised (value untouched when not); null
// and empty texts are not.
bool ParseYesNoText(const char* text, bool& value);
