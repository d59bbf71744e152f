#pragma once

// CTraceDlg: enters a new tally mark or changes one: its activity, its start and its end,
// or for the running tally mark its start only, with the choice to stop it. The tally mark
// being edited can be split from here; the first parts that splitting makes stay with the
// dialog until OK hands them to the model.
//
//   CTraceDlg dialog(project, state, tallymark);   // or (project, state[, activity]): new
//   dialog.Create(MakeModalDialogParams(CTraceDlg::kIdentity, GetHwnd()));
//   if (!dialog.IsCancelled()) {
//       list.Add(dialog.GetTallymark());
//       for (CTallymark* part : dialog.GetSplitTallymarks()) ...
//
// Usage notes:
// - The dialog opens no edit transaction: OK writes into the state it was given (an edit
//   copy, or the project's current state) and nothing else; Cancel, Escape and the close
//   box change nothing and delete the split parts.
// - When the project is closed while the dialog runs, the dialog ends at once as cancelled
//   and never touches the project again.
// - The controls show local time, the model holds universal time. A start or end that the
//   dialog put in its fields (the record's, Stop's, Now's) stays as it was while they show
//   it; only a changed one is converted from local time.
// - OK and Split are refused (focus on the field, a beep) while a time field holds no
//   valid number, or a start or end that the change to daylight time skips on its day
//   (the period then shows as empty).
// - Stop ends the running tally mark where the model ends running work now
//   (CTallymark::FindEndNow): a clock set while working changes no length. OK stores the
//   end shown, and the notice of a set clock comes with it as after the main window's Stop
//   (on an edit copy, once that copy is committed); Cancel, or another end entered, tells
//   nothing.
// - A running tally mark that stopped while the dialog ran (its end set elsewhere) is
//   checked at OK as the closed one it now is: its start is never stored after its end.

#include "app/ui/SDialogIdentity.h"
#include "dialogs/CProjectCloseWatch.h"
#include "dialogs/CShownTime.h"
#include "library/datetime/CDateTime.h"
#include "library/dialogs/CResizableDialogWindow.h"
#include "library/events/CSlot.h"
#include "mainwindow/CActivityComboBox.h"
#include "mainwindow/CMarkedDayCalendar.h"
#include "mainwindow/CTimeControl.h"
#include "model/STallymarkEndNow.h"

#include <set>

class CActivity;
class CProject;
class CProjectState;
class CTallymark;

class CTraceDlg : public CResizableDialogWindow,
                  public CSlot<CDialogMessageEvent>,
                  public CSlot<CDialogCommandEvent>,
                  public CSlot<CDialogCCNotificationEvent>,
                  public CSlot<CDialogInitializeEvent>,
                  public CSlot<CDialogTerminateEvent> {
public:
    // What names this dialog: template, size grip, placement slot and help page.
    static const SDialogIdentity kIdentity;

    // A new tally mark on the state's selected activity, today within the working hours.
    CTraceDlg(CProject* project, CProjectState* state);
    // A new tally mark on activity (null: none chosen yet), today within the working hours.
    CTraceDlg(CProject* project, CProjectState* state, CActivity* activity);
    // Changes tallymark, a tally mark of state.
    CTraceDlg(CProject* project, CProjectState* state, CTallymark* tallymark);
    // While cancelled, deletes the split parts.
    ~CTraceDlg() override;

    // True unless OK succeeded.
    bool IsCancelled() const { return m_cancelled; }
    // The tally mark that OK created or changed.
    CTallymark* GetTallymark() const { return m_tallymark; }
    // The first parts that splitting made and OK added to the model.
    std::set<CTallymark*> GetSplitTallymarks() const { return m_splitTallymarks; }

protected:
    bool OnEvent(CDialogMessageEvent& event) override { return OnDialogMessage(event); }
    bool OnEvent(CDialogCommandEvent& event) override { return OnDialogCommand(event); }
    bool OnEvent(CDialogCCNotificationEvent& event) override {
        return OnDialogCCNotification(event);
    }
    bool OnEvent(CDialogInitializeEvent& event) override { return OnDialogInitialize(event); }
    bool OnEvent(CDialogTerminateEvent& event) override { return OnDialogTerminate(event); }

    virtual bool OnDialogMessage(CDialogMessageEvent& event);
    virtual bool OnDialogCommand(CDialogCommandEvent& event);
    virtual bool OnDialogCCNotification(CDialogCCNotificationEvent& event);
    virtual bool OnDialogInitialize(CDialogInitializeEvent& event);
    virtual bool OnDialogTerminate(CDialogTerminateEvent& event);

private:
    void ConnectSlots();
    void SetDefaultTimes();
    void LoadTallymark(const CTallymark& tallymark);
    void ReadControls();
    void ShowValues();
    void ShowEnd();
    void ShowPeriod();
    // OK's and Split's checks; false when one refused (the dialog stays open).
    bool Validate();
    // A tally mark of the dialog's values that belongs to nobody; the caller owns it.
    CTallymark* CreateTallymark() const;
    void StopWorking();
    // The tally mark shows as closed at endUtc (UTC), with its end controls.
    void ShowStopped(const CDateTime& endUtc);
    void SetEndToNow();
    // After OK stored the end: the clock notice of the end that Stop (or Now after it)
    // found, when that is the end stored.
    void ReportStoppedEnd();
    void Split();
    void Confirm();
    // The project is being closed: lets go of it and ends the dialog.
    void OnProjectClosed();

    bool m_cancelled = true;
    CTallymark* m_tallymark = nullptr;
    bool m_isNew;
    CProject* m_project;
    CProjectState* m_state;
    CActivity* m_activity = nullptr;
    CShownTime m_start;
    CShownTime m_end;
    bool m_open = false;
    // Where Stop, or Now after it, ended the running tally mark by the model's rule.
    STallymarkEndNow m_stopEnd;
    bool m_updating = false;
    CActivityComboBox m_activityBox{false, false};
    std::set<CTallymark*> m_splitTallymarks;
    CTimeControl m_startTime;
    CTimeControl m_endTime;
    CMarkedDayCalendar m_startCalendar;
    CMarkedDayCalendar m_endCalendar;
    CProjectCloseWatch m_closeWatch{[this] { OnProjectClosed(); }};
};
