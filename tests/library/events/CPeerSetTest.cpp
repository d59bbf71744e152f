#include "library/events/CPeerSet.h"

#include <cstddef>
#include <memory>
#include <vector>

#include <gtest/gtest.h>

#include "library/events/CConnector.h"

namespace {

// Connectors in one array, so their addresses ascend with their positions.
class CPeerSetTest : public ::testing::Test {
protected:
    static constexpr std::size_t kCount = 1000;

    CConnector* At(std::size_t i) { return &m_nodes[i]; }

    // The set's entries from a walk in address order, equal entries once.
    static std::vector<CConnector*> Walk(const CPeerSet& set) {
        std::vector<CConnector*> seen;
        for (CConnector* p = set.GetFirst(); p != nullptr; p = set.GetAbove(p)) {
            seen.push_back(p);
        }
        return seen;
    }

    // Indexes 0 .. n-1 in a scattered order (7919 is prime, so coprime with every n < 7919).
    static std::vector<std::size_t> Scattered(std::size_t n) {
        std::vector<std::size_t> order;
        for (std::size_t i = 0; i < n; ++i) {
            order.push_back(i * 7919 % n);
        }
        return order;
    }

    std::unique_ptr<CConnector[]> m_nodes{new CConnector[kCount]};
};

// Sizes on both sides of every change of storage (in place, array, tree).
const std::size_t kSizes[] = {0, 1, 3, 4, 8, 9, 16, 17, 32, 33, 100, 1000};

TEST_F(CPeerSetTest, WalksInAddressOrderWhateverTheInsertionOrder) {
    for (std::size_t size : kSizes) {
        SCOPED_TRACE(size);
        CPeerSet set;
        for (std::size_t i : Scattered(size)) {
            set.Insert(At(i));
        }
        std::vector<CConnector*> expected;
        for (std::size_t i = 0; i < size; ++i) {
            expected.push_back(At(i));
        }
        EXPECT_EQ(set.GetSize(), size);
        EXPECT_EQ(Walk(set), expected);
        for (std::size_t i = 0; i < size; ++i) {
            EXPECT_EQ(set.Count(At(i)), 1u);
        }
        EXPECT_EQ(set.Count(At(size)), 0u);
    }
}

TEST_F(CPeerSetTest, ErasingDownThroughEveryStorageKeepsTheRest) {
    constexpr std::size_t full = 100;
    CPeerSet set;
    for (std::size_t i = 0; i < full; ++i) {
        set.Insert(At(i));
    }
    std::vector<bool> present(full, true);
    std::size_t size = full;
    for (std::size_t i : Scattered(full)) {
        EXPECT_EQ(set.Erase(At(i)), 1u);
        EXPECT_EQ(set.Erase(At(i)), 0u);
        present[i] = false;
        --size;
        std::vector<CConnector*> expected;
        for (std::size_t j = 0; j < full; ++j) {
            if (present[j]) {
                expected.push_back(At(j));
            }
        }
        ASSERT_EQ(set.GetSize(), size);
        ASSERT_EQ(Walk(set), expected) << "after erasing " << i;
    }
    EXPECT_EQ(set.GetFirst(), nullptr);
}

TEST_F(CPeerSetTest, EqualEntriesAreCountedAndErasedTogether) {
    for (std::size_t size : kSizes) {
        SCOPED_TRACE(size);
        CPeerSet set;
        for (std::size_t i = 0; i < size; ++i) {
            set.Insert(At(i));
        }
        CConnector* twice = At(size / 2);
        set.Insert(twice);
        set.Insert(twice);
        const std::size_t copies = size == 0 ? 2 : 3;
        EXPECT_EQ(set.Count(twice), copies);
        EXPECT_EQ(set.GetSize(), size + 2);
        EXPECT_EQ(Walk(set).size(), size == 0 ? 1 : size);
        EXPECT_EQ(set.Erase(twice), copies);
        EXPECT_EQ(set.Count(twice), 0u);
        EXPECT_EQ(set.GetSize(), size + 2 - copies);
    }
}

TEST_F(CPeerSetTest, AboveFindsTheNextHigherAddressForAbsentEntries) {
    for (std::size_t size : {3u, 20u, 200u}) {
        SCOPED_TRACE(size);
        CPeerSet set;
        for (std::size_t i = 0; i < 2 * size; i += 2) {
            set.Insert(At(i));
        }
        EXPECT_EQ(set.GetFirst(), At(0));
        for (std::size_t i = 1; i + 1 < 2 * size; i += 2) {
            EXPECT_EQ(set.GetAbove(At(i)), At(i + 1));
        }
        EXPECT_EQ(set.GetAbove(At(2 * size - 2)), nullptr);
        EXPECT_EQ(set.GetAbove(At(2 * size - 1)), nullptr);
    }
}

} // namespace
