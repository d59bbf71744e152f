#pragma once
#include "library/events/CEventTypeNoResult.h"
#include "library/files/CFilePath.h"
#include "library/text/CError.h"

class CProject;

// An attempt to open a project ended, or a new project was made. ok tells whether project
// is in the set now (it may have been open already); on failure project is null and error
// holds the message. userProject is false for a project opened to exchange data with.
class CProjectsAddedEvent : public CEventTypeNoResult {
public:
    CProjectsAddedEvent(CProject* project_, bool ok_, bool userProject_, const CFilePath& path_,
                        const CError& error_)
        : project(project_), ok(ok_), userProject(userProject_), path(path_), error(error_) {}
    CProject* project;
    bool ok;
    bool userProject;
    CFilePath path;
    CError error;
};
