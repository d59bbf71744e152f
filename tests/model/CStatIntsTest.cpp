#include "harness/TestTimeZones.h"
#include "model/CStatInts.h"

#include "library/text/CError.h"
#include "model/CModelTimeZone.h"

#include "ModelTestHelpers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <stdexcept>
#include <string>

namespace {

using namespace modeltest;

using harness::CentralEuropeanZone;

std::string Text(const CDateTime& date) {
    return date.Format("%Y-%m-%d %H:%M");
}

// The first start and the length of each interval in hours ("2024-01-01 00:00 +744 +696"),
// checking that each interval starts where the one before ended.
std::string Summary(const CStatInts& intervals, ETimeBase base) {
    std::string text = Text(intervals.GetAt(0).GetStart(base));
    for (int i = 0; i < intervals.GetCount(); ++i) {
        const CStatInt& interval = intervals.GetAt(i);
        if (i > 0) {
            EXPECT_EQ(interval.GetStart(base), intervals.GetAt(i - 1).GetEnd(base)) << text;
        }
        const double hours = (interval.GetEnd(base) - interval.GetStart(base)).GetTotalHours();
        char length[32];
        std::snprintf(length, sizeof length, " +%g", std::round(hours * 100.0) / 100.0);
        text += length;
    }
    EXPECT_EQ(intervals.GetStart(), intervals.GetAt(0).GetStart(ETimeBase::Local));
    EXPECT_EQ(intervals.GetEnd(),
              intervals.GetAt(intervals.GetCount() - 1).GetEnd(ETimeBase::Local));
    return text;
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
        EStatIntKind kind;
        CDateTime start, end;
        EStatIntBounds bounds;
        int firstDay;
        const char* local;
    } cases[] = {
        {sikHour, Date(2024, 5, 2, 9, 10), Date(2024, 5, 2, 9, 50), whole, 0,
         "2024-05-02 09:00 +1"},
        {sikHour, Date(2024, 5, 2, 9, 10), Date(2024, 5, 2, 9, 50), clipped, 0,
         "2024-05-02 09:10 +0.67"},
        {sikHour, Date(2024, 12, 31, 22, 30), Date(2025, 1, 1, 0, 15), clipped, 0,
         "2024-12-31 22:30 +0.5 +1 +0.25"},
        {sikDay, Date(2024, 2, 28, 12), Date(2024, 3, 1, 6), whole, 0,
         "2024-02-28 00:00 +24 +24 +24"},
        {sikWeek, Date(2024, 12, 25), Date(2025, 1, 7), whole, 1,
         "2024-12-23 00:00 +168 +168 +168"},
        {sikWeek, Date(2024, 12, 25), Date(2025, 1, 7), clipped, 0,
         "2024-12-25 00:00 +96 +168 +48"},
        {sikMonth, Date(2024, 1, 15), Date(2024, 3, 2), whole, 0,
         "2024-01-01 00:00 +744 +696 +744"},
        {sikMonth, Date(2023, 1, 15), Date(2023, 3, 2), whole, 0,
         "2023-01-01 00:00 +744 +672 +744"},
        {sikMonth, Date(2023, 11, 15), Date(2024, 1, 10), clipped, 0,
         "2023-11-15 00:00 +384 +744 +216"},
        {sikYear, Date(2023, 6, 1), Date(2024, 6, 1), whole, 0, "2023-01-01 00:00 +8760 +8784"},
        {sikAll, Date(2023, 6, 1), Date(2024, 6, 1), whole, 0, "0100-03-22 00:00 +8.67777e+07"},
        {sikAll, Date(2023, 6, 1), Date(2024, 6, 1), clipped, 0, "2023-06-01 00:00 +8784"},
    };
    for (const auto& c : cases) {
        CStatInts intervals;
        intervals.Generate(c.kind, c.start, c.end, c.bounds, c.firstDay);
        EXPECT_EQ(Summary(intervals, ETimeBase::Local), c.local) << Text(c.start);
    }
}

TEST_F(CStatIntsTest, UniversalBoundsFollowDaylightSaving) {
    CStatInts intervals;
    intervals.Generate(sikDay, Date(2024, 3, 30), Date(2024, 4, 1), EStatIntBounds::Whole, 0);
    EXPECT_EQ(Summary(intervals, ETimeBase::Local), "2024-03-30 00:00 +24 +24 +24");
    EXPECT_EQ(Summary(intervals, ETimeBase::Utc), "2024-03-29 23:00 +24 +23 +24");
    intervals.Generate(sikMonth, Date(2024, 10, 1), Date(2024, 11, 1), EStatIntBounds::Whole, 0);
    EXPECT_EQ(Summary(intervals, ETimeBase::Utc), "2024-09-30 22:00 +745 +720");
    // An explicit zone overrides the model's.
    const CStatInt fixed(Date(2024, 7, 1), Date(2024, 7, 2), FixedZone(-5));
    EXPECT_EQ(Text(fixed.GetStart(ETimeBase::Utc)), "2024-07-01 05:00");
}

