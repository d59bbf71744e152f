// CActivitiesDlg: life cycle, the tree list's questions and the dialog's events.

#include "dialogs/CActivitiesDlg.h"

#include "app/main/CAppMain.h"
#include "app/settings/CSetActivitiesDlg.h"
#include "app/ui/ButtonControls.h"
#include "app/ui/DialogCloseAndHelp.h"
#include "app/ui/DialogPlacement.h"
#include "library/text/CText.h"
#include "model/CActivity.h"
#include "model/CProject.h"
#include "model/CProjectState.h"
#include "resources/ResourceIds.h"

#include <commctrl.h>

#include <algorithm>

namespace {

// The list grows with the dialog, the command buttons follow its right edge, OK and
// Cancel its bottom-right corner.
const SItemAnchor kAnchors[] = {
    {IDC_ACTIVITIES_LIST, 1, 0, 1, 0},
    {IDC_ACTIVITIES_NEW, 0, 1, 0, 0},
    {IDC_ACTIVITIES_RENAME, 0, 1, 0, 0},
    {IDC_ACTIVITIES_REMOVE, 0, 1, 0, 0},
    {IDC_ACTIVITIES_MOVE_UP, 0, 1, 0, 0},
    {IDC_ACTIVITIES_MOVE_DOWN, 0, 1, 0, 0},
    {IDC_ACTIVITIES_INDENT, 0, 1, 0, 0},
    {IDC_ACTIVITIES_OUTDENT, 0, 1, 0, 0},
    {IDC_ACTIVITIES_ENABLE, 0, 1, 0, 0},
    {IDC_ACTIVITIES_SORT, 0, 1, 0, 0},
    {IDC_ACTIVITIES_REMOVE_UNUSED, 0, 1, 0, 0},
    {IDC_ACTIVITIES_OK, 0, 1, 0, 1},
    {IDCANCEL, 0, 1, 0, 1},
};

} // namespace

const SDialogIdentity CActivitiesDlg::kIdentity = {
    IDD_ACTIVITIES, true, EPlacementSlot::ManageActivities, IDS_HELP_MANAGE_ACTIVITIES};

CActivitiesDlg::CActivitiesDlg(CProject* project) : m_project(project), m_list(*this, false) {
    CSlot<CDialogMessageEvent>::Connect(this);
    CSlot<CDialogCommandEvent>::Connect(this);
    CSlot<CDialogInitializeEvent>::Connect(this);
    CSlot<CDialogTerminateEvent>::Connect(this);
    m_closeWatch.Watch(m_project);
    if (m_project == nullptr) {
        return;
    }
    m_edit.Restart(*m_project);
    m_state = m_edit.GetState();
}

CActivitiesDlg::~CActivitiesDlg() {
    // The list lets go of the edit copy before the copy goes (with m_edit).
    m_list.SetProject(nullptr, nullptr);
    CSlot<CDialogMessageEvent>::DisconnectAll();
    CSlot<CDialogCommandEvent>::DisconnectAll();
    CSlot<CDialogInitializeEvent>::DisconnectAll();
    CSlot<CDialogTerminateEvent>::DisconnectAll();
}

int CActivitiesDlg::GetNumColumns() {
    return 2;
}

SListViewColumn CActivitiesDlg::GetColumn(int index) {
    CSetActivitiesDlg& settings = CAppMain::Get().GetSetActivitiesDlg();
    SListViewColumn column;
    column.width = settings.GetColumnWidths().at(static_cast<size_t>(index));
    column.defaultWidth = settings.IsDefaultColumnWidth(static_cast<size_t>(index));
    if (index == 0) {
        column.title = CText(IDS_COLUMN_ACTIVITY).GetString();
    } else {
        column.title = CText(IDS_COLUMN_IN_USE).GetString();
        column.format = LVCFMT_RIGHT;
    }
    return column;
}

std::string CActivitiesDlg::GetColumnText(CActivity* activity, int column) {
    if (activity == nullptr) {
        return std::string();
    }
    if (column == 0) {
        return activity->GetName();
    }
    if (column == 1 && activity->HasTallymarks(false)) {
        return CText(IDS_IN_USE_YES).GetString();
    }
    return std::string();
}

void CActivitiesDlg::OnSelectionChanged(CActivity* activity) {
    UpdateButtons(activity);
}

void CActivitiesDlg::OnChecksChanged() {}

void CActivitiesDlg::OnItemActivated(CActivity* activity) {
    EditName(activity != nullptr ? activity : m_list.GetFocused());
}

