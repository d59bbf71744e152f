#pragma once

// The main windows of the program, as the application object's main loop asks for them.

#include "app/services/IMainWindow.h"

#include <memory>

// A new main window for the display mode: 1 the compact window, any other value the full
// window (displayMode is then set to the full display).
std::unique_ptr<IMainWindow> MakeMainWindow(EDisplayMode& displayMode);
