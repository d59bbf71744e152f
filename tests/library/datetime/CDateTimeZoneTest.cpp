#include "library/datetime/CDateTime.h"

#include "library/datetime/CTimeZone.h"

#include "DateTestHelpers.h"

#include <gtest/gtest.h>

namespace {

// A transition rule: the occurrence-th weekday of the month (5 = the last) at a time.
SYSTEMTIME Rule(int month, int weekday, int occurrence, int hour) {
    SYSTEMTIME rule = {};
    rule.wMonth = static_cast<WORD>(month);
    rule.wDayOfWeek = static_cast<WORD>(weekday);
    rule.wDay = static_cast<WORD>(occurrence);
    rule.wHour = static_cast<WORD>(hour);
    return rule;
}

CTimeZone MakeZone(long bias, long daylightBias, const SYSTEMTIME& daylightStart,
                   const SYSTEMTIME& daylightEnd, DWORD zoneId = TIME_ZONE_ID_STANDARD) {
    TIME_ZONE_INFORMATION information = {};
    information.Bias = bias;
    information.DaylightBias = daylightBias;
    information.DaylightDate = daylightStart;
    information.StandardDate = daylightEnd;
    return CTimeZone(information, zoneId);
}

// Central Europe: UTC+1, summer time from the last Sunday of March 02:00 to the last
// Sunday of October 03:00.
CTimeZone CentralEurope() {
    return MakeZone(-60, -60, Rule(3, 0, 5, 2), Rule(10, 0, 5, 3));
}

// Eastern Australia: UTC+10, summer time from the first Sunday of October 02:00 to the
// first Sunday of April 03:00 of the next year.
CTimeZone EasternAustralia() {
    return MakeZone(-600, -60, Rule(10, 0, 1, 2), Rule(4, 0, 1, 3));
}

struct SConversion {
    CDateTime universal;
    const char* local;
};

void ExpectToLocal(const CTimeZone& zone, const SConversion* cases, size_t count) {
    for (size_t i = 0; i < count; ++i) {
        EXPECT_EQ(FieldText(cases[i].universal.UtcToLocal(zone)), cases[i].local)
            << "universal " << FieldText(cases[i].universal);
    }
}

TEST(CDateTimeZone, CentralEuropeByTheRuleOfEachYear) {
    const SConversion cases[] = {
        {MakeDate(2010, 7, 1, 12), "2010-07-01 14:00:00"},
        {MakeDate(2010, 1, 1, 12), "2010-01-01 13:00:00"},
        // daylight time starts 28 March 2010 01:00 UTC and ends 31 October 01:00 UTC
        {MakeDate(2010, 3, 28, 0, 59, 59), "2010-03-28 01:59:59"},
        {MakeDate(2010, 3, 28, 1, 0, 0), "2010-03-28 03:00:00"},
        {MakeDate(2010, 10, 31, 0, 59, 59), "2010-10-31 02:59:59"},
        {MakeDate(2010, 10, 31, 1, 0, 0), "2010-10-31 02:00:00"},
        // the same days of another year follow that year's Sundays
        {MakeDate(2011, 3, 27, 1, 30, 0), "2011-03-27 03:30:00"},
        {MakeDate(2010, 3, 27, 1, 30, 0), "2010-03-27 02:30:00"},
        // far from today, outside any 32-bit time_t
        {MakeDate(1960, 7, 1, 12), "1960-07-01 14:00:00"},
        {MakeDate(3001, 7, 1, 12), "3001-07-01 14:00:00"},
        {MakeDate(1700, 12, 1, 12), "1700-12-01 13:00:00"},
        {MakeDate(1899, 12, 29, 23, 30), "1899-12-30 00:30:00"},
    };
    ExpectToLocal(CentralEurope(), cases, sizeof cases / sizeof cases[0]);
    EXPECT_EQ(FieldText(MakeDate(2010, 7, 1, 14).LocalToUtc(CentralEurope())),
              "2010-07-01 12:00:00");
    EXPECT_EQ(FieldText(MakeDate(2010, 1, 1, 13).LocalToUtc(CentralEurope())),
              "2010-01-01 12:00:00");
    // whole seconds stay exact, so a converted day start equals the one made from fields
    EXPECT_EQ(MakeDate(2010, 1, 1).LocalToUtc(CentralEurope()), MakeDate(2009, 12, 31, 23));
    EXPECT_EQ(MakeDate(2010, 7, 1, 22).UtcToLocal(CentralEurope()), MakeDate(2010, 7, 2));
    const CDateTime fraction(MakeDate(2010, 7, 1).GetValue() + 0.25 / 86400);
    EXPECT_NEAR((fraction.UtcToLocal(CentralEurope()) - fraction).GetTotalSeconds(), 7200, 1e-4);
}

// Every local time that the spring change skips stands for the change's instant, up to a
// hair before its end, so that successive local hours are successive universal intervals;
// the repeated hour of autumn counts as its first (summer) pass; every other local time of
// the year round-trips.
TEST(CDateTimeZone, GapAndOverlap) {
    const CTimeZone zone = CentralEurope();
    // Seconds after midnight of 28 March 2010, local and universal: at 01:00 UTC the clocks
    // go from 02:00 to 03:00.
    const double spring[][2] = {{7199, 3599}, {7199.9, 3599.9}, {7200, 3600},  {7200.1, 3600},
                                {9000, 3600}, {10799.9, 3600},  {10800, 3600}, {10800.1, 3600.1}};
    const CDateTime day = MakeDate(2010, 3, 28);
    for (const auto& entry : spring) {
        const CDateTime local(day.GetValue() + entry[0] / 86400);
        EXPECT_NEAR((local.LocalToUtc(zone) - day).GetTotalSeconds(), entry[1], 1e-3) << entry[0];
    }
    EXPECT_EQ(FieldText(MakeDate(2010, 10, 31, 2, 30).LocalToUtc(zone)), "2010-10-31 00:30:00");
    EXPECT_EQ(FieldText(MakeDate(2010, 10, 31, 3, 0).LocalToUtc(zone)), "2010-10-31 02:00:00");
    EXPECT_EQ(FieldText(MakeDate(2010, 10, 31, 0, 30).UtcToLocal(zone)), "2010-10-31 02:30:00");
    EXPECT_EQ(FieldText(MakeDate(2010, 10, 31, 1, 30).UtcToLocal(zone)), "2010-10-31 02:30:00");

    const CDateTime gapStart = MakeDate(2010, 3, 28, 2);
    for (CDateTime local = MakeDate(2010, 1, 1); local < MakeDate(2011, 1, 1);
         local += CDateTimeSpan(0, 0, 30, 0)) {
        if (local >= gapStart && local < MakeDate(2010, 3, 28, 3)) {
            continue;
        }
        ASSERT_EQ(FieldText(local.LocalToUtc(zone).UtcToLocal(zone)), FieldText(local));
    }
}

TEST(CDateTimeZone, SouthernHemisphere) {
    const SConversion cases[] = {
        {MakeDate(2010, 1, 15, 12), "2010-01-15 23:00:00"},
        {MakeDate(2010, 7, 15, 12), "2010-07-15 22:00:00"},
        {MakeDate(2010, 12, 31, 13, 30), "2011-01-01 00:30:00"},
        // summer time ends 4 April 2010 03:00 local (16:00 UTC the day before)
        {MakeDate(2010, 4, 3, 15, 59, 59), "2010-04-04 02:59:59"},
        {MakeDate(2010, 4, 3, 16, 0, 0), "2010-04-04 02:00:00"},
        // and starts 3 October 2010 02:00 local (16:00 UTC the day before)
        {MakeDate(2010, 10, 2, 15, 59, 59), "2010-10-03 01:59:59"},
        {MakeDate(2010, 10, 2, 16, 0, 0), "2010-10-03 03:00:00"},
    };
    ExpectToLocal(EasternAustralia(), cases, sizeof cases / sizeof cases[0]);
    EXPECT_EQ(FieldText(MakeDate(2010, 1, 15, 23).LocalToUtc(EasternAustralia())),
              "2010-01-15 12:00:00");
    EXPECT_EQ(FieldText(MakeDate(2010, 7, 15, 22).LocalToUtc(EasternAustralia())),
              "2010-07-15 12:00:00");
}

TEST(CDateTimeZone, ZonesWithoutDaylightSavingOrInformation) {
    TIME_ZONE_INFORMATION india = {};
    india.Bias = -330;
    const CDateTime noon = MakeDate(2010, 7, 1, 12);
    EXPECT_EQ(FieldText(noon.UtcToLocal(CTimeZone(india, TIME_ZONE_ID_UNKNOWN))),
              "2010-07-01 17:30:00");
    india.StandardBias = 30; // counted with the bias
    EXPECT_EQ(FieldText(noon.UtcToLocal(CTimeZone(india, TIME_ZONE_ID_UNKNOWN))),
              "2010-07-01 17:00:00");
    // rules are ignored when the zone says it has none, or a transition month is 0
    const CTimeZone unknown =
        MakeZone(-60, -60, Rule(3, 0, 5, 2), Rule(10, 0, 5, 3), TIME_ZONE_ID_UNKNOWN);
    EXPECT_EQ(FieldText(noon.UtcToLocal(unknown)), "2010-07-01 13:00:00");
    const CTimeZone noMonths = MakeZone(-60, -60, Rule(0, 0, 5, 2), Rule(0, 0, 5, 3));
    EXPECT_EQ(FieldText(noon.UtcToLocal(noMonths)), "2010-07-01 13:00:00");
    const CTimeZone failed =
        MakeZone(-60, -60, Rule(3, 0, 5, 2), Rule(10, 0, 5, 3), TIME_ZONE_ID_INVALID);
    EXPECT_EQ(noon.UtcToLocal(failed), noon);
    EXPECT_EQ(FieldText(noon.UtcToLocal(CTimeZone())), "2010-07-01 12:00:00");

    EXPECT_EQ(CDateTime().UtcToLocal(CentralEurope()).GetValue(), CDateTime::kInvalidValue);
    EXPECT_EQ(CDateTime(3e6).LocalToUtc(failed).GetValue(), CDateTime::kInvalidValue);
    EXPECT_FALSE(MakeDate(9999, 12, 31).UtcToLocal(CentralEurope()).IsValid());
}

TEST(CDateTimeZone, AbsoluteTransitionDates) {
    SYSTEMTIME start = Rule(4, 0, 10, 2);
    start.wYear = 2010;
    SYSTEMTIME end = Rule(9, 0, 20, 3);
    end.wYear = 2010;
    const CTimeZone zone = MakeZone(-60, -60, start, end);
    EXPECT_EQ(FieldText(MakeDate(2010, 4, 10, 0, 59).UtcToLocal(zone)), "2010-04-10 01:59:00");
    EXPECT_EQ(FieldText(MakeDate(2010, 4, 10, 1, 0).UtcToLocal(zone)), "2010-04-10 03:00:00");
    EXPECT_EQ(FieldText(MakeDate(2010, 9, 20, 1, 0).UtcToLocal(zone)), "2010-09-20 02:00:00");
    EXPECT_EQ(FieldText(MakeDate(2011, 7, 1).UtcToLocal(zone)), "2011-07-01 01:00:00");
}

TEST(CDateTimeZone, FromWeekdayRule) {
    struct {
        int year, month, weekday, occurrence, hour;
        const char* date;
    } cases[] = {
        {2010, 3, 0, 5, 2, "2010-03-28 02:00:00"},
        {2010, 3, 0, 1, 2, "2010-03-07 02:00:00"},
        {2010, 12, 5, 5, 0, "2010-12-31 00:00:00"},
        {2010, 10, 0, 4, 3, "2010-10-24 03:00:00"},
        {2010, 5, 6, 1, 0, "2010-05-01 00:00:00"},
        {2010, 5, 6, 9, 0, "2010-05-29 00:00:00"},
        {2011, 3, 0, 5, 2, "2011-03-27 02:00:00"},
        {9999, 12, 5, 5, 0, "9999-12-31 00:00:00"},
        {2010, 13, 0, 1, 0, "invalid"},
        {2010, 3, 7, 1, 0, "invalid"},
        {2010, 3, 0, 0, 0, "invalid"},
        {2010, 3, 0, 1, 24, "invalid"},
        {99, 3, 0, 1, 0, "invalid"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FieldText(CDateTime::FromWeekdayRule(c.year, c.month, c.weekday, c.occurrence,
                                                       c.hour, 0, 0)),
                  c.date)
            << c.year << "-" << c.month << " weekday " << c.weekday << " #" << c.occurrence;
    }
}

} // namespace
