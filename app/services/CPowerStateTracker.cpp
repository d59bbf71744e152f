#include "app/services/CPowerStateTracker.h"

void CPowerStateTracker::OnMessage(CMessage& message) {
    if (m_busy || message.message != WM_POWERBROADCAST) {
        return;
    }
    if (message.wParam != PBT_APMSUSPEND && message.wParam != PBT_APMRESUMESUSPEND) {
        return;
    }
    m_busy = true;
    CPowerStateChangedEvent event(message.wParam == PBT_APMRESUMESUSPEND);
    try {
        Emit(event);
    } catch (...) {
        m_busy = false;
        throw;
    }
    m_busy = false;
}
