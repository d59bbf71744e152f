#pragma once

// IMainWindow: what the application object and its services ask of the running main
// window (the full or the compact one, whichever runs). The main windows implement it;
// the application object owns the one that runs and deletes it through this interface.

#include "app/main/EDialogKind.h"
#include "app/services/EDisplayMode.h"
#include "model/EExitReason.h"

#include <windows.h>

class CDialogWindow;

class IMainWindow {
public:
    // The exit code of a window that ends for the other display to run.
    static constexpr int kSwitchDisplayExitCode = 0xFFFF;

    virtual ~IMainWindow() = default;

    // The dialog behind the window, which the main loop creates and runs modally.
    virtual CDialogWindow& GetDialogWindow() = 0;
    // The window that is hidden to and restored from the notification area.
    virtual HWND GetMainWindowHandle() const = 0;
    // Brings the window to the front, taking it back from the notification area first.
    virtual void Activate() = 0;
    // Ends the program for reason (the user chose Exit, or the Windows session ends)
    // once every open project agreed and the settings were saved; false when that was
    // refused and the program goes on.
    virtual bool Exit(EExitReason reason) = 0;
    // Writes the window's placement (and the display mode it shows) into the settings.
    virtual void StorePlacement() = 0;
    // Runs the dialog of kind modally over the window; nothing for a kind whose dialog is
    // not available.
    virtual void ShowDialog(EDialogKind kind) = 0;
};
