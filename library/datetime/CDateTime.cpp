#include "library/datetime/CDateTime.h"

#include <climits>
#include <cmath>

namespace {

// A value less than this many days below a period boundary counts as on the boundary.
const double kBoundaryTolerance = 1e-8;

long long FloorMod(long long a, long long b) {
    long long r = a % b;
    return r < 0 ? r + b : r;
}

} // namespace

CDateTime::CDateTime() : m_value(kInvalidValue) {}

CDateTime::CDateTime(double value) : m_value(value) {}

CDateTime& CDateTime::operator=(double value) {
    m_value = value;
    return *this;
}

CDateTime& CDateTime::SetValue(double value) {
    m_value = value;
    return *this;
}

CDateTime& CDateTime::SetValue(const CDateTime& value) {
    m_value = value.m_value;
    return *this;
}

double CDateTime::GetMinimum() {
    return CCalendar::kMinimumValue;
}

double CDateTime::GetMaximum() {
    return CCalendar::kMaximumValue;
}

bool CDateTime::IsValid() const {
    return CCalendar::IsInRange(m_value);
}

bool CDateTime::operator<(const CDateTime& other) const {
    return CCalendar::ToLinear(m_value) < CCalendar::ToLinear(other.m_value);
}

bool CDateTime::operator>(const CDateTime& other) const {
    return other < *this;
}

bool CDateTime::operator<=(const CDateTime& other) const {
    return CCalendar::ToLinear(m_value) <= CCalendar::ToLinear(other.m_value);
}

bool CDateTime::operator>=(const CDateTime& other) const {
    return other <= *this;
}

CDateTimeSpan CDateTime::operator-(const CDateTime& other) const {
    if (!IsValid() || !other.IsValid()) {
        return CDateTimeSpan();
    }
    return CDateTimeSpan(CCalendar::ToLinear(m_value) - CCalendar::ToLinear(other.m_value));
}

CDateTime CDateTime::operator+(const CDateTimeSpan& span) const {
    if (!span.IsValid()) {
        return CDateTime();
    }
    return FromLinearIfValid(CCalendar::ToLinear(m_value) + span.GetValue());
}

CDateTime CDateTime::operator-(const CDateTimeSpan& span) const {
    return *this + (-span);
}

CDateTime& CDateTime::operator+=(const CDateTimeSpan& span) {
    return *this = *this + span;
}

CDateTime& CDateTime::operator-=(const CDateTimeSpan& span) {
    return *this = *this - span;
}

CDateTime CDateTime::FromLinearIfValid(double linear) const {
    if (!IsValid()) {
        return CDateTime();
    }
    CDateTime result(CCalendar::FromLinear(linear));
    return result.IsValid() ? result : CDateTime();
}

int CDateTime::GetDayNumber() const {
    return IsValid() ? static_cast<int>(std::floor(CCalendar::ToLinear(m_value))) : INT_MIN;
}

int CDateTime::GetStartDayNumber() const {
    return static_cast<int>(std::floor(CCalendar::ToLinear(m_value) + kBoundaryTolerance));
}

CDateTime CDateTime::FromStartDayNumber(long long dayNumber) const {
    // Whole day numbers are the same on both scales.
    if (!IsValid() || dayNumber < CCalendar::kMinimumValue ||
        dayNumber > CCalendar::kMaximumValue) {
        return CDateTime();
    }
    return CDateTime(static_cast<double>(dayNumber));
}

CDateTime CDateTime::GetDayStart() const {
    return GetDayStartOffset(0);
}

CDateTime CDateTime::GetNextDayStart() const {
    return GetDayStartOffset(1);
}

CDateTime CDateTime::GetDayStartOffset(int days) const {
    if (!IsValid()) {
        return CDateTime();
    }
    return FromStartDayNumber(static_cast<long long>(GetStartDayNumber()) + days);
}

CDateTime CDateTime::GetHourStart() const {
    return GetHourStartOffset(0);
}

CDateTime CDateTime::GetNextHourStart() const {
    return GetHourStartOffset(1);
}

// The hour is encoded from its day and hour of day, as a value made from fields is: a bound
// reached by stepping hours equals the same hour made any other way (a zone's change of
// offset among them), so that no rounding step puts it on the other side of that change.
CDateTime CDateTime::GetHourStartOffset(int hours) const {
    if (!IsValid()) {
        return CDateTime();
    }
    const long long hour = static_cast<long long>(std::floor(
                               (CCalendar::ToLinear(m_value) + kBoundaryTolerance) * 24.0)) +
                           hours;
    const long long hourOfDay = FloorMod(hour, 24);
    const long long day = (hour - hourOfDay) / 24;
    if (day < CCalendar::kMinimumValue || day > CCalendar::kMaximumValue) {
        return CDateTime();
    }
    const CDateTime start(
        CCalendar::MakeValue(static_cast<int>(day), static_cast<int>(hourOfDay), 0, 0));
    return start.IsValid() ? start : CDateTime();
}

CDateTime CDateTime::GetWeekStart(int firstDay) const {
    return GetWeekStartOffset(0, firstDay);
}

CDateTime CDateTime::GetNextWeekStart(int firstDay) const {
    return GetWeekStartOffset(1, firstDay);
}

CDateTime CDateTime::GetWeekStartOffset(int weeks, int firstDay) const {
    if (!IsValid()) {
        return CDateTime();
    }
    int day = GetStartDayNumber();
    long long back = FloorMod(static_cast<long long>(CCalendar::GetWeekday(day)) - firstDay, 7);
    return FromStartDayNumber(day - back + 7LL * weeks);
}

