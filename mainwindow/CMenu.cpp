#include "mainwindow/CMenu.h"

#include "app/main/CAppMain.h"
#include "app/ui/ShellOpen.h"
#include "library/dialogs/CDialogWindow.h"
#include "library/dialogs/CModalScope.h"
#include "mainwindow/CMainDlgBase.h"
#include "mainwindow/MenuRules.h"
#include "model/CProject.h"
#include "model/CProjects.h"
#include "resources/ResourceIds.h"

#include <exception>

namespace {

// The loader's error code for a project file that another program holds.
const int32_t kErrorFileInUse = 3;

bool InRange(int id, int first, int last) {
    return id >= first && id <= last;
}

} // namespace

CMenu::CMenu(CMainDlgBase& window, EDisplayMode displayKind)
    : m_window(window), m_displayKind(displayKind) {
    CAppMain& app = CAppMain::Get();
    CProjects& projects = app.GetProjects();
    CSlot<CProjectsAddedEvent>::Connect(&projects);
    CSlot<CProjectsSwitchedEvent>::Connect(&projects);
    CSlot<CProjectsClosedEvent>::Connect(&projects);
    CSlot<CRecentMenuChangedEvent>::Connect(&app.GetSetRecentProjects());
    CSlot<CViewTopMostChangedEvent>::Connect(&app.GetSetView());
    m_kind = static_cast<int>(app.GetSetView().GetType());
    // Without the wrap flag the walk ends after the last project.
    for (CProject* project = projects.GetNext(nullptr, false, true); project != nullptr;
         project = projects.GetNext(project, false, false)) {
        if (project->IsUserProject()) {
            ConnectProject(project);
        }
    }
}

CMenu::~CMenu() = default;

void CMenu::Attach(HWND window) {
    if (m_hwnd != nullptr && m_hwnd != window) {
        Unsubclass(m_hwnd);
    }
    m_hwnd = window;
    if (!IsSubclassing(window)) {
        Subclass(window);
    }
    m_menu = GetMenu(window);
    m_itemStates.clear();
    m_windowEntriesShown = false;
    m_portable = CAppMain::Get().GetSetInstall().GetPortableInstall();
    UpdateItems();
    RebuildRecentMenu();
    RebuildWindowMenu();
    RedrawMenuBar();
}

void CMenu::ConnectProject(CProject* project) {
    if (project == nullptr) {
        return;
    }
    // A project may be announced more than once (opened again while open): unlinking
    // first keeps exactly one link, so each change is heard once.
    DisconnectProject(project);
    CSlot<CProjectModifiedEvent>::Connect(project);
    CSlot<CProjectSavedEvent>::Connect(project);
}

void CMenu::DisconnectProject(CProject* project) {
    if (project == nullptr) {
        return;
    }
    CSlot<CProjectModifiedEvent>::Disconnect(project);
    CSlot<CProjectSavedEvent>::Disconnect(project);
}

void CMenu::SetKind(int kind) {
    if (kind == m_kind || kind < 0 || kind > static_cast<int>(CSetView::TypeWholeProject)) {
        return;
    }
    const int oldKind = m_kind;
    m_kind = kind;
    CAppMain::Get().GetSetView().SetType(static_cast<uint32_t>(kind));
    UpdateItems();
    CMenuStatTypeChangedEvent event(oldKind, kind);
    CSignal<CMenuStatTypeChangedEvent>::Emit(event);
}

// A notification that one of the window's own controls sends about itself: the control
// is a child of the window and carries the id of the message. Anything else, whatever its
// code, is a menu command, a shortcut or a message made to look like one.
bool CMenu::IsOwnControlNotification(WPARAM wParam, LPARAM lParam) const {
    HWND control = reinterpret_cast<HWND>(lParam);
    return control != nullptr && m_hwnd != nullptr && IsWindow(control) &&
           GetParent(control) == m_hwnd && GetDlgCtrlID(control) == LOWORD(wParam);
}

