#pragma once

// CMainDlgBase: what the full and the compact main window share: the project they show
// (the current one) and its committed state, the menu bar, the links to the set of open
// projects and to every open project, the title and window icons, the window messages
// (minimise to the tray, close, end of session, hand-over from a second instance), the
// display switch and the dialog launcher with the questions the projects ask.
//
//   class CMainDlg : public CMainDlgBase, ... {
//       CMainDlg() : CMainDlgBase(EDisplayMode::Full) { ... }
//       bool OnDialogInitialize(CDialogInitializeEvent& e) { InitCommon(e); ... }
//       void StorePlacement() override;   // slot 0 of the dialog placements
//       void ShowStatistics() override;   // refresh the shown totals
//   };
//
// Usage notes:
// - Each derived window calls InitCommon first in its initialisation, routes its dialog
//   messages to OnDialogMessage and its terminate event to SetTerminateResult.
// - Handlers that a derived window also hears through a bridge of its own must not rely
//   on running before it: both read the current project from the set of open projects.
// - ConnectProject is idempotent, so a project announced twice is heard once.
// - While a modal moment runs (CModalScope: a dialog, a file dialog, a message box or
//   question of the program), Exit, WM_CLOSE, the end-of-session query and the display
//   switch are refused and the moment's window comes to the front; a hand-over waits
//   for the moment's end; commands from outside are ignored (CMenu); a detected
//   inactivity opens its dialog once the last moment has ended. What the moment holds
//   is never closed under it.
// - The shown project always has a selected activity when it has activities: whenever
//   the window takes up a project or a committed edit replaces its state and nothing is
//   selected, the running activity (else the first of the tree) becomes the selection, so
//   that Start acts at once. A selection is no unsaved change.

#include "app/main/EDialogKind.h"
#include "app/services/CInactiveEvent.h"
#include "app/services/IMainWindow.h"
#include "app/settings/CViewTopMostChangedEvent.h"
#include "app/tray/CNotIconActiveChangeEvent.h"
#include "library/dialogs/CDialogInitializeEvent.h"
#include "library/dialogs/CDialogMessageEvent.h"
#include "library/dialogs/CDialogTerminateEvent.h"
#include "library/dialogs/CResizableDialogWindow.h"
#include "library/events/CSlot.h"
#include "library/events/CSlotBridge.h"
#include "mainwindow/CPostponedInactivity.h"
#include "model/CProjectAskNewLocationEvent.h"
#include "model/CProjectBrowser.h"
#include "model/CProjectModifiedEvent.h"
#include "model/CProjectSavedEvent.h"
#include "model/CProjectStateSwitchedEvent.h"
#include "model/CProjectsAddedEvent.h"
#include "model/CProjectsClosedEvent.h"
#include "model/CProjectsMayCloseEvent.h"
#include "model/CProjectsSwitchedEvent.h"
#include "model/CStatsUpdatedEvent.h"

#include <memory>
#include <vector>

class CMenu;
class CProject;
class CProjectState;
struct SDialogIdentity;

