#include "dialogs/CTraceSplitDlg.h"

#include "app/ui/ButtonControls.h"
#include "app/ui/DialogCloseAndHelp.h"
#include "app/ui/DialogPlacement.h"
#include "dialogs/LocalTime.h"
#include "library/datetime/CDateTimeFormat.h"
#include "library/datetime/CDateTimeSpan.h"
#include "library/text/CText.h"
#include "model/ActivityBooking.h"
#include "model/CActivity.h"
#include "model/CProjectState.h"
#include "model/CTallymark.h"
#include "resources/ResourceIds.h"

#include <commctrl.h>

#include <cmath>
#include <cstdint>

namespace {

const UINT_PTR kTimerId = 1;
const UINT kTimerMs = 1000;
const char* const kNoPeriod = "------";

// What follows the split calendar when it is fitted to the size its locale needs.
const SItemAnchor kCalendarAnchors[] = {
    {IDC_SPLIT_SECOND_GROUP, 0, 0, 0, 1},
    {IDC_SPLIT_END_LABEL, 0, 0, 0, 1},
    {IDC_SPLIT_END, 0, 0, 0, 1},
    {IDC_SPLIT_STILL_WORKING, 0, 0, 0, 1},
    {IDC_SPLIT_SECOND_LENGTH_LABEL, 0, 0, 0, 1},
    {IDC_SPLIT_SECOND_LENGTH, 0, 0, 0, 1},
    {IDC_SPLIT_SECOND_ACTIVITY_LABEL, 0, 0, 0, 1},
    {IDC_SPLIT_SECOND_ACTIVITY, 0, 0, 0, 1},
    {IDC_SPLIT_FRAME, 0, 0, 0, 1},
    {IDC_SPLIT_HOURS, 0, 0, 0, 1},
    {IDC_SPLIT_SEPARATOR1, 0, 0, 0, 1},
    {IDC_SPLIT_MINUTES, 0, 0, 0, 1},
    {IDC_SPLIT_SEPARATOR2, 0, 0, 0, 1},
    {IDC_SPLIT_SECONDS, 0, 0, 0, 1},
    {IDC_SPLIT_SPIN, 0, 0, 0, 1},
    {IDC_SPLIT_POINT_GROUP, 1, 0, 1, 0},
    {IDC_SPLIT_OK, 0, 1, 0, 1},
    {IDCANCEL, 0, 1, 0, 1},
};

std::string FormatLocal(const CDateTime& local) {
    const CDateTimeFormat& format = CDateTimeFormat::Instance();
    return local.FormatDateTime(format.GetWeekdayDateFormat(), format.GetTimeOfDayFormat(), 0,
                                LOCALE_USER_DEFAULT);
}

} // namespace

const SDialogIdentity CTraceSplitDlg::kIdentity = {
    IDD_TRACE_SPLIT, false, EPlacementSlot::SplitTallymark, IDS_HELP_SPLIT_TALLYMARK};

CTraceSplitDlg::CTraceSplitDlg(CProject* project, CProjectState* state, CTallymark* tallymark)
    : m_tallymark(tallymark), m_project(project), m_state(state), m_open(tallymark->IsOpen()) {
    CSlot<CDialogMessageEvent>::Connect(this);
    CSlot<CDialogCommandEvent>::Connect(this);
    CSlot<CDialogCCNotificationEvent>::Connect(this);
    CSlot<CDialogInitializeEvent>::Connect(this);
    CSlot<CDialogTerminateEvent>::Connect(this);
    m_closeWatch.Watch(project);
    // The middle in local time, to the second the fields show. Where start and end have one
    // offset from universal time it is the universal middle, kept as such: converted back, a
    // point in the autumn's repeated hour would move to its first pass.
    const CDateTime start = tallymark->GetStart();
    const CDateTime end = tallymark->GetEnd(true);
    const CDateTime localStart = ToLocalTime(start);
    const CDateTime localEnd = ToLocalTime(end);
    const double kHalfSecond = 0.5 / 86400.0;
    if (std::fabs((localStart - start).GetValue() - (localEnd - end).GetValue()) < kHalfSecond) {
        const CDateTime middle = start + CDateTimeSpan((end - start).GetValue() / 2);
        m_splitPoint.Put(CDateTime(middle.GetAsSystemTime()));
    } else {
        const CDateTime middle((localStart.GetValue() + localEnd.GetValue()) / 2);
        m_splitPoint.PutLocal(CDateTime(middle.GetAsSystemTime()));
    }
}

