// CTraceDlg: construction, the dialog's life cycle and what it shows.

#include "dialogs/CTraceDlg.h"

#include "app/main/CAppMain.h"
#include "app/ui/ButtonControls.h"
#include "app/ui/DialogCloseAndHelp.h"
#include "app/ui/DialogPlacement.h"
#include "dialogs/LocalTime.h"
#include "library/text/CText.h"
#include "model/CProjectState.h"
#include "model/CTallymark.h"
#include "resources/ResourceIds.h"

#include <cstdint>

namespace {

const UINT_PTR kTimerId = 1;
const UINT kTimerMs = 1000;

// What follows each calendar when it is fitted to the size its locale needs.
const SItemAnchor kStartCalendarAnchors[] = {
    {IDC_TRACE_START_GROUP, 1, 0, 1, 0},
    {IDC_TRACE_START_FRAME, 0, 0, 0, 1},
    {IDC_TRACE_START_HOURS, 0, 0, 0, 1},
    {IDC_TRACE_START_SEPARATOR1, 0, 0, 0, 1},
    {IDC_TRACE_START_MINUTES, 0, 0, 0, 1},
    {IDC_TRACE_START_SEPARATOR2, 0, 0, 0, 1},
    {IDC_TRACE_START_SECONDS, 0, 0, 0, 1},
    {IDC_TRACE_START_SPIN, 0, 0, 0, 1},
    {IDC_TRACE_PERIOD_LABEL, 0, 0, 0, 1},
    {IDC_TRACE_ACTIVITY_LABEL, 0, 0, 0, 1},
    {IDC_TRACE_END_GROUP, 0, 1, 0, 0},
    {IDC_TRACE_END_DATE, 0, 1, 0, 0},
    {IDC_TRACE_END_FRAME, 0, 1, 0, 0},
    {IDC_TRACE_END_HOURS, 0, 1, 0, 0},
    {IDC_TRACE_END_SEPARATOR1, 0, 1, 0, 0},
    {IDC_TRACE_END_MINUTES, 0, 1, 0, 0},
    {IDC_TRACE_END_SEPARATOR2, 0, 1, 0, 0},
    {IDC_TRACE_END_SECONDS, 0, 1, 0, 0},
    {IDC_TRACE_END_SPIN, 0, 1, 0, 0},
    {IDC_TRACE_NOW, 0, 1, 0, 0},
    {IDC_TRACE_STILL_WORKING, 0, 1, 0, 0},
    {IDC_TRACE_STOP, 0, 1, 0, 0},
    {IDC_TRACE_PERIOD, 1, 0, 0, 1},
    {IDC_TRACE_ACTIVITY, 1, 0, 0, 1},
    {IDC_TRACE_SPLIT, 0, 1, 0, 1},
    {IDC_TRACE_OK, 0, 1, 0, 1},
    {IDCANCEL, 0, 1, 0, 1},
};
const SItemAnchor kEndCalendarAnchors[] = {
    {IDC_TRACE_END_GROUP, 1, 0, 1, 0},   {IDC_TRACE_END_FRAME, 0, 0, 0, 1},
    {IDC_TRACE_END_HOURS, 0, 0, 0, 1},   {IDC_TRACE_END_SEPARATOR1, 0, 0, 0, 1},
    {IDC_TRACE_END_MINUTES, 0, 0, 0, 1}, {IDC_TRACE_END_SEPARATOR2, 0, 0, 0, 1},
    {IDC_TRACE_END_SECONDS, 0, 0, 0, 1}, {IDC_TRACE_END_SPIN, 0, 0, 0, 1},
    {IDC_TRACE_NOW, 0, 1, 0, 1},         {IDC_TRACE_STILL_WORKING, 0, 1, 0, 1},
    {IDC_TRACE_STOP, 0, 1, 0, 1},        {IDC_TRACE_PERIOD, 1, 0, 0, 0},
    {IDC_TRACE_ACTIVITY, 1, 0, 0, 0},    {IDC_TRACE_SPLIT, 0, 1, 0, 0},
    {IDC_TRACE_OK, 0, 1, 0, 0},          {IDCANCEL, 0, 1, 0, 0},
};

// The controls of a closed tally mark's end, and those of a running one.
const int kEndControls[] = {
    IDC_TRACE_END_DATE,       IDC_TRACE_END_HOURS,      IDC_TRACE_END_MINUTES,
    IDC_TRACE_END_SECONDS,    IDC_TRACE_END_SPIN,       IDC_TRACE_END_FRAME,
    IDC_TRACE_END_SEPARATOR1, IDC_TRACE_END_SEPARATOR2, IDC_TRACE_NOW};
const int kRunningControls[] = {IDC_TRACE_STILL_WORKING, IDC_TRACE_STOP};

// The local date and time that a calendar and its time fields show.
CDateTime ReadFields(const CMarkedDayCalendar& calendar, const CTimeControl& time) {
    CDateTime local(calendar.GetSelection());
    local.SetTimeFromSystemTime(time.GetTime());
    return local;
}

} // namespace

