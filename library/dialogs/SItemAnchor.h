#pragma once

// How much of its container's change in size a dialog control follows, per direction:
// 1 follows the change fully, 0 ignores it. (0, 1, 0, 1) keeps a control at the
// bottom-right corner; (1, 0, 1, 0) grows it with the container.

#include <cstdint>

struct SItemAnchor {
    int32_t itemId;
    int32_t widthFactor;
    int32_t xFactor;
    int32_t heightFactor;
    int32_t yFactor;
};