CDateTime CDateTime::GetMonthStart() const {
    return GetMonthStartOffset(0);
}

CDateTime CDateTime::GetNextMonthStart() const {
    return GetMonthStartOffset(1);
}

CDateTime CDateTime::GetMonthStartOffset(int months) const {
    if (!IsValid()) {
        return CDateTime();
    }
    int year, month, day;
    CCalendar::GetDate(GetStartDayNumber(), year, month, day);
    long long monthIndex = year * 12LL + (month - 1) + months;
    long long newYear = (monthIndex - FloorMod(monthIndex, 12)) / 12;
    if (newYear < CCalendar::kFirstYear || newYear > CCalendar::kLastYear) {
        return CDateTime();
    }
    int newMonth = static_cast<int>(FloorMod(monthIndex, 12)) + 1;
    return FromStartDayNumber(CCalendar::GetDayNumber(static_cast<int>(newYear), newMonth, 1));
}

CDateTime CDateTime::GetYearStart() const {
    return GetYearStartOffset(0);
}

CDateTime CDateTime::GetNextYearStart() const {
    return GetYearStartOffset(1);
}

CDateTime CDateTime::GetYearStartOffset(int years) const {
    if (!IsValid()) {
        return CDateTime();
    }
    int year, month, day;
    CCalendar::GetDate(GetStartDayNumber(), year, month, day);
    long long newYear = static_cast<long long>(year) + years;
    if (newYear < CCalendar::kFirstYear || newYear > CCalendar::kLastYear) {
        return CDateTime();
    }
    return FromStartDayNumber(CCalendar::GetDayNumber(static_cast<int>(newYear), 1, 1));
}

int CDateTime::GetField(int CCalendar::SFields::*field) const {
    CCalendar::SFields fields;
    return CCalendar::GetFields(m_value, fields) ? fields.*field : INT_MIN;
}

int CDateTime::GetYear() const {
    return GetField(&CCalendar::SFields::year);
}

int CDateTime::GetMonth() const {
    return GetField(&CCalendar::SFields::month);
}

int CDateTime::GetDay() const {
    return GetField(&CCalendar::SFields::day);
}

int CDateTime::GetHour() const {
    return GetField(&CCalendar::SFields::hour);
}

int CDateTime::GetMinute() const {
    return GetField(&CCalendar::SFields::minute);
}

int CDateTime::GetSecond() const {
    return GetField(&CCalendar::SFields::second);
}

int CDateTime::GetDayOfWeek() const {
    int weekday = GetField(&CCalendar::SFields::dayOfWeek);
    return weekday == INT_MIN ? INT_MIN : weekday + 1;
}

int CDateTime::GetDayOfYear() const {
    return GetField(&CCalendar::SFields::dayOfYear);
}

int CDateTime::GetDaysInMonth() const {
    CCalendar::SFields fields;
    if (!CCalendar::GetFields(m_value, fields)) {
        return INT_MIN;
    }
    return CCalendar::GetDaysInMonth(fields.year, fields.month);
}

int CDateTime::GetDaysInYear() const {
    return IsLeapYear() ? 366 : 365;
}

bool CDateTime::IsLeapYear() const {
    CCalendar::SFields fields;
    return CCalendar::GetFields(m_value, fields) && CCalendar::IsLeapYear(fields.year);
}

bool CDateTime::IsMidnight() const {
    CCalendar::SFields fields;
    return CCalendar::GetFields(m_value, fields) && fields.hour == 0 && fields.minute == 0 &&
           fields.second == 0;
}

bool CDateTime::IsNoon() const {
    CCalendar::SFields fields;
    return CCalendar::GetFields(m_value, fields) && fields.hour == 12 && fields.minute == 0 &&
           fields.second == 0;
}

bool CDateTime::ReplaceFields(const CCalendar::SFields& fields) {
    double value;
    if (!CCalendar::MakeValue(fields.year, fields.month, fields.day, fields.hour, fields.minute,
                              fields.second, value)) {
        m_value = kInvalidValue;
        return false;
    }
    m_value = value;
    return true;
}

bool CDateTime::SetDateTime(int year, int month, int day, int hour, int minute, int second) {
    return ReplaceFields({year, month, day, hour, minute, second, 0, 0});
}

bool CDateTime::SetDateTime(int year, int month, int day) {
    return SetDateTime(year, month, day, 0, 0, 0);
}

bool CDateTime::SetDate(int year, int month, int day) {
    CCalendar::SFields fields;
    if (!CCalendar::GetFields(m_value, fields)) {
        m_value = kInvalidValue;
        return false;
    }
    fields.year = year;
    fields.month = month;
    fields.day = day;
    return ReplaceFields(fields);
}

bool CDateTime::SetDateFromSystemTime(const SYSTEMTIME& systemTime) {
    return SetDate(systemTime.wYear, systemTime.wMonth, systemTime.wDay);
}

bool CDateTime::SetTime(int hour, int minute, int second) {
    CCalendar::SFields fields;
    if (!CCalendar::GetFields(m_value, fields)) {
        m_value = kInvalidValue;
        return false;
    }
    fields.hour = hour;
    fields.minute = minute;
    fields.second = second;
    return ReplaceFields(fields);
}

bool CDateTime::SetTimeFromSystemTime(const SYSTEMTIME& systemTime) {
    return SetTime(systemTime.wHour, systemTime.wMinute, systemTime.wSecond);
}
