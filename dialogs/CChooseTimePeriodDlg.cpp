#include "dialogs/CChooseTimePeriodDlg.h"

#include "app/main/CAppMain.h"
#include "app/ui/ButtonControls.h"
#include "app/ui/DialogCloseAndHelp.h"
#include "app/ui/DescriptionTexts.h"
#include "app/ui/DialogPlacement.h"
#include "app/ui/ModalDialogParams.h"
#include "library/dialogs/SItemAnchor.h"
#include "library/text/CText.h"
#include "model/CProject.h"
#include "model/CProjectState.h"
#include "model/CProjects.h"
#include "model/CTallymark.h"
#include "model/CTallymarksByDate.h"
#include "resources/ResourceIds.h"

#include <commctrl.h>

#include <utility>

namespace {

// Everything is laid out around the two calendars: what lies beside a calendar moves by
// the change of its width, what lies below it by the change of its height, and the groups,
// the period lines and the window grow with them.
const SItemAnchor kStartCalendarAnchors[] = {
    {IDC_PERIOD_AVAILABLE, 1, 0, 0, 0},
    {IDC_PERIOD_CHOSEN, 1, 0, 0, 0},
    {IDC_PERIOD_PRESETS_GROUP, 0, 0, 1, 0},
    {IDC_PERIOD_START_GROUP, 1, 0, 1, 0},
    {IDC_PERIOD_START_TIME_FRAME, 0, 0, 0, 1},
    {IDC_PERIOD_START_HOURS, 0, 0, 0, 1},
    {IDC_PERIOD_START_COLON1, 0, 0, 0, 1},
    {IDC_PERIOD_START_MINUTES, 0, 0, 0, 1},
    {IDC_PERIOD_START_COLON2, 0, 0, 0, 1},
    {IDC_PERIOD_START_SECONDS, 0, 0, 0, 1},
    {IDC_PERIOD_START_SPIN, 0, 0, 0, 1},
    {IDC_PERIOD_END_GROUP, 0, 1, 0, 0},
    {IDC_PERIOD_END_DATE, 0, 1, 0, 0},
    {IDC_PERIOD_END_TIME_FRAME, 0, 1, 0, 0},
    {IDC_PERIOD_END_HOURS, 0, 1, 0, 0},
    {IDC_PERIOD_END_COLON1, 0, 1, 0, 0},
    {IDC_PERIOD_END_MINUTES, 0, 1, 0, 0},
    {IDC_PERIOD_END_COLON2, 0, 1, 0, 0},
    {IDC_PERIOD_END_SECONDS, 0, 1, 0, 0},
    {IDC_PERIOD_END_SPIN, 0, 1, 0, 0},
    {IDC_PERIOD_SET_TO_NOW, 0, 1, 0, 0},
    {IDC_PERIOD_OK, 0, 1, 0, 1},
    {IDCANCEL, 0, 1, 0, 1},
};
const SItemAnchor kEndCalendarAnchors[] = {
    {IDC_PERIOD_AVAILABLE, 1, 0, 0, 0},
    {IDC_PERIOD_CHOSEN, 1, 0, 0, 0},
    {IDC_PERIOD_END_GROUP, 1, 0, 1, 0},
    {IDC_PERIOD_END_TIME_FRAME, 0, 0, 0, 1},
    {IDC_PERIOD_END_HOURS, 0, 0, 0, 1},
    {IDC_PERIOD_END_COLON1, 0, 0, 0, 1},
    {IDC_PERIOD_END_MINUTES, 0, 0, 0, 1},
    {IDC_PERIOD_END_COLON2, 0, 0, 0, 1},
    {IDC_PERIOD_END_SECONDS, 0, 0, 0, 1},
    {IDC_PERIOD_END_SPIN, 0, 0, 0, 1},
    {IDC_PERIOD_SET_TO_NOW, 0, 1, 0, 1},
    {IDC_PERIOD_OK, 0, 1, 0, 0},
    {IDCANCEL, 0, 1, 0, 0},
};

struct SPresetButton {
    int id;
    EPeriodPreset preset;
};
const SPresetButton kPresetButtons[] = {
    {IDC_PERIOD_ENTIRE_PROJECT, EPeriodPreset::EntireProject},
    {IDC_PERIOD_THIS_YEAR, EPeriodPreset::ThisYear},
    {IDC_PERIOD_PREV_YEAR, EPeriodPreset::PrevYear},
    {IDC_PERIOD_THIS_MONTH, EPeriodPreset::ThisMonth},
    {IDC_PERIOD_PREV_MONTH, EPeriodPreset::PrevMonth},
    {IDC_PERIOD_THIS_WEEK, EPeriodPreset::ThisWeek},
    {IDC_PERIOD_PREV_WEEK, EPeriodPreset::PrevWeek},
    {IDC_PERIOD_TODAY, EPeriodPreset::Today},
    {IDC_PERIOD_YESTERDAY, EPeriodPreset::Yesterday},
    {IDC_PERIOD_THIS_HOUR, EPeriodPreset::ThisHour},
    {IDC_PERIOD_PREV_HOUR, EPeriodPreset::PrevHour},
    {IDC_PERIOD_SET_TO_NOW, EPeriodPreset::SetToNow},
};

bool IsStartField(int id) {
    return id == IDC_PERIOD_START_HOURS || id == IDC_PERIOD_START_MINUTES ||
           id == IDC_PERIOD_START_SECONDS;
}

bool IsEndField(int id) {
    return id == IDC_PERIOD_END_HOURS || id == IDC_PERIOD_END_MINUTES ||
           id == IDC_PERIOD_END_SECONDS;
}

// The calendar's day with the time control's time of day; invalid when a field is.
CDateTime Combine(const CMarkedDayCalendar& calendar, const CTimeControl& time) {
    CDateTime value;
    value.SetFromSystemTime(calendar.GetSelection());
    value.SetTimeFromSystemTime(time.GetTime());
    return value;
}

} // namespace

