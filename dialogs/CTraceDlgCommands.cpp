// CTraceDlg: commands, the checks of OK and Split, and what OK writes into the model.

#include "dialogs/CTraceDlg.h"

#include "app/main/CAppMain.h"
#include "app/ui/ModalDialogParams.h"
#include "dialogs/CTraceSplitDlg.h"
#include "library/text/CText.h"
#include "model/ActivityBooking.h"
#include "model/CActivity.h"
#include "model/CTallymark.h"
#include "model/CTallymarks.h"
#include "resources/ResourceIds.h"

#include <memory>
#include <utility>

namespace {

const UINT_PTR kTimerId = 1;

const int kShownAfterStop[] = {
    IDC_TRACE_END_DATE,       IDC_TRACE_END_HOURS,      IDC_TRACE_END_MINUTES,
    IDC_TRACE_END_SECONDS,    IDC_TRACE_END_SPIN,       IDC_TRACE_END_FRAME,
    IDC_TRACE_END_SEPARATOR1, IDC_TRACE_END_SEPARATOR2, IDC_TRACE_NOW};

bool IsStartField(int id) {
    return id >= IDC_TRACE_START_HOURS && id <= IDC_TRACE_START_SECONDS;
}

bool IsEndField(int id) {
    return id >= IDC_TRACE_END_HOURS && id <= IDC_TRACE_END_SECONDS;
}

bool IsStorable(const CShownTime& time) {
    return !time.IsSkipped() && CTallymark::CanHold(time.GetUtc());
}

} // namespace

bool CTraceDlg::OnDialogCommand(CDialogCommandEvent& event) {
    if (m_closeWatch.IsClosed()) {
        return true;
    }
    const int id = event.controlId;
    const int code = event.notificationCode;
    if (IsStartField(id) || IsEndField(id)) {
        if (code == EN_SETFOCUS) {
            (IsStartField(id) ? m_startTime : m_endTime).SetSpinField(event.control);
            return true;
        }
        if (code == EN_CHANGE) {
            if (!m_updating) {
                ReadControls();
                ShowPeriod();
            }
            return true;
        }
        return false;
    }
    void (CTraceDlg::*action)() = nullptr;
    switch (id) {
    case IDCANCEL:
        if (code == BN_CLICKED) {
            Close();
        }
        return true;
    case IDC_TRACE_STOP:
        action = &CTraceDlg::StopWorking;
        break;
    case IDC_TRACE_NOW:
        action = &CTraceDlg::SetEndToNow;
        break;
    case IDC_TRACE_SPLIT:
        action = &CTraceDlg::Split;
        break;
    case IDC_TRACE_OK:
        action = &CTraceDlg::Confirm;
        break;
    default:
        return false;
    }
    if (code == BN_CLICKED) {
        (this->*action)();
    }
    return true;
}

bool CTraceDlg::Validate() {
    // The running tally mark may have been stopped meanwhile: from here on it has an end,
    // which the start must not pass.
    if (m_open && !m_isNew && m_tallymark != nullptr && !m_tallymark->IsOpen()) {
        ShowStopped(m_tallymark->GetEnd(false));
    }
    // An emptied or pasted-over field holds no time: the user mends it first, so that no
    // invalid date ever reaches the model.
    HWND invalid = m_startTime.GetInvalidField();
    if (invalid == nullptr && !m_open) {
        invalid = m_endTime.GetInvalidField();
    }
    if (invalid != nullptr) {
        SetFocus(invalid);
        MessageBeep(MB_ICONWARNING);
        return false;
    }
    ReadControls();
    // A moment no project file can hold (the calendar's first hour, in local time), or a
    // time that the spring change skips on that day, is mended as an empty field is: the
    // model never gets it.
    const bool startStorable = IsStorable(m_start);
    if (!startStorable || (!m_open && !IsStorable(m_end))) {
        SetFocus(
            GetDlgItem(GetHwnd(), startStorable ? IDC_TRACE_END_HOURS : IDC_TRACE_START_HOURS));
        MessageBeep(MB_ICONWARNING);
        return false;
    }
    if (!m_open && !(m_start.GetUtc() < m_end.GetUtc())) {
        if (MessageBoxA(GetHwnd(), CText(IDS_TRACE_SWAP_PERIOD),
                        CText(IDS_TRACE_SWAP_PERIOD_CAPTION),
                        MB_OKCANCEL | MB_ICONQUESTION | MB_DEFBUTTON2) != IDOK) {
            return false;
        }
        std::swap(m_start, m_end);
    }
    m_activity = m_activityBox.GetActivity();
    const EActivityChoice choice = CheckActivityChoice(m_activity);
    if (choice == EActivityChoice::None) {
        MessageBoxA(GetHwnd(), CText(IDS_NO_ACTIVITY_CHOSEN), CText(IDS_NO_ACTIVITY_CAPTION),
                    MB_OK | MB_ICONWARNING);
        return false;
    }
    if (choice == EActivityChoice::NotBookable) {
        MessageBoxA(GetHwnd(), CText(IDS_ACTIVITY_NOT_BOOKABLE),
                    CText(IDS_INVALID_ACTIVITY_CAPTION), MB_OK | MB_ICONWARNING);
        return false;
    }
    return true;
}

