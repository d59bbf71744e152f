#pragma once
#include "library/events/CEventTypeNoResult.h"

class CProject;
class CProjectState;

// An edit transaction was committed: newState took oldState's place on the project's state
// stack. oldState is deleted after the emission; listeners must forget every pointer into it.
class CProjectStateSwitchedEvent : public CEventTypeNoResult {
public:
    CProjectStateSwitchedEvent(CProject* project_, CProjectState* oldState_,
                               CProjectState* newState_)
        : project(project_), oldState(oldState_), newState(newState_) {}
    CProject* project;
    CProjectState* oldState;
    CProjectState* newState;
};
