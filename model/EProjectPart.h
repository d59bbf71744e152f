#pragma once

#include "model/CBitmask.h"

// The parts of a project's content that a change can touch; a project keeps the parts that
// are not saved yet as a CBitmask<EProjectPart>.
enum EProjectPart {
    // The project name.
    ppName = 1,
    // An activity was added, moved or removed, or its name or enabled flag changed.
    ppActivities = 2,
    // A tally mark was added or removed, or its start or end changed.
    ppTallymarks = 4,
    // The activity selected in the activity controls changed or was removed.
    ppSelectedActivity = 8,
    // A tally mark started or stopped running.
    ppWorkingState = 16,
};

inline CBitmask<EProjectPart> operator|(EProjectPart a, EProjectPart b) {
    return CBitmask<EProjectPart>(a) | b;
}
