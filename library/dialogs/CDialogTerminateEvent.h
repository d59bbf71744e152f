#pragma once

#include "library/events/CEventTypeNoResult.h"

#include <windows.h>

#include <cstdint>

// The dialog ends, once per creation, while its window still exists. A slot may set
// exitCode: the value a modal Create returns and a modeless dialog quits with.
class CDialogTerminateEvent : public CEventTypeNoResult {
public:
    explicit CDialogTerminateEvent(HWND window_) : window(window_) {}

    HWND window;
    int32_t exitCode = 0;
};
