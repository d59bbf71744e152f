#include "mainwindow/CCompactDlg.h"

#include "app/main/CAppMain.h"
#include "app/ui/ButtonControls.h"
#include "app/ui/DialogPlacement.h"
#include "app/ui/SharedPictures.h"
#include "library/windows/CTempCursor.h"
#include "mainwindow/ButtonPictures.h"
#include "mainwindow/CMenu.h"
#include "model/ActivityBooking.h"
#include "model/CActivity.h"
#include "model/CProject.h"
#include "model/CProjectState.h"
#include "model/CProjects.h"
#include "model/CStatGen.h"
#include "model/CStatInts.h"
#include "resources/ResourceIds.h"

#include <utility>

namespace {

// Shown only while a project is current.
const int kProjectControls[] = {IDC_COMPACT_ACTIVITY, IDC_COMPACT_START, IDC_COMPACT_STOP,
                                IDC_COMPACT_TIME, IDC_COMPACT_TIME_FRAME};

} // namespace

CCompactDlg::CCompactDlg()
    : CMainDlgBase(EDisplayMode::Compact), CSlotBridge<CDialogMessageEvent, CCompactDlg>(this),
      CSlotBridge<CViewTopMostChangedEvent, CCompactDlg>(this),
      CSlotBridge<CProjectModifiedEvent, CCompactDlg>(this),
      CSlotBridge<CProjectsAddedEvent, CCompactDlg>(this),
      CSlotBridge<CProjectsClosedEvent, CCompactDlg>(this),
      CSlotBridge<CProjectsSwitchedEvent, CCompactDlg>(this), m_activities(false, true) {
    CAppMain& app = CAppMain::Get();
    CSlotBridge<CDialogMessageEvent, CCompactDlg>::Connect(this);
    CSlot<CDialogCommandEvent>::Connect(this);
    CSlot<CDialogInitializeEvent>::Connect(this);
    CSlot<CDialogTerminateEvent>::Connect(this);
    CSlot<CEmptyTimeModeChangedEvent>::Connect(&app.GetSetTimeDisplay());
    CSlot<CShowTimeCumulativeChangedEvent>::Connect(&app.GetSetTimeDisplay());
    CSlotBridge<CViewTopMostChangedEvent, CCompactDlg>::Connect(&app.GetSetView());
    CSlot<CCurrentHourChangedEvent>::Connect(&app.GetCurrentHour());
    CSlot<CMenuStatTypeChangedEvent>::Connect(&GetMenu());
    CProjects& projects = app.GetProjects();
    CSlotBridge<CProjectsAddedEvent, CCompactDlg>::Connect(&projects);
    CSlotBridge<CProjectsClosedEvent, CCompactDlg>::Connect(&projects);
    CSlotBridge<CProjectsSwitchedEvent, CCompactDlg>::Connect(&projects);
    // Without the wrap flag the walk ends after the last project.
    for (CProject* project = projects.GetNext(nullptr, false, true); project != nullptr;
         project = projects.GetNext(project, false, false)) {
        ConnectProjectCompact(project);
    }
}

CCompactDlg::~CCompactDlg() = default;

void CCompactDlg::ConnectProjectCompact(CProject* project) {
    // A project may be announced again while open: it is heard once all the same.
    CSlotBridge<CProjectModifiedEvent, CCompactDlg>::Disconnect(project);
    CSlotBridge<CProjectModifiedEvent, CCompactDlg>::Connect(project);
}

bool CCompactDlg::OnDialogInitialize(CDialogInitializeEvent& event) {
    CTempCursor hourglass(IDC_WAIT, nullptr);
    CAppMain& app = CAppMain::Get();
    InitCommon(event);
    CSlot<CNotIconActiveChangeEvent>::Connect(&app.GetNotArea());
    HWND window = GetHwnd();
    // Start and stop are disabled whenever they cannot act: they must look it.
    SetStateButtonPicture(window, IDC_COMPACT_START, StartButtonImage(), m_startImages);
    SetStateButtonPicture(window, IDC_COMPACT_STOP, StopButtonImage(), m_stopImages);
    RestoreDialogPosition(*this, kPlacementSlot);
    m_activities.Attach(window, IDC_COMPACT_ACTIVITY);
    m_boxAttached = true;
    BindActivityBox();
    UpdateWorkingState();
    UpdateVisibility();
    ShowStatistics();
    ShowTopMost(app.GetSetView().GetTopMost());
    app.OnMainWindowCreated();
    return true;
}

