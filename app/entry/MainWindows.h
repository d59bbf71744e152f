#pragma once

// The main windows of the program, as the application object's main loop asks for them.

#include "app/services/IMainWindow.h"

#include <memory>

// A new main window for the display mode (0 full, 1 compact). The compact display is
// not part of the program yet: for it the full window is built and displayMode set to
// full, so a display switch opens the full window again.
std::unique_ptr<IMainWindow> MakeMainWindow(int& displayMode);
