#include "dialogs/CPropsDlg.h"

#include "app/main/CAppMain.h"
#include "app/ui/ButtonControls.h"
#include "app/ui/DialogCloseAndHelp.h"
#include "app/ui/DialogPlacement.h"
#include "app/ui/ModalDialogParams.h"
#include "dialogs/CActivitiesDlg.h"
#include "dialogs/CTracesDlg.h"
#include "library/text/CText.h"
#include "model/CActivity.h"
#include "model/CProject.h"
#include "model/CProjectState.h"
#include "model/CProjects.h"
#include "model/CTallymarksByDate.h"
#include "resources/ResourceIds.h"

namespace {

// The texts grow with the dialog's width, the buttons follow its right edge; the
// dialog never grows taller.
const SItemAnchor kAnchors[] = {
    {IDC_PROPERTIES_NAME, 1, 0, 0, 0},
    {IDC_PROPERTIES_FILE, 1, 0, 0, 0},
    {IDC_PROPERTIES_ACTIVITY_COUNT, 1, 0, 0, 0},
    {IDC_PROPERTIES_TALLYMARK_COUNT, 1, 0, 0, 0},
    {IDC_PROPERTIES_ACTIVITIES, 0, 1, 0, 0},
    {IDC_PROPERTIES_TALLYMARKS, 0, 1, 0, 0},
    {IDC_PROPERTIES_OK, 0, 1, 0, 0},
    {IDCANCEL, 0, 1, 0, 0},
};

size_t CountActivities(CProjectState& state) {
    size_t count = 0;
    CActivity* root = state.GetRootActivity();
    for (CActivity* a = root->GetNextInSubtree(root); a != nullptr; a = a->GetNextInSubtree(root)) {
        ++count;
    }
    return count;
}

} // namespace

const SDialogIdentity CPropsDlg::kIdentity = {
    IDD_PROJECT_PROPERTIES, true, EPlacementSlot::ProjectProperties, IDS_HELP_PROJECT_PROPERTIES};

CPropsDlg::CPropsDlg(CProject* project) : m_project(project) {
    CSlot<CDialogMessageEvent>::Connect(this);
    CSlot<CDialogCommandEvent>::Connect(this);
    CSlot<CDialogInitializeEvent>::Connect(this);
    CSlot<CDialogTerminateEvent>::Connect(this);
    CSlot<CProjectStateSwitchedEvent>::Connect(m_project);
    CSlot<CProjectsClosedEvent>::Connect(&CAppMain::Get().GetProjects());
    m_edit.Restart(*m_project);
    m_state = m_edit.GetState();
}

CPropsDlg::~CPropsDlg() {
    // A dialog that never ran still holds its transaction: m_edit discards it.
    CSlot<CProjectsClosedEvent>::DisconnectAll();
    CSlot<CProjectStateSwitchedEvent>::DisconnectAll();
    CSlot<CDialogMessageEvent>::DisconnectAll();
    CSlot<CDialogCommandEvent>::DisconnectAll();
    CSlot<CDialogInitializeEvent>::DisconnectAll();
    CSlot<CDialogTerminateEvent>::DisconnectAll();
}

SDialogParams CPropsDlg::MakeParams(HWND owner) {
    return MakeModalDialogParams(kIdentity, owner);
}

bool CPropsDlg::RunForNewProject(CProject& project, HWND owner) {
    CPropsDlg dialog(&project);
    dialog.Create(MakeParams(owner));
    // A project closed under the dialog is gone: the caller must not take it as one.
    return !dialog.IsCancelled() && CAppMain::Get().GetProjects().Contains(&project);
}

std::string CPropsDlg::FormatContent(size_t count, unsigned int oneWord, unsigned int manyWord) {
    CText text(IDS_PROPERTIES_CONTENT);
    text.ReplaceWithString("[NUMWHAT]", std::to_string(count), true);
    text.ReplaceWithString("[WHAT]", CText(count == 1 ? oneWord : manyWord).GetString(), true);
    return text.GetString();
}

void CPropsDlg::ShowActivityCount() {
    if (m_state == nullptr || GetHwnd() == nullptr) {
        return;
    }
    const std::string text =
        FormatContent(CountActivities(*m_state), IDS_ACTIVITY_WORD, IDS_ACTIVITIES_WORD);
    SetDlgItemTextA(GetHwnd(), IDC_PROPERTIES_ACTIVITY_COUNT, text.c_str());
}

void CPropsDlg::ShowTallymarkCount() {
    if (m_state == nullptr || GetHwnd() == nullptr) {
        return;
    }
    const std::string text = FormatContent(m_state->GetTallymarksByDate().GetCount(),
                                           IDS_TALLYMARK_WORD, IDS_TALLYMARKS_WORD);
    SetDlgItemTextA(GetHwnd(), IDC_PROPERTIES_TALLYMARK_COUNT, text.c_str());
}

