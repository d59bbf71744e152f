#pragma once

#include <cstddef>
#include <new>
#include <vector>

// The storage of the nodes of one node-based container (the totals a statistics object
// caches): nodes of one size carved from chunks that grow from 16 to 256 nodes, a freed node
// kept for the next one, and every chunk given back at once by Release. A container of
// hundreds of nodes then costs a few heap calls to fill and to empty instead of one each.
//
// Usage notes:
// - Hand the container a CAllocator of the arena; the arena must outlive the container.
// - Call Release only when the container holds no node (after clearing it).
// - A request for another size or for several objects at once goes to the heap.
// - Single-threaded.
class CNodeArena {
public:
    template <class T> class CAllocator {
    public:
        using value_type = T;

        explicit CAllocator(CNodeArena* arena) noexcept : m_arena(arena) {}
        template <class U>
        CAllocator(const CAllocator<U>& other) noexcept : m_arena(other.GetArena()) {}

        T* allocate(std::size_t count) {
            return static_cast<T*>(count == 1 ? m_arena->Allocate(sizeof(T))
                                              : ::operator new(count * sizeof(T)));
        }
        void deallocate(T* pointer, std::size_t count) noexcept {
            if (count == 1) {
                m_arena->Free(pointer, sizeof(T));
            } else {
                ::operator delete(pointer);
            }
        }
        CNodeArena* GetArena() const noexcept { return m_arena; }

        template <class U> bool operator==(const CAllocator<U>& other) const noexcept {
            return m_arena == other.GetArena();
        }
        template <class U> bool operator!=(const CAllocator<U>& other) const noexcept {
            return m_arena != other.GetArena();
        }

    private:
        CNodeArena* m_arena;
    };

    CNodeArena() = default;
    CNodeArena(const CNodeArena&) = delete;
    CNodeArena& operator=(const CNodeArena&) = delete;
    ~CNodeArena() { Release(); }

    // size bytes, from a chunk when size is the arena's node size (the size of its first
    // request). Throws std::bad_alloc.
    void* Allocate(std::size_t size);
    void Free(void* node, std::size_t size) noexcept;
    // Gives every chunk back to the heap.
    void Release() noexcept;

private:
    static constexpr std::size_t kFirstChunkNodes = 16;
    static constexpr std::size_t kMaxChunkNodes = 256;

    std::vector<void*> m_chunks;
    // Freed nodes, linked through their first word.
    void* m_freeList = nullptr;
    // The part of the newest chunk not handed out yet.
    char* m_next = nullptr;
    std::size_t m_left = 0;
    std::size_t m_nodeSize = 0;
    std::size_t m_chunkNodes = kFirstChunkNodes;
};
