#pragma once

// A width and height in pixels (or dialog units where a caller says so).

#include <cstdint>

struct SSize {
    int32_t width = 0;
    int32_t height = 0;
};

inline bool operator==(const SSize& a, const SSize& b) {
    return a.width == b.width && a.height == b.height;
}

inline bool operator!=(const SSize& a, const SSize& b) {
    return !(a == b);
}
