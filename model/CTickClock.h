#pragma once

#include <cstdint>
#include <functional>

// The monotonic clock of the data model: milliseconds that setting the computer's clock does
// not move (GetTickCount64). Tests put a clock of their own in its place (the wall clock is
// replaced through CDateTime::SetNowSource).
class CTickClock {
public:
    // Replaces the clock; an empty function: the system's clock again.
    static void Set(std::function<std::uint64_t()> ticks);
    static std::uint64_t Get();
};
