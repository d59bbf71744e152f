// CDataExchangeDlg: construction, the controls and the commands. The projects and the
// exchange itself are in CDataExchangeDlgProjects.cpp.

#include "dialogs/CDataExchangeDlg.h"

#include "app/main/CAppMain.h"
#include "app/settings/CSetDataExchangeDlg.h"
#include "app/ui/ButtonControls.h"
#include "app/ui/DialogCloseAndHelp.h"
#include "app/ui/DescriptionTexts.h"
#include "app/ui/DialogPlacement.h"
#include "app/ui/ModalDialogParams.h"
#include "dialogs/CChooseActivitiesDlg.h"
#include "dialogs/CChooseProjectDlg.h"
#include "dialogs/CChooseTimePeriodDlg.h"
#include "library/dialogs/SDialogParams.h"
#include "library/text/CText.h"
#include "model/CActivity.h"
#include "model/CProject.h"
#include "model/CProjectState.h"
#include "model/CProjects.h"
#include "model/CTallymark.h"
#include "resources/ResourceIds.h"

namespace {

const SItemAnchor kAnchors[] = {
    {IDC_EXCHANGE_RESULT_GROUP, 1, 0, 1, 0},
    {IDC_EXCHANGE_RESULT, 1, 0, 1, 0},
    {IDC_EXCHANGE_OK, 0, 1, 0, 1},
    {IDCANCEL, 0, 1, 0, 1},
};

// Disabled in the import direction until an other project is taken.
const int kSettingsControls[] = {
    IDC_EXCHANGE_SETTINGS_GROUP, IDC_EXCHANGE_TALLYMARKS_LABEL,
    IDC_EXCHANGE_COPY,           IDC_EXCHANGE_MOVE,
    IDC_EXCHANGE_PERIOD_LABEL,   IDC_EXCHANGE_PERIOD,
    IDC_EXCHANGE_CHOOSE_PERIOD,  IDC_EXCHANGE_ACTIVITIES_LABEL,
    IDC_EXCHANGE_ACTIVITIES,     IDC_EXCHANGE_CHOOSE_ACTIVITIES,
};

const int kColumnTitles[] = {IDS_COLUMN_ACTIVITY, IDS_EXCHANGE_COLUMN_RESULT,
                             IDS_EXCHANGE_COLUMN_TRACES};

} // namespace

CDataExchangeDlg::CDataExchangeDlg(CProject* project, unsigned direction)
    : m_currentProject(project), m_currentBase(project->GetState(true)), m_direction(direction),
      m_import(direction == kImport), m_periodStart(CTallymark::GetNullDate()),
      m_periodEnd(CTallymark::GetNullDate()), m_settingsAvailable(direction != kImport),
      m_settings(direction == kImport ? &CAppMain::Get().GetSetImportDlg()
                                      : &CAppMain::Get().GetSetExportDlg()),
      m_list(std::make_unique<CActivityTreeList>(*this, false)) {
    CSlot<CDialogMessageEvent>::Connect(this);
    CSlot<CDialogCommandEvent>::Connect(this);
    CSlot<CDialogInitializeEvent>::Connect(this);
    CSlot<CDialogTerminateEvent>::Connect(this);
    CSlot<CProjectsClosedEvent>::Connect(&CAppMain::Get().GetProjects());
    m_currentEdit.Restart(*m_currentProject);
    m_currentEdited = m_currentEdit.GetState();
    if (!m_import) {
        CChooseActivitiesDlg::ChooseAll(m_currentBase->GetRootActivity(), m_chosen, true);
        m_totalActivities = static_cast<int>(m_chosen.size());
    }
}

CDataExchangeDlg::~CDataExchangeDlg() {
    CSlot<CProjectsClosedEvent>::DisconnectAll();
    UnbindList();
    m_currentEdit.Drop();
    ReleaseOtherProject();
    m_list.reset();
    CSlot<CProjectsAddedEvent>::DisconnectAll();
    CSlot<CProjectSavedEvent>::DisconnectAll();
    CSlot<CProjectAskNewLocationEvent>::DisconnectAll();
    CSlot<CDialogMessageEvent>::DisconnectAll();
    CSlot<CDialogCommandEvent>::DisconnectAll();
    CSlot<CDialogInitializeEvent>::DisconnectAll();
    CSlot<CDialogTerminateEvent>::DisconnectAll();
}

const SDialogIdentity& CDataExchangeDlg::GetIdentity(unsigned direction) {
    static const SDialogIdentity kImportIdentity = {IDD_IMPORT, true, EPlacementSlot::Import,
                                                    IDS_HELP_IMPORT_WINDOW};
    static const SDialogIdentity kExportIdentity = {IDD_EXPORT, true, EPlacementSlot::Export,
                                                    IDS_HELP_EXPORT_WINDOW};
    return direction == kImport ? kImportIdentity : kExportIdentity;
}

int CDataExchangeDlg::GetDialogId(unsigned direction) {
    return GetIdentity(direction).dialogId;
}

