// CAppMain: the open projects across the run: re-opening the projects of the last run,
// the exit question with the saving of the settings, new and browsed projects.

#include "app/main/CAppMain.h"

#include "app/services/IMainWindow.h"
#include "library/dialogs/CModalScope.h"
#include "library/dialogs/ShowMessageBox.h"
#include "library/text/CError.h"
#include "library/text/CText.h"
#include "model/CProject.h"
#include "model/CProjectBrowser.h"
#include "resources/ResourceIds.h"

#include <vector>

void CAppMain::OpenStartupProjects() {
    if (m_startupProjectsOpened) {
        return;
    }
    // Set first: opening may show messages, and a window created meanwhile must not
    // open the projects a second time.
    m_startupProjectsOpened = true;

    // A copy: the messages of a failed opening let other code touch the settings.
    std::vector<SProjectEntry> entries;
    for (size_t i = 0; i < m_setLastProjects.GetSize(); ++i) {
        entries.push_back(m_setLastProjects.GetEntry(i));
    }
    const SProjectEntry active = m_setLastProjects.GetActiveEntry();
    for (const SProjectEntry& entry : entries) {
        m_projects.Open(entry.filePath, CProjects::kOpenOnly, true);
    }
    if (!entries.empty() && !m_projects.SwitchToFile(active.filePath)) {
        m_projects.SetCurrent(m_projects.GetProject(0));
    }
    if (m_cmdLineParser.HasFile()) {
        m_projects.OpenPath(m_cmdLineParser.GetFile(), CProjects::kOpenAndSwitch, true);
    }
}

bool CAppMain::QueryExit(int reason) {
    // From the first question to the closing: a second close request, the end of the
    // session or a hand-over meanwhile must not act on the projects being asked about.
    CModalScope moment;
    if (!m_projects.MayCloseAll(reason)) {
        return false;
    }

    // Projects that were never saved have no file to open again; projects opened only
    // for an exchange with another file are not the user's open projects.
    m_setLastProjects.Clear();
    CProject* current = m_projects.GetCurrentProject();
    for (size_t i = 0; i < m_projects.GetNumProjects(); ++i) {
        CProject* project = m_projects.GetProject(i);
        if (project != nullptr && project->IsUserProject() && !project->IsNew()) {
            m_setLastProjects.Add(*project, project == current);
        }
    }
    if (m_mainWindow != nullptr) {
        m_mainWindow->StorePlacement();
    }

    bool result = true;
    while (!m_userSettings.Save()) {
        const DWORD error = GetLastError();
        CText text(IDS_SETTINGS_SAVE_FAILED);
        text.ReplaceWithSystemError("[ERROR]", error, CText(IDS_UNKNOWN_ERROR), true);
        const int answer =
            ShowMessageBox(GetMainWindowHandle(), text, CText(IDS_SETTINGS_SAVE_FAILED_CAPTION),
                           MB_ABORTRETRYIGNORE | MB_DEFBUTTON2 | MB_ICONWARNING);
        if (answer == IDABORT) {
            result = false;
            break;
        }
        if (answer != IDRETRY) {
            break;
        }
    }

    if (result) {
        m_projects.CloseAll();
    }
    return result;
}

void CAppMain::NewProject() {
    try {
        CProject* project = m_projects.CreateNew();
        const bool confirmed =
            !m_newProjectDialog || m_newProjectDialog(*project, GetMainWindowHandle());
        if (confirmed) {
            project->SetInitialised();
            m_projects.SetCurrent(project);
        } else if (m_projects.Contains(project)) {
            // The user declined the project before it held anything: no vote, so that
            // nobody is asked to save it. (A project closed while the dialog ran, by a
            // tray exit or the end of the session, is gone already.)
            m_projects.Close(project, true);
        }
    } catch (const CError& error) {
        CText text(IDS_NEW_PROJECT_FAILED);
        text.ReplaceWithString("[ERROR]", error.GetText(), true);
        ShowMessageBox(GetMainWindowHandle(), text, CText(IDS_NEW_PROJECT_FAILED_CAPTION),
                       MB_OK | MB_ICONERROR);
    }
}

void CAppMain::BrowseAndOpenProject() {
    CProjectBrowser browser;
    if (browser.Browse(CProjectBrowser::bpOpen, GetMainWindowHandle(), std::string(), 0)) {
        m_projects.OpenPath(browser.GetFilePath(), CProjects::kOpenAndSwitch, true);
    }
}
