#pragma once
#include "library/events/CEventTypeNoResult.h"
#include "library/text/CError.h"

class CProject;

// A save wrote a file or failed to. error is set when the save failed, and also when it
// succeeded but left its backup copy behind.
class CProjectSavedEvent : public CEventTypeNoResult {
public:
    CProjectSavedEvent(CProject* project_, bool saved_, bool newLocation_, const CError& error_)
        : project(project_), saved(saved_), newLocation(newLocation_), error(error_) {}
    CProject* project;
    bool saved;
    bool newLocation;
    CError error;
};
