#pragma once

#include "library/datetime/CDateTime.h"
#include "library/events/CEventTypeNoResult.h"

// Nobody has used the keyboard or the mouse since start (UTC, always a valid moment).
// resumed: the inactivity was found on resuming from a suspension, not by the timer.
class CInactiveEvent : public CEventTypeNoResult {
public:
    CInactiveEvent(const CDateTime& start_, bool resumed_) : start(start_), resumed(resumed_) {}
    CDateTime start;
    bool resumed;
};
