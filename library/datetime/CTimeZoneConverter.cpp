#include "library/datetime/CTimeZoneConverter.h"

#include "library/datetime/CCalendar.h"

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

void CTimeZoneConverter::KeepYearOf(const CDateTime& value) {
    const TIME_ZONE_INFORMATION& information = m_zone.GetInformation();
    const int year = value.GetYear();
    m_daylightStart = GetTransition(information.DaylightDate, year);
    m_daylightEnd = GetTransition(information.StandardDate, year);
    if (m_toLocal) {
        // The start is given in standard time, the end in daylight time.
        m_daylightStart =
            ShiftMinutes(m_daylightStart, information.Bias + information.StandardBias);
        m_daylightEnd = ShiftMinutes(m_daylightEnd, information.Bias + information.DaylightBias);
    }
    m_hasDaylightPeriod = m_daylightStart.IsValid() && m_daylightEnd.IsValid();
    m_daylightFrom = CCalendar::ToLinear(m_daylightStart.GetValue());
    m_daylightTo = CCalendar::ToLinear(m_daylightEnd.GetValue());
    CDateTime first, next;
    first.SetDateTime(year, 1, 1, 0, 0, 0);
    next.SetDateTime(year + 1, 1, 1, 0, 0, 0);
    if (first.IsValid() && next.IsValid()) {
        m_yearFirst = CCalendar::ToLinear(first.GetValue()) + kSecond;
        m_yearLast = CCalendar::ToLinear(next.GetValue()) - kSecond;
    } else {
        // The last year: its period is worked out for each value.
        m_yearFirst = 0.0;
        m_yearLast = -1.0;
    }
}

// The period is half open: the moment the clocks go back belongs to standard time, which
// makes local times round-trip.
long CTimeZoneConverter::GetShiftMinutes(const CDateTime& value, double linear) {
    const TIME_ZONE_INFORMATION& information = m_zone.GetInformation();
    long extra = information.StandardBias;
    if (m_daylightSaving) {
        if (!(linear >= m_yearFirst && linear <= m_yearLast)) {
            KeepYearOf(value);
        }
        if (m_hasDaylightPeriod) {
            // In the southern hemisphere the period spans the turn of the year (compared on
            // the linear scale, as CDateTime compares).
            const double from = m_daylightFrom;
            const double to = m_daylightTo;
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

CDateTime CTimeZoneConverter::Convert(const CDateTime& value) {
    if (!value.IsValid()) {
        return CDateTime();
    }
    if (!m_zone.IsValid()) {
        return value;
    }
    return ShiftMinutes(value, GetShiftMinutes(value, CCalendar::ToLinear(value.GetValue())));
}

int CTimeZoneConverter::ConvertToDayNumber(const CDateTime& value) {
    // Re-encoding and the round trip through the linear scale move a value by far less than
    // this; near the ends of the range the value may also become invalid.
    const double kMargin = 2.0 * kSecond;
    const double linear = CCalendar::ToLinear(value.GetValue());
    if (value.IsValid() && m_zone.IsValid() &&
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
