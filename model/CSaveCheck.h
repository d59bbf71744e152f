#pragma once

#include "library/text/CText.h"

class CActivity;
class CProjectState;
class CTallymark;

// What a save checks before it touches the file: the project-file readers refuse a whole
// file over one thing that they cannot read (ProjectFileLimits.h, CTallymark::CanHold), so a
// project that holds such a thing is not written at all (CProject::Save). The counts and
// lengths that the formats store are bounded by the largest file that CDataFile writes,
// which it refuses before it touches a file.
class CSaveCheck {
public:
    // Why the state cannot be written as a file that reads back, naming the activity or
    // tally mark concerned; an empty text when it can.
    static CText FindRefusal(CProjectState& state);

    // The first activity below root, the root of its tree, (depth-first) that lies deeper
    // than a project file holds (kMaxActivityDepth); null when there is none.
    static CActivity* FindTooDeep(CActivity* root);
    // The first tally mark (the root activity first, then its activities depth-first) whose
    // start, or whose end unless it is open, a project file cannot hold
    // (CTallymark::CanHold); null when there is none.
    static CTallymark* FindUnstorable(CProjectState& state);
    // The reason of a refused save, naming the tally mark: its activity's path and its
    // dates in local time.
    static CText Describe(const CTallymark& tallymark);
    // The reason of a refused save, naming the activity that lies too deep and its depth.
    static CText DescribeTooDeep(const CActivity& activity);

private:
    static CTallymark* FindUnstorable(CActivity* activity);
};
