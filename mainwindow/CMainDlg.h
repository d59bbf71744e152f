#pragma once

// CMainDlg: the full display of the main window. It shows the current project's name,
// the activity that work is registered on, the activity tree with one column of totals
// per period (the newest column holds the shown date/time), a row to follow the current
// date/time or step through periods, and the buttons to start and stop work and to add
// a tally mark by hand.
//
// The main loop builds it, runs it modally with the menu's accelerators and deletes it;
// it ends with exit code 0xFFFF when the user switches to the compact display.
// Totals refresh every second while work runs: only the rows whose totals can change
// (the running activity and, with cumulative times, its ancestors) are recomputed then.

#include "app/services/CCurrentHourChangedEvent.h"
#include "app/settings/CEmptyTimeModeChangedEvent.h"
#include "app/settings/CNumColumnsChangedEvent.h"
#include "app/settings/CShowTimeCumulativeChangedEvent.h"
#include "app/ui/EPlacementSlot.h"
#include "library/controls/CRepeatButton.h"
#include "library/handles/CHandle.h"
#include "library/handles/HandleTraits.h"
#include "library/dialogs/CDialogCommandEvent.h"
#include "mainwindow/CActivityTreeList.h"
#include "mainwindow/CMainDlgBase.h"
#include "mainwindow/CMenuStatTypeChangedEvent.h"
#include "mainwindow/IActivityTreeListCallbacks.h"
#include "model/CStatInts.h"

#include <cstdint>
#include <string>
#include <unordered_map>

class CMainDlg : public CMainDlgBase,
                 public IActivityTreeListCallbacks,
                 public CSlotBridge<CDialogMessageEvent, CMainDlg>,
                 public CSlot<CDialogCommandEvent>,
                 public CSlot<CDialogInitializeEvent>,
                 public CSlot<CDialogTerminateEvent>,
                 public CSlot<CNumColumnsChangedEvent>,
                 public CSlot<CEmptyTimeModeChangedEvent>,
                 public CSlot<CShowTimeCumulativeChangedEvent>,
                 public CSlot<CMenuStatTypeChangedEvent>,
                 public CSlot<CCurrentHourChangedEvent>,
                 public CSlotBridge<CProjectModifiedEvent, CMainDlg>,
                 public CSlotBridge<CProjectSavedEvent, CMainDlg>,
                 public CSlotBridge<CProjectsAddedEvent, CMainDlg>,
                 public CSlotBridge<CProjectsClosedEvent, CMainDlg>,
                 public CSlotBridge<CProjectsSwitchedEvent, CMainDlg> {
public:
    // The placement slot of the full window.
    static constexpr EPlacementSlot kPlacementSlot = EPlacementSlot::MainWindow;

    CMainDlg();
    ~CMainDlg() override;

    void StorePlacement() override;
    void ShowStatistics() override;

    // The periods of the time columns, oldest first (column c shows interval c - 1).
    const CStatInts& GetIntervals();
    CActivityTreeList& GetActivityList() { return m_list; }

    // IActivityTreeListCallbacks
    int GetNumColumns() override;
    SListViewColumn GetColumn(int index) override;
    std::string GetColumnText(CActivity* activity, int column) override;
    void OnSelectionChanged(CActivity* activity) override;
    void OnChecksChanged() override;
    void OnItemActivated(CActivity* activity) override;
    bool OnKeyDown(WORD virtualKey) override;
    void GetCheckedActivities(std::set<CActivity*>& checked) override;

    bool OnBridgedEvent(CDialogMessageEvent& event) { return OnDialogMessage(event); }
    bool OnBridgedEvent(CProjectModifiedEvent& event) { return OnProjectModifiedFull(event); }
    bool OnBridgedEvent(CProjectSavedEvent& event) { return OnProjectSavedFull(event); }
    bool OnBridgedEvent(CProjectsAddedEvent& event) { return OnProjectsAddedFull(event); }
    bool OnBridgedEvent(CProjectsClosedEvent& event) { return OnProjectsClosedFull(event); }
    bool OnBridgedEvent(CProjectsSwitchedEvent& event) { return OnProjectsSwitchedFull(event); }

protected:
    bool OnEvent(CDialogCommandEvent& event) override { return OnDialogCommand(event); }
    bool OnEvent(CDialogInitializeEvent& event) override { return OnDialogInitialize(event); }
    bool OnEvent(CDialogTerminateEvent& event) override { return OnDialogTerminate(event); }
    bool OnEvent(CNumColumnsChangedEvent& event) override;
    bool OnEvent(CEmptyTimeModeChangedEvent& event) override;
    bool OnEvent(CShowTimeCumulativeChangedEvent& event) override;
    bool OnEvent(CMenuStatTypeChangedEvent& event) override;
    bool OnEvent(CCurrentHourChangedEvent& event) override;
    bool OnStatsUpdated(CStatsUpdatedEvent& event) override;
    // A committed edit may have renamed the activity that work runs on.
    bool OnProjectStateSwitched(CProjectStateSwitchedEvent& event) override;

private:
    bool OnDialogInitialize(CDialogInitializeEvent& event);
    bool OnDialogCommand(CDialogCommandEvent& event);
    bool OnDialogTerminate(CDialogTerminateEvent& event);
    bool OnProjectModifiedFull(CProjectModifiedEvent& event);
    bool OnProjectSavedFull(CProjectSavedEvent& event);
    bool OnProjectsAddedFull(CProjectsAddedEvent& event);
    bool OnProjectsClosedFull(CProjectsClosedEvent& event);
    bool OnProjectsSwitchedFull(CProjectsSwitchedEvent& event);

    void ConnectProjectFull(CProject* project);
    void DisconnectProjectFull(CProject* project);
    void UpdateProjectName();
    // Sets a control's text unless it shows that text already (no flicker, no repaint).
    void SetItemTextIfChanged(int id, const std::string& text);
    void UpdateVisibility();
    void UpdateWorkingState();
    void UpdateNavigation();
    void SetPositionToNow();
    void StepPeriod(bool forward);
    void BindList();

    // Activity columns.
    int GetKind() const;
    // The columns the list shows now.
    int ListColumns() const;
    void EnsureIntervals();
    const CStatInt* GetInterval(int column);
    std::string FormatColumnTitle(int column);
    void RefreshColumns(bool updateTitles);
    // Writes the list's column widths into the setting without changing its length; the
    // time columns' only when timeColumns.
    void KeepColumnWidths(bool timeColumns);
    // The time cells of the activities whose totals move while work runs.
    void ShowRunningStatistics();
    // The time cells of the activities whose totals changed since they were shown.
    void ShowChangedStatistics();

    bool m_initialising = false;
    bool m_intervalsStale = true;
    bool m_listAttached = false;
    // The change stamp of each activity's statistics when its row was last written;
    // emptied whenever the rows or their periods are replaced.
    std::unordered_map<const CActivity*, std::uint64_t> m_shownStamps;
    CStatInts m_intervals;
    // The arrows' pictures with their greyed forms (the buttons borrow them).
    CHandle<CImgLHandleTraits> m_previousImages;
    CHandle<CImgLHandleTraits> m_nextImages;
    CRepeatButton m_previous;
    CRepeatButton m_next;
    CActivityTreeList m_list;
};
