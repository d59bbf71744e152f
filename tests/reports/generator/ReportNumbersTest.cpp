#include "reports/generator/CReport.h"
#include "reports/generator/ReportRounding.h"

#include "library/text/CError.h"
#include "model/CStatGen.h"

#include "ReportFixture.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using namespace reporttest;

long long Seconds(const CDateTimeSpan& span) {
    return std::llround(span.GetValue() * 86400.0);
}

// Exact halves round away from zero, decided on whole seconds: the span is taken as the
// difference of two date/times (as tally marks give it) on a hundred different days, so
// that the binary fractions fall either side of the true half.
TEST(ReportRoundingTest, HalvesGoAwayFromZeroOnEveryDay) {
    struct SCase {
        int seconds;
        int rounding;
        int expected;
    } const cases[] = {
        {450, 3, 900},   {449, 3, 0},     {1320, 3, 900},    {1380, 3, 1800},
        {1800, 5, 3600}, {1799, 5, 0},    {30, 1, 60},       {29, 1, 0},
        {180, 2, 360},   {900, 4, 1800},  {5400, 5, 7200},   {43200, 9, 86400},
        {43199, 9, 0},   {-450, 3, -900}, {-1800, 5, -3600}, {37, 0, 37},
    };
    for (const SCase& c : cases) {
        for (int day = 0; day < 100; ++day) {
            const CDateTime start(45000.0 + day + 0.37);
            CDateTime end = start;
            end += CDateTimeSpan(0, 0, 0, c.seconds < 0 ? -c.seconds : c.seconds);
            const CDateTimeSpan span = c.seconds < 0 ? start - end : end - start;
            ASSERT_EQ(Seconds(RoundToUnit(span, GetUnitsPerDay(c.rounding))), c.expected)
                << c.seconds << " s, rounding " << c.rounding << ", day " << day;
        }
    }
}

class ReportNumbersTest : public CReportFixture {};

// The periods cover exactly the chosen period for every kind: the first starts at its
// start, the last ends at its end, none lies after it when the end is on a boundary.
TEST_F(ReportNumbersTest, PeriodsCoverExactlyTheChosenPeriod) {
    struct SCase {
        int kind;
        CDateTime start;
        CDateTime end;
        size_t count;
    } const cases[] = {
        {0, Local(2024, 3, 1, 10), Local(2024, 3, 1, 13), 3},
        {1, Local(2024, 3, 1), Local(2024, 3, 8), 7},
        {1, Local(2024, 3, 1, 12), Local(2024, 3, 3), 2},
        {2, Local(2024, 3, 4), Local(2024, 3, 18), 2},
        {3, Local(2024, 3, 1), Local(2024, 4, 1), 1},
        {3, Local(2024, 1, 1), Local(2025, 1, 1), 12},
        {3, Local(2024, 3, 1), Local(2024, 4, 15), 2},
        {4, Local(2024, 1, 1), Local(2025, 1, 1), 1},
        {5, Local(2024, 3, 1), Local(2024, 4, 1), 1},
        {1, Local(2024, 3, 1, 9), Local(2024, 3, 1, 9), 1},
    };
    for (const SCase& c : cases) {
        CReport report(nullptr, m_state.get(), 0, c.kind, 0);
        report.CollectStatistics(c.start, c.end, {});
        const std::vector<SReportPeriod>& periods = report.GetPeriods();
        ASSERT_EQ(periods.size(), c.count) << "kind " << c.kind;
        EXPECT_EQ(periods.front().start, c.start) << "kind " << c.kind;
        EXPECT_EQ(periods.back().end, c.end) << "kind " << c.kind;
        for (size_t i = 1; i < periods.size(); ++i) {
            EXPECT_EQ(periods[i].start, periods[i - 1].end) << "kind " << c.kind;
            EXPECT_EQ(periods[i].id, static_cast<int>(i));
        }
    }
}

// A tally mark that starts before and ends after the report counts only inside it, for a
// period per month and for the whole period alike.
TEST_F(ReportNumbersTest, TimeOutsideThePeriodNeverCounts) {
    Mark("Work", Local(2024, 2, 28), Local(2024, 3, 2));
    Mark("Work", Local(2024, 3, 31, 20), Local(2024, 4, 3));
    for (int kind : {1, 3, 5}) {
        CReport report(nullptr, m_state.get(), 0, kind, 0);
        report.CollectStatistics(Local(2024, 3, 1), Local(2024, 4, 1), Chosen({"Work"}));
        EXPECT_EQ(Seconds(report.GetTotalRoundSum()), 28 * 3600) << kind;
        EXPECT_EQ(Seconds(report.GetActivities()[0].totalSumRound), 28 * 3600) << kind;
    }
}

