#include "harness/WindowPicture.h"

#include <cstdio>
#include <vector>

namespace harness {

bool SaveWindowPicture(HWND window, const std::string& path) {
    RECT rect;
    if (window == nullptr || !GetWindowRect(window, &rect)) {
        return false;
    }
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    if (width <= 0 || height <= 0) {
        return false;
    }
    // Paint what is pending first, so the picture shows the current state.
    RedrawWindow(window, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);

    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height; // bottom-up, as BMP files store rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;

    HDC windowDc = GetWindowDC(window);
    HDC memoryDc = CreateCompatibleDC(windowDc);
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(windowDc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    bool copied = false;
    if (bitmap != nullptr && memoryDc != nullptr) {
        HGDIOBJ old = SelectObject(memoryDc, bitmap);
        copied = BitBlt(memoryDc, 0, 0, width, height, windowDc, 0, 0, SRCCOPY) != FALSE;
        SelectObject(memoryDc, old);
        GdiFlush();
    }
    const size_t stride = (static_cast<size_t>(width) * 3 + 3) & ~static_cast<size_t>(3);
    const size_t imageSize = stride * static_cast<size_t>(height);
    bool written = false;
    if (copied) {
        BITMAPFILEHEADER file = {};
        file.bfType = 0x4D42; // "BM"
        file.bfOffBits = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
        file.bfSize = static_cast<DWORD>(file.bfOffBits + imageSize);
        if (FILE* out = std::fopen(path.c_str(), "wb")) {
            written = std::fwrite(&file, sizeof(file), 1, out) == 1 &&
                      std::fwrite(&info.bmiHeader, sizeof(info.bmiHeader), 1, out) == 1 &&
                      std::fwrite(bits, 1, imageSize, out) == imageSize;
            written = std::fclose(out) == 0 && written;
        }
    }
    if (bitmap != nullptr) {
        DeleteObject(bitmap);
    }
    if (memoryDc != nullptr) {
        DeleteDC(memoryDc);
    }
    ReleaseDC(window, windowDc);
    return written;
}

} // namespace harness
