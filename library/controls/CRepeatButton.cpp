#include "library/controls/CRepeatButton.h"

namespace {

bool IsPressKey(WPARAM key) {
    return key == VK_SPACE || key == VK_RETURN;
}

} // namespace

CRepeatButton::~CRepeatButton() {
    Detach();
}

bool CRepeatButton::Attach(HWND dialog, int controlId, UINT firstDelay, UINT repeatInterval) {
    Detach();
    HWND button = dialog != nullptr ? GetDlgItem(dialog, controlId) : nullptr;
    if (button == nullptr || !Subclass(button)) {
        return false;
    }
    m_button = button;
    m_controlId = controlId;
    m_dialog = dialog;
    m_firstDelay = firstDelay;
    m_repeatInterval = repeatInterval;
    return true;
}

// A button left while held would keep the capture, and the next button would take
// every press for a repeat of the old one.
void CRepeatButton::Detach() {
    if (m_button == nullptr) {
        return;
    }
    Release();
    UnsubclassAll();
    m_button = nullptr;
    m_dialog = nullptr;
    m_controlId = 0;
}

void CRepeatButton::SendCommand() {
    SendMessageA(m_dialog, WM_COMMAND, MAKEWPARAM(m_controlId, 0),
                 reinterpret_cast<LPARAM>(m_button));
}

void CRepeatButton::Press() {
    m_pressed = true;
    SetCapture(m_button);
    SendMessageA(m_button, BM_SETSTATE, 1, 0);
    SetTimer(m_button, kFirstDelayTimer, m_firstDelay, nullptr);
    SendCommand();
}

void CRepeatButton::Release() {
    if (m_pressed) {
        m_pressed = false;
        if (GetCapture() == m_button) {
            ReleaseCapture();
        }
        SendMessageA(m_button, BM_SETSTATE, 0, 0);
    }
    KillTimer(m_button, kRepeatTimer);
    KillTimer(m_button, kFirstDelayTimer);
}

void CRepeatButton::OnMessage(CMessage& message) {
    if (message.window != m_button) {
        return;
    }
    switch (message.message) {
    case WM_KEYDOWN:
        if (!IsPressKey(message.wParam)) {
            return;
        }
        [[fallthrough]];
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        if (!m_pressed) {
            Press();
        }
        message.handled = true;
        return;
    case WM_KEYUP:
        if (!IsPressKey(message.wParam)) {
            return;
        }
        [[fallthrough]];
    case WM_LBUTTONUP:
        Release();
        message.handled = true;
        return;
    case WM_TIMER:
        if (message.wParam != kFirstDelayTimer && message.wParam != kRepeatTimer) {
            return;
        }
        if (!m_pressed) {
            Release();
        } else if (message.wParam == kFirstDelayTimer) {
            KillTimer(m_button, kFirstDelayTimer);
            SetTimer(m_button, kRepeatTimer, m_repeatInterval, nullptr);
            SendCommand();
        } else {
            SendCommand();
        }
        message.handled = true;
        return;
    case WM_CAPTURECHANGED:
    case WM_CANCELMODE:
        // Another window took the mouse (a message box, a menu): the button is let
        // go, or it would go on repeating. The button does its own part as well.
        if (message.message == WM_CANCELMODE ||
            reinterpret_cast<HWND>(message.lParam) != m_button) {
            Release();
        }
        return;
    }
}
