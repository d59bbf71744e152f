#pragma once
#include "library/events/CEventTypeNoResult.h"

class CProject;

// The last open edit transaction of a project ended (committed or discarded): the project
// holds its committed state alone again.
class CProjectEndStateTrackingEvent : public CEventTypeNoResult {
public:
    explicit CProjectEndStateTrackingEvent(CProject* project_) : project(project_) {}
    CProject* project;
};
