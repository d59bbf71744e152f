#pragma once

#include "library/events/CEventTypeNoResult.h"

#include <cstdint>

// The main window's number of time columns changed.
class CNumColumnsChangedEvent : public CEventTypeNoResult {
public:
    CNumColumnsChangedEvent(int32_t oldNumber_, int32_t newNumber_)
        : oldNumber(oldNumber_), newNumber(newNumber_) {}
    int32_t oldNumber;
    int32_t newNumber;
};
