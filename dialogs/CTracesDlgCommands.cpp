// CTracesDlg: the commands that change tally marks, each inside the dialog's edit copy.

#include "dialogs/CTracesDlg.h"

#include "dialogs/CTraceDlg.h"
#include "dialogs/CTraceSplitDlg.h"
#include "dialogs/CTracesActivityDlg.h"
#include "model/CActivity.h"
#include "model/CTallymark.h"
#include "model/CTallymarks.h"
#include "resources/ResourceIds.h"

void CTracesDlg::New() {
    CTraceDlg dialog(m_project, m_state, static_cast<CActivity*>(nullptr));
    RunChild(dialog, CTraceDlg::kIdentity);
    if (dialog.IsCancelled()) {
        return;
    }
    // The tally mark dialog has added the new tally mark and its split parts to the state.
    CTallymark* created = dialog.GetTallymark();
    const std::set<CTallymark*> parts = dialog.GetSplitTallymarks();
    // While the rows are sorted, each new row goes to its place at once; otherwise every
    // row is sorted.
    m_order.ForgetPaths();
    InsertInOrder(created);
    for (CTallymark* part : parts) {
        InsertInOrder(part);
    }
    if (!m_sorted) {
        SortRows();
    }
    m_list.SelectOnly(created);
    m_list.SelectItems(parts);
    UpdateButtons();
}

void CTracesDlg::Modify() {
    const std::set<CTallymark*> selection = m_list.GetSelected();
    if (selection.empty()) {
        return;
    }
    std::set<CTallymark*> parts;
    if (selection.size() == 1) {
        CTraceDlg dialog(m_project, m_state, *selection.begin());
        RunChild(dialog, CTraceDlg::kIdentity);
        if (dialog.IsCancelled()) {
            return;
        }
        parts = dialog.GetSplitTallymarks();
    } else {
        CTracesActivityDlg dialog(m_project, m_state, &selection);
        RunChild(dialog, CTracesActivityDlg::kIdentity);
        if (dialog.IsCancelled()) {
            return;
        }
    }
    RewriteRows(selection);
    // One changed row of sorted rows moves to its place; more are sorted with the rest.
    m_order.ForgetPaths();
    if (m_sorted && selection.size() == 1) {
        CTallymark* changed = *selection.begin();
        m_sorted = PlaceRow(changed, RowOf(changed));
    } else {
        m_sorted = false;
    }
    for (CTallymark* part : parts) {
        InsertInOrder(part);
    }
    m_list.SelectItems(parts);
    if (m_sorted) {
        ScrollFocusedIntoView();
    } else {
        SortRows();
    }
    UpdateButtons();
}

void CTracesDlg::Split() {
    if (m_list.GetSelected().empty()) {
        return;
    }
    CTallymark* tallymark = *m_list.GetSelected().begin();
    CTraceSplitDlg dialog(m_project, m_state, tallymark);
    RunChild(dialog, CTraceSplitDlg::kIdentity);
    if (dialog.IsCancelled()) {
        return;
    }
    // The given tally mark is now the second part; the first part belongs to no collection
    // yet. Its row goes right below the split one and stays there until the next sort.
    const int row = RowOf(tallymark);
    RewriteRow(tallymark, row);
    m_sorted = false;
    CTallymark* first = dialog.GetNewTallymark();
    if (first != nullptr && first->GetActivity() != nullptr) {
        first->GetActivity()->GetTallymarks().Add(first);
        m_list.InsertItem(first, row + 1);
    }
    UpdateButtons();
}

void CTracesDlg::Remove() {
    const std::set<CTallymark*> selection = m_list.GetSelected();
    if (selection.empty()) {
        return;
    }
    CTallymark* focused = m_list.GetFocused();
    int remembered = FocusedRow();
    // Each removed row above the focused one moves it up by one. Counted on the rows as
    // they stand before the first removal, which comes to the same; the rows are only
    // looked for when a selected tally mark other than the focused one may lie above it.
    if (remembered > 0 && !(selection.size() == 1 && *selection.begin() == focused)) {
        const int focusedRow = remembered;
        for (const auto& row : GetSelectedRows()) {
            if (row.first < focusedRow && selection.count(row.second) != 0) {
                --remembered;
            }
        }
    }
    for (CTallymark* tallymark : selection) {
        m_list.RemoveItem(tallymark);
        // Its collection and the date index let it go as it announces its end.
        delete tallymark;
    }
    // The remembered place holds the focused tally mark when it stayed, else the one after
    // the removed rows. Every selected row is gone, so only that row's state changes: the
    // list takes it into its selection and focus as it would a click. Without a focused
    // tally mark nothing is selected any more.
    const int rows = m_list.GetRowCount();
    if (remembered >= 0 && rows > 0) {
        const int row = remembered < rows ? remembered : rows - 1;
        CListViewControl::SetRowState(m_list.GetList(), row, LVIS_SELECTED | LVIS_FOCUSED,
                                      LVIS_SELECTED | LVIS_FOCUSED);
        SendMessageA(m_list.GetList(), LVM_ENSUREVISIBLE, static_cast<WPARAM>(row), FALSE);
    }
    UpdateButtons();
}
