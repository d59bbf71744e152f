#include "library/dialogs/CListViewControl.h"

#include <commctrl.h>

#include <algorithm>

int CListViewControl::FindRow(HWND list, LPARAM item) {
    LVFINDINFOA find = {};
    find.flags = LVFI_PARAM;
    find.lParam = item;
    return static_cast<int>(SendMessageA(list, LVM_FINDITEMA, static_cast<WPARAM>(-1),
                                         reinterpret_cast<LPARAM>(&find)));
}

LPARAM CListViewControl::GetRowParam(HWND list, int row) {
    LVITEMA item = {};
    item.mask = LVIF_PARAM;
    item.iItem = row;
    if (row < 0 || !SendMessageA(list, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item))) {
        return 0;
    }
    return item.lParam;
}

int CListViewControl::GetRowCount(HWND list) {
    return static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
}

void CListViewControl::SetRowState(HWND list, int row, UINT state, UINT mask) {
    LVITEMA item = {};
    item.state = state;
    item.stateMask = mask;
    SendMessageA(list, LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
}

UINT CListViewControl::GetRowState(HWND list, int row, UINT mask) {
    return static_cast<UINT>(SendMessageA(list, LVM_GETITEMSTATE, static_cast<WPARAM>(row), mask));
}

void CListViewControl::SetRowCheck(HWND list, int row, bool checked) {
    SetRowState(list, row, checked ? kChecked : kUnchecked, LVIS_STATEIMAGEMASK);
}

void CListViewControl::EnsureVisible(HWND list, int row) {
    SendMessageA(list, LVM_ENSUREVISIBLE, static_cast<WPARAM>(row), FALSE);
}

int CListViewControl::InsertRow(HWND list, int index, const std::string& text,
                                const SListViewItemImage& image, LPARAM item, UINT state) {
    LVITEMA row = {};
    row.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM | LVIF_STATE | LVIF_INDENT;
    row.iItem = index < 0 ? GetRowCount(list) : index;
    row.pszText = const_cast<char*>(text.c_str());
    row.iImage = image.image;
    row.iIndent = image.indent;
    row.lParam = item;
    row.state = state;
    row.stateMask = LVIS_FOCUSED | LVIS_SELECTED;
    return static_cast<int>(SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&row)));
}

void CListViewControl::SetCellText(HWND list, int row, int column, const std::string& text) {
    LVITEMA cell = {};
    cell.mask = LVIF_TEXT;
    cell.iItem = row;
    cell.iSubItem = column;
    cell.pszText = const_cast<char*>(text.c_str());
    SendMessageA(list, LVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&cell));
}

bool CListViewControl::GetCellText(HWND list, int row, int column, std::string& text) {
    text.clear();
    char buffer[kMaxCellText + 2] = {};
    LVITEMA cell = {};
    cell.iSubItem = column;
    cell.pszText = buffer;
    cell.cchTextMax = static_cast<int>(sizeof(buffer));
    if (row < 0 || row >= GetRowCount(list)) {
        return false;
    }
    const LRESULT length = SendMessageA(list, LVM_GETITEMTEXTA, static_cast<WPARAM>(row),
                                        reinterpret_cast<LPARAM>(&cell));
    // A text that fills the buffer may have been cut.
    if (length < 0 || length > kMaxCellText) {
        return false;
    }
    text.assign(buffer, static_cast<size_t>(length));
    return true;
}

SListViewItemImage CListViewControl::GetRowImage(HWND list, int row) {
    LVITEMA item = {};
    item.mask = LVIF_IMAGE | LVIF_INDENT;
    item.iItem = row;
    SListViewItemImage image;
    if (row >= 0 && SendMessageA(list, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item))) {
        image.image = item.iImage;
        image.indent = item.iIndent;
    }
    return image;
}

void CListViewControl::SetCellTextAndImage(HWND list, int row, const std::string& text,
                                           const SListViewItemImage& image) {
    LVITEMA cell = {};
    cell.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_INDENT;
    cell.iItem = row;
    cell.pszText = const_cast<char*>(text.c_str());
    cell.iImage = image.image;
    cell.iIndent = image.indent;
    SendMessageA(list, LVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&cell));
}

