#pragma once

#include "library/datetime/CCalendar.h"
#include "library/datetime/CDateTimeSpan.h"

#include <windows.h>
#include <oaidl.h>

#include <ctime>
#include <string>

class CTimeZone;

// A point in time: an OLE automation date, days since 30 December 1899 00:00 with the
// time of day as the fraction. For negative values the whole part counts days backwards
// while the fraction still counts forward into that day (-1.25 is 29 December 1899
// 06:00); ordering and arithmetic therefore work on the linear scale of CCalendar.
//
// Valid from 1 January 100 00:00 (-657434.0) to 31 December 9999 00:00 (2958465.0).
// Nothing throws: an operation that cannot produce a valid value produces the invalid
// marker (-657435.0), integer getters answer INT_MIN, conversions answer false, an
// all-zero record or an empty text. Any value outside the range counts as invalid.
//
// Calendar fields are computed arithmetically from the day number (never through the C
// runtime's mktime) and rounded to the nearest second, as the platform's OLE conversions
// round. The starts of hours, days, weeks, months and years floor the value after adding
// 1e-8 days, so a value less than a millisecond below a boundary counts as on it.
class CDateTime {
public:
    static constexpr double kInvalidValue = -657435.0;

    // The invalid marker.
    CDateTime();
    // The day number unchanged.
    explicit CDateTime(double value);
    // Year to second of the record (milliseconds dropped); the marker when a field is
    // out of range.
    explicit CDateTime(const SYSTEMTIME& systemTime);

    CDateTime& operator=(double value);
    CDateTime& SetValue(double value);
    CDateTime& SetValue(const CDateTime& value);
    double GetValue() const { return m_value; }
    double& GetValueRef() { return m_value; }

    static double GetMinimum();
    static double GetMaximum();
    static double GetInvalidValue() { return kInvalidValue; }
    bool IsValid() const;

    // The stored doubles as they stand.
    bool operator==(const CDateTime& other) const { return m_value == other.m_value; }
    bool operator!=(const CDateTime& other) const { return m_value != other.m_value; }
    // On the linear scale.
    bool operator<(const CDateTime& other) const;
    bool operator>(const CDateTime& other) const;
    bool operator<=(const CDateTime& other) const;
    bool operator>=(const CDateTime& other) const;

    // The span's marker when either date is invalid.
    CDateTimeSpan operator-(const CDateTime& other) const;
    // The date's marker when the date or the span is invalid or the result out of range.
    CDateTime operator+(const CDateTimeSpan& span) const;
    CDateTime operator-(const CDateTimeSpan& span) const;
    CDateTime& operator+=(const CDateTimeSpan& span);
    CDateTime& operator-=(const CDateTimeSpan& span);

    // The current time (universal or local), to the second, from the system clock unless
    // a clock was set with SetNowSource.
    static CDateTime Now(bool utc);
    // A replacement clock: called by Now with its flag, for the whole process. Tests use it
    // to pin "now"; null (the default) is the system clock.
    using NowSource = CDateTime (*)(bool utc);
    static void SetNowSource(NowSource source);

    // The day number of the calendar day (29 December 1899 is -1 at any time of day);
    // INT_MIN when invalid.
    int GetDayNumber() const;

    // Starts of periods and their offsets: the marker when the value is invalid or the
    // result falls outside the valid range.
    CDateTime GetDayStart() const;
    CDateTime GetNextDayStart() const;
    CDateTime GetDayStartOffset(int days) const;
    CDateTime GetHourStart() const;
    CDateTime GetNextHourStart() const;
    CDateTime GetHourStartOffset(int hours) const;
    // firstDay: 0 = Sunday ... 6 = Saturday (taken modulo 7).
    CDateTime GetWeekStart(int firstDay) const;
    CDateTime GetNextWeekStart(int firstDay) const;
    CDateTime GetWeekStartOffset(int weeks, int firstDay) const;
    CDateTime GetMonthStart() const;
    CDateTime GetNextMonthStart() const;
    CDateTime GetMonthStartOffset(int months) const;
    CDateTime GetYearStart() const;
    CDateTime GetNextYearStart() const;
    CDateTime GetYearStartOffset(int years) const;

    // Calendar fields; INT_MIN when invalid.
    int GetYear() const;
    int GetMonth() const;     // 1-12
    int GetDay() const;       // 1-31
    int GetHour() const;      // 0-23
    int GetMinute() const;    // 0-59
    int GetSecond() const;    // 0-59
    int GetDayOfWeek() const; // 1 = Sunday ... 7 = Saturday
    int GetDayOfYear() const; // 1-366
    int GetDaysInMonth() const;
    // 366 in a leap year, else 365 (also when invalid).
    int GetDaysInYear() const;
    // False when invalid.
    bool IsLeapYear() const;
    bool IsMidnight() const;
    bool IsNoon() const;

