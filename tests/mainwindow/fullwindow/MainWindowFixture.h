#pragma once

// Runs the real application object with the full main window on a folder of its own (a
// portable installation, so both settings files lie there), with fixture projects, and
// drives it with a script.

#include "app/main/CAppMain.h"
#include "harness/CUiScript.h"
#include "harness/UiControls.h"
#include "library/dialogs/CDialogCommandEvent.h"
#include "library/dialogs/CDialogWindow.h"
#include "library/events/CSlot.h"
#include "library/system/CScratchFolder.h"
#include "mainwindow/CMainDlg.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace mainwindowtest {

// One activity of a fixture project: its name, the index of its parent in the list
// (-1: top level) and the hours booked on it, as closed tally marks of one hour ending
// now.
struct SFixtureActivity {
    std::string name;
    int parent;
    int hours;
};

// A dialog the launcher runs for a kind (template 990, "Stand-in dialog"): closes on OK.
class CStandInDialog : public CDialogWindow, public CSlot<CDialogCommandEvent> {
public:
    CStandInDialog() { CSlot<CDialogCommandEvent>::Connect(this); }

protected:
    bool OnEvent(CDialogCommandEvent& event) override {
        if (event.controlId == IDOK) {
            Close();
        }
        return true;
    }
};

class CMainWindowFixture : public ::testing::Test {
protected:
    CMainWindowFixture();
    ~CMainWindowFixture() override;

    // A fresh application object on the folder (the previous one goes first).
    void StartApp();
    // The user settings file's text (CR LF added), written before the run.
    void SetUserSettings(const std::string& lines);
    // Saves a project in the folder and returns its path.
    std::string MakeProject(const std::string& file, const std::string& name,
                            const std::vector<SFixtureActivity>& activities);
    // Runs the program's start-up and main loop (the full window) while script runs.
    int Run(harness::CUiScript& script, const std::string& commandLine = std::string());

    CAppMain& App() { return *m_app; }
    CMainDlg* Window() { return dynamic_cast<CMainDlg*>(m_app->GetMainDlg()); }
    HWND Hwnd() { return Window() != nullptr ? Window()->GetHwnd() : nullptr; }
    std::string ReadUserSettings() const;
    // A script condition: the main window is up and shown.
    std::function<bool()> WindowShown() {
        return [this] { return Hwnd() != nullptr && IsWindowVisible(Hwnd()); };
    }
    // Sends a menu or accelerator command to the running window.
    void Command(int id);

    CScratchFolder m_folder;
    std::unique_ptr<CAppMain> m_app;
};

} // namespace mainwindowtest