CProjectState* CDataExchangeDlg::GetPreviewState() const {
    return m_import ? m_currentEdited : m_otherEdited;
}

CProject* CDataExchangeDlg::GetSource() const {
    return m_import ? m_otherProject : m_currentProject;
}

CProjectState* CDataExchangeDlg::GetSourceBase() const {
    return m_import ? m_otherBase : m_currentBase;
}

int CDataExchangeDlg::GetNumColumns() {
    return 3;
}

SListViewColumn CDataExchangeDlg::GetColumn(int index) {
    SListViewColumn column;
    if (index < 0 || index >= 3) {
        return column;
    }
    column.title = CText(kColumnTitles[index]).GetString();
    column.format = index == 0 ? LVCFMT_LEFT : LVCFMT_RIGHT;
    const std::vector<int32_t>& widths = m_settings->GetColumnWidths();
    const bool usable = static_cast<size_t>(index) < widths.size() && widths[index] > 0;
    column.width = usable ? widths[index] : 100;
    column.defaultWidth = !usable || m_settings->IsDefaultColumnWidth(static_cast<size_t>(index));
    return column;
}

std::string CDataExchangeDlg::GetColumnText(CActivity* activity, int column) {
    const bool added = (column == 1 && activity->GetMergeMark() == 2) ||
                       (column == 2 && activity->HasMergedTallymarks());
    return added ? CText(IDS_EXCHANGE_ADDED).GetString() : std::string();
}

bool CDataExchangeDlg::OnDialogInitialize(CDialogInitializeEvent&) {
    HWND window = GetHwnd();
    SetDialogIcons(window);
    AnchorItems(window, kAnchors);
    RestoreDialogRect(*this, GetIdentity(m_direction).slot);
    ShowProject(IDC_EXCHANGE_CURRENT_NAME, IDC_EXCHANGE_CURRENT_FILE, IDC_EXCHANGE_CURRENT_STATUS,
                m_currentProject, m_currentBase, false);
    ShowTexts();
    EnableSettings(m_settingsAvailable);
    UpdateOk();
    m_move = m_settings->GetRemoveTraces();
    CheckDlgButton(window, IDC_EXCHANGE_COPY, m_move ? BST_UNCHECKED : BST_CHECKED);
    CheckDlgButton(window, IDC_EXCHANGE_MOVE, m_move ? BST_CHECKED : BST_UNCHECKED);
    m_list->Attach(window, IDC_EXCHANGE_RESULT, false);
    if (m_import) {
        BindList(m_currentProject, m_currentEdited);
    }
    return true;
}

void CDataExchangeDlg::ShowProject(int nameId, int fileId, int statusId, CProject* project,
                                   CProjectState* state, bool useBrowsePath) {
    HWND window = GetHwnd();
    if (window == nullptr || project == nullptr) {
        return;
    }
    SetDlgItemTextA(window, nameId, state->GetName().c_str());
    std::string file;
    if (!project->IsNew()) {
        file = project->GetFilePath(false).GetPath();
    } else if (useBrowsePath && !m_browsePath.empty()) {
        file = m_browsePath;
    } else {
        file = CText(IDS_PROPERTIES_NOT_SAVED).GetString();
    }
    SetDlgItemTextA(window, fileId, file.c_str());
    SetDlgItemTextA(window, statusId,
                    CText(state->IsWorking() ? IDS_WORKING : IDS_NOT_WORKING).GetCStr());
}

void CDataExchangeDlg::ShowTexts() {
    HWND window = GetHwnd();
    if (window == nullptr) {
        return;
    }
    const std::string activities =
        m_settingsAvailable
            ? FormatActivityCount(m_chosen, m_totalActivities, IDS_ACTIVITY_COUNT_OF)
            : CText(IDS_NO_CHOICE_MADE).GetString();
    const std::string period = m_settingsAvailable
                                   ? FormatPeriodDescription(3, m_periodStart, m_periodEnd)
                                   : CText(IDS_NO_CHOICE_MADE).GetString();
    SetDlgItemTextA(window, IDC_EXCHANGE_ACTIVITIES, activities.c_str());
    SetDlgItemTextA(window, IDC_EXCHANGE_PERIOD, period.c_str());
}

void CDataExchangeDlg::UpdateOk() {
    const CDateTime null = CTallymark::GetNullDate();
    const bool ready = m_otherProject != nullptr && m_periodStart != null && m_periodEnd != null &&
                       !m_chosen.empty();
    EnableWindow(GetDlgItem(GetHwnd(), IDC_EXCHANGE_OK), ready ? TRUE : FALSE);
}

void CDataExchangeDlg::EnableSettings(bool enable) {
    for (int id : kSettingsControls) {
        EnableWindow(GetDlgItem(GetHwnd(), id), enable ? TRUE : FALSE);
    }
}

void CDataExchangeDlg::SetPeriod(const CDateTime& start, const CDateTime& end) {
    m_periodStart = start;
    m_periodEnd = end;
    ShowTexts();
    UpdateOk();
    RunExchange();
}

