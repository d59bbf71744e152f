#pragma once

#include <cstddef>
#include <cstdint>

#include "library/events/CPeerTree.h"

class CConnector;

// The links of one connector: an ordered multiset of peer pointers, ascending by address,
// where a new entry equal to existing ones goes after them.
//
// Usage notes:
// - Most connectors have one or two peers (a tally mark's signal is heard by its collection
//   and the date index), a few (a listener that hears every tally mark) have hundreds of
//   thousands. Up to two entries live inside the object, which is two pointers large; more
//   go to a B+-tree (CPeerTree) of about 9 to 10 bytes per entry on x64. Inserting and erasing
//   are logarithmic and a set of one or two entries costs no allocation at all.
// - Walk in address order with GetFirst() and GetAbove(); the walk looks the position up
//   again at every step, so it stays valid while entries come and go, and the pointer given
//   to GetAbove() may already be gone from the set (only its address is compared). Equal
//   entries are visited once.
// - Insert() is the only operation that allocates; everything else is noexcept.
class CPeerSet {
public:
    CPeerSet() noexcept : m_first(0), m_second(0) {}
    ~CPeerSet();
    CPeerSet(const CPeerSet&) = delete;
    CPeerSet& operator=(const CPeerSet&) = delete;

    // Adds one entry after any equal ones. Throws std::bad_alloc and leaves the set as it
    // was when memory runs out.
    void Insert(CConnector* peer);
    // Removes every entry equal to peer and returns how many went (0 when there was none).
    std::size_t Erase(const CConnector* peer) noexcept;
    void Clear() noexcept;

    std::size_t GetSize() const noexcept {
        return IsTree() ? static_cast<std::size_t>(m_second >> 1)
                        : static_cast<std::size_t>(m_first != 0) + (m_second != 0);
    }
    std::size_t Count(const CConnector* peer) const noexcept;
    // Copies the entries in order, equal ones included, to out (at most max of them) and
    // returns how many it copied: one sweep, where a walk with GetAbove looks each up.
    std::size_t CopyAll(CConnector** out, std::size_t max) const noexcept;
    // The entry with the lowest address; null when the set is empty.
    CConnector* GetFirst() const noexcept;
    // The lowest entry whose address is above peer's; null when there is none.
    CConnector* GetAbove(const CConnector* peer) const noexcept;

private:
    static constexpr std::size_t kInlineCapacity = 2;
    static constexpr std::uintptr_t kTreeTag = 1;

    bool IsTree() const noexcept { return (m_second & kTreeTag) != 0; }
    CPeerTree GetTree() const noexcept;
    void SetTree(const CPeerTree& tree, std::size_t size) noexcept;
    void SetInline(CConnector* first, CConnector* second) noexcept;

    // In place (m_second even): the entries in ascending order, 0 for none; m_second is only
    // set when m_first is. In the tree (m_second odd): m_first is the root node and m_second
    // the size shifted left by one, plus kTreeTag. Peers are at least pointer-aligned, so an
    // entry never has the tag bit.
    std::uintptr_t m_first;
    std::uintptr_t m_second;
};
