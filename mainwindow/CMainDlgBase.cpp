#include "mainwindow/CMainDlgBase.h"

#include "app/main/CAppMain.h"
#include "app/ui/SharedPictures.h"
#include "library/dialogs/ShowMessageBox.h"
#include "mainwindow/CMenu.h"
#include "model/CActivity.h"
#include "model/CProject.h"
#include "model/CProjectState.h"
#include "model/CProjects.h"
#include "resources/ResourceIds.h"

#include "library/text/CText.h"

namespace {

const char kProgramName[] = "Tallymarks";

} // namespace

CMainDlgBase::CMainDlgBase(EDisplayMode displayKind)
    : CSlotBridge<CViewTopMostChangedEvent, CMainDlgBase>(this),
      CSlotBridge<CProjectModifiedEvent, CMainDlgBase>(this),
      CSlotBridge<CProjectSavedEvent, CMainDlgBase>(this),
      CSlotBridge<CProjectsAddedEvent, CMainDlgBase>(this),
      CSlotBridge<CProjectsClosedEvent, CMainDlgBase>(this),
      CSlotBridge<CProjectsSwitchedEvent, CMainDlgBase>(this), m_displayKind(displayKind),
      m_postponedInactivity(CAppMain::Get().GetProjects(),
                            [this](CProject& project, const SClockReading& start) {
                                OpenInactivityDialog(project, start);
                            }) {
    CAppMain& app = CAppMain::Get();
    CProjects& projects = app.GetProjects();
    m_menu = std::make_unique<CMenu>(*this, displayKind);
    CSlotBridge<CProjectsSwitchedEvent, CMainDlgBase>::Connect(&projects);
    CSlotBridge<CProjectsClosedEvent, CMainDlgBase>::Connect(&projects);
    CSlotBridge<CProjectsAddedEvent, CMainDlgBase>::Connect(&projects);
    CSlot<CProjectsMayCloseEvent>::Connect(&projects);
    CSlotBridge<CViewTopMostChangedEvent, CMainDlgBase>::Connect(&app.GetSetView());
    CSlot<CInactiveEvent>::Connect(&app.GetInactivityDetector());
    // Without the wrap flag the walk ends after the last project.
    for (CProject* project = projects.GetNext(nullptr, false, true); project != nullptr;
         project = projects.GetNext(project, false, false)) {
        ConnectProject(project);
    }
    SetCurrentProject(projects.GetCurrentProject());
}

CMainDlgBase::~CMainDlgBase() {
    // The menu goes first: it watches this window and hears the same projects.
    m_menu.reset();
}

void CMainDlgBase::SetCurrentProject(CProject* project) {
    m_project = project;
    m_state = project != nullptr ? project->GetState(false) : nullptr;
    CSlot<CProjectStateSwitchedEvent>::DisconnectAll();
    if (project != nullptr) {
        CSlot<CProjectStateSwitchedEvent>::Connect(project);
    }
    CSlot<CStatsUpdatedEvent>::DisconnectAll();
    if (m_state != nullptr) {
        CSlot<CStatsUpdatedEvent>::Connect(&m_state->GetStatUpdateNotifier());
    }
}

void CMainDlgBase::ConnectProject(CProject* project) {
    if (project == nullptr) {
        return;
    }
    // A project may be announced more than once (opened again, handed over while open):
    // unlinking first keeps exactly one link of each slot.
    DisconnectProject(project);
    CSlot<CProjectAskNewLocationEvent>::Connect(project);
    CSlotBridge<CProjectModifiedEvent, CMainDlgBase>::Connect(project);
    CSlotBridge<CProjectSavedEvent, CMainDlgBase>::Connect(project);
}

void CMainDlgBase::DisconnectProject(CProject* project) {
    if (project == nullptr) {
        return;
    }
    CSlot<CProjectAskNewLocationEvent>::Disconnect(project);
    CSlotBridge<CProjectModifiedEvent, CMainDlgBase>::Disconnect(project);
    CSlotBridge<CProjectSavedEvent, CMainDlgBase>::Disconnect(project);
}

void CMainDlgBase::InitCommon(CDialogInitializeEvent& event) {
    CAppMain& app = CAppMain::Get();
    app.OpenStartupProjects();
    // The project may have been current before this window (a display switch).
    SelectActivityIfNone();
    HWND window = event.window;
    m_menu->Attach(window);
    CNotAreaImpl& tray = app.GetNotArea();
    tray.Attach(window);
    tray.SetMainDlg(this);
    tray.UpdateIcon();
    UpdateTitle();
    UpdateIcons();
    SetTopMost(app.GetSetView().GetTopMost());
}

