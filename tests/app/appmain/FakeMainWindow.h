#pragma once

// A main window for the application object's main loop: an empty dialog that does what
// every main window does when it starts (re-open the projects, tell the application
// object), writes down what it saw and ends itself with a planned exit code.

#include "AppMainFixture.h"

#include "app/services/IMainWindow.h"
#include "library/dialogs/CDialogWindow.h"

#include <vector>

struct SWindowLog {
    std::vector<int> askedModes; // as the factory was asked
    std::vector<int> dialogIds;
    std::vector<bool> sizeGrips;
    std::vector<EDialogKind> dialogs;
    int activations = 0;
    int placements = 0;
    bool alwaysCurrent = true;  // GetMainDlg named the window while it ran
    bool alwaysFound = true;    // a second start finds it by its class
    bool alwaysHotKey = true;   // the hotkey was bound to it
    std::vector<int> exitCodes; // planned, one per window
    bool stayOpen = false;      // the windows wait for kEndMessage from the test
};

class CFakeMainWindow : public IMainWindow,
                        public CSlot<CDialogInitializeEvent>,
                        public CSlot<CDialogMessageEvent>,
                        public CSlot<CDialogTerminateEvent> {
public:
    static const UINT kEndMessage = WM_APP + 1;

    explicit CFakeMainWindow(SWindowLog& log) : m_log(log) {
        CSlot<CDialogInitializeEvent>::Connect(&m_dialog);
        CSlot<CDialogMessageEvent>::Connect(&m_dialog);
        CSlot<CDialogTerminateEvent>::Connect(&m_dialog);
    }

    CDialogWindow& GetDialogWindow() override { return m_dialog; }
    HWND GetMainWindowHandle() const override { return m_dialog.GetHwnd(); }
    void Activate() override { ++m_log.activations; }
    bool Exit(EExitReason) override { return false; }
    void StorePlacement() override { ++m_log.placements; }
    void ShowDialog(EDialogKind kind) override { m_log.dialogs.push_back(kind); }

    // Builds a window for every mode asked.
    static CAppMain::MainWindowFactory Factory(SWindowLog& log) {
        return [&log](EDisplayMode& mode) -> std::unique_ptr<IMainWindow> {
            log.askedModes.push_back(static_cast<int>(mode));
            return std::make_unique<CFakeMainWindow>(log);
        };
    }

protected:
    bool OnEvent(CDialogInitializeEvent& event) override {
        CAppMain& app = CAppMain::Get();
        m_log.dialogIds.push_back(m_dialog.GetParams().dialogId);
        m_log.sizeGrips.push_back(m_dialog.GetParams().sizeGrip);
        m_log.alwaysCurrent &= app.GetMainDlg() == this;
        m_log.alwaysFound &= FindWindowA(kTestWindowClass, nullptr) == event.window;
        app.OpenStartupProjects();
        app.OnMainWindowCreated();
        m_log.alwaysHotKey &= app.GetHotKey().GetWindow() == event.window;
        if (!m_log.stayOpen) {
            PostMessageA(event.window, kEndMessage, 0, 0);
        }
        return true;
    }
    bool OnEvent(CDialogMessageEvent& event) override {
        if (event.message != kEndMessage) {
            return false;
        }
        m_dialog.Close();
        return true;
    }
    bool OnEvent(CDialogTerminateEvent& event) override {
        const size_t pass = m_log.dialogIds.size() - 1;
        event.exitCode = pass < m_log.exitCodes.size() ? m_log.exitCodes[pass] : 0;
        return true;
    }

private:
    SWindowLog& m_log;
    CDialogWindow m_dialog;
};
