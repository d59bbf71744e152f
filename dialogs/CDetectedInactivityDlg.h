#pragma once

// CDetectedInactivityDlg: books a detected inactivity of one working project. It shows when
// the user was last active and how long the inactivity lasts so far (every second), and on
// OK rewrites the project's running tally mark: the inactive period counts as work on a
// chosen activity or not at all, and work continues on a chosen activity or stops.
//
//   CDetectedInactivityDlg dialog(lastInput, project);  // the clocks at the last input
//   dialog.Create(MakeModalDialogParams(CDetectedInactivityDlg::kIdentity, owner));
//
// Usage notes:
// - The dialog writes into the project's committed state, never into an edit copy. The
//   main window opens it only while no dialog edits the project; when an edit of the
//   project begins while it runs, it closes at once without booking, with the exit code
//   CDialogLauncher::kInactivityPostponed, and the main window opens it again once that
//   edit is over (the edit's commit would replace what it booked, and would replace the
//   activities its choices name).
// - It books only on the running tally mark it was opened for. When that tally mark no
//   longer runs at OK (stopped, or moved to another activity from the tray meanwhile),
//   OK closes the dialog and changes nothing.
// - What counts as now is where the running tally mark ends now (CTallymark::FindEndNow),
//   so a clock set while the dialog is up changes no length. The inactivity lies in the frame
//   of the work it interrupts: it starts as long before that end as it really lasted (by the
//   monotonic clock), so a clock set before it moves nothing either, never before the
//   running tally mark's start. The length shown counts the same way.
//   The booking reads the clock once: work continued on another activity starts at that
//   reading, as a switch does, and work continued on the include activity from the
//   inactivity start is seen running at the end found.
// - When its project is closed while it runs (a tray exit, the end of the session), it
//   ends at once without touching the project.

#include "app/ui/SDialogIdentity.h"
#include "dialogs/CProjectCloseWatch.h"
#include "library/datetime/CDateTime.h"
#include "library/dialogs/CDialogCommandEvent.h"
#include "library/dialogs/CDialogInitializeEvent.h"
#include "library/dialogs/CDialogMessageEvent.h"
#include "library/dialogs/CDialogTerminateEvent.h"
#include "library/dialogs/CResizableDialogWindow.h"
#include "library/events/CSlot.h"
#include "library/windows/CTimer.h"
#include "mainwindow/CActivityComboBox.h"
#include "model/CProjectStateSwitchedEvent.h"
#include "model/SClockReading.h"

#include <string>

class CActivity;
class CProject;
class CProjectState;

class CDetectedInactivityDlg : public CResizableDialogWindow,
                               public CSlot<CDialogMessageEvent>,
                               public CSlot<CDialogCommandEvent>,
                               public CSlot<CDialogInitializeEvent>,
                               public CSlot<CDialogTerminateEvent>,
                               public CSlot<CTimerWentOffEvent>,
                               public CSlot<CProjectStateSwitchedEvent> {
public:
    // What names this dialog: template, size grip, placement slot and help page.
    static const SDialogIdentity kIdentity;

    // inactivityStart: the last input, on the clock (UTC) and on the monotonic clock.
    CDetectedInactivityDlg(const SClockReading& inactivityStart, CProject& project);
    ~CDetectedInactivityDlg() override;

    // Whether OK changed the project's tally marks.
    bool HasBooked() const { return m_booked; }
    // Whether it closed because an edit of its project began.
    bool IsPostponed() const { return m_postponed; }
    // The project; null once it was closed under the dialog.
    CProject* GetProject() const { return m_project; }

protected:
    bool OnEvent(CTimerWentOffEvent& event) override { return OnTimerWentOff(event); }
    bool OnEvent(CDialogMessageEvent& event) override { return OnDialogMessage(event); }
    bool OnEvent(CDialogCommandEvent& event) override { return OnDialogCommand(event); }
    bool OnEvent(CDialogInitializeEvent& event) override { return OnDialogInitialize(event); }
    bool OnEvent(CDialogTerminateEvent& event) override { return OnDialogTerminate(event); }
    bool OnEvent(CProjectStateSwitchedEvent& event) override {
        return OnProjectStateSwitched(event);
    }

    virtual bool OnTimerWentOff(CTimerWentOffEvent& event);
    virtual bool OnDialogMessage(CDialogMessageEvent& event);
    virtual bool OnDialogCommand(CDialogCommandEvent& event);
    virtual bool OnDialogInitialize(CDialogInitializeEvent& event);
    virtual bool OnDialogTerminate(CDialogTerminateEvent& event);
    virtual bool OnProjectStateSwitched(CProjectStateSwitchedEvent& event);

private:
    // The project is being closed: lets go of it and ends the dialog.
    void OnProjectClosed();
    // The combo box's activity; none (after a warning) when nothing is chosen or the
    // choice is disabled.
    CActivity* GetValidActivity(const CActivityComboBox& comboBox, int noActivityMessage,
                                int invalidActivityMessage);
    void RefreshTexts();
    // An edit of the project began: closes without booking, to be opened again after it.
    // False while no edit is open.
    bool PostponeWhileEdited();
    // Validates the choices and rewrites the running tally mark; false keeps the dialog
    // open.
    bool Book();
    // Where the inactivity began in the frame of work that ends at end, read at now.
    CDateTime FindInactivityStart(const CDateTime& end, const SClockReading& now) const;
    void Detach();

    SClockReading m_inactivityStart;
    CDateTime m_inactivityStartLocal;
    CProject* m_project;
    CProjectState* m_state;
    // The running tally mark the dialog was opened for, known by its start and its
    // activity's path (a committed edit replaces the objects, not the tally mark).
    CDateTime m_runningStart;
    std::string m_runningPath;
    CTimer m_timer;
    bool m_lastActiveShown = false;
    bool m_lastActiveShownAsToday = false;
    bool m_booked = false;
    bool m_postponed = false;
    CActivityComboBox m_include{false, false};
    CActivityComboBox m_continue{false, false};
    CProjectCloseWatch m_closeWatch{[this] { OnProjectClosed(); }};
};
