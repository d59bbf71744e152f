#pragma once

// IInputIdleSource: what the inactivity detector reads of the system: the tick count
// of the last keyboard or mouse input, the tick counter and the clock. The system's
// answers come from CSystemInputIdleSource; tests give their own.

#include "library/datetime/CDateTime.h"

#include <windows.h>

class IInputIdleSource {
public:
    virtual ~IInputIdleSource() = default;

    // The tick count (milliseconds, wrapping at 2^32) of the last user input; false
    // when the system cannot say.
    virtual bool GetLastInputTick(DWORD& tick) = 0;
    // The tick count now, on the same counter.
    virtual DWORD GetTickCount() = 0;
    // Now, in UTC.
    virtual CDateTime GetUtcNow() = 0;
};
