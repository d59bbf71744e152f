#include "library/datetime/CCalendar.h"

#include <cmath>

namespace {

// Day number of 1 January 1970, the epoch of the civil-day algorithms below.
const int kUnixEpochDay = 25569;

const int kMonthDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};

// The platform's VariantTimeToSystemTime nudges the time of day up by this many days
// before it rounds to the second; doing the same keeps the fields identical.
const double kRoundingNudge = 1e-11;

int FloorDiv(int a, int b) {
    int q = a / b;
    return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}

} // namespace

bool CCalendar::IsInRange(double value) {
    return value >= kMinimumValue && value <= kMaximumValue;
}

bool CCalendar::IsLeapYear(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int CCalendar::GetDaysInMonth(int year, int month) {
    if (month < 1 || month > 12) {
        return 0;
    }
    return (month == 2 && IsLeapYear(year)) ? 29 : kMonthDays[month - 1];
}

int CCalendar::GetDaysInYear(int year) {
    return IsLeapYear(year) ? 366 : 365;
}

bool CCalendar::AreDateFieldsValid(int year, int month, int day) {
    return year >= kFirstYear && year <= kLastYear && month >= 1 && month <= 12 && day >= 1 &&
           day <= GetDaysInMonth(year, month);
}

bool CCalendar::AreTimeFieldsValid(int hour, int minute, int second) {
    return hour >= 0 && hour <= 23 && minute >= 0 && minute <= 59 && second >= 0 && second <= 59;
}

// Counts from 1 March so that the leap day ends the counted year; eras of 400 years
// repeat exactly.
int CCalendar::GetDayNumber(int year, int month, int day) {
    int y = month <= 2 ? year - 1 : year;
    int era = FloorDiv(y, 400);
    int yearOfEra = y - era * 400;
    int shiftedMonth = month > 2 ? month - 3 : month + 9;
    int dayOfYear = (153 * shiftedMonth + 2) / 5 + day - 1;
    int dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468 + kUnixEpochDay;
}

void CCalendar::GetDate(int dayNumber, int& year, int& month, int& day) {
    int z = dayNumber - kUnixEpochDay + 719468;
    int era = FloorDiv(z, 146097);
    int dayOfEra = z - era * 146097;
    int yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    int dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    int shiftedMonth = (5 * dayOfYear + 2) / 153;
    day = dayOfYear - (153 * shiftedMonth + 2) / 5 + 1;
    month = shiftedMonth < 10 ? shiftedMonth + 3 : shiftedMonth - 9;
    year = yearOfEra + era * 400 + (month <= 2 ? 1 : 0);
}

int CCalendar::GetWeekday(int dayNumber) {
    // Day 0 was a Saturday.
    int weekday = (dayNumber + 6) % 7;
    return weekday < 0 ? weekday + 7 : weekday;
}

int CCalendar::GetDayOfYear(int year, int month, int day) {
    return GetDayNumber(year, month, day) - GetDayNumber(year, 1, 1) + 1;
}

double CCalendar::MakeValue(int dayNumber, int hour, int minute, int second) {
    // Added part by part in this order, as the platform does, so that equal fields
    // give equal doubles whichever way a value was made.
    double value = dayNumber;
    double sign = dayNumber < 0 ? -1.0 : 1.0;
    value += sign * (hour / 24.0);
    value += sign * (minute / 1440.0);
    value += sign * (second / 86400.0);
    return value;
}

bool CCalendar::MakeValue(int year, int month, int day, int hour, int minute, int second,
                          double& value) {
    if (!AreDateFieldsValid(year, month, day) || !AreTimeFieldsValid(hour, minute, second)) {
        return false;
    }
    double made = MakeValue(GetDayNumber(year, month, day), hour, minute, second);
    if (!IsInRange(made)) {
        return false;
    }
    value = made;
    return true;
}

bool CCalendar::GetFields(double value, SFields& fields) {
    if (!IsInRange(value)) {
        return false;
    }
    double whole = value < 0 ? std::ceil(value) : std::floor(value);
    double fraction = std::fabs(value - whole);
    int dayNumber = static_cast<int>(whole);
    int seconds = static_cast<int>(std::floor((fraction + kRoundingNudge) * 86400.0 + 0.5));
    if (seconds >= 86400) {
        // The time of day rounds up to the next day's midnight.
        seconds -= 86400;
        ++dayNumber;
    }
    GetDate(dayNumber, fields.year, fields.month, fields.day);
    fields.hour = seconds / 3600;
    fields.minute = seconds / 60 % 60;
    fields.second = seconds % 60;
    fields.dayOfWeek = GetWeekday(dayNumber);
    fields.dayOfYear = dayNumber - GetDayNumber(fields.year, 1, 1) + 1;
    return true;
}

bool CCalendar::RoundToSecond(double value, double& rounded) {
    SFields fields;
    return GetFields(value, fields) && MakeValue(fields.year, fields.month, fields.day, fields.hour,
                                                 fields.minute, fields.second, rounded);
}

double CCalendar::ToLinear(double value) {
    if (value >= 0) {
        return value;
    }
    double whole = std::ceil(value);
    return whole - (value - whole);
}

double CCalendar::FromLinear(double linear) {
    if (linear >= 0) {
        return linear;
    }
    double whole = std::floor(linear);
    return whole + (whole - linear);
}
