#include "dialogs/ScaledFont.h"

LONG ScaleFontHeight(LONG height, int numerator, int denominator) {
    if (denominator == 0) {
        return height;
    }
    return static_cast<LONG>(static_cast<long long>(height) * numerator / denominator);
}

CHandle<CGDIHandleTraits> ScaleControlFont(HWND control, int numerator, int denominator) {
    CHandle<CGDIHandleTraits> font;
    HFONT current = control != nullptr
                        ? reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0))
                        : nullptr;
    LOGFONTA description = {};
    if (current == nullptr ||
        GetObjectA(current, sizeof(description), &description) != sizeof(description)) {
        return font;
    }
    description.lfHeight = ScaleFontHeight(description.lfHeight, numerator, denominator);
    font = CreateFontIndirectA(&description);
    if (font.IsSet()) {
        SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font.Get()), TRUE);
    }
    return font;
}
