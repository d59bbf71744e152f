#pragma once

// CProjectStatsDlg: facts about one project: its name, the activity worked on, the number
// of tally marks, the first start and last end, and the time worked in the hour, day, week,
// month and year that hold now and on the whole project. Opened while the project works,
// the dates and totals follow the clock every second (window timer 1).
//
//   CProjectStatsDlg dialog(project);     // shows the project's newest state
//   dialog.Create(MakeModalDialogParams(CProjectStatsDlg::kIdentity, owner));
//
// Usage notes:
// - It changes nothing. A dialog opened while the project does not work is never
//   refreshed, also when work starts meanwhile.
// - When its project is closed while it runs (a tray exit, the end of the session), it
//   stops its timer, forgets the project and ends at once, never touching it again.

#include "app/ui/SDialogIdentity.h"
#include "dialogs/CProjectCloseWatch.h"
#include "library/datetime/CDateTime.h"
#include "library/dialogs/CDialogCommandEvent.h"
#include "library/dialogs/CDialogInitializeEvent.h"
#include "library/dialogs/CDialogMessageEvent.h"
#include "library/dialogs/CDialogTerminateEvent.h"
#include "library/dialogs/CDialogWindow.h"
#include "library/events/CSlot.h"
#include "model/CStatInts.h"

#include <string>

class CProject;
class CProjectState;
class CStatGen;

class CProjectStatsDlg : public CDialogWindow,
                         public CSlot<CDialogMessageEvent>,
                         public CSlot<CDialogCommandEvent>,
                         public CSlot<CDialogInitializeEvent>,
                         public CSlot<CDialogTerminateEvent> {
public:
    // What names this dialog: template, size grip, placement slot and help page.
    static const SDialogIdentity kIdentity;

    explicit CProjectStatsDlg(CProject* project);
    ~CProjectStatsDlg() override;

    // The total of the one whole interval of kind that holds date (local), children
    // included, as hours, minutes and seconds ("00:00:00" at least).
    static std::string FormatPeriodTotal(EStatIntKind kind, const CDateTime& date,
                                         CStatGen& statistics);
    // Whether the one-second refresh runs.
    bool IsRefreshing() const { return m_refreshing; }
    // The state shown; null once the project was closed.
    CProjectState* GetState() const { return m_state; }

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
    static const UINT_PTR kTimerId = 1;

    // Fills the dates, the count and the totals from the state.
    void ShowStatistics();
    void StopRefreshing();

    CProject* m_project;
    CProjectState* m_state;
    bool m_refreshing = false;
    CProjectCloseWatch m_closeWatch{[this] { OnProjectClosed(); }};
};
