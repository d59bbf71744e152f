#pragma once

// CHandle<Traits>: shared owner of one operating-system handle.
//
// Copies share one counted block; the last copy to go closes the handle through
// Traits::Close, unless it holds Traits's none value. A traits class supplies
//   using Type = <raw handle type>;
//   static Type None();
//   static void Close(Type handle);
//
//   CHandle<CGDIHandleTraits> font(CreateFontIndirectA(&lf));
//   SelectObject(dc, font.Get());   // the font is deleted with its last copy
//
// Copies are meant for the user-interface thread only: the count is a plain integer.

#include <cstdint>

template <class Traits> class CHandle {
public:
    using Type = typename Traits::Type;

    CHandle() : m_block(new SBlock{Traits::None(), 1}) {}
    explicit CHandle(Type handle) : m_block(new SBlock{handle, 1}) {}
    CHandle(const CHandle& other) : m_block(other.m_block) { ++m_block->count; }
    virtual ~CHandle() { Release(m_block); }

    CHandle& operator=(const CHandle& other) {
        if (other.m_block != m_block) {
            ++other.m_block->count;
            Release(m_block);
            m_block = other.m_block;
        }
        return *this;
    }

    // Takes ownership of a raw handle. Other copies keep the old handle; as the last
    // owner, the old handle is closed first and the block reused. Assigning the
    // handle this object already owns changes nothing (closing it would leave the
    // object holding a closed handle).
    CHandle& operator=(Type handle) {
        if (handle == m_block->handle) {
            return *this;
        }
        if (m_block->count > 1) {
            --m_block->count;
            m_block = new SBlock{handle, 1};
        } else {
            CloseIfSet(m_block->handle);
            m_block->handle = handle;
        }
        return *this;
    }

    Type Get() const { return m_block->handle; }
    operator Type() const { return m_block->handle; }
    bool IsSet() const { return m_block->handle != Traits::None(); }
    // Number of CHandle objects sharing this handle.
    int32_t GetShareCount() const { return m_block->count; }

private:
    struct SBlock {
        Type handle;
        int32_t count;
    };

    static void CloseIfSet(Type handle) {
        if (handle != Traits::None()) {
            Traits::Close(handle);
        }
    }

    // Kept out of line: inlined into a caller that releases two copies of one block,
    // GCC cannot see the count and reports a use after free that cannot happen.
    [[gnu::noinline]] static void Release(SBlock* block) {
        if (block->count > 1) {
            --block->count;
            return;
        }
        CloseIfSet(block->handle);
        delete block;
    }

    SBlock* m_block;
};
