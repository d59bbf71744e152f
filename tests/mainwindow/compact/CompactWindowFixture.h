#pragma once

// The main-window fixture with both displays: the application object's main loop builds
// the compact window for the compact mode and the full window otherwise, as the program
// does.

#include "../fullwindow/MainWindowFixture.h"

#include "mainwindow/CCompactDlg.h"

#include <memory>

namespace mainwindowtest {

class CCompactWindowFixture : public CMainWindowFixture {
protected:
    CCompactWindowFixture() { UseBothDisplays(); }
    // A fresh application object (the previous one goes first) with both displays.
    void RestartApp() {
        StartApp();
        UseBothDisplays();
    }
    void UseBothDisplays() {
        App().SetMainWindowFactory([](EDisplayMode& mode) -> std::unique_ptr<IMainWindow> {
            if (mode == EDisplayMode::Compact) {
                return std::make_unique<CCompactDlg>();
            }
            mode = EDisplayMode::Full;
            return std::make_unique<CMainDlg>();
        });
    }
    CCompactDlg* Compact() { return dynamic_cast<CCompactDlg*>(App().GetMainDlg()); }
    HWND CompactHwnd() { return Compact() != nullptr ? Compact()->GetHwnd() : nullptr; }
    // A script condition: the compact window is up and shown.
    std::function<bool()> CompactShown() {
        return [this] { return CompactHwnd() != nullptr && IsWindowVisible(CompactHwnd()); };
    }
    void CompactCommand(int id) { SendMessageA(CompactHwnd(), WM_COMMAND, MAKEWPARAM(id, 0), 0); }
};

} // namespace mainwindowtest
