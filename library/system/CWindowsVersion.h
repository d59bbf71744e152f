#pragma once

// CWindowsVersion: a code for the Windows version, so that other parts can choose
// between code paths (file dialog structure size, input-idle detection).
//
//   code  system
//   0     95, or any 9x system not matched below
//   1     95 with service release "B" or "C"
//   2     98
//   3     98 with service release "A" (Second Edition)
//   4     Me
//   5     NT 3 or earlier
//   6     NT 4
//   7     2000 (NT 5.0)
//   8     XP (NT 5.1)
//   9     NT 5.2 and every later version; a 9x platform reporting 5 or more
//
// The process-wide answer is worked out once, at start-up.

#include <windows.h>

#include <cstdint>

struct SWindowsVersion {
    bool isNT;
    int32_t code;
};

class CWindowsVersion {
public:
    // The answer worked out at start-up.
    static const SWindowsVersion& Get();
    static bool IsNT() { return Get().isNT; }
    // Asks the system afresh.
    static SWindowsVersion Compute();
    // The code of a platform id (VER_PLATFORM_*), major and minor version and
    // service-pack text (may be null).
    static int32_t CodeFor(DWORD platformId, DWORD major, DWORD minor, const char* servicePack);
};