// A statistics kind out of range (as a damaged setting gives it) or a period that ends
// before it starts is an error that the caller can show.
TEST_F(ReportNumbersTest, StatisticsThatCannotBeBuiltRaiseAnError) {
    struct SCase {
        int kind;
        CDateTime start;
        CDateTime end;
    } const cases[] = {{-1, Local(2024, 3, 1), Local(2024, 4, 1)},
                       {6, Local(2024, 3, 1), Local(2024, 4, 1)},
                       {1, Local(2024, 4, 1), Local(2024, 3, 1)}};
    for (const SCase& c : cases) {
        try {
            Generate("txt", "x", {}, c.start, c.end, c.kind);
            ADD_FAILURE() << "no error for kind " << c.kind;
        } catch (const CError& error) {
            EXPECT_EQ(error.GetCode(), 1);
            EXPECT_NE(error.GetText().find("0 intervals"), std::string::npos) << error.GetText();
        }
    }
}

// Cells, used flags and both total rules over a chosen parent with an unchosen and a
// chosen child, rounded to half hours: the report's 20 minutes twice (with 4 minutes and 10
// seconds beside) are 1:00 by roundsum, 0:30 by sumround; a parent's cells hold its
// children's time, the period totals own time only.
TEST_F(ReportNumbersTest, CellsAndTotalsFollowBothRules) {
    Mark("Work", Local(2024, 3, 1, 9), Local(2024, 3, 1, 9, 20));
    Mark("Work", Local(2024, 3, 2, 9), Local(2024, 3, 2, 9, 20));
    Mark("Work\\Hidden", Local(2024, 3, 1, 10), Local(2024, 3, 1, 11));
    Mark("Work\\Shown", Local(2024, 3, 2, 10), Local(2024, 3, 2, 10, 4));
    Mark("Home", Local(2024, 3, 3, 10), Local(2024, 3, 3, 10, 0, 10));
    CReport report(nullptr, m_state.get(), 0, 1, 4);
    report.CollectStatistics(Local(2024, 3, 1), Local(2024, 3, 4),
                             Chosen({"Work", "Work\\Shown", "Home"}));
    const std::vector<SReportActivity>& activities = report.GetActivities();
    ASSERT_EQ(activities.size(), 3u);
    // Pre-order ids over all activities, chosen or not: Work 0, Hidden 1, Shown 2, Home 3.
    EXPECT_EQ(activities[0].id, 0);
    EXPECT_EQ(activities[1].id, 2);
    EXPECT_EQ(activities[2].id, 3);
    // Work: day 1 1:20 -> 1:30, day 2 0:24 -> 0:30, by sumround 1:44 -> 1:30; Shown: day 2
    // 0:04 -> 0.
    EXPECT_EQ(Seconds(report.GetCell(0, 0).time), 5400);
    EXPECT_EQ(Seconds(report.GetCell(1, 0).time), 1800);
    EXPECT_FALSE(report.GetCell(1, 1).nonZero);
    EXPECT_EQ(Seconds(activities[0].totalRoundSum), 7200);
    EXPECT_EQ(Seconds(activities[0].totalSumRound), 5400);
    EXPECT_FALSE(activities[1].used);
    EXPECT_FALSE(activities[2].used) << "10 seconds round to nothing";
    // Period totals: own time of each chosen activity (Hidden's hour is not counted).
    EXPECT_EQ(Seconds(report.GetPeriods()[0].totalRoundSum), 1800);
    EXPECT_EQ(Seconds(report.GetPeriods()[1].totalRoundSum), 1800);
    EXPECT_EQ(Seconds(report.GetPeriods()[1].totalSumRound), 1800);
    EXPECT_FALSE(report.GetPeriods()[2].used);
    EXPECT_EQ(Seconds(report.GetTotalRoundSum()), 3600);
    EXPECT_EQ(Seconds(report.GetTotalSumRound()), 1800) << "0:44:10 rounds to 0:30";
}