// While a modal moment runs the window is disabled, so a menu command or shortcut that
// reaches it then was posted by another program or queued before the moment: it must not
// act on what the moment holds, whatever notification code it carries. Only the window's
// own controls still tell it about themselves (losing the focus as the moment's window
// opens, for one); what a click on them would start, the window refuses itself.
// Outside a moment menu items and shortcuts arrive alike; the notification code is not
// looked at. A command of the menu counts as handled even when its conditions do not hold
// and it does nothing.
void CMenu::OnMessage(CMessage& message) {
    if (message.message != WM_COMMAND) {
        return;
    }
    if (CModalScope::IsActive()) {
        if (IsOwnControlNotification(message.wParam, message.lParam)) {
            return;
        }
        message.handled = true;
        message.result = 0;
        if (LOWORD(message.wParam) == IDM_PROJECT_EXIT) {
            // Refused like any close request during the moment, whose window comes to
            // the front.
            m_window.Exit(EExitReason::Exit);
        }
        return;
    }
    const int id = LOWORD(message.wParam);
    if (!IsMainMenuCommand(id)) {
        return;
    }
    message.handled = true;
    message.result = 0;
    try {
        if (IsCommandEnabled(id, GetFacts())) {
            RunCommand(id);
        }
    } catch (...) {
        // Nothing may leave the window procedure: the window's dialog ends and throws the
        // error again from its loop. A window that is no dialog of ours has no loop to
        // carry it, and the error goes no further.
        CDialogWindow::EndWithError(message.window, std::current_exception());
    }
}

bool CMenu::IsCommandEnabled(int id, const SMenuFacts& facts) const {
    EDialogKind kind;
    if (GetMenuCommandDialog(id, kind) && !CMainDlgBase::IsDialogAvailable(kind)) {
        return false;
    }
    return IsMenuCommandEnabled(id, facts);
}

void CMenu::RunCommand(int id) {
    CAppMain& app = CAppMain::Get();
    CProjects& projects = app.GetProjects();
    EDialogKind kind;
    if (GetMenuCommandDialog(id, kind)) {
        m_window.ShowDialog(kind);
        return;
    }
    if (InRange(id, IDM_RECENT_FIRST, IDM_RECENT_LAST)) {
        OpenRecentProject(static_cast<size_t>(id - IDM_RECENT_FIRST));
        return;
    }
    if (InRange(id, IDM_WINDOW_FIRST, IDM_WINDOW_LAST)) {
        // The project that the entry shows (the list is rebuilt whenever one comes, goes
        // or is renamed), even when the set has reordered since.
        const size_t index = static_cast<size_t>(id - IDM_WINDOW_FIRST);
        CProject* project = index < m_listed.size() ? m_listed[index] : nullptr;
        if (projects.Contains(project) && project->IsUserProject()) {
            projects.SetCurrent(project);
        }
        return;
    }
    if (InRange(id, IDM_VIEW_HOUR, IDM_VIEW_WHOLE_PROJECT)) {
        SetKind(id - IDM_VIEW_HOUR);
        return;
    }
    CProject* project = CurrentProject();
    switch (id) {
    case IDM_PROJECT_NEW:
        app.NewProject();
        break;
    case IDM_PROJECT_OPEN:
        app.BrowseAndOpenProject();
        break;
    case IDM_PROJECT_CLOSE:
        projects.Close(project, false);
        break;
    case IDM_PROJECT_SAVE:
    case IDM_PROJECT_SAVE_AS:
        if (project != nullptr) {
            project->Save(id == IDM_PROJECT_SAVE_AS);
        }
        break;
    case IDM_PROJECT_EXIT:
        m_window.Exit(EExitReason::Exit);
        break;
    case IDM_TIME_START:
        projects.StartWorking(nullptr, nullptr);
        break;
    case IDM_TIME_STOP:
        projects.StopWorking(nullptr);
        break;
    case IDM_VIEW_FULL:
    case IDM_VIEW_COMPACT:
        m_window.SwitchDisplay();
        break;
    case IDM_VIEW_HIDE:
        app.GetNotArea().ShowIcon(true);
        break;
    case IDM_VIEW_TOPMOST:
        app.GetSetView().ToggleTopMost();
        break;
    case IDM_OPTIONS_PORTABLE:
        app.MakePortableInstallation();
        break;
    case IDM_WINDOW_NEXT:
        projects.SwitchToNext();
        break;
    case IDM_WINDOW_PREVIOUS:
        projects.SwitchToPrevious();
        break;
    case IDM_HELP_WINDOW:
        m_window.ShowHelp();
        break;
    case IDM_HELP_TALLYMARKS:
        app.ShowHelpPage(IDS_HELP_REGISTER_TIME, m_hwnd);
        break;
    case IDM_HELP_SUPPORT:
        app.ShowHelpPage(IDS_HELP_SUPPORT, m_hwnd);
        break;
    case IDM_HELP_UPDATES:
        OpenUpdateWebPage(m_hwnd, "menu");
        break;
    default:
        break;
    }
}

