#include "app/services/CCurrentHour.h"

#include <cmath>

void CCurrentHour::Init(HWND window) {
    m_timer.SetWindow(window);
    if (m_timer.GetNumPeers() == 0) {
        CSlot<CTimerWentOffEvent>::Connect(&m_timer);
    }
    StartTimer();
}

UINT CCurrentHour::GetDelayToNextHour(const CDateTime& now) {
    const CDateTime next = now.GetNextHourStart();
    const double days = next.GetValue() - now.GetValue();
    return static_cast<UINT>(std::lround(days * 86400000.0));
}

void CCurrentHour::StartTimer() {
    m_timer.Start(GetDelayToNextHour(CDateTime::Now(false)));
}

bool CCurrentHour::OnTimer(CTimerWentOffEvent&) {
    CCurrentHourChangedEvent event;
    Emit(event);
    StartTimer();
    return true;
}
