#include "library/events/CPeerTree.h"

#include <algorithm>
#include <cstddef>
#include <cstdlib>
#include <functional>
#include <memory>
#include <new>
#include <random>
#include <set>
#include <vector>

#include <gtest/gtest.h>

#include "library/events/CConnector.h"
#include "library/events/CPeerSet.h"

// This test program counts down to a failing allocation when g_allocationsLeft is not
// negative, so that inserting can be checked at every allocation it makes.
namespace {
int g_allocationsLeft = -1;
} // namespace

__attribute__((noinline)) void* operator new(std::size_t size) {
    if (g_allocationsLeft == 0) {
        throw std::bad_alloc();
    }
    if (g_allocationsLeft > 0) {
        --g_allocationsLeft;
    }
    void* block = std::malloc(size == 0 ? 1 : size);
    if (block == nullptr) {
        throw std::bad_alloc();
    }
    return block;
}

__attribute__((noinline)) void operator delete(void* p) noexcept {
    std::free(p);
}

void operator delete(void* p, std::size_t) noexcept {
    operator delete(p);
}

namespace {

using CReference = std::multiset<const CConnector*, std::less<>>;

// Connectors in one array, so their addresses ascend with their positions; the tests only
// use their addresses.
class CPeerTreeTest : public ::testing::Test {
protected:
    static constexpr std::size_t kCount = 140000;

    CConnector* At(std::size_t i) { return &m_nodes[i]; }

    void Insert(std::size_t i) {
        if (m_tree.GetRoot() == nullptr) {
            CConnector* first = At(i);
            m_tree = CPeerTree::Create(&first, 1);
        } else {
            m_tree.Insert(At(i));
        }
        m_reference.insert(At(i));
    }

    // Erases i from both and expects the same number of entries to go.
    void Erase(std::size_t i) { EXPECT_EQ(m_tree.Erase(At(i)), m_reference.erase(At(i))) << i; }

    // The tree's shape and every entry, against the reference.
    void ExpectSameContents() {
        ASSERT_TRUE(m_tree.CheckShape(m_reference.size()));
        std::vector<CConnector*> entries(m_reference.size() + 1);
        entries.resize(m_tree.CopyFirst(entries.data(), entries.size()));
        EXPECT_TRUE(
            std::equal(entries.begin(), entries.end(), m_reference.begin(), m_reference.end()));
    }

    // Count, GetAbove and GetFirst for probes present and absent, against the reference.
    void ExpectSameAnswers(std::mt19937& random, std::size_t limit) {
        if (m_reference.empty()) {
            return;
        }
        EXPECT_EQ(m_tree.GetFirst(), *m_reference.begin());
        for (int probe = 0; probe < 50; ++probe) {
            const CConnector* peer = At(random() % limit);
            const auto above = m_reference.upper_bound(peer);
            EXPECT_EQ(m_tree.GetAbove(peer), above == m_reference.end() ? nullptr : *above);
            EXPECT_EQ(m_tree.Count(peer), m_reference.count(peer));
        }
    }

    void TearDown() override {
        g_allocationsLeft = -1;
        m_tree.Destroy();
    }

