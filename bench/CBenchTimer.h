#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdio>

namespace bench {

// Seconds on the performance counter since an arbitrary start.
inline double Seconds() {
    static const LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// Measures phases of a benchmark with the performance counter.
class CBenchTimer {
public:
    CBenchTimer() {
        QueryPerformanceFrequency(&m_frequency);
        QueryPerformanceCounter(&m_start);
    }
    // Milliseconds since the last call (or construction).
    double Lap() {
        LARGE_INTEGER now;
        QueryPerformanceCounter(&now);
        const double ms = 1000.0 * static_cast<double>(now.QuadPart - m_start.QuadPart) /
                          static_cast<double>(m_frequency.QuadPart);
        m_start = now;
        return ms;
    }
    // Prints the phase with the time since the last lap and the time per operation.
    void Report(const char* phase, std::size_t operations) {
        const double ms = Lap();
        std::printf("  %-38s %9.1f ms  %8.1f ns/op\n", phase, ms,
                    1e6 * ms / static_cast<double>(operations));
    }

private:
    LARGE_INTEGER m_frequency;
    LARGE_INTEGER m_start;
};

} // namespace bench
