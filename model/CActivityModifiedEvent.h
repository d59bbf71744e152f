#pragma once

#include "library/events/CEventTypeNoResult.h"

class CActivity;

// An activity's name or enabled flag changed; heard through the root of its tree.
class CActivityModifiedEvent : public CEventTypeNoResult {
public:
    explicit CActivityModifiedEvent(CActivity* activity_) : activity(activity_) {}
    CActivity* activity;
};
