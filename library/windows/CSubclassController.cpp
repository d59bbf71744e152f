#include "library/windows/CSubclassController.h"

#include "library/dialogs/WindowProcBarrier.h"

CSubclassController& CSubclassController::Instance() {
    static CSubclassController* instance = new CSubclassController();
    return *instance;
}

bool CSubclassController::Subclass(HWND window, CSubclassedWindow* subclasser) {
    if (window == nullptr || subclasser == nullptr) {
        return false;
    }
    auto found = m_records.find(window);
    if (found == m_records.end()) {
        const LONG_PTR previous = SetWindowLongPtrA(
            window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&SubclassWindowProc));
        if (previous == 0) {
            return false;
        }
        found = m_records.emplace(window, SRecord{reinterpret_cast<WNDPROC>(previous), {}}).first;
    }
    found->second.subclassers.insert(subclasser);
    return true;
}

void CSubclassController::Unsubclass(HWND window, CSubclassedWindow* subclasser) {
    auto found = m_records.find(window);
    if (found == m_records.end()) {
        return;
    }
    found->second.subclassers.erase(subclasser);
    if (found->second.subclassers.empty()) {
        if (IsWindow(window)) {
            SetWindowLongPtrA(window, GWLP_WNDPROC,
                              reinterpret_cast<LONG_PTR>(found->second.previousProc));
        }
        m_records.erase(found);
    }
}

// The record of a destroyed window goes with its last message: its subclassers no
// longer hold the handle, which the system may give to a new window.
void CSubclassController::Forget(HWND window) {
    auto found = m_records.find(window);
    if (found == m_records.end()) {
        return;
    }
    for (CSubclassedWindow* subclasser : found->second.subclassers) {
        subclasser->m_windows.erase(window);
    }
    m_records.erase(found);
}

LRESULT CALLBACK CSubclassController::SubclassWindowProc(HWND window, UINT message, WPARAM wParam,
                                                         LPARAM lParam) {
    return Instance().Dispatch(window, message, wParam, lParam);
}

LRESULT CSubclassController::Dispatch(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto found = m_records.find(window);
    if (found == m_records.end()) {
        return 0;
    }
    CMessage msg(window, message, wParam, lParam, found->second.previousProc);
    // Each subclasser is looked up again after every call: a handler may leave the
    // window, or destroy itself or another subclasser, while the message is in flight.
    // A handler that throws ends the delivery; the window's own procedure still answers.
    const bool delivered = RunBehindBarrier(window, [&] {
        CSubclassedWindow* current = *found->second.subclassers.begin();
        while (current != nullptr) {
            current->OnMessage(msg);
            if (msg.handled) {
                break;
            }
            found = m_records.find(window);
            if (found == m_records.end()) {
                break;
            }
            auto next = found->second.subclassers.upper_bound(current);
            current = next == found->second.subclassers.end() ? nullptr : *next;
        }
    });
    if (!delivered) {
        msg.handled = false;
    }
    LRESULT result;
    if (msg.handled) {
        result = msg.result;
    } else if (msg.previousCalled) {
        result = msg.previousResult;
    } else if (!IsWindow(window)) {
        result = 0; // a handler, or an error that ended a modeless dialog, destroyed it
    } else {
        result = CallWindowProcA(msg.previousProc, window, message, wParam, lParam);
    }
    if (message == WM_NCDESTROY) {
        Forget(window);
    }
    return result;
}
