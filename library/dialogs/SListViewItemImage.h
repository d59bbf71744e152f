#pragma once

// The first cell's picture of a list-view row: its indent (in image widths) and its
// index in the small image list.

#include <cstdint>

struct SListViewItemImage {
    int32_t indent = 0;
    int32_t image = 0;
};
