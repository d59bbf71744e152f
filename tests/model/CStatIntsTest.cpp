#include "model/CStatInts.h"

#include "library/text/CError.h"
#include "model/CModelTimeZone.h"

#include "ModelTestHelpers.h"

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

using namespace modeltest;

// Central European time: one hour ahead, two in summer (last Sunday of March 02:00 to the
// last Sunday of October 03:00).
CTimeZone CentralEuropeanZone() {
    TIME_ZONE_INFORMATION information;
    std::memset(&information, 0, sizeof information);
    information.Bias = -60;
    information.DaylightBias = -60;
    information.StandardDate.wMonth = 10;
    information.StandardDate.wDay = 5;
    information.StandardDate.wHour = 3;
    information.DaylightDate.wMonth = 3;
    information.DaylightDate.wDay = 5;
    information.DaylightDate.wHour = 2;
    return CTimeZone(information, TIME_ZONE_ID_STANDARD);
}

std::string Text(const CDateTime& date) {
    return date.Format("%Y-%m-%d %H:%M");
}

// Each interval as "start|end", local or universal.
Lines Describe(const CStatInts& intervals, ETimeBase base) {
    Lines lines;
    for (int i = 0; i < intervals.GetCount(); ++i) {
        const CStatInt& interval = intervals.GetAt(i);
        lines.push_back(Text(interval.GetStart(base)) + "|" + Text(interval.GetEnd(base)));
    }
    return lines;
}

class CStatIntsTest : public ::testing::Test {
protected:
    void SetUp() override {
        const CTimeZone zone = CentralEuropeanZone();
        CModelTimeZone::Set(&zone);
    }
    void TearDown() override { CModelTimeZone::Set(nullptr); }
};

TEST_F(CStatIntsTest, CoversAPeriodWithIntervalsOfEachKind) {
    const EStatIntBounds whole = EStatIntBounds::Whole, clipped = EStatIntBounds::Clipped;
    const struct {
        const char* name;
        EStatIntKind kind;
        CDateTime start, end;
        EStatIntBounds bounds;
        int firstDay;
        Lines local;
    } cases[] = {
        {"inside one hour, whole",
         sikHour,
         Date(2024, 5, 2, 9, 10),
         Date(2024, 5, 2, 9, 50),
         whole,
         0,
         {"2024-05-02 09:00|2024-05-02 10:00"}},
        {"inside one hour, clipped",
         sikHour,
         Date(2024, 5, 2, 9, 10),
         Date(2024, 5, 2, 9, 50),
         clipped,
         0,
         {"2024-05-02 09:10|2024-05-02 09:50"}},
        {"hours over midnight",
         sikHour,
         Date(2024, 12, 31, 22, 30),
         Date(2025, 1, 1, 0, 15),
         clipped,
         0,
         {"2024-12-31 22:30|2024-12-31 23:00", "2024-12-31 23:00|2025-01-01 00:00",
          "2025-01-01 00:00|2025-01-01 00:15"}},
        {"days over a month end",
         sikDay,
         Date(2024, 2, 28, 12),
         Date(2024, 3, 1, 6),
         whole,
         0,
         {"2024-02-28 00:00|2024-02-29 00:00", "2024-02-29 00:00|2024-03-01 00:00",
          "2024-03-01 00:00|2024-03-02 00:00"}},
        {"weeks from Monday over a year end",
         sikWeek,
         Date(2024, 12, 25),
         Date(2025, 1, 7),
         whole,
         1,
         {"2024-12-23 00:00|2024-12-30 00:00", "2024-12-30 00:00|2025-01-06 00:00",
          "2025-01-06 00:00|2025-01-13 00:00"}},
        {"weeks from Sunday",
         sikWeek,
         Date(2024, 12, 25),
         Date(2025, 1, 7),
         clipped,
         0,
         {"2024-12-25 00:00|2024-12-29 00:00", "2024-12-29 00:00|2025-01-05 00:00",
          "2025-01-05 00:00|2025-01-07 00:00"}},
        {"months of a leap year",
         sikMonth,
         Date(2024, 1, 15),
         Date(2024, 3, 2),
         whole,
         0,
         {"2024-01-01 00:00|2024-02-01 00:00", "2024-02-01 00:00|2024-03-01 00:00",
          "2024-03-01 00:00|2024-04-01 00:00"}},
        {"months of another year",
         sikMonth,
         Date(2023, 1, 15),
         Date(2023, 3, 2),
         whole,
         0,
         {"2023-01-01 00:00|2023-02-01 00:00", "2023-02-01 00:00|2023-03-01 00:00",
          "2023-03-01 00:00|2023-04-01 00:00"}},
        {"months over a year end, clipped",
         sikMonth,
         Date(2023, 11, 15),
         Date(2024, 1, 10),
         clipped,
         0,
         {"2023-11-15 00:00|2023-12-01 00:00", "2023-12-01 00:00|2024-01-01 00:00",
          "2024-01-01 00:00|2024-01-10 00:00"}},
        {"years",
         sikYear,
         Date(2023, 6, 1),
         Date(2024, 6, 1),
         whole,
         0,
         {"2023-01-01 00:00|2024-01-01 00:00", "2024-01-01 00:00|2025-01-01 00:00"}},
        {"everything",
         sikAll,
         Date(2023, 6, 1),
         Date(2024, 6, 1),
         whole,
         0,
         {"0100-03-22 00:00|9999-10-12 00:00"}},
        {"everything, clipped",
         sikAll,
         Date(2023, 6, 1),
         Date(2024, 6, 1),
         clipped,
         0,
         {"2023-06-01 00:00|2024-06-01 00:00"}},
    };
    for (const auto& c : cases) {
        CStatInts intervals;
        intervals.Generate(c.kind, c.start, c.end, c.bounds, c.firstDay);
        EXPECT_EQ(Describe(intervals, ETimeBase::Local), c.local) << c.name;
        ASSERT_GT(intervals.GetCount(), 0) << c.name;
        EXPECT_EQ(intervals.GetStart(), intervals.GetAt(0).GetStart(ETimeBase::Local)) << c.name;
        EXPECT_EQ(intervals.GetEnd(),
                  intervals.GetAt(intervals.GetCount() - 1).GetEnd(ETimeBase::Local))
            << c.name;
    }
}

