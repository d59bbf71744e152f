#pragma once

// SMenuFacts: what the main menu knows about the program when it decides which
// commands can run and which items carry a check mark (see MenuRules.h). Plain values,
// so the decisions can be made and tested without a window.

#include "app/services/EDisplayMode.h"

#include <cstddef>

struct SMenuFacts {
    // A project is current.
    bool hasProject = false;
    // Its name, activities or tally marks are unsaved.
    bool modified = false;
    // The root activity of the state the window shows has at least one child.
    bool hasActivities = false;
    // The root activity of the current project's committed state has at least one child.
    bool committedHasActivities = false;
    // The shown state has a selected activity, and it is enabled.
    bool selectedEnabled = false;
    // The shown state has a running tally mark.
    bool working = false;
    // The number of open projects and of entries in the recent-projects list.
    size_t numProjects = 0;
    size_t numRecent = 0;
    // The period kind of the time columns (0 hour ... 5 the whole project).
    int kind = 0;
    // The running display: 0 full, 1 compact.
    EDisplayMode displayKind = EDisplayMode::Full;
    // The window stays on top of other windows.
    bool topMost = false;
    // The program runs from a portable installation.
    bool portable = false;
};
