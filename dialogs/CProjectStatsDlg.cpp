#include "dialogs/CProjectStatsDlg.h"

#include "app/main/CAppMain.h"
#include "app/ui/ButtonControls.h"
#include "app/ui/DialogCloseAndHelp.h"
#include "app/ui/DialogPlacement.h"
#include "library/datetime/CDateTimeFormat.h"
#include "library/text/CText.h"
#include "model/CActivity.h"
#include "model/CProject.h"
#include "model/CProjectState.h"
#include "model/CProjects.h"
#include "model/CStatGen.h"
#include "model/CTallymark.h"
#include "resources/ResourceIds.h"

namespace {

const UINT kTimerMs = 1000;

// The interval kinds in the order of their controls, IDC_STATS_HOUR to IDC_STATS_PROJECT.
const EStatIntKind kTotalKinds[] = {sikHour, sikDay, sikWeek, sikMonth, sikYear, sikAll};

std::string FormatLocal(const CDateTime& local) {
    const CDateTimeFormat& formats = CDateTimeFormat::Instance();
    return local.FormatDateTime(formats.GetWeekdayDateFormat(), formats.GetTimeOfDayFormat(), 0,
                                LOCALE_USER_DEFAULT);
}

} // namespace

const SDialogIdentity CProjectStatsDlg::kIdentity = {
    IDD_PROJECT_STATS, false, EPlacementSlot::ProjectStatistics, IDS_HELP_PROJECT_STATISTICS};

CProjectStatsDlg::CProjectStatsDlg(CProject* project)
    : m_project(project), m_state(project->GetState(true)) {
    CSlot<CDialogMessageEvent>::Connect(this);
    CSlot<CDialogCommandEvent>::Connect(this);
    CSlot<CDialogInitializeEvent>::Connect(this);
    CSlot<CDialogTerminateEvent>::Connect(this);
    m_closeWatch.Watch(m_project);
}

CProjectStatsDlg::~CProjectStatsDlg() {
    CSlot<CDialogMessageEvent>::DisconnectAll();
    CSlot<CDialogCommandEvent>::DisconnectAll();
    CSlot<CDialogInitializeEvent>::DisconnectAll();
    CSlot<CDialogTerminateEvent>::DisconnectAll();
}

std::string CProjectStatsDlg::FormatPeriodTotal(EStatIntKind kind, const CDateTime& date,
                                                CStatGen& statistics) {
    CStatInts intervals;
    intervals.GenerateFrom(kind, 1, date, EStatIntBounds::Whole,
                           CAppMain::Get().GetSetDateTime().GetFirstDayOfWeek());
    const CStatValue total = statistics.Generate(intervals.GetAt(0), EStatScope::WithDescendants);
    return total.GetTotal().FormatHMS(3);
}

bool CProjectStatsDlg::OnDialogInitialize(CDialogInitializeEvent&) {
    HWND window = GetHwnd();
    SetDialogIcons(window);
    RestoreDialogPosition(*this, kIdentity.slot);
    if (m_state == nullptr) {
        return true;
    }
    SetDlgItemTextA(window, IDC_STATS_NAME, m_state->GetName().c_str());
    CActivity* current = m_state->GetCurrentActivity();
    SetDlgItemTextA(window, IDC_STATS_WORKING_ON,
                    current != nullptr ? current->GetPath().c_str()
                                       : CText(IDS_STATS_NOT_WORKING).GetCStr());
    ShowStatistics();
    m_refreshing = current != nullptr;
    if (m_refreshing) {
        SetTimer(window, kTimerId, kTimerMs, nullptr);
    }
    return true;
}

void CProjectStatsDlg::ShowStatistics() {
    if (m_state == nullptr) {
        return;
    }
    HWND window = GetHwnd();
    CStatGen& statistics = m_state->GetRootActivity()->GetStatGen();
    const CDateTime now = CDateTime::Now(false);
    std::string totals[sizeof(kTotalKinds) / sizeof(kTotalKinds[0])];
    for (size_t i = 0; i < sizeof(kTotalKinds) / sizeof(kTotalKinds[0]); ++i) {
        totals[i] = FormatPeriodTotal(kTotalKinds[i], now, statistics);
    }
    CTallymarksByDate& index = m_state->GetTallymarksByDate();
    const CDateTime null = CTallymark::GetNullDate();
    const CDateTime firstStart = index.GetFirstStart();
    const std::string start = firstStart == null ? CText(IDS_STATS_NOT_STARTED).GetString()
                                                 : FormatLocal(firstStart.UtcToLocal());
    const CDateTime lastEnd = index.GetLastEnd();
    std::string end;
    if (lastEnd == null) {
        end = CText(IDS_STATS_NOT_ENDED).GetString();
    } else if (m_state->IsWorking()) {
        end = CText(IDS_TRACE_STILL_WORKING).GetString();
    } else {
        end = FormatLocal(lastEnd.UtcToLocal());
    }
    SetDlgItemTextA(window, IDC_STATS_FIRST_START, start.c_str());
    SetDlgItemTextA(window, IDC_STATS_LAST_END, end.c_str());
    for (size_t i = 0; i < sizeof(kTotalKinds) / sizeof(kTotalKinds[0]); ++i) {
        SetDlgItemTextA(window, IDC_STATS_HOUR + static_cast<int>(i), totals[i].c_str());
    }
    SetDlgItemTextA(window, IDC_STATS_COUNT, std::to_string(index.GetCount()).c_str());
}

void CProjectStatsDlg::StopRefreshing() {
    if (m_refreshing && GetHwnd() != nullptr) {
        KillTimer(GetHwnd(), kTimerId);
    }
    m_refreshing = false;
}

bool CProjectStatsDlg::OnDialogCommand(CDialogCommandEvent& event) {
    if (event.controlId != IDCANCEL) {
        return false;
    }
    if (event.notificationCode == BN_CLICKED) {
        Close();
    }
    return true;
}

bool CProjectStatsDlg::OnDialogMessage(CDialogMessageEvent& event) {
    switch (event.message) {
    case WM_DESTROY:
        StopRefreshing();
        return true;
    case WM_TIMER:
        ShowStatistics();
        return true;
    default:
        return AnswerCloseAndHelp(*this, event, kIdentity.helpTopic);
    }
}

bool CProjectStatsDlg::OnDialogTerminate(CDialogTerminateEvent&) {
    StopRefreshing();
    StoreDialogPosition(*this, kIdentity.slot);
    return true;
}

void CProjectStatsDlg::OnProjectClosed() {
    // The project and its states go right after this event.
    StopRefreshing();
    m_project = nullptr;
    m_state = nullptr;
    Close();
}
