#pragma once

#include "library/events/CEventTypeNoResult.h"
#include "model/EProjectPart.h"

class CProjectState;

// A project state changed: parts are the parts of this one change (or, when an edited copy
// is committed, of all the changes it collected), not everything unsaved.
class CProjectStateModifiedEvent : public CEventTypeNoResult {
public:
    CProjectStateModifiedEvent(CProjectState* state_, const CBitmask<EProjectPart>& parts_)
        : state(state_), parts(parts_) {}
    CProjectState* state;
    CBitmask<EProjectPart> parts;
};
