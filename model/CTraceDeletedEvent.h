#pragma once

#include "library/events/CEventTypeNoResult.h"

class CTallymark;

// A tally mark is being destroyed; every field is still valid while it is heard.
class CTraceDeletedEvent : public CEventTypeNoResult {
public:
    explicit CTraceDeletedEvent(CTallymark* tallymark_) : tallymark(tallymark_) {}
    CTallymark* tallymark;
};