// Every cell is the activity's statistics (descendants included) for its period, the
// running tally mark counted up to now.
TEST_F(ReportNumbersTest, CellsAreTheActivitiesStatistics) {
    CDateTime::SetNowSource([](bool) { return Local(2024, 3, 3, 12, 0, 7); });
    Mark("Work", Local(2024, 3, 1, 23, 10), Local(2024, 3, 2, 1, 5, 3));
    Mark("Work\\A", Local(2024, 2, 29, 8), Local(2024, 3, 1, 0, 0, 1));
    Mark("Work\\A\\B", Local(2024, 3, 4, 8), Local(2024, 3, 4, 9));
    Mark("Work\\A\\B", Local(2024, 3, 1, 8), Local(2024, 3, 1, 8, 0, 30));
    Mark("Home", Local(2024, 3, 2, 10), Local(2024, 3, 2, 11));
    Activity("Work\\A")->GetTallymarks().Add(
        new CTallymark(Activity("Work\\A"), Local(2024, 3, 3, 10), CTallymark::GetNullDate()));
    const std::vector<std::string> chosen = {"Work", "Work\\A\\B", "Home"};
    CReport report(nullptr, m_state.get(), 0, 1, 0);
    report.CollectStatistics(Local(2024, 3, 1), Local(2024, 3, 5), Chosen(chosen));
    ASSERT_EQ(report.GetPeriods().size(), 4u);
    for (size_t p = 0; p < 4; ++p) {
        const SReportPeriod& period = report.GetPeriods()[p];
        for (size_t a = 0; a < chosen.size(); ++a) {
            const CDateTimeSpan expected =
                Activity(chosen[a])
                    ->GetStatGen()
                    .Generate(CStatInt(period.start, period.end), EStatScope::WithDescendants)
                    .GetTotal();
            EXPECT_EQ(Seconds(report.GetCell(p, a).time), Seconds(expected)) << p << " " << a;
        }
    }
    EXPECT_EQ(Seconds(report.GetCell(2, 0).time), 2 * 3600 + 7) << "running since 10:00";
    CDateTime::SetNowSource(nullptr);
}

// Durations in the three notations and dates by statistics kind.
TEST_F(ReportNumbersTest, DurationAndDateTexts) {
    struct SCase {
        int notation;
        int rounding;
        double hours;
        const char* expected;
    } const cases[] = {
        {2, 5, 3.0, "3"},        {1, 5, 3.0, "0.125"},       {1, 0, 1.0, "0.041667"},
        {0, 0, 0.0, "00:00:00"}, {0, 0, 123.5, "123:30:00"}, {2, 3, 0.25, "0.25"},
        {2, 2, 0.1, "0.1"},      {1, 7, 36.0, "1.500000"},   {2, 1, 1.5, "1.500"},
    };
    for (const SCase& c : cases) {
        CReport report(nullptr, m_state.get(), c.notation, 1, c.rounding);
        EXPECT_EQ(report.FormatDuration(CDateTimeSpan(c.hours / 24.0)), c.expected)
            << c.notation << "/" << c.rounding;
    }
    EXPECT_EQ(CReport(nullptr, m_state.get(), 0, 0, 0).FormatDate(Local(2024, 3, 5, 14, 7, 9)),
              "03/05/2024 14:07:09");
    EXPECT_EQ(CReport(nullptr, m_state.get(), 0, 1, 0).FormatDate(Local(2024, 3, 5, 14, 7, 9)),
              "03/05/2024");
}

// Across the change to summer time the day of 31 March 2024 has 23 hours; its report
// period ends at the next day's local midnight.
TEST_F(ReportNumbersTest, DaysAcrossTheChangeToSummerTime) {
    UseZone(CentralEuropeanZone());
    Mark("Work", Local(2024, 3, 30, 12), Local(2024, 4, 1, 12));
    EXPECT_EQ(Generate("txt",
                       "[#timeperiod_startsection(all)#][#timeperiod_start#]-"
                       "[#timeperiod_end#] [#timeperiod_totaltime(sumround)#]\n"
                       "[#timeperiod_endsection#]",
                       {"Work"}, Local(2024, 3, 30), Local(2024, 4, 2)),
              "03/30/2024-03/31/2024 12:00:00\n"
              "03/31/2024-04/01/2024 23:00:00\n"
              "04/01/2024-04/02/2024 12:00:00\n");
}

} // namespace
