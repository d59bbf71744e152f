#pragma once

#include "library/events/CSignal.h"
#include "library/events/CSlot.h"
#include "library/windows/CTimer.h"
#include "model/CStatsUpdatedEvent.h"

#include <windows.h>

// What changed in a project state's statistics (CStatUpdateNotifier::Notify).
enum EStatChange {
    // Totals changed; a running tally mark, if any, goes on running.
    scValuesChanged = 0,
    // A tally mark began to run: totals change every moment from now on.
    scWorkStarted = 1,
    // The running tally mark stopped.
    scWorkStopped = 2,
};

// Tells the user interface of one project state when statistics may have changed: at once
// after every change (CStatsUpdatedEvent), and once a second while a tally mark runs, so
// that running totals on screen advance.
//
// Usage notes:
// - The seconds are counted by a window timer on the program's invisible window: the program
//   hands that window to SetDefaultWindow before it creates any project state. Without a
//   window the timer never runs; changes are still announced.
// - Connect a CSlot<CStatsUpdatedEvent> to the notifier of the state shown
//   (CProjectState::GetStatUpdateNotifier).
class CStatUpdateNotifier : public CSlot<CTimerWentOffEvent>, public CSignal<CStatsUpdatedEvent> {
public:
    // Enabled, bound to the default window, timer stopped.
    CStatUpdateNotifier();
    CStatUpdateNotifier(const CStatUpdateNotifier&) = delete;
    CStatUpdateNotifier& operator=(const CStatUpdateNotifier&) = delete;
    ~CStatUpdateNotifier() override;

    // The window that notifiers made from now on count seconds on; null: none.
    static void SetDefaultWindow(HWND window);

    // scWorkStarted starts the one-second timer, scWorkStopped stops it (without a tick),
    // scValuesChanged leaves it alone; then, when enabled, announces CStatsUpdatedEvent.
    void Notify(EStatChange change);
    // Nothing is announced any more (the timer still starts and stops): for a state that is
    // being torn down.
    void Disable() { m_enabled = false; }
    bool IsEnabled() const { return m_enabled; }
    bool IsTimerRunning() const { return m_timer.IsRunning(); }

protected:
    bool OnEvent(CTimerWentOffEvent& event) override { return OnTimerWentOff(event); }

    virtual bool OnTimerWentOff(CTimerWentOffEvent& event);

private:
    static constexpr UINT kPeriodMs = 1000;

    void Announce();

    bool m_enabled = true;
    CTimer m_timer;
};