    std::unique_ptr<CConnector[]> m_nodes{new CConnector[kCount]};
    CPeerTree m_tree;
    CReference m_reference;
};

std::vector<std::size_t> Shuffled(std::vector<std::size_t> values, unsigned seed) {
    std::shuffle(values.begin(), values.end(), std::mt19937(seed));
    return values;
}

std::vector<std::size_t> Sequence(std::size_t n, const std::function<std::size_t(std::size_t)>& f) {
    std::vector<std::size_t> values;
    for (std::size_t i = 0; i < n; ++i) {
        values.push_back(f(i));
    }
    return values;
}

struct SOrder {
    const char* m_name;
    std::vector<std::size_t> m_indexes;
};

// Insertion orders that exercise appending at either end, at two points, everywhere, and
// runs of equal entries longer than a leaf.
std::vector<SOrder> Orders(std::size_t n) {
    return {
        {"ascending", Sequence(n, [](std::size_t i) { return i; })},
        {"descending", Sequence(n, [n](std::size_t i) { return n - 1 - i; })},
        {"random", Shuffled(Sequence(n, [](std::size_t i) { return i; }), 1)},
        {"two interleaved runs", Sequence(n, [n](std::size_t i) { return i % 2 * n / 2 + i / 2; })},
        {"outside in", Sequence(n, [n](std::size_t i) { return i % 2 ? n - 1 - i / 2 : i / 2; })},
        {"each five times", Sequence(n, [](std::size_t i) { return i / 5; })},
        {"runs of 150 equal", Sequence(n, [](std::size_t i) { return i / 150 * 150; })},
        {"each three times, random", Shuffled(Sequence(n, [](std::size_t i) { return i / 3; }), 2)},
    };
}

TEST_F(CPeerTreeTest, EveryInsertionOrderKeepsShapeOrderAndAnswers) {
    constexpr std::size_t n = 6000;
    std::mt19937 random(7);
    for (const SOrder& order : Orders(n)) {
        SCOPED_TRACE(order.m_name);
        for (std::size_t k = 0; k < order.m_indexes.size(); ++k) {
            Insert(order.m_indexes[k]);
            if (k % 89 == 0 || k < 200) {
                ASSERT_TRUE(m_tree.CheckShape(m_reference.size())) << "after " << k;
            }
        }
        ExpectSameContents();
        ExpectSameAnswers(random, n + 1);

        // Erase all again, each distinct entry once, in random order.
        std::vector<std::size_t> distinct = order.m_indexes;
        std::sort(distinct.begin(), distinct.end());
        distinct.erase(std::unique(distinct.begin(), distinct.end()), distinct.end());
        distinct = Shuffled(distinct, 3);
        for (std::size_t k = 0; k < distinct.size(); ++k) {
            Erase(distinct[k]);
            if (k % 97 == 0 || distinct.size() - k < 200) {
                ASSERT_TRUE(m_tree.CheckShape(m_reference.size())) << "after erasing " << k;
            }
        }
        EXPECT_EQ(m_tree.GetRoot(), nullptr);
        m_reference.clear();
    }
}

TEST_F(CPeerTreeTest, RandomInsertsAndErasesMatchAReferenceMultiset) {
    // Small universes give many equal entries, large ones deep trees.
    for (std::size_t universe : {std::size_t{40}, std::size_t{3000}, std::size_t{100000}}) {
        SCOPED_TRACE(universe);
        std::mt19937 random(static_cast<unsigned>(universe));
        const std::size_t target = std::min<std::size_t>(universe * 2, 20000);
        for (int step = 0; step < 60000; ++step) {
            // Grows towards target during the first half, shrinks during the second.
            const bool grow = (step < 30000) == (random() % 4 != 0);
            const std::size_t i = random() % universe;
            if (grow && m_reference.size() < target) {
                Insert(i);
            } else if (!m_reference.empty()) {
                Erase(i);
                if (m_reference.empty()) {
                    ASSERT_EQ(m_tree.GetRoot(), nullptr);
                }
            }
            if (step % 997 == 0) {
                ExpectSameContents();
                ExpectSameAnswers(random, universe);
            }
        }
        ExpectSameContents();
        m_tree.Destroy();
        m_reference.clear();
    }
}

// The heap the nodes take for 100,000 entries, in bytes per entry as pointer sizes: leaves
// that overflow share with a neighbour, so even random insertion fills them well.
TEST_F(CPeerTreeTest, LargeTreesTakeLittleMoreThanTheirPointers) {
    constexpr std::size_t n = 100000;
    for (const SOrder& order : Orders(n)) {
        SCOPED_TRACE(order.m_name);
        for (std::size_t i : order.m_indexes) {
            Insert(i);
        }
        const double pointers = static_cast<double>(m_tree.GetNumBytes()) /
                                static_cast<double>(n * sizeof(CConnector*));
        EXPECT_LT(pointers, 1.3);
        m_tree.Destroy();
        m_reference.clear();
    }
}

// Fails each allocation of every insert in turn: a failed insert changes nothing, and
// erasing never needs memory. Ascending insertion up to 140,000 entries makes a split climb
// through a full internal node and the full root (a new leaf, two internal nodes and a root).
TEST_F(CPeerTreeTest, FailedAllocationsLeaveTheTreeAsItWas) {
    std::size_t failures = 0;
    int mostAllocations = 0;
    for (std::size_t i = 0; i < kCount; ++i) {
        if (i > 0) {
            for (int allowed = 0;; ++allowed) {
                const std::size_t bytes = m_tree.GetNumBytes();
                g_allocationsLeft = allowed;
                try {
                    m_tree.Insert(At(i));
                    g_allocationsLeft = -1;
                    break;
                } catch (const std::bad_alloc&) {
                    g_allocationsLeft = -1;
                }
                ++failures;
                mostAllocations = std::max(mostAllocations, allowed + 1);
                ASSERT_EQ(m_tree.GetNumBytes(), bytes);
                ASSERT_EQ(m_tree.Count(At(i)), 0u);
                if (allowed > 0) {
                    ASSERT_TRUE(m_tree.CheckShape(i)) << i;
                }
            }
        } else {
            CConnector* first = At(0);
            m_tree = CPeerTree::Create(&first, 1);
        }
    }
    EXPECT_GT(failures, kCount / 64);
    EXPECT_EQ(mostAllocations, 4);
    ASSERT_TRUE(m_tree.CheckShape(kCount));

    // Without any memory at all, erase everything in a scattered order.
    std::size_t left = kCount;
    std::size_t erased = 0;
    for (std::size_t k = 0; k < kCount; ++k) {
        g_allocationsLeft = 0;
        erased += m_tree.Erase(At(k * 7919 % kCount));
        g_allocationsLeft = -1;
        --left;
        if (k % 1999 == 0 || left < 100) {
            ASSERT_TRUE(m_tree.CheckShape(left)) << k;
        }
    }
    EXPECT_EQ(erased, kCount);
    EXPECT_EQ(m_tree.GetRoot(), nullptr);
}

// The set around its change from two entries in place to the tree and back, with equal
// entries, against the reference.
TEST(CPeerSetRandomTest, MatchesAReferenceMultisetAcrossStorageChanges) {
    constexpr std::size_t universe = 12;
    std::unique_ptr<CConnector[]> nodes(new CConnector[universe]);
    std::mt19937 random(11);
    CPeerSet set;
    CReference reference;
    for (int step = 0; step < 20000; ++step) {
        CConnector* peer = &nodes[random() % universe];
        if (random() % 2 == 0 && reference.size() < 8) {
            set.Insert(peer);
            reference.insert(peer);
        } else {
            ASSERT_EQ(set.Erase(peer), reference.erase(peer));
        }
        ASSERT_EQ(set.GetSize(), reference.size());
        ASSERT_EQ(set.GetFirst(), reference.empty() ? nullptr : *reference.begin());
        for (std::size_t i = 0; i < universe; ++i) {
            const auto above = reference.upper_bound(&nodes[i]);
            ASSERT_EQ(set.GetAbove(&nodes[i]), above == reference.end() ? nullptr : *above);
            ASSERT_EQ(set.Count(&nodes[i]), reference.count(&nodes[i]));
        }
    }
}

} // namespace
