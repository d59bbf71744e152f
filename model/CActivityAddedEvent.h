#pragma once

#include "library/events/CEventTypeNoResult.h"

class CActivity;

// An activity was attached to a parent; heard through the root of the tree it joined.
// isNew: it had no parent before (a new activity, not a move); oldParent is null then.
class CActivityAddedEvent : public CEventTypeNoResult {
public:
    CActivityAddedEvent(bool isNew_, CActivity* activity_, CActivity* newParent_,
                        CActivity* oldParent_)
        : isNew(isNew_), activity(activity_), newParent(newParent_), oldParent(oldParent_) {}
    bool isNew;
    CActivity* activity;
    CActivity* newParent;
    CActivity* oldParent;
};
