#pragma once

// CTraceSplitDlg: cuts one tally mark in two at a point the user chooses, with an activity
// for each part. The given tally mark becomes the second part (it keeps its end, an open
// end included, and gets the split point as its start and the second activity); OK makes a
// new tally mark for the first part, which the caller takes with GetNewTallymark and owns.
//
//   CTraceSplitDlg split(project, state, tallymark);
//   split.Create(MakeModalDialogParams(CTraceSplitDlg::kIdentity, GetHwnd()));
//   if (!split.IsCancelled()) {
//       std::unique_ptr<CTallymark> first(split.GetNewTallymark());
//       ...
//
// Usage notes:
// - The changes of the given tally mark go through its setters at OK: a tally mark in the
//   model announces them at once, so the caller passes one of the state it edits (an edit
//   copy) or a tally mark of its own. Cancel, Escape and the close box change nothing.
// - The split point is entered in local time; the point the dialog proposes keeps its
//   universal time while the fields show it. OK is refused (focus on the field, a beep)
//   while a time field holds no valid number.
// - When the project is closed while the dialog runs, the dialog ends at once as cancelled
//   and never touches the project or the tally mark again.

#include "app/ui/SDialogIdentity.h"
#include "dialogs/CProjectCloseWatch.h"
#include "dialogs/CShownTime.h"
#include "library/datetime/CDateTime.h"
#include "library/dialogs/CResizableDialogWindow.h"
#include "library/events/CSlot.h"
#include "mainwindow/CActivityComboBox.h"
#include "mainwindow/CMarkedDayCalendar.h"
#include "mainwindow/CTimeControl.h"

class CActivity;
class CProject;
class CProjectState;
class CTallymark;

class CTraceSplitDlg : public CResizableDialogWindow,
                       public CSlot<CDialogMessageEvent>,
                       public CSlot<CDialogCommandEvent>,
                       public CSlot<CDialogCCNotificationEvent>,
                       public CSlot<CDialogInitializeEvent>,
                       public CSlot<CDialogTerminateEvent> {
public:
    // What names this dialog: template, size grip, placement slot and help page.
    static const SDialogIdentity kIdentity;

    // tallymark must outlive the dialog; its middle (in local time, an open end read as
    // now) is the first split point.
    CTraceSplitDlg(CProject* project, CProjectState* state, CTallymark* tallymark);
    ~CTraceSplitDlg() override;

    // True unless OK split the tally mark.
    bool IsCancelled() const { return m_cancelled; }
    // The first part made by OK (null while cancelled); the caller owns it.
    CTallymark* GetNewTallymark() const { return m_newTallymark; }
    // The split point shown, local time.
    const CDateTime& GetSplitPoint() const { return m_splitPoint.GetLocal(); }

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
    void ReadSplitPoint();
    void ShowPeriods();
    // The checks and the split of OK; false when one refused (the dialog stays open).
    bool Split();
    // Shows the box's refusal of its activity (part: the word for the part) and answers
    // whether the activity may be booked on.
    bool CheckActivity(const CActivityComboBox& box, unsigned int partWord);
    void Warn(unsigned int text, unsigned int caption);
    // The project is being closed: lets go of it and ends the dialog.
    void OnProjectClosed();
    // The record's end, now (universal time) while it runs.
    CDateTime GetEnd() const;

    bool m_cancelled = true;
    CTallymark* m_tallymark;
    CTallymark* m_newTallymark = nullptr;
    CProject* m_project;
    CProjectState* m_state;
    CShownTime m_splitPoint;
    bool m_open;
    bool m_updating = false;
    CActivityComboBox m_firstActivity{false, false};
    CActivityComboBox m_secondActivity{false, false};
    CTimeControl m_splitTime;
    CMarkedDayCalendar m_splitCalendar;
    CProjectCloseWatch m_closeWatch{[this] { OnProjectClosed(); }};
};
