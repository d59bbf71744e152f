#pragma once

// CListView<T>: binds a report-mode list-view control of a dialog to items of type T
// that its owner keeps.
//
//   class CTracesDlg : ..., private IListViewCallback<CTallymark> {
//       CListView<CTallymark> m_list{this};
//       ...
//       m_list.Attach(GetHwnd(), IDC_TRACES, images, false);  // at initialisation
//       m_list.Reload();                                        // whenever the data change
//
// Usage notes:
// - Every row carries its item as lParam; rows are found by item.
// - The owner answers the callback: columns, items in display order, texts, images and
//   which items show selected, focused and checked. The list view keeps the sets of all,
//   selected and checked items and the focused item in step with the control, and
//   reports the user's selection, check and activation changes through the callback,
//   each once, 50 ms after the last change of a burst.
// - Its own state changes (insertion, SelectOnly, SetChecks, ...) are not reported.
// - The owner sorts with LVM_SORTITEMS, its IListViewSortCallback<T> and CompareItems.
// - An exception thrown by the owner's callback ends the dialog (CDialogWindow rethrows
//   it after its run); it never crosses the window procedure.
// - No column becomes narrower than 30 pixels, however the user drags it.
// - A default width (SListViewColumn::defaultWidth) never cuts its column's title; a
//   width the user left comes back as it was.
// - The small images given to Attach are borrowed, never destroyed with the control.

#include "library/dialogs/CDialogWindow.h"
#include "library/dialogs/CListViewControl.h"
#include "library/dialogs/IListViewCallback.h"
#include "library/dialogs/IListViewDrawCallback.h"
#include "library/dialogs/IListViewSortCallback.h"
#include "library/dialogs/WindowProcBarrier.h"
#include "library/events/CSlot.h"
#include "library/windows/CSubclassedWindow.h"
#include "library/windows/CTimer.h"

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <exception>
#include <iterator>
#include <set>
#include <string>
#include <vector>

