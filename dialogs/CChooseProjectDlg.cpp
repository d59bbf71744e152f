#include "dialogs/CChooseProjectDlg.h"

#include "app/main/CAppMain.h"
#include "app/ui/ButtonControls.h"
#include "app/ui/DialogCloseAndHelp.h"
#include "app/ui/DialogPlacement.h"
#include "app/ui/TextHelpers.h"
#include "library/controls/CTracker.h"
#include "library/text/CText.h"
#include "model/CProject.h"
#include "model/CProjectState.h"
#include "model/CProjects.h"
#include "resources/ResourceIds.h"

namespace {

const SItemAnchor kAnchors[] = {
    {IDC_CHOOSE_PROJECT_LIST, 1, 0, 1, 0},
    {IDC_CHOOSE_PROJECT_OK, 0, 1, 0, 1},
    {IDCANCEL, 0, 1, 0, 1},
};

} // namespace

const SDialogIdentity CChooseProjectDlg::kIdentity = {
    IDD_CHOOSE_PROJECT, true, EPlacementSlot::ChooseProject, IDS_HELP_CHOOSE_PROJECT};

CChooseProjectDlg::CChooseProjectDlg(bool currentProjectAllowed, bool workingProjectsAllowed)
    : m_currentProjectAllowed(currentProjectAllowed),
      m_workingProjectsAllowed(workingProjectsAllowed) {
    CSlot<CDialogMessageEvent>::Connect(this);
    CSlot<CDialogCommandEvent>::Connect(this);
    CSlot<CDialogInitializeEvent>::Connect(this);
    CSlot<CDialogTerminateEvent>::Connect(this);
    CSlot<CProjectsClosedEvent>::Connect(&CAppMain::Get().GetProjects());
}

CChooseProjectDlg::~CChooseProjectDlg() {
    CSlot<CProjectsClosedEvent>::DisconnectAll();
    CSlot<CDialogMessageEvent>::DisconnectAll();
    CSlot<CDialogCommandEvent>::DisconnectAll();
    CSlot<CDialogInitializeEvent>::DisconnectAll();
    CSlot<CDialogTerminateEvent>::DisconnectAll();
}

CProject* CChooseProjectDlg::GetSelectedProject() const {
    const int32_t index = m_list.GetCurSel();
    if (index < 0 || !m_list.IsItemEnabled(index)) {
        return nullptr;
    }
    return reinterpret_cast<CProject*>(m_list.GetItemData(index));
}

std::string CChooseProjectDlg::MakeItemText(const CProjects& projects, const CProject& project) {
    const CProjectState* state = project.GetState(true);
    std::string status;
    if (&project == projects.GetCurrentProject()) {
        AppendCommaSeparated(status, CText(IDS_PROJECT_STATUS_ACTIVE));
    }
    if (state->IsWorking()) {
        AppendCommaSeparated(status, CText(IDS_WORKING));
    }
    AppendCommaSeparated(status, project.IsNew() ? CText(IDS_PROJECT_STATUS_NOT_SAVED).GetString()
                                                 : project.GetFilePath(false).GetPath());
    return state->GetName() + " (" + status + ")";
}

void CChooseProjectDlg::FillProjectList() {
    // Attaching again forgets the greyed items of an earlier fill.
    m_list.Attach(GetHwnd(), IDC_CHOOSE_PROJECT_LIST);
    SendMessageA(m_list.GetWindow(), LB_RESETCONTENT, 0, 0);
    const CProjects& projects = CAppMain::Get().GetProjects();
    int32_t toSelect = 0;
    int32_t listed = 0;
    {
        CTracker batch;
        m_list.BeginAdding(batch);
        for (CProject* project = projects.GetNext(nullptr, false, false); project != nullptr;
             project = projects.GetNext(project, false, false)) {
            if (!project->IsUserProject() || project == m_closing) {
                continue;
            }
            const bool current = project == projects.GetCurrentProject();
            const bool enabled =
                !(!m_currentProjectAllowed && current) &&
                !(!m_workingProjectsAllowed && project->GetState(true)->IsWorking());
            const int32_t index = m_list.AddString(MakeItemText(projects, *project),
                                                   reinterpret_cast<LPARAM>(project), enabled);
            if (index < 0) {
                continue;
            }
            ++listed;
            if (current && enabled) {
                toSelect = index;
            }
        }
        if (listed == 0) {
            m_list.AddString(CText(IDS_CHOOSE_PROJECT_NONE_OPEN), 0, false);
        }
    }
    if (listed > 0) {
        m_list.SetCurSel(toSelect);
        EnableOk(m_list.IsItemEnabled(toSelect));
    } else {
        EnableOk(false);
    }
}

void CChooseProjectDlg::EnableOk(bool enable) {
    EnableWindow(GetDlgItem(GetHwnd(), IDC_CHOOSE_PROJECT_OK), enable ? TRUE : FALSE);
}

bool CChooseProjectDlg::OnDialogMessage(CDialogMessageEvent& event) {
    return AnswerCloseAndHelp(*this, event, kIdentity.helpTopic);
}

bool CChooseProjectDlg::OnDialogCommand(CDialogCommandEvent& event) {
    switch (event.controlId) {
    case IDC_CHOOSE_PROJECT_LIST:
        if (event.notificationCode == LBN_SELCHANGE) {
            EnableOk(GetSelectedProject() != nullptr);
        } else if (event.notificationCode == LBN_DBLCLK) {
            m_chosen = GetSelectedProject();
            if (m_chosen != nullptr) {
                Close();
            }
        }
        return true;
    case IDC_CHOOSE_PROJECT_OK:
        if (event.notificationCode == BN_CLICKED) {
            m_chosen = GetSelectedProject();
            if (m_chosen != nullptr) {
                Close();
            } else {
                MessageBoxA(GetHwnd(), CText(IDS_CHOOSE_PROJECT_INVALID),
                            CText(IDS_CHOOSE_PROJECT_INVALID_CAPTION), MB_OK | MB_ICONWARNING);
            }
        }
        return true;
    case IDCANCEL:
        if (event.notificationCode == BN_CLICKED) {
            Close();
        }
        return true;
    default:
        return false;
    }
}

bool CChooseProjectDlg::OnDialogInitialize(CDialogInitializeEvent&) {
    HWND window = GetHwnd();
    SetDialogIcons(window);
    AnchorItems(window, kAnchors);
    RestoreDialogRect(*this, kIdentity.slot);
    FillProjectList();
    return true;
}

bool CChooseProjectDlg::OnDialogTerminate(CDialogTerminateEvent&) {
    StoreDialogRect(*this, kIdentity.slot);
    return true;
}

bool CChooseProjectDlg::OnProjectsClosed(CProjectsClosedEvent& event) {
    if (event.project == nullptr) {
        return true;
    }
    if (event.project == m_chosen) {
        m_chosen = nullptr;
    }
    // The items carry project pointers: the list is built again without the one going.
    if (HasWindow() && IsOpen()) {
        m_closing = event.project;
        FillProjectList();
        m_closing = nullptr;
    }
    return true;
}
