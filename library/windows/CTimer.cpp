#include "library/windows/CTimer.h"

namespace {

UINT_PTR NextTimerId() {
    static UINT_PTR next = 0;
    return next++;
}

} // namespace

CTimer::CTimer() : m_id(NextTimerId()) {}

CTimer::~CTimer() {
    if (m_window != nullptr) {
        KillTimer(m_window, m_id);
        m_running = false;
    }
}

bool CTimer::SetWindow(HWND window) {
    if (m_window != nullptr) {
        Unsubclass(m_window);
    }
    m_window = window;
    return window != nullptr && Subclass(window);
}

UINT_PTR CTimer::Start(UINT milliseconds) {
    if (m_window == nullptr) {
        return 0;
    }
    m_running = true;
    return SetTimer(m_window, m_id, milliseconds, nullptr);
}

void CTimer::Stop(bool fire) {
    if (m_window != nullptr) {
        KillTimer(m_window, m_id);
        m_running = false;
    }
    if (fire) {
        Fire();
    }
}

void CTimer::Fire() {
    CTimerWentOffEvent event(this);
    Emit(event);
}

void CTimer::OnMessage(CMessage& message) {
    message.handled = false;
    if (message.message == WM_TIMER && message.wParam == m_id) {
        message.handled = true;
        Fire();
    }
}
