#pragma once

// Replaces the program's operator new and delete so that a benchmark sees every byte and
// block it holds: g_liveBytes and g_liveBlocks count what is allocated and not yet freed.
// Include from exactly one source of a benchmark program (the definitions are not inline).
#include <cstddef>
#include <cstdlib>
#include <new>

namespace bench {
std::size_t g_liveBytes = 0;
std::size_t g_liveBlocks = 0;

// The bytes the heap takes for a block of size bytes: the request rounded up to 16 plus a
// 16-byte header, as the Windows heap does on x64.
constexpr std::size_t HeapFootprint(std::size_t size) {
    return (size + 15) / 16 * 16 + 16;
}
std::size_t g_liveFootprint = 0;
} // namespace bench

// Not inlined: the compiler would otherwise check the header arithmetic against the callers'
// objects and warn.
__attribute__((noinline)) void* operator new(std::size_t size) {
    void* block = std::malloc(size + sizeof(std::max_align_t));
    if (block == nullptr) {
        throw std::bad_alloc();
    }
    *static_cast<std::size_t*>(block) = size;
    bench::g_liveBytes += size;
    bench::g_liveFootprint += bench::HeapFootprint(size);
    ++bench::g_liveBlocks;
    return static_cast<char*>(block) + sizeof(std::max_align_t);
}

__attribute__((noinline)) void operator delete(void* p) noexcept {
    if (p == nullptr) {
        return;
    }
    void* block = static_cast<char*>(p) - sizeof(std::max_align_t);
    const std::size_t size = *static_cast<std::size_t*>(block);
    bench::g_liveBytes -= size;
    bench::g_liveFootprint -= bench::HeapFootprint(size);
    --bench::g_liveBlocks;
    std::free(block);
}

void operator delete(void* p, std::size_t) noexcept {
    operator delete(p);
}
void* operator new[](std::size_t size) {
    return operator new(size);
}
void operator delete[](void* p) noexcept {
    operator delete(p);
}
void operator delete[](void* p, std::size_t) noexcept {
    operator delete(p);
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    try {
        return operator new(size);
    } catch (...) {
        return nullptr;
    }
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
    return operator new(size, std::nothrow);
}
void operator delete(void* p, const std::nothrow_t&) noexcept {
    operator delete(p);
}
void operator delete[](void* p, const std::nothrow_t&) noexcept {
    operator delete(p);
}
