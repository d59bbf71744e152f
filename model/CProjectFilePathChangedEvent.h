#pragma once
#include "library/events/CEventTypeNoResult.h"
#include "library/files/CFilePath.h"

class CProject;

// A project was saved to a new location; the project already holds the new path.
class CProjectFilePathChangedEvent : public CEventTypeNoResult {
public:
    CProjectFilePathChangedEvent(CProject* project_, const CFilePath& oldPath_)
        : project(project_), oldPath(oldPath_) {}
    CProject* project;
    CFilePath oldPath;
};
