#pragma once

#include "library/events/CEventTypeBoolOr.h"

#include <windows.h>

// A WM_NOTIFY of a common control of a dialog (tab pages pass on those of their
// controls). A slot that handles it answers true and may set result, the answer the
// control receives.
class CDialogCCNotificationEvent : public CEventTypeBoolOr {
public:
    CDialogCCNotificationEvent(HWND window_, NMHDR* header_) : window(window_), header(header_) {}

    HWND window;
    NMHDR* header;
    LRESULT result = 0;
};
