#include "library/windows/VisualStyles.h"

namespace {

using IsAppThemedFn = BOOL(WINAPI*)();
using EnableThemeDialogTextureFn = HRESULT(WINAPI*)(HWND, DWORD);

// Entry points are found by name; void (*)() is the neutral type to cast through.
template <class F> F Entry(HMODULE module, const char* name) {
    return reinterpret_cast<F>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

struct SUxTheme {
    IsAppThemedFn isAppThemed = nullptr;
    EnableThemeDialogTextureFn enableTexture = nullptr;
};

// Loaded once per process, also when that fails; the library stays loaded.
const SUxTheme& UxTheme() {
    static const SUxTheme uxTheme = [] {
        SUxTheme loaded;
        if (HMODULE module = LoadLibraryA("UxTheme.dll")) {
            loaded.isAppThemed = Entry<IsAppThemedFn>(module, "IsAppThemed");
            loaded.enableTexture =
                Entry<EnableThemeDialogTextureFn>(module, "EnableThemeDialogTexture");
        }
        return loaded;
    }();
    return uxTheme;
}

} // namespace

bool QueryAppThemed() {
    const SUxTheme& uxTheme = UxTheme();
    return uxTheme.isAppThemed != nullptr && uxTheme.isAppThemed() != FALSE;
}

void EnableDialogTexture(HWND window, DWORD flags) {
    const SUxTheme& uxTheme = UxTheme();
    if (uxTheme.enableTexture != nullptr) {
        uxTheme.enableTexture(window, flags);
    }
}
