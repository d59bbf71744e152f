#pragma once

// IMainWindow: what the application's services ask of the running main window (the full
// or the compact one, whichever runs). The main windows implement it; services keep a
// pointer that the window hands them while it initialises.

#include <windows.h>

class IMainWindow {
public:
    // The window that is hidden to and restored from the notification area.
    virtual HWND GetMainWindowHandle() const = 0;
    // Brings the window to the front, taking it back from the notification area first.
    virtual void Activate() = 0;
    // Ends the program for reason (1: the user chose Exit, 2: the Windows session ends)
    // once every open project agreed and the settings were saved; false when that was
    // refused and the program goes on.
    virtual bool Exit(int reason) = 0;

protected:
    ~IMainWindow() = default;
};
