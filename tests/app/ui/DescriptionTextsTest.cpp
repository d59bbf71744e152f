#include "app/ui/DescriptionTexts.h"

#include "library/datetime/CDateTime.h"
#include "library/datetime/CDateTimeFormat.h"

#include "../../../resources/ResourceIds.h"

#include <gtest/gtest.h>

namespace {

// English (United States) with its own separator and month-day-year order, whatever
// the host's locale: dates read "Mon Mar 15 2010".
const LCID kEnglish = MAKELCID(MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US), SORT_DEFAULT);

CDateTime At(int year, int month, int day, int hour = 0, int minute = 0, int second = 0) {
    CDateTime date;
    date.SetDateTime(year, month, day, hour, minute, second);
    return date;
}

std::string Describe(int layout, const CDateTime& start, const CDateTime& end) {
    return FormatPeriodDescription(layout, start, end, CDateTimeFormat("/", "0"), kEnglish);
}

TEST(PeriodDescriptionTest, WordsForPeriods) {
    const CDateTime noDate(kNoDate);
    const struct {
        int layout;
        CDateTime start;
        CDateTime end;
        const char* expected;
    } cases[] = {
        {1, At(2010, 3, 15), At(2010, 3, 17), "Mon Mar 15 2010 to Wed Mar 17 2010; 2 days"},
        {2, At(2010, 3, 15), At(2010, 3, 16), "Mon Mar 15 2010 to Tue Mar 16 2010;\n1 day"},
        {3, At(2010, 3, 15), At(2010, 3, 15), "Mon Mar 15 2010 to\nMon Mar 15 2010;\nEmpty choice"},
        {7, At(2010, 3, 15), At(2010, 3, 17), "Mon Mar 15 2010 to Wed Mar 17 2010; 2 days"},
        {1, At(2010, 3, 15, 8), At(2010, 3, 16, 20),
         "Mon Mar 15 2010 8:00:00 to Tue Mar 16 2010 20:00:00; 1 day, 12:00:00 hours"},
        // Times are written for both dates when either has one.
        {1, At(2010, 3, 15), At(2010, 3, 15, 0, 45, 30),
         "Mon Mar 15 2010 0:00:00 to Mon Mar 15 2010 0:45:30; 00:45:30 hours"},
        {2, At(2010, 3, 15, 23, 59, 59), At(2010, 3, 18),
         "Mon Mar 15 2010 23:59:59 to Thu Mar 18 2010 0:00:00;\n2 days, 00:00:01 hours"},
        {1, At(2010, 3, 15), noDate,
         "From Mon Mar 15 2010 onward;\ntime registration still active"},
        {3, At(2010, 3, 15, 9, 30), noDate,
         "From Mon Mar 15 2010 9:30:00 onward;\ntime registration still active"},
        {1, noDate, At(2010, 3, 17), "No choice made"},
        {2, noDate, noDate, "No choice made"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Describe(c.layout, c.start, c.end), c.expected)
            << c.start.GetValue() << " - " << c.end.GetValue();
    }
}

// Day numbers on either side of a power of two: their difference is 12 days less a
// few millionths of a second, which must still read as whole days.
TEST(PeriodDescriptionTest, LengthIsCountedInWholeSeconds) {
    const double timeOfDay = 2.0 / 86400.0;
    const CDateTime start(32760.0 + timeOfDay);
    const CDateTime end(32772.0 + timeOfDay);
    ASSERT_NE((end - start).GetValue(), 12.0);
    const std::string text = Describe(1, start, end);
    const std::string ending = "; 12 days";
    ASSERT_GE(text.size(), ending.size()) << text;
    EXPECT_EQ(text.substr(text.size() - ending.size()), ending) << text;
}

TEST(ActivityCountTest, TheWordFollowsTheChosenCount) {
    // Stand-ins: the count looks only at the number of chosen activities.
    CActivity* const a = reinterpret_cast<CActivity*>(0x10);
    CActivity* const b = reinterpret_cast<CActivity*>(0x20);
    const struct {
        std::set<CActivity*> chosen;
        int total;
        unsigned int message;
        const char* expected;
    } cases[] = {
        {{a}, 5, IDS_ACTIVITY_COUNT_OF_ACTS, "1 of 5 activity"},
        {{a, b}, 5, IDS_ACTIVITY_COUNT_OF_ACTS, "2 of 5 activities"},
        {{}, 1, IDS_ACTIVITY_COUNT_OF_ACTS, "0 of 1 activities"},
        {{a}, 1, IDS_ACTIVITY_COUNT_CHOSEN, "1 of 1 activity chosen"},
        {{a, b}, 12, IDS_ACTIVITY_COUNT_OF, "2 of 12"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FormatActivityCount(c.chosen, c.total, c.message), c.expected);
    }
}

} // namespace