bool CActivitiesDlg::OnKeyDown(WORD virtualKey) {
    const bool control = GetKeyState(VK_CONTROL) < 0;
    switch (virtualKey) {
    case VK_BACK:
    case VK_DELETE:
        Remove();
        return true;
    case VK_INSERT:
        New();
        return true;
    case VK_F2:
        Rename();
        return true;
    case VK_UP:
        if (control) {
            MoveUp();
        }
        return control;
    case VK_DOWN:
        if (control) {
            MoveDown();
        }
        return control;
    case VK_RIGHT:
        if (control) {
            Indent();
        }
        return control;
    case VK_LEFT:
        if (control) {
            Outdent();
        }
        return control;
    default:
        return false;
    }
}

void CActivitiesDlg::GetCheckedActivities(std::set<CActivity*>&) {}

void CActivitiesDlg::CMoveKeys::OnMessage(CMessage& message) {
    if (message.message != WM_KEYDOWN || GetKeyState(VK_CONTROL) >= 0) {
        return;
    }
    switch (message.wParam) {
    case VK_UP:
    case VK_DOWN:
    case VK_LEFT:
    case VK_RIGHT:
        if (m_owner.m_state != nullptr) {
            m_owner.OnKeyDown(static_cast<WORD>(message.wParam));
        }
        message.handled = true;
        break;
    default:
        break;
    }
}

bool CActivitiesDlg::OnDialogMessage(CDialogMessageEvent& event) {
    return AnswerCloseAndHelp(*this, event, kIdentity.helpTopic);
}

bool CActivitiesDlg::OnDialogCommand(CDialogCommandEvent& event) {
    const int id = event.controlId;
    if (id != IDCANCEL && (id < IDC_ACTIVITIES_NEW || id > IDC_ACTIVITIES_OK)) {
        return false;
    }
    if (event.notificationCode != 0 || m_state == nullptr) {
        return true;
    }
    switch (id) {
    case IDCANCEL:
        Close();
        break;
    case IDC_ACTIVITIES_NEW:
        New();
        break;
    case IDC_ACTIVITIES_RENAME:
        Rename();
        break;
    case IDC_ACTIVITIES_REMOVE:
        Remove();
        break;
    case IDC_ACTIVITIES_MOVE_UP:
        MoveUp();
        break;
    case IDC_ACTIVITIES_MOVE_DOWN:
        MoveDown();
        break;
    case IDC_ACTIVITIES_INDENT:
        Indent();
        break;
    case IDC_ACTIVITIES_OUTDENT:
        Outdent();
        break;
    case IDC_ACTIVITIES_ENABLE:
        ToggleEnabled();
        break;
    case IDC_ACTIVITIES_SORT:
        SortAll();
        break;
    case IDC_ACTIVITIES_REMOVE_UNUSED:
        RemoveUnused();
        break;
    case IDC_ACTIVITIES_OK:
        // Only the button itself: a command with this id from anywhere else (a menu, an
        // accelerator, another program) must not commit the edits.
        if (event.control != nullptr && event.control == GetDlgItem(GetHwnd(), IDC_ACTIVITIES_OK)) {
            Commit();
        }
        break;
    default:
        break;
    }
    return true;
}

bool CActivitiesDlg::OnDialogInitialize(CDialogInitializeEvent&) {
    HWND window = GetHwnd();
    SetDialogIcons(window);
    AnchorItems(window, kAnchors);
    RestoreDialogRect(*this, kIdentity.slot);
    m_list.Attach(window, IDC_ACTIVITIES_LIST, false);
    m_moveKeys.Subclass(m_list.GetList());
    Rebind();
    UpdateButtons(nullptr);
    return true;
}

bool CActivitiesDlg::OnDialogTerminate(CDialogTerminateEvent& event) {
    StoreDialogRect(*this, kIdentity.slot);
    std::vector<int> shown;
    m_list.GetColumnWidths(shown);
    std::vector<int32_t>& widths = CAppMain::Get().GetSetActivitiesDlg().GetColumnWidths();
    for (size_t i = 0; i < std::min(shown.size(), widths.size()); ++i) {
        widths[i] = shown[i];
    }
    event.exitCode = m_cancelled ? 1 : 0;
    // Every way out but OK throws the edit away now, not when the object goes: whatever
    // waits for the project's edit to end runs as soon as the dialog closes.
    if (m_edit.IsOpen()) {
        m_list.SetProject(nullptr, nullptr);
        m_state = nullptr;
        m_edit.Discard();
    }
    return true;
}

void CActivitiesDlg::OnProjectClosed() {
    // The transaction goes with the project and its states.
    m_list.SetProject(nullptr, nullptr);
    m_edit.Abandon();
    m_project = nullptr;
    m_state = nullptr;
    Close();
}
