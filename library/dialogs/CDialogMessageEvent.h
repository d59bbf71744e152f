#pragma once

#include "library/events/CEventTypeBoolOr.h"

#include <windows.h>

// A message of a dialog that no more specific dialog event took (commands that no
// command slot handled arrive here too, with the command's result so far). A slot that
// handles it answers true and may set result, the message's answer.
class CDialogMessageEvent : public CEventTypeBoolOr {
public:
    CDialogMessageEvent(HWND window_, UINT message_, WPARAM wParam_, LPARAM lParam_,
                        LRESULT result_)
        : window(window_), message(message_), wParam(wParam_), lParam(lParam_), result(result_) {}

    HWND window;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    LRESULT result;
};
