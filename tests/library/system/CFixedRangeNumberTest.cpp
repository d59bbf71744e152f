#include "library/system/CFixedRangeNumber.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

struct SRangeCase {
    int32_t minimum;
    int32_t maximum;
    bool wrap;
    int32_t set;
    int32_t expected;
};

TEST(CFixedRangeNumberTest, SetValueAppliesTheRangeRule) {
    const SRangeCase cases[] = {
        {1, 5, true, 3, 3},
        {1, 5, true, 13, 3},
        {1, 5, true, -1, 4},
        {1, 5, true, 6, 1},
        {1, 5, true, 0, 5},
        {1, 5, true, -10, 5},
        {1, 5, false, 9, 5},
        {1, 5, false, -3, 1},
        {1, 5, false, 4, 4},
        {7, 7, true, 1000, 7},
        {-3, 3, true, 4, -3},
        {-3, 3, true, -11, 3},
        // Far from the range: must come back at once, not after 10^8 steps.
        {0, 21, true, INT_MAX, 1},
        {0, 21, true, INT_MIN, 20},
        {0, 21, false, INT_MIN, 0},
        {INT_MIN, INT_MAX, true, INT_MIN, INT_MIN},
        {INT_MAX - 1, INT_MAX, true, INT_MIN, INT_MAX - 1},
        // A reversed range is taken the right way round.
        {5, 1, true, 6, 1},
        {5, 1, false, 0, 1},
    };
    for (const SRangeCase& c : cases) {
        CFixedRangeNumber number(c.minimum, c.maximum, c.wrap);
        number.SetValue(c.set);
        EXPECT_EQ(number.GetValue(), c.expected)
            << c.minimum << ".." << c.maximum << (c.wrap ? " wrap" : " clamp") << " set " << c.set;
    }
}

TEST(CFixedRangeNumberTest, StartsAtTheMinimum) {
    EXPECT_EQ(CFixedRangeNumber(3, 9, false).GetValue(), 3);
    EXPECT_EQ(CFixedRangeNumber(9, 3, true).GetValue(), 3);
}

TEST(CFixedRangeNumberTest, StepsWrapAtBothEnds) {
    CFixedRangeNumber number(1, 5, true);
    number.SetValue(5);
    EXPECT_EQ(number.Increment().GetValue(), 1);
    EXPECT_EQ(number.Decrement().GetValue(), 5);
    EXPECT_EQ((++number).GetValue(), 1);
    EXPECT_EQ((--number).GetValue(), 5);
    number += 7;
    EXPECT_EQ(number.GetValue(), 2);
    number -= 13;
    EXPECT_EQ(number.GetValue(), 4);
}

TEST(CFixedRangeNumberTest, StepsStopAtTheEndsWithoutWrap) {
    CFixedRangeNumber number(1, 5, false);
    --number;
    EXPECT_EQ(number.GetValue(), 1);
    number += 100;
    EXPECT_EQ(number.GetValue(), 5);
    ++number;
    EXPECT_EQ(number.GetValue(), 5);
    number -= INT_MAX;
    EXPECT_EQ(number.GetValue(), 1);
}

TEST(CFixedRangeNumberTest, PostfixGivesTheOldStateAndKeepsTheNew) {
    CFixedRangeNumber number(1, 5, true);
    number.SetValue(5);
    const CFixedRangeNumber old = number++;
    EXPECT_EQ(old.GetValue(), 5);
    EXPECT_EQ(number.GetValue(), 1);
    const CFixedRangeNumber before = number--;
    EXPECT_EQ(before.GetValue(), 1);
    EXPECT_EQ(number.GetValue(), 5);
}

TEST(CFixedRangeNumberTest, FullRangeStepsDoNotOverflow) {
    CFixedRangeNumber wrapping(INT_MIN, INT_MAX, true);
    wrapping.SetValue(INT_MAX);
    ++wrapping;
    EXPECT_EQ(wrapping.GetValue(), INT_MIN);
    wrapping -= 1;
    EXPECT_EQ(wrapping.GetValue(), INT_MAX);

    CFixedRangeNumber clamped(INT_MIN, INT_MAX, false);
    clamped.SetValue(INT_MAX);
    clamped += INT_MAX;
    EXPECT_EQ(clamped.GetValue(), INT_MAX);
}

} // namespace