bool CCompactDlg::OnDialogTerminate(CDialogTerminateEvent& event) {
    SetTerminateResult(event);
    return true;
}

bool CCompactDlg::OnDialogCommand(CDialogCommandEvent& event) {
    // During a modal moment the window is disabled: a click came from outside and must
    // not act on what the moment holds.
    const bool clicked = event.notificationCode == BN_CLICKED && !IsDialogRunning();
    CProjects& projects = CAppMain::Get().GetProjects();
    // A command may arrive while its button is disabled (sent by another program).
    const bool enabled = IsWindowEnabled(GetDlgItem(GetHwnd(), event.controlId)) != FALSE;
    switch (event.controlId) {
    case IDC_COMPACT_START:
        if (clicked && enabled) {
            projects.StartWorking(nullptr, nullptr);
        }
        return true;
    case IDC_COMPACT_STOP:
        if (clicked && enabled) {
            projects.StopWorking(nullptr);
        }
        return true;
    case IDC_COMPACT_TOPMOST:
        if (clicked) {
            CAppMain::Get().GetSetView().ToggleTopMost();
        }
        return false;
    default:
        return false;
    }
}

void CCompactDlg::StorePlacement() {
    CAppMain& app = CAppMain::Get();
    app.GetSetView().SetMode(CSetView::ModeCompact);
    if (GetHwnd() == nullptr) {
        return;
    }
    StoreDialogPosition(*this, kPlacementSlot);
}

void CCompactDlg::ShowStatistics() {
    CProjectState* state = GetCurrentState();
    if (GetHwnd() == nullptr || GetCurrentProject() == nullptr || state == nullptr) {
        return;
    }
    CAppMain& app = CAppMain::Get();
    const CSetTimeDisplay& display = app.GetSetTimeDisplay();
    CDateTimeSpan total(0.0);
    // A project without activities has nothing selected: it shows the empty time.
    if (CActivity* activity = state->GetSelectedActivity()) {
        const uint32_t type = app.GetSetView().GetType();
        const EStatIntKind kind = type <= sikAll ? static_cast<EStatIntKind>(type) : sikDay;
        CStatInts intervals;
        intervals.GenerateFrom(kind, 1, CDateTime::Now(false), EStatIntBounds::Whole,
                               app.GetSetDateTime().GetFirstDayOfWeek());
        if (intervals.GetCount() > 0) {
            const EStatScope scope =
                display.GetShowCumulativeTime() ? EStatScope::WithDescendants : EStatScope::Own;
            total = activity->GetStatGen().Generate(intervals.GetAt(0), scope).GetTotal();
        }
    }
    SetItemTextIfChanged(IDC_COMPACT_TIME, display.FormatDuration(total));
}

void CCompactDlg::BindActivityBox() {
    if (m_boxAttached) {
        m_activities.SetProject(GetCurrentProject(), GetCurrentState());
    }
}

void CCompactDlg::UpdateWorkingState() {
    HWND window = GetHwnd();
    if (window == nullptr) {
        return;
    }
    CProjectState* state = GetCurrentProject() != nullptr ? GetCurrentState() : nullptr;
    bool start = false;
    bool stop = false;
    EWorkingState shown = EWorkingState::NoProject;
    if (state != nullptr) {
        CActivity* selected = state->GetSelectedActivity();
        start = state->GetRootActivity()->GetFirstChild() != nullptr && IsBookable(selected);
        stop = state->GetCurrentActivity() != nullptr;
        // Work in any open project counts, not only in the one shown.
        shown = stop || CAppMain::Get().GetProjects().IsAnyWorking() ? EWorkingState::Working
                                                                     : EWorkingState::NotWorking;
    }
    const std::pair<int, bool> buttons[] = {{IDC_COMPACT_START, start}, {IDC_COMPACT_STOP, stop}};
    for (const auto& button : buttons) {
        HWND control = GetDlgItem(window, button.first);
        if ((IsWindowEnabled(control) != FALSE) != button.second) {
            EnableWindow(control, button.second);
        }
    }
    HICON icon = ApplicationIcons().Get(shown, EIconSize::Big48);
    if (icon != m_shownStateIcon) {
        m_shownStateIcon = icon;
        SendDlgItemMessageA(window, IDC_COMPACT_STATE, STM_SETICON, reinterpret_cast<WPARAM>(icon),
                            0);
    }
}

