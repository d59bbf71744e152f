// CDataExchangeDlg: the other project (opening, taking, releasing), the preview in the
// dialog's edit copies, and OK with the save of the other project.

#include "dialogs/CDataExchangeDlg.h"

#include "app/main/CAppMain.h"
#include "dialogs/CChooseActivitiesDlg.h"
#include "library/text/CText.h"
#include "model/CActivity.h"
#include "model/CProject.h"
#include "model/CProjectState.h"
#include "model/CProjects.h"
#include "model/CSaveCheck.h"
#include "model/CTallymark.h"
#include "model/ProjectFileLimits.h"
#include "resources/ResourceIds.h"

void CDataExchangeDlg::BindList(CProject* project, CProjectState* state) {
    if (!m_list) {
        return;
    }
    // A large tree fills the list far quicker while the control does not redraw (it would
    // rework its scroll bars for every row); it is repainted once afterwards.
    HWND list = m_list->GetList();
    if (list != nullptr) {
        SendMessageA(list, WM_SETREDRAW, FALSE, 0);
    }
    m_list->SetProject(project, state);
    if (list != nullptr) {
        SendMessageA(list, WM_SETREDRAW, TRUE, 0);
        InvalidateRect(list, nullptr, TRUE);
    }
}

void CDataExchangeDlg::UnbindList() {
    BindList(nullptr, nullptr);
}

bool CDataExchangeDlg::OpenOtherProject(const std::string& path, int format) {
    if (m_currentProject == nullptr) {
        return false;
    }
    CProjects& projects = CAppMain::Get().GetProjects();
    const bool wasOpen = projects.IsPathOpen(path);
    CSlot<CProjectsAddedEvent>::Connect(&projects);
    CProject* project = projects.OpenPath(path, CProjects::kOpenForExchange, m_import);
    CSlot<CProjectsAddedEvent>::DisconnectAll();
    if (project == nullptr) {
        return false;
    }
    const auto refuse = [&](int message) {
        MessageBoxA(GetHwnd(), CText(message),
                    CText(Text(IDS_IMPORT_FAILED_CAPTION, IDS_EXPORT_FAILED_CAPTION)),
                    MB_OK | MB_ICONWARNING);
        if (!wasOpen) {
            projects.Close(project, true);
        }
        return false;
    };
    if (project == m_currentProject) {
        return refuse(Text(IDS_IMPORT_FROM_ITSELF, IDS_EXPORT_TO_ITSELF));
    }
    if (project->GetState(true)->IsWorking() && m_currentBase->IsWorking()) {
        return refuse(Text(IDS_IMPORT_OTHER_WORKING, IDS_EXPORT_OTHER_WORKING));
    }
    if (project->IsNew() && !m_import && project != m_otherProject) {
        project->GetState(true)->SetName(m_currentBase->GetName() + " " +
                                         CText(IDS_EXPORT_NAME_SUFFIX).GetString());
        m_browsePath = path;
        m_browseFormat = format;
    }
    if (!TakeOtherProject(project, wasOpen)) {
        if (!wasOpen) {
            projects.Close(project, true);
        }
        return false;
    }
    ShowProject(IDC_EXCHANGE_OTHER_NAME, IDC_EXCHANGE_OTHER_FILE, IDC_EXCHANGE_OTHER_STATUS,
                m_otherProject, m_otherBase, true);
    RunExchange();
    return true;
}

bool CDataExchangeDlg::TakeOtherProject(CProject* project, bool wasOpen) {
    if (project == m_otherProject) {
        return true;
    }
    if (project != nullptr && !project->IsWritable()) {
        CText text(IDS_EXCHANGE_NOT_WRITABLE);
        text.ReplaceWithString("[NAME]", project->GetState(true)->GetName(), true);
        if (m_import) {
            const std::string question =
                text.GetString() + CText(IDS_IMPORT_NOT_WRITABLE_QUESTION).GetString();
            if (MessageBoxA(GetHwnd(), question.c_str(), CText(IDS_EXCHANGE_NOT_WRITABLE_CAPTION),
                            MB_YESNO | MB_ICONWARNING) != IDYES) {
                return false;
            }
        } else {
            MessageBoxA(GetHwnd(), text, CText(IDS_EXCHANGE_NOT_WRITABLE_CAPTION),
                        MB_OK | MB_ICONWARNING);
        }
    }
    UnbindList();
    ReleaseOtherProject();
    m_otherProject = project;
    m_otherWasOpen = wasOpen;
    m_otherBase = project != nullptr ? project->GetState(true) : nullptr;
    m_otherEdited = nullptr;
    m_otherChanged = false;
    if (project != nullptr) {
        m_otherEdit.Restart(*project);
        m_otherEdited = m_otherEdit.GetState();
        m_otherPristine = true;
        if (!m_settingsAvailable) {
            m_settingsAvailable = true;
            EnableSettings(true);
        }
        if (m_import) {
            CChooseActivitiesDlg::ChooseAll(m_otherBase->GetRootActivity(), m_chosen, true);
            m_totalActivities = static_cast<int>(m_chosen.size());
        }
        ShowTexts();
    }
    if (m_import) {
        BindList(m_currentProject, m_currentEdited);
    }
    UpdateOk();
    return true;
}