void CMainDlgBase::SelectActivityIfNone() {
    if (m_state == nullptr || m_state->GetSelectedActivity() != nullptr) {
        return;
    }
    CActivity* choice = m_state->GetCurrentActivity();
    if (choice == nullptr && m_state->GetRootActivity() != nullptr) {
        choice = m_state->GetRootActivity()->GetFirstChild();
    }
    if (choice != nullptr) {
        m_state->SetSelectedActivity(choice);
    }
}

void CMainDlgBase::UpdateTitle() {
    if (GetHwnd() == nullptr) {
        return;
    }
    std::string title = kProgramName;
    if (m_project != nullptr) {
        title = m_project->GetTitle() + " - " + kProgramName;
    }
    char shown[512] = "";
    GetWindowTextA(GetHwnd(), shown, sizeof shown);
    if (title != shown) {
        SetWindowTextA(GetHwnd(), title.c_str());
    }
}

void CMainDlgBase::UpdateIcons() {
    if (GetHwnd() == nullptr) {
        return;
    }
    const CProjects& projects = CAppMain::Get().GetProjects();
    EWorkingState state = EWorkingState::NotWorking;
    if (projects.GetNumProjects() == 0) {
        state = EWorkingState::NoProject;
    } else if (projects.IsAnyWorking()) {
        state = EWorkingState::Working;
    }
    // Asked on every start and stop of work in any project: the icons change seldom.
    if (static_cast<int>(state) == m_shownIconState) {
        return;
    }
    m_shownIconState = static_cast<int>(state);
    const SApplicationIcons& icons = ApplicationIcons();
    SendMessageA(GetHwnd(), WM_SETICON, ICON_SMALL,
                 reinterpret_cast<LPARAM>(icons.Get(state, EIconSize::Small16)));
    SendMessageA(GetHwnd(), WM_SETICON, ICON_BIG,
                 reinterpret_cast<LPARAM>(icons.Get(state, EIconSize::Large32)));
}

bool CMainDlgBase::OnNotIconActiveChange(CNotIconActiveChangeEvent& event) {
    if (!event.shown && m_statisticsPending) {
        m_statisticsPending = false;
        ShowStatistics();
    }
    return true;
}

bool CMainDlgBase::OnStatsUpdated(CStatsUpdatedEvent&) {
    if (CAppMain::Get().GetNotArea().IsIconShown()) {
        m_statisticsPending = true;
    } else {
        ShowStatistics();
    }
    return true;
}

bool CMainDlgBase::OnProjectStateSwitched(CProjectStateSwitchedEvent& event) {
    if (event.project != m_project || event.oldState != m_state || event.newState == nullptr) {
        return true;
    }
    m_state = event.newState;
    CSlot<CStatsUpdatedEvent>::Connect(&m_state->GetStatUpdateNotifier());
    // The edit may have removed the selected activity, or given the project its first.
    SelectActivityIfNone();
    ShowStatistics();
    return true;
}

bool CMainDlgBase::OnProjectModified(CProjectModifiedEvent& event) {
    if (event.project != nullptr && event.project == m_project) {
        UpdateTitle();
    }
    if (event.parts.HasAny(ppWorkingState)) {
        CAppMain::Get().GetNotArea().UpdateIcon();
        UpdateIcons();
    }
    return true;
}

bool CMainDlgBase::OnProjectsAdded(CProjectsAddedEvent& event) {
    if (!event.userProject) {
        return true;
    }
    if (!event.ok || event.project == nullptr) {
        ShowMessageBox(GetHwnd(), event.error.GetText().c_str(),
                       CText(IDS_OPEN_PROJECT_ERROR_CAPTION).GetCStr(), MB_OK | MB_ICONERROR);
        return true;
    }
    ConnectProject(event.project);
    if (event.project->IsWritable()) {
        CAppMain::Get().GetNotArea().UpdateIcon();
    } else {
        CText notice(IDS_PROJECT_READ_ONLY_NOTICE);
        notice.ReplaceWithString("[PROJECTNAME]", event.project->GetState(false)->GetName(), true);
        ShowMessageBox(GetHwnd(), notice, CText(IDS_PROJECT_READ_ONLY_CAPTION),
                       MB_OK | MB_ICONINFORMATION);
    }
    return true;
}

bool CMainDlgBase::OnProjectsClosed(CProjectsClosedEvent& event) {
    if (event.project != nullptr && event.project->IsUserProject()) {
        DisconnectProject(event.project);
    }
    if (event.project != nullptr && event.project == m_project) {
        // The set switches to another project right after; until then nothing may
        // reach the project that goes.
        SetCurrentProject(nullptr);
    }
    return true;
}

bool CMainDlgBase::OnProjectsSwitched(CProjectsSwitchedEvent& event) {
    SetCurrentProject(event.newProject);
    SelectActivityIfNone();
    UpdateTitle();
    UpdateIcons();
    return true;
}
