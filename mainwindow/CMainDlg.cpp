#include "mainwindow/CMainDlg.h"

#include "app/main/CAppMain.h"
#include "app/ui/ButtonControls.h"
#include "app/ui/DialogPlacement.h"
#include "app/ui/SharedPictures.h"
#include "library/dialogs/SItemAnchor.h"
#include "library/text/CText.h"
#include "library/windows/CTempCursor.h"
#include "mainwindow/ButtonPictures.h"
#include "mainwindow/CMenu.h"
#include "model/ActivityBooking.h"
#include "model/CActivity.h"
#include "model/CProject.h"
#include "model/CProjectState.h"
#include "model/CProjects.h"
#include "resources/ResourceIds.h"

#include <utility>

namespace {

// Names and working-on text widen with the window, the list grows, the buttons keep to
// the bottom-right corner; everything else keeps its place.
const SItemAnchor kAnchors[] = {
    {IDC_MAIN_PROJECT, 1, 0, 0, 0},    {IDC_MAIN_WORKING_ON, 1, 0, 0, 0},
    {IDC_MAIN_ACTIVITIES, 1, 0, 1, 0}, {IDC_MAIN_START, 0, 1, 0, 1},
    {IDC_MAIN_STOP, 0, 1, 0, 1},       {IDC_MAIN_NEW_TALLYMARK, 0, 1, 0, 1},
};

// Shown only while a project is current.
const int kProjectControls[] = {
    IDC_MAIN_PROJECT_LABEL, IDC_MAIN_PROJECT,       IDC_MAIN_WORKING_LABEL, IDC_MAIN_WORKING_ON,
    IDC_MAIN_FOLLOW_NOW,    IDC_MAIN_SHOW_DATE,     IDC_MAIN_PERIOD_FRAME,  IDC_MAIN_PREVIOUS,
    IDC_MAIN_PERIOD,        IDC_MAIN_NEXT,          IDC_MAIN_ACTIVITIES,    IDC_MAIN_START,
    IDC_MAIN_STOP,          IDC_MAIN_NEW_TALLYMARK,
};

const UINT kRepeatFirstDelay = 1000;
const UINT kRepeatInterval = 100;

bool HasActivities(const CProjectState* state) {
    return state != nullptr && state->GetRootActivity() != nullptr &&
           state->GetRootActivity()->GetFirstChild() != nullptr;
}

} // namespace

CMainDlg::CMainDlg()
    : CMainDlgBase(EDisplayMode::Full), CSlotBridge<CDialogMessageEvent, CMainDlg>(this),
      CSlotBridge<CProjectModifiedEvent, CMainDlg>(this), CSlotBridge<CProjectSavedEvent, CMainDlg>(
                                                              this),
      CSlotBridge<CProjectsAddedEvent, CMainDlg>(this), CSlotBridge<CProjectsClosedEvent, CMainDlg>(
                                                            this),
      CSlotBridge<CProjectsSwitchedEvent, CMainDlg>(this), m_list(*this, true) {
    CAppMain& app = CAppMain::Get();
    CSlotBridge<CDialogMessageEvent, CMainDlg>::Connect(this);
    CSlot<CDialogCommandEvent>::Connect(this);
    CSlot<CDialogInitializeEvent>::Connect(this);
    CSlot<CDialogTerminateEvent>::Connect(this);
    CSlot<CNumColumnsChangedEvent>::Connect(&app.GetSetMainDlg());
    CSlot<CEmptyTimeModeChangedEvent>::Connect(&app.GetSetTimeDisplay());
    CSlot<CShowTimeCumulativeChangedEvent>::Connect(&app.GetSetTimeDisplay());
    CSlot<CCurrentHourChangedEvent>::Connect(&app.GetCurrentHour());
    CSlot<CMenuStatTypeChangedEvent>::Connect(&GetMenu());
    CProjects& projects = app.GetProjects();
    CSlotBridge<CProjectsAddedEvent, CMainDlg>::Connect(&projects);
    CSlotBridge<CProjectsClosedEvent, CMainDlg>::Connect(&projects);
    CSlotBridge<CProjectsSwitchedEvent, CMainDlg>::Connect(&projects);
    for (CProject* project = projects.GetNext(nullptr, false, true); project != nullptr;
         project = projects.GetNext(project, false, false)) {
        ConnectProjectFull(project);
    }
}

