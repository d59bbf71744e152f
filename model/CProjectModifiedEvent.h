#pragma once
#include "library/events/CEventTypeNoResult.h"
#include "model/EProjectPart.h"

class CProject;

// The committed content of a project changed; parts are those of this change only.
class CProjectModifiedEvent : public CEventTypeNoResult {
public:
    CProjectModifiedEvent(CProject* project_, const CBitmask<EProjectPart>& parts_)
        : project(project_), parts(parts_) {}
    CProject* project;
    CBitmask<EProjectPart> parts;
};
