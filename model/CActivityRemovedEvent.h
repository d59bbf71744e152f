#pragma once

#include "library/events/CEventTypeNoResult.h"

class CActivity;

// An activity left its tree (detached with notification, or destroyed); heard through the
// root of the tree it left. Its descendants are still attached to it.
class CActivityRemovedEvent : public CEventTypeNoResult {
public:
    explicit CActivityRemovedEvent(CActivity* activity_) : activity(activity_) {}
    CActivity* activity;
};
