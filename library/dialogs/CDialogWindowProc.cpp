// The dialog procedure that every dialog of the program shares: messages become the
// dialog's events and hooks.

#include "library/dialogs/CDialogWindow.h"

#include "library/dialogs/CDialogRegistry.h"
#include "library/dialogs/CSizeGrip.h"

#include <windowsx.h>

namespace {

// Messages whose answer is the dialog procedure's return value rather than
// DWLP_MSGRESULT.
bool AnswersByReturnValue(UINT message) {
    switch (message) {
    case WM_INITDIALOG:
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
    case WM_COMPAREITEM:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
    case WM_QUERYDRAGICON:
        return true;
    default:
        return false;
    }
}

} // namespace

INT_PTR CALLBACK CDialogWindow::DialogProc(HWND window, UINT message, WPARAM wParam,
                                           LPARAM lParam) {
    CDialogWindow* dialog;
    if (message == WM_INITDIALOG) {
        dialog = reinterpret_cast<CDialogWindow*>(lParam);
        if (dialog == nullptr) {
            return FALSE;
        }
        dialog->m_window = window;
        CDialogRegistry::Instance().AddDialog(window, dialog);
        if (dialog->m_hasCaption) {
            SetWindowTextA(window, dialog->m_params.caption.c_str());
        }
    } else {
        dialog = CDialogRegistry::Instance().FindDialog(window);
        if (dialog == nullptr) {
            return FALSE;
        }
    }
    return dialog->HandleMessage(message, wParam, lParam);
}

// A handled message answers through DWLP_MSGRESULT and TRUE; WM_QUERYENDSESSION too,
// because FALSE would let the dialog manager answer "yes" in the slots' place.
INT_PTR CDialogWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    HWND window = m_window;
    bool handled = false;
    LRESULT result = 0;
    try {
        if (message == WM_INITDIALOG) {
            OnInitDialog();
        }
        if (!m_destroying) {
            Dispatch(message, wParam, lParam, handled, result);
        }
    } catch (...) {
        handled = false;
        Fail(std::current_exception());
    }
    if (message == WM_DESTROY) {
        OnDestroyed();
    }
    if (handled) {
        SetWindowLongPtrA(window, DWLP_MSGRESULT, result);
    }
    if (AnswersByReturnValue(message)) {
        return handled ? static_cast<INT_PTR>(result) : FALSE;
    }
    return handled ? TRUE : FALSE;
}

void CDialogWindow::Dispatch(UINT message, WPARAM wParam, LPARAM lParam, bool& handled,
                             LRESULT& result) {
    bool skipMessageEvent = false;
    switch (message) {
    case WM_SIZE:
        handled = OnSize(static_cast<int>(wParam));
        break;
    case WM_SIZING:
        handled = OnSizing(reinterpret_cast<RECT*>(lParam), static_cast<int>(wParam));
        break;
    case WM_COMMAND: {
        CDialogCommandEvent event(m_window, LOWORD(wParam), HIWORD(wParam),
                                  reinterpret_cast<HWND>(lParam));
        handled = CSignal<CDialogCommandEvent>::Emit(event);
        result = event.result;
        break;
    }
    case WM_NOTIFY: {
        CDialogCCNotificationEvent event(m_window, reinterpret_cast<NMHDR*>(lParam));
        handled = CSignal<CDialogCCNotificationEvent>::Emit(event);
        result = event.result;
        break;
    }
    case WM_NCHITTEST:
        // Signed: monitors left of or above the primary one have negative coordinates.
        if (m_params.sizeGrip &&
            CSizeGrip::HitTest(m_window, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)})) {
            handled = true;
            result = HTBOTTOMRIGHT;
            skipMessageEvent = true;
        }
        break;
    case WM_INITDIALOG: {
        CDialogInitializeEvent event(m_window);
        CSignal<CDialogInitializeEvent>::Emit(event);
        handled = true;
        result = TRUE;
        skipMessageEvent = true;
        break;
    }
    default:
        break;
    }
    if (!handled && !skipMessageEvent) {
        CDialogMessageEvent event(m_window, message, wParam, lParam, result);
        handled = CSignal<CDialogMessageEvent>::Emit(event);
        result = event.result;
    }
    if (m_params.sizeGrip && message == WM_PAINT) {
        CSizeGrip::Paint(m_window, m_lastGripRect);
    }
}

// The window goes: the dialog terminates now unless it did already, a modeless one
// ends the thread's loop, and the registry forgets it.
void CDialogWindow::OnDestroyed() {
    HWND window = m_window;
    m_state = kClosed;
    try {
        Terminate();
    } catch (...) {
        Fail(std::current_exception());
    }
    if (!m_params.modal) {
        PostQuitMessage(m_exitCode);
    }
    CDialogRegistry::Instance().RemoveDialog(window);
    m_window = nullptr;
}
