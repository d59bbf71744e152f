#include "library/datetime/CTimeZoneConverter.h"

#include "library/datetime/CCalendar.h"

#include <algorithm>
#include <cmath>

namespace {

const double kSecond = 1.0 / 86400.0;

} // namespace

CTimeZoneConverter::CTimeZoneConverter(const CTimeZone& zone, bool toLocal)
    : m_zone(zone), m_toLocal(toLocal), m_daylightSaving(zone.HasDaylightSaving()) {}

CDateTime CTimeZoneConverter::GetTransition(const SYSTEMTIME& record, int year) {
    if (record.wYear != 0) {
        CDateTime absolute;
        absolute.SetDateTime(record.wYear, record.wMonth, record.wDay, record.wHour, record.wMinute,
                             record.wSecond);
        return absolute;
    }
    return CDateTime::FromWeekdayRule(year, record.wMonth, record.wDayOfWeek, record.wDay,
                                      record.wHour, record.wMinute, record.wSecond);
}

// A value on a whole second is re-encoded from its moved fields, so that it equals the
// value made from those fields and compares exactly with it (a transition moment with a
// time read from a record, a local day start).
CDateTime CTimeZoneConverter::ShiftMinutes(const CDateTime& value, long minutes) {
    CDateTime shifted = value + CDateTimeSpan(minutes / 1440.0);
    double whole;
    if (!shifted.IsValid() || !CCalendar::RoundToSecond(value.GetValue(), whole) ||
        whole != value.GetValue() || !CCalendar::RoundToSecond(shifted.GetValue(), whole)) {
        return shifted;
    }
    return CDateTime(whole);
}

CTimeZoneConverter::SYear CTimeZoneConverter::MakeYear(const CDateTime& value) const {
    const TIME_ZONE_INFORMATION& information = m_zone.GetInformation();
    const int year = value.GetYear();
    CDateTime start = GetTransition(information.DaylightDate, year);
    CDateTime end = GetTransition(information.StandardDate, year);
    if (m_toLocal) {
        // The start is given in standard time, the end in daylight time.
        start = ShiftMinutes(start, information.Bias + information.StandardBias);
        end = ShiftMinutes(end, information.Bias + information.DaylightBias);
    }
    SYear made;
    made.hasDaylightPeriod = start.IsValid() && end.IsValid();
    made.daylightFrom = CCalendar::ToLinear(start.GetValue());
    made.daylightTo = CCalendar::ToLinear(end.GetValue());
    CDateTime first, next;
    first.SetDateTime(year, 1, 1, 0, 0, 0);
    next.SetDateTime(year + 1, 1, 1, 0, 0, 0);
    if (first.IsValid() && next.IsValid()) {
        made.first = CCalendar::ToLinear(first.GetValue()) + kSecond;
        made.last = CCalendar::ToLinear(next.GetValue()) - kSecond;
    } else {
        made.first = 0.0;
        made.last = -1.0;
    }
    return made;
}

const CTimeZoneConverter::SYear& CTimeZoneConverter::GetYearOf(const CDateTime& value,
                                                               double linear) {
    auto holds = [linear](const SYear& year) {
        return linear >= year.first && linear <= year.last;
    };
    if (m_hasFirstYear && holds(m_firstYear)) {
        return m_firstYear;
    }
    if (m_lastFound < m_years.size() && holds(m_years[m_lastFound])) {
        return m_years[m_lastFound];
    }
    auto byFirst = [](double value, const SYear& year) { return value < year.first; };
    auto after = std::upper_bound(m_years.begin(), m_years.end(), linear, byFirst);
    if (after != m_years.begin() && holds(*(after - 1))) {
        m_lastFound = static_cast<std::size_t>(after - 1 - m_years.begin());
        return m_years[m_lastFound];
    }
    // A value within a second of a turn of the year, the last year, or a year not met yet.
    const SYear made = MakeYear(value);
    after = std::upper_bound(m_years.begin(), m_years.end(), made.first, byFirst);
    const bool known = after != m_years.begin() && (after - 1)->first == made.first;
    if (made.first > made.last || known) {
        m_unkept = made;
        return m_unkept;
    }
    if (!m_hasFirstYear) {
        // A converter used for one value, as most are, allocates nothing.
        m_firstYear = made;
        m_hasFirstYear = true;
        return m_firstYear;
    }
    if (m_years.size() >= kMaxYears) {
        m_years.clear();
        after = m_years.end();
    }
    const auto inserted = m_years.insert(after, made);
    m_lastFound = static_cast<std::size_t>(inserted - m_years.begin());
    return *inserted;
}