CTraceSplitDlg::~CTraceSplitDlg() = default;

bool CTraceSplitDlg::OnDialogMessage(CDialogMessageEvent& event) {
    switch (event.message) {
    case WM_TIMER:
        if (!m_closeWatch.IsClosed()) {
            ShowPeriods();
        }
        return true;
    default:
        return AnswerCloseAndHelp(*this, event, kIdentity.helpTopic);
    }
}

bool CTraceSplitDlg::OnDialogCCNotification(CDialogCCNotificationEvent& event) {
    if (static_cast<int>(event.header->code) != static_cast<int>(MCN_SELCHANGE)) {
        return false;
    }
    if (m_closeWatch.IsClosed()) {
        return true;
    }
    ReadSplitPoint();
    ShowPeriods();
    return true;
}

bool CTraceSplitDlg::OnDialogCommand(CDialogCommandEvent& event) {
    if (m_closeWatch.IsClosed()) {
        return true;
    }
    const int id = event.controlId;
    const int code = event.notificationCode;
    if (id >= IDC_SPLIT_HOURS && id <= IDC_SPLIT_SECONDS) {
        if (code == EN_SETFOCUS) {
            m_splitTime.SetSpinField(event.control);
            return true;
        }
        if (code == EN_CHANGE) {
            if (!m_updating) {
                ReadSplitPoint();
                ShowPeriods();
            }
            return true;
        }
        return false;
    }
    if (id == IDCANCEL) {
        if (code == BN_CLICKED) {
            Close();
        }
        return true;
    }
    if (id == IDC_SPLIT_OK) {
        if (code == BN_CLICKED && Split()) {
            m_cancelled = false;
            Close();
        }
        return true;
    }
    return false;
}

bool CTraceSplitDlg::OnDialogInitialize(CDialogInitializeEvent&) {
    HWND dialog = GetHwnd();
    SetDialogIcons(dialog);
    RestoreDialogPosition(*this, kIdentity.slot);
    HWND calendar = GetDlgItem(dialog, IDC_SPLIT_DATE);
    AnchorItems(calendar, kCalendarAnchors);
    AnchorControl(calendar, dialog, 1, 0, 1, 0);

    m_firstActivity.Attach(dialog, IDC_SPLIT_FIRST_ACTIVITY);
    m_firstActivity.SetProject(m_project, m_state);
    m_secondActivity.Attach(dialog, IDC_SPLIT_SECOND_ACTIVITY);
    m_secondActivity.SetProject(m_project, m_state);
    m_firstActivity.SetActivity(m_tallymark->GetActivity());
    m_secondActivity.SetActivity(m_tallymark->GetActivity());

    SetDlgItemTextA(dialog, IDC_SPLIT_START,
                    FormatLocal(ToLocalTime(m_tallymark->GetStart())).c_str());
    if (m_open) {
        ShowItem(IDC_SPLIT_END, false);
        SetTimer(dialog, kTimerId, kTimerMs, nullptr);
    } else {
        SetDlgItemTextA(dialog, IDC_SPLIT_END,
                        FormatLocal(ToLocalTime(m_tallymark->GetEnd(false))).c_str());
        ShowItem(IDC_SPLIT_STILL_WORKING, false);
    }

    if (m_state != nullptr) {
        m_splitCalendar.Attach(dialog, IDC_SPLIT_DATE, m_state->GetTallymarksByDate());
        const SSize fitted = m_splitCalendar.GetSize();
        if (fitted.width != 0 || fitted.height != 0) {
            ArrangeControls(calendar, fitted);
        }
    }
    m_splitTime.AttachDlgItems(dialog, IDC_SPLIT_HOURS, IDC_SPLIT_MINUTES, IDC_SPLIT_SECONDS,
                               IDC_SPLIT_SPIN);
    m_updating = true;
    const SYSTEMTIME split = m_splitPoint.GetLocal().GetAsSystemTime();
    m_splitTime.SetTime(split);
    m_splitCalendar.SetSelection(split);
    m_updating = false;
    // The fields show whole seconds: the parts are those of the point they show, as after
    // any change of a field.
    if (m_state != nullptr) {
        ReadSplitPoint();
    }
    ShowPeriods();
    return true;
}

bool CTraceSplitDlg::OnDialogTerminate(CDialogTerminateEvent&) {
    if (m_open) {
        KillTimer(GetHwnd(), kTimerId);
    }
    StoreDialogPosition(*this, kIdentity.slot);
    return true;
}

