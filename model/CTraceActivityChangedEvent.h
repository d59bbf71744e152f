#pragma once

#include "library/events/CEventTypeNoResult.h"

class CActivity;
class CTallymark;

// A tally mark was given another activity; the collection of the old activity moves it.
class CTraceActivityChangedEvent : public CEventTypeNoResult {
public:
    CTraceActivityChangedEvent(CTallymark* tallymark_, CActivity* oldActivity_,
                               CActivity* newActivity_)
        : tallymark(tallymark_), oldActivity(oldActivity_), newActivity(newActivity_) {}
    CTallymark* tallymark;
    CActivity* oldActivity;
    CActivity* newActivity;
};