// The period is half open: the moment the clocks go back belongs to standard time, which
// makes local times round-trip.
long CTimeZoneConverter::GetShiftMinutes(const CDateTime& value, double linear) {
    const TIME_ZONE_INFORMATION& information = m_zone.GetInformation();
    long extra = information.StandardBias;
    if (m_daylightSaving) {
        const SYear& year = GetYearOf(value, linear);
        if (year.hasDaylightPeriod) {
            // In the southern hemisphere the period spans the turn of the year (compared on
            // the linear scale, as CDateTime compares).
            const double from = year.daylightFrom;
            const double to = year.daylightTo;
            const bool daylight =
                from <= to ? (linear >= from && linear < to) : (linear >= from || linear < to);
            if (daylight) {
                extra = information.DaylightBias;
            }
        }
    }
    const long offset = information.Bias + extra;
    return m_toLocal ? -offset : offset;
}

// The skipped local times all stand for the one instant of the change, so that successive
// local hours are successive universal intervals: the hour before the change keeps what
// was worked in it, and the hour that does not exist is empty, wherever a bound falls.
bool CTimeZoneConverter::FindSkippedChange(const CDateTime& value, double linear,
                                           CDateTime& instant) {
    const TIME_ZONE_INFORMATION& information = m_zone.GetInformation();
    const long skipped = information.StandardBias - information.DaylightBias;
    if (m_toLocal || !m_daylightSaving || skipped <= 0) {
        return false;
    }
    const SYear& year = GetYearOf(value, linear);
    if (!year.hasDaylightPeriod || linear < year.daylightFrom ||
        linear >= year.daylightFrom + skipped / 1440.0) {
        return false;
    }
    // The change's local moment is given in standard time.
    instant = ShiftMinutes(CDateTime(CCalendar::FromLinear(year.daylightFrom)),
                           information.Bias + information.StandardBias);
    return true;
}

CDateTime CTimeZoneConverter::Convert(const CDateTime& value) {
    if (!value.IsValid()) {
        return CDateTime();
    }
    if (!m_zone.IsValid()) {
        return value;
    }
    const double linear = CCalendar::ToLinear(value.GetValue());
    CDateTime instant;
    if (FindSkippedChange(value, linear, instant)) {
        return instant;
    }
    return ShiftMinutes(value, GetShiftMinutes(value, linear));
}

bool CTimeZoneConverter::IsSkipped(const CDateTime& value) {
    CDateTime instant;
    return value.IsValid() && m_zone.IsValid() &&
           FindSkippedChange(value, CCalendar::ToLinear(value.GetValue()), instant);
}

int CTimeZoneConverter::ConvertToDayNumber(const CDateTime& value) {
    // Re-encoding and the round trip through the linear scale move a value by far less than
    // this; near the ends of the range the value may also become invalid.
    const double kMargin = 2.0 * kSecond;
    const double linear = CCalendar::ToLinear(value.GetValue());
    CDateTime instant;
    if (value.IsValid() && m_zone.IsValid() && !FindSkippedChange(value, linear, instant) &&
        linear > CCalendar::ToLinear(CDateTime::GetMinimum()) + 2.0 &&
        linear < CCalendar::ToLinear(CDateTime::GetMaximum()) - 2.0) {
        const double shifted = linear + GetShiftMinutes(value, linear) / 1440.0;
        const double day = std::floor(shifted);
        if (shifted - day > kMargin && shifted - day < 1.0 - kMargin) {
            return static_cast<int>(day);
        }
    }
    return Convert(value).GetDayNumber();
}
