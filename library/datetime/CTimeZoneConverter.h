#pragma once

#include "library/datetime/CDateTime.h"
#include "library/datetime/CTimeZone.h"

// Converts universal time to the local time of one zone, or back: the conversion of
// CDateTime::UtcToLocal and LocalToUtc, which use it. The daylight period of a value's own
// year decides the offset; the converter keeps the period of the year it needed last, so
// converting many values of a few years (every tally mark of a project) costs a comparison
// per value instead of the calendar work of the year's transitions.
//
// Usage notes:
// - Every answer equals the one of a new converter for the value alone.
// - Keeps a copy of the zone; single-threaded.
class CTimeZoneConverter {
public:
    CTimeZoneConverter(const CTimeZone& zone, bool toLocal);

    // The invalid marker for an invalid value; the value itself for an invalid zone.
    CDateTime Convert(const CDateTime& value);
    // Convert(value).GetDayNumber(), without making the converted value unless it lies
    // within a few seconds of a day's start (where re-encoding it could change the day).
    int ConvertToDayNumber(const CDateTime& value);

private:
    // The moment of a transition record in the given year; the marker when there is none.
    static CDateTime GetTransition(const SYSTEMTIME& record, int year);
    // Moves a value by whole minutes, re-encoding one on a whole second from its fields.
    static CDateTime ShiftMinutes(const CDateTime& value, long minutes);
    // Keeps the daylight period of the year of value.
    void KeepYearOf(const CDateTime& value);
    // The minutes to add to value (valid, in a valid zone) to convert it; linear is its
    // value on the linear scale.
    long GetShiftMinutes(const CDateTime& value, double linear);

    CTimeZone m_zone;
    bool m_toLocal;
    bool m_daylightSaving;
    // The kept year's period, and the range (linear scale) in which a value surely belongs
    // to that year: a second inside its bounds, as the year of a value is that of its
    // fields rounded to the second.
    double m_yearFirst = 0.0;
    double m_yearLast = -1.0;
    CDateTime m_daylightStart;
    CDateTime m_daylightEnd;
    // Their values on the linear scale; whether both are valid.
    double m_daylightFrom = 0.0;
    double m_daylightTo = 0.0;
    bool m_hasDaylightPeriod = false;
};