void CTraceSplitDlg::ReadSplitPoint() {
    CDateTime point(m_splitCalendar.GetSelection());
    point.SetTimeFromSystemTime(m_splitTime.GetTime());
    m_splitPoint.Read(point);
}

CDateTime CTraceSplitDlg::GetEnd() const {
    return m_tallymark->GetEnd(true);
}

void CTraceSplitDlg::ShowPeriods() {
    const CDateTime& split = m_splitPoint.GetUtc();
    const CDateTime start = m_tallymark->GetStart();
    const CDateTime end = GetEnd();
    std::string first = kNoPeriod;
    std::string second = kNoPeriod;
    if (split.IsValid() && split > start && split < end) {
        first = (split - start).FormatHMS(3);
        second = (end - split).FormatHMS(3);
    }
    SetDlgItemTextA(GetHwnd(), IDC_SPLIT_FIRST_LENGTH, first.c_str());
    SetDlgItemTextA(GetHwnd(), IDC_SPLIT_SECOND_LENGTH, second.c_str());
}

void CTraceSplitDlg::Warn(unsigned int text, unsigned int caption) {
    MessageBoxA(GetHwnd(), CText(text), CText(caption), MB_OK | MB_ICONWARNING);
}

bool CTraceSplitDlg::CheckActivity(const CActivityComboBox& box, unsigned int partWord) {
    const EActivityChoice choice = CheckActivityChoice(box.GetActivity());
    if (choice == EActivityChoice::Bookable) {
        return true;
    }
    CText text(choice == EActivityChoice::None ? IDS_SPLIT_NO_ACTIVITY
                                               : IDS_SPLIT_ACTIVITY_NOT_BOOKABLE);
    text.ReplaceWithText("[WHICH]", CText(partWord), true);
    MessageBoxA(GetHwnd(), text,
                CText(choice == EActivityChoice::None ? IDS_NO_ACTIVITY_CAPTION
                                                      : IDS_INVALID_ACTIVITY_CAPTION),
                MB_OK | MB_ICONWARNING);
    return false;
}

bool CTraceSplitDlg::Split() {
    // An emptied or pasted-over field makes no split point: the user mends it first.
    if (HWND invalid = m_splitTime.GetInvalidField()) {
        SetFocus(invalid);
        MessageBeep(MB_ICONWARNING);
        return false;
    }
    ReadSplitPoint();
    const CDateTime split = m_splitPoint.GetUtc();
    if (split < m_tallymark->GetStart()) {
        Warn(IDS_SPLIT_BEFORE_START, IDS_SPLIT_POINT_CAPTION);
        return false;
    }
    if (split > GetEnd()) {
        // Asked anew: the tally mark may have stopped while the dialog ran.
        Warn(m_tallymark->IsOpen() ? IDS_SPLIT_IN_FUTURE : IDS_SPLIT_AFTER_END,
             IDS_SPLIT_POINT_CAPTION);
        return false;
    }
    if (!CheckActivity(m_firstActivity, IDS_SPLIT_FIRST_WORD) ||
        !CheckActivity(m_secondActivity, IDS_SPLIT_SECOND_WORD)) {
        return false;
    }
    CActivity* first = m_firstActivity.GetActivity();
    CActivity* second = m_secondActivity.GetActivity();
    if (first == second &&
        MessageBoxA(GetHwnd(), CText(IDS_SPLIT_SAME_ACTIVITY),
                    CText(IDS_SPLIT_SAME_ACTIVITY_CAPTION), MB_YESNO | MB_ICONQUESTION) != IDYES) {
        return false;
    }
    m_newTallymark = new CTallymark(first, m_tallymark->GetStart(), split);
    m_tallymark->SetActivity(second);
    m_tallymark->SetStart(split);
    return true;
}

void CTraceSplitDlg::OnProjectClosed() {
    // The tally mark may be one of the project's: nothing reads it from here on.
    if (m_open && GetHwnd() != nullptr) {
        KillTimer(GetHwnd(), kTimerId);
    }
    m_firstActivity.SetProject(nullptr, nullptr);
    m_secondActivity.SetProject(nullptr, nullptr);
    m_splitCalendar.ForgetSource();
    m_project = nullptr;
    m_state = nullptr;
    m_tallymark = nullptr;
    m_cancelled = true;
    Close();
}
