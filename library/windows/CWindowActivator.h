#pragma once

// CWindowActivator: brings a window to the front when the user can see it. While
// another desktop has the input (a screen saver's, a locked workstation's), the
// request is remembered and carried out when the user returns; several requests
// made meanwhile lead to one activation, of the latest window.
//
//   ActivateWindow(mainWindow, invisibleWindow.GetHandle());
//
// One activator serves the program (ActivateWindow); it is built on first use and
// destroyed at exit.

#include "library/events/CSlot.h"
#include "library/windows/CDesktopWaiter.h"
#include "library/windows/CUserOnOurDesktopEvent.h"

#include <windows.h>

class CWindowActivator : public CSlot<CUserOnOurDesktopEvent> {
public:
    CWindowActivator();
    ~CWindowActivator() override;
    CWindowActivator(const CWindowActivator&) = delete;
    CWindowActivator& operator=(const CWindowActivator&) = delete;

    // Remembers window and activates it now, or, on an NT system while the user is
    // on another desktop, once the user is back. timerWindow carries the poll; when
    // it is missing the window is activated at once.
    void Activate(HWND window, HWND timerWindow);
    // Restores a minimised window, shows a hidden one and brings it to the front.
    void ActivateNow();

    HWND GetWindow() const { return m_window; }
    CDesktopWaiter& GetWaiter() { return m_waiter; }

    // The program's activator.
    static CWindowActivator& GetInstance();

protected:
    bool OnEvent(CUserOnOurDesktopEvent& event) override { return OnUserOnOurDesktop(event); }

private:
    bool OnUserOnOurDesktop(CUserOnOurDesktopEvent& event);

    CDesktopWaiter m_waiter;
    HWND m_window = nullptr;
};

// CWindowActivator::Activate of the program's activator.
void ActivateWindow(HWND window, HWND timerWindow);