CMainDlg::~CMainDlg() = default;

void CMainDlg::ConnectProjectFull(CProject* project) {
    DisconnectProjectFull(project);
    CSlotBridge<CProjectModifiedEvent, CMainDlg>::Connect(project);
    CSlotBridge<CProjectSavedEvent, CMainDlg>::Connect(project);
}

void CMainDlg::DisconnectProjectFull(CProject* project) {
    CSlotBridge<CProjectModifiedEvent, CMainDlg>::Disconnect(project);
    CSlotBridge<CProjectSavedEvent, CMainDlg>::Disconnect(project);
}

bool CMainDlg::OnDialogInitialize(CDialogInitializeEvent& event) {
    m_initialising = true;
    CTempCursor hourglass(IDC_WAIT, nullptr);
    CAppMain& app = CAppMain::Get();
    InitCommon(event);
    CSlot<CNotIconActiveChangeEvent>::Connect(&app.GetNotArea());
    HWND window = GetHwnd();
    // The arrows are disabled while following now: they must look it.
    SetStateButtonPicture(window, IDC_MAIN_PREVIOUS, PreviousButtonImage(), m_previousImages);
    SetStateButtonPicture(window, IDC_MAIN_NEXT, NextButtonImage(), m_nextImages);
    AnchorItems(window, kAnchors);
    RestoreDialogRect(*this, kPlacementSlot);
    const bool follow = app.GetSetMainDlg().GetTrackNow();
    CheckDlgItem(follow, window, IDC_MAIN_FOLLOW_NOW);
    CheckDlgItem(!follow, window, IDC_MAIN_SHOW_DATE);
    UpdateNavigation();
    m_previous.Attach(window, IDC_MAIN_PREVIOUS, kRepeatFirstDelay, kRepeatInterval);
    m_next.Attach(window, IDC_MAIN_NEXT, kRepeatFirstDelay, kRepeatInterval);
    if (follow) {
        SetPositionToNow();
    }
    m_list.Attach(window, IDC_MAIN_ACTIVITIES, false);
    m_listAttached = true;
    BindList();
    UpdateWorkingState();
    UpdateVisibility();
    app.OnMainWindowCreated();
    m_initialising = false;
    return true;
}

bool CMainDlg::OnDialogTerminate(CDialogTerminateEvent& event) {
    SetTerminateResult(event);
    return true;
}

bool CMainDlg::OnDialogCommand(CDialogCommandEvent& event) {
    const bool clicked = event.notificationCode == BN_CLICKED;
    // During a modal moment the window is disabled: a click on a button that carries out a
    // command of the menu came from outside and must not act on what the moment holds.
    // The period controls change only what this window shows.
    const bool command = clicked && !IsDialogRunning();
    CAppMain& app = CAppMain::Get();
    switch (event.controlId) {
    case IDC_MAIN_FOLLOW_NOW:
        if (clicked && !m_initialising) {
            app.GetSetMainDlg().GetTrackNow() = true;
            UpdateNavigation();
            SetPositionToNow();
            RefreshColumns(true);
        }
        return true;
    case IDC_MAIN_SHOW_DATE:
        if (clicked && !m_initialising) {
            app.GetSetMainDlg().GetTrackNow() = false;
            UpdateNavigation();
        }
        return true;
    case IDC_MAIN_PREVIOUS:
    case IDC_MAIN_NEXT:
        // The buttons are disabled while following now or for the whole project.
        if (clicked && IsWindowEnabled(GetDlgItem(GetHwnd(), event.controlId))) {
            StepPeriod(event.controlId == IDC_MAIN_NEXT);
        }
        return true;
    case IDC_MAIN_START:
        if (command) {
            app.GetProjects().StartWorking(nullptr, nullptr);
        }
        return true;
    case IDC_MAIN_STOP:
        if (command) {
            app.GetProjects().StopWorking(nullptr);
        }
        return true;
    case IDC_MAIN_NEW_TALLYMARK:
        if (command && HasActivities(GetCurrentState())) {
            ShowDialog(EDialogKind::NewTallymark);
        }
        return true;
    default:
        return false;
    }
}

