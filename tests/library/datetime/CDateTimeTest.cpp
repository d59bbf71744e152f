#include "library/datetime/CDateTime.h"

#include "DateTestHelpers.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>

namespace {

const double kSecond = 1.0 / 86400.0;

TEST(CDateTime, DefaultIsTheInvalidMarker) {
    const CDateTime date;
    EXPECT_EQ(date.GetValue(), -657435.0);
    EXPECT_FALSE(date.IsValid());
    EXPECT_EQ(date.GetYear(), INT_MIN);
    EXPECT_EQ(date.GetDayOfWeek(), INT_MIN);
    EXPECT_EQ(date.GetDaysInMonth(), INT_MIN);
    EXPECT_EQ(date.GetDaysInYear(), 365);
    EXPECT_EQ(date.GetDayNumber(), INT_MIN);
    EXPECT_FALSE(date.IsLeapYear());
    EXPECT_FALSE(date.IsMidnight());
}

TEST(CDateTime, ValidRange) {
    struct {
        double value;
        bool valid;
    } cases[] = {{2958465.0, true},  {2958465.5, false}, {-657434.0, true}, {-657434.5, false},
                 {-657435.0, false}, {0.0, true},        {-1e-3, true},     {std::nan(""), false}};
    for (const auto& c : cases) {
        EXPECT_EQ(CDateTime(c.value).IsValid(), c.valid) << c.value;
    }
}

// Before 30 December 1899 the fraction counts forward from the whole day: -1.25 is
// 06:00 and -1.75 is 18:00 of 29 December, so -1.25 is the earlier.
TEST(CDateTime, OrderingAndDifferencesOnTheLinearScale) {
    const CDateTime morning(-1.25), evening(-1.75), dayAfter(-0.5), dayAfterMorning(-0.25);
    EXPECT_TRUE(morning < evening);
    EXPECT_TRUE(evening < dayAfter);
    EXPECT_TRUE(morning <= evening && evening >= morning && dayAfter > evening);
    EXPECT_FALSE(evening < morning);
    EXPECT_DOUBLE_EQ((dayAfterMorning - morning).GetValue(), 1.0);
    EXPECT_DOUBLE_EQ((evening - morning).GetValue(), 0.5);
    EXPECT_EQ((morning - CDateTime()).GetValue(), CDateTimeSpan::kInvalidValue);
}

TEST(CDateTime, AddingSpansCrossesZeroOnTheLinearScale) {
    struct {
        double date, span, result;
    } cases[] = {
        {-1.25, 0.5, -1.75}, // 06:00 + 12 h = 18:00 of the same day
        {-1.75, 0.5, 0.25},  // into 30 December 06:00
        {0.25, -0.5, -1.75}, // back into 29 December 18:00
        {40000.5, 1.25, 40001.75},
    };
    for (const auto& c : cases) {
        CDateTime date(c.date);
        EXPECT_DOUBLE_EQ((date + CDateTimeSpan(c.span)).GetValue(), c.result) << c.date;
        EXPECT_DOUBLE_EQ((CDateTime(c.result) - CDateTimeSpan(c.span)).GetValue(), c.date)
            << c.result;
        date += CDateTimeSpan(c.span);
        EXPECT_DOUBLE_EQ(date.GetValue(), c.result);
    }
    CDateTime date(40000.0);
    date += CDateTimeSpan();
    EXPECT_EQ(date.GetValue(), CDateTime::kInvalidValue);
    EXPECT_FALSE((CDateTime(2958465.0) + CDateTimeSpan(1.0)).IsValid());
    EXPECT_EQ((CDateTime() + CDateTimeSpan(1.0)).GetValue(), CDateTime::kInvalidValue);
}

TEST(CDateTime, DayNumberAndDayStart) {
    struct {
        double value;
        int dayNumber;
        double dayStart;
    } cases[] = {
        {40000.99999999995, 40000, 40001.0}, // less than 1e-8 below midnight
        {40000.9999, 40000, 40000.0},        {40000.0, 40000, 40000.0}, {-1.25, -1, -1.0},
        {-1.99999999999, -1, 0.0},           {-0.25, 0, 0.0},
    };
    for (const auto& c : cases) {
        CDateTime date(c.value);
        EXPECT_EQ(date.GetDayNumber(), c.dayNumber) << c.value;
        EXPECT_EQ(date.GetDayStart().GetValue(), c.dayStart) << c.value;
        EXPECT_EQ(date.GetNextDayStart().GetValue(), c.dayStart + 1) << c.value;
        EXPECT_EQ(date.GetDayStartOffset(-3).GetValue(), c.dayStart - 3) << c.value;
    }
}

TEST(CDateTime, HourStart) {
    EXPECT_EQ(FieldText(MakeDate(2010, 3, 7, 13, 59, 59).GetHourStart()), "2010-03-07 13:00:00");
    EXPECT_EQ(FieldText(MakeDate(2010, 3, 7, 23, 59, 59).GetNextHourStart()),
              "2010-03-08 00:00:00");
    EXPECT_EQ(FieldText(MakeDate(2010, 3, 7, 13, 0, 0).GetHourStartOffset(-14)),
              "2010-03-06 23:00:00");
    EXPECT_EQ(FieldText(MakeDate(1899, 12, 29, 7, 12, 0).GetHourStart()), "1899-12-29 07:00:00");
    EXPECT_EQ(FieldText(MakeDate(1899, 12, 29, 23, 30, 0).GetNextHourStart()),
              "1899-12-30 00:00:00");
}

// For every first day of the week and every weekday of the value, the week start is the
// latest first day on or before the value's day.
TEST(CDateTime, WeekStartsForEveryFirstDay) {
    for (int firstDay = 0; firstDay < 7; ++firstDay) {
        for (int day = 0; day < 14; ++day) {
            for (double base : {40244.0, -700.0}) {
                CDateTime date(CCalendar::FromLinear(base + day + 0.75));
                CDateTime start = date.GetWeekStart(firstDay);
                SCOPED_TRACE(FieldText(date) + " first day " + std::to_string(firstDay));
                ASSERT_TRUE(start.IsValid());
                EXPECT_EQ(start.GetDayOfWeek(), firstDay + 1);
                EXPECT_TRUE(start.IsMidnight());
                double back = (date.GetDayStart() - start).GetValue();
                EXPECT_TRUE(back >= 0 && back <= 6) << back;
                EXPECT_DOUBLE_EQ((date.GetNextWeekStart(firstDay) - start).GetValue(), 7.0);
                EXPECT_DOUBLE_EQ((date.GetWeekStartOffset(-2, firstDay) - start).GetValue(), -14.0);
            }
        }
    }
    const CDateTime sunday = MakeDate(2010, 3, 7, 12);
    EXPECT_EQ(FieldText(sunday.GetWeekStart(1)), "2010-03-01 00:00:00");
    EXPECT_EQ(FieldText(sunday.GetWeekStart(0)), "2010-03-07 00:00:00");
}

TEST(CDateTime, MonthAndYearStarts) {
    struct {
        CDateTime date;
        int offset;
        const char* monthStart;
        const char* yearStart;
    } cases[] = {
        {MakeDate(2010, 12, 15), 1, "2011-01-01 00:00:00", "2011-01-01 00:00:00"},
        {MakeDate(2011, 1, 15), -1, "2010-12-01 00:00:00", "2010-01-01 00:00:00"},
        {MakeDate(2011, 1, 15), 13, "2012-02-01 00:00:00", "2024-01-01 00:00:00"},
        {MakeDate(2011, 1, 15), -25, "2008-12-01 00:00:00", "1986-01-01 00:00:00"},
        {MakeDate(1960, 7, 4), 0, "1960-07-01 00:00:00", "1960-01-01 00:00:00"},
        {MakeDate(3001, 2, 28, 23, 59, 59), 0, "3001-02-01 00:00:00", "3001-01-01 00:00:00"},
        {MakeDate(9999, 12, 31), 1, "invalid", "invalid"},
        {MakeDate(100, 1, 1), -1, "invalid", "invalid"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(FieldText(c.date));
        EXPECT_EQ(FieldText(c.date.GetMonthStartOffset(c.offset)), c.monthStart);
        EXPECT_EQ(FieldText(c.date.GetYearStartOffset(c.offset)), c.yearStart);
    }
    EXPECT_EQ(FieldText(MakeDate(2012, 12, 31, 23, 59).GetNextYearStart()), "2013-01-01 00:00:00");
    EXPECT_EQ(FieldText(MakeDate(2012, 2, 29, 10).GetNextMonthStart()), "2012-03-01 00:00:00");
    EXPECT_EQ(FieldText(MakeDate(2012, 2, 29, 10).GetYearStart()), "2012-01-01 00:00:00");
    EXPECT_EQ(FieldText(MakeDate(1899, 12, 29, 18).GetMonthStart()), "1899-12-01 00:00:00");
}

// 23:59:59.6 on the last day of a month shows as the next day's 00:00:00, but its month
// is still the month of its day start.
TEST(CDateTime, MonthStartJustBeforeMidnight) {
    const CDateTime date(MakeDate(2010, 3, 31).GetValue() + 86399.6 * kSecond);
    EXPECT_EQ(FieldText(date), "2010-04-01 00:00:00");
    EXPECT_EQ(FieldText(date.GetDayStart()), "2010-03-31 00:00:00");
    EXPECT_EQ(FieldText(date.GetMonthStart()), "2010-03-01 00:00:00");
    EXPECT_EQ(FieldText(date.GetNextMonthStart()), "2010-04-01 00:00:00");
}

TEST(CDateTime, StartsOfInvalidValuesAreTheMarker) {
    const CDateTime invalid, beyond(2958466.0);
    for (const CDateTime& date : {invalid, beyond}) {
        EXPECT_FALSE(date.GetDayStart().IsValid());
        EXPECT_FALSE(date.GetNextDayStart().IsValid());
        EXPECT_FALSE(date.GetHourStart().IsValid());
        EXPECT_FALSE(date.GetWeekStart(1).IsValid());
        EXPECT_FALSE(date.GetMonthStart().IsValid());
        EXPECT_EQ(date.GetYearStart().GetValue(), CDateTime::kInvalidValue);
    }
    EXPECT_FALSE(CDateTime(2958465.0).GetNextDayStart().IsValid());
    EXPECT_FALSE(CDateTime(-657434.0).GetWeekStart(0).IsValid()); // a Friday
}

TEST(CDateTime, CalendarGetters) {
    const CDateTime date = MakeDate(2012, 12, 31, 12, 0, 0);
    EXPECT_EQ(date.GetDayOfYear(), 366);
    EXPECT_EQ(date.GetDayOfWeek(), 2); // Monday
    EXPECT_TRUE(date.IsNoon());
    EXPECT_FALSE(date.IsMidnight());
    EXPECT_TRUE(date.IsLeapYear());
    EXPECT_EQ(date.GetDaysInYear(), 366);
    struct {
        int year, month, days;
    } months[] = {{2000, 2, 29}, {1900, 2, 28}, {2012, 2, 29}, {2011, 2, 28}, {2010, 9, 30}};
    for (const auto& m : months) {
        EXPECT_EQ(MakeDate(m.year, m.month, 10).GetDaysInMonth(), m.days) << m.year;
    }
}

TEST(CDateTime, SettersValidateEveryField) {
    struct {
        int year, month, day, hour, minute, second;
    } refused[] = {{2010, 3, 7, 24, 0, 0},
                   {2010, 2, 30, 0, 0, 0},
                   {2010, 0, 1, 0, 0, 0},
                   {99, 1, 1, 0, 0, 0},
                   {2010, 3, 7, 0, 60, 0},
                   {2010, 3, 7, 0, 0, 60},
                   {1900, 2, 29, 0, 0, 0},
                   {10000, 1, 1, 0, 0, 0},
                   {2010, 3, 7, -1, 0, 0},
                   // the valid range starts and ends at midnight
                   {100, 1, 1, 6, 0, 0},
                   {9999, 12, 31, 0, 0, 1}};
    for (const auto& f : refused) {
        CDateTime date(40000.0);
        EXPECT_FALSE(date.SetDateTime(f.year, f.month, f.day, f.hour, f.minute, f.second));
        EXPECT_EQ(date.GetValue(), CDateTime::kInvalidValue);
    }
    CDateTime date = MakeDate(2010, 3, 7, 13, 45, 30);
    EXPECT_TRUE(date.SetTime(6, 5, 4));
    EXPECT_EQ(FieldText(date), "2010-03-07 06:05:04");
    EXPECT_TRUE(date.SetDate(1899, 12, 29));
    EXPECT_EQ(FieldText(date), "1899-12-29 06:05:04");
    EXPECT_DOUBLE_EQ(date.GetValue(), -1.0 - (6 + 5 / 60.0 + 4 / 3600.0) / 24.0);
    SYSTEMTIME empty = {};
    empty.wHour = empty.wMinute = empty.wSecond = 0xFFFE; // an empty time field
    EXPECT_FALSE(date.SetTimeFromSystemTime(empty));
    EXPECT_EQ(date.GetValue(), CDateTime::kInvalidValue);
    EXPECT_FALSE(date.SetTime(12, 0, 0)); // an invalid value stays invalid
    EXPECT_FALSE(date.SetDate(2010, 1, 1));
    EXPECT_TRUE(date.SetDateTime(2010, 1, 1));
    EXPECT_TRUE(date.IsMidnight());
}

} // namespace