TEST_F(CStatIntsTest, UniversalBoundsFollowDaylightSaving) {
    CStatInts days;
    days.Generate(sikDay, Date(2024, 3, 30), Date(2024, 4, 1), EStatIntBounds::Whole, 0);
    EXPECT_EQ(Describe(days, ETimeBase::Utc),
              (Lines{"2024-03-29 23:00|2024-03-30 23:00", "2024-03-30 23:00|2024-03-31 22:00",
                     "2024-03-31 22:00|2024-04-01 22:00"}));
    const CStatInt& switchDay = days.GetAt(1);
    EXPECT_DOUBLE_EQ(
        (switchDay.GetEnd(ETimeBase::Local) - switchDay.GetStart(ETimeBase::Local)).GetTotalHours(),
        24.0);
    EXPECT_NEAR(
        (switchDay.GetEnd(ETimeBase::Utc) - switchDay.GetStart(ETimeBase::Utc)).GetTotalHours(),
        23.0, 1e-6);

    CStatInts months;
    months.Generate(sikMonth, Date(2024, 10, 1), Date(2024, 11, 1), EStatIntBounds::Whole, 0);
    EXPECT_EQ(Describe(months, ETimeBase::Utc),
              (Lines{"2024-09-30 22:00|2024-10-31 23:00", "2024-10-31 23:00|2024-11-30 23:00"}));

    // An explicit zone overrides the model's.
    const CStatInt fixed(Date(2024, 7, 1), Date(2024, 7, 2), FixedZone(-5));
    EXPECT_EQ(Text(fixed.GetStart(ETimeBase::Utc)), "2024-07-01 05:00");
}

TEST_F(CStatIntsTest, CountsFromAndUpToADate) {
    const struct {
        const char* name;
        bool upTo;
        EStatIntKind kind;
        int count;
        EStatIntBounds bounds;
        Lines local;
    } cases[] = {
        {"hours from",
         false,
         sikHour,
         2,
         EStatIntBounds::Clipped,
         {"2024-01-01 10:20|2024-01-01 11:00", "2024-01-01 11:00|2024-01-01 12:00"}},
        {"hours up to",
         true,
         sikHour,
         2,
         EStatIntBounds::Clipped,
         {"2024-01-01 09:00|2024-01-01 10:00", "2024-01-01 10:00|2024-01-01 10:20"}},
        {"days up to, whole",
         true,
         sikDay,
         3,
         EStatIntBounds::Whole,
         {"2023-12-30 00:00|2023-12-31 00:00", "2023-12-31 00:00|2024-01-01 00:00",
          "2024-01-01 00:00|2024-01-02 00:00"}},
        {"weeks up to (Monday)",
         true,
         sikWeek,
         2,
         EStatIntBounds::Whole,
         {"2023-12-25 00:00|2024-01-01 00:00", "2024-01-01 00:00|2024-01-08 00:00"}},
        {"months up to, over a year end",
         true,
         sikMonth,
         3,
         EStatIntBounds::Clipped,
         {"2023-11-01 00:00|2023-12-01 00:00", "2023-12-01 00:00|2024-01-01 00:00",
          "2024-01-01 00:00|2024-01-01 10:20"}},
        {"months from",
         false,
         sikMonth,
         2,
         EStatIntBounds::Whole,
         {"2024-01-01 00:00|2024-02-01 00:00", "2024-02-01 00:00|2024-03-01 00:00"}},
        {"years from, clipped",
         false,
         sikYear,
         2,
         EStatIntBounds::Clipped,
         {"2024-01-01 10:20|2025-01-01 00:00", "2025-01-01 00:00|2026-01-01 00:00"}},
        {"everything up to",
         true,
         sikAll,
         1,
         EStatIntBounds::Clipped,
         {"0100-03-22 00:00|2024-01-01 10:20"}},
    };
    const CDateTime date = Date(2024, 1, 1, 10, 20);
    for (const auto& c : cases) {
        CStatInts intervals;
        if (c.upTo) {
            intervals.GenerateUpTo(c.kind, c.count, date, c.bounds, 1);
        } else {
            intervals.GenerateFrom(c.kind, c.count, date, c.bounds, 1);
        }
        EXPECT_EQ(Describe(intervals, ETimeBase::Local), c.local) << c.name;
    }

    // The first day of the week is read at every call.
    CStatInts weeks;
    weeks.GenerateFrom(sikWeek, 1, Date(2024, 1, 3), EStatIntBounds::Whole, 3);
    EXPECT_EQ(Describe(weeks, ETimeBase::Local), Lines{"2024-01-03 00:00|2024-01-10 00:00"});
    weeks.GenerateFrom(sikWeek, 1, Date(2024, 1, 3), EStatIntBounds::Whole, 6);
    EXPECT_EQ(Describe(weeks, ETimeBase::Local), Lines{"2023-12-30 00:00|2024-01-06 00:00"});
}

