#pragma once

#include <cstddef>

class CConnector;

// The heap storage of a large CPeerSet: a B+-tree of peer pointers, ascending by address,
// where a new entry equal to existing ones goes after them.
//
// Usage notes:
// - A CPeerTree is a handle: it holds only the root node's address, so that a CPeerSet can
//   keep it in one word. Copying copies the handle, not the tree; the owner frees the nodes
//   with Destroy(). A handle whose tree became empty has a null root.
// - Leaves hold up to 64 pointers and internal nodes up to 64 children. A tree that is only
//   a root leaf grows it by doubling (4 to 64 entries) and halves it when it runs three
//   quarters empty. A full leaf first shares its entries with a neighbour that has room, so
//   a large tree built by insertion takes about 1.1 (ascending or descending order) to 1.25
//   (random order) times the size of its pointers, 9 to 10 bytes per entry on x64. Nodes
//   below a quarter full are merged with a neighbour or refilled from it.
// - Inserting is the only operation that allocates: it takes every node it may need before
//   changing anything, so a std::bad_alloc leaves the tree as it was. Erasing never
//   allocates (a root leaf that cannot be shrunk stays as it is).
// - Walks look each position up again from the root (GetAbove), so they survive entries
//   that come and go in between. Insert, Erase, Count, GetFirst and GetAbove need a
//   non-empty tree.
// - Single-threaded.
class CPeerTree {
public:
    struct SNode;

    CPeerTree() noexcept = default;
    explicit CPeerTree(SNode* root) noexcept : m_root(root) {}

    // A tree of the count entries at sorted (ascending, count at least 1 and at most 64).
    // Throws std::bad_alloc.
    static CPeerTree Create(CConnector* const* sorted, std::size_t count);
    // Frees every node; the root becomes null.
    void Destroy() noexcept;

    SNode* GetRoot() const noexcept { return m_root; }

    // Adds one entry after any equal ones. Throws std::bad_alloc, changing nothing.
    void Insert(CConnector* peer);
    // Removes every entry equal to peer and returns how many went. The root becomes null
    // when no entry is left.
    std::size_t Erase(const CConnector* peer) noexcept;

    std::size_t Count(const CConnector* peer) const noexcept;
    // The entry with the lowest address.
    CConnector* GetFirst() const noexcept;
    // The lowest entry whose address is above peer's; null when there is none.
    CConnector* GetAbove(const CConnector* peer) const noexcept;
    // Copies the lowest entries, equal ones included, to out (at most max of them) and
    // returns how many it copied.
    std::size_t CopyFirst(CConnector** out, std::size_t max) const noexcept;

    // The bytes that the nodes take (as requested from the heap).
    std::size_t GetNumBytes() const noexcept;
    // For tests: true when the tree holds size entries and keeps every rule of its shape
    // (order, separators, fill of every node, one depth for all leaves).
    bool CheckShape(std::size_t size) const noexcept;

private:
    void ShrinkRoot() noexcept;

    SNode* m_root = nullptr;
};