void CListViewControl::InsertColumn(HWND list, int index, const SListViewColumn& column,
                                    bool withWidth) {
    LVCOLUMNA inserted = {};
    inserted.mask = LVCF_TEXT | LVCF_SUBITEM;
    inserted.pszText = const_cast<char*>(column.title.c_str());
    inserted.iSubItem = index;
    if (withWidth && column.width >= 0) {
        inserted.mask |= LVCF_WIDTH;
        inserted.cx = column.width == 0 ? 0 : std::max(column.width, DefaultMinimum(list, column));
    }
    SendMessageA(list, LVM_INSERTCOLUMNA, static_cast<WPARAM>(index),
                 reinterpret_cast<LPARAM>(&inserted));
    if (column.format != 0) {
        LVCOLUMNA format = {};
        format.mask = LVCF_FMT | LVCF_SUBITEM;
        format.fmt = column.format;
        format.iSubItem = index;
        SendMessageA(list, LVM_SETCOLUMNA, static_cast<WPARAM>(index),
                     reinterpret_cast<LPARAM>(&format));
    }
}

void CListViewControl::DeleteColumn(HWND list, int index) {
    SendMessageA(list, LVM_DELETECOLUMN, static_cast<WPARAM>(index), 0);
}

void CListViewControl::SetColumnTitleAndFormat(HWND list, int index,
                                               const SListViewColumn& column) {
    LVCOLUMNA changed = {};
    changed.mask = LVCF_FMT | LVCF_TEXT | LVCF_SUBITEM;
    changed.fmt = column.format;
    changed.pszText = const_cast<char*>(column.title.c_str());
    changed.iSubItem = index;
    SendMessageA(list, LVM_SETCOLUMNA, static_cast<WPARAM>(index),
                 reinterpret_cast<LPARAM>(&changed));
}

int CListViewControl::GetColumnWidth(HWND list, int column) {
    return static_cast<int>(SendMessageA(list, LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(column), 0));
}

void CListViewControl::SetColumnWidth(HWND list, int column, int width) {
    SendMessageA(list, LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(column), MAKELPARAM(width, 0));
}

void CListViewControl::AutoSizeColumns(HWND list, const std::vector<SListViewColumn>& columns,
                                       bool useStoredWidths) {
    int stretchColumn = -1;
    int stretchMinimum = 0;
    int total = 0;
    for (size_t i = 0; i < columns.size(); ++i) {
        const int column = static_cast<int>(i);
        int width = useStoredWidths ? columns[i].width : GetColumnWidth(list, column);
        // The control's widths are the user's own choice and only kept above the floor.
        const int heading = useStoredWidths ? DefaultMinimum(list, columns[i]) : 0;
        if (width < 0) {
            if (stretchColumn >= 0) {
                // An earlier negative column keeps its width after all.
                const int kept = GetColumnWidth(list, stretchColumn);
                total += std::max(kept, kMinimumColumnWidth);
                SetColumnWidth(list, stretchColumn, std::max(kept, kMinimumColumnWidth));
            }
            stretchColumn = column;
            stretchMinimum = std::max(-width, heading);
            continue;
        }
        width = std::max({width, kMinimumColumnWidth, heading});
        SetColumnWidth(list, column, width);
        total += width;
    }
    if (stretchColumn >= 0) {
        RECT client = {0, 0, 0, 0};
        GetClientRect(list, &client);
        SetColumnWidth(list, stretchColumn,
                       StretchWidth(client.right - client.left, GetSystemMetrics(SM_CXVSCROLL),
                                    total, stretchMinimum));
    }
}

int CListViewControl::StretchWidth(int clientWidth, int scrollBarWidth, int fixedTotal,
                                   int minimum) {
    return std::max({clientWidth - scrollBarWidth - fixedTotal, minimum, kMinimumColumnWidth});
}

int CListViewControl::DefaultMinimum(HWND list, const SListViewColumn& column) {
    return column.defaultWidth ? HeadingWidth(list, column.title) : 0;
}

int CListViewControl::HeadingWidth(HWND list, const std::string& title) {
    if (title.empty()) {
        return 0;
    }
    const int text = static_cast<int>(
        SendMessageA(list, LVM_GETSTRINGWIDTHA, 0, reinterpret_cast<LPARAM>(title.c_str())));
    HWND header = reinterpret_cast<HWND>(SendMessageA(list, LVM_GETHEADER, 0, 0));
    // The header keeps its text this far from the edges (the margin of its bitmaps).
    int margin = static_cast<int>(SendMessageA(header, HDM_GETBITMAPMARGIN, 0, 0));
    if (margin <= 0) {
        margin = 3 * GetSystemMetrics(SM_CXEDGE);
    }
    return text + 2 * margin;
}
