#pragma once

// Visual styles, asked of "UxTheme.dll" at run time (the library may be missing).

#include <windows.h>

// Whether the application is drawn with visual styles; false without the library.
bool QueryAppThemed();
// Passes the flags to EnableThemeDialogTexture; call only after QueryAppThemed
// answered true. Nothing happens without the entry.
void EnableDialogTexture(HWND window, DWORD flags);