void CMenu::OpenRecentProject(size_t index) {
    CAppMain& app = CAppMain::Get();
    // A copy: opening rewrites the list that the entry lives in.
    const SProjectEntry entry = app.GetSetRecentProjects().GetEntry(index);
    app.GetProjects().Open(entry.filePath, CProjects::kOpenAndSwitch, true);
}

bool CMenu::OnRecentMenuChanged(CRecentMenuChangedEvent&) {
    RebuildRecentMenu();
    return true;
}

// Every item state is recomputed on each change; the lists only when what they show
// changed: the names, the unsaved mark and the working mark of the open projects.
bool CMenu::OnProjectModified(CProjectModifiedEvent& event) {
    UpdateItems();
    if (event.parts.HasAny(ppName)) {
        RebuildRecentMenu();
    }
    if (event.parts.HasAny(ppName | ppActivities | ppTallymarks | ppWorkingState)) {
        RebuildWindowMenu();
    }
    return true;
}

// A save clears the unsaved parts without a change event, so every successful save
// refreshes the Save item and the unsaved marks. Only a file at a new place joins the
// recent list (whose announcement rebuilds its menu).
bool CMenu::OnProjectSaved(CProjectSavedEvent& event) {
    if (!event.saved) {
        return true;
    }
    UpdateItems();
    RebuildWindowMenu();
    if (event.newLocation && event.project != nullptr && event.project->IsUserProject()) {
        CAppMain::Get().GetSetRecentProjects().AddProject(*event.project);
    }
    return true;
}

bool CMenu::OnProjectsAdded(CProjectsAddedEvent& event) {
    if (!event.userProject) {
        return true;
    }
    CSetRecentProjects& recent = CAppMain::Get().GetSetRecentProjects();
    if (event.ok && event.project != nullptr) {
        ConnectProject(event.project);
        if (!event.project->IsNew()) {
            recent.AddProject(*event.project);
        }
    } else if (event.error.GetCode() != kErrorFileInUse) {
        // A file that cannot be opened leaves the list; one in use may open later.
        recent.Remove(event.path);
    }
    // A project opened without becoming current still joins the open-projects list.
    UpdateItems();
    RebuildWindowMenu();
    return true;
}

bool CMenu::OnProjectsSwitched(CProjectsSwitchedEvent&) {
    UpdateItems();
    RebuildWindowMenu();
    return true;
}

bool CMenu::OnProjectsClosed(CProjectsClosedEvent& event) {
    if (event.project == nullptr || !event.project->IsUserProject()) {
        return true;
    }
    DisconnectProject(event.project);
    RebuildRecentMenu();
    RebuildWindowMenu();
    UpdateItems();
    return true;
}

bool CMenu::OnViewTopMostChanged(CViewTopMostChangedEvent& event) {
    if (m_menu != nullptr) {
        CheckMenuItem(m_menu, IDM_VIEW_TOPMOST,
                      MF_BYCOMMAND | (event.topMost ? MF_CHECKED : MF_UNCHECKED));
    }
    return true;
}
