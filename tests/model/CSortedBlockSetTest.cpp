#include "model/CSortedBlockSet.h"

#include <gtest/gtest.h>

#include <random>
#include <set>
#include <vector>

namespace {

using CIntSet = CSortedBlockSet<int>;

void ExpectSame(const CIntSet& set, const std::set<int>& reference, int round) {
    ASSERT_EQ(set.GetSize(), reference.size()) << round;
    EXPECT_EQ(std::vector<int>(set.begin(), set.end()),
              std::vector<int>(reference.begin(), reference.end()))
        << round;
}

TEST(CSortedBlockSet, AgreesWithAnOrderedSetThroughGrowthAndShrinking) {
    // Enough values for many blocks of 1024 ints; ascending, descending and random orders
    // fill and empty blocks from either side and in the middle.
    const int count = 20000;
    std::vector<std::vector<int>> orders(3);
    for (int i = 0; i < count; ++i) {
        orders[0].push_back(i);
        orders[1].push_back(count - i);
    }
    std::mt19937 random(7);
    std::uniform_int_distribution<int> values(0, 3 * count);
    for (int i = 0; i < count; ++i) {
        orders[2].push_back(values(random));
    }
    for (std::size_t round = 0; round < orders.size(); ++round) {
        CIntSet set;
        std::set<int> reference;
        for (int value : orders[round]) {
            EXPECT_EQ(set.Insert(value), reference.insert(value).second);
        }
        ExpectSame(set, reference, round);
        for (int probe : {-1, 0, 17, count / 2, 3 * count + 1}) {
            auto lower = set.LowerBound(probe), upper = set.UpperBound(probe);
            auto refLower = reference.lower_bound(probe), refUpper = reference.upper_bound(probe);
            EXPECT_EQ(lower == set.end(), refLower == reference.end()) << probe;
            EXPECT_EQ(upper == set.end(), refUpper == reference.end()) << probe;
            if (lower != set.end() && refLower != reference.end()) {
                EXPECT_EQ(*lower, *refLower) << probe;
            }
            if (upper != set.end() && refUpper != reference.end()) {
                EXPECT_EQ(*upper, *refUpper) << probe;
            }
            EXPECT_EQ(set.Contains(probe), reference.count(probe) == 1) << probe;
        }
        // Take out three values of four, then everything.
        for (std::size_t i = 0; i < orders[round].size(); ++i) {
            const int value = orders[(round + 1) % orders.size()][i];
            if (i % 4 != 0) {
                EXPECT_EQ(set.Erase(value), reference.erase(value) == 1);
            }
        }
        ExpectSame(set, reference, round);
        EXPECT_EQ(set.TakeAll(), std::vector<int>(reference.begin(), reference.end()));
        EXPECT_TRUE(set.IsEmpty());
        EXPECT_EQ(set.begin(), set.end());
    }
}

TEST(CSortedBlockSet, HoldsTellsWhetherAnOldPositionIsStillRight) {
    CIntSet set;
    for (int i = 0; i < 10; ++i) {
        set.Insert(i * 10);
    }
    CIntSet::const_iterator at30 = set.Find(30);
    EXPECT_TRUE(set.Holds(at30, 30));
    set.Insert(90 + 5);
    EXPECT_TRUE(set.Holds(at30, 30));
    set.Insert(5);
    EXPECT_FALSE(set.Holds(at30, 30));
    EXPECT_FALSE(set.Holds(CIntSet::const_iterator(), 30));
    EXPECT_FALSE(set.Holds(CIntSet().begin(), 30));
}

} // namespace
