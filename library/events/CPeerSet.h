#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <set>

class CConnector;

// The links of one connector: an ordered multiset of peer pointers, ascending by address,
// where a new entry equal to existing ones goes after them.
//
// Usage notes:
// - Most connectors have one to three peers, a few (a listener that hears every tally mark)
//   have hundreds of thousands. Up to three entries live inside the object, up to 32 in one
//   sorted heap array, beyond that in a balanced tree; a tree that shrinks to 8 entries goes
//   back to an array. Inserting and erasing are therefore logarithmic (or bounded by the
//   array size) and a small set costs no allocation at all.
// - Walk in address order with GetFirst() and GetAbove(); the walk looks the position up
//   again at every step, so it stays valid while entries come and go, and the pointer given
//   to GetAbove() may already be gone from the set (only its address is compared). Equal
//   entries are visited once.
// - Insert() is the only operation that allocates; everything else is noexcept.
class CPeerSet {
public:
    CPeerSet() noexcept;
    ~CPeerSet();
    CPeerSet(const CPeerSet&) = delete;
    CPeerSet& operator=(const CPeerSet&) = delete;

    // Adds one entry after any equal ones. Throws std::bad_alloc and leaves the set as it
    // was when memory runs out.
    void Insert(CConnector* peer);
    // Removes every entry equal to peer and returns how many went (0 when there was none).
    std::size_t Erase(const CConnector* peer) noexcept;
    void Clear() noexcept;

    std::size_t GetSize() const noexcept { return m_size; }
    std::size_t Count(const CConnector* peer) const noexcept;
    // The entry with the lowest address; null when the set is empty.
    CConnector* GetFirst() const noexcept;
    // The lowest entry whose address is above peer's; null when there is none.
    CConnector* GetAbove(const CConnector* peer) const noexcept;

private:
    using CTree = std::multiset<CConnector*, std::less<>>;

    static constexpr std::uint32_t kInlineCapacity = 3;
    static constexpr std::uint32_t kFirstArrayCapacity = 8;
    static constexpr std::uint32_t kMaxArrayCapacity = 32;
    static constexpr std::uint32_t kTreeToArraySize = 8;
    static constexpr std::uint32_t kTreeMode = 0xFFFFFFFFu;

    bool IsTree() const noexcept { return m_capacity == kTreeMode; }
    CConnector* const* ArrayData() const noexcept;
    CConnector** ArrayData() noexcept;
    void Grow();
    void MoveToInline(CConnector* const* source) noexcept;
    void ShrinkTree() noexcept;
    void Release() noexcept;

    std::uint32_t m_size;
    // kInlineCapacity: entries in m_inline; kTreeMode: entries in *m_tree; otherwise the
    // capacity of the heap array m_array.
    std::uint32_t m_capacity;
    union {
        CConnector* m_inline[kInlineCapacity];
        CConnector** m_array;
        CTree* m_tree;
    };
};
