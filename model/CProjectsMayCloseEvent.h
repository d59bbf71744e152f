#pragma once
#include "library/events/CEventTypeBoolOr.h"

class CProject;

// Asks whether the project may close; it may when any listener answers true (so with no
// listener it stays open). Listeners may ask the user to stop work and to save, by reason.
class CProjectsMayCloseEvent : public CEventTypeBoolOr {
public:
    enum EReason {
        kCloseProject = 0, // one project is closed
        kExit = 1,         // the program ends at the user's wish
        kEndSession = 2,   // the Windows session ends
        kExitNoCancel = 3, // the program ends and the user cannot cancel
    };

    CProjectsMayCloseEvent(CProject* project_, int reason_) : project(project_), reason(reason_) {}
    CProject* project;
    int reason;
};
