#pragma once

// Arithmetic Gregorian calendar on the day numbers of OLE automation dates.
//
// A day number counts days since 30 December 1899 (day 0). A date value is the OLE
// encoding: the whole part is the day, the fraction the time of day; for negative
// values the whole part counts days backwards while the fraction still counts forward
// into that day (-1.25 is 29 December 1899 06:00). The linear scale maps these values
// onto a monotonic number line so that they can be compared, added and floored.
//
// Everything here is plain arithmetic, valid for the years 100 to 9999 and independent
// of the C runtime's time functions (which are 32-bit on some builds) and of the time
// zone. Field conversions agree with the platform's OLE conversions to the bit.
class CCalendar {
public:
    // Calendar fields of a date value, rounded to the nearest second.
    struct SFields {
        int year;
        int month;     // 1-12
        int day;       // 1-31
        int hour;      // 0-23
        int minute;    // 0-59
        int second;    // 0-59
        int dayOfWeek; // 0 = Sunday ... 6 = Saturday
        int dayOfYear; // 1-366
    };

    static constexpr int kFirstYear = 100;
    static constexpr int kLastYear = 9999;
    // The valid date values: 1 January 100 00:00 to 31 December 9999 00:00.
    static constexpr double kMinimumValue = -657434.0;
    static constexpr double kMaximumValue = 2958465.0;

    // Within the valid range (false for NaN).
    static bool IsInRange(double value);

    static bool IsLeapYear(int year);
    // 0 for a month outside 1-12.
    static int GetDaysInMonth(int year, int month);
    static int GetDaysInYear(int year);

    // Year 100-9999, month 1-12, day within the month.
    static bool AreDateFieldsValid(int year, int month, int day);
    // Hour 0-23, minute and second 0-59.
    static bool AreTimeFieldsValid(int hour, int minute, int second);

    // The day number of a date; the fields must be valid.
    static int GetDayNumber(int year, int month, int day);
    // The date of a day number.
    static void GetDate(int dayNumber, int& year, int& month, int& day);
    // 0 = Sunday ... 6 = Saturday.
    static int GetWeekday(int dayNumber);
    // 1-366; the fields must be valid.
    static int GetDayOfYear(int year, int month, int day);

    // The date value of a day at a time of day, encoded exactly as the platform's
    // SystemTimeToVariantTime encodes it; the time fields must be valid.
    static double MakeValue(int dayNumber, int hour, int minute, int second);
    // The date value of the fields, or false when a field is out of range or the value
    // falls outside the valid range.
    static bool MakeValue(int year, int month, int day, int hour, int minute, int second,
                          double& value);

    // The fields of a date value rounded to the nearest second, as the platform's
    // VariantTimeToSystemTime rounds. False when the value is outside the valid range.
    static bool GetFields(double value, SFields& fields);

    // The value of the fields of a date value rounded to the second, encoded as MakeValue
    // encodes them. False when the value or the rounded one is outside the valid range.
    static bool RoundToSecond(double value, double& rounded);

    // Linear scale of date values (see above), and back.
    static double ToLinear(double value);
    static double FromLinear(double linear);
};
