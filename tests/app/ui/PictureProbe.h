#pragma once

// Draws pictures onto a coloured sheet and reads the sheet back, to see which pixels
// a picture covers and which it leaves transparent.

#include <windows.h>
#include <commctrl.h>

#include <cstdint>
#include <functional>
#include <vector>

namespace picturetest {

const COLORREF kMagenta = RGB(255, 0, 255);

// Pixels as 0x00RRGGBB, row 0 at the top.
struct SPixels {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;

    uint32_t At(int x, int y) const { return pixels[y * width + x]; }
    bool IsMagenta(int x, int y) const { return At(x, y) == 0xFF00FF; }
};

// Runs draw on a width x height sheet of the colour and returns what it shows.
SPixels DrawOn(int width, int height, const std::function<void(HDC)>& draw,
               COLORREF background = kMagenta);
// The width and height of a bitmap; 0 x 0 when it is not one.
SIZE GetBitmapSize(HBITMAP bitmap);
// The size of an icon's (or cursor's) image.
SIZE GetIconSize(HICON icon);

} // namespace picturetest
