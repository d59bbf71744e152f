#pragma once

#include "library/events/CEventTypeBoolOr.h"

#include <windows.h>

// A WM_COMMAND of a dialog: a control's notification, a menu item or an accelerator.
// A slot that handles it answers true.
class CDialogCommandEvent : public CEventTypeBoolOr {
public:
    CDialogCommandEvent(HWND window_, WORD controlId_, WORD notificationCode_, HWND control_)
        : window(window_), controlId(controlId_), notificationCode(notificationCode_),
          control(control_) {}

    HWND window;
    WORD controlId;
    WORD notificationCode;
    HWND control; // null for menus and accelerators
    LRESULT result = 0;
};
