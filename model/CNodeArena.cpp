#include "model/CNodeArena.h"

#include <algorithm>

void* CNodeArena::Allocate(std::size_t size) {
    if (m_nodeSize == 0) {
        // Room for the link of a freed node, at the alignment of any object.
        const std::size_t align = alignof(std::max_align_t);
        m_nodeSize = (std::max(size, sizeof(void*)) + align - 1) / align * align;
    }
    if (size > m_nodeSize) {
        return ::operator new(size);
    }
    if (m_freeList != nullptr) {
        void* node = m_freeList;
        m_freeList = *static_cast<void**>(node);
        return node;
    }
    if (m_left == 0) {
        m_chunks.reserve(m_chunks.size() + 1);
        m_next = static_cast<char*>(::operator new(m_chunkNodes* m_nodeSize));
        m_chunks.push_back(m_next);
        m_left = m_chunkNodes;
        if (m_chunkNodes < kMaxChunkNodes) {
            m_chunkNodes *= 2;
        }
    }
    void* node = m_next;
    m_next += m_nodeSize;
    --m_left;
    return node;
}

void CNodeArena::Free(void* node, std::size_t size) noexcept {
    if (node == nullptr) {
        return;
    }
    if (size > m_nodeSize) {
        ::operator delete(node);
        return;
    }
    *static_cast<void**>(node) = m_freeList;
    m_freeList = node;
}

void CNodeArena::Release() noexcept {
    for (void* chunk : m_chunks) {
        ::operator delete(chunk);
    }
    m_chunks.clear();
    m_chunks.shrink_to_fit();
    m_freeList = nullptr;
    m_next = nullptr;
    m_left = 0;
    m_chunkNodes = kFirstChunkNodes;
}
