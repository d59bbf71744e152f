#include "library/events/CPeerTree.h"

#include <algorithm>
#include <cstdint>
#include <functional>
#include <new>

// The header of every node. A leaf is followed by m_capacity entry slots; an internal node
// (m_capacity 0) is an SInner.
struct CPeerTree::SNode {
    // Entries of a leaf, children of an internal node.
    std::uint16_t m_count;
    std::uint16_t m_capacity;
};

namespace {

using SNode = CPeerTree::SNode;

constexpr unsigned kLeafCapacity = 64;
constexpr unsigned kFirstLeafCapacity = 4;
constexpr unsigned kInnerCapacity = 64;
// Below these a node other than the root is merged with a neighbour or refilled from it.
constexpr unsigned kMinLeaf = kLeafCapacity / 4;
constexpr unsigned kMinInner = kInnerCapacity / 4;
// Internal nodes below the root have at least kMinInner children, so a tree of this depth
// would hold more entries than any address space.
constexpr unsigned kMaxDepth = 16;

// Child i holds entries from m_keys[i - 1] to m_keys[i] (both included: equal entries may
// lie on both sides of a separator). A separator need not be an entry.
struct SInner : SNode {
    CConnector* m_keys[kInnerCapacity - 1];
    SNode* m_children[kInnerCapacity];
};

struct SStep {
    SInner* m_node;
    unsigned m_child;
};

// The internal nodes from the root down to a leaf, with the child taken at each.
struct SPath {
    SStep m_steps[kMaxDepth];
    unsigned m_depth = 0;
};

constexpr std::size_t kLeafHeader =
    (sizeof(SNode) + alignof(CConnector*) - 1) / alignof(CConnector*) * alignof(CConnector*);

bool Less(const CConnector* a, const CConnector* b) {
    return std::less<const CConnector*>()(a, b);
}

unsigned LowerBound(CConnector* const* values, unsigned count, const CConnector* peer) {
    return static_cast<unsigned>(std::lower_bound(values, values + count, peer, Less) - values);
}

unsigned UpperBound(CConnector* const* values, unsigned count, const CConnector* peer) {
    return static_cast<unsigned>(std::upper_bound(values, values + count, peer, Less) - values);
}

bool IsLeaf(const SNode* node) {
    return node->m_capacity != 0;
}

SInner* AsInner(SNode* node) {
    return static_cast<SInner*>(node);
}

const SInner* AsInner(const SNode* node) {
    return static_cast<const SInner*>(node);
}

CConnector** Entries(SNode* leaf) {
    return reinterpret_cast<CConnector**>(reinterpret_cast<char*>(leaf) + kLeafHeader);
}

CConnector* const* Entries(const SNode* leaf) {
    return reinterpret_cast<CConnector* const*>(reinterpret_cast<const char*>(leaf) + kLeafHeader);
}

std::size_t LeafBytes(unsigned capacity) {
    return kLeafHeader + capacity * sizeof(CConnector*);
}

SNode* NewLeaf(unsigned capacity) {
    SNode* leaf = new (::operator new(LeafBytes(capacity))) SNode;
    leaf->m_count = 0;
    leaf->m_capacity = static_cast<std::uint16_t>(capacity);
    return leaf;
}

SInner* NewInner() {
    SInner* inner = new (::operator new(sizeof(SInner))) SInner;
    inner->m_count = 0;
    inner->m_capacity = 0;
    return inner;
}

void FreeNode(SNode* node) noexcept {
    ::operator delete(node);
}

void SetCount(SNode* node, unsigned count) {
    node->m_count = static_cast<std::uint16_t>(count);
}

// Puts peer into a sorted run of count values (with room for one more) after equal ones.
void InsertSorted(CConnector** values, unsigned count, CConnector* peer) {
    const unsigned position = UpperBound(values, count, peer);
    std::copy_backward(values + position, values + count, values + count + 1);
    values[position] = peer;
}

void LeafInsert(SNode* leaf, CConnector* peer) {
    InsertSorted(Entries(leaf), leaf->m_count, peer);
    ++leaf->m_count;
}

// Copies the leaves a and b, in that order, to buffer and returns the number of entries.
unsigned GatherLeaves(const SNode* a, const SNode* b, CConnector** buffer) {
    CConnector** end = std::copy(Entries(a), Entries(a) + a->m_count, buffer);
    end = std::copy(Entries(b), Entries(b) + b->m_count, end);
    return static_cast<unsigned>(end - buffer);
}

// Deals count sorted entries out to the neighbouring leaves a and b (a takes the larger
// half) and returns the separator for between them.
CConnector* ScatterLeaves(CConnector* const* buffer, unsigned count, SNode* a, SNode* b) {
    const unsigned left = count - count / 2;
    std::copy(buffer, buffer + left, Entries(a));
    SetCount(a, left);
    std::copy(buffer + left, buffer + count, Entries(b));
    SetCount(b, count - left);
    return Entries(b)[0];
}

// The same for internal nodes: count children with count - 1 separators between them.
CConnector* ScatterInners(CConnector* const* keys, SNode* const* children, unsigned count,
                          SInner* a, SInner* b) {
    const unsigned left = count - count / 2;
    std::copy(children, children + left, a->m_children);
    std::copy(keys, keys + left - 1, a->m_keys);
    SetCount(a, left);
    std::copy(children + left, children + count, b->m_children);
    std::copy(keys + left, keys + count - 1, b->m_keys);
    SetCount(b, count - left);
    return keys[left - 1];
}

// Adds child (with key as its lower separator) at position of an internal node with room.
void InnerInsert(SInner* inner, unsigned position, CConnector* key, SNode* child) {
    const unsigned count = inner->m_count;
    std::copy_backward(inner->m_children + position, inner->m_children + count,
                       inner->m_children + count + 1);
    inner->m_children[position] = child;
    std::copy_backward(inner->m_keys + position - 1, inner->m_keys + count - 1,
                       inner->m_keys + count);
    inner->m_keys[position - 1] = key;
    SetCount(inner, count + 1);
}

// Removes child position (not the first) and its lower separator.
void InnerRemove(SInner* inner, unsigned position) {
    const unsigned count = inner->m_count;
    std::copy(inner->m_children + position + 1, inner->m_children + count,
              inner->m_children + position);
    std::copy(inner->m_keys + position, inner->m_keys + count - 1, inner->m_keys + position - 1);
    SetCount(inner, count - 1);
}

// Inserts peer into the full leaf child of parent by dealing the entries of that leaf and
// of its neighbour i or i + 1 anew; false when neither neighbour has room to spare.
bool ShareWithNeighbour(const SStep& step, CConnector* peer) {
    SInner* parent = step.m_node;
    unsigned first = step.m_child;
    if (first > 0 && parent->m_children[first - 1]->m_count + 2u <= kLeafCapacity) {
        --first;
    } else if (first + 1 >= parent->m_count ||
               parent->m_children[first + 1]->m_count + 2u > kLeafCapacity) {
        return false;
    }
    SNode* a = parent->m_children[first];
    SNode* b = parent->m_children[first + 1];
    CConnector* buffer[2 * kLeafCapacity];
    const unsigned count = GatherLeaves(a, b, buffer);
    InsertSorted(buffer, count, peer);
    parent->m_keys[first] = ScatterLeaves(buffer, count + 1, a, b);
    return true;
}

// Brings the child first or first + 1 of parent, which ran below its minimum, back to it:
// merges the two children when one node holds them, else deals their content anew.
void JoinChildren(SInner* parent, unsigned first) {
    SNode* a = parent->m_children[first];
    SNode* b = parent->m_children[first + 1];
    if (IsLeaf(a)) {
        if (a->m_count + b->m_count <= kLeafCapacity) {
            std::copy(Entries(b), Entries(b) + b->m_count, Entries(a) + a->m_count);
            SetCount(a, a->m_count + b->m_count);
            InnerRemove(parent, first + 1);
            FreeNode(b);
            return;
        }
        CConnector* buffer[2 * kLeafCapacity];
        const unsigned count = GatherLeaves(a, b, buffer);
        parent->m_keys[first] = ScatterLeaves(buffer, count, a, b);
        return;
    }
    SInner* left = AsInner(a);
    SInner* right = AsInner(b);
    CConnector* keys[2 * kInnerCapacity];
    SNode* children[2 * kInnerCapacity];
    CConnector** keyEnd = std::copy(left->m_keys, left->m_keys + left->m_count - 1, keys);
    *keyEnd++ = parent->m_keys[first];
    keyEnd = std::copy(right->m_keys, right->m_keys + right->m_count - 1, keyEnd);
    SNode** childEnd = std::copy(left->m_children, left->m_children + left->m_count, children);
    childEnd = std::copy(right->m_children, right->m_children + right->m_count, childEnd);
    const auto count = static_cast<unsigned>(childEnd - children);
    if (count <= kInnerCapacity) {
        std::copy(keys, keyEnd, left->m_keys);
        std::copy(children, children + count, left->m_children);
        SetCount(left, count);
        InnerRemove(parent, first + 1);
        FreeNode(right);
        return;
    }
    parent->m_keys[first] = ScatterInners(keys, children, count, left, right);
}

// The leftmost leaf that holds an entry equal to peer, with the path to it; null when there
// is none.
// Equal entries may lie on both sides of a separator equal to them, so every child whose
// range includes peer is searched.
SNode* FindLeaf(SNode* node, const CConnector* peer, SPath& path) {
    if (IsLeaf(node)) {
        return std::binary_search(Entries(node), Entries(node) + node->m_count, peer, Less)
                   ? node
                   : nullptr;
    }
    SInner* inner = AsInner(node);
    const unsigned keys = inner->m_count - 1u;
    const unsigned last = UpperBound(inner->m_keys, keys, peer);
    for (unsigned child = LowerBound(inner->m_keys, keys, peer); child <= last; ++child) {
        path.m_steps[path.m_depth++] = SStep{inner, child};
        if (SNode* leaf = FindLeaf(inner->m_children[child], peer, path)) {
            return leaf;
        }
        --path.m_depth;
    }
    return nullptr;
}

// Whether the separator above the leaf at the end of path equals peer: only then may a leaf
// further right hold entries equal to peer as well.
bool SeparatorAboveEquals(const SPath& path, const CConnector* peer) {
    for (unsigned level = path.m_depth; level > 0; --level) {
        const SStep& step = path.m_steps[level - 1];
        if (step.m_child + 1u < step.m_node->m_count) {
            return !Less(peer, step.m_node->m_keys[step.m_child]);
        }
    }
    return false;
}

std::size_t CountIn(const SNode* node, const CConnector* peer) {
    if (IsLeaf(node)) {
        const CConnector* const* entries = Entries(node);
        const auto range = std::equal_range(entries, entries + node->m_count, peer, Less);
        return static_cast<std::size_t>(range.second - range.first);
    }
    const SInner* inner = AsInner(node);
    const unsigned keys = inner->m_count - 1u;
    const unsigned last = UpperBound(inner->m_keys, keys, peer);
    std::size_t count = 0;
    for (unsigned child = LowerBound(inner->m_keys, keys, peer); child <= last; ++child) {
        count += CountIn(inner->m_children[child], peer);
    }
    return count;
}

CConnector* FirstIn(const SNode* node) {
    while (!IsLeaf(node)) {
        node = AsInner(node)->m_children[0];
    }
    return Entries(node)[0];
}

void CopyFrom(const SNode* node, CConnector** out, std::size_t max, std::size_t& copied) {
    if (IsLeaf(node)) {
        const std::size_t count = std::min<std::size_t>(node->m_count, max - copied);
        std::copy(Entries(node), Entries(node) + count, out + copied);
        copied += count;
        return;
    }
    const SInner* inner = AsInner(node);
    for (unsigned child = 0; child < inner->m_count && copied < max; ++child) {
        CopyFrom(inner->m_children[child], out, max, copied);
    }
}

void DestroyFrom(SNode* node) noexcept {
    if (!IsLeaf(node)) {
        SInner* inner = AsInner(node);
        for (unsigned child = 0; child < inner->m_count; ++child) {
            DestroyFrom(inner->m_children[child]);
        }
    }
    FreeNode(node);
}

std::size_t BytesFrom(const SNode* node) {
    if (IsLeaf(node)) {
        return LeafBytes(node->m_capacity);
    }
    const SInner* inner = AsInner(node);
    std::size_t bytes = sizeof(SInner);
    for (unsigned child = 0; child < inner->m_count; ++child) {
        bytes += BytesFrom(inner->m_children[child]);
    }
    return bytes;
}

struct SShape {
    std::size_t m_entries = 0;
    unsigned m_leafDepth = 0;
    bool m_ok = true;
};

// Whether value lies between the separators around a node (null where there is none).
bool Within(const CConnector* value, CConnector* const* low, CConnector* const* high) {
    return (low == nullptr || !Less(value, *low)) && (high == nullptr || !Less(*high, value));
}

bool InOrder(CConnector* const* values, unsigned count, CConnector* const* low,
             CConnector* const* high) {
    return std::is_sorted(values, values + count, Less) &&
           (count == 0 || (Within(values[0], low, high) && Within(values[count - 1], low, high)));
}

void CheckFrom(const SNode* node, unsigned depth, CConnector* const* low, CConnector* const* high,
               SShape& shape) {
    const bool root = depth == 0;
    const unsigned count = node->m_count;
    if (IsLeaf(node)) {
        const unsigned capacity = node->m_capacity;
        const bool capacityOk = root
                                    ? capacity >= kFirstLeafCapacity && capacity <= kLeafCapacity &&
                                          (capacity & (capacity - 1)) == 0
                                    : capacity == kLeafCapacity;
        if (shape.m_entries == 0) {
            shape.m_leafDepth = depth;
        }
        shape.m_ok = shape.m_ok && capacityOk && count >= (root ? 1 : kMinLeaf) &&
                     count <= capacity && depth == shape.m_leafDepth &&
                     InOrder(Entries(node), count, low, high);
        shape.m_entries += count;
        return;
    }
    const SInner* inner = AsInner(node);
    if (count < (root ? 2 : kMinInner) || count > kInnerCapacity || depth + 1 >= kMaxDepth ||
        !InOrder(inner->m_keys, count - 1, low, high)) {
        shape.m_ok = false;
        return;
    }
    for (unsigned child = 0; child < count && shape.m_ok; ++child) {
        CheckFrom(inner->m_children[child], depth + 1, child == 0 ? low : &inner->m_keys[child - 1],
                  child + 1 == count ? high : &inner->m_keys[child], shape);
    }
}

} // namespace

