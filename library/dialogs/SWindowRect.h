#pragma once

// A window's place as position and size: screen coordinates for dialogs, the
// dialog's client coordinates for controls.

#include <cstdint>

struct SWindowRect {
    int32_t x = 0;
    int32_t y = 0;
    int32_t width = 0;
    int32_t height = 0;
};
