#pragma once

// The tally mark dialogs show local time, the data model stores universal time. Local
// time is that of the zone in which the data model counts local days (CModelTimeZone: the
// system's zone unless one was set), so a tally mark shown on a day is the one whose day
// the calendars mark.

#include "library/datetime/CDateTime.h"

// The invalid date when utc is invalid.
CDateTime ToLocalTime(const CDateTime& utc);
// The invalid date when local is invalid.
CDateTime ToUniversalTime(const CDateTime& local);
// Whether local is a time that the change to daylight time skips: no clock shows it that
// day, and converted it would stand for the change's instant.
bool IsSkippedLocalTime(const CDateTime& local);
