#pragma once

#include "library/datetime/CDateTime.h"
#include "model/CClockNoticeEvent.h"

#include <string>

// One clock notice as it was when reported, kept until the user has been told: copies
// only, since the activity and the tally mark may be gone by then.
struct SClockNotice {
    EClockNotice notice = EClockNotice::StartRefused;
    // The name of the activity worked on (or to be started).
    std::string activity;
    // Whether a tally mark was concerned (not when a start was refused), and its start and
    // end then (universal time; the end is the null date while it stays open).
    bool hasTallymark = false;
    CDateTime start;
    CDateTime end;
    // What the clock showed (universal time; invalid when it could not be read).
    CDateTime now;
};
