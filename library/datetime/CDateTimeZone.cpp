// CDateTime: conversion between universal and local time.

#include "library/datetime/CDateTime.h"

#include "library/datetime/CTimeZone.h"
#include "library/datetime/CTimeZoneConverter.h"

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

// The daylight period of the value's own year decides the offset (see CTimeZoneConverter).
CDateTime CDateTime::ConvertTimeZone(const CDateTime& value, bool toLocal, const CTimeZone& zone) {
    return CTimeZoneConverter(zone, toLocal).Convert(value);
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
