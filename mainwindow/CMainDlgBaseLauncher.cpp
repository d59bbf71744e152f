// CMainDlgBase: the dialog launcher, the inactivity loop and the questions the projects
// ask the window (may it close, where to save, how did the save go).

#include "mainwindow/CMainDlgBase.h"

#include "app/main/CAppMain.h"
#include "app/ui/ModalDialogParams.h"
#include "library/dialogs/CModalScope.h"
#include "library/dialogs/ShowMessageBox.h"
#include "library/text/CText.h"
#include "library/windows/CTempCursor.h"
#include "mainwindow/CDialogLauncher.h"
#include "model/CActivity.h"
#include "model/CProject.h"
#include "model/CProjectState.h"
#include "model/CProjects.h"
#include "resources/ResourceIds.h"

bool CMainDlgBase::IsDialogAvailable(EDialogKind kind) {
    return CDialogLauncher::Find(kind) != nullptr;
}

void CMainDlgBase::ShowDialog(EDialogKind kind) {
    const SDialogKindEntry* entry = CDialogLauncher::Find(kind);
    if (entry == nullptr || (entry->needsProject && m_project == nullptr)) {
        return;
    }
    std::unique_ptr<CDialogWindow> dialog;
    {
        CTempCursor hourglass(IDC_WAIT, nullptr);
        dialog = entry->make(*this);
        if (!dialog) {
            return;
        }
    }
    RunDialog(*dialog, entry->identity);
}

void CMainDlgBase::RunDialog(CDialogWindow& dialog, const SDialogIdentity& identity) {
    dialog.Create(MakeModalDialogParams(identity, GetHwnd()));
}

bool CMainDlgBase::OnInactive(CInactiveEvent& event) {
    if (!CDialogLauncher::GetInactivityDialog()) {
        return true;
    }
    CProjects& projects = CAppMain::Get().GetProjects();
    for (CProject* project : projects.GetWorkingProjects()) {
        // A dialog of the loop may end with projects closed (the tray's exit is refused
        // meanwhile, but a project can still be closed from a nested dialog).
        if (!projects.Contains(project)) {
            continue;
        }
        // Inside a moment (a file dialog, a question, any dialog, the tray's menu) the
        // dialog waits for the last moment's end, and for a project that a dialog edits
        // until that edit is over: the edit's OK or Cancel would otherwise decide over
        // the booking.
        if (CModalScope::IsActive() || !CProjects::CanChangeWork(project)) {
            m_postponedInactivity.Postpone(*project, event.start, GetHwnd());
            continue;
        }
        OpenInactivityDialog(*project, event.start);
    }
    return true;
}

void CMainDlgBase::OpenInactivityDialog(CProject& project, const SClockReading& start) {
    const CDialogLauncher::InactivityDialogFactory& factory =
        CDialogLauncher::GetInactivityDialog();
    std::unique_ptr<CDialogWindow> dialog = factory ? factory(start, project) : nullptr;
    if (!dialog) {
        return;
    }
    RunDialog(*dialog, CDialogLauncher::GetInactivityDialogIdentity());
    if (dialog->GetExitCode() == CDialogLauncher::kInactivityPostponed &&
        CAppMain::Get().GetProjects().Contains(&project)) {
        m_postponedInactivity.Postpone(project, start, GetHwnd());
    }
}

bool CMainDlgBase::OnProjectsMayClose(CProjectsMayCloseEvent& event) {
    CProject* project = event.project;
    if (project == nullptr) {
        return true;
    }
    // Each question is a modal moment, which nothing may close the project under; should
    // it be gone all the same, its answer must not reach it.
    CProjects& projects = CAppMain::Get().GetProjects();
    const bool canCancel = event.reason != EExitReason::ExitNoCancel;
    const UINT buttons = canCancel ? MB_YESNOCANCEL : MB_YESNO;
    CProjectState* state = project->GetState(false);
    CActivity* activity = state->GetCurrentActivity();
    if (activity != nullptr) {
        CText question(IDS_STILL_WORKING);
        question.ReplaceWithString("[PROJECT]", state->GetName(), true);
        question.ReplaceWithString("[ACTIVITY]", activity->GetPath(), true);
        int continuation = IDS_STILL_WORKING_EXIT;
        int caption = IDS_EXIT_CAPTION;
        if (event.reason == EExitReason::CloseProject) {
            continuation = IDS_STILL_WORKING_CLOSE;
            caption = IDS_CLOSE_PROJECT_CAPTION;
        } else if (event.reason == EExitReason::EndSession) {
            continuation = IDS_STILL_WORKING_SHUTDOWN;
        }
        std::string text = question.GetString() + CText(continuation).GetString();
        const int answer =
            ShowMessageBox(GetHwnd(), text.c_str(), CText(caption), buttons | MB_ICONQUESTION);
        if (!projects.Contains(project)) {
            return false;
        }
        switch (answer) {
        case IDYES:
            projects.StopWorking(project);
            // What the clock made of the stop is told before the next question, which
            // may save it.
            CAppMain::Get().GetClockNoticeBox().ShowPending();
            if (!projects.Contains(project)) {
                return false;
            }
            break;
        case IDNO:
            break;
        default:
            return false;
        }
    }
    const CBitmask<EProjectPart> unsavedParts = ppName | ppActivities | ppTallymarks;
    if (!project->IsModified(unsavedParts)) {
        return true;
    }
    CText question(IDS_PROJECT_UNSAVED);
    question.ReplaceWithString("[PROJECT]", project->GetState(false)->GetName(), true);
    const int answer = ShowMessageBox(GetHwnd(), question, CText(IDS_BROWSE_SAVE_PROJECT),
                                      buttons | MB_ICONQUESTION);
    if (!projects.Contains(project)) {
        return false;
    }
    switch (answer) {
    case IDYES:
        // A declined save location writes nothing yet reports success: the project
        // then still holds its changes and must stay open.
        return project->Save(false) && !project->IsModified(unsavedParts);
    case IDNO:
        return true;
    default:
        return false;
    }
}

CProjectBrowser CMainDlgBase::OnProjectAskNewLocation(CProjectAskNewLocationEvent& event) {
    CProjectBrowser browser;
    if (event.project != nullptr) {
        browser.Browse(CProjectBrowser::bpSave, GetHwnd(),
                       CProjectBrowser::ProposedName(*event.project), event.format);
    }
    return browser;
}

bool CMainDlgBase::OnProjectSaved(CProjectSavedEvent& event) {
    if (event.saved) {
        if (event.project != nullptr && event.project == m_project) {
            UpdateTitle();
        }
        if (event.error.IsError()) {
            ShowMessageBox(GetHwnd(), event.error.GetText().c_str(), CText(IDS_SAVE_ISSUES_CAPTION),
                           MB_OK | MB_ICONWARNING);
        }
    } else {
        ShowMessageBox(GetHwnd(), event.error.GetText().c_str(),
                       CText(IDS_SAVE_PROJECT_ERROR_CAPTION), MB_OK | MB_ICONERROR);
    }
    return true;
}

void CMainDlgBase::ShowHelp() {
    CAppMain::Get().ShowHelpPage(IDS_HELP_MAIN_WINDOW, GetHwnd());
}
