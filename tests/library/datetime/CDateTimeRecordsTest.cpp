#include "library/datetime/CDateTime.h"

#include "library/datetime/CTimeZone.h"

#include "DateTestHelpers.h"

#include <gtest/gtest.h>

#include <oleauto.h>

#include <cstdlib>
#include <string>

namespace {

SYSTEMTIME MakeSystemTime(int year, int month, int day, int hour, int minute, int second) {
    SYSTEMTIME time = {};
    time.wYear = static_cast<WORD>(year);
    time.wMonth = static_cast<WORD>(month);
    time.wDay = static_cast<WORD>(day);
    time.wHour = static_cast<WORD>(hour);
    time.wMinute = static_cast<WORD>(minute);
    time.wSecond = static_cast<WORD>(second);
    return time;
}

// Every day of the years 100-9999 at a changing time of day: the platform's encoding
// equals the arithmetic one, and the record comes back with its day of week.
TEST(CDateTimeRecords, SystemTimeRoundTripOverEveryDay) {
    int weekday = 5; // 1 January 100 was a Friday
    unsigned seconds = 0;
    for (int year = 100; year <= 9999; ++year) {
        for (int month = 1; month <= 12; ++month) {
            for (int day = 1; day <= CCalendar::GetDaysInMonth(year, month); ++day) {
                seconds = (seconds * 1103515245u + 12345u) % 86400u;
                bool edge = (year == 100 && month == 1 && day == 1) ||
                            (year == 9999 && month == 12 && day == 31);
                unsigned time = edge ? 0 : seconds;
                SYSTEMTIME in =
                    MakeSystemTime(year, month, day, time / 3600, time / 60 % 60, time % 60);
                in.wMilliseconds = 999;
                CDateTime date(in);
                CDateTime made;
                ASSERT_TRUE(made.SetDateTime(year, month, day, in.wHour, in.wMinute, in.wSecond));
                ASSERT_EQ(date.GetValue(), made.GetValue()) << FieldText(in);
                SYSTEMTIME out = date.GetAsSystemTime();
                ASSERT_EQ(FieldText(out), FieldText(in));
                ASSERT_EQ(out.wDayOfWeek, weekday) << FieldText(in);
                ASSERT_EQ(out.wMilliseconds, 0);
                weekday = (weekday + 1) % 7;
            }
        }
    }
}

TEST(CDateTimeRecords, RefusedSystemTimes) {
    const SYSTEMTIME refused[] = {
        MakeSystemTime(2010, 3, 7, 24, 0, 0), MakeSystemTime(2010, 2, 30, 0, 0, 0),
        MakeSystemTime(2010, 0, 7, 0, 0, 0),  MakeSystemTime(99, 3, 7, 0, 0, 0),
        MakeSystemTime(100, 1, 1, 6, 0, 0),   MakeSystemTime(0xFFFE, 0xFFFE, 0xFFFE, 0, 0, 0),
    };
    for (const SYSTEMTIME& time : refused) {
        CDateTime date(40000.0);
        EXPECT_EQ(date.SetFromSystemTime(time).GetValue(), CDateTime::kInvalidValue)
            << FieldText(time);
    }
    SYSTEMTIME zero = CDateTime().GetAsSystemTime();
    EXPECT_EQ(FieldText(zero), "0000-00-00 00:00:00");
    EXPECT_EQ(zero.wDayOfWeek, 0);
}

// The platform rounds 23:59:59.99 up to the next day but reports the day of week of the
// day before; the record carries the rounded day's.
TEST(CDateTimeRecords, SystemTimeOfATimeThatRoundsToMidnight) {
    SYSTEMTIME time = CDateTime(40000.99999999995).GetAsSystemTime();
    EXPECT_EQ(FieldText(time), "2009-07-07 00:00:00");
    EXPECT_EQ(time.wDayOfWeek, 2);
}

TEST(CDateTimeRecords, StructTmForAnyYear) {
    for (int year : {100, 1600, 1960, 2010, 2040, 3001, 9999}) {
        CDateTime date = MakeDate(year, 3, 28, 2, 30, 15);
        std::tm time;
        ASSERT_TRUE(date.GetAsTm(time)) << year;
        EXPECT_EQ(time.tm_year, year - 1900);
        EXPECT_EQ(time.tm_mon, 2);
        EXPECT_EQ(time.tm_mday, 28);
        EXPECT_EQ(time.tm_hour, 2);
        EXPECT_EQ(time.tm_min, 30);
        EXPECT_EQ(time.tm_sec, 15);
        EXPECT_EQ(time.tm_wday, date.GetDayOfWeek() - 1);
        EXPECT_EQ(time.tm_yday, date.GetDayOfYear() - 1);
        EXPECT_EQ(time.tm_isdst, -1);
        CDateTime back;
        EXPECT_TRUE(back.SetFromTm(time));
        EXPECT_EQ(back, date);
    }
    std::tm refused = {};
    refused.tm_year = 110;
    refused.tm_mon = 12;
    refused.tm_mday = 1;
    CDateTime date(40000.0);
    EXPECT_FALSE(date.SetFromTm(refused));
    EXPECT_FALSE(date.IsValid());
    std::tm time;
    EXPECT_FALSE(CDateTime().GetAsTm(time));
}

// time_t goes through the C runtime's zone, set here to universal time.
class CDateTimeTimeT : public ::testing::Test {
protected:
    void SetUp() override {
        const char* zone = std::getenv("TZ");
        m_savedZone = std::string("TZ=") + (zone != nullptr ? zone : "");
        _putenv("TZ=UTC0");
        _tzset();
    }
    void TearDown() override {
        _putenv(m_savedZone.c_str());
        _tzset();
    }

private:
    std::string m_savedZone;
};

TEST_F(CDateTimeTimeT, ConvertsWithinTheRuntimeRangeOnly) {
    CDateTime date;
    ASSERT_TRUE(date.SetFromTimeT(1268000000));
    EXPECT_EQ(FieldText(date), "2010-03-07 22:13:20");
    std::time_t time = 0;
    ASSERT_TRUE(date.GetAsTimeT(time));
    EXPECT_EQ(time, 1268000000);
    ASSERT_TRUE(date.SetFromTimeT(0));
    EXPECT_EQ(FieldText(date), "1970-01-01 00:00:00");

    EXPECT_FALSE(date.SetFromTimeT(-1));
    EXPECT_EQ(date.GetValue(), CDateTime::kInvalidValue);
    for (int year : {1960, 3001}) {
        time = 12345;
        EXPECT_FALSE(MakeDate(year, 7, 1).GetAsTimeT(time)) << year;
        EXPECT_EQ(time, 12345);
    }
    EXPECT_FALSE(CDateTime().GetAsTimeT(time));
}

TEST(CDateTimeRecords, FileTimeIsConvertedToLocalTimeByTheRuleOfItsYear) {
    TIME_ZONE_INFORMATION information = {};
    information.Bias = -60;
    information.DaylightBias = -60;
    information.DaylightDate = MakeSystemTime(0, 3, 5, 2, 0, 0);
    information.StandardDate = MakeSystemTime(0, 10, 5, 3, 0, 0);
    const CTimeZone zone(information, TIME_ZONE_ID_STANDARD);
    struct {
        SYSTEMTIME universal;
        const char* local;
    } cases[] = {{MakeSystemTime(2010, 7, 1, 12, 0, 0), "2010-07-01 14:00:00"},
                 {MakeSystemTime(1700, 1, 1, 12, 0, 0), "1700-01-01 13:00:00"}};
    for (const auto& c : cases) {
        FILETIME fileTime;
        ASSERT_TRUE(SystemTimeToFileTime(&c.universal, &fileTime));
        CDateTime date;
        EXPECT_TRUE(date.SetFromFileTime(fileTime, zone));
        EXPECT_EQ(FieldText(date), c.local);
    }
    FILETIME fileTime;
    ASSERT_TRUE(MakeDate(2010, 7, 1, 14).GetAsFileTime(fileTime));
    SYSTEMTIME back;
    ASSERT_TRUE(FileTimeToSystemTime(&fileTime, &back));
    EXPECT_EQ(FieldText(back), "2010-07-01 14:00:00"); // the fields as they stand
    EXPECT_FALSE(CDateTime().GetAsFileTime(fileTime));
}

TEST(CDateTimeRecords, DosDateAndTime) {
    auto dosDate = [](int year, int month, int day) {
        return static_cast<WORD>(((year - 1980) << 9) | (month << 5) | day);
    };
    auto dosTime = [](int hour, int minute, int second) {
        return static_cast<WORD>((hour << 11) | (minute << 5) | (second / 2));
    };
    CDateTime date;
    ASSERT_TRUE(date.SetFromDosDateTime(dosDate(2010, 3, 7), dosTime(13, 45, 58)));
    EXPECT_EQ(FieldText(date), "2010-03-07 13:45:58");
    EXPECT_EQ(date, MakeDate(2010, 3, 7, 13, 45, 58));
    const WORD refused[][2] = {
        {dosDate(2010, 2, 30), dosTime(10, 0, 0)}, {dosDate(2010, 0, 1), dosTime(10, 0, 0)},
        {dosDate(2010, 3, 0), dosTime(10, 0, 0)},  {dosDate(2010, 3, 7), dosTime(25, 0, 0)},
        {dosDate(2010, 3, 7), dosTime(13, 61, 0)}, {dosDate(2010, 3, 7), dosTime(13, 0, 62)},
    };
    for (const auto& r : refused) {
        EXPECT_FALSE(date.SetFromDosDateTime(r[0], r[1])) << r[0] << " " << r[1];
        EXPECT_EQ(date.GetValue(), CDateTime::kInvalidValue);
    }
}

TEST(CDateTimeRecords, Variants) {
    VARIANT variant;
    VariantInit(&variant);
    V_VT(&variant) = VT_R8;
    V_R8(&variant) = 40244.5;
    CDateTime date;
    EXPECT_TRUE(date.SetFromVariant(variant));
    EXPECT_EQ(date.GetValue(), 40244.5);
    V_VT(&variant) = VT_DATE;
    V_DATE(&variant) = 1e7;
    EXPECT_FALSE(date.SetFromVariant(variant));
    EXPECT_EQ(date.GetValue(), CDateTime::kInvalidValue);
    V_VT(&variant) = VT_BSTR;
    V_BSTR(&variant) = SysAllocString(L"not a date");
    EXPECT_FALSE(date.SetFromVariant(variant));
    VariantClear(&variant);

    ASSERT_TRUE(CDateTime(-1.25).GetAsVariant(variant));
    EXPECT_EQ(V_VT(&variant), VT_DATE);
    EXPECT_EQ(V_DATE(&variant), -1.25);
    EXPECT_TRUE(date.SetFromVariant(variant));
    EXPECT_EQ(date.GetValue(), -1.25);
    EXPECT_FALSE(CDateTime().GetAsVariant(variant));
    EXPECT_EQ(V_VT(&variant), VT_EMPTY);
}

TEST(CDateTimeRecords, OleText) {
    const LCID english = MAKELCID(MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US), SORT_DEFAULT);
    CDateTime date;
    ASSERT_TRUE(date.SetFromText(L"2010-03-07 12:30:00", 0, english));
    EXPECT_EQ(date, MakeDate(2010, 3, 7, 12, 30, 0));
    ASSERT_TRUE(date.SetFromText("2010-03-07 12:30:05", 0, english));
    EXPECT_EQ(date, MakeDate(2010, 3, 7, 12, 30, 5));
    for (const char* refused : {"not a date", "", "12/31/10000"}) {
        EXPECT_FALSE(date.SetFromText(refused, 0, english)) << refused;
        EXPECT_EQ(date.GetValue(), CDateTime::kInvalidValue);
    }
    EXPECT_FALSE(date.SetFromText(static_cast<const char*>(nullptr)));
    for (const CDateTime& value :
         {MakeDate(2010, 3, 7, 12, 30, 5), MakeDate(1899, 12, 29, 6), MakeDate(9999, 12, 31)}) {
        std::string text = value.GetAsText(0, english);
        ASSERT_FALSE(text.empty());
        EXPECT_TRUE(date.SetFromText(text.c_str(), 0, english)) << text;
        EXPECT_EQ(date, value) << text;
    }
    EXPECT_EQ(CDateTime().GetAsText(0, english), "");
}

} // namespace