TEST_F(CStatIntsTest, CountsFromAndUpToADate) {
    const struct {
        bool upTo;
        EStatIntKind kind;
        int count;
        EStatIntBounds bounds;
        int firstDay;
        const char* local;
    } cases[] = {
        {false, sikHour, 2, EStatIntBounds::Clipped, 1, "2024-01-01 10:20 +0.67 +1"},
        {true, sikHour, 2, EStatIntBounds::Clipped, 1, "2024-01-01 09:00 +1 +0.33"},
        {true, sikDay, 3, EStatIntBounds::Whole, 1, "2023-12-30 00:00 +24 +24 +24"},
        {true, sikWeek, 2, EStatIntBounds::Whole, 1, "2023-12-25 00:00 +168 +168"},
        {false, sikWeek, 1, EStatIntBounds::Whole, 3, "2023-12-27 00:00 +168"},
        {false, sikWeek, 1, EStatIntBounds::Whole, 6, "2023-12-30 00:00 +168"},
        {true, sikMonth, 3, EStatIntBounds::Clipped, 1, "2023-11-01 00:00 +720 +744 +10.33"},
        {false, sikYear, 2, EStatIntBounds::Clipped, 1, "2024-01-01 10:20 +8773.67 +8760"},
        {true, sikAll, 1, EStatIntBounds::Clipped, 1, "0100-03-22 00:00 +1.68635e+07"},
    };
    const CDateTime date = Date(2024, 1, 1, 10, 20);
    for (const auto& c : cases) {
        CStatInts intervals;
        if (c.upTo) {
            intervals.GenerateUpTo(c.kind, c.count, date, c.bounds, c.firstDay);
        } else {
            intervals.GenerateFrom(c.kind, c.count, date, c.bounds, c.firstDay);
        }
        EXPECT_EQ(Summary(intervals, ETimeBase::Local), c.local) << c.kind << " " << c.upTo;
    }
}

TEST_F(CStatIntsTest, NoIntervalIsAnInternalError) {
    CStatInts intervals;
    intervals.GenerateFrom(sikDay, 2, Date(2024, 1, 1), EStatIntBounds::Whole, 0);
    const EStatIntBounds whole = EStatIntBounds::Whole;
    const std::function<void(CStatInts&)> cases[] = {
        [&](CStatInts& s) { s.Generate(sikDay, Date(2024, 1, 5), Date(2024, 1, 2), whole, 0); },
        [&](CStatInts& s) {
            s.Generate(static_cast<EStatIntKind>(6), Date(2024, 1, 1), Date(2024, 1, 2), whole, 0);
        },
        [&](CStatInts& s) { s.Generate(sikMonth, CDateTime(), Date(2024, 1, 2), whole, 0); },
        [&](CStatInts& s) { s.GenerateFrom(sikDay, 0, Date(2024, 1, 1), whole, 0); },
        [&](CStatInts& s) { s.GenerateUpTo(sikHour, -3, Date(2024, 1, 1), whole, 0); },
        [&](CStatInts& s) { s.GenerateUpTo(sikYear, 5, Date(101, 1, 1), whole, 0); },
    };
    int index = 0;
    for (const auto& generate : cases) {
        try {
            generate(intervals);
            ADD_FAILURE() << "case " << index << ": no error";
        } catch (const CError& error) {
            EXPECT_EQ(error.GetCode(), 1) << index;
            EXPECT_EQ(error.GetText(),
                      "internal program error;\nStats::Generate determined 0 intervals.")
                << index;
        }
        EXPECT_EQ(Summary(intervals, ETimeBase::Local), "2024-01-01 00:00 +24 +24") << index++;
    }
    EXPECT_THROW(intervals.GetAt(2), std::out_of_range);
    EXPECT_THROW(intervals.GetAt(-1), std::out_of_range);
}

// Hours stepped from any first hour are exact whole local hours: the repeated autumn hour
// keeps both its passes wherever it ends, two hours long, every other hour one.
TEST_F(CStatIntsTest, HoursFromAnyFirstHourKeepBothPassesOfTheRepeatedHour) {
    const struct {
        CTimeZone zone;
        int day, repeated; // the day before the change, the hour of the change's day
    } zones[] = {{harness::EasternZone(), Date(2026, 10, 31).GetDayNumber(), 1},
                 {CentralEuropeanZone(), Date(2026, 10, 24).GetDayNumber(), 2}};
    for (const auto& z : zones) {
        CModelTimeZone::Set(&z.zone);
        for (int first = 0; first < 24; ++first) {
            CStatInts hours;
            hours.GenerateFrom(sikHour, 30, CDateTime(CCalendar::MakeValue(z.day, first, 0, 0)),
                               EStatIntBounds::Whole, 0);
            for (int i = 0, hour = first; i < hours.GetCount(); ++i, ++hour) {
                const CDateTime local(CCalendar::MakeValue(z.day + hour / 24, hour % 24, 0, 0));
                const CDateTime& utc = hours.GetAt(i).GetStart(ETimeBase::Utc);
                EXPECT_EQ(utc, local.LocalToUtc(z.zone)) << first << "+" << i;
                EXPECT_NEAR((hours.GetAt(i).GetEnd(ETimeBase::Utc) - utc).GetTotalHours(),
                            hour == 24 + z.repeated ? 2 : 1, 1e-6)
                    << first << "+" << i;
            }
        }
    }
}