void CDataExchangeDlg::ReleaseOtherProject() {
    CProject* project = m_otherProject;
    if (project == nullptr) {
        return;
    }
    // Forgotten first: the close below is announced as any other.
    m_otherProject = nullptr;
    m_otherBase = nullptr;
    m_otherEdited = nullptr;
    m_otherEdit.Drop();
    if (!m_otherWasOpen) {
        CAppMain::Get().GetProjects().Close(project, true);
    }
}

void CDataExchangeDlg::RestartEdits() {
    // An edit copy that no exchange has touched yet is still an exact clone: cloning a
    // large project again would only cost time.
    if (!m_currentPristine || !m_currentEdit.IsOpen()) {
        m_currentEdit.Restart(*m_currentProject);
        m_currentEdited = m_currentEdit.GetState();
    }
    if (!m_otherPristine || !m_otherEdit.IsOpen()) {
        m_otherEdit.Restart(*m_otherProject);
        m_otherEdited = m_otherEdit.GetState();
    }
    m_otherChanged = false;
    m_currentPristine = false;
    m_otherPristine = false;
}

void CDataExchangeDlg::RunExchange() {
    const CDateTime null = CTallymark::GetNullDate();
    if (m_currentProject == nullptr || m_otherProject == nullptr || m_periodStart == null ||
        m_periodEnd == null || m_chosen.empty()) {
        return;
    }
    UnbindList();
    RestartEdits();
    const CDateTime start = m_periodStart.LocalToUtc();
    const CDateTime end = m_periodEnd.LocalToUtc();
    // The edit copy is an exact clone of the base state: the same tree in the same order.
    CActivity* baseRoot = GetSourceBase()->GetRootActivity();
    CActivity* editedRoot = (m_import ? m_otherEdited : m_currentEdited)->GetRootActivity();
    CActivity::CActivitySet mapped;
    for (CActivity *base = baseRoot->GetNextInSubtree(baseRoot),
                   *edited = editedRoot->GetNextInSubtree(editedRoot);
         base != nullptr && edited != nullptr;
         base = base->GetNextInSubtree(baseRoot), edited = edited->GetNextInSubtree(editedRoot)) {
        if (m_chosen.count(base) != 0) {
            mapped.insert(edited);
        }
    }
    CProjectState* target = m_import ? m_currentEdited : m_otherEdited;
    bool copied = false, moved = false;
    target->GetRootActivity()->MergeFrom(editedRoot, mapped, start, end, m_move, copied, moved);
    m_otherChanged = m_import ? moved : copied;
    // The merge gives every activity it creates the depth that it has in the source: an
    // activity deeper than a project file holds would make the receiving project unsavable.
    if (const CActivity* deep = CSaveCheck::FindTooDeep(target->GetRootActivity())) {
        CText text(Text(IDS_IMPORT_TOO_DEEP, IDS_EXPORT_TOO_DEEP));
        text.ReplaceWithString("[ACTIVITY]", deep->GetName(), true);
        text.ReplaceWithNumber("[DEPTH]", deep->GetDepth(), true);
        text.ReplaceWithNumber("[MAX]", kMaxActivityDepth, true);
        // Fresh copies of both projects as they are: nothing of the exchange stays.
        RestartEdits();
        target = m_import ? m_currentEdited : m_otherEdited;
        BindList(m_import ? m_currentProject : m_otherProject, target);
        MessageBoxA(GetHwnd(), text,
                    CText(Text(IDS_IMPORT_FAILED_CAPTION, IDS_EXPORT_FAILED_CAPTION)),
                    MB_OK | MB_ICONWARNING);
        return;
    }
    BindList(m_import ? m_currentProject : m_otherProject, target);
}

void CDataExchangeDlg::Confirm() {
    if (m_currentProject == nullptr) {
        return;
    }
    const bool hadOther = m_otherProject != nullptr;
    m_receivingSaved = false;
    if (hadOther) {
        if (m_otherChanged && !m_otherWasOpen) {
            CText question(Text(IDS_IMPORT_SAVE_QUESTION, IDS_EXPORT_SAVE_QUESTION));
            question.ReplaceWithString("[NAME]", m_otherBase->GetName(), true);
            if (MessageBoxA(GetHwnd(), question,
                            CText(Text(IDS_IMPORT_SAVE_CAPTION, IDS_EXPORT_SAVE_CAPTION)),
                            MB_OKCANCEL | MB_ICONQUESTION) != IDOK ||
                (m_import && !SaveReceivingProject()) || !SaveOtherProject()) {
                return;
            }
        }
        UnbindList();
        m_otherEdit.Commit();
        ReleaseOtherProject();
    }
    UnbindList();
    if (hadOther) {
        m_currentEdit.Commit();
    } else {
        m_currentEdit.Discard();
    }
    // The commit announces what the copy changed, which marks the project unsaved again
    // although its file holds exactly that: written once more, it counts as saved.
    if (m_receivingSaved && m_currentProject->IsModified(ppName | ppActivities | ppTallymarks)) {
        m_currentProject->Save(false);
    }
    Close();
}

