#pragma once

// A picture of a window as it is drawn now, for a person to look at what a test
// showed: copied from the window's device context into a 24-bit BMP file.

#include <windows.h>

#include <string>

namespace harness {

// Writes the picture to path (a .bmp file). False when nothing could be copied.
bool SaveWindowPicture(HWND window, const std::string& path);

} // namespace harness