const SDialogIdentity CChooseTimePeriodDlg::kIdentity = {
    IDD_CHOOSE_PERIOD, false, EPlacementSlot::ChoosePeriod, IDS_HELP_CHOOSE_PERIOD};

CChooseTimePeriodDlg::CChooseTimePeriodDlg(CProject& project, CProjectState& state,
                                           const CDateTime& start, const CDateTime& end)
    : m_project(&project), m_state(&state), m_start(start), m_end(end) {
    if (!m_start.IsValid() || !m_end.IsValid()) {
        const CDateTime today = CDateTime::Now(false).GetDayStart();
        m_start = today;
        m_end = today.GetNextDayStart();
    }
    m_working = state.IsWorking();
    CTallymarksByDate& index = state.GetTallymarksByDate();
    m_hasData = index.GetCount() != 0;
    if (m_hasData) {
        m_firstAvailable = index.GetFirstStart().UtcToLocal();
        m_lastAvailable = m_working ? CTallymark::GetNullDate() : index.GetLastEnd().UtcToLocal();
    }
    Normalise();
    CSlot<CDialogMessageEvent>::Connect(this);
    CSlot<CDialogCommandEvent>::Connect(this);
    CSlot<CDialogCCNotificationEvent>::Connect(this);
    CSlot<CDialogInitializeEvent>::Connect(this);
    CSlot<CDialogTerminateEvent>::Connect(this);
    m_closeWatch.Watch(m_project);
}

CChooseTimePeriodDlg::~CChooseTimePeriodDlg() = default;

SDialogParams CChooseTimePeriodDlg::MakeParams(HWND owner) {
    return MakeModalDialogParams(kIdentity, owner);
}