void CDataExchangeDlg::SetChosenActivities(const std::set<CActivity*>& chosen) {
    m_chosen = chosen;
    ShowTexts();
    UpdateOk();
    RunExchange();
}

void CDataExchangeDlg::OnChoose() {
    CChooseProjectDlg chooser(false, !m_currentBase->IsWorking());
    chooser.Create(MakeModalDialogParams(CChooseProjectDlg::kIdentity, GetHwnd()));
    CProject* chosen = chooser.GetChosenProject();
    if (chosen != nullptr && m_currentProject != nullptr && TakeOtherProject(chosen, true)) {
        ShowProject(IDC_EXCHANGE_OTHER_NAME, IDC_EXCHANGE_OTHER_FILE, IDC_EXCHANGE_OTHER_STATUS,
                    m_otherProject, m_otherBase, true);
        RunExchange();
    }
}

void CDataExchangeDlg::OnBrowse() {
    CProjectBrowser browser;
    if (browser.Browse(m_import ? CProjectBrowser::bpImport : CProjectBrowser::bpExport, GetHwnd(),
                       std::string(), 0)) {
        OpenOtherProject(browser.GetFilePath(), m_import ? 0 : browser.GetFormat());
    }
}

void CDataExchangeDlg::OnChoosePeriod() {
    CProject* source = GetSource();
    if (source == nullptr) {
        return;
    }
    CChooseTimePeriodDlg chooser(*source, *GetSourceBase(), m_periodStart, m_periodEnd);
    if (chooser.Create(CChooseTimePeriodDlg::MakeParams(GetHwnd())) >= 0 &&
        !chooser.IsCancelled() && GetSource() == source) {
        CDateTime start, end;
        chooser.GetPeriod(start, end);
        SetPeriod(start, end);
    }
}

void CDataExchangeDlg::OnChooseActivities() {
    CProject* source = GetSource();
    if (source == nullptr) {
        return;
    }
    CChooseActivitiesDlg chooser(*source, *GetSourceBase(), m_chosen,
                                 Text(IDS_CHOOSE_ACTS_IMPORT, IDS_CHOOSE_ACTS_EXPORT));
    if (chooser.Create(CChooseActivitiesDlg::MakeParams(GetHwnd())) == 0 &&
        !chooser.IsCancelled() && GetSource() == source) {
        std::set<CActivity*> chosen;
        chooser.GetChosenActivities(chosen);
        SetChosenActivities(chosen);
    }
}

bool CDataExchangeDlg::OnDialogCommand(CDialogCommandEvent& event) {
    const bool clicked = event.notificationCode == BN_CLICKED;
    switch (event.controlId) {
    case IDCANCEL:
        if (clicked) {
            Close();
        }
        return true;
    case IDC_EXCHANGE_CHOOSE:
        if (clicked) {
            OnChoose();
        }
        return true;
    case IDC_EXCHANGE_BROWSE:
        if (clicked) {
            OnBrowse();
        }
        return true;
    case IDC_EXCHANGE_COPY:
    case IDC_EXCHANGE_MOVE:
        if (clicked) {
            m_move = event.controlId == IDC_EXCHANGE_MOVE;
            RunExchange();
        }
        return true;
    case IDC_EXCHANGE_CHOOSE_PERIOD:
        if (clicked) {
            OnChoosePeriod();
        }
        return true;
    case IDC_EXCHANGE_CHOOSE_ACTIVITIES:
        if (clicked) {
            OnChooseActivities();
        }
        return true;
    case IDC_EXCHANGE_OK:
        if (clicked && event.control != nullptr &&
            event.control == GetDlgItem(GetHwnd(), IDC_EXCHANGE_OK)) {
            Confirm();
        }
        return true;
    default:
        return false;
    }
}

bool CDataExchangeDlg::OnDialogMessage(CDialogMessageEvent& event) {
    return AnswerCloseAndHelp(*this, event, GetIdentity(m_direction).helpTopic);
}

bool CDataExchangeDlg::OnDialogTerminate(CDialogTerminateEvent&) {
    StoreDialogRect(*this, GetIdentity(m_direction).slot);
    if (m_list->GetList() != nullptr) {
        std::vector<int> shown;
        m_list->GetColumnWidths(shown);
        std::vector<int32_t>& widths = m_settings->GetColumnWidths();
        for (size_t column = 0; column < shown.size() && column < widths.size(); ++column) {
            if (shown[column] > 0) {
                widths[column] = shown[column];
            }
        }
    }
    m_settings->GetRemoveTraces() = m_move;
    UnbindList();
    // Every way out but OK throws the edits away now, not when the object goes: whatever
    // waits for a project's edit to end runs as soon as the dialog closes.
    // (The project this dialog opened stays open until the dialog goes.)
    m_otherEdited = nullptr;
    m_otherEdit.Discard();
    m_currentEdited = nullptr;
    m_currentEdit.Discard();
    return true;
}
