#pragma once
#include "library/events/CEventTypeNoResult.h"

class CProject;

// The project left the set of open projects; it is deleted after the emission.
class CProjectsClosedEvent : public CEventTypeNoResult {
public:
    explicit CProjectsClosedEvent(CProject* project_) : project(project_) {}
    CProject* project;
};
