#include "model/CTallymarkPool.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <random>
#include <vector>

namespace {

// Slots of several chunks handed out, filled, given back in random order and taken again:
// no two slots overlap, and a pool whose slots all came back holds at most one chunk more
// than before.
TEST(CTallymarkPool, SlotsStayApartAndEmptyChunksGoBack) {
    const std::size_t before = CTallymarkPool::GetNumChunks();
    const std::size_t count = 3 * CTallymarkPool::kSlotsPerChunk + 7;
    std::mt19937 random(14);
    std::vector<unsigned char*> slots;
    for (int round = 0; round < 2; ++round) {
        while (slots.size() < count) {
            slots.push_back(static_cast<unsigned char*>(CTallymarkPool::Allocate()));
            std::memset(slots.back(), static_cast<int>(slots.size() % 251),
                        CTallymarkPool::kSlotSize);
        }
        EXPECT_GE(CTallymarkPool::GetNumChunks(), 4u);
        for (std::size_t i = 0; i < slots.size(); ++i) {
            const unsigned char expected = static_cast<unsigned char>((i + 1) % 251);
            ASSERT_EQ(slots[i][0], expected) << i;
            ASSERT_EQ(slots[i][CTallymarkPool::kSlotSize - 1], expected) << i;
        }
        std::shuffle(slots.begin(), slots.end(), random);
        // Half back, then the first round takes them again; the second gives back all.
        const std::size_t keep = round == 0 ? count / 2 : 0;
        while (slots.size() > keep) {
            CTallymarkPool::Free(slots.back());
            slots.pop_back();
        }
        std::sort(slots.begin(), slots.end());
        for (std::size_t i = 0; i < slots.size(); ++i) {
            std::memset(slots[i], static_cast<int>((i + 1) % 251), CTallymarkPool::kSlotSize);
        }
    }
    EXPECT_LE(CTallymarkPool::GetNumChunks(), before + 1);
}

} // namespace
