#pragma once

#include "library/events/CEventTypeNoResult.h"
#include "library/datetime/CDateTime.h"

class CTallymark;

// A tally mark's start changed; the tally mark already holds the new start.
class CTraceStartChangedEvent : public CEventTypeNoResult {
public:
    CTraceStartChangedEvent(CTallymark* tallymark_, const CDateTime& oldStart_,
                            const CDateTime& newStart_)
        : tallymark(tallymark_), oldStart(oldStart_), newStart(newStart_) {}
    CTallymark* tallymark;
    CDateTime oldStart;
    CDateTime newStart;
};