TEST_F(CStatIntsTest, NoIntervalIsAnInternalError) {
    CStatInts intervals;
    intervals.GenerateFrom(sikDay, 2, Date(2024, 1, 1), EStatIntBounds::Whole, 0);
    const Lines before = Describe(intervals, ETimeBase::Local);
    const struct {
        const char* name;
        std::function<void(CStatInts&)> generate;
    } cases[] = {
        {"end before start",
         [](CStatInts& s) {
             s.Generate(sikDay, Date(2024, 1, 5), Date(2024, 1, 2), EStatIntBounds::Whole, 0);
         }},
        {"unknown kind",
         [](CStatInts& s) {
             s.Generate(static_cast<EStatIntKind>(6), Date(2024, 1, 1), Date(2024, 1, 2),
                        EStatIntBounds::Whole, 0);
         }},
        {"invalid date",
         [](CStatInts& s) {
             s.Generate(sikMonth, CDateTime(), Date(2024, 1, 2), EStatIntBounds::Whole, 0);
         }},
        {"zero from",
         [](CStatInts& s) {
             s.GenerateFrom(sikDay, 0, Date(2024, 1, 1), EStatIntBounds::Whole, 0);
         }},
        {"negative up to",
         [](CStatInts& s) {
             s.GenerateUpTo(sikHour, -3, Date(2024, 1, 1), EStatIntBounds::Whole, 0);
         }},
        {"before the first year",
         [](CStatInts& s) {
             s.GenerateUpTo(sikYear, 5, Date(101, 1, 1), EStatIntBounds::Whole, 0);
         }},
    };
    for (const auto& c : cases) {
        try {
            c.generate(intervals);
            ADD_FAILURE() << c.name << ": no error";
        } catch (const CError& error) {
            EXPECT_EQ(error.GetCode(), 1) << c.name;
            EXPECT_EQ(error.GetText(),
                      "internal program error;\nStats::Generate determined 0 intervals.")
                << c.name;
        }
        EXPECT_EQ(Describe(intervals, ETimeBase::Local), before) << c.name;
    }
    EXPECT_THROW(intervals.GetAt(2), std::out_of_range);
    EXPECT_THROW(intervals.GetAt(-1), std::out_of_range);
}

TEST_F(CStatIntsTest, KeysCompareTheLocalBoundsToTheSecond) {
    const CStatInt none;
    EXPECT_FALSE(none.GetStart(ETimeBase::Local).IsValid());
    EXPECT_FALSE(none.GetEnd(ETimeBase::Utc).IsValid());
    EXPECT_TRUE(none.GetKey() == SStatIntKey());

    const double second = 1.0 / 86400.0;
    const CDateTime start = Date(2024, 1, 1, 10), end = Date(2024, 1, 1, 11);
    const CStatInt a(start, end);
    const CStatInt nearlyA(CDateTime(start.GetValue() + 0.3 * second),
                           CDateTime(end.GetValue() - 0.4 * second));
    const CStatInt laterEnd(start, CDateTime(end.GetValue() + second));
    const CStatInt laterStart(CDateTime(start.GetValue() + second), end);
    EXPECT_TRUE(a.GetKey() == nearlyA.GetKey());
    EXPECT_FALSE(a < nearlyA || nearlyA < a);
    EXPECT_TRUE(a < laterEnd && laterEnd < laterStart);
    EXPECT_FALSE(laterStart < a);
    // A bound a hair below midnight is that midnight.
    const CStatInt midnight(CDateTime(Date(2024, 1, 2).GetValue() - 1e-9), Date(2024, 1, 3));
    EXPECT_TRUE(midnight.GetKey() == CStatInt(Date(2024, 1, 2), Date(2024, 1, 3)).GetKey());
}

} // namespace
