#pragma once

#include "library/events/CEventTypeNoResult.h"

// The main window's always-on-top setting changed; topMost is the new value.
class CViewTopMostChangedEvent : public CEventTypeNoResult {
public:
    explicit CViewTopMostChangedEvent(bool topMost_) : topMost(topMost_) {}
    bool topMost;
};