CPeerTree CPeerTree::Create(CConnector* const* sorted, std::size_t count) {
    unsigned capacity = kFirstLeafCapacity;
    while (capacity < count) {
        capacity *= 2;
    }
    SNode* leaf = NewLeaf(capacity);
    std::copy(sorted, sorted + count, Entries(leaf));
    SetCount(leaf, static_cast<unsigned>(count));
    return CPeerTree(leaf);
}

void CPeerTree::Destroy() noexcept {
    if (m_root != nullptr) {
        DestroyFrom(m_root);
        m_root = nullptr;
    }
}

void CPeerTree::Insert(CConnector* peer) {
    SPath path;
    SNode* leaf = m_root;
    while (!IsLeaf(leaf)) {
        SInner* inner = AsInner(leaf);
        const unsigned child = UpperBound(inner->m_keys, inner->m_count - 1u, peer);
        path.m_steps[path.m_depth++] = SStep{inner, child};
        leaf = inner->m_children[child];
    }
    if (leaf->m_count < leaf->m_capacity) {
        LeafInsert(leaf, peer);
        return;
    }
    if (path.m_depth == 0 && leaf->m_capacity < kLeafCapacity) {
        SNode* larger = NewLeaf(2u * leaf->m_capacity);
        std::copy(Entries(leaf), Entries(leaf) + leaf->m_count, Entries(larger));
        SetCount(larger, leaf->m_count);
        FreeNode(leaf);
        m_root = larger;
        LeafInsert(larger, peer);
        return;
    }
    if (path.m_depth > 0 && ShareWithNeighbour(path.m_steps[path.m_depth - 1], peer)) {
        return;
    }

    // The leaf splits. The split climbs through every full internal node above it, and
    // through the root into a new root when all of them are full.
    unsigned level = path.m_depth;
    while (level > 0 && path.m_steps[level - 1].m_node->m_count == kInnerCapacity) {
        --level;
    }
    const unsigned innersNeeded = path.m_depth - level + (level == 0 ? 1u : 0u);
    SNode* right = NewLeaf(kLeafCapacity);
    SInner* spares[kMaxDepth + 1];
    unsigned numSpares = 0;
    try {
        while (numSpares < innersNeeded) {
            spares[numSpares] = NewInner();
            ++numSpares;
        }
    } catch (...) {
        while (numSpares > 0) {
            FreeNode(spares[--numSpares]);
        }
        FreeNode(right);
        throw;
    }

    CConnector* buffer[kLeafCapacity + 1];
    const unsigned count = GatherLeaves(leaf, right, buffer);
    InsertSorted(buffer, count, peer);
    CConnector* key = ScatterLeaves(buffer, count + 1, leaf, right);
    SNode* child = right;
    for (level = path.m_depth; level > 0; --level) {
        const SStep& step = path.m_steps[level - 1];
        if (step.m_node->m_count < kInnerCapacity) {
            InnerInsert(step.m_node, step.m_child + 1, key, child);
            return;
        }
        CConnector* keys[kInnerCapacity];
        SNode* children[kInnerCapacity + 1];
        std::copy(step.m_node->m_keys, step.m_node->m_keys + kInnerCapacity - 1, keys);
        std::copy(step.m_node->m_children, step.m_node->m_children + kInnerCapacity, children);
        std::copy_backward(children + step.m_child + 1, children + kInnerCapacity,
                           children + kInnerCapacity + 1);
        children[step.m_child + 1] = child;
        std::copy_backward(keys + step.m_child, keys + kInnerCapacity - 1, keys + kInnerCapacity);
        keys[step.m_child] = key;
        SInner* sibling = spares[--numSpares];
        key = ScatterInners(keys, children, kInnerCapacity + 1, step.m_node, sibling);
        child = sibling;
    }
    SInner* root = spares[--numSpares];
    root->m_children[0] = m_root;
    root->m_children[1] = child;
    root->m_keys[0] = key;
    SetCount(root, 2);
    m_root = root;
}

