#include "library/events/CPeerSet.h"

#include <algorithm>
#include <iterator>
#include <new>

CPeerSet::CPeerSet() noexcept : m_size(0), m_capacity(kInlineCapacity), m_inline{} {}

CPeerSet::~CPeerSet() {
    Release();
}

CConnector* const* CPeerSet::ArrayData() const noexcept {
    return m_capacity == kInlineCapacity ? m_inline : m_array;
}

CConnector** CPeerSet::ArrayData() noexcept {
    return m_capacity == kInlineCapacity ? m_inline : m_array;
}

void CPeerSet::Insert(CConnector* peer) {
    if (!IsTree() && m_size == m_capacity) {
        Grow();
    }
    if (IsTree()) {
        m_tree->insert(peer);
        ++m_size;
        return;
    }
    CConnector** data = ArrayData();
    CConnector** end = data + m_size;
    CConnector** pos = std::upper_bound(data, end, peer, std::less<>());
    std::move_backward(pos, end, end + 1);
    *pos = peer;
    ++m_size;
}

// Makes room for one more entry: a larger array, or the tree once arrays get too long.
// Nothing changes when an allocation throws.
void CPeerSet::Grow() {
    const std::uint32_t capacity =
        m_capacity == kInlineCapacity ? kFirstArrayCapacity : m_capacity * 2;
    CConnector** old = ArrayData();
    const bool oldOnHeap = m_capacity != kInlineCapacity;
    if (capacity > kMaxArrayCapacity) {
        CTree* tree = new CTree(old, old + m_size);
        if (oldOnHeap) {
            delete[] old;
        }
        m_tree = tree;
        m_capacity = kTreeMode;
        return;
    }
    CConnector** array = new CConnector*[capacity];
    std::copy(old, old + m_size, array);
    if (oldOnHeap) {
        delete[] old;
    }
    m_array = array;
    m_capacity = capacity;
}

std::size_t CPeerSet::Erase(const CConnector* peer) noexcept {
    if (IsTree()) {
        const auto range = m_tree->equal_range(peer);
        const auto erased = static_cast<std::uint32_t>(std::distance(range.first, range.second));
        if (erased == m_size) {
            Clear();
            return erased;
        }
        m_tree->erase(range.first, range.second);
        m_size -= erased;
        if (m_size <= kTreeToArraySize) {
            ShrinkTree();
        }
        return erased;
    }
    CConnector** data = ArrayData();
    CConnector** end = data + m_size;
    const auto range = std::equal_range(data, end, peer, std::less<>());
    const auto erased = static_cast<std::uint32_t>(range.second - range.first);
    if (erased == 0) {
        return 0;
    }
    std::copy(range.second, end, range.first);
    m_size -= erased;
    if (m_capacity != kInlineCapacity && m_size <= kInlineCapacity) {
        MoveToInline(data);
        delete[] data;
    }
    return erased;
}

// Copies the first m_size entries of source (which must not be m_inline) into the object.
void CPeerSet::MoveToInline(CConnector* const* source) noexcept {
    std::copy(source, source + m_size, m_inline);
    m_capacity = kInlineCapacity;
}

// Leaves the tree for inline storage or an array. When the array cannot be had the tree
// stays: erasing never fails.
void CPeerSet::ShrinkTree() noexcept {
    CTree* tree = m_tree;
    if (m_size <= kInlineCapacity) {
        std::copy(tree->begin(), tree->end(), m_inline);
        m_capacity = kInlineCapacity;
        delete tree;
        return;
    }
    constexpr std::uint32_t capacity = 2 * kTreeToArraySize;
    CConnector** array = new (std::nothrow) CConnector*[capacity];
    if (array == nullptr) {
        return;
    }
    std::copy(tree->begin(), tree->end(), array);
    m_array = array;
    m_capacity = capacity;
    delete tree;
}

void CPeerSet::Release() noexcept {
    if (IsTree()) {
        delete m_tree;
    } else if (m_capacity != kInlineCapacity) {
        delete[] m_array;
    }
    m_capacity = kInlineCapacity;
}

void CPeerSet::Clear() noexcept {
    Release();
    m_size = 0;
}

std::size_t CPeerSet::Count(const CConnector* peer) const noexcept {
    if (IsTree()) {
        return m_tree->count(peer);
    }
    CConnector* const* data = ArrayData();
    const auto range = std::equal_range(data, data + m_size, peer, std::less<>());
    return static_cast<std::size_t>(range.second - range.first);
}

CConnector* CPeerSet::GetFirst() const noexcept {
    if (m_size == 0) {
        return nullptr;
    }
    return IsTree() ? *m_tree->begin() : ArrayData()[0];
}

CConnector* CPeerSet::GetAbove(const CConnector* peer) const noexcept {
    if (IsTree()) {
        const auto it = m_tree->upper_bound(peer);
        return it == m_tree->end() ? nullptr : *it;
    }
    CConnector* const* data = ArrayData();
    CConnector* const* end = data + m_size;
    CConnector* const* it = std::upper_bound(data, end, peer, std::less<>());
    return it == end ? nullptr : *it;
}