bool CDataExchangeDlg::SaveReceivingProject() {
    // Asked and reported by the main window as every save of a user project; a declined
    // location writes nothing and leaves the copy unsaved.
    m_receivingSaved = m_currentProject->Save(false, m_currentEdited) &&
                       !m_currentEdited->GetModified().HasAny(ppName | ppActivities | ppTallymarks);
    return m_receivingSaved;
}

bool CDataExchangeDlg::SaveOtherProject() {
    CSlot<CProjectSavedEvent>::Connect(m_otherProject);
    CSlot<CProjectAskNewLocationEvent>::Connect(m_otherProject);
    m_saveSucceeded = true;
    bool written;
    if (m_otherProject->IsNew() && !m_browsePath.empty()) {
        written = m_otherProject->Save(false, m_otherEdited, m_browsePath.c_str(), m_browseFormat);
    } else {
        written = m_otherProject->Save(false, m_otherEdited);
    }
    CSlot<CProjectSavedEvent>::DisconnectAll();
    CSlot<CProjectAskNewLocationEvent>::DisconnectAll();
    if (!written && m_import) {
        return m_saveSucceeded;
    }
    return written && m_saveSucceeded;
}

bool CDataExchangeDlg::OnProjectsAdded(CProjectsAddedEvent& event) {
    if (!event.ok) {
        MessageBoxA(GetHwnd(), event.error.GetText().c_str(),
                    CText(Text(IDS_IMPORT_OPEN_ERROR_CAPTION, IDS_EXPORT_OPEN_ERROR_CAPTION)),
                    MB_OK | MB_ICONERROR);
    }
    return true;
}

bool CDataExchangeDlg::OnProjectSaved(CProjectSavedEvent& event) {
    m_saveSucceeded = event.saved;
    if (!event.error.IsError()) {
        return true;
    }
    const int message = event.saved ? Text(IDS_IMPORT_SAVE_ISSUES, IDS_EXPORT_SAVE_ISSUES)
                                    : Text(IDS_IMPORT_SAVE_ERROR, IDS_EXPORT_SAVE_ERROR);
    CText text(message);
    text.ReplaceWithString("[ERROR]", event.error.GetText(), true);
    const std::string name =
        event.project != nullptr ? event.project->GetState(true)->GetName() : std::string();
    text.ReplaceWithString("[FILEPATH]", name, true);
    if (event.saved) {
        MessageBoxA(GetHwnd(), text, CText(IDS_SAVE_ISSUES_CAPTION), MB_OK | MB_ICONWARNING);
    } else if (m_import) {
        m_saveSucceeded = MessageBoxA(GetHwnd(), text, CText(IDS_IMPORT_SAVE_ERROR_CAPTION),
                                      MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2) == IDYES;
    } else {
        MessageBoxA(GetHwnd(), text, CText(IDS_EXPORT_SAVE_ERROR_CAPTION), MB_OK | MB_ICONWARNING);
    }
    return true;
}

CProjectBrowser CDataExchangeDlg::OnProjectAskNewLocation(CProjectAskNewLocationEvent& event) {
    CProjectBrowser browser;
    if (event.project != nullptr) {
        browser.Browse(CProjectBrowser::bpSave, GetHwnd(),
                       CProjectBrowser::ProposedName(*event.project), event.format);
    }
    if (!browser.IsConfirmed()) {
        m_saveSucceeded = false;
    }
    return browser;
}

bool CDataExchangeDlg::OnProjectsClosed(CProjectsClosedEvent& event) {
    if (event.project == nullptr ||
        (event.project != m_currentProject && event.project != m_otherProject)) {
        return true;
    }
    // The project and its states go right after this event: forget them untouched.
    UnbindList();
    if (event.project == m_currentProject) {
        m_currentProject = nullptr;
        m_currentBase = nullptr;
        m_currentEdited = nullptr;
        m_currentEdit.Abandon();
    } else {
        m_otherProject = nullptr;
        m_otherBase = nullptr;
        m_otherEdited = nullptr;
        m_otherEdit.Abandon();
    }
    if (GetHwnd() != nullptr) {
        Close();
    }
    return true;
}
