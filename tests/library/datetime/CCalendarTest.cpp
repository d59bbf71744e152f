#include "library/datetime/CCalendar.h"

#include <windows.h>
#include <oleauto.h>

#include <gtest/gtest.h>

#include <cmath>
#include <random>

namespace {

struct SDateCase {
    int year, month, day;
    int dayNumber;
    int weekday;
};

TEST(CCalendar, KnownDaysHaveTheirNumbersAndWeekdays) {
    const SDateCase cases[] = {
        {1899, 12, 30, 0, 6},    {1899, 12, 29, -1, 5},    {1900, 1, 1, 2, 1},
        {2010, 3, 7, 40244, 0},  {100, 1, 1, -657434, 5},  {9999, 12, 31, 2958465, 5},
        {2000, 2, 29, 36585, 2}, {1600, 3, 1, -109511, 3}, {1970, 1, 1, 25569, 4},
    };
    for (const SDateCase& c : cases) {
        SCOPED_TRACE(c.dayNumber);
        EXPECT_EQ(CCalendar::GetDayNumber(c.year, c.month, c.day), c.dayNumber);
        int year, month, day;
        CCalendar::GetDate(c.dayNumber, year, month, day);
        EXPECT_EQ(year, c.year);
        EXPECT_EQ(month, c.month);
        EXPECT_EQ(day, c.day);
        EXPECT_EQ(CCalendar::GetWeekday(c.dayNumber), c.weekday);
    }
}

// Walks every day of the years 100-9999 by counting days in months, independently of the
// era arithmetic, and checks both directions and the day of the year.
TEST(CCalendar, EveryDayFromYear100To9999) {
    int expected = CCalendar::GetDayNumber(100, 1, 1);
    for (int year = 100; year <= 9999; ++year) {
        int dayOfYear = 0;
        for (int month = 1; month <= 12; ++month) {
            for (int day = 1; day <= CCalendar::GetDaysInMonth(year, month); ++day) {
                ++dayOfYear;
                ASSERT_EQ(CCalendar::GetDayNumber(year, month, day), expected)
                    << year << "-" << month << "-" << day;
                int y, m, d;
                CCalendar::GetDate(expected, y, m, d);
                ASSERT_TRUE(y == year && m == month && d == day) << expected;
                ASSERT_EQ(CCalendar::GetDayOfYear(year, month, day), dayOfYear);
                ++expected;
            }
        }
        ASSERT_EQ(dayOfYear, CCalendar::GetDaysInYear(year)) << year;
    }
}

TEST(CCalendar, LinearScale) {
    struct {
        double value, linear;
    } cases[] = {{0.0, 0.0},     {40000.25, 40000.25}, {-1.25, -0.75},
                 {-1.75, -0.25}, {-0.25, 0.25},        {-2.0, -2.0}};
    for (const auto& c : cases) {
        EXPECT_DOUBLE_EQ(CCalendar::ToLinear(c.value), c.linear) << c.value;
        if (c.value != -0.25) { // -0.25 and 0.25 are the same moment
            EXPECT_DOUBLE_EQ(CCalendar::FromLinear(c.linear), c.value) << c.value;
        }
    }
}

// The arithmetic encoding of fields is the platform's, to the bit, for any time of day.
TEST(CCalendar, MakeValueAgreesWithThePlatform) {
    std::mt19937 random(20100307);
    for (int i = 0; i < 300000; ++i) {
        SYSTEMTIME time = {};
        time.wYear = static_cast<WORD>(100 + random() % 9900);
        time.wMonth = static_cast<WORD>(1 + random() % 12);
        time.wDay =
            static_cast<WORD>(1 + random() % CCalendar::GetDaysInMonth(time.wYear, time.wMonth));
        time.wHour = static_cast<WORD>(random() % 24);
        time.wMinute = static_cast<WORD>(random() % 60);
        time.wSecond = static_cast<WORD>(random() % 60);
        double platform = 0;
        ASSERT_TRUE(SystemTimeToVariantTime(&time, &platform));
        double value =
            CCalendar::MakeValue(CCalendar::GetDayNumber(time.wYear, time.wMonth, time.wDay),
                                 time.wHour, time.wMinute, time.wSecond);
        ASSERT_EQ(value, platform) << time.wYear << "-" << time.wMonth << "-" << time.wDay;
    }
}

// The fields of any value are the platform's, including values close to a half second,
// where both round the same way.
TEST(CCalendar, GetFieldsAgreesWithThePlatform) {
    std::mt19937_64 random(1899);
    std::uniform_real_distribution<double> values(CCalendar::kMinimumValue,
                                                  CCalendar::kMaximumValue);
    for (int i = 0; i < 400000; ++i) {
        double value = values(random);
        if (i % 2 == 1) {
            double second = static_cast<double>(random() % 86400) + 0.5;
            double nudge = (static_cast<double>(random() % 2001) - 1000.0) * 1e-12;
            value = std::trunc(value) + (value < 0 ? -1 : 1) * (second / 86400.0 + nudge);
            if (!CCalendar::IsInRange(value)) {
                continue;
            }
        }
        SYSTEMTIME platform = {};
        ASSERT_TRUE(VariantTimeToSystemTime(value, &platform));
        CCalendar::SFields fields;
        ASSERT_TRUE(CCalendar::GetFields(value, fields));
        ASSERT_TRUE(fields.year == platform.wYear && fields.month == platform.wMonth &&
                    fields.day == platform.wDay && fields.hour == platform.wHour &&
                    fields.minute == platform.wMinute && fields.second == platform.wSecond)
            << std::fixed << value;
    }
}

TEST(CCalendar, RoundingToTheSecondCarriesIntoTheNextDay) {
    CCalendar::SFields fields;
    ASSERT_TRUE(CCalendar::GetFields(40000.99999999995, fields));
    EXPECT_EQ(fields.day, 7); // 6 July 2009 rounds up to 7 July 00:00:00
    EXPECT_EQ(fields.hour, 0);
    EXPECT_EQ(fields.dayOfWeek, 2);
    ASSERT_TRUE(CCalendar::GetFields(-1.99999999, fields)); // 29 Dec 1899 23:59:59.999
    EXPECT_EQ(fields.day, 30);
    EXPECT_EQ(fields.dayOfWeek, 6);
    EXPECT_FALSE(CCalendar::GetFields(-657435.0, fields));
    EXPECT_FALSE(CCalendar::GetFields(std::nan(""), fields));
}

} // namespace
