#include "model/CStatUpdateNotifier.h"

namespace {

HWND& DefaultWindow() {
    static HWND window = nullptr;
    return window;
}

} // namespace

CStatUpdateNotifier::CStatUpdateNotifier() {
    if (DefaultWindow() != nullptr) {
        m_timer.SetWindow(DefaultWindow());
    }
    CSlot<CTimerWentOffEvent>::Connect(&m_timer);
}

CStatUpdateNotifier::~CStatUpdateNotifier() {
    m_timer.Stop();
}

void CStatUpdateNotifier::SetDefaultWindow(HWND window) {
    DefaultWindow() = window;
}

void CStatUpdateNotifier::Notify(EStatChange change) {
    if (change == scWorkStarted) {
        m_timer.Start(kPeriodMs);
    } else if (change == scWorkStopped) {
        m_timer.Stop();
    }
    Announce();
}

bool CStatUpdateNotifier::OnTimerWentOff(CTimerWentOffEvent&) {
    Announce();
    return true;
}

void CStatUpdateNotifier::Announce() {
    if (m_enabled) {
        CStatsUpdatedEvent event;
        CSignal<CStatsUpdatedEvent>::Emit(event);
    }
}
