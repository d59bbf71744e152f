#pragma once

// Pumps the test thread's messages (timers, posted messages) until done() answers
// true or maxMs have passed, for tests that run no modal loop of their own.

#include <windows.h>

namespace harness {

template <class F> void PumpUntil(F done, DWORD maxMs) {
    const DWORD start = GetTickCount();
    MSG msg;
    while (!done() && GetTickCount() - start < maxMs) {
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            DispatchMessageA(&msg);
        }
        Sleep(5);
    }
}

} // namespace harness
