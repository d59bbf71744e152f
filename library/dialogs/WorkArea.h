#pragma once

// Work areas of monitors and the coordinates of restored window places.

#include <windows.h>

// The work area of the monitor nearest to point (the primary work area when monitors
// cannot be asked); false when none can be read.
bool GetWorkAreaNear(POINT point, RECT& workArea);
// The point moved into workArea so that at least 64 by 32 pixels right of and below it
// lie on the work area; a point left of or above it (a place on a monitor since
// removed) comes to its left or top edge.
POINT ClampIntoWorkArea(POINT point, const RECT& workArea);
// A restored place of a top-level window (WINDOWPLACEMENT::rcNormalPosition, measured
// from the work area's corner) in screen coordinates, given its monitor's rectangle
// and work area.
RECT WorkspaceToScreen(const RECT& normal, const RECT& monitor, const RECT& workArea);
