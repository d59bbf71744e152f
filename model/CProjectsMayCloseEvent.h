#pragma once
#include "library/events/CEventTypeBoolOr.h"
#include "model/EExitReason.h"

class CProject;

// Asks whether the project may close; it may when any listener answers true (so with no
// listener it stays open). Listeners may ask the user to stop work and to save, by reason.
class CProjectsMayCloseEvent : public CEventTypeBoolOr {
public:
    CProjectsMayCloseEvent(CProject* project_, EExitReason reason_)
        : project(project_), reason(reason_) {}
    CProject* project;
    EExitReason reason;
};
