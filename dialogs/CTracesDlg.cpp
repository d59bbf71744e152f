#include "dialogs/CTracesDlg.h"

#include "app/main/CAppMain.h"
#include "app/settings/CSetTracesDlg.h"
#include "app/ui/ButtonControls.h"
#include "app/ui/DialogCloseAndHelp.h"
#include "app/ui/DialogPlacement.h"
#include "app/ui/ModalDialogParams.h"
#include "app/ui/SharedPictures.h"
#include "library/datetime/CDateTimeFormat.h"
#include "library/text/CText.h"
#include "model/CActivity.h"
#include "model/CProject.h"
#include "model/CProjectState.h"
#include "model/CTallymark.h"
#include "resources/ResourceIds.h"

#include <algorithm>
#include <cmath>

namespace {

// The list grows with the window; the edit buttons keep their x and follow the bottom
// edge, OK and Cancel the bottom-right corner.
const SItemAnchor kAnchors[] = {
    {IDC_TRACES_LIST, 1, 0, 1, 0}, {IDC_TRACES_MODIFY, 0, 0, 0, 1}, {IDC_TRACES_REMOVE, 0, 0, 0, 1},
    {IDC_TRACES_NEW, 0, 0, 0, 1},  {IDC_TRACES_SPLIT, 0, 0, 0, 1},  {IDC_TRACES_OK, 0, 1, 0, 1},
    {IDCANCEL, 0, 1, 0, 1},
};

const unsigned int kColumnTitles[] = {IDS_TRACES_COLUMN_START, IDS_TRACES_COLUMN_END,
                                      IDS_TRACES_COLUMN_DURATION, IDS_COLUMN_ACTIVITY};
const int kColumnCount = 4;

} // namespace

const SDialogIdentity CTracesDlg::kIdentity = {IDD_TRACES, true, EPlacementSlot::ManageTallymarks,
                                               IDS_HELP_MANAGE_TALLYMARKS};

CTracesDlg::CTracesDlg(CProject* project)
    : m_project(project), m_state(nullptr), m_dateIndex(nullptr),
      m_order(CAppMain::Get().GetSetTracesDlg()), m_list(this) {
    CSlot<CDialogMessageEvent>::Connect(this);
    CSlot<CDialogCommandEvent>::Connect(this);
    CSlot<CDialogInitializeEvent>::Connect(this);
    CSlot<CDialogTerminateEvent>::Connect(this);
    m_closeWatch.Watch(m_project);
    m_edit.Restart(*m_project);
    m_state = m_edit.GetState();
    m_dateIndex = &m_state->GetTallymarksByDate();
}

CTracesDlg::~CTracesDlg() = default;

SDialogParams CTracesDlg::MakeParams(HWND owner) {
    return MakeModalDialogParams(kIdentity, owner);
}

int CTracesDlg::GetColumnCount() {
    return kColumnCount;
}

SListViewColumn CTracesDlg::GetColumn(int index) {
    SListViewColumn column;
    if (index >= 0 && index < kColumnCount) {
        column.title = CText(kColumnTitles[index]).GetString();
    }
    CSetTracesDlg& settings = CAppMain::Get().GetSetTracesDlg();
    column.width = settings.GetColumnWidths().at(static_cast<size_t>(index));
    column.defaultWidth = settings.IsDefaultColumnWidth(static_cast<size_t>(index));
    return column;
}

SListViewItemImage CTracesDlg::GetItemImage(CTallymark*) {
    return SListViewItemImage();
}

CTallymark* CTracesDlg::EnumItems(int index, CTallymark*) {
    return index >= 0 && static_cast<size_t>(index) < m_fillOrder.size()
               ? m_fillOrder[static_cast<size_t>(index)]
               : nullptr;
}

void CTracesDlg::GetSelectedItems(std::set<CTallymark*>&) {}

CTallymark* CTracesDlg::GetFocusedItem() {
    return nullptr;
}

void CTracesDlg::GetCheckedItems(std::set<CTallymark*>&) {}

std::string CTracesDlg::GetItemText(CTallymark* item, int column) {
    switch (column) {
    case 0:
        return FormatDate(item->GetStart());
    case 1:
        return item->IsOpen() ? std::string() : FormatDate(item->GetEnd(false));
    case 2:
        if (!item->IsValid()) {
            return m_invalidText;
        }
        return item->IsOpen() ? m_workingText : item->GetDuration().FormatHMS(3);
    case 3:
        return item->GetActivity() != nullptr ? item->GetActivity()->GetPath() : std::string();
    default:
        return std::string();
    }
}

std::string CTracesDlg::FormatDate(const CDateTime& utc) {
    const CDateTime local = utc.UtcToLocal();
    if (!local.IsValid()) {
        return std::string();
    }
    // Rows come by day: the day's text is made once for a run of rows on the same day.
    const CDateTimeFormat& formats = CDateTimeFormat::Instance();
    const double day = std::trunc(local.GetValue());
    if (!m_hasDayText || day != m_day) {
        m_dayText = local.FormatDate(formats.GetNumericDateFormat(), 0, LOCALE_USER_DEFAULT);
        m_day = day;
        m_hasDayText = true;
    }
    return m_dayText + " " +
           local.FormatTime(formats.GetPaddedTimeOfDayFormat(), 0, LOCALE_USER_DEFAULT);
}

void CTracesDlg::OnSelectionChanged() {
    UpdateButtons();
}