std::size_t CPeerTree::Erase(const CConnector* peer) noexcept {
    std::size_t erased = 0;
    bool more = true;
    while (more && m_root != nullptr) {
        SPath path;
        SNode* node = FindLeaf(m_root, peer, path);
        if (node == nullptr) {
            break;
        }
        CConnector** entries = Entries(node);
        const unsigned count = node->m_count;
        const unsigned low = LowerBound(entries, count, peer);
        const unsigned high = UpperBound(entries, count, peer);
        std::copy(entries + high, entries + count, entries + low);
        SetCount(node, count - (high - low));
        erased += high - low;
        // The leaf is the leftmost that holds peer.
        more = high == count && SeparatorAboveEquals(path, peer);

        while (path.m_depth > 0) {
            const unsigned minimum = IsLeaf(node) ? kMinLeaf : kMinInner;
            if (node->m_count >= minimum) {
                break;
            }
            const SStep& step = path.m_steps[--path.m_depth];
            JoinChildren(step.m_node, step.m_child > 0 ? step.m_child - 1 : step.m_child);
            node = step.m_node;
        }
        if (path.m_depth == 0) {
            ShrinkRoot();
        }
    }
    return erased;
}

// Drops a root with a single child and an empty root leaf, and halves a root leaf that is
// three quarters empty when the heap has room for the smaller copy.
void CPeerTree::ShrinkRoot() noexcept {
    while (!IsLeaf(m_root) && m_root->m_count == 1) {
        SNode* child = AsInner(m_root)->m_children[0];
        FreeNode(m_root);
        m_root = child;
    }
    if (!IsLeaf(m_root)) {
        return;
    }
    if (m_root->m_count == 0) {
        FreeNode(m_root);
        m_root = nullptr;
        return;
    }
    const unsigned capacity = m_root->m_capacity;
    if (capacity <= kFirstLeafCapacity || m_root->m_count > capacity / 4) {
        return;
    }
    void* raw = ::operator new(LeafBytes(capacity / 2), std::nothrow);
    if (raw == nullptr) {
        return;
    }
    SNode* smaller = new (raw) SNode;
    smaller->m_capacity = static_cast<std::uint16_t>(capacity / 2);
    smaller->m_count = m_root->m_count;
    std::copy(Entries(m_root), Entries(m_root) + m_root->m_count, Entries(smaller));
    FreeNode(m_root);
    m_root = smaller;
}

