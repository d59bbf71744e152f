#pragma once

// CPowerStateTracker: hears the system's power broadcasts on the invisible window and
// announces suspensions and resumptions. The broadcast is never consumed: the window
// and its other subclassers see it too. A broadcast that arrives while a listener
// still handles the previous one is dropped.

#include "app/services/CPowerStateChangedEvent.h"
#include "library/events/CSignal.h"
#include "library/windows/CSubclassedWindow.h"

class CPowerStateTracker : public CSubclassedWindow, public CSignal<CPowerStateChangedEvent> {
public:
    CPowerStateTracker() = default;
    ~CPowerStateTracker() override = default;

    bool Init(HWND window) { return Subclass(window); }
    void OnMessage(CMessage& message) override;

private:
    bool m_busy = false;
};
