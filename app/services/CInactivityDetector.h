#pragma once

// CInactivityDetector: notices when nobody has touched the keyboard or the mouse for
// the number of minutes of the inactivity settings, and tells its listeners when that
// inactivity began. A suspension of the computer counts as inactivity too.
//
//   CInactivityDetector detector(settings);          // CSetInactivityDetector
//   detector.Init(invisibleWindow.GetHandle(), powerStateTracker);
//   mainWindow.CSlot<CInactiveEvent>::Connect(&detector);
//
// While detection is on, a timer checks the idle time at the moment the threshold
// would be reached if no input came; the idle time is the tick counter minus the tick
// of the last input, taken modulo 2^32, so a wrapped counter still gives the right
// answer. When the idle time passes the threshold, CInactiveEvent carries the moment
// of the last input, on the clock and on the monotonic clock (CTickClock). A resume
// whose suspension (counted from the last input before it) lasted longer than the
// threshold is reported with the resumed flag.
//
// Listeners may run modal dialogs from the event: while one is being handled, timer
// ticks and power events are ignored. Power events are ignored as well while
// detection is off, and an event never carries an invalid start.

#include "app/services/CInactiveEvent.h"
#include "app/services/CPowerStateChangedEvent.h"
#include "app/settings/CSetInactivityDetectorChangedEvent.h"
#include "library/events/CSignal.h"
#include "library/windows/CTimer.h"

#include <cstdint>

class CSetInactivityDetector;
class IInputIdleSource;

class CInactivityDetector : public CSlot<CPowerStateChangedEvent>,
                            public CSlot<CTimerWentOffEvent>,
                            public CSlot<CSetInactivityDetectorChangedEvent>,
                            public CSignal<CInactiveEvent> {
public:
    // Follows settings (which must outlive the detector) and reads the system's
    // input-idle counter, or idleSource (not owned). The threshold starts as the
    // settings' current minutes; detection starts with Init.
    explicit CInactivityDetector(CSetInactivityDetector& settings);
    CInactivityDetector(CSetInactivityDetector& settings, IInputIdleSource& idleSource);
    ~CInactivityDetector() override;

    // Runs the check timer on window, listens to powerState and starts detection when
    // the settings say so. False when the timer cannot use the window (detection then
    // never checks by itself).
    bool Init(HWND window, CSignal<CPowerStateChangedEvent>& powerState);

    bool IsDetecting() const { return m_detecting; }
    // Milliseconds of idle time above which the user counts as inactive.
    uint32_t GetThreshold() const { return m_threshold; }
    // Milliseconds the check timer was last started with; 0 while detection is off.
    uint32_t GetCheckDelay() const { return m_checkDelay; }

    virtual bool OnPowerStateChanged(CPowerStateChangedEvent& event);
    virtual bool OnTimer(CTimerWentOffEvent& event);
    virtual bool OnSettingsChanged(CSetInactivityDetectorChangedEvent& event);

protected:
    bool OnEvent(CPowerStateChangedEvent& event) override { return OnPowerStateChanged(event); }
    bool OnEvent(CTimerWentOffEvent& event) override { return OnTimer(event); }
    bool OnEvent(CSetInactivityDetectorChangedEvent& event) override {
        return OnSettingsChanged(event);
    }

private:
    void StartDetection();
    void StopDetection();
    void StartTimer(uint32_t milliseconds);
    // Fixes the inactivity start at the last input; false (and no change) when the
    // idle time cannot be read.
    bool MeasureIdleTime(uint32_t& idle);
    // The inactivity starts now (no last input known).
    void StartInactivityNow();
    void Announce(bool resumed);
    uint32_t ThresholdOfSettings() const;

    CSetInactivityDetector& m_settings;
    IInputIdleSource& m_idleSource;
    CTimer m_timer;
    int m_busy = 0;
    uint32_t m_threshold;
    SClockReading m_inactivityStart;
    bool m_suspended = false;
    bool m_detecting = false;
    uint32_t m_checkDelay = 0;
};
