#pragma once

#include <algorithm>
#include <cstddef>
#include <functional>
#include <iterator>
#include <utility>
#include <vector>

// An ordered set of small values kept in sorted blocks of about 4 KB: the memory of a sorted
// array (a fraction above the values themselves, against 40 or more bytes per value for a
// tree node) with insertion and removal that cost a binary search and a move within one
// block, whatever the size of the set.
//
// Usage notes:
// - Less is a strict weak ordering; values that are equivalent under it are one value (a
//   second Insert is refused).
// - Iterators walk in ascending order and stay valid until the set changes. A walk that must
//   survive changes remembers its last value and goes on with UpperBound (or checks its
//   iterator first with Holds).
// - Single-threaded.
template <class T, class Less = std::less<T>> class CSortedBlockSet {
    using CBlock = std::vector<T>;

public:
    class const_iterator {
    public:
        using iterator_category = std::forward_iterator_tag;
        using value_type = T;
        using difference_type = std::ptrdiff_t;
        using pointer = const T*;
        using reference = const T&;

        const_iterator() = default;

        reference operator*() const { return (*m_blocks)[m_block][m_offset]; }
        pointer operator->() const { return &**this; }
        const_iterator& operator++() {
            if (++m_offset == (*m_blocks)[m_block].size()) {
                ++m_block;
                m_offset = 0;
            }
            return *this;
        }
        const_iterator operator++(int) {
            const_iterator old = *this;
            ++*this;
            return old;
        }
        bool operator==(const const_iterator& other) const {
            return m_block == other.m_block && m_offset == other.m_offset;
        }
        bool operator!=(const const_iterator& other) const { return !(*this == other); }

    private:
        friend class CSortedBlockSet;
        const_iterator(const std::vector<CBlock>* blocks, std::size_t block, std::size_t offset)
            : m_blocks(blocks), m_block(block), m_offset(offset) {}

        const std::vector<CBlock>* m_blocks = nullptr;
        std::size_t m_block = 0;
        std::size_t m_offset = 0;
    };

    CSortedBlockSet() = default;

    std::size_t GetSize() const { return m_size; }
    bool IsEmpty() const { return m_size == 0; }

    const_iterator begin() const { return const_iterator(&m_blocks, 0, 0); }
    const_iterator end() const { return const_iterator(&m_blocks, m_blocks.size(), 0); }
    // The smallest and the largest value; the set must not be empty.
    const T& GetFirst() const { return m_blocks.front().front(); }
    const T& GetLast() const { return m_blocks.back().back(); }

    // Adds value; false (and nothing changes) when an equivalent value is present.
    bool Insert(const T& value) {
        if (m_blocks.empty()) {
            m_blocks.emplace_back(1, value);
            m_size = 1;
            return true;
        }
        std::size_t block = std::min(FindBlock(value), m_blocks.size() - 1);
        auto position =
            std::lower_bound(m_blocks[block].begin(), m_blocks[block].end(), value, m_less);
        if (position != m_blocks[block].end() && !m_less(value, *position)) {
            return false;
        }
        if (m_blocks[block].size() >= kBlockSize) {
            Split(block);
            if (m_less(m_blocks[block].back(), value)) {
                ++block;
            }
            position =
                std::lower_bound(m_blocks[block].begin(), m_blocks[block].end(), value, m_less);
        }
        m_blocks[block].insert(position, value);
        ++m_size;
        return true;
    }

    // Removes the value equivalent to value; false when there is none.
    bool Erase(const T& value) {
        const_iterator position = Find(value);
        if (position == end()) {
            return false;
        }
        const std::size_t block = position.m_block;
        m_blocks[block].erase(m_blocks[block].begin() + position.m_offset);
        --m_size;
        if (m_blocks[block].empty()) {
            m_blocks.erase(m_blocks.begin() + block);
        } else if (m_blocks[block].size() < kBlockSize / 4) {
            MergeSmall(block);
        }
        return true;
    }

    bool Contains(const T& value) const { return Find(value) != end(); }

    // The equivalent value's position, or end().
    const_iterator Find(const T& value) const {
        const_iterator position = LowerBound(value);
        return position == end() || m_less(value, *position) ? end() : position;
    }

    // The first value not less than value, or end().
    const_iterator LowerBound(const T& value) const {
        const std::size_t block = FindBlock(value);
        if (block == m_blocks.size()) {
            return end();
        }
        const CBlock& values = m_blocks[block];
        return const_iterator(&m_blocks, block,
                              std::lower_bound(values.begin(), values.end(), value, m_less) -
                                  values.begin());
    }

    // The first value greater than value, or end().
    const_iterator UpperBound(const T& value) const {
        const auto found =
            std::partition_point(m_blocks.begin(), m_blocks.end(), [&](const CBlock& values) {
                return !m_less(value, values.back());
            });
        if (found == m_blocks.end()) {
            return end();
        }
        return const_iterator(&m_blocks, found - m_blocks.begin(),
                              std::upper_bound(found->begin(), found->end(), value, m_less) -
                                  found->begin());
    }

    // Whether position, an iterator of this set that may be outdated, still points at a value
    // equivalent to value.
    bool Holds(const const_iterator& position, const T& value) const {
        if (position.m_blocks != &m_blocks || position.m_block >= m_blocks.size() ||
            position.m_offset >= m_blocks[position.m_block].size()) {
            return false;
        }
        const T& held = *position;
        return !m_less(held, value) && !m_less(value, held);
    }

    // Every value, in order; the set is empty afterwards.
    std::vector<T> TakeAll() {
        std::vector<T> values = ToVector();
        Clear();
        return values;
    }

    std::vector<T> ToVector() const {
        std::vector<T> values;
        values.reserve(m_size);
        for (const CBlock& block : m_blocks) {
            values.insert(values.end(), block.begin(), block.end());
        }
        return values;
    }

    // Replaces the contents by values, which must be in strictly ascending order: a set
    // built at once, without a search per value.
    void Assign(const std::vector<T>& values) {
        Clear();
        m_blocks.reserve((values.size() + kBlockSize - 1) / kBlockSize);
        for (std::size_t first = 0; first < values.size(); first += kBlockSize) {
            const std::size_t last = std::min(values.size(), first + kBlockSize);
            m_blocks.emplace_back(values.begin() + first, values.begin() + last);
        }
        m_size = values.size();
    }

    void Clear() {
        m_blocks.clear();
        m_blocks.shrink_to_fit();
        m_size = 0;
    }

private:
    // A block splits when it is full and merges with a neighbour when it falls below a
    // quarter; about 4 KB of values per block.
    static constexpr std::size_t kBlockSize = sizeof(T) >= 256 ? 16 : 4096 / sizeof(T);

    // The first block whose last value is not less than value; the block count when none.
    std::size_t FindBlock(const T& value) const {
        return std::partition_point(
                   m_blocks.begin(), m_blocks.end(),
                   [&](const CBlock& values) { return m_less(values.back(), value); }) -
               m_blocks.begin();
    }

    // Halves a full block: both halves get an exact capacity so the next insertions grow
    // them one doubling at a time, never to twice the block size.
    void Split(std::size_t block) {
        CBlock& values = m_blocks[block];
        const auto middle = values.begin() + values.size() / 2;
        CBlock upper(middle, values.end());
        CBlock(values.begin(), middle).swap(values);
        m_blocks.insert(m_blocks.begin() + block + 1, std::move(upper));
    }

    // Joins a small block with a neighbour when the two fit well inside one block.
    void MergeSmall(std::size_t block) {
        const std::size_t limit = kBlockSize * 3 / 4;
        if (block + 1 < m_blocks.size() &&
            m_blocks[block].size() + m_blocks[block + 1].size() <= limit) {
            ++block;
        } else if (block == 0 || m_blocks[block - 1].size() + m_blocks[block].size() > limit) {
            return;
        }
        CBlock& into = m_blocks[block - 1];
        into.insert(into.end(), m_blocks[block].begin(), m_blocks[block].end());
        m_blocks.erase(m_blocks.begin() + block);
    }

    std::vector<CBlock> m_blocks;
    std::size_t m_size = 0;
    Less m_less;
};
