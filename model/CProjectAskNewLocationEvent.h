#pragma once
#include "model/CEventTypeBrowseResult.h"

class CProject;

// A save needs a location: a listener runs the project browser (save purpose, proposing
// the project's file name, with the current format preselected) and answers with it.
class CProjectAskNewLocationEvent : public CEventTypeBrowseResult {
public:
    CProjectAskNewLocationEvent(CProject* project_, int format_)
        : project(project_), format(format_) {}
    CProject* project;
    // The project's current format, 0 when it has none yet.
    int format;
};
