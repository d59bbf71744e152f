#pragma once
#include "library/events/CEventTypeNoResult.h"

class CProject;

// The current project changed; either side may be null.
class CProjectsSwitchedEvent : public CEventTypeNoResult {
public:
    CProjectsSwitchedEvent(CProject* oldProject_, CProject* newProject_)
        : oldProject(oldProject_), newProject(newProject_) {}
    CProject* oldProject;
    CProject* newProject;
};
