#pragma once

#include "library/datetime/CDateTime.h"

// What ending a tally mark now does or did (CTallymark::FindEndNow, CTallymark::EndNow).
enum class ETallymarkEnd {
    // Nothing: the tally mark was closed.
    NotOpen,
    // It ends now.
    Ended,
    // The clock shows less time since the work was seen running than really passed (it was
    // set back, also when only by seconds and to before the start): it ends where the work
    // was seen plus the time that passed.
    EndedAfterClockSetBack,
    // The clock shows more time since the work was seen running than really passed (it was
    // set forward): it ends where the work was seen plus the time that passed.
    EndedAfterClockSetForward,
    // The work began in an earlier run, so the time that passed is not known, and the clock
    // shows a time before the start; or its start was put after the time that really passed
    // (by hand): it ends at its start.
    EndedAtStartTimeUnknown,
    // It stays open: the clock shows a time that a project file cannot hold.
    Refused,
};

// Where an open tally mark ends when it ends now, and why there.
struct STallymarkEndNow {
    ETallymarkEnd result = ETallymarkEnd::NotOpen;
    // The end (universal time); the null date when nothing ends (NotOpen, Refused).
    CDateTime end;
    // What the clock showed (universal time; invalid when it could not be read).
    CDateTime now;

    // Whether the tally mark ends (at end).
    bool Ends() const {
        return result != ETallymarkEnd::NotOpen && result != ETallymarkEnd::Refused;
    }
};
