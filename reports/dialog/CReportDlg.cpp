#include "reports/dialog/CReportDlg.h"

#include "app/main/CAppMain.h"
#include "app/settings/CSetReportDlg.h"
#include "app/ui/ButtonControls.h"
#include "app/ui/DialogCloseAndHelp.h"
#include "app/ui/DescriptionTexts.h"
#include "app/ui/DialogPlacement.h"
#include "app/ui/ModalDialogParams.h"
#include "app/ui/SharedPictures.h"
#include "app/ui/TextHelpers.h"
#include "dialogs/CChooseActivitiesDlg.h"
#include "dialogs/CChooseTimePeriodDlg.h"
#include "library/files/CFileBrowser.h"
#include "library/text/CText.h"
#include "model/CProject.h"
#include "model/CProjectState.h"
#include "model/CProjects.h"
#include "model/CTallymark.h"
#include "reports/templates/CReportTemplate.h"
#include "reports/templates/CReportTemplateCategory.h"
#include "resources/ResourceIds.h"

#include <windows.h>

#include <cstring>
#include <vector>

namespace {

const SItemAnchor kAnchors[] = {
    {IDC_REPORT_DATA_GROUP, 1, 0, 0, 0},
    {IDC_REPORT_PERIOD_TEXT, 1, 0, 0, 0},
    {IDC_REPORT_CHOOSE_PERIOD, 0, 1, 0, 0},
    {IDC_REPORT_ACTIVITIES_TEXT, 1, 0, 0, 0},
    {IDC_REPORT_CHOOSE_ACTIVITIES, 0, 1, 0, 0},
    {IDC_REPORT_HANDLING_GROUP, 1, 0, 0, 0},
    {IDC_REPORT_TEMPLATE_GROUP, 1, 0, 1, 0},
    {IDC_REPORT_TEMPLATE_TREE, 1, 0, 1, 0},
    {IDC_REPORT_DESCRIPTION_LABEL, 0, 1, 0, 0},
    {IDC_REPORT_DESCRIPTION, 0, 1, 1, 0},
    {IDC_REPORT_DESTINATION_GROUP, 1, 0, 0, 1},
    {IDC_REPORT_TO_CLIPBOARD, 0, 0, 0, 1},
    {IDC_REPORT_TO_FILE, 0, 0, 0, 1},
    {IDC_REPORT_FILE_NAME, 1, 0, 0, 1},
    {IDC_REPORT_BROWSE, 0, 1, 0, 1},
    {IDC_REPORT_GENERATE, 0, 1, 0, 1},
    {IDCANCEL, 0, 1, 0, 1},
};

// The lists' texts by position; the position is the code the generator takes.
const unsigned int kStatisticsPerTexts[] = {IDS_REPORT_LIST_HOUR, IDS_REPORT_LIST_DAY,
                                            IDS_REPORT_LIST_WEEK, IDS_REPORT_LIST_MONTH,
                                            IDS_REPORT_LIST_YEAR, IDS_REPORT_LIST_TOTAL};
const unsigned int kRoundToTexts[] = {IDS_REPORT_LIST_SECONDS,      IDS_REPORT_LIST_MINUTES,
                                      IDS_REPORT_ROUND_SIX_MINUTES, IDS_REPORT_LIST_QUARTERS,
                                      IDS_REPORT_LIST_HALF_HOURS,   IDS_REPORT_LIST_HOURS};
const int kListSize = 6;

// Fills a drop-down list and selects position, or the default position when the stored
// one is not in the list.
void FillList(HWND dialog, int id, const unsigned int (&texts)[kListSize], uint32_t position,
              int defaultPosition) {
    HWND list = GetDlgItem(dialog, id);
    for (unsigned int text : texts) {
        SendMessageA(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(CText(text).GetCStr()));
    }
    const int chosen =
        position < static_cast<uint32_t>(kListSize) ? static_cast<int>(position) : defaultPosition;
    SendMessageA(list, CB_SETCURSEL, static_cast<WPARAM>(chosen), 0);
}

bool IsChecked(HWND dialog, int id) {
    return SendDlgItemMessageA(dialog, id, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void Check(HWND dialog, int id, bool checked) {
    SendDlgItemMessageA(dialog, id, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

void Enable(HWND dialog, int id, bool enabled) {
    EnableWindow(GetDlgItem(dialog, id), enabled ? TRUE : FALSE);
}

} // namespace

const SDialogIdentity CReportDlg::kIdentity = {IDD_REPORT, true, EPlacementSlot::Report,
                                               IDS_HELP_GENERATE_REPORT};

CReportDlg::CReportDlg(CProject* project)
    : m_project(project), m_state(project->GetState(true)),
      m_periodStart(CTallymark::GetNullDate()), m_periodEnd(CTallymark::GetNullDate()) {
    CChooseActivitiesDlg::ChooseAll(m_state->GetRootActivity(), m_chosen, true);
    m_totalActivities = static_cast<int32_t>(m_chosen.size());
    m_activitiesChosen = m_totalActivities > 0;
    CSlot<CDialogMessageEvent>::Connect(this);
    CSlot<CDialogCommandEvent>::Connect(this);
    CSlot<CDialogCCNotificationEvent>::Connect(this);
    CSlot<CDialogInitializeEvent>::Connect(this);
    CSlot<CDialogTerminateEvent>::Connect(this);
    m_closeWatch.Watch(m_project);
}

CReportDlg::~CReportDlg() {
    CSlot<CDialogMessageEvent>::DisconnectAll();
    CSlot<CDialogCommandEvent>::DisconnectAll();
    CSlot<CDialogCCNotificationEvent>::DisconnectAll();
    CSlot<CDialogInitializeEvent>::DisconnectAll();
    CSlot<CDialogTerminateEvent>::DisconnectAll();
}

SDialogParams CReportDlg::MakeParams(HWND owner) {
    return MakeModalDialogParams(kIdentity, owner);
}

int32_t CReportDlg::GetNotation() const {
    HWND window = GetHwnd();
    if (window != nullptr && IsChecked(window, IDC_REPORT_NOTATION_TIME)) {
        return 0;
    }
    if (window != nullptr && IsChecked(window, IDC_REPORT_NOTATION_DAYS)) {
        return 1;
    }
    return 2;
}

int CReportDlg::GetTemplateImage(const CReportTemplate* reportTemplate) {
    if (reportTemplate == nullptr) {
        return 0;
    }
    switch (reportTemplate->GetFormat()) {
    case rfCsv:
    case rfTab:
        return 1;
    case rfTxt:
        return 2;
    case rfRtf:
        return 3;
    case rfHtml:
        return 4;
    case rfXml:
        return 5;
    default:
        return 0;
    }
}

std::string CReportDlg::SwapExtension(const std::string& path, const std::string& ext) {
    const std::string current = GetFileExtension(path);
    if (lstrcmpiA(current.c_str(), ext.c_str()) == 0) {
        return path;
    }
    std::string swapped = path.substr(0, path.size() - current.size());
    if (current.empty() && (swapped.empty() || swapped.back() != '.')) {
        swapped += '.';
    }
    return swapped + ext;
}

bool CReportDlg::OnDialogInitialize(CDialogInitializeEvent&) {
    HWND window = GetHwnd();
    SetDialogIcons(window);
    AnchorItems(window, kAnchors);
    RestoreDialogRect(*this, kIdentity.slot);
    CSetReportDlg& settings = CAppMain::Get().GetSetReportDlg();
    const uint32_t notation = settings.GetDataFormat();
    Check(window, IDC_REPORT_NOTATION_DAYS, notation == 1);
    Check(window, IDC_REPORT_NOTATION_HOURS, notation == 2);
    Check(window, IDC_REPORT_NOTATION_TIME, notation == 0);
    UpdatePeriodText();
    UpdateActivitiesText();
    FillList(window, IDC_REPORT_ROUND_TO, kRoundToTexts, settings.GetRoundTo(), 0);
    FillList(window, IDC_REPORT_STATISTICS_PER, kStatisticsPerTexts, settings.GetStatisticsPer(),
             1);
    HWND tree = GetDlgItem(window, IDC_REPORT_TEMPLATE_TREE);
    SendMessageA(tree, TVM_SETIMAGELIST, TVSIL_NORMAL,
                 reinterpret_cast<LPARAM>(ReportTemplateImageList().Get()));

    const CError loaded = m_templates.Load();
    if (loaded.IsError()) {
        MessageBoxA(window, loaded.GetText().c_str(), CText(IDS_REPORT_LOAD_ERROR_CAPTION),
                    MB_OK | MB_ICONWARNING);
    }
    m_currentTemplate = nullptr;
    HTREEITEM found = nullptr;
    if (m_templates.GetRoot() != nullptr) {
        found = FillTemplateTree(tree, TVI_ROOT, *m_templates.GetRoot(), settings.GetTemplate());
    }
    if (found != nullptr) {
        SendMessageA(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(found));
    }
    m_fileChosen = settings.GetDestination() == 1;
    Check(window, IDC_REPORT_TO_CLIPBOARD, !m_fileChosen);
    Check(window, IDC_REPORT_TO_FILE, m_fileChosen);
    UpdateState();
    Check(window, IDC_REPORT_EMPTY_ACTIVITIES, settings.GetUseEmptyActivity());
    Check(window, IDC_REPORT_EMPTY_PERIODS, settings.GetUseEmptyPeriod());
    return true;
}

HTREEITEM CReportDlg::FillTemplateTree(HWND tree, HTREEITEM parent,
                                       const CReportTemplateCategory& category,
                                       const std::string& wanted) {
    // A walk of the categories in depth-first order without recursion. The item taken is
    // the last wanted template in that order: a wanted template below a node outranks the
    // node itself, which comes before it. A node whose item could not be inserted is
    // skipped with its subtree.
    HTREEITEM taken = nullptr;
    std::vector<HTREEITEM> parents(1, parent);
    const CReportTemplateCategory* node = category.GetFirstChild();
    while (node != nullptr) {
        CReportTemplate* reportTemplate = node->GetTemplate();
        const int image = GetTemplateImage(reportTemplate);
        TVINSERTSTRUCTA insert = {};
        insert.hParent = parents.back();
        insert.hInsertAfter = TVI_SORT;
        insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM;
        insert.item.pszText = const_cast<char*>(node->GetName().c_str());
        insert.item.iImage = image;
        insert.item.iSelectedImage = image;
        insert.item.lParam = reinterpret_cast<LPARAM>(reportTemplate);
        HTREEITEM item = reinterpret_cast<HTREEITEM>(
            SendMessageA(tree, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert)));
        if (item != nullptr && reportTemplate != nullptr &&
            lstrcmpiA(reportTemplate->GetFileName().c_str(), wanted.c_str()) == 0) {
            taken = item;
        }
        if (item != nullptr && node->GetFirstChild() != nullptr) {
            parents.push_back(item);
            node = node->GetFirstChild();
            continue;
        }
        // On to the next sibling, or that of the nearest ancestor below category.
        while (node != &category && node->GetNextSibling() == nullptr) {
            node = node->GetParent();
            parents.pop_back();
        }
        node = node != &category ? node->GetNextSibling() : nullptr;
    }
    return taken;
}

std::string CReportDlg::GetFilePathText() const {
    std::string text;
    if (GetHwnd() == nullptr || !GetItemText(IDC_REPORT_FILE_NAME, text)) {
        return std::string();
    }
    return text;
}

void CReportDlg::UpdateDescription() {
    SetDlgItemTextA(GetHwnd(), IDC_REPORT_DESCRIPTION,
                    m_currentTemplate != nullptr ? m_currentTemplate->GetDescription().c_str()
                                                 : "");
}

void CReportDlg::UpdateActivitiesText() {
    SetDlgItemTextA(
        GetHwnd(), IDC_REPORT_ACTIVITIES_TEXT,
        FormatActivityCount(m_chosen, m_totalActivities, IDS_ACTIVITY_COUNT_CHOSEN).c_str());
    m_activitiesChosen = !m_chosen.empty();
    UpdateControls();
}

void CReportDlg::UpdatePeriodText() {
    SetDlgItemTextA(GetHwnd(), IDC_REPORT_PERIOD_TEXT,
                    FormatPeriodDescription(2, m_periodStart, m_periodEnd).c_str());
    const CDateTime null = CTallymark::GetNullDate();
    m_periodChosen = m_periodStart != null && m_periodEnd != null;
    UpdateControls();
}

void CReportDlg::UpdateState() {
    HWND window = GetHwnd();
    m_templateChosen = m_currentTemplate != nullptr;
    m_fileChosen = IsChecked(window, IDC_REPORT_TO_FILE);
    m_filePath = GetFilePathText();
    m_destinationValid = m_fileChosen ? !m_filePath.empty() : true;
    UpdateControls();
}

void CReportDlg::UpdateControls() {
    HWND window = GetHwnd();
    Enable(window, IDC_REPORT_DESTINATION_GROUP, m_templateChosen);
    Enable(window, IDC_REPORT_TO_CLIPBOARD, m_templateChosen);
    Enable(window, IDC_REPORT_TO_FILE, m_templateChosen);
    Enable(window, IDC_REPORT_FILE_NAME, m_fileChosen && m_templateChosen);
    Enable(window, IDC_REPORT_BROWSE, m_fileChosen && m_templateChosen);
    Enable(window, IDC_REPORT_GENERATE,
           m_activitiesChosen && m_periodChosen && m_templateChosen && m_destinationValid);
}

void CReportDlg::OnTemplateChanged(CReportTemplate* reportTemplate) {
    if (reportTemplate == m_currentTemplate) {
        return;
    }
    m_currentTemplate = reportTemplate;
    UpdateDescription();
    UpdateState();
    if (m_currentTemplate == nullptr || m_filePath.empty()) {
        return;
    }
    const std::string swapped = SwapExtension(m_filePath, m_currentTemplate->GetDefaultExtension());
    if (swapped != m_filePath) {
        SetDlgItemTextA(GetHwnd(), IDC_REPORT_FILE_NAME, swapped.c_str());
    }
}

void CReportDlg::ChoosePeriod() {
    if (m_project == nullptr) {
        return;
    }
    CChooseTimePeriodDlg chooser(*m_project, *m_state, m_periodStart, m_periodEnd);
    const int result = chooser.Create(CChooseTimePeriodDlg::MakeParams(GetHwnd()));
    // A project closed meanwhile ended this dialog too: nothing more of it is touched.
    if (m_project == nullptr || result < 0 || chooser.IsCancelled()) {
        return;
    }
    chooser.GetPeriod(m_periodStart, m_periodEnd);
    UpdatePeriodText();
}

void CReportDlg::ChooseActivities() {
    if (m_project == nullptr) {
        return;
    }
    CChooseActivitiesDlg chooser(*m_project, *m_state, m_chosen, IDS_CHOOSE_ACTS_REPORT);
    const int result = chooser.Create(CChooseActivitiesDlg::MakeParams(GetHwnd()));
    if (m_project == nullptr || result < 0 || chooser.IsCancelled()) {
        return;
    }
    chooser.GetChosenActivities(m_chosen);
    UpdateActivitiesText();
}

void CReportDlg::Browse() {
    if (m_currentTemplate == nullptr) {
        return;
    }
    const std::string ext = m_currentTemplate->GetDefaultExtension();
    const std::string name = GetFilePathText();
    std::string filter = m_currentTemplate->GetFileNameType() + " (*." + ext + ")";
    filter += '\0';
    filter += "*." + ext;
    filter += '\0';
    filter += CText(IDS_FILTER_ALL_FILES).GetString();
    filter += '\0';
    filter += "*.*";
    filter += '\0';
    CFileBrowser browser;
    browser.SetMode(CFileBrowser::Save);
    browser.SetInitialPath(name);
    browser.SetOwner(GetHwnd());
    browser.SetTitle(CText(IDS_REPORT_BROWSE_TITLE).GetString());
    browser.SetFilter(filter.c_str());
    const std::string nameExt = GetFileExtension(name);
    browser.SetFilterIndex(!nameExt.empty() && lstrcmpiA(nameExt.c_str(), ext.c_str()) != 0 ? 2
                                                                                            : 1);
    browser.SetExtensionHandler({ext, std::string()});
    if (!browser.Browse() || m_project == nullptr) {
        return;
    }
    std::string path = browser.GetPath();
    AddDefaultExtension(path, ext);
    SetDlgItemTextA(GetHwnd(), IDC_REPORT_FILE_NAME, path.c_str());
}

bool CReportDlg::OnDialogCommand(CDialogCommandEvent& event) {
    switch (event.controlId) {
    case IDCANCEL:
    case IDC_REPORT_CHOOSE_PERIOD:
    case IDC_REPORT_TO_CLIPBOARD:
    case IDC_REPORT_TO_FILE:
    case IDC_REPORT_BROWSE:
    case IDC_REPORT_GENERATE:
    case IDC_REPORT_CHOOSE_ACTIVITIES:
        break;
    case IDC_REPORT_FILE_NAME:
        if (event.notificationCode == EN_CHANGE) {
            UpdateState();
        }
        return true;
    default:
        return false;
    }
    if (event.notificationCode != BN_CLICKED) {
        return true;
    }
    switch (event.controlId) {
    case IDCANCEL:
        Close();
        break;
    case IDC_REPORT_CHOOSE_PERIOD:
        ChoosePeriod();
        break;
    case IDC_REPORT_CHOOSE_ACTIVITIES:
        ChooseActivities();
        break;
    case IDC_REPORT_TO_CLIPBOARD:
    case IDC_REPORT_TO_FILE:
        UpdateState();
        break;
    case IDC_REPORT_BROWSE:
        Browse();
        break;
    case IDC_REPORT_GENERATE:
        Generate(GetHwnd());
        break;
    default:
        break;
    }
    return true;
}

bool CReportDlg::OnDialogCCNotification(CDialogCCNotificationEvent& event) {
    if (event.header == nullptr || event.header->idFrom != IDC_REPORT_TEMPLATE_TREE) {
        return false;
    }
    if (event.header->code == TVN_SELCHANGEDA) {
        const NMTREEVIEWA* change = reinterpret_cast<const NMTREEVIEWA*>(event.header);
        OnTemplateChanged(reinterpret_cast<CReportTemplate*>(change->itemNew.lParam));
    }
    return true;
}

bool CReportDlg::OnDialogMessage(CDialogMessageEvent& event) {
    return AnswerCloseAndHelp(*this, event, kIdentity.helpTopic);
}

bool CReportDlg::OnDialogTerminate(CDialogTerminateEvent&) {
    HWND window = GetHwnd();
    StoreDialogPosition(*this, kIdentity.slot);
    CSetReportDlg& settings = CAppMain::Get().GetSetReportDlg();
    const LRESULT per = SendDlgItemMessageA(window, IDC_REPORT_STATISTICS_PER, CB_GETCURSEL, 0, 0);
    const LRESULT round = SendDlgItemMessageA(window, IDC_REPORT_ROUND_TO, CB_GETCURSEL, 0, 0);
    // A list left without a choice keeps the stored value.
    if (per >= 0 && per < kListSize) {
        settings.GetStatisticsPer() = static_cast<uint32_t>(per);
    }
    if (round >= 0 && round < kListSize) {
        settings.GetRoundTo() = static_cast<uint32_t>(round);
    }
    settings.GetDataFormat() = static_cast<uint32_t>(GetNotation());
    if (m_currentTemplate != nullptr) {
        settings.GetTemplate() = m_currentTemplate->GetFileName();
    }
    settings.GetUseEmptyActivity() = IsChecked(window, IDC_REPORT_EMPTY_ACTIVITIES);
    settings.GetUseEmptyPeriod() = IsChecked(window, IDC_REPORT_EMPTY_PERIODS);
    settings.GetDestination() = IsChecked(window, IDC_REPORT_TO_CLIPBOARD) ? 0 : 1;
    return true;
}

void CReportDlg::OnProjectClosed() {
    // The project and its states go right after this event; the chosen activities with them.
    m_project = nullptr;
    m_state = nullptr;
    m_chosen.clear();
    Close();
}