std::size_t CPeerTree::Count(const CConnector* peer) const noexcept {
    return CountIn(m_root, peer);
}

CConnector* CPeerTree::GetFirst() const noexcept {
    return FirstIn(m_root);
}

CConnector* CPeerTree::GetAbove(const CConnector* peer) const noexcept {
    // The subtree right of the deepest turn left: its first entry is the answer when the
    // leaf holds nothing above peer.
    const SNode* next = nullptr;
    const SNode* node = m_root;
    while (!IsLeaf(node)) {
        const SInner* inner = AsInner(node);
        const unsigned child = UpperBound(inner->m_keys, inner->m_count - 1u, peer);
        if (child + 1u < inner->m_count) {
            next = inner->m_children[child + 1];
        }
        node = inner->m_children[child];
    }
    const unsigned position = UpperBound(Entries(node), node->m_count, peer);
    if (position < node->m_count) {
        return Entries(node)[position];
    }
    return next == nullptr ? nullptr : FirstIn(next);
}

std::size_t CPeerTree::CopyFirst(CConnector** out, std::size_t max) const noexcept {
    std::size_t copied = 0;
    if (m_root != nullptr) {
        CopyFrom(m_root, out, max, copied);
    }
    return copied;
}

std::size_t CPeerTree::GetNumBytes() const noexcept {
    return m_root == nullptr ? 0 : BytesFrom(m_root);
}

bool CPeerTree::CheckShape(std::size_t size) const noexcept {
    if (m_root == nullptr) {
        return size == 0;
    }
    SShape shape;
    CheckFrom(m_root, 0, nullptr, nullptr, shape);
    return shape.m_ok && shape.m_entries == size;
}