class CMainDlgBase : public CResizableDialogWindow,
                     public IMainWindow,
                     public CSlot<CInactiveEvent>,
                     public CSlotBridge<CViewTopMostChangedEvent, CMainDlgBase>,
                     public CSlot<CNotIconActiveChangeEvent>,
                     public CSlot<CStatsUpdatedEvent>,
                     public CSlot<CProjectAskNewLocationEvent>,
                     public CSlotBridge<CProjectModifiedEvent, CMainDlgBase>,
                     public CSlotBridge<CProjectSavedEvent, CMainDlgBase>,
                     public CSlot<CProjectStateSwitchedEvent>,
                     public CSlotBridge<CProjectsAddedEvent, CMainDlgBase>,
                     public CSlotBridge<CProjectsClosedEvent, CMainDlgBase>,
                     public CSlotBridge<CProjectsSwitchedEvent, CMainDlgBase>,
                     public CSlot<CProjectsMayCloseEvent> {
public:
    // The exit code of a window that closed for a display switch.

    ~CMainDlgBase() override;

    CProject* GetCurrentProject() const { return m_project; }
    CProjectState* GetCurrentState() const { return m_state; }
    EDisplayMode GetDisplayKind() const { return m_displayKind; }
    CMenu& GetMenu() { return *m_menu; }

    void SetCurrentProject(CProject* project);
    void UpdateTitle();
    void UpdateIcons();
    void ConnectProject(CProject* project);
    void DisconnectProject(CProject* project);

    // Window messages shared by both displays; true when handled.
    bool OnDialogMessage(CDialogMessageEvent& event);
    void SetTerminateResult(CDialogTerminateEvent& event);
    void SwitchDisplay();
    void SetTopMost(bool topMost);
    void ShowHelp();
    // Whether the launcher has a dialog for kind (the menu greys the others).
    static bool IsDialogAvailable(EDialogKind kind);
    // True while a modal moment of the program runs (CModalScope).
    bool IsDialogRunning() const;

    // IMainWindow
    CDialogWindow& GetDialogWindow() override { return *this; }
    HWND GetMainWindowHandle() const override { return GetHwnd(); }
    void Activate() override;
    bool Exit(EExitReason reason) override;
    void ShowDialog(EDialogKind kind) override;
    void StorePlacement() override = 0;
    // Refreshes the totals the window shows.
    virtual void ShowStatistics() = 0;

    // Bridged handlers (derived windows hear the same events through bridges of their own).
    bool OnBridgedEvent(CViewTopMostChangedEvent& event) { return OnViewTopMostChanged(event); }
    bool OnBridgedEvent(CProjectModifiedEvent& event) { return OnProjectModified(event); }
    bool OnBridgedEvent(CProjectSavedEvent& event) { return OnProjectSaved(event); }
    bool OnBridgedEvent(CProjectsAddedEvent& event) { return OnProjectsAdded(event); }
    bool OnBridgedEvent(CProjectsClosedEvent& event) { return OnProjectsClosed(event); }
    bool OnBridgedEvent(CProjectsSwitchedEvent& event) { return OnProjectsSwitched(event); }

protected:
    explicit CMainDlgBase(EDisplayMode displayKind);

    // The common part of the window's initialisation: start-up projects, menu, tray
    // icon, title, icons, always on top.
    void InitCommon(CDialogInitializeEvent& event);

    bool OnEvent(CInactiveEvent& event) override { return OnInactive(event); }
    bool OnEvent(CNotIconActiveChangeEvent& event) override { return OnNotIconActiveChange(event); }
    bool OnEvent(CStatsUpdatedEvent& event) override { return OnStatsUpdated(event); }
    CProjectBrowser OnEvent(CProjectAskNewLocationEvent& event) override {
        return OnProjectAskNewLocation(event);
    }
    bool OnEvent(CProjectStateSwitchedEvent& event) override {
        return OnProjectStateSwitched(event);
    }
    bool OnEvent(CProjectsMayCloseEvent& event) override { return OnProjectsMayClose(event); }

    virtual bool OnInactive(CInactiveEvent& event);
    virtual bool OnNotIconActiveChange(CNotIconActiveChangeEvent& event);
    virtual bool OnStatsUpdated(CStatsUpdatedEvent& event);
    virtual CProjectBrowser OnProjectAskNewLocation(CProjectAskNewLocationEvent& event);
    virtual bool OnProjectStateSwitched(CProjectStateSwitchedEvent& event);
    virtual bool OnProjectsMayClose(CProjectsMayCloseEvent& event);

    bool OnViewTopMostChanged(CViewTopMostChangedEvent& event);
    bool OnProjectModified(CProjectModifiedEvent& event);
    bool OnProjectSaved(CProjectSavedEvent& event);
    bool OnProjectsAdded(CProjectsAddedEvent& event);
    bool OnProjectsClosed(CProjectsClosedEvent& event);
    bool OnProjectsSwitched(CProjectsSwitchedEvent& event);

private:
    // Makes the running activity, else the first activity of the tree, the current state's
    // selection when it has none; its selection event tells every control.
    void SelectActivityIfNone();
    // Brings the window of the innermost modal moment to the front.
    void BringDialogToFront();
    // Runs dialog, named by identity, modally over this window: a modal moment for as
    // long as it runs.
    void RunDialog(CDialogWindow& dialog, const SDialogIdentity& identity);
    // The answer to the session's end: refused while a modal moment runs.
    bool QueryEndSession();
    // Runs the inactivity dialog of project; it comes back later when the dialog found
    // the project being edited.
    void OpenInactivityDialog(CProject& project, const SClockReading& start);

    std::unique_ptr<CMenu> m_menu;
    CProject* m_project = nullptr;
    CProjectState* m_state = nullptr;
    bool m_statisticsPending = false;
    bool m_switchRequested = false;
    EDisplayMode m_displayKind;
    // The working state whose icons the window carries; -1 before the first.
    int m_shownIconState = -1;
    // Inactivities reported during a moment or an edit, waiting for their end.
    CPostponedInactivity m_postponedInactivity;
};
