#pragma once

// Work areas of monitors and the coordinates of restored window places.

#include <windows.h>

// The work area of the monitor nearest to point (the primary work area when monitors
// cannot be asked); false when none can be read.
bool GetWorkAreaNear(POINT point, RECT& workArea);
// The top-left corner of a window of size moved so that the whole window lies on
// workArea, or, for a window larger than the work area, so that its top-left part does.
POINT ClampIntoWorkArea(POINT point, SIZE size, const RECT& workArea);
// A restored place of a top-level window (WINDOWPLACEMENT::rcNormalPosition, measured
// from the work area's corner) in screen coordinates, given its monitor's rectangle
// and work area.
RECT WorkspaceToScreen(const RECT& normal, const RECT& monitor, const RECT& workArea);