bool CPropsDlg::OnDialogInitialize(CDialogInitializeEvent&) {
    HWND window = GetHwnd();
    SetDialogIcons(window);
    if (m_project != nullptr && !m_project->IsInitialised()) {
        SetWindowTextA(window, CText(IDS_PROPERTIES_NEW_CAPTION).GetCStr());
    }
    const SSize initial = GetSize(true);
    SetMaximumSize({kNoMaximum, initial.height});
    AnchorItems(window, kAnchors);
    RestoreDialogRect(*this, kIdentity.slot);
    if (m_state == nullptr) {
        return true;
    }
    SetDlgItemTextA(window, IDC_PROPERTIES_NAME, m_state->GetName().c_str());
    const std::string file = m_project->IsNew() ? CText(IDS_PROPERTIES_NOT_SAVED).GetString()
                                                : m_project->GetFilePath(false).GetPath();
    SetDlgItemTextA(window, IDC_PROPERTIES_FILE, file.c_str());
    ShowActivityCount();
    ShowTallymarkCount();
    return true;
}

bool CPropsDlg::OnDialogMessage(CDialogMessageEvent& event) {
    switch (event.message) {
    case WM_GETMINMAXINFO:
        // Never taller than the template, also when maximised or sized by a program
        // (the user's dragging is limited by the maximum size already).
        if (GetMaximumSize().height != kNoMaximum && event.lParam != 0) {
            auto* limits = reinterpret_cast<MINMAXINFO*>(event.lParam);
            limits->ptMaxTrackSize.y = GetMaximumSize().height;
            limits->ptMaxSize.y = GetMaximumSize().height;
        }
        return false;
    default:
        return AnswerCloseAndHelp(*this, event, kIdentity.helpTopic);
    }
}

bool CPropsDlg::OnDialogCommand(CDialogCommandEvent& event) {
    const int id = event.controlId;
    if (id != IDCANCEL && id != IDC_PROPERTIES_ACTIVITIES && id != IDC_PROPERTIES_TALLYMARKS &&
        id != IDC_PROPERTIES_OK) {
        return false;
    }
    if (event.notificationCode != BN_CLICKED) {
        return true;
    }
    if (id == IDCANCEL) {
        Close();
        return true;
    }
    if (m_project == nullptr) {
        return true;
    }
    switch (id) {
    case IDC_PROPERTIES_ACTIVITIES:
        ManageActivities();
        break;
    case IDC_PROPERTIES_TALLYMARKS:
        ManageTallymarks();
        break;
    case IDC_PROPERTIES_OK:
        // Only the button itself: a command with this id from anywhere else (a menu, an
        // accelerator, another program) must not commit the edits.
        if (event.control != nullptr && event.control == GetDlgItem(GetHwnd(), IDC_PROPERTIES_OK)) {
            Ok();
        }
        break;
    default:
        break;
    }
    return true;
}

void CPropsDlg::ManageActivities() {
    CActivitiesDlg dialog(m_project);
    RunNested(dialog, CActivitiesDlg::kIdentity);
}

void CPropsDlg::ManageTallymarks() {
    CTracesDlg dialog(m_project);
    RunNested(dialog, CTracesDlg::kIdentity);
}

void CPropsDlg::RunNested(CDialogWindow& dialog, const SDialogIdentity& identity) {
    // Its commit replaces this dialog's edit copy, which OnProjectStateSwitched follows.
    dialog.Create(MakeModalDialogParams(identity, GetHwnd()));
    ShowActivityCount();
    ShowTallymarkCount();
}

void CPropsDlg::Ok() {
    std::string name;
    GetItemText(IDC_PROPERTIES_NAME, name);
    if (name.empty()) {
        MessageBoxA(GetHwnd(), CText(IDS_PROPERTIES_NO_NAME), CText(IDS_PROPERTIES_NO_NAME_CAPTION),
                    MB_OK | MB_ICONWARNING);
        return;
    }
    if (CountActivities(*m_state) == 0 &&
        MessageBoxA(GetHwnd(), CText(IDS_PROPERTIES_NO_ACTIVITIES),
                    CText(IDS_PROPERTIES_NO_ACTIVITIES_CAPTION),
                    MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) != IDYES) {
        return;
    }
    // The question lets messages through: the project may have gone meanwhile.
    if (m_project == nullptr) {
        return;
    }
    m_cancelled = false;
    m_state->SetName(name);
    m_edit.Commit();
    Close();
}

bool CPropsDlg::OnDialogTerminate(CDialogTerminateEvent& event) {
    StoreDialogRect(*this, kIdentity.slot);
    // Every way out but OK throws the edit away now, not when the object goes: whatever
    // waits for the project's edit to end runs as soon as the dialog closes.
    m_state = nullptr;
    m_edit.Discard();
    event.exitCode = m_cancelled ? 1 : 0;
    return true;
}

bool CPropsDlg::OnProjectStateSwitched(CProjectStateSwitchedEvent& event) {
    if (event.project != m_project || m_state == nullptr || event.oldState != m_state) {
        return true;
    }
    m_state = event.newState;
    ShowActivityCount();
    ShowTallymarkCount();
    return true;
}

bool CPropsDlg::OnProjectsClosed(CProjectsClosedEvent& event) {
    if (event.project == nullptr || event.project != m_project) {
        return true;
    }
    // The project and every state of it go right after this event: the transaction
    // goes with them.
    ForgetProject();
    Close();
    return true;
}

void CPropsDlg::ForgetProject() {
    m_cancelled = true;
    m_edit.Abandon();
    m_project = nullptr;
    m_state = nullptr;
    CSlot<CProjectStateSwitchedEvent>::DisconnectAll();
    CSlot<CProjectsClosedEvent>::DisconnectAll();
}
