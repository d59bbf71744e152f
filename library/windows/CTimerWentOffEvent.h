#pragma once

#include "library/events/CEventTypeNoResult.h"

class CTimer;

// A timer went off; owners with several timers tell them apart by the timer.
class CTimerWentOffEvent : public CEventTypeNoResult {
public:
    explicit CTimerWentOffEvent(CTimer* timer_) : timer(timer_) {}
    CTimer* timer;
};