void CTracesDlg::OnChecksChanged() {}

void CTracesDlg::OnItemActivated() {
    Modify();
}

bool CTracesDlg::OnKeyDown(WORD virtualKey) {
    if (m_state == nullptr) {
        return false;
    }
    switch (virtualKey) {
    case VK_BACK:
    case VK_DELETE:
        Remove();
        return true;
    case VK_INSERT:
        New();
        return true;
    default:
        return false;
    }
}

void CTracesDlg::OnLabelEdited(CTallymark*, const std::string&) {}

void CTracesDlg::OnColumnClicked(int column) {
    CAppMain::Get().GetSetTracesDlg().SortBy(column);
    ShowSortPictures();
    SortRows();
}

int CTracesDlg::Compare(CTallymark* a, CTallymark* b) {
    return m_order.Compare(*a, *b);
}

bool CTracesDlg::OnDialogMessage(CDialogMessageEvent& event) {
    return AnswerCloseAndHelp(*this, event, kIdentity.helpTopic);
}

bool CTracesDlg::OnDialogCommand(CDialogCommandEvent& event) {
    // Once the project is gone only Cancel still acts.
    const bool clicked =
        event.notificationCode == BN_CLICKED && (m_state != nullptr || event.controlId == IDCANCEL);
    switch (event.controlId) {
    case IDCANCEL:
        if (clicked) {
            Close();
        }
        return true;
    case IDC_TRACES_MODIFY:
        if (clicked) {
            Modify();
        }
        return true;
    case IDC_TRACES_REMOVE:
        if (clicked) {
            Remove();
        }
        return true;
    case IDC_TRACES_NEW:
        if (clicked) {
            New();
        }
        return true;
    case IDC_TRACES_SPLIT:
        if (clicked) {
            Split();
        }
        return true;
    case IDC_TRACES_OK:
        if (clicked) {
            Ok();
        }
        return true;
    default:
        return false;
    }
}

bool CTracesDlg::OnDialogInitialize(CDialogInitializeEvent&) {
    HWND window = GetHwnd();
    SetDialogIcons(window);
    AnchorItems(window, kAnchors);
    RestoreDialogRect(*this, kIdentity.slot);
    m_invalidText = CText(IDS_TRACES_INVALID_START).GetString();
    m_workingText = CText(IDS_WORKING).GetString();
    m_list.Attach(window, IDC_TRACES_LIST, nullptr, false);
    HWND header = reinterpret_cast<HWND>(SendMessageA(m_list.GetList(), LVM_GETHEADER, 0, 0));
    SendMessageA(header, HDM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(SortImageList().Get()));
    // Without redrawing, the control neither paints nor scrolls per row while it fills.
    SendMessageA(m_list.GetList(), WM_SETREDRAW, FALSE, 0);
    // Every tally mark of the state once, from the date index.
    m_fillOrder.clear();
    m_fillOrder.reserve(m_dateIndex->GetCount());
    for (const STallymarkIndexEntry& entry : m_dateIndex->GetStartIndex()) {
        m_fillOrder.push_back(entry.tallymark);
    }
    m_order.ForgetPaths();
    std::stable_sort(m_fillOrder.begin(), m_fillOrder.end(),
                     [this](CTallymark* a, CTallymark* b) { return m_order.Compare(*a, *b) < 0; });
    m_list.Reload();
    std::vector<CTallymark*>().swap(m_fillOrder);
    ShowSortPictures();
    SortRows();
    SendMessageA(m_list.GetList(), WM_SETREDRAW, TRUE, 0);
    InvalidateRect(m_list.GetList(), nullptr, TRUE);
    UpdateButtons();
    return true;
}

bool CTracesDlg::OnDialogTerminate(CDialogTerminateEvent& event) {
    CAppMain& app = CAppMain::Get();
    StoreDialogRect(*this, kIdentity.slot);
    if (m_list.GetList() != nullptr) {
        std::vector<int> shown;
        m_list.GetColumnWidths(shown);
        std::vector<int32_t>& widths = app.GetSetTracesDlg().GetColumnWidths();
        for (size_t column = 0; column < shown.size() && column < widths.size(); ++column) {
            widths[column] = shown[column];
        }
    }
    event.exitCode = m_cancelled ? 1 : 0;
    // Every way out but OK throws the edit away now, not when the object goes: whatever
    // waits for the project's edit to end runs as soon as the dialog closes. The rows name
    // tally marks of the copy, so they go first.
    if (m_edit.IsOpen()) {
        m_fillOrder.clear();
        m_list.Reload();
        m_state = nullptr;
        m_dateIndex = nullptr;
        m_edit.Discard();
    }
    return true;
}

void CTracesDlg::Ok() {
    m_cancelled = false;
    m_edit.Commit();
    Close();
}

void CTracesDlg::RunChild(CDialogWindow& dialog, const SDialogIdentity& identity) {
    dialog.Create(MakeModalDialogParams(identity, GetHwnd()));
}

void CTracesDlg::OnProjectClosed() {
    // Every row names a tally mark of the edit copy, which goes with the project: the rows
    // go first, and the transaction with the project.
    m_fillOrder.clear();
    m_list.Reload();
    m_edit.Abandon();
    m_project = nullptr;
    m_state = nullptr;
    m_dateIndex = nullptr;
    m_cancelled = true;
    Close();
}