    // Setters replace the value and answer whether it is valid; out-of-range fields
    // (year 100-9999, month 1-12, day within the month, hour 0-23, minute and second
    // 0-59) give the marker. The date and time setters keep the other half of the value
    // and leave an invalid value invalid.
    bool SetDateTime(int year, int month, int day, int hour, int minute, int second);
    bool SetDateTime(int year, int month, int day);
    CDateTime& SetFromSystemTime(const SYSTEMTIME& systemTime);
    bool SetDate(int year, int month, int day);
    bool SetDateFromSystemTime(const SYSTEMTIME& systemTime);
    bool SetTime(int hour, int minute, int second);
    bool SetTimeFromSystemTime(const SYSTEMTIME& systemTime);

    // The value as a record; all fields zero when invalid.
    SYSTEMTIME GetAsSystemTime() const;

    // Other system records. Each answers whether the conversion succeeded; a failed
    // "SetFrom" leaves the marker.
    // The fields of the record (tm_year + 1900, tm_mon + 1); day of week, day of year and
    // the daylight flag are ignored.
    bool SetFromTm(const std::tm& time);
    // Every field, computed from the value; tm_isdst is -1 (unknown).
    bool GetAsTm(std::tm& time) const;
    // Through localtime: the C runtime's zone. Fails outside its time_t range.
    bool SetFromTimeT(std::time_t time);
    // Through mktime: the C runtime's zone. Fails outside its time_t range (1970 to 2038
    // on 32-bit builds).
    bool GetAsTimeT(std::time_t& time) const;
    // A file time is universal; it is converted to local time by the rules of its own
    // year, in the system's zone or the one given.
    bool SetFromFileTime(const FILETIME& fileTime);
    bool SetFromFileTime(const FILETIME& fileTime, const CTimeZone& zone);
    // The value's fields as they stand, without a zone conversion.
    bool GetAsFileTime(FILETIME& fileTime) const;
    // An MS-DOS date and time as a file system stores them.
    bool SetFromDosDateTime(WORD dosDate, WORD dosTime);
    // A date variant as it is, any other type changed to a date by the platform.
    bool SetFromVariant(const VARIANT& variant);
    // `variant` must be initialised; it is cleared and, when the value is valid, becomes a
    // date.
    bool GetAsVariant(VARIANT& variant) const;

    // Text parsed by the platform's OLE date parser (VarDateFromStr) for the locale; a
    // code-page text is taken in the ANSI code page.
    bool SetFromText(const wchar_t* text, ULONG flags = 0, LCID locale = LOCALE_USER_DEFAULT);
    bool SetFromText(const char* text, ULONG flags = 0, LCID locale = LOCALE_USER_DEFAULT);
    // The OLE text of the value (VarBstrFromDate) in the ANSI code page; "" when invalid.
    std::string GetAsText(ULONG flags = 0, LCID locale = LOCALE_USER_DEFAULT) const;

    // Time zones: conversion by the daylight-saving rules of the value's own year, in the
    // system's zone or the one given. The marker when the value is invalid or the result
    // out of range; the value unchanged when the zone cannot be read. A local time that
    // the change to daylight time skips becomes the change's instant; one of the hour
    // repeated when it ends counts as its first (daylight) pass.
    CDateTime UtcToLocal() const;
    CDateTime LocalToUtc() const;
    CDateTime UtcToLocal(const CTimeZone& zone) const;
    CDateTime LocalToUtc(const CTimeZone& zone) const;
    static CDateTime ConvertTimeZone(const CDateTime& value, bool toLocal);
    static CDateTime ConvertTimeZone(const CDateTime& value, bool toLocal, const CTimeZone& zone);
    // The occurrence-th (1-4; 5 or more: the last) weekday (0 = Sunday ... 6 = Saturday)
    // of the month at the time of day; the marker for fields out of range.
    static CDateTime FromWeekdayRule(int year, int month, int weekday, int occurrence, int hour,
                                     int minute, int second);

    // Text through the platform's locale formatters (GetDateFormatA, GetTimeFormatA) with a
    // picture pattern; "" when the value is invalid or the formatter fails (texts of more
    // than 255 characters, dates before 1601).
    std::string FormatDate(const std::string& pattern, DWORD flags = 0,
                           LCID locale = LOCALE_USER_DEFAULT) const;
    std::string FormatTime(const std::string& pattern, DWORD flags = 0,
                           LCID locale = LOCALE_USER_DEFAULT) const;
    // The date text, one space and the time text; "" when invalid.
    std::string FormatDateTime(const std::string& datePattern, const std::string& timePattern,
                               DWORD flags = 0, LCID locale = LOCALE_USER_DEFAULT) const;
    // The value's fields as they stand, by strftime-style codes: %Y (four-digit year),
    // %m, %d, %H, %M, %S (two digits) and %% ("%"); any other character, including an
    // unknown code, is copied. "" when invalid.
    std::string Format(const std::string& format) const;

private:
    // INT_MIN when invalid.
    int GetField(int CCalendar::SFields::*field) const;
    // The linear value mapped back; the marker when this value is invalid or the result
    // out of range.
    CDateTime FromLinearIfValid(double linear) const;
    // The day number of the day start; the value must be valid.
    int GetStartDayNumber() const;
    // The day start moved by whole days; the marker when invalid or out of range.
    CDateTime FromStartDayNumber(long long dayNumber) const;
    bool ReplaceFields(const CCalendar::SFields& fields);

    double m_value;
};
