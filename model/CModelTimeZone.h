#pragma once

#include "library/datetime/CTimeZone.h"

// The time zone in which the data model counts local days (CTallymarksByDate) and cuts
// statistics intervals (CStatInt): the system's zone unless one was set. Tests set a zone
// of their own, so that they never depend on the zone of the machine they run on.
class CModelTimeZone {
public:
    // A copy of zone is used from now on; null: the system's zone again.
    static void Set(const CTimeZone* zone);
    // The zone set, else the system's current zone (read at every call).
    static CTimeZone Get();
};
