#pragma once

#include "library/text/CText.h"

class CActivity;
class CProjectState;
class CTallymark;

// What a save checks before it touches the file: the project-file readers refuse a whole
// file over one date that they cannot read, so a project that holds such a date is not
// written at all (CProject::Save).
class CSaveCheck {
public:
    // The first tally mark (the root activity first, then its activities depth-first) whose
    // start, or whose end unless it is open, a project file cannot hold
    // (CTallymark::CanHold); null when there is none.
    static CTallymark* FindUnstorable(CProjectState& state);
    // The reason of a refused save, naming the tally mark: its activity's path and its
    // dates in local time.
    static CText Describe(const CTallymark& tallymark);

private:
    static CTallymark* FindUnstorable(CActivity* activity);
};