const SDialogIdentity CTraceDlg::kIdentity = {IDD_TRACE, false, EPlacementSlot::Tallymark,
                                              IDS_HELP_TALLYMARK};

CTraceDlg::CTraceDlg(CProject* project, CProjectState* state)
    : m_isNew(true), m_project(project), m_state(state) {
    ConnectSlots();
    m_activity = state != nullptr ? state->GetSelectedActivity() : nullptr;
    SetDefaultTimes();
}

CTraceDlg::CTraceDlg(CProject* project, CProjectState* state, CActivity* activity)
    : m_isNew(true), m_project(project), m_state(state), m_activity(activity) {
    ConnectSlots();
    SetDefaultTimes();
}

CTraceDlg::CTraceDlg(CProject* project, CProjectState* state, CTallymark* tallymark)
    : m_tallymark(tallymark), m_isNew(false), m_project(project), m_state(state) {
    ConnectSlots();
    LoadTallymark(*tallymark);
}

CTraceDlg::~CTraceDlg() {
    if (m_cancelled) {
        for (CTallymark* part : m_splitTallymarks) {
            delete part;
        }
    }
}

void CTraceDlg::ConnectSlots() {
    CSlot<CDialogMessageEvent>::Connect(this);
    CSlot<CDialogCommandEvent>::Connect(this);
    CSlot<CDialogCCNotificationEvent>::Connect(this);
    CSlot<CDialogInitializeEvent>::Connect(this);
    CSlot<CDialogTerminateEvent>::Connect(this);
    m_closeWatch.Watch(m_project);
}

void CTraceDlg::SetDefaultTimes() {
    const CDateTime today = ToLocalTime(CDateTime::Now(true)).GetDayStart();
    CDateTime start = today;
    CDateTime end = today;
    if (CAppMain::Exists()) {
        CSetDateTime& settings = CAppMain::Get().GetSetDateTime();
        const CDateTime& workStart = settings.GetWorkStart();
        const CDateTime& workEnd = settings.GetWorkEnd();
        start.SetTime(workStart.GetHour(), workStart.GetMinute(), workStart.GetSecond());
        end.SetTime(workEnd.GetHour(), workEnd.GetMinute(), workEnd.GetSecond());
    }
    m_start.PutLocal(start);
    m_end.PutLocal(end);
    m_open = false;
}

void CTraceDlg::LoadTallymark(const CTallymark& tallymark) {
    m_activity = tallymark.GetActivity();
    m_start.Put(tallymark.GetStart());
    m_open = tallymark.IsOpen();
    if (!m_open) {
        m_end.Put(tallymark.GetEnd(false));
    }
}

bool CTraceDlg::OnDialogMessage(CDialogMessageEvent& event) {
    switch (event.message) {
    case WM_TIMER:
        if (!m_closeWatch.IsClosed()) {
            ShowPeriod();
        }
        return true;
    default:
        return AnswerCloseAndHelp(*this, event, kIdentity.helpTopic);
    }
}

bool CTraceDlg::OnDialogCCNotification(CDialogCCNotificationEvent& event) {
    const int id = static_cast<int>(event.header->idFrom);
    if (static_cast<int>(event.header->code) != static_cast<int>(MCN_SELCHANGE) ||
        (id != IDC_TRACE_START_DATE && id != IDC_TRACE_END_DATE)) {
        return false;
    }
    // A selection the dialog makes itself is no change of the user's.
    if (m_updating) {
        return true;
    }
    ReadControls();
    ShowPeriod();
    return true;
}

