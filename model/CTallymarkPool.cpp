#include "model/CTallymarkPool.h"

#include "model/CTallymark.h"

#include <algorithm>
#include <cstdint>
#include <functional>
#include <new>
#include <vector>

const std::size_t CTallymarkPool::kSlotSize =
    (sizeof(CTallymark) + sizeof(void*) - 1) / sizeof(void*) * sizeof(void*);

namespace {

// A chunk's header; its slots follow it. Slots that were never handed out lie at the end
// (from m_fresh on); slots given back form a list through their first word.
struct SChunk {
    SChunk* m_prevWithRoom = nullptr;
    SChunk* m_nextWithRoom = nullptr;
    void* m_freeList = nullptr;
    std::size_t m_live = 0;
    std::size_t m_fresh = 0;
    bool m_hasRoomListed = false;

    char* GetSlots() { return reinterpret_cast<char*>(this) + kHeaderSize; }
    bool IsFull() const {
        return m_freeList == nullptr && m_fresh == CTallymarkPool::kSlotsPerChunk;
    }

    static const std::size_t kHeaderSize;
};

const std::size_t SChunk::kHeaderSize = (sizeof(SChunk) + 15) / 16 * 16;
const std::size_t kChunkBytes =
    SChunk::kHeaderSize + CTallymarkPool::kSlotSize * CTallymarkPool::kSlotsPerChunk;

struct SPool {
    // Every chunk, by address, to find the chunk of a slot.
    std::vector<SChunk*> m_chunks;
    // The chunks with a free slot, the one that got room last first.
    SChunk* m_withRoom = nullptr;
    // A chunk without tally marks kept for the next ones.
    SChunk* m_empty = nullptr;
};

SPool& Pool() {
    static SPool pool;
    return pool;
}

void ListWithRoom(SPool& pool, SChunk* chunk) {
    chunk->m_prevWithRoom = nullptr;
    chunk->m_nextWithRoom = pool.m_withRoom;
    if (pool.m_withRoom != nullptr) {
        pool.m_withRoom->m_prevWithRoom = chunk;
    }
    pool.m_withRoom = chunk;
    chunk->m_hasRoomListed = true;
}

void UnlistWithRoom(SPool& pool, SChunk* chunk) {
    if (chunk->m_prevWithRoom != nullptr) {
        chunk->m_prevWithRoom->m_nextWithRoom = chunk->m_nextWithRoom;
    } else {
        pool.m_withRoom = chunk->m_nextWithRoom;
    }
    if (chunk->m_nextWithRoom != nullptr) {
        chunk->m_nextWithRoom->m_prevWithRoom = chunk->m_prevWithRoom;
    }
    chunk->m_prevWithRoom = chunk->m_nextWithRoom = nullptr;
    chunk->m_hasRoomListed = false;
}

bool AddressBelow(const SChunk* a, const SChunk* b) {
    return std::less<const SChunk*>()(a, b);
}

SChunk* NewChunk(SPool& pool) {
    // Room in the index first, so that nothing is left half done when memory runs out.
    pool.m_chunks.reserve(pool.m_chunks.size() + 1);
    SChunk* chunk = new (::operator new(kChunkBytes)) SChunk();
    pool.m_chunks.insert(
        std::upper_bound(pool.m_chunks.begin(), pool.m_chunks.end(), chunk, AddressBelow), chunk);
    ListWithRoom(pool, chunk);
    return chunk;
}

void ReleaseChunk(SPool& pool, SChunk* chunk) {
    UnlistWithRoom(pool, chunk);
    pool.m_chunks.erase(
        std::lower_bound(pool.m_chunks.begin(), pool.m_chunks.end(), chunk, AddressBelow));
    chunk->~SChunk();
    ::operator delete(chunk);
}

} // namespace

void* CTallymarkPool::Allocate() {
    SPool& pool = Pool();
    SChunk* chunk = pool.m_withRoom != nullptr ? pool.m_withRoom : NewChunk(pool);
    void* slot;
    if (chunk->m_freeList != nullptr) {
        slot = chunk->m_freeList;
        chunk->m_freeList = *static_cast<void**>(slot);
    } else {
        slot = chunk->GetSlots() + kSlotSize * chunk->m_fresh++;
    }
    ++chunk->m_live;
    if (chunk == pool.m_empty) {
        pool.m_empty = nullptr;
    }
    if (chunk->IsFull()) {
        UnlistWithRoom(pool, chunk);
    }
    return slot;
}

void CTallymarkPool::Free(void* slot) noexcept {
    if (slot == nullptr) {
        return;
    }
    SPool& pool = Pool();
    const auto after = std::upper_bound(pool.m_chunks.begin(), pool.m_chunks.end(),
                                        static_cast<SChunk*>(slot), AddressBelow);
    SChunk* chunk = *(after - 1);
    *static_cast<void**>(slot) = chunk->m_freeList;
    chunk->m_freeList = slot;
    --chunk->m_live;
    if (!chunk->m_hasRoomListed) {
        ListWithRoom(pool, chunk);
    }
    if (chunk->m_live == 0) {
        // Handed out from the start again, so that tally marks made one after another lie
        // in the order they were made, as those of a load are saved.
        chunk->m_freeList = nullptr;
        chunk->m_fresh = 0;
        if (pool.m_empty != nullptr) {
            ReleaseChunk(pool, pool.m_empty);
        }
        pool.m_empty = chunk;
    }
}

std::size_t CTallymarkPool::GetNumChunks() {
    return Pool().m_chunks.size();
}