void CMainDlg::StepPeriod(bool forward) {
    CAppMain& app = CAppMain::Get();
    CDateTime& position = app.GetSetMainDlg().GetPosition();
    const int firstDay = app.GetSetDateTime().GetFirstDayOfWeek();
    const CDateTime shown = position;
    const int step = forward ? 1 : -1;
    // On the calendar's linear scale: dates before 1900 count their time of day forward.
    CDateTime next = shown;
    switch (GetKind()) {
    case sikHour:
        next = shown.GetHourStartOffset(step);
        break;
    case sikDay:
        next = shown.GetDayStartOffset(step);
        break;
    case sikWeek:
        next = shown.GetWeekStartOffset(step, firstDay);
        break;
    case sikMonth:
        next = shown.GetMonthStartOffset(step);
        break;
    case sikYear:
        next = shown.GetYearStartOffset(step);
        break;
    default:
        break;
    }
    // A step after which a column would reach past the calendar's ends leaves the shown
    // period where it is.
    if (CStatInts::FitsUpTo(static_cast<EStatIntKind>(GetKind()), GetNumColumns() - 1, next,
                            firstDay)) {
        position = next;
    }
    RefreshColumns(true);
}

void CMainDlg::SetPositionToNow() {
    CAppMain& app = CAppMain::Get();
    const CDateTime now = CDateTime::Now(false);
    CDateTime& position = app.GetSetMainDlg().GetPosition();
    switch (GetKind()) {
    case sikHour:
        position = now.GetHourStart();
        break;
    case sikDay:
        position = now.GetDayStart();
        break;
    case sikWeek:
        position = now.GetWeekStart(app.GetSetDateTime().GetFirstDayOfWeek());
        break;
    case sikMonth:
        position = now.GetMonthStart();
        break;
    case sikYear:
        position = now.GetYearStart();
        break;
    default:
        break;
    }
}

void CMainDlg::UpdateNavigation() {
    CAppMain& app = CAppMain::Get();
    const bool enable = !app.GetSetMainDlg().GetTrackNow() && GetKind() != sikAll;
    EnableWindow(GetDlgItem(GetHwnd(), IDC_MAIN_PREVIOUS), enable);
    EnableWindow(GetDlgItem(GetHwnd(), IDC_MAIN_NEXT), enable);
}

void CMainDlg::UpdateWorkingState() {
    if (GetHwnd() == nullptr) {
        return;
    }
    std::string text = CText(IDS_NOT_WORKING).GetString();
    bool start = false;
    bool stop = false;
    bool add = false;
    if (GetCurrentProject() != nullptr) {
        CProjectState* state = GetCurrentState();
        if (HasActivities(state)) {
            add = IsDialogAvailable(EDialogKind::NewTallymark);
            CActivity* selected = state->GetSelectedActivity();
            start = IsBookable(selected);
        }
        if (state != nullptr && state->GetCurrentActivity() != nullptr) {
            text = state->GetCurrentActivity()->GetPath();
            stop = true;
        }
    }
    // Only what changed is touched: this runs on every start and stop of work.
    SetItemTextIfChanged(IDC_MAIN_WORKING_ON, text);
    const std::pair<int, bool> buttons[] = {
        {IDC_MAIN_START, start}, {IDC_MAIN_STOP, stop}, {IDC_MAIN_NEW_TALLYMARK, add}};
    for (const auto& button : buttons) {
        HWND control = GetDlgItem(GetHwnd(), button.first);
        if ((IsWindowEnabled(control) != FALSE) != button.second) {
            EnableWindow(control, button.second);
        }
    }
}

void CMainDlg::UpdateProjectName() {
    if (GetHwnd() != nullptr && GetCurrentProject() != nullptr) {
        SetItemTextIfChanged(IDC_MAIN_PROJECT, GetCurrentProject()->GetTitle());
    }
}

