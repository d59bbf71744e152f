#pragma once

#include "library/events/CEventTypeNoResult.h"

#include <windows.h>

// The dialog's window and controls exist (WM_INITDIALOG): slots fill the controls.
class CDialogInitializeEvent : public CEventTypeNoResult {
public:
    explicit CDialogInitializeEvent(HWND window_) : window(window_) {}

    HWND window;
};
