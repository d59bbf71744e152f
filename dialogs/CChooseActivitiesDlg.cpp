#include "dialogs/CChooseActivitiesDlg.h"

#include "app/main/CAppMain.h"
#include "app/settings/CSetChooseActivitiesDlg.h"
#include "app/ui/ButtonControls.h"
#include "app/ui/DialogCloseAndHelp.h"
#include "app/ui/DescriptionTexts.h"
#include "app/ui/DialogPlacement.h"
#include "app/ui/ModalDialogParams.h"
#include "library/dialogs/SItemAnchor.h"
#include "library/text/CText.h"
#include "model/CActivity.h"
#include "model/CProject.h"
#include "model/CProjectState.h"
#include "model/CProjects.h"
#include "resources/ResourceIds.h"

#include <vector>

namespace {

// The instruction widens and the list grows with the window; the buttons keep their
// distance from the right edge, OK and Cancel from the bottom-right corner.
const SItemAnchor kAnchors[] = {
    {IDC_CHOOSE_ACTS_INSTRUCTION, 1, 0, 0, 0},
    {IDC_CHOOSE_ACTS_ADD_ALL, 0, 1, 0, 0},
    {IDC_CHOOSE_ACTS_REMOVE_ALL, 0, 1, 0, 0},
    {IDC_CHOOSE_ACTS_ADD_BRANCH, 0, 1, 0, 0},
    {IDC_CHOOSE_ACTS_REMOVE_BRANCH, 0, 1, 0, 0},
    {IDC_CHOOSE_ACTS_INVERT, 0, 1, 0, 0},
    {IDC_CHOOSE_ACTS_LIST, 1, 0, 1, 0},
    {IDC_CHOOSE_ACTS_OK, 0, 1, 0, 1},
    {IDCANCEL, 0, 1, 0, 1},
};

// Taken when neither the settings nor the language give the column a width: the column
// then fills the list.
const int32_t kFillColumnWidth = -120;

void CollectSubtree(CActivity* activity, std::set<CActivity*>& into) {
    for (CActivity* child = activity->GetFirstChild(); child != nullptr;
         child = child->GetNextSibling()) {
        into.insert(child);
        CollectSubtree(child, into);
    }
}

} // namespace

const SDialogIdentity CChooseActivitiesDlg::kIdentity = {
    IDD_CHOOSE_ACTIVITIES, true, EPlacementSlot::ChooseActivities, IDS_HELP_CHOOSE_ACTIVITIES};

CChooseActivitiesDlg::CChooseActivitiesDlg(CProject& project, CProjectState& state,
                                           const std::set<CActivity*>& chosen,
                                           unsigned int instructionId)
    : m_project(&project), m_state(&state), m_chosen(chosen),
      m_total(state.GetRootActivity() != nullptr ? state.GetRootActivity()->GetNumDescendants()
                                                 : 0),
      m_list(*this, false), m_instructionId(instructionId) {
    CSlot<CDialogMessageEvent>::Connect(this);
    CSlot<CDialogCommandEvent>::Connect(this);
    CSlot<CDialogInitializeEvent>::Connect(this);
    CSlot<CDialogTerminateEvent>::Connect(this);
    m_closeWatch.Watch(m_project);
}

CChooseActivitiesDlg::~CChooseActivitiesDlg() {
    m_list.SetProject(nullptr, nullptr);
}

SDialogParams CChooseActivitiesDlg::MakeParams(HWND owner) {
    return MakeModalDialogParams(kIdentity, owner);
}

void CChooseActivitiesDlg::ChooseAll(CActivity* activity, std::set<CActivity*>& chosen,
                                     bool leaveOutGiven) {
    chosen.clear();
    if (activity == nullptr) {
        return;
    }
    if (!leaveOutGiven) {
        chosen.insert(activity);
    }
    CollectSubtree(activity, chosen);
}

int CChooseActivitiesDlg::GetNumColumns() {
    return 1;
}

SListViewColumn CChooseActivitiesDlg::GetColumn(int index) {
    SListViewColumn column;
    column.title = CText(IDS_COLUMN_ACTIVITY).GetString();
    CSetChooseActivitiesDlg& settings = CAppMain::Get().GetSetChooseActivitiesDlg();
    const std::vector<int32_t>& widths = settings.GetColumnWidths();
    const bool stored = index >= 0 && static_cast<size_t>(index) < widths.size() &&
                        widths[static_cast<size_t>(index)] > 0;
    column.width = stored ? widths[static_cast<size_t>(index)] : kFillColumnWidth;
    column.defaultWidth = !stored || settings.IsDefaultColumnWidth(static_cast<size_t>(index));
    return column;
}

std::string CChooseActivitiesDlg::GetColumnText(CActivity*, int) {
    return std::string();
}

void CChooseActivitiesDlg::OnSelectionChanged(CActivity*) {
    UpdateBranchButtons();
}

void CChooseActivitiesDlg::OnChecksChanged() {
    UpdateCount();
}

void CChooseActivitiesDlg::OnItemActivated(CActivity*) {}

