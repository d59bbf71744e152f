#include "library/windows/CWindowActivator.h"

#include "library/system/CWindowsVersion.h"

CWindowActivator::CWindowActivator() {
    Connect(&m_waiter);
}

CWindowActivator::~CWindowActivator() = default;

void CWindowActivator::Activate(HWND window, HWND timerWindow) {
    m_window = window;
    if (CWindowsVersion::IsNT() && m_waiter.WaitForUser(timerWindow)) {
        return;
    }
    ActivateNow();
}

void CWindowActivator::ActivateNow() {
    if (m_window == nullptr) {
        return;
    }
    ShowWindow(m_window, IsIconic(m_window) ? SW_RESTORE : SW_SHOW);
    BringWindowToTop(m_window);
    SetForegroundWindow(m_window);
    SetActiveWindow(m_window);
}

bool CWindowActivator::OnUserOnOurDesktop(CUserOnOurDesktopEvent&) {
    ActivateNow();
    return true;
}

CWindowActivator& CWindowActivator::GetInstance() {
    static CWindowActivator instance;
    return instance;
}

void ActivateWindow(HWND window, HWND timerWindow) {
    CWindowActivator::GetInstance().Activate(window, timerWindow);
}
