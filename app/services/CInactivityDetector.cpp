#include "app/services/CInactivityDetector.h"

#include "app/services/CSystemInputIdleSource.h"
#include "app/settings/CSetInactivityDetector.h"
#include "model/CTickClock.h"

#include <cmath>

namespace {

constexpr uint32_t kMillisecondsPerMinute = 60000;
constexpr double kMillisecondsPerDay = 86400000.0;

} // namespace

CInactivityDetector::CInactivityDetector(CSetInactivityDetector& settings)
    : CInactivityDetector(settings, CSystemInputIdleSource::Instance()) {}

CInactivityDetector::CInactivityDetector(CSetInactivityDetector& settings,
                                         IInputIdleSource& idleSource)
    : m_settings(settings), m_idleSource(idleSource), m_threshold(ThresholdOfSettings()) {
    CSlot<CTimerWentOffEvent>::Connect(&m_timer);
    CSlot<CSetInactivityDetectorChangedEvent>::Connect(&settings);
}

CInactivityDetector::~CInactivityDetector() = default;

bool CInactivityDetector::Init(HWND window, CSignal<CPowerStateChangedEvent>& powerState) {
    const bool attached = m_timer.SetWindow(window);
    CSlot<CPowerStateChangedEvent>::Disconnect(&powerState);
    CSlot<CPowerStateChangedEvent>::Connect(&powerState);
    if (m_settings.GetDetect()) {
        StartDetection();
    }
    return attached;
}

uint32_t CInactivityDetector::ThresholdOfSettings() const {
    // The settings keep the minutes small enough for 32 bits.
    return m_settings.GetNumMinutes() * kMillisecondsPerMinute;
}

void CInactivityDetector::StartDetection() {
    m_timer.Stop();
    m_threshold = ThresholdOfSettings();
    m_detecting = true;
    StartTimer(m_threshold);
    StartInactivityNow();
}

void CInactivityDetector::StartInactivityNow() {
    const CDateTime now = m_idleSource.GetUtcNow();
    if (now.IsValid()) {
        m_inactivityStart = SClockReading{now, CTickClock::Get()};
    }
}

void CInactivityDetector::StopDetection() {
    m_timer.Stop();
    m_detecting = false;
    m_suspended = false;
    m_checkDelay = 0;
}

void CInactivityDetector::StartTimer(uint32_t milliseconds) {
    m_checkDelay = milliseconds;
    m_timer.Start(milliseconds);
}

bool CInactivityDetector::MeasureIdleTime(uint32_t& idle) {
    DWORD lastInput = 0;
    if (!m_idleSource.GetLastInputTick(lastInput)) {
        return false;
    }
    const CDateTime now = m_idleSource.GetUtcNow();
    if (!now.IsValid()) {
        return false;
    }
    // Unsigned subtraction: right also when the counter wrapped since the last input.
    idle = static_cast<uint32_t>(m_idleSource.GetTickCount() - lastInput);
    const uint64_t ticks = CTickClock::Get();
    m_inactivityStart.time = now - CDateTimeSpan(idle / kMillisecondsPerDay);
    m_inactivityStart.ticks = ticks > idle ? ticks - idle : 0;
    return true;
}

void CInactivityDetector::Announce(bool resumed) {
    if (!m_inactivityStart.time.IsValid()) {
        return;
    }
    CInactiveEvent event(m_inactivityStart, resumed);
    ++m_busy;
    try {
        CSignal<CInactiveEvent>::Emit(event);
    } catch (...) {
        --m_busy;
        throw;
    }
    --m_busy;
}

bool CInactivityDetector::OnTimer(CTimerWentOffEvent&) {
    if (m_busy != 0 || m_suspended || !m_detecting) {
        return true;
    }
    uint32_t idle = 0;
    if (!MeasureIdleTime(idle) || idle <= m_threshold) {
        // The next check comes when the threshold would be reached without input.
        StartTimer(m_threshold - idle);
        return true;
    }
    StartTimer(m_threshold);
    Announce(false);
    return true;
}

bool CInactivityDetector::OnPowerStateChanged(CPowerStateChangedEvent& event) {
    if (m_busy != 0 || !m_detecting) {
        return true;
    }
    if (!event.resumed) {
        uint32_t idle = 0;
        if (!MeasureIdleTime(idle)) {
            // Without the last input, the suspension itself is where inactivity began.
            StartInactivityNow();
        }
        m_suspended = true;
        return true;
    }
    const CDateTime now = m_idleSource.GetUtcNow();
    if (now.IsValid() && m_inactivityStart.time.IsValid()) {
        // Whole milliseconds: the day-number difference carries rounding noise.
        const long long inactive =
            std::llround((now - m_inactivityStart.time).GetTotalDays() * kMillisecondsPerDay);
        if (inactive > static_cast<long long>(m_threshold)) {
            Announce(true);
        }
    }
    m_suspended = false;
    return true;
}

bool CInactivityDetector::OnSettingsChanged(CSetInactivityDetectorChangedEvent&) {
    if (m_settings.GetDetect()) {
        StartDetection();
    } else {
        StopDetection();
    }
    return true;
}
