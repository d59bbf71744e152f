// CDateTime: conversion between universal and local time.

#include "library/datetime/CDateTime.h"

#include "library/datetime/CTimeZone.h"

namespace {

// The moment of a transition record in the given year; the marker when there is none.
CDateTime GetTransition(const SYSTEMTIME& record, int year) {
    if (record.wYear != 0) {
        CDateTime absolute;
        absolute.SetDateTime(record.wYear, record.wMonth, record.wDay, record.wHour, record.wMinute,
                             record.wSecond);
        return absolute;
    }
    return CDateTime::FromWeekdayRule(year, record.wMonth, record.wDayOfWeek, record.wDay,
                                      record.wHour, record.wMinute, record.wSecond);
}

// Moves a value by whole minutes. A value on a whole second is re-encoded from its
// moved fields, so that it equals the value made from those fields and compares exactly
// with it (a transition moment with a time read from a record, a local day start).
CDateTime ShiftMinutes(const CDateTime& value, long minutes) {
    CDateTime shifted = value + CDateTimeSpan(minutes / 1440.0);
    double whole;
    if (!shifted.IsValid() || !CCalendar::RoundToSecond(value.GetValue(), whole) ||
        whole != value.GetValue() || !CCalendar::RoundToSecond(shifted.GetValue(), whole)) {
        return shifted;
    }
    return CDateTime(whole);
}

} // namespace

CDateTime CDateTime::UtcToLocal() const {
    return ConvertTimeZone(*this, true);
}

CDateTime CDateTime::LocalToUtc() const {
    return ConvertTimeZone(*this, false);
}

CDateTime CDateTime::UtcToLocal(const CTimeZone& zone) const {
    return ConvertTimeZone(*this, true, zone);
}

CDateTime CDateTime::LocalToUtc(const CTimeZone& zone) const {
    return ConvertTimeZone(*this, false, zone);
}

CDateTime CDateTime::ConvertTimeZone(const CDateTime& value, bool toLocal) {
    return ConvertTimeZone(value, toLocal, CTimeZone::GetCurrent());
}

// The daylight period of the value's own year decides the offset, so that a value far
// from today converts with the rule of its time. The period is half open: the moment
// the clocks go back belongs to standard time, which makes local times round-trip.
CDateTime CDateTime::ConvertTimeZone(const CDateTime& value, bool toLocal, const CTimeZone& zone) {
    if (!value.IsValid()) {
        return CDateTime();
    }
    if (!zone.IsValid()) {
        return value;
    }
    const TIME_ZONE_INFORMATION& information = zone.GetInformation();
    long extra = information.StandardBias;
    if (zone.HasDaylightSaving()) {
        int year = value.GetYear();
        CDateTime start = GetTransition(information.DaylightDate, year);
        CDateTime end = GetTransition(information.StandardDate, year);
        if (toLocal) {
            // The start is given in standard time, the end in daylight time.
            start = ShiftMinutes(start, information.Bias + information.StandardBias);
            end = ShiftMinutes(end, information.Bias + information.DaylightBias);
        }
        if (start.IsValid() && end.IsValid()) {
            // In the southern hemisphere the period spans the turn of the year.
            bool daylight =
                start <= end ? (value >= start && value < end) : (value >= start || value < end);
            if (daylight) {
                extra = information.DaylightBias;
            }
        }
    }
    long offset = information.Bias + extra;
    return ShiftMinutes(value, toLocal ? -offset : offset);
}

CDateTime CDateTime::FromWeekdayRule(int year, int month, int weekday, int occurrence, int hour,
                                     int minute, int second) {
    if (!CCalendar::AreDateFieldsValid(year, month, 1) || weekday < 0 || weekday > 6 ||
        occurrence < 1 || !CCalendar::AreTimeFieldsValid(hour, minute, second)) {
        return CDateTime();
    }
    int day;
    if (occurrence <= 4) {
        int first = CCalendar::GetDayNumber(year, month, 1);
        day = first + (weekday - CCalendar::GetWeekday(first) + 7) % 7 + (occurrence - 1) * 7;
    } else {
        int last = CCalendar::GetDayNumber(year, month, CCalendar::GetDaysInMonth(year, month));
        day = last - (CCalendar::GetWeekday(last) - weekday + 7) % 7;
    }
    CDateTime result(CCalendar::MakeValue(day, hour, minute, second));
    return result.IsValid() ? result : CDateTime();
}
