#pragma once

// CCurrentHour: announces every whole hour of the local clock, so that displays of
// the current hour, day or period move on. The delay is computed afresh at every
// tick, so timer drift does not add up.
//
//   clock.Init(invisibleWindow.GetHandle());
//   listener.Connect(&clock);   // CSlot<CCurrentHourChangedEvent>

#include "app/services/CCurrentHourChangedEvent.h"
#include "library/datetime/CDateTime.h"
#include "library/events/CSignal.h"
#include "library/windows/CTimer.h"

class CCurrentHour : public CSlot<CTimerWentOffEvent>, public CSignal<CCurrentHourChangedEvent> {
public:
    CCurrentHour() = default;
    ~CCurrentHour() override = default;

    void Init(HWND window);

    // Milliseconds from a local time to the next whole hour (a whole hour itself
    // gives a full hour).
    static UINT GetDelayToNextHour(const CDateTime& now);

protected:
    bool OnEvent(CTimerWentOffEvent& event) override { return OnTimer(event); }

private:
    bool OnTimer(CTimerWentOffEvent& event);
    void StartTimer();

    CTimer m_timer;
};
