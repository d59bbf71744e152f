#include "dialogs/CTracesActivityDlg.h"

#include "app/main/CAppMain.h"
#include "app/ui/ButtonControls.h"
#include "app/ui/DialogCloseAndHelp.h"
#include "app/ui/DialogPlacement.h"
#include "library/controls/CTracker.h"
#include "library/datetime/CDateTimeFormat.h"
#include "library/text/CText.h"
#include "model/ActivityBooking.h"
#include "model/CActivity.h"
#include "model/CTallymark.h"
#include "resources/ResourceIds.h"

#include <string>

namespace {

// The texts, the list and the box widen with the window and the list also grows in
// height; the box and its label follow the bottom edge, OK and Cancel the bottom-right
// corner.
const SItemAnchor kAnchors[] = {
    {IDC_TRACES_ACTIVITY_COUNT, 1, 0, 0, 0},
    {IDC_TRACES_ACTIVITY_FIRST_START, 1, 0, 0, 0},
    {IDC_TRACES_ACTIVITY_LAST_END, 1, 0, 0, 0},
    {IDC_TRACES_ACTIVITY_TOTAL, 1, 0, 0, 0},
    {IDC_TRACES_ACTIVITY_USED, 1, 0, 1, 0},
    {IDC_TRACES_ACTIVITY_LABEL, 0, 0, 0, 1},
    {IDC_TRACES_ACTIVITY_TARGET, 1, 0, 0, 1},
    {IDC_TRACES_ACTIVITY_OK, 0, 1, 0, 1},
    {IDCANCEL, 0, 1, 0, 1},
};

const UINT kTimerMs = 1000;

std::string FormatLocal(const CDateTime& local) {
    const CDateTimeFormat& formats = CDateTimeFormat::Instance();
    return local.FormatDateTime(formats.GetWeekdayDateFormat(), formats.GetTimeOfDayFormat(), 0,
                                LOCALE_USER_DEFAULT);
}

} // namespace

const SDialogIdentity CTracesActivityDlg::kIdentity = {
    IDD_TRACES_ACTIVITY, true, EPlacementSlot::MoveTallymarks, IDS_HELP_MOVE_TALLYMARKS};

CTracesActivityDlg::CTracesActivityDlg(CProject* project, CProjectState* state,
                                       const std::set<CTallymark*>* selection)
    : m_project(project), m_state(state), m_selection(selection), m_total(0.0),
      m_firstStart(CTallymark::GetMaxDate()), m_lastEnd(CTallymark::GetMinDate()),
      m_usedList(false), m_activityBox(false, false) {
    CSlot<CDialogMessageEvent>::Connect(this);
    CSlot<CDialogCommandEvent>::Connect(this);
    CSlot<CDialogInitializeEvent>::Connect(this);
    CSlot<CDialogTerminateEvent>::Connect(this);
    m_closeWatch.Watch(project);
    for (CTallymark* tallymark : *m_selection) {
        if (tallymark->IsOpen()) {
            m_running = tallymark;
            m_hasRunning = true;
        } else {
            m_total = m_total + tallymark->GetDuration();
            const CDateTime start = tallymark->GetStart().UtcToLocal();
            if (start < m_firstStart) {
                m_firstStart = start;
            }
            const CDateTime end = tallymark->GetEnd(false).UtcToLocal();
            if (m_lastEnd < end) {
                m_lastEnd = end;
            }
        }
        m_usedActivities.insert(tallymark->GetActivity());
    }
}

CTracesActivityDlg::~CTracesActivityDlg() = default;

