#pragma once

// CTimer: a window timer turned into a CTimerWentOffEvent for every linked slot.
//
//   m_timer.SetWindow(invisibleWindow.GetHandle());
//   CSlot<CTimerWentOffEvent>::Connect(&m_timer);
//   m_timer.Start(1000);   // repeats until Stop; one-shot owners stop it in their slot
//
// Ids are unique in the process (counted from 0), so timers can share one window.
// A timer without a window never runs.

#include "library/events/CSignal.h"
#include "library/windows/CSubclassedWindow.h"
#include "library/windows/CTimerWentOffEvent.h"

class CTimer : public CSubclassedWindow, public CSignal<CTimerWentOffEvent> {
public:
    CTimer();
    ~CTimer() override;

    // Leaves the window attached before and subclasses the new one; false when the
    // new window cannot be subclassed. Owners stop a running timer before they
    // attach it elsewhere. A null window only detaches.
    bool SetWindow(HWND window);
    HWND GetWindow() const { return m_window; }
    // Starts or restarts the period; 0 without a window, else SetTimer's answer.
    UINT_PTR Start(UINT milliseconds);
    // Kills the timer; with fire, the event is emitted at once as well (also
    // without a window).
    void Stop(bool fire = false);
    void Fire();
    bool IsRunning() const { return m_running; }
    UINT_PTR GetId() const { return m_id; }

    void OnMessage(CMessage& message) override;

private:
    UINT_PTR m_id;
    HWND m_window = nullptr;
    bool m_running = false;
};
