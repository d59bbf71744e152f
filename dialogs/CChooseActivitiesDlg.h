#pragma once

// CChooseActivitiesDlg: dialog 118, the activities of a project that an operation works on
// (a report, an import or an export), ticked in the activity tree.
//
//   std::set<CActivity*> chosen;
//   CChooseActivitiesDlg::ChooseAll(state->GetRootActivity(), chosen, true);
//   CChooseActivitiesDlg dialog(*project, *state, chosen, IDS_CHOOSE_ACTS_REPORT);
//   SDialogParams params = CChooseActivitiesDlg::MakeParams(GetHwnd());
//   if (dialog.Create(params) == 0 && !dialog.IsCancelled()) {
//       dialog.GetChosenActivities(chosen);
//   }
//
// Usage notes:
// - The chosen set changes only by OK, and OK counts only from the OK button itself. The
//   exit code is 0 after OK, 1 otherwise.
// - When the project is closed while the dialog runs (the tray menu works meanwhile), the
//   dialog ends cancelled and forgets the project.

#include "app/ui/SDialogIdentity.h"
#include "dialogs/CProjectCloseWatch.h"
#include "library/dialogs/CDialogCommandEvent.h"
#include "library/dialogs/CDialogInitializeEvent.h"
#include "library/dialogs/CDialogMessageEvent.h"
#include "library/dialogs/CDialogTerminateEvent.h"
#include "library/dialogs/CResizableDialogWindow.h"
#include "library/events/CSlot.h"
#include "mainwindow/CActivityTreeList.h"
#include "mainwindow/IActivityTreeListCallbacks.h"

#include <set>
#include <string>

class CActivity;
class CProject;
class CProjectState;

class CChooseActivitiesDlg : public IActivityTreeListCallbacks,
                             public CResizableDialogWindow,
                             public CSlot<CDialogMessageEvent>,
                             public CSlot<CDialogCommandEvent>,
                             public CSlot<CDialogInitializeEvent>,
                             public CSlot<CDialogTerminateEvent> {
public:
    // What names this dialog: template, size grip, placement slot and help page.
    static const SDialogIdentity kIdentity;

    // state must be one of project's states; instructionId is the string shown above the
    // list. Both must outlive the dialog's run.
    CChooseActivitiesDlg(CProject& project, CProjectState& state,
                         const std::set<CActivity*>& chosen, unsigned int instructionId);
    ~CChooseActivitiesDlg() override;

    // MakeModalDialogParams of this dialog's identity.
    static SDialogParams MakeParams(HWND owner);

    bool IsCancelled() const { return m_cancelled; }
    // Replaces chosen by the dialog's choice; read it only when the dialog was not
    // cancelled.
    void GetChosenActivities(std::set<CActivity*>& chosen) const { chosen = m_chosen; }
    // Replaces chosen by every activity of the subtree of activity (none for null), in
    // tree order; activity itself only when leaveOutGiven is false.
    static void ChooseAll(CActivity* activity, std::set<CActivity*>& chosen, bool leaveOutGiven);

    // IActivityTreeListCallbacks
    int GetNumColumns() override;
    SListViewColumn GetColumn(int index) override;
    std::string GetColumnText(CActivity* activity, int column) override;
    void OnSelectionChanged(CActivity* activity) override;
    void OnChecksChanged() override;
    void OnItemActivated(CActivity* activity) override;
    bool OnKeyDown(WORD virtualKey) override;
    void GetCheckedActivities(std::set<CActivity*>& checked) override;

protected:
    bool OnEvent(CDialogMessageEvent& event) override { return OnDialogMessage(event); }
    bool OnEvent(CDialogCommandEvent& event) override { return OnDialogCommand(event); }
    bool OnEvent(CDialogInitializeEvent& event) override { return OnDialogInitialize(event); }
    bool OnEvent(CDialogTerminateEvent& event) override { return OnDialogTerminate(event); }

    virtual bool OnDialogMessage(CDialogMessageEvent& event);
    virtual bool OnDialogCommand(CDialogCommandEvent& event);
    virtual bool OnDialogInitialize(CDialogInitializeEvent& event);
    virtual bool OnDialogTerminate(CDialogTerminateEvent& event);

private:
    // The project is being closed: lets go of it and ends the dialog.
    void OnProjectClosed();
    // The count line from the list's ticks.
    void UpdateCount();
    // The branch buttons follow whether a row is selected.
    void UpdateBranchButtons();
    // Ticks or unticks the first selected row's subtree.
    void CheckBranch(bool checked);

    CProject* m_project;
    CProjectState* m_state;
    bool m_cancelled = true;
    std::set<CActivity*> m_chosen;
    int m_total;
    CActivityTreeList m_list;
    unsigned int m_instructionId;
    CProjectCloseWatch m_closeWatch{[this] { OnProjectClosed(); }};
};
