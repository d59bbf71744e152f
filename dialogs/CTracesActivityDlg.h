#pragma once

// CTracesActivityDlg: dialog 110, books a selection of tally marks on one other activity.
// It shows how many tally marks there are, the first start and the last end of the closed
// ones, their total time (growing with a running one) and the activities in use, and OK
// gives every tally mark of the selection the chosen activity.
//
//   CTracesActivityDlg dialog(project, state, &selection);
//   dialog.Create(MakeModalDialogParams(CTracesActivityDlg::kIdentity, owner));
//   if (!dialog.IsCancelled()) { ... the selection's rows changed ... }
//
// Usage notes:
// - It opens no edit transaction: it changes the given state, which the opener commits or
//   discards. Only the activities change (CTallymark::SetActivity); the model moves each
//   tally mark to its new collection.
// - The selection is read at construction and at OK; it must outlive the dialog.
// - When the project is closed while the dialog runs, the dialog ends at once as cancelled
//   and never touches the project or the selection again.

#include "app/ui/SDialogIdentity.h"
#include "dialogs/CProjectCloseWatch.h"
#include "library/controls/CListBox.h"
#include "library/datetime/CDateTime.h"
#include "library/datetime/CDateTimeSpan.h"
#include "library/dialogs/CDialogCommandEvent.h"
#include "library/dialogs/CDialogInitializeEvent.h"
#include "library/dialogs/CDialogMessageEvent.h"
#include "library/dialogs/CDialogTerminateEvent.h"
#include "library/dialogs/CResizableDialogWindow.h"
#include "library/events/CSlot.h"
#include "mainwindow/CActivityComboBox.h"

#include <set>

class CActivity;
class CProject;
class CProjectState;
class CTallymark;

class CTracesActivityDlg : public CResizableDialogWindow,
                           public CSlot<CDialogMessageEvent>,
                           public CSlot<CDialogCommandEvent>,
                           public CSlot<CDialogInitializeEvent>,
                           public CSlot<CDialogTerminateEvent> {
public:
    // What names this dialog: template, size grip, placement slot and help page.
    static const SDialogIdentity kIdentity;

    // state must be one of project's states; selection holds tally marks of state.
    CTracesActivityDlg(CProject* project, CProjectState* state,
                       const std::set<CTallymark*>* selection);
    ~CTracesActivityDlg() override;

    bool IsCancelled() const { return m_cancelled; }

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
    static const UINT_PTR kTimerId = 1;

    void ShowTotal();
    // The combo box's activity when hours may be booked on it; otherwise a warning and null.
    CActivity* GetChosenActivity();
    void Move();
    // The project is being closed: lets go of it and ends the dialog.
    void OnProjectClosed();

    bool m_cancelled = true;
    CProject* m_project;
    CProjectState* m_state;
    const std::set<CTallymark*>* m_selection;
    CTallymark* m_running = nullptr;
    bool m_hasRunning = false;
    CDateTimeSpan m_total;
    CDateTime m_firstStart;
    CDateTime m_lastEnd;
    std::set<CActivity*> m_usedActivities;
    CListBox m_usedList;
    CActivityComboBox m_activityBox;
    CProjectCloseWatch m_closeWatch{[this] { OnProjectClosed(); }};
};
