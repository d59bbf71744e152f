#pragma once

#include "library/events/CEventTypeNoResult.h"

class CTallymark;

// A tally mark left an activity's collection (one event per tally mark, also when a
// collection is cleared); it is not deleted yet.
class CTracesRemovedEvent : public CEventTypeNoResult {
public:
    explicit CTracesRemovedEvent(CTallymark* tallymark_) : tallymark(tallymark_) {}
    CTallymark* tallymark;
};
