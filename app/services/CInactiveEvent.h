#pragma once

#include "library/events/CEventTypeNoResult.h"
#include "model/SClockReading.h"

// Nobody has used the keyboard or the mouse since start: the clock then (UTC, always a
// valid moment) and the monotonic clock then (no ticks when unknown), so that the length of
// the inactivity is known whatever the clock was set to meanwhile.
// resumed: the inactivity was found on resuming from a suspension, not by the timer.
class CInactiveEvent : public CEventTypeNoResult {
public:
    CInactiveEvent(const SClockReading& start_, bool resumed_) : start(start_), resumed(resumed_) {}
    SClockReading start;
    bool resumed;
};