bool CTracesActivityDlg::OnDialogInitialize(CDialogInitializeEvent&) {
    HWND window = GetHwnd();
    SetDialogIcons(window);
    AnchorItems(window, kAnchors);
    RestoreDialogRect(*this, kIdentity.slot);
    m_usedList.Attach(window, IDC_TRACES_ACTIVITY_USED);
    {
        CTracker batch;
        m_usedList.BeginAdding(batch);
        for (CActivity* activity : m_usedActivities) {
            m_usedList.AddString(activity != nullptr ? activity->GetPath() : std::string(), 0,
                                 true);
        }
        batch.Release();
    }
    m_activityBox.Attach(window, IDC_TRACES_ACTIVITY_TARGET);
    m_activityBox.SetProject(m_project, m_state);
    m_activityBox.SelectFirst();
    SetDlgItemTextA(window, IDC_TRACES_ACTIVITY_COUNT, std::to_string(m_selection->size()).c_str());
    SetDlgItemTextA(window, IDC_TRACES_ACTIVITY_FIRST_START, FormatLocal(m_firstStart).c_str());
    SetDlgItemTextA(window, IDC_TRACES_ACTIVITY_LAST_END,
                    m_hasRunning ? CText(IDS_TRACES_STILL_WORKING).GetCStr()
                                 : FormatLocal(m_lastEnd).c_str());
    if (m_hasRunning) {
        SetTimer(window, kTimerId, kTimerMs, nullptr);
    }
    ShowTotal();
    return true;
}

bool CTracesActivityDlg::OnDialogTerminate(CDialogTerminateEvent&) {
    if (m_hasRunning) {
        KillTimer(GetHwnd(), kTimerId);
    }
    StoreDialogRect(*this, kIdentity.slot);
    return true;
}

bool CTracesActivityDlg::OnDialogMessage(CDialogMessageEvent& event) {
    switch (event.message) {
    case WM_TIMER:
        ShowTotal();
        return true;
    default:
        return AnswerCloseAndHelp(*this, event, kIdentity.helpTopic);
    }
}

bool CTracesActivityDlg::OnDialogCommand(CDialogCommandEvent& event) {
    const bool clicked = event.notificationCode == BN_CLICKED;
    switch (event.controlId) {
    case IDCANCEL:
        if (clicked) {
            Close();
        }
        return true;
    case IDC_TRACES_ACTIVITY_OK:
        if (clicked && !m_closeWatch.IsClosed()) {
            Move();
        }
        return true;
    default:
        return false;
    }
}

void CTracesActivityDlg::ShowTotal() {
    CDateTimeSpan total = m_total;
    if (m_running != nullptr) {
        total = total + m_running->GetDuration();
    }
    SetDlgItemTextA(GetHwnd(), IDC_TRACES_ACTIVITY_TOTAL, total.FormatHMS(3).c_str());
}

CActivity* CTracesActivityDlg::GetChosenActivity() {
    CActivity* activity = m_activityBox.GetActivity();
    const EActivityChoice choice = CheckActivityChoice(activity);
    if (choice == EActivityChoice::None) {
        MessageBoxA(GetHwnd(), CText(IDS_NO_ACTIVITY_CHOSEN), CText(IDS_NO_ACTIVITY_CAPTION),
                    MB_OK | MB_ICONWARNING);
        return nullptr;
    }
    if (choice == EActivityChoice::NotBookable) {
        MessageBoxA(GetHwnd(), CText(IDS_ACTIVITY_NOT_BOOKABLE),
                    CText(IDS_INVALID_ACTIVITY_CAPTION), MB_OK | MB_ICONWARNING);
        return nullptr;
    }
    return activity;
}

void CTracesActivityDlg::Move() {
    CActivity* target = GetChosenActivity();
    if (target == nullptr) {
        return;
    }
    for (CTallymark* tallymark : *m_selection) {
        tallymark->SetActivity(target);
    }
    m_cancelled = false;
    Close();
}

void CTracesActivityDlg::OnProjectClosed() {
    // The selection's tally marks and their activities go with the project.
    if (m_hasRunning && GetHwnd() != nullptr) {
        KillTimer(GetHwnd(), kTimerId);
    }
    m_activityBox.SetProject(nullptr, nullptr);
    m_running = nullptr;
    m_selection = nullptr;
    m_usedActivities.clear();
    m_project = nullptr;
    m_state = nullptr;
    m_cancelled = true;
    Close();
}
