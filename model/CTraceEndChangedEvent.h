#pragma once

#include "library/events/CEventTypeNoResult.h"
#include "library/datetime/CDateTime.h"

class CTallymark;

// A tally mark's end changed; the tally mark already holds the new end. becameClosed: the
// old end was the null date (the tally mark was open) and the new one is not.
class CTraceEndChangedEvent : public CEventTypeNoResult {
public:
    CTraceEndChangedEvent(CTallymark* tallymark_, const CDateTime& oldEnd_,
                          const CDateTime& newEnd_, bool becameClosed_)
        : tallymark(tallymark_), oldEnd(oldEnd_), newEnd(newEnd_), becameClosed(becameClosed_) {}
    CTallymark* tallymark;
    CDateTime oldEnd;
    CDateTime newEnd;
    bool becameClosed;
};