template <class T> class CListView : private CSubclassedWindow, public CSlot<CTimerWentOffEvent> {
public:
    static const UINT kReportDelayMs = 50;

    explicit CListView(IListViewCallback<T>* callback) : m_callback(callback) {
        CSlot<CTimerWentOffEvent>::Connect(&m_timer);
    }
    ~CListView() override = default;

    void SetDrawCallback(IListViewDrawCallback<T>* drawCallback) { m_drawCallback = drawCallback; }

    // Binds the control controlId of dialog: full-row selection (and check boxes), the
    // owner's columns and their widths, the small images when given.
    void Attach(HWND dialog, int controlId, HIMAGELIST images, bool checkBoxes) {
        m_dialog = dialog;
        m_controlId = controlId;
        m_list = GetDlgItem(dialog, controlId);
        m_checkBoxes = checkBoxes;
        Subclass(dialog);
        m_timer.SetWindow(dialog);
        const LPARAM style = LVS_EX_FULLROWSELECT | (checkBoxes ? LVS_EX_CHECKBOXES : 0);
        SendMessageA(m_list, LVM_SETEXTENDEDLISTVIEWSTYLE, static_cast<WPARAM>(style), style);
        const int count = m_callback->GetColumnCount();
        for (int i = 0; i < count; ++i) {
            m_columns.push_back(m_callback->GetColumn(i));
        }
        for (int i = 0; i < count; ++i) {
            CListViewControl::InsertColumn(m_list, i, m_columns[static_cast<size_t>(i)], false);
        }
        AutoSizeColumns();
        if (images != nullptr) {
            // The images are lent: a control that owns its lists destroys them with itself,
            // and with them the pictures of every other control that shows them.
            const LONG_PTR listStyle = GetWindowLongPtrA(m_list, GWL_STYLE);
            if ((listStyle & LVS_SHAREIMAGELISTS) == 0) {
                SetWindowLongPtrA(m_list, GWL_STYLE, listStyle | LVS_SHAREIMAGELISTS);
            }
            SendMessageA(m_list, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(images));
        }
    }

    // Rebuilds every row from the owner; false when the control refused a row (the
    // rows after it are then left out).
    bool Reload() {
        {
            SUpdating updating(m_updating);
            SendMessageA(m_list, LVM_DELETEALLITEMS, 0, 0);
        }
        m_allItems.clear();
        m_focused = m_callback->GetFocusedItem();
        m_selected.clear();
        m_callback->GetSelectedItems(m_selected);
        m_checked.clear();
        if (m_checkBoxes) {
            m_callback->GetCheckedItems(m_checked);
        }
        bool allInserted = true;
        T* previous = nullptr;
        for (int index = 0;; ++index) {
            T* item = m_callback->EnumItems(index, previous);
            if (item == nullptr) {
                break;
            }
            if (allInserted) {
                allInserted = InsertItem(item, -1);
            }
            previous = item;
        }
        return allInserted;
    }

    // Inserts the item's row at index (-1: at the end); false for a null item or when
    // the control refuses the row.
    bool InsertItem(T* item, int index) {
        if (item == nullptr) {
            return false;
        }
        SUpdating updating(m_updating);
        const UINT state = (item == m_focused ? LVIS_FOCUSED : 0u) |
                           (m_selected.count(item) != 0 ? LVIS_SELECTED : 0u);
        const int row =
            CListViewControl::InsertRow(m_list, index, m_callback->GetItemText(item, 0),
                                        m_callback->GetItemImage(item), AsParam(item), state);
        if (row < 0) {
            return false;
        }
        m_allItems.insert(item);
        if (m_checkBoxes) {
            CListViewControl::SetRowCheck(m_list, row, m_checked.count(item) != 0);
        }
        for (size_t column = 1; column < m_columns.size(); ++column) {
            CListViewControl::SetCellText(m_list, row, static_cast<int>(column),
                                          m_callback->GetItemText(item, static_cast<int>(column)));
        }
        return true;
    }

    // Forgets the item and removes its row.
    void RemoveItem(T* item) {
        if (item == nullptr) {
            return;
        }
        m_selected.erase(item);
        m_checked.erase(item);
        if (m_focused == item) {
            m_focused = nullptr;
        }
        const int row = FindRow(item);
        if (row >= 0) {
            SUpdating updating(m_updating);
            SendMessageA(m_list, LVM_DELETEITEM, static_cast<WPARAM>(row), 0);
        }
        m_allItems.erase(item);
    }

    void UpdateCell(T* item, int row, int column) {
        const std::string text = m_callback->GetItemText(item, column);
        if (column == 0) {
            CListViewControl::SetCellTextAndImage(m_list, row, text,
                                                  m_callback->GetItemImage(item));
        } else {
            CListViewControl::SetCellText(m_list, row, column, text);
        }
    }

    // Inserts the owner's column index (clamped to the columns there are) and fills it.
    void InsertColumn(int index) {
        index = std::max(0, std::min(index, static_cast<int>(m_columns.size())));
        const SListViewColumn column = m_callback->GetColumn(index);
        m_columns.insert(m_columns.begin() + index, column);
        CListViewControl::InsertColumn(m_list, index, column, true);
        const int rows = CListViewControl::GetRowCount(m_list);
        for (int row = 0; row < rows; ++row) {
            if (T* item = RowItem(row)) {
                UpdateCell(item, row, index);
            }
        }
    }

    // Removes the column index from the control and from the column table; an index
    // outside the columns there are changes nothing.
    void RemoveColumn(int index) {
        if (index < 0 || index >= static_cast<int>(m_columns.size())) {
            return;
        }
        CListViewControl::DeleteColumn(m_list, index);
        m_columns.erase(m_columns.begin() + index);
    }

    // Replaces the descriptor of column index in the column table and gives the control's
    // column its title and alignment; the width stays as it is.
    void SetColumn(int index, const SListViewColumn& column) {
        if (index < 0 || index >= static_cast<int>(m_columns.size())) {
            return;
        }
        m_columns[static_cast<size_t>(index)] = column;
        CListViewControl::SetColumnTitleAndFormat(m_list, index, column);
    }

    // Asks the owner again for every cell of the column and rewrites only the cells whose
    // text (column 0: text, image or indent) changed, so unchanged rows are not repainted.
    void UpdateColumn(int column) {
        if (column < 0 || column >= static_cast<int>(m_columns.size())) {
            return;
        }
        const int rows = CListViewControl::GetRowCount(m_list);
        for (int row = 0; row < rows; ++row) {
            if (T* item = RowItem(row)) {
                RefreshCell(item, row, column);
            }
        }
    }

    // UpdateCell, but the cell is rewritten only when what the owner answers differs from
    // what it shows.
    void RefreshCell(T* item, int row, int column) {
        const std::string text = m_callback->GetItemText(item, column);
        std::string shown;
        const bool textKept =
            CListViewControl::GetCellText(m_list, row, column, shown) && shown == text;
        if (column == 0) {
            const SListViewItemImage image = m_callback->GetItemImage(item);
            const SListViewItemImage shownImage = CListViewControl::GetRowImage(m_list, row);
            if (!textKept || image.image != shownImage.image || image.indent != shownImage.indent) {
                CListViewControl::SetCellTextAndImage(m_list, row, text, image);
            }
        } else if (!textKept) {
            CListViewControl::SetCellText(m_list, row, column, text);
        }
    }

    // The first call takes the owner's widths, later ones the control's; see
    // CListViewControl::AutoSizeColumns.
    void AutoSizeColumns() {
        CListViewControl::AutoSizeColumns(m_list, m_columns, m_useStoredWidths);
        m_useStoredWidths = false;
    }

    void GetColumnWidths(std::vector<int>& widths) const {
        widths.resize(m_columns.size());
        for (size_t column = 0; column < widths.size(); ++column) {
            widths[column] = CListViewControl::GetColumnWidth(m_list, static_cast<int>(column));
        }
    }

    // The item (none for null) becomes the only selected one and the focused one, and
    // its row is scrolled into view.
    void SelectOnly(T* item) {
        SUpdating updating(m_updating);
        m_selected.clear();
        if (item != nullptr) {
            m_selected.insert(item);
        }
        m_focused = item;
        CListViewControl::SetRowState(m_list, -1, 0, kSelectedAndFocused);
        const int row = FindRow(item);
        if (row >= 0) {
            CListViewControl::SetRowState(m_list, row, kSelectedAndFocused, kSelectedAndFocused);
            CListViewControl::EnsureVisible(m_list, row);
        }
    }

    // Adds the items to the selection; other rows keep their state.
    void SelectItems(const std::set<T*>& items) {
        for (T* item : items) {
            m_selected.insert(item);
            SelectItem(item);
        }
    }

    // Selects the item's row only; the selected set stays as it is.
    void SelectItem(T* item) {
        SUpdating updating(m_updating);
        const int row = FindRow(item);
        if (row >= 0) {
            CListViewControl::SetRowState(m_list, row, LVIS_SELECTED, LVIS_SELECTED);
        }
    }

    // Every row loses selection and focus; the sets stay as they are.
    void ClearRowStates() {
        SUpdating updating(m_updating);
        CListViewControl::SetRowState(m_list, -1, 0, kSelectedAndFocused);
    }

    void FocusFocusedItem() {
        const int row = FindRow(m_focused);
        if (row >= 0) {
            SUpdating updating(m_updating);
            CListViewControl::SetRowState(m_list, row, LVIS_FOCUSED, LVIS_FOCUSED);
            CListViewControl::EnsureVisible(m_list, row);
        }
    }

    // The row's check box only; the checked set stays as it is.
    void SetItemCheck(int row, bool checked) {
        SUpdating updating(m_updating);
        CListViewControl::SetRowCheck(m_list, row, checked);
    }

    // The items' rows get the check state; with othersOpposite every other row gets the
    // opposite one. The checked set follows.
    void SetChecks(const std::set<T*>& items, bool checked, bool othersOpposite) {
        {
            SUpdating updating(m_updating);
            const int rows = CListViewControl::GetRowCount(m_list);
            for (int row = 0; row < rows; ++row) {
                if (items.count(RowItem(row)) != 0) {
                    CListViewControl::SetRowCheck(m_list, row, checked);
                } else if (othersOpposite) {
                    CListViewControl::SetRowCheck(m_list, row, !checked);
                }
            }
        }
        if (!othersOpposite) {
            for (T* item : items) {
                if (checked) {
                    m_checked.insert(item);
                } else {
                    m_checked.erase(item);
                }
            }
        } else if (checked) {
            m_checked = items;
        } else {
            m_checked.clear();
            std::set_difference(m_allItems.begin(), m_allItems.end(), items.begin(), items.end(),
                                std::inserter(m_checked, m_checked.end()));
        }
    }

    // Ticks every row (the checked set becomes every item), or clears every row.
    void CheckAll(bool uncheck) {
        {
            SUpdating updating(m_updating);
            CListViewControl::SetRowCheck(m_list, -1, !uncheck);
        }
        m_checked.clear();
        if (!uncheck) {
            m_checked = m_allItems;
        }
    }

    // Deletes a row but keeps its item among the list's items with its selected, focused
    // and checked state, for an item whose row is inserted again elsewhere (InsertItem).
    void DeleteRow(int row) {
        SUpdating updating(m_updating);
        SendMessageA(m_list, LVM_DELETEITEM, static_cast<WPARAM>(row), 0);
    }

    // The item's row, or -1.
    int FindRow(T* item) const {
        return item == nullptr ? -1 : CListViewControl::FindRow(m_list, AsParam(item));
    }

    int GetRowCount() const { return CListViewControl::GetRowCount(m_list); }
    // The item of a row, or null when the row holds none of the list's items.
    T* GetRowItem(int row) const { return RowItem(row); }

    // The compare function of LVM_SORTITEMS; sortCallback is the owner's
    // IListViewSortCallback<T>. The list view's code calls it: an exception of Compare
    // stops at the window procedure barrier (the pair counts as equal) and ends the
    // running dialog, whose Create throws it.
    static int CALLBACK CompareItems(LPARAM a, LPARAM b, LPARAM sortCallback) {
        int order = 0;
        RunBehindBarrier(nullptr, [&] {
            order = reinterpret_cast<IListViewSortCallback<T>*>(sortCallback)
                        ->Compare(reinterpret_cast<T*>(a), reinterpret_cast<T*>(b));
        });
        return order;
    }

    const std::set<T*>& GetAllItems() const { return m_allItems; }
    const std::set<T*>& GetSelected() const { return m_selected; }
    const std::set<T*>& GetChecked() const { return m_checked; }
    T* GetFocused() const { return m_focused; }
    HWND GetList() const { return m_list; }
    const std::vector<SListViewColumn>& GetColumns() const { return m_columns; }

protected:
    bool OnEvent(CTimerWentOffEvent&) override { return OnTimerWentOff(); }

private:
    static const UINT kSelectedAndFocused = LVIS_SELECTED | LVIS_FOCUSED;

    // Marks the list view's own state changes for the time of a scope.
    class SUpdating {
    public:
        explicit SUpdating(bool& flag) : m_flag(flag), m_previous(flag) { m_flag = true; }
        ~SUpdating() { m_flag = m_previous; }
        SUpdating(const SUpdating&) = delete;
        SUpdating& operator=(const SUpdating&) = delete;

    private:
        bool& m_flag;
        bool m_previous;
    };

    static LPARAM AsParam(T* item) { return reinterpret_cast<LPARAM>(item); }

    // The row's item when it is one of the list's items, else null.
    T* RowItem(int row) const {
        T* item = reinterpret_cast<T*>(CListViewControl::GetRowParam(m_list, row));
        return m_allItems.count(item) != 0 ? item : nullptr;
    }

    bool OnTimerWentOff() {
        try {
            m_timer.Stop();
            if (m_selectionChanged) {
                m_selectionChanged = false;
                m_callback->OnSelectionChanged();
            }
            if (m_checksChanged) {
                m_checksChanged = false;
                m_callback->OnChecksChanged();
            }
            if (m_activated) {
                m_activated = false;
                m_callback->OnItemActivated();
            }
        } catch (...) {
            EndDialogWithError(std::current_exception());
        }
        return true;
    }

    void OnMessage(CMessage& message) override {
        try {
            HandleMessage(message);
        } catch (...) {
            EndDialogWithError(std::current_exception());
        }
    }

    void EndDialogWithError(std::exception_ptr error) {
        if (!CDialogWindow::EndWithError(m_dialog, error)) {
            std::rethrow_exception(error);
        }
    }

    void HandleMessage(CMessage& message) {
        if (message.message == FloorMessage() &&
            message.wParam == static_cast<WPARAM>(m_controlId)) {
            const int column = static_cast<int>(message.lParam);
            if (CListViewControl::GetColumnWidth(m_list, column) <
                CListViewControl::kMinimumColumnWidth) {
                CListViewControl::SetColumnWidth(m_list, column,
                                                 CListViewControl::kMinimumColumnWidth);
            }
            message.handled = true;
        } else if (message.message == WM_DRAWITEM &&
                   message.wParam == static_cast<WPARAM>(m_controlId) &&
                   m_drawCallback != nullptr) {
            DRAWITEMSTRUCT* draw = reinterpret_cast<DRAWITEMSTRUCT*>(message.lParam);
            T* item = draw->itemID == static_cast<UINT>(-1)
                          ? nullptr
                          : RowItem(static_cast<int>(draw->itemID));
            m_drawCallback->DrawItem(item, draw);
            message.result = TRUE;
            message.handled = true;
        } else if (message.message == WM_NOTIFY && message.lParam != 0) {
            NMHDR* header = reinterpret_cast<NMHDR*>(message.lParam);
            if (header->hwndFrom == m_list && m_list != nullptr) {
                OnListNotification(header, message);
            } else if (header->hwndFrom != nullptr &&
                       header->hwndFrom ==
                           reinterpret_cast<HWND>(SendMessageA(m_list, LVM_GETHEADER, 0, 0))) {
                OnHeaderNotification(header);
            }
        }
    }

    void OnListNotification(NMHDR* header, CMessage& message) {
        switch (header->code) {
        case LVN_KEYDOWN:
            if (m_callback->OnKeyDown(reinterpret_cast<NMLVKEYDOWN*>(header)->wVKey)) {
                message.result = 1;
                message.handled = true;
            }
            break;
        case LVN_ITEMACTIVATE:
            m_activated = true;
            m_timer.Start(kReportDelayMs);
            break;
        case LVN_COLUMNCLICK:
            m_callback->OnColumnClicked(reinterpret_cast<NMLISTVIEW*>(header)->iSubItem);
            break;
        case LVN_ENDLABELEDITA: {
            const LVITEMA& edited = reinterpret_cast<NMLVDISPINFOA*>(header)->item;
            if (edited.pszText != nullptr) {
                m_callback->OnLabelEdited(RowItem(edited.iItem), edited.pszText);
            }
            break;
        }
        case LVN_ITEMCHANGED:
            OnItemChanged(*reinterpret_cast<NMLISTVIEW*>(header));
            break;
        default:
            break;
        }
    }

    // Item -1 stands for every row: their states are read back from the control.
    void OnItemChanged(const NMLISTVIEW& change) {
        if ((change.uChanged & LVIF_STATE) == 0 || m_updating) {
            return;
        }
        if (change.iItem != -1) {
            T* item = reinterpret_cast<T*>(change.lParam);
            if (m_allItems.count(item) != 0) {
                ApplyStateChange(item, change.uOldState, change.uNewState);
            }
            return;
        }
        const int rows = CListViewControl::GetRowCount(m_list);
        for (int row = 0; row < rows; ++row) {
            if (T* item = RowItem(row)) {
                const UINT now = CListViewControl::GetRowState(
                    m_list, row, kSelectedAndFocused | LVIS_STATEIMAGEMASK);
                ApplyStateChange(item, KnownState(item), now);
            }
        }
    }

    // The row state that the sets hold for the item.
    UINT KnownState(T* item) const {
        return (m_selected.count(item) != 0 ? LVIS_SELECTED : 0u) |
               (m_focused == item ? LVIS_FOCUSED : 0u) |
               (m_checked.count(item) != 0 ? CListViewControl::kChecked : 0u);
    }

    void ApplyStateChange(T* item, UINT oldState, UINT newState) {
        const UINT changed = oldState ^ newState;
        if ((changed & LVIS_SELECTED) != 0) {
            if ((newState & LVIS_SELECTED) != 0) {
                m_selected.insert(item);
            } else {
                m_selected.erase(item);
            }
            m_selectionChanged = true;
            m_timer.Start(kReportDelayMs);
        }
        if (m_checkBoxes && (changed & CListViewControl::kChecked) != 0) {
            if ((newState & CListViewControl::kChecked) != 0) {
                m_checked.insert(item);
            } else {
                m_checked.erase(item);
            }
            m_checksChanged = true;
            m_timer.Start(kReportDelayMs);
        }
        if ((changed & LVIS_FOCUSED) != 0) {
            if ((newState & LVIS_FOCUSED) != 0) {
                m_focused = item;
            } else if (m_focused == item) {
                m_focused = nullptr;
            }
        }
    }

    // The header tells of a new width before it takes it: the width is checked once the
    // header has finished, through a message posted to the dialog.
    void OnHeaderNotification(NMHDR* header) {
        switch (header->code) {
        case HDN_ENDTRACKA:
        case HDN_ENDTRACKW:
        case HDN_DIVIDERDBLCLICKA:
        case HDN_DIVIDERDBLCLICKW:
            PostMessageA(m_dialog, FloorMessage(), static_cast<WPARAM>(m_controlId),
                         static_cast<LPARAM>(reinterpret_cast<NMHEADERA*>(header)->iItem));
            break;
        default:
            break;
        }
    }

    static UINT FloorMessage() {
        static const UINT message = RegisterWindowMessageA("Tallymarks.ListViewColumnFloor");
        return message;
    }

    IListViewCallback<T>* m_callback;
    IListViewDrawCallback<T>* m_drawCallback = nullptr;
    std::vector<SListViewColumn> m_columns;
    bool m_useStoredWidths = true;
    std::set<T*> m_allItems;
    T* m_focused = nullptr;
    std::set<T*> m_selected;
    std::set<T*> m_checked;
    bool m_updating = false;
    HWND m_dialog = nullptr;
    int m_controlId = 0;
    HWND m_list = nullptr;
    CTimer m_timer;
    bool m_selectionChanged = false;
    bool m_checksChanged = false;
    bool m_activated = false;
    bool m_checkBoxes = false;
};
