#pragma once

#include "library/datetime/CDateTime.h"
#include "library/datetime/CTimeZone.h"

#include <cstddef>
#include <vector>

// Converts universal time to the local time of one zone, or back: the conversion of
// CDateTime::UtcToLocal and LocalToUtc, which use it. The daylight period of a value's own
// year decides the offset; the converter keeps the periods of the years it needed, so
// converting many values of a few years, in any order (every tally mark of a project),
// costs a look-up per value instead of the calendar work of the year's transitions.
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
    // Converting to universal time: whether value is a local time that the change to
    // daylight time skips (one that no clock of the zone shows that day).
    bool IsSkipped(const CDateTime& value);

private:
    // The moment of a transition record in the given year; the marker when there is none.
    static CDateTime GetTransition(const SYSTEMTIME& record, int year);
    // Moves a value by whole minutes, re-encoding one on a whole second from its fields.
    static CDateTime ShiftMinutes(const CDateTime& value, long minutes);
    // A year's daylight period on the linear scale, and the range in which a value surely
    // belongs to that year: a second inside its bounds, as the year of a value is that of
    // its fields rounded to the second (an empty range for the last year).
    struct SYear {
        double first;
        double last;
        double daylightFrom;
        double daylightTo;
        bool hasDaylightPeriod;
    };

    // The period of the year of value, kept from now on (at most kMaxYears of them).
    const SYear& GetYearOf(const CDateTime& value, double linear);
    SYear MakeYear(const CDateTime& value) const;
    // The minutes to add to value (valid, in a valid zone) to convert it; linear is its
    // value on the linear scale.
    long GetShiftMinutes(const CDateTime& value, double linear);
    // Converting to universal time: whether value (linear on the linear scale) is a local
    // time that the change to daylight time skips, from the change's local moment until
    // the daylight offset takes over; instant is then the change's universal time.
    bool FindSkippedChange(const CDateTime& value, double linear, CDateTime& instant);

    static constexpr std::size_t kMaxYears = 512;

    CTimeZone m_zone;
    bool m_toLocal;
    bool m_daylightSaving;
    // The first year met, the others kept by range, the one found last, and a year not
    // kept.
    SYear m_firstYear = {};
    bool m_hasFirstYear = false;
    std::vector<SYear> m_years;
    std::size_t m_lastFound = 0;
    SYear m_unkept = {};
};