void CCompactDlg::UpdateVisibility() {
    if (GetHwnd() == nullptr) {
        return;
    }
    const int show = GetCurrentProject() != nullptr ? SW_SHOWNA : SW_HIDE;
    for (int id : kProjectControls) {
        ShowWindow(GetDlgItem(GetHwnd(), id), show);
    }
}

void CCompactDlg::ShowTopMost(bool topMost) {
    HWND window = GetHwnd();
    if (window == nullptr) {
        return;
    }
    const SButtonImage& image = topMost ? TopMostOnButtonImage() : TopMostOffButtonImage();
    SetButtonIcon(window, IDC_COMPACT_TOPMOST, image.imageList.Get(), image.icon.Get());
    CheckDlgItem(topMost, window, IDC_COMPACT_TOPMOST);
}

void CCompactDlg::SetItemTextIfChanged(int id, const std::string& text) {
    std::string shown;
    if (!GetItemText(id, shown) || shown != text) {
        SetDlgItemTextA(GetHwnd(), id, text.c_str());
    }
}

bool CCompactDlg::OnEvent(CEmptyTimeModeChangedEvent&) {
    ShowStatistics();
    return true;
}

bool CCompactDlg::OnEvent(CShowTimeCumulativeChangedEvent&) {
    ShowStatistics();
    return true;
}

bool CCompactDlg::OnEvent(CCurrentHourChangedEvent&) {
    ShowStatistics();
    return true;
}

bool CCompactDlg::OnEvent(CMenuStatTypeChangedEvent&) {
    ShowStatistics();
    return true;
}

bool CCompactDlg::OnViewTopMostChangedCompact(CViewTopMostChangedEvent& event) {
    ShowTopMost(event.topMost);
    return true;
}

bool CCompactDlg::OnProjectModifiedCompact(CProjectModifiedEvent& event) {
    if (event.project == nullptr || event.project != GetCurrentProject()) {
        // Work starting or stopping elsewhere changes the state icon.
        if (event.parts.HasAny(ppWorkingState)) {
            UpdateWorkingState();
        }
        return true;
    }
    if (event.parts.HasAny(ppTallymarks)) {
        ShowStatistics();
        UpdateWorkingState();
    }
    if (event.parts.HasAny(ppWorkingState)) {
        UpdateWorkingState();
        CProjectState* state = GetCurrentState();
        if (state != nullptr && state->GetCurrentActivity() == nullptr) {
            ShowStatistics();
        }
    }
    if (event.parts.HasAny(ppSelectedActivity)) {
        // The chooser shows the activity whose time is shown, also when another control
        // (the tray menu, a dialog) changed the selection. While a switch of projects is
        // heard it may still list the project shown before: it takes the new one's
        // selection when it is bound to it.
        CProjectState* state = GetCurrentState();
        if (state != nullptr && m_activities.GetState() == state) {
            m_activities.SetActivity(state->GetSelectedActivity());
        }
        UpdateWorkingState();
        ShowStatistics();
    }
    if (event.parts.HasAny(ppName)) {
        UpdateVisibility();
    }
    return true;
}

bool CCompactDlg::OnProjectStateSwitched(CProjectStateSwitchedEvent& event) {
    CMainDlgBase::OnProjectStateSwitched(event);
    if (event.project != nullptr && event.project == GetCurrentProject()) {
        UpdateWorkingState();
    }
    return true;
}

bool CCompactDlg::OnProjectsAddedCompact(CProjectsAddedEvent& event) {
    if (event.ok && event.userProject && event.project != nullptr) {
        ConnectProjectCompact(event.project);
    }
    return true;
}

bool CCompactDlg::OnProjectsClosedCompact(CProjectsClosedEvent& event) {
    if (event.project == nullptr) {
        return true;
    }
    CSlotBridge<CProjectModifiedEvent, CCompactDlg>::Disconnect(event.project);
    // The base may have heard the event first and already let go of the current project.
    if (m_boxAttached && (event.project == GetCurrentProject() || GetCurrentProject() == nullptr)) {
        m_activities.SetProject(nullptr, nullptr);
    }
    return true;
}

bool CCompactDlg::OnProjectsSwitchedCompact(CProjectsSwitchedEvent& event) {
    // The base may hear the event after this window: bind to the set's current project.
    if (GetCurrentProject() != event.newProject) {
        CMainDlgBase::OnProjectsSwitched(event);
    }
    BindActivityBox();
    UpdateWorkingState();
    UpdateVisibility();
    ShowStatistics();
    return true;
}