void CMainDlg::SetItemTextIfChanged(int id, const std::string& text) {
    std::string shown;
    if (!GetItemText(id, shown) || shown != text) {
        SetDlgItemTextA(GetHwnd(), id, text.c_str());
    }
}

void CMainDlg::UpdateVisibility() {
    if (GetHwnd() == nullptr) {
        return;
    }
    UpdateProjectName();
    const int show = GetCurrentProject() != nullptr ? SW_SHOWNA : SW_HIDE;
    for (int id : kProjectControls) {
        ShowWindow(GetDlgItem(GetHwnd(), id), show);
    }
}

void CMainDlg::BindList() {
    m_shownStamps.clear();
    if (m_listAttached) {
        m_list.SetProject(GetCurrentProject(), GetCurrentState());
    }
}

void CMainDlg::StorePlacement() {
    CAppMain& app = CAppMain::Get();
    app.GetSetView().SetMode(CSetView::ModeFull);
    if (GetHwnd() == nullptr) {
        return;
    }
    StoreDialogRect(*this, kPlacementSlot);
    KeepColumnWidths(GetKind() != sikAll);
}

bool CMainDlg::OnProjectModifiedFull(CProjectModifiedEvent& event) {
    if (event.project == nullptr || event.project != GetCurrentProject()) {
        return true;
    }
    UpdateProjectName();
    // Totals follow the tally marks alone; only the rows whose totals changed are
    // rewritten (starting or stopping work touches one branch of the tree).
    if (event.parts.HasAny(ppTallymarks)) {
        ShowChangedStatistics();
    }
    if (event.parts.HasAny(ppTallymarks | ppWorkingState)) {
        UpdateWorkingState();
    }
    if (event.parts.HasAny(ppSelectedActivity)) {
        UpdateWorkingState();
    }
    if (event.parts.HasAny(ppName)) {
        UpdateVisibility();
    }
    return true;
}

bool CMainDlg::OnProjectStateSwitched(CProjectStateSwitchedEvent& event) {
    CMainDlgBase::OnProjectStateSwitched(event);
    if (event.project != nullptr && event.project == GetCurrentProject()) {
        UpdateWorkingState();
    }
    return true;
}

bool CMainDlg::OnProjectSavedFull(CProjectSavedEvent& event) {
    if (event.project != nullptr && event.project == GetCurrentProject()) {
        UpdateProjectName();
    }
    return true;
}

bool CMainDlg::OnProjectsAddedFull(CProjectsAddedEvent& event) {
    if (event.ok && event.userProject && event.project != nullptr) {
        ConnectProjectFull(event.project);
    }
    return true;
}

bool CMainDlg::OnProjectsClosedFull(CProjectsClosedEvent& event) {
    if (event.project != nullptr && event.project->IsUserProject()) {
        DisconnectProjectFull(event.project);
    }
    if (event.project != nullptr && m_listAttached && event.project == GetCurrentProject()) {
        m_shownStamps.clear();
        m_list.SetProject(nullptr, nullptr);
    }
    return true;
}

bool CMainDlg::OnProjectsSwitchedFull(CProjectsSwitchedEvent& event) {
    // The base may hear the event after this window: bind to the set's current project.
    if (GetCurrentProject() != event.newProject) {
        CMainDlgBase::OnProjectsSwitched(event);
    }
    BindList();
    UpdateWorkingState();
    UpdateVisibility();
    return true;
}

bool CMainDlg::OnEvent(CMenuStatTypeChangedEvent& event) {
    if (CAppMain::Get().GetSetMainDlg().GetTrackNow() && event.newKind < event.oldKind) {
        SetPositionToNow();
    }
    UpdateNavigation();
    RefreshColumns(true);
    return true;
}

bool CMainDlg::OnEvent(CCurrentHourChangedEvent&) {
    if (CAppMain::Get().GetSetMainDlg().GetTrackNow()) {
        SetPositionToNow();
        RefreshColumns(true);
    }
    return true;
}
