#pragma once

// CSizeGrip: the size grip that a dialog draws in the bottom-right corner of its client
// area: a triangle as wide and high as a caption button. The shape is made once per
// process, on first use, and never destroyed.

#include <windows.h>

class CSizeGrip {
public:
    // Whether a point in screen coordinates lies on the grip of window.
    static bool HitTest(HWND window, POINT screenPoint);
    // Draws the grip and excludes it from the window's update region; the place where
    // it was drawn last (lastRect, updated) is repainted first.
    static void Paint(HWND window, RECT& lastRect);
    // The square that holds the grip, in client coordinates.
    static RECT GetRect(HWND window);

private:
    // The grip triangle moved to the client's bottom-right corner; the caller deletes it.
    static HRGN MakeRegion(HWND window);
};
