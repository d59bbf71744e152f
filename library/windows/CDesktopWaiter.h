#pragma once

// CDesktopWaiter: waits until the user is on the program's desktop again (another
// desktop, such as a screen saver's, may have the input) and then emits
// CUserOnOurDesktopEvent once.
//
//   if (!waiter.WaitForUser(timerWindow)) { /* the user is here: act now */ }
//   else { /* act in the slot of CUserOnOurDesktopEvent */ }
//
// The check polls every 500 ms on a timer of the given window, without a time
// limit. The desktop functions are looked up in user32 at run time; without them
// the user always counts as present. Tests replace the check with SetDesktopCheck.

#include "library/events/CSignal.h"
#include "library/windows/CTimer.h"
#include "library/windows/CUserOnOurDesktopEvent.h"

#include <windows.h>

#include <functional>
#include <string>

class CDesktopWaiter : public CSlot<CTimerWentOffEvent>, public CSignal<CUserOnOurDesktopEvent> {
public:
    CDesktopWaiter();
    ~CDesktopWaiter() override;

    // True when the user is on our desktop: the replaced check when one is set,
    // else the system's answer (true also when the answer cannot be had for a
    // reason the system reports).
    bool IsUserOnOurDesktop() const;
    // True when the caller must wait for the event: the user is away and the poll
    // runs (or already ran). False when the user is here, and also when the poll
    // cannot run (no timer window, or the timer refused): then nothing is pending
    // and the caller acts at once.
    bool WaitForUser(HWND timerWindow);
    bool IsWaiting() const { return m_waiting; }

    // Replaces the system's check; an empty function restores it.
    void SetDesktopCheck(std::function<bool()> check) { m_check = std::move(check); }

    // The name of a desktop (or any user object); empty when it cannot be read or
    // the desktop functions are missing.
    static std::string GetDesktopName(HDESK desktop);
    // True when OpenInputDesktop, GetUserObjectInformationA and CloseDesktop exist.
    static bool IsDesktopCheckAvailable();

protected:
    bool OnEvent(CTimerWentOffEvent& event) override { return OnTimerWentOff(event); }

private:
    bool OnTimerWentOff(CTimerWentOffEvent& event);
    static bool QuerySystem();

    bool m_waiting = false;
    CTimer m_timer;
    std::function<bool()> m_check;
};
