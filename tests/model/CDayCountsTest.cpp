#include "model/CDayCounts.h"

#include <gtest/gtest.h>

#include <map>
#include <random>

namespace {

TEST(CDayCounts, AgreesWithACountPerDayAndStaysCompact) {
    std::mt19937 random(11);
    std::uniform_int_distribution<int> day(-20, 120), length(0, 6);
    CDayCounts counts;
    std::map<int, int> reference;
    for (int round = 0; round < 3000; ++round) {
        const int first = day(random), last = first + length(random);
        const int delta = round % 3 == 2 ? -1 : 1;
        counts.Add(first, last, delta);
        for (int d = first; d <= last; ++d) {
            reference[d] = std::max(0, reference[d] + delta);
        }
    }
    std::size_t changes = 0;
    for (int d = -30; d <= 140; ++d) {
        EXPECT_EQ(counts.GetCount(d), reference.count(d) ? reference[d] : 0) << d;
        changes += counts.GetCount(d) != counts.GetCount(d - 1);
    }
    // One run where the count changes, none more.
    EXPECT_EQ(counts.GetNumRuns(), changes);
}

TEST(CDayCounts, LongSpansCostRunsNotDays) {
    CDayCounts counts;
    counts.Add(-657434, 2958465, 1);
    counts.Add(10, 12, 1);
    EXPECT_EQ(counts.GetNumRuns(), 4u);
    EXPECT_EQ(counts.GetCount(0), 1);
    EXPECT_EQ(counts.GetCount(11), 2);
    counts.Add(-657434, 2958465, -1);
    counts.Add(5, 4, 1);
    counts.Add(50, 60, -1);
    EXPECT_EQ(counts.GetNumRuns(), 2u);
    counts.Add(10, 12, -1);
    EXPECT_TRUE(counts.IsEmpty());
}

} // namespace
