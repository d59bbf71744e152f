#pragma once

#include "library/events/CEventTypeNoResult.h"

class CTallymark;

// A tally mark joined an activity's collection (one event per tally mark).
class CTracesAddedEvent : public CEventTypeNoResult {
public:
    explicit CTracesAddedEvent(CTallymark* tallymark_) : tallymark(tallymark_) {}
    CTallymark* tallymark;
};
