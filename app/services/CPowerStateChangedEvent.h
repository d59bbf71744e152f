#pragma once

#include "library/events/CEventTypeNoResult.h"

// The computer suspends (resumed false) or has resumed from a suspension (true).
class CPowerStateChangedEvent : public CEventTypeNoResult {
public:
    explicit CPowerStateChangedEvent(bool resumed_) : resumed(resumed_) {}
    bool resumed;
};
