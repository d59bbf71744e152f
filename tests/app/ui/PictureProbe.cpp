#include "PictureProbe.h"

namespace picturetest {

SPixels DrawOn(int width, int height, const std::function<void(HDC)>& draw, COLORREF background) {
    SPixels result;
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP sheet = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (sheet == nullptr) {
        DeleteDC(dc);
        return result;
    }
    HGDIOBJ old = SelectObject(dc, sheet);
    HBRUSH brush = CreateSolidBrush(background);
    const RECT all = {0, 0, width, height};
    FillRect(dc, &all, brush);
    DeleteObject(brush);
    draw(dc);
    GdiFlush();
    result.width = width;
    result.height = height;
    const uint32_t* pixels = static_cast<const uint32_t*>(bits);
    for (int i = 0; i < width * height; ++i) {
        result.pixels.push_back(pixels[i] & 0xFFFFFF);
    }
    SelectObject(dc, old);
    DeleteObject(sheet);
    DeleteDC(dc);
    return result;
}

SIZE GetBitmapSize(HBITMAP bitmap) {
    BITMAP info = {};
    if (bitmap == nullptr || GetObjectA(bitmap, sizeof info, &info) != sizeof info) {
        return SIZE{0, 0};
    }
    return SIZE{info.bmWidth, info.bmHeight};
}

SIZE GetIconSize(HICON icon) {
    ICONINFO info = {};
    if (icon == nullptr || !GetIconInfo(icon, &info)) {
        return SIZE{0, 0};
    }
    SIZE size = GetBitmapSize(info.hbmColor != nullptr ? info.hbmColor : info.hbmMask);
    if (info.hbmColor == nullptr) {
        size.cy /= 2; // a monochrome mask holds the AND and XOR halves one above the other
    }
    if (info.hbmColor != nullptr) {
        DeleteObject(info.hbmColor);
    }
    DeleteObject(info.hbmMask);
    return size;
}

} // namespace picturetest