void CChooseTimePeriodDlg::Normalise() {
    m_invalid = !m_start.IsValid() || !m_end.IsValid();
    m_swapped = !m_invalid && m_end < m_start;
    if (m_swapped) {
        std::swap(m_start, m_end);
    }
    m_futureEnd = !m_invalid && m_working && m_end > CDateTime::Now(false);
    m_empty = !m_invalid && (m_end - m_start).GetValue() == 0.0;
}

void CChooseTimePeriodDlg::UpdateChosenPeriod() {
    std::string text;
    if (m_invalid) {
        text = CText(IDS_NO_CHOICE_MADE).GetString();
    } else if (m_futureEnd) {
        text = CText(IDS_PERIOD_FUTURE_END).GetString();
    } else {
        text = FormatPeriodDescription(1, m_start, m_end);
    }
    SetDlgItemTextA(GetHwnd(), IDC_PERIOD_CHOSEN, text.c_str());
    EnableWindow(GetDlgItem(GetHwnd(), IDC_PERIOD_OK), IsAcceptable() ? TRUE : FALSE);
}

void CChooseTimePeriodDlg::UpdateControls() {
    Normalise();
    m_updating = true;
    const SYSTEMTIME start = m_start.GetAsSystemTime();
    const SYSTEMTIME end = m_end.GetAsSystemTime();
    m_startCalendar.SetSelection(start);
    m_startTime.SetTime(start);
    m_endCalendar.SetSelection(end);
    m_endTime.SetTime(end);
    m_updating = false;
    UpdateChosenPeriod();
}

void CChooseTimePeriodDlg::ReadControls() {
    m_start = Combine(m_startCalendar, m_startTime);
    m_end = Combine(m_endCalendar, m_endTime);
    Normalise();
    UpdateChosenPeriod();
}

HWND CChooseTimePeriodDlg::GetInvalidField() const {
    HWND field = m_startTime.GetInvalidField();
    return field != nullptr ? field : m_endTime.GetInvalidField();
}

void CChooseTimePeriodDlg::ApplyPreset(EPeriodPreset preset) {
    SPeriodPresetBasis basis;
    basis.now = CDateTime::Now(false);
    basis.firstDayOfWeek = CAppMain::Get().GetSetDateTime().GetFirstDayOfWeek();
    basis.hasData = m_hasData;
    basis.working = m_working;
    basis.firstAvailable = m_firstAvailable;
    basis.lastAvailable = m_lastAvailable;
    if (ApplyPeriodPreset(preset, basis, m_start, m_end)) {
        UpdateControls();
    }
}

void CChooseTimePeriodDlg::Confirm() {
    ReadControls();
    if (!IsAcceptable()) {
        // Reached only when OK was pressed while it should have been off.
        if (HWND field = GetInvalidField()) {
            SetFocus(field);
        }
        MessageBeep(MB_ICONWARNING);
        return;
    }
    if (m_swapped &&
        MessageBoxA(GetHwnd(), CText(IDS_PERIOD_SWAP_QUESTION), CText(IDS_PERIOD_SWAP_CAPTION),
                    MB_OKCANCEL | MB_ICONWARNING | MB_DEFBUTTON2) != IDOK) {
        return;
    }
    m_cancelled = false;
    Close();
}

