#pragma once

#include <windows.h>

// A time zone as the system describes it: the zone record of GetTimeZoneInformation and
// the answer that came with it. Conversions (CDateTime::UtcToLocal, LocalToUtc) take a
// zone so that callers and tests can hand in any zone; GetCurrent reads the system's.
//
// Biases are minutes to add to local time to get universal time. The daylight period
// starts at DaylightDate (in standard time) and ends at StandardDate (in daylight time);
// a record whose year is 0 is a yearly rule (month, day of week, occurrence 1-5 in the
// day field with 5 the last, time of day), any other record an absolute date.
class CTimeZone {
public:
    // Universal time: bias 0, no daylight saving.
    CTimeZone();
    // zoneId: the answer of GetTimeZoneInformation (TIME_ZONE_ID_UNKNOWN for a zone
    // without daylight saving, TIME_ZONE_ID_INVALID for a failed query).
    CTimeZone(const TIME_ZONE_INFORMATION& information, DWORD zoneId);

    static CTimeZone GetCurrent();

    const TIME_ZONE_INFORMATION& GetInformation() const { return m_information; }
    DWORD GetZoneId() const { return m_zoneId; }
    // False when the zone could not be read.
    bool IsValid() const;
    // True when the zone has daylight saving: a valid answer other than
    // TIME_ZONE_ID_UNKNOWN and both transition months set.
    bool HasDaylightSaving() const;

private:
    TIME_ZONE_INFORMATION m_information;
    DWORD m_zoneId;
};
