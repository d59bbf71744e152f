#include "mainwindow/ButtonPictures.h"

#include "app/ui/ButtonControls.h"

#include <cstdint>

namespace {

// The push-button states a button image list holds, and the disabled one's place.
const int kStateCount = 6;
const int kDisabledImage = 3;
// Stands for "transparent" while the images are drawn; no picture uses it.
const COLORREF kKey = RGB(255, 0, 255);

// A grey of the pixel's brightness, faded half-way to white, as Windows greys a disabled
// picture; the key colour stays.
void Grey(uint32_t& pixel) {
    const uint32_t blue = pixel & 0xFF;
    const uint32_t green = (pixel >> 8) & 0xFF;
    const uint32_t red = (pixel >> 16) & 0xFF;
    if (RGB(red, green, blue) == kKey) {
        return;
    }
    const uint32_t brightness = (red * 30 + green * 59 + blue * 11) / 100;
    const uint32_t grey = 128 + brightness / 2;
    pixel = (grey << 16) | (grey << 8) | grey;
}

} // namespace

HIMAGELIST MakeButtonStateImages(HICON icon, int width, int height) {
    if (icon == nullptr || width <= 0 || height <= 0) {
        return nullptr;
    }
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width * kStateCount;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP strip = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (dc == nullptr || strip == nullptr || bits == nullptr) {
        if (strip != nullptr) {
            DeleteObject(strip);
        }
        if (dc != nullptr) {
            DeleteDC(dc);
        }
        return nullptr;
    }
    HGDIOBJ old = SelectObject(dc, strip);
    const RECT all = {0, 0, width * kStateCount, height};
    HBRUSH key = CreateSolidBrush(kKey);
    FillRect(dc, &all, key);
    DeleteObject(key);
    for (int state = 0; state < kStateCount; ++state) {
        DrawIconEx(dc, state * width, 0, icon, width, height, 0, nullptr, DI_NORMAL);
    }
    GdiFlush();
    uint32_t* pixels = static_cast<uint32_t*>(bits);
    const int stride = width * kStateCount;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < stride; ++x) {
            uint32_t& pixel = pixels[y * stride + x];
            // The mask says what is transparent, not the alpha of the drawn icon.
            pixel &= 0x00FFFFFF;
            if (x / width == kDisabledImage) {
                Grey(pixel);
            }
        }
    }
    SelectObject(dc, old);
    DeleteDC(dc);
    HIMAGELIST list = ImageList_Create(width, height, ILC_COLOR32 | ILC_MASK, kStateCount, 0);
    if (list != nullptr && ImageList_AddMasked(list, strip, kKey) < 0) {
        ImageList_Destroy(list);
        list = nullptr;
    }
    DeleteObject(strip);
    return list;
}

void SetStateButtonPicture(HWND dialog, int id, const SButtonImage& picture,
                           CHandle<CImgLHandleTraits>& images) {
    int width = 0;
    int height = 0;
    if (!images.IsSet() && picture.imageList.IsSet() &&
        ImageList_GetIconSize(picture.imageList, &width, &height)) {
        images = MakeButtonStateImages(picture.icon, width, height);
    }
    // Without the states the shared picture is still better than none.
    SetButtonIcon(dialog, id, images.IsSet() ? images.Get() : picture.imageList.Get(),
                  picture.icon);
}