bool CChooseTimePeriodDlg::OnDialogInitialize(CDialogInitializeEvent&) {
    HWND window = GetHwnd();
    SetDialogIcons(window);
    RestoreDialogPosition(*this, kIdentity.slot);
    HWND startCalendar = GetDlgItem(window, IDC_PERIOD_START_DATE);
    HWND endCalendar = GetDlgItem(window, IDC_PERIOD_END_DATE);
    AnchorItems(startCalendar, kStartCalendarAnchors);
    AnchorControl(startCalendar, window, 1, 0, 1, 0);
    AnchorItems(endCalendar, kEndCalendarAnchors);
    AnchorControl(endCalendar, window, 1, 0, 0, 0);

    if (m_hasData) {
        SetDlgItemTextA(window, IDC_PERIOD_AVAILABLE,
                        FormatPeriodDescription(1, m_firstAvailable, m_lastAvailable).c_str());
    } else {
        SetDlgItemTextA(window, IDC_PERIOD_AVAILABLE, CText(IDS_PERIOD_NO_DATA).GetCStr());
        EnableWindow(GetDlgItem(window, IDC_PERIOD_ENTIRE_PROJECT), FALSE);
    }
    m_startTime.AttachDlgItems(window, IDC_PERIOD_START_HOURS, IDC_PERIOD_START_MINUTES,
                               IDC_PERIOD_START_SECONDS, IDC_PERIOD_START_SPIN);
    m_endTime.AttachDlgItems(window, IDC_PERIOD_END_HOURS, IDC_PERIOD_END_MINUTES,
                             IDC_PERIOD_END_SECONDS, IDC_PERIOD_END_SPIN);
    CTallymarksByDate& index = m_state->GetTallymarksByDate();
    m_startCalendar.Attach(window, IDC_PERIOD_START_DATE, index);
    // A calendar that could not report its size keeps the template's layout.
    const SSize startSize = m_startCalendar.GetSize();
    if (startSize.width != 0 || startSize.height != 0) {
        ArrangeControls(startCalendar, startSize);
    }
    m_endCalendar.Attach(window, IDC_PERIOD_END_DATE, index);
    const SSize endSize = m_endCalendar.GetSize();
    if (endSize.width != 0 || endSize.height != 0) {
        ArrangeControls(endCalendar, endSize);
    }
    UpdateControls();
    return true;
}

bool CChooseTimePeriodDlg::OnDialogCommand(CDialogCommandEvent& event) {
    const int id = event.controlId;
    const bool clicked = event.notificationCode == BN_CLICKED;
    if (IsStartField(id) || IsEndField(id)) {
        if (event.notificationCode == EN_SETFOCUS) {
            (IsStartField(id) ? m_startTime : m_endTime).SetSpinField(event.control);
        } else if (event.notificationCode == EN_CHANGE && !m_updating) {
            ReadControls();
        }
        return true;
    }
    for (const SPresetButton& button : kPresetButtons) {
        if (button.id == id) {
            // A disabled button can still be sent a click; it must do nothing then.
            if (clicked && IsWindowEnabled(GetDlgItem(GetHwnd(), id))) {
                ApplyPreset(button.preset);
            }
            return true;
        }
    }
    switch (id) {
    case IDC_PERIOD_OK:
        // Only the enabled button itself confirms, not a command that merely carries its id.
        if (clicked && event.control != nullptr &&
            event.control == GetDlgItem(GetHwnd(), IDC_PERIOD_OK) &&
            IsWindowEnabled(event.control)) {
            Confirm();
        }
        return true;
    case IDCANCEL:
        if (clicked) {
            Close();
        }
        return true;
    default:
        return false;
    }
}

bool CChooseTimePeriodDlg::OnDialogCCNotification(CDialogCCNotificationEvent& event) {
    const NMHDR* header = event.header;
    if (header == nullptr || header->code != static_cast<UINT>(MCN_SELCHANGE) ||
        (header->idFrom != IDC_PERIOD_START_DATE && header->idFrom != IDC_PERIOD_END_DATE)) {
        return false;
    }
    if (!m_updating) {
        ReadControls();
    }
    return true;
}

bool CChooseTimePeriodDlg::OnDialogMessage(CDialogMessageEvent& event) {
    return AnswerCloseAndHelp(*this, event, kIdentity.helpTopic);
}

bool CChooseTimePeriodDlg::OnDialogTerminate(CDialogTerminateEvent&) {
    StoreDialogPosition(*this, kIdentity.slot);
    return true;
}

void CChooseTimePeriodDlg::OnProjectClosed() {
    // The project and its date index go after this event.
    m_project = nullptr;
    m_state = nullptr;
    m_cancelled = true;
    Close();
}
