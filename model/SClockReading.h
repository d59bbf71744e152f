#pragma once

#include "library/datetime/CDateTime.h"

#include <cstdint>

// One look at both clocks: the computer's clock (universal time, which the user may set) and
// the monotonic clock (CTickClock, which nobody sets). An act that ends one piece of work
// and starts the next takes one reading and does both at it, so that no second boundary
// can fall between them.
struct SClockReading {
    CDateTime time;
    // Milliseconds of the monotonic clock; 0: not read.
    std::uint64_t ticks = 0;

    // Both clocks, now.
    static SClockReading Take();
};
