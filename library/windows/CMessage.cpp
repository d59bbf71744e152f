#include "library/windows/CMessage.h"

CMessage::CMessage(HWND window_, UINT message_, WPARAM wParam_, LPARAM lParam_,
                   WNDPROC previousProc_)
    : window(window_), message(message_), wParam(wParam_), lParam(lParam_),
      previousProc(previousProc_) {}

LRESULT CMessage::CallPreviousProc() {
    if (!previousCalled) {
        previousResult = CallWindowProcA(previousProc, window, message, wParam, lParam);
        previousCalled = true;
    }
    return previousResult;
}
