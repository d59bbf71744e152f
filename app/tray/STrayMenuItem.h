#pragma once

#include "library/controls/SPopupMenuEntryData.h"

#include <cstdint>

class CActivity;
class CProject;

// The command behind one entry of the tray menu. The project and the activity are not
// owned and may be gone by the time the entry is chosen: look them up again before use.
struct STrayMenuItem : SPopupMenuEntryData {
    enum EKind : int32_t { kShow = 0, kExit = 1, kStopWorking = 2, kStartWorking = 3 };

    explicit STrayMenuItem(int32_t kind_, CProject* project_ = nullptr,
                           CActivity* activity_ = nullptr)
        : kind(kind_), project(project_), activity(activity_) {}

    int32_t kind;
    // Kinds 2 and 3; for kind 2 null stands for the current project.
    CProject* project;
    // Kind 3 only: an activity of the project's committed state when the menu was built.
    CActivity* activity;
};
