#include "library/dialogs/WorkArea.h"

#include <algorithm>

bool GetWorkAreaNear(POINT point, RECT& workArea) {
    MONITORINFO info = {};
    info.cbSize = sizeof(info);
    HMONITOR monitor = MonitorFromPoint(point, MONITOR_DEFAULTTONEAREST);
    if (monitor != nullptr && GetMonitorInfoA(monitor, &info)) {
        workArea = info.rcWork;
        return true;
    }
    return SystemParametersInfoA(SPI_GETWORKAREA, 0, &workArea, 0) != FALSE;
}

POINT ClampIntoWorkArea(POINT point, const RECT& workArea) {
    point.x = std::max(std::min(point.x, workArea.right - 64), workArea.left);
    point.y = std::max(std::min(point.y, workArea.bottom - 32), workArea.top);
    return point;
}

RECT WorkspaceToScreen(const RECT& normal, const RECT& monitor, const RECT& workArea) {
    RECT screen = normal;
    OffsetRect(&screen, workArea.left - monitor.left, workArea.top - monitor.top);
    return screen;
}
