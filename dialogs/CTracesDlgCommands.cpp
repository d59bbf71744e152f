// CTracesDlg: the commands that change tally marks, each inside the dialog's edit copy.

#include "dialogs/CTracesDlg.h"

#include "dialogs/CTracesActivityDlg.h"
#include "model/CTallymark.h"
#include "resources/ResourceIds.h"

#include <map>

void CTracesDlg::New() {}

void CTracesDlg::Modify() {
    const std::set<CTallymark*> selection = m_list.GetSelected();
    if (selection.size() < 2) {
        return;
    }
    CTracesActivityDlg dialog(m_project, m_state, &selection);
    RunChild(dialog, IDD_TRACES_ACTIVITY, true);
    if (dialog.IsCancelled()) {
        return;
    }
    RewriteRows(selection);
    SortRows();
    UpdateButtons();
}

void CTracesDlg::Split() {}

void CTracesDlg::Remove() {
    const std::set<CTallymark*> selection = m_list.GetSelected();
    if (selection.empty()) {
        return;
    }
    CTallymark* focused = m_list.GetFocused();
    int remembered = FocusedRow();
    if (remembered >= 0) {
        // Each removed row above the focused one moves it up by one. Counted on the rows
        // as they stand before the first removal, which comes to the same.
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
    if (m_list.GetFocused() == focused) {
        m_list.SelectOnly(focused);
    } else {
        const int rows = m_list.GetRowCount();
        if (rows == 0) {
            m_list.SelectOnly(nullptr);
        } else {
            m_list.SelectOnly(m_list.GetRowItem(remembered < rows ? remembered : rows - 1));
        }
    }
    UpdateButtons();
}