bool CTraceDlg::OnDialogInitialize(CDialogInitializeEvent&) {
    HWND dialog = GetHwnd();
    SetDialogIcons(dialog);
    if (m_isNew) {
        SetWindowTextA(dialog, CText(IDS_TRACE_NEW_CAPTION));
    }
    HWND startCalendar = GetDlgItem(dialog, IDC_TRACE_START_DATE);
    HWND endCalendar = GetDlgItem(dialog, IDC_TRACE_END_DATE);
    AnchorItems(startCalendar, kStartCalendarAnchors);
    AnchorControl(startCalendar, dialog, 1, 0, 1, 0);
    AnchorItems(endCalendar, kEndCalendarAnchors);
    AnchorControl(endCalendar, dialog, 1, 0, 0, 0);

    RestoreDialogPosition(*this, kIdentity.slot);

    m_activityBox.Attach(dialog, IDC_TRACE_ACTIVITY);
    m_activityBox.SetProject(m_project, m_state);
    if (m_activity == nullptr) {
        m_activity = m_activityBox.GetActivity();
    }

    if (m_open) {
        for (int id : kEndControls) {
            ShowItem(id, false);
        }
        SetTimer(dialog, kTimerId, kTimerMs, nullptr);
    } else {
        for (int id : kRunningControls) {
            ShowItem(id, false);
        }
    }

    if (m_state != nullptr) {
        const struct {
            CMarkedDayCalendar& calendar;
            int id;
        } calendars[] = {{m_startCalendar, IDC_TRACE_START_DATE},
                         {m_endCalendar, IDC_TRACE_END_DATE}};
        for (const auto& entry : calendars) {
            entry.calendar.Attach(dialog, entry.id, m_state->GetTallymarksByDate());
            const SSize fitted = entry.calendar.GetSize();
            // A calendar that could not be fitted kept its template size.
            if (fitted.width != 0 || fitted.height != 0) {
                ArrangeControls(entry.calendar.GetWindow(), fitted);
            }
        }
    }
    m_startTime.AttachDlgItems(dialog, IDC_TRACE_START_HOURS, IDC_TRACE_START_MINUTES,
                               IDC_TRACE_START_SECONDS, IDC_TRACE_START_SPIN);
    m_endTime.AttachDlgItems(dialog, IDC_TRACE_END_HOURS, IDC_TRACE_END_MINUTES,
                             IDC_TRACE_END_SECONDS, IDC_TRACE_END_SPIN);
    ShowValues();
    return true;
}

bool CTraceDlg::OnDialogTerminate(CDialogTerminateEvent&) {
    if (m_open) {
        KillTimer(GetHwnd(), kTimerId);
    }
    StoreDialogPosition(*this, kIdentity.slot);
    return true;
}

void CTraceDlg::ReadControls() {
    m_start.Read(ReadFields(m_startCalendar, m_startTime));
    if (!m_open) {
        m_end.Read(ReadFields(m_endCalendar, m_endTime));
    }
}

void CTraceDlg::ShowValues() {
    m_activityBox.SetActivity(m_activity);
    m_updating = true;
    const SYSTEMTIME start = m_start.GetLocal().GetAsSystemTime();
    m_startTime.SetTime(start);
    m_startCalendar.SetSelection(start);
    m_updating = false;
    if (!m_open) {
        ShowEnd();
    }
    ShowPeriod();
}

void CTraceDlg::ShowEnd() {
    m_updating = true;
    const SYSTEMTIME end = m_end.GetLocal().GetAsSystemTime();
    m_endTime.SetTime(end);
    m_endCalendar.SetSelection(end);
    m_updating = false;
}

void CTraceDlg::ShowPeriod() {
    const CDateTime& start = m_start.GetUtc();
    const CDateTime end = m_open ? CDateTime::Now(true) : m_end.GetUtc();
    std::string text;
    if (m_start.IsSkipped() || (!m_open && m_end.IsSkipped())) {
        // A time that does not exist on that day makes no period.
        text = CAppMain::Get().GetSetTimeDisplay().FormatDuration(CDateTimeSpan(0.0));
    } else if (start.IsValid() && end.IsValid()) {
        const CDateTimeSpan duration = end > start ? end - start : start - end;
        text = CAppMain::Get().GetSetTimeDisplay().FormatDuration(duration);
        if (m_open) {
            text += " (" + CText(IDS_TRACE_STILL_WORKING).GetString() + ")";
        }
    }
    SetDlgItemTextA(GetHwnd(), IDC_TRACE_PERIOD, text.c_str());
}

void CTraceDlg::OnProjectClosed() {
    // The tally mark, the activity and the calendars' date index go with the project; the
    // split parts belong to no collection and go with the cancelled dialog.
    if (m_open && GetHwnd() != nullptr) {
        KillTimer(GetHwnd(), kTimerId);
    }
    m_activityBox.SetProject(nullptr, nullptr);
    m_startCalendar.ForgetSource();
    m_endCalendar.ForgetSource();
    m_project = nullptr;
    m_state = nullptr;
    m_activity = nullptr;
    m_tallymark = nullptr;
    m_cancelled = true;
    Close();
}
