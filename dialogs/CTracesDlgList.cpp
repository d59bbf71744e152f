// CTracesDlg: upkeep of the rows, the header pictures and the buttons.

#include "dialogs/CTracesDlg.h"

#include "app/main/CAppMain.h"
#include "app/settings/CSetTracesDlg.h"
#include "model/CTallymark.h"
#include "resources/ResourceIds.h"

namespace {

// The first sort key's column shows the picture on the right of its title; the others
// keep room for none.
const int kSortedColumnFormat = LVCFMT_COL_HAS_IMAGES | LVCFMT_BITMAP_ON_RIGHT | LVCFMT_IMAGE;
const int kOtherColumnFormat = LVCFMT_BITMAP_ON_RIGHT;
const int kAscendingImage = 0;
const int kDescendingImage = 1;

} // namespace

std::vector<std::pair<int, CTallymark*>> CTracesDlg::GetSelectedRows() const {
    std::vector<std::pair<int, CTallymark*>> rows;
    HWND list = m_list.GetList();
    for (int row = -1;;) {
        row = static_cast<int>(SendMessageA(list, LVM_GETNEXTITEM, static_cast<WPARAM>(row),
                                            MAKELPARAM(LVNI_SELECTED, 0)));
        if (row < 0) {
            break;
        }
        if (CTallymark* item = m_list.GetRowItem(row)) {
            rows.emplace_back(row, item);
        }
    }
    return rows;
}

int CTracesDlg::RowOf(CTallymark* tallymark) const {
    if (tallymark != nullptr && tallymark == m_list.GetFocused()) {
        return FocusedRow();
    }
    return m_list.FindRow(tallymark);
}

void CTracesDlg::RewriteRow(CTallymark* tallymark, int row) {
    if (row < 0) {
        return;
    }
    for (int column = 0; column < GetColumnCount(); ++column) {
        m_list.UpdateCell(tallymark, row, column);
    }
}

void CTracesDlg::RewriteRows(const std::set<CTallymark*>& tallymarks) {
    if (tallymarks.size() == 1) {
        RewriteRow(*tallymarks.begin(), RowOf(*tallymarks.begin()));
        return;
    }
    // Several rows are found in one walk over the selected rows, not by a search through
    // every row for each tally mark.
    std::set<CTallymark*> left = tallymarks;
    for (const auto& row : GetSelectedRows()) {
        if (left.erase(row.second) != 0) {
            RewriteRow(row.second, row.first);
        }
    }
    for (CTallymark* tallymark : left) {
        RewriteRow(tallymark, m_list.FindRow(tallymark));
    }
}

void CTracesDlg::ShowSortPictures() {
    CSetTracesDlg& settings = CAppMain::Get().GetSetTracesDlg();
    const int sortedColumn = settings.GetSortColumn(0);
    const bool ascending = settings.GetSortAscending(0);
    for (int column = 0; column < GetColumnCount(); ++column) {
        LVCOLUMNA format = {};
        format.mask = LVCF_FMT | LVCF_IMAGE;
        if (column == sortedColumn) {
            format.fmt = kSortedColumnFormat;
            format.iImage = ascending ? kAscendingImage : kDescendingImage;
        } else {
            format.fmt = kOtherColumnFormat;
            format.iImage = I_IMAGENONE;
        }
        SendMessageA(m_list.GetList(), LVM_SETCOLUMNA, static_cast<WPARAM>(column),
                     reinterpret_cast<LPARAM>(&format));
    }
}

void CTracesDlg::SortRows() {
    m_order.ForgetPaths();
    SendMessageA(m_list.GetList(), LVM_SORTITEMS,
                 reinterpret_cast<WPARAM>(static_cast<IListViewSortCallback<CTallymark>*>(this)),
                 reinterpret_cast<LPARAM>(&CListView<CTallymark>::CompareItems));
    m_sorted = true;
    ScrollFocusedIntoView();
}

bool CTracesDlg::PlaceRow(CTallymark* tallymark, int row) {
    const int rows = m_list.GetRowCount();
    if (row < 0 || row >= rows) {
        return false;
    }
    // The first place among the other rows whose tally mark sorts after this one.
    int low = 0;
    int high = rows - 1;
    while (low < high) {
        const int middle = low + (high - low) / 2;
        CTallymark* other = m_list.GetRowItem(middle < row ? middle : middle + 1);
        if (other == nullptr) {
            return false;
        }
        if (m_order.Compare(*other, *tallymark) <= 0) {
            low = middle + 1;
        } else {
            high = middle;
        }
    }
    if (low != row) {
        m_list.DeleteRow(row);
        m_list.InsertItem(tallymark, low);
    }
    return true;
}

void CTracesDlg::InsertInOrder(CTallymark* tallymark) {
    if (!m_list.InsertItem(tallymark, -1)) {
        return;
    }
    if (m_sorted && !PlaceRow(tallymark, m_list.GetRowCount() - 1)) {
        m_sorted = false;
    }
}

int CTracesDlg::FocusedRow() const {
    CTallymark* focused = m_list.GetFocused();
    if (focused == nullptr) {
        return -1;
    }
    // The control knows its focused row; only when that row holds another tally mark
    // are the rows searched.
    const int row = static_cast<int>(SendMessageA(
        m_list.GetList(), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), MAKELPARAM(LVNI_FOCUSED, 0)));
    if (row >= 0 && m_list.GetRowItem(row) == focused) {
        return row;
    }
    return m_list.FindRow(focused);
}

void CTracesDlg::ScrollFocusedIntoView() {
    const int row = FocusedRow();
    if (row >= 0) {
        SendMessageA(m_list.GetList(), LVM_ENSUREVISIBLE, static_cast<WPARAM>(row), FALSE);
    }
}

void CTracesDlg::UpdateButtons() {
    const size_t selected = m_list.GetSelected().size();
    HWND window = GetHwnd();
    EnableWindow(GetDlgItem(window, IDC_TRACES_MODIFY), selected > 0 ? TRUE : FALSE);
    EnableWindow(GetDlgItem(window, IDC_TRACES_REMOVE), selected > 0 ? TRUE : FALSE);
    EnableWindow(GetDlgItem(window, IDC_TRACES_SPLIT), selected == 1 ? TRUE : FALSE);
}
