#pragma once

// CCompactDlg: the compact display of the main window, one row: the working-state icon,
// the activity chooser (the current project state's selected activity), start and stop,
// the time of the chosen activity in the current period of the view's kind, and the
// always-on-top toggle. Menu, projects, tray, inactivity, closing and the display switch
// are the base's.
//
// The main loop builds it when the view mode is compact, runs it modally with the menu's
// accelerators and deletes it; it ends with exit code 0xFFFF when the user switches to the
// full display. Only its position is stored (the window keeps its template's size).

#include "app/services/CCurrentHourChangedEvent.h"
#include "app/settings/CEmptyTimeModeChangedEvent.h"
#include "app/settings/CShowTimeCumulativeChangedEvent.h"
#include "app/ui/EPlacementSlot.h"
#include "library/dialogs/CDialogCommandEvent.h"
#include "library/handles/CHandle.h"
#include "library/handles/HandleTraits.h"
#include "mainwindow/CActivityComboBox.h"
#include "mainwindow/CMainDlgBase.h"
#include "mainwindow/CMenuStatTypeChangedEvent.h"

#include <string>

class CCompactDlg : public CMainDlgBase,
                    public CSlotBridge<CDialogMessageEvent, CCompactDlg>,
                    public CSlot<CDialogCommandEvent>,
                    public CSlot<CDialogInitializeEvent>,
                    public CSlot<CDialogTerminateEvent>,
                    public CSlot<CEmptyTimeModeChangedEvent>,
                    public CSlot<CShowTimeCumulativeChangedEvent>,
                    public CSlotBridge<CViewTopMostChangedEvent, CCompactDlg>,
                    public CSlot<CCurrentHourChangedEvent>,
                    public CSlot<CMenuStatTypeChangedEvent>,
                    public CSlotBridge<CProjectModifiedEvent, CCompactDlg>,
                    public CSlotBridge<CProjectsAddedEvent, CCompactDlg>,
                    public CSlotBridge<CProjectsClosedEvent, CCompactDlg>,
                    public CSlotBridge<CProjectsSwitchedEvent, CCompactDlg> {
public:
    // The placement slot of the compact window.
    static constexpr EPlacementSlot kPlacementSlot = EPlacementSlot::CompactWindow;

    CCompactDlg();
    ~CCompactDlg() override;

    // Records the compact mode and the window's position.
    void StorePlacement() override;
    // Shows the chosen activity's time in the view's current period; the empty-time text
    // when the project has no activity to show.
    void ShowStatistics() override;

    CActivityComboBox& GetActivityBox() { return m_activities; }

    bool OnBridgedEvent(CDialogMessageEvent& event) { return OnDialogMessage(event); }
    bool OnBridgedEvent(CViewTopMostChangedEvent& event) {
        return OnViewTopMostChangedCompact(event);
    }
    bool OnBridgedEvent(CProjectModifiedEvent& event) { return OnProjectModifiedCompact(event); }
    bool OnBridgedEvent(CProjectsAddedEvent& event) { return OnProjectsAddedCompact(event); }
    bool OnBridgedEvent(CProjectsClosedEvent& event) { return OnProjectsClosedCompact(event); }
    bool OnBridgedEvent(CProjectsSwitchedEvent& event) { return OnProjectsSwitchedCompact(event); }

protected:
    bool OnEvent(CDialogCommandEvent& event) override { return OnDialogCommand(event); }
    bool OnEvent(CDialogInitializeEvent& event) override { return OnDialogInitialize(event); }
    bool OnEvent(CDialogTerminateEvent& event) override { return OnDialogTerminate(event); }
    bool OnEvent(CEmptyTimeModeChangedEvent& event) override;
    bool OnEvent(CShowTimeCumulativeChangedEvent& event) override;
    bool OnEvent(CCurrentHourChangedEvent& event) override;
    bool OnEvent(CMenuStatTypeChangedEvent& event) override;
    // A committed edit may change the selected activity and the running work.
    bool OnProjectStateSwitched(CProjectStateSwitchedEvent& event) override;

private:
    bool OnDialogInitialize(CDialogInitializeEvent& event);
    bool OnDialogCommand(CDialogCommandEvent& event);
    bool OnDialogTerminate(CDialogTerminateEvent& event);
    bool OnViewTopMostChangedCompact(CViewTopMostChangedEvent& event);
    bool OnProjectModifiedCompact(CProjectModifiedEvent& event);
    bool OnProjectsAddedCompact(CProjectsAddedEvent& event);
    bool OnProjectsClosedCompact(CProjectsClosedEvent& event);
    bool OnProjectsSwitchedCompact(CProjectsSwitchedEvent& event);

    void ConnectProjectCompact(CProject* project);
    // Binds the chooser to the current project and its committed state.
    void BindActivityBox();
    // Start and stop, and the state icon (which counts work in every open project).
    void UpdateWorkingState();
    // The project's controls show only while a project is current.
    void UpdateVisibility();
    // The always-on-top toggle's picture and check.
    void ShowTopMost(bool topMost);
    // Sets a control's text unless it shows that text already (no flicker, no repaint).
    void SetItemTextIfChanged(int id, const std::string& text);

    bool m_boxAttached = false;
    // Start's and stop's pictures with their greyed forms (the buttons borrow them).
    CHandle<CImgLHandleTraits> m_startImages;
    CHandle<CImgLHandleTraits> m_stopImages;
    // The state icon as last set, so that it is replaced only when it changes.
    HICON m_shownStateIcon = nullptr;
    CActivityComboBox m_activities;
};
