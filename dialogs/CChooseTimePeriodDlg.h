#pragma once

// CChooseTimePeriodDlg: dialog 117, a period of local date/times picked with two marked-day
// calendars and two time-of-day entries, or from presets (this or the previous year, month,
// week, day or hour, the entire project) and "Set to now" for the end.
//
//   CChooseTimePeriodDlg dialog(*project, *state, start, end);   // local; null: today
//   if (dialog.Create(CChooseTimePeriodDlg::MakeParams(GetHwnd())) >= 0 &&
//       !dialog.IsCancelled()) {
//       dialog.GetPeriod(start, end);
//   }
//
// Usage notes:
// - OK is enabled only while the period is valid (both fields and dates complete), not
//   empty and, while work runs, does not end in the future; an accepted period is always
//   such a period, start before end. OK counts only from the OK button itself.
// - An end before the start is exchanged at once in the shown period; OK then asks whether
//   to switch them and stays open when the user declines.
// - When the project is closed while the dialog runs, the dialog ends cancelled.

#include "app/ui/SDialogIdentity.h"
#include "dialogs/CProjectCloseWatch.h"
#include "dialogs/PeriodPresets.h"
#include "library/datetime/CDateTime.h"
#include "library/dialogs/CDialogCCNotificationEvent.h"
#include "library/dialogs/CDialogCommandEvent.h"
#include "library/dialogs/CDialogInitializeEvent.h"
#include "library/dialogs/CDialogMessageEvent.h"
#include "library/dialogs/CDialogTerminateEvent.h"
#include "library/dialogs/CResizableDialogWindow.h"
#include "library/events/CSlot.h"
#include "mainwindow/CMarkedDayCalendar.h"
#include "mainwindow/CTimeControl.h"

class CProject;
class CProjectState;

class CChooseTimePeriodDlg : public CResizableDialogWindow,
                             public CSlot<CDialogMessageEvent>,
                             public CSlot<CDialogCommandEvent>,
                             public CSlot<CDialogCCNotificationEvent>,
                             public CSlot<CDialogInitializeEvent>,
                             public CSlot<CDialogTerminateEvent> {
public:
    // What names this dialog: template, size grip, placement slot and help page.
    static const SDialogIdentity kIdentity;

    // start and end are local; when either is not a valid date/time (the null date means
    // "none") the period is today 00:00 to tomorrow 00:00. state must be one of project's
    // states.
    CChooseTimePeriodDlg(CProject& project, CProjectState& state, const CDateTime& start,
                         const CDateTime& end);
    ~CChooseTimePeriodDlg() override;

    // MakeModalDialogParams of this dialog's identity.
    static SDialogParams MakeParams(HWND owner);

    bool IsCancelled() const { return m_cancelled; }
    // The chosen period; read it only when the dialog was not cancelled.
    void GetPeriod(CDateTime& start, CDateTime& end) const {
        start = m_start;
        end = m_end;
    }

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
    // The project is being closed: lets go of it and ends the dialog.
    void OnProjectClosed();
    // Orders start and end and works out the flags below.
    void Normalise();
    // The period line and whether OK is enabled.
    void UpdateChosenPeriod();
    // Values to controls, then the period line.
    void UpdateControls();
    // Controls to values, then the period line; the controls are not rewritten.
    void ReadControls();
    // Whether the period may be handed to the caller.
    bool IsAcceptable() const { return !m_invalid && !m_futureEnd && !m_empty; }
    void ApplyPreset(EPeriodPreset preset);
    // OK: accepts the period, after the switch question when it was exchanged.
    void Confirm();
    // The first time field that holds no valid number, or null.
    HWND GetInvalidField() const;

    CProject* m_project;
    CProjectState* m_state;
    bool m_cancelled = true;
    CDateTime m_start;
    CDateTime m_end;
    bool m_swapped = false;
    bool m_futureEnd = false;
    bool m_empty = false;
    // The start or the end is no valid date/time (an empty or garbled time field).
    bool m_invalid = false;
    bool m_working = false;
    bool m_hasData = false;
    CDateTime m_firstAvailable;
    CDateTime m_lastAvailable;
    bool m_updating = false;
    CTimeControl m_startTime;
    CTimeControl m_endTime;
    CMarkedDayCalendar m_startCalendar;
    CMarkedDayCalendar m_endCalendar;
    CProjectCloseWatch m_closeWatch{[this] { OnProjectClosed(); }};
};