CTallymark* CTraceDlg::CreateTallymark() const {
    return m_open ? new CTallymark(m_activity, m_start.GetUtc())
                  : new CTallymark(m_activity, m_start.GetUtc(), m_end.GetUtc());
}

void CTraceDlg::StopWorking() {
    if (!m_open || m_tallymark == nullptr) {
        return;
    }
    if (!m_tallymark->IsOpen()) {
        // Stopped elsewhere meanwhile: that end holds.
        ShowStopped(m_tallymark->GetEnd(false));
        return;
    }
    // The running work ends where the model ends it now, so that a clock set while working
    // changes no length; OK stores what shows, and only then is the user told what the
    // clock did. A clock no file can hold keeps it running, and the user hears why at once.
    const STallymarkEndNow endNow = m_tallymark->FindEndNow();
    if (!endNow.Ends()) {
        m_tallymark->ReportEndNow(endNow);
        return;
    }
    m_stopEnd = endNow;
    ShowStopped(endNow.end);
}

void CTraceDlg::ShowStopped(const CDateTime& endUtc) {
    m_open = false;
    m_end.Put(endUtc);
    KillTimer(GetHwnd(), kTimerId);
    for (int id : kShownAfterStop) {
        ShowWindow(GetDlgItem(GetHwnd(), id), SW_SHOWNA);
    }
    ShowItem(IDC_TRACE_STILL_WORKING, false);
    ShowItem(IDC_TRACE_STOP, false);
    ShowEnd();
    ShowPeriod();
}

void CTraceDlg::SetEndToNow() {
    CDateTime end = CDateTime::Now(true);
    m_stopEnd = STallymarkEndNow();
    // The running tally mark stopped here (it still runs in the model): now is where its
    // Stop ended it.
    if (m_tallymark != nullptr && m_tallymark->IsOpen()) {
        const STallymarkEndNow endNow = m_tallymark->FindEndNow();
        if (endNow.Ends()) {
            end = endNow.end;
            m_stopEnd = endNow;
        }
    }
    m_end.Put(end);
    ShowEnd();
    ShowPeriod();
}

void CTraceDlg::ReportStoppedEnd() {
    // The end the dialog put there stays exact while its fields show it.
    if (m_stopEnd.Ends() && m_end.GetUtc() == m_stopEnd.end) {
        m_tallymark->ReportEndNow(m_stopEnd);
    }
}

void CTraceDlg::Split() {
    if (!Validate()) {
        return;
    }
    const std::unique_ptr<CTallymark> values(CreateTallymark());
    CTraceSplitDlg split(m_project, m_state, values.get());
    split.Create(MakeModalDialogParams(CTraceSplitDlg::kIdentity, GetHwnd()));
    if (split.IsCancelled()) {
        return;
    }
    // The first part stays with the dialog until OK; the values become the second part.
    std::unique_ptr<CTallymark> first(split.GetNewTallymark());
    LoadTallymark(*values);
    ShowValues();
    m_startCalendar.UpdateMarks();
    m_endCalendar.UpdateMarks();
    m_splitTallymarks.insert(first.release());
}

void CTraceDlg::Confirm() {
    if (!Validate()) {
        return;
    }
    if (m_isNew) {
        m_tallymark = CreateTallymark();
        m_activity->GetTallymarks().Add(m_tallymark);
    } else {
        m_tallymark->SetActivity(m_activity);
        m_tallymark->SetStart(m_start.GetUtc());
        if (!m_open) {
            m_tallymark->SetEnd(m_end.GetUtc());
            ReportStoppedEnd();
        }
    }
    for (CTallymark* part : m_splitTallymarks) {
        part->GetActivity()->GetTallymarks().Add(part);
    }
    m_cancelled = false;
    Close();
}