bool CChooseActivitiesDlg::OnKeyDown(WORD) {
    return false;
}

void CChooseActivitiesDlg::GetCheckedActivities(std::set<CActivity*>& checked) {
    // Only activities of the shown tree: a caller's set may still hold others.
    std::set<CActivity*> present;
    if (m_state != nullptr) {
        ChooseAll(m_state->GetRootActivity(), present, true);
    }
    checked.clear();
    for (CActivity* activity : m_chosen) {
        if (present.count(activity) != 0) {
            checked.insert(activity);
        }
    }
}

bool CChooseActivitiesDlg::OnDialogInitialize(CDialogInitializeEvent&) {
    HWND window = GetHwnd();
    SetDialogIcons(window);
    AnchorItems(window, kAnchors);
    RestoreDialogRect(*this, kIdentity.slot);
    m_list.Attach(window, IDC_CHOOSE_ACTS_LIST, true);
    m_list.SetProject(m_project, m_state);
    SetDlgItemTextA(window, IDC_CHOOSE_ACTS_INSTRUCTION, CText(m_instructionId).GetCStr());
    UpdateBranchButtons();
    UpdateCount();
    return true;
}

bool CChooseActivitiesDlg::OnDialogCommand(CDialogCommandEvent& event) {
    const bool clicked = event.notificationCode == BN_CLICKED;
    switch (event.controlId) {
    case IDC_CHOOSE_ACTS_ADD_ALL:
    case IDC_CHOOSE_ACTS_REMOVE_ALL:
        if (clicked) {
            m_list.CheckAll(event.controlId == IDC_CHOOSE_ACTS_REMOVE_ALL);
            UpdateCount();
        }
        return true;
    case IDC_CHOOSE_ACTS_ADD_BRANCH:
    case IDC_CHOOSE_ACTS_REMOVE_BRANCH:
        if (clicked) {
            CheckBranch(event.controlId == IDC_CHOOSE_ACTS_ADD_BRANCH);
        }
        return true;
    case IDC_CHOOSE_ACTS_INVERT:
        if (clicked) {
            const std::set<CActivity*> ticked = m_list.GetChecked();
            m_list.SetChecks(ticked, false, true);
            UpdateCount();
        }
        return true;
    case IDC_CHOOSE_ACTS_OK:
        // Only the button itself confirms, not a command that merely carries its id.
        if (clicked && event.control != nullptr &&
            event.control == GetDlgItem(GetHwnd(), IDC_CHOOSE_ACTS_OK) &&
            IsWindowEnabled(event.control)) {
            m_chosen = m_list.GetChecked();
            m_cancelled = false;
            Close();
        }
        return true;
    case IDCANCEL:
        if (clicked) {
            Close();
        }
        return true;
    default:
        return false;
    }
}

bool CChooseActivitiesDlg::OnDialogMessage(CDialogMessageEvent& event) {
    return AnswerCloseAndHelp(*this, event, kIdentity.helpTopic);
}

bool CChooseActivitiesDlg::OnDialogTerminate(CDialogTerminateEvent& event) {
    CAppMain& app = CAppMain::Get();
    StoreDialogRect(*this, kIdentity.slot);
    if (m_list.GetList() != nullptr) {
        std::vector<int> shown;
        m_list.GetColumnWidths(shown);
        std::vector<int32_t>& widths = app.GetSetChooseActivitiesDlg().GetColumnWidths();
        for (size_t column = 0; column < shown.size() && column < widths.size(); ++column) {
            if (shown[column] > 0) {
                widths[column] = shown[column];
            }
        }
    }
    event.exitCode = m_cancelled ? 1 : 0;
    return true;
}

void CChooseActivitiesDlg::OnProjectClosed() {
    // The project and its states go after this event: nothing may point at them.
    m_list.SetProject(nullptr, nullptr);
    m_project = nullptr;
    m_state = nullptr;
    m_chosen.clear();
    m_cancelled = true;
    Close();
}

void CChooseActivitiesDlg::UpdateCount() {
    SetDlgItemTextA(
        GetHwnd(), IDC_CHOOSE_ACTS_COUNT,
        FormatActivityCount(m_list.GetChecked(), m_total, IDS_ACTIVITY_COUNT_OF_ACTS).c_str());
}

void CChooseActivitiesDlg::UpdateBranchButtons() {
    const BOOL enable = m_list.GetSelected().empty() ? FALSE : TRUE;
    EnableWindow(GetDlgItem(GetHwnd(), IDC_CHOOSE_ACTS_ADD_BRANCH), enable);
    EnableWindow(GetDlgItem(GetHwnd(), IDC_CHOOSE_ACTS_REMOVE_BRANCH), enable);
}

void CChooseActivitiesDlg::CheckBranch(bool checked) {
    if (m_list.GetSelected().empty()) {
        return;
    }
    std::set<CActivity*> branch;
    ChooseAll(*m_list.GetSelected().begin(), branch, false);
    m_list.SetChecks(branch, checked, false);
    UpdateCount();
}