TEST_F(CStatIntsTest, KeysCompareTheLocalBoundsToTheSecond) {
    const CStatInt none;
    EXPECT_FALSE(none.GetStart(ETimeBase::Local).IsValid() ||
                 none.GetEnd(ETimeBase::Utc).IsValid());
    EXPECT_TRUE(none.GetKey() == SStatIntKey());
    const double second = 1.0 / 86400.0;
    const double start = Date(2024, 1, 1, 10).GetValue(), end = Date(2024, 1, 1, 11).GetValue();
    const CStatInt a{CDateTime(start), CDateTime(end)};
    const CStatInt nearlyA{CDateTime(start + 0.3 * second), CDateTime(end - 0.4 * second)};
    const CStatInt laterEnd{CDateTime(start), CDateTime(end + second)};
    const CStatInt laterStart{CDateTime(start + second), CDateTime(end)};
    EXPECT_TRUE(a.GetKey() == nearlyA.GetKey());
    EXPECT_FALSE(a < nearlyA || nearlyA < a);
    EXPECT_TRUE(a < laterEnd && laterEnd < laterStart && !(laterStart < a));
    // A bound a hair below midnight is that midnight.
    const CStatInt midnight(CDateTime(Date(2024, 1, 2).GetValue() - 1e-9), Date(2024, 1, 3));
    EXPECT_TRUE(midnight.GetKey() == CStatInt(Date(2024, 1, 2), Date(2024, 1, 3)).GetKey());
}

} // namespace

// At both ends of the calendar the intervals up to a date are clamped to the last place
// where every one of them (and its universal twin) exists; one interval further does not
// fit. Up to the calendar's last day, the interval past its end is built, but holds no time.
TEST_F(CStatIntsTest, IntervalsUpToADateStayInTheCalendarAtItsEnds) {
    const auto step = [](EStatIntKind kind, const CDateTime& date, int n) {
        switch (kind) {
        case sikHour:
            return date.GetHourStartOffset(n);
        case sikDay:
            return date.GetDayStartOffset(n);
        case sikWeek:
            return date.GetWeekStartOffset(n, 1);
        case sikMonth:
            return date.GetMonthStartOffset(n);
        default:
            return date.GetYearStartOffset(n);
        }
    };
    const CDateTime ends[] = {CDateTime(CDateTime::GetMinimum()),
                              CDateTime(CDateTime::GetMaximum())};
    for (EStatIntKind kind : {sikHour, sikDay, sikWeek, sikMonth, sikYear}) {
        for (int count : {1, 3, 99}) {
            for (const CDateTime& end : ends) {
                const bool late = end == ends[1];
                const std::string label = std::to_string(kind) + " " + std::to_string(count) +
                                          (late ? " late" : " early");
                EXPECT_FALSE(CStatInts::FitsUpTo(kind, count, end, 1)) << label;
                const CDateTime clamped = CStatInts::ClampUpTo(kind, count, end, 1);
                ASSERT_TRUE(CStatInts::FitsUpTo(kind, count, clamped, 1)) << label;
                EXPECT_FALSE(
                    CStatInts::FitsUpTo(kind, count, step(kind, clamped, late ? 1 : -1), 1))
                    << label;
                CStatInts intervals;
                intervals.GenerateUpTo(kind, count, clamped, EStatIntBounds::Whole, 1);
                for (int i = 0; i < intervals.GetCount(); ++i) {
                    EXPECT_TRUE(intervals.GetAt(i).IsInCalendar()) << label << " " << i;
                }
            }
            CStatInts last;
            EXPECT_NO_THROW(last.GenerateUpTo(kind, count, ends[1], EStatIntBounds::Whole, 1));
            ASSERT_EQ(last.GetCount(), count);
            EXPECT_FALSE(last.GetAt(count - 1).IsInCalendar()) << kind;
        }
    }
    // A date that fits stays.
    EXPECT_EQ(CStatInts::ClampUpTo(sikDay, 3, Date(2024, 5, 10, 15), 1), Date(2024, 5, 10, 15));
}
