#include "library/dialogs/CSizeGrip.h"

#include "library/handles/CHandle.h"
#include "library/handles/HandleTraits.h"

namespace {

struct SGripShape {
    int cx;
    int cy;
    CHandle<CRGNHandleTraits> region; // corner at (0, 0), the triangle up and left of it
};

const SGripShape& Shape() {
    static const SGripShape* shape = [] {
        SGripShape* made = new SGripShape(); // lives as long as the process
        made->cx = GetSystemMetrics(SM_CXSIZE);
        made->cy = GetSystemMetrics(SM_CYSIZE);
        const POINT points[] = {{-made->cx, 0}, {0, 0}, {0, -made->cy}};
        made->region = CreatePolygonRgn(points, 3, ALTERNATE);
        return made;
    }();
    return *shape;
}

} // namespace

RECT CSizeGrip::GetRect(HWND window) {
    RECT client = {0, 0, 0, 0};
    GetClientRect(window, &client);
    const SGripShape& shape = Shape();
    return RECT{client.right - shape.cx, client.bottom - shape.cy, client.right, client.bottom};
}

HRGN CSizeGrip::MakeRegion(HWND window) {
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    if (region == nullptr) {
        return nullptr;
    }
    RECT client = {0, 0, 0, 0};
    GetClientRect(window, &client);
    CombineRgn(region, Shape().region, nullptr, RGN_COPY);
    OffsetRgn(region, client.right, client.bottom);
    return region;
}

bool CSizeGrip::HitTest(HWND window, POINT screenPoint) {
    if (!ScreenToClient(window, &screenPoint)) {
        return false;
    }
    HRGN region = MakeRegion(window);
    const bool inside = region != nullptr && PtInRegion(region, screenPoint.x, screenPoint.y);
    if (region != nullptr) {
        DeleteObject(region);
    }
    return inside;
}

void CSizeGrip::Paint(HWND window, RECT& lastRect) {
    HRGN region = MakeRegion(window);
    if (region == nullptr) {
        return;
    }
    RECT grip = GetRect(window);
    HDC dc = GetDC(window);
    if (dc != nullptr) {
        InvalidateRect(window, &lastRect, TRUE);
        SelectClipRgn(dc, region);
        DrawFrameControl(dc, &grip, DFC_SCROLL, DFCS_SCROLLSIZEGRIP);
        ValidateRgn(window, region);
        lastRect = grip;
        SelectClipRgn(dc, nullptr);
        ReleaseDC(window, dc);
    }
    DeleteObject(region);
}
