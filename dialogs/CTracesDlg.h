#pragma once

// CTracesDlg: dialog 105, every tally mark of one project in a four-column list (start,
// end, duration, activity), sorted by the four keys of the list's settings, which header
// clicks choose. From it the user makes, modifies, splits and removes tally marks and moves
// several to another activity.
//
//   CTracesDlg dialog(project);             // opens an edit transaction
//   dialog.Create(CTracesDlg::MakeParams(owner));  // OK commits every edit at once
//
// Usage notes:
// - All edits go into the clone that the constructor's transaction pushes. OK commits it;
//   Cancel, the close box and Escape discard it as the dialog ends (a dialog that never
//   ran discards it when it goes). A dialog opened while another transaction of the
//   project is open commits into that one.
// - The rows change only through the dialog's own commands. The one model event it hears
//   is its project's closing: the dialog (and any dialog open over it) then ends at once
//   as cancelled and never touches the project again.
// - The exit code is 0 after OK, 1 otherwise.

#include "app/ui/SDialogIdentity.h"
#include "dialogs/CProjectCloseWatch.h"
#include "dialogs/CTallymarkOrder.h"
#include "library/dialogs/CDialogCommandEvent.h"
#include "library/dialogs/CDialogInitializeEvent.h"
#include "library/dialogs/CDialogMessageEvent.h"
#include "library/dialogs/CDialogTerminateEvent.h"
#include "model/CEditTransaction.h"
#include "library/dialogs/CListView.h"
#include "library/dialogs/CResizableDialogWindow.h"
#include "library/dialogs/IListViewCallback.h"
#include "library/dialogs/IListViewSortCallback.h"
#include "library/events/CSlot.h"
#include "model/CTallymarksByDate.h"

#include <set>
#include <string>
#include <vector>

class CProject;
class CProjectState;
class CTallymark;

class CTracesDlg : public IListViewCallback<CTallymark>,
                   public IListViewSortCallback<CTallymark>,
                   public CResizableDialogWindow,
                   public CSlot<CDialogMessageEvent>,
                   public CSlot<CDialogCommandEvent>,
                   public CSlot<CDialogInitializeEvent>,
                   public CSlot<CDialogTerminateEvent> {
public:
    // What names this dialog: template, size grip, placement slot and help page.
    static const SDialogIdentity kIdentity;

    // Opens the edit transaction on project.
    explicit CTracesDlg(CProject* project);
    // Discards the edit copy unless OK committed it.
    ~CTracesDlg() override;

    // MakeModalDialogParams of this dialog's identity.
    static SDialogParams MakeParams(HWND owner);

    bool IsCancelled() const { return m_cancelled; }
    // The edit copy that the dialog changes.
    CProjectState* GetState() const { return m_state; }

    // IListViewCallback<CTallymark>
    int GetColumnCount() override;
    SListViewColumn GetColumn(int index) override;
    SListViewItemImage GetItemImage(CTallymark* item) override;
    CTallymark* EnumItems(int index, CTallymark* previous) override;
    void GetSelectedItems(std::set<CTallymark*>& selected) override;
    CTallymark* GetFocusedItem() override;
    void GetCheckedItems(std::set<CTallymark*>& checked) override;
    std::string GetItemText(CTallymark* item, int column) override;
    void OnSelectionChanged() override;
    void OnChecksChanged() override;
    void OnItemActivated() override;
    bool OnKeyDown(WORD virtualKey) override;
    void OnLabelEdited(CTallymark* item, const std::string& text) override;
    void OnColumnClicked(int column) override;

    // IListViewSortCallback<CTallymark>
    int Compare(CTallymark* a, CTallymark* b) override;

protected:
    bool OnEvent(CDialogMessageEvent& event) override { return OnDialogMessage(event); }
    bool OnEvent(CDialogCommandEvent& event) override { return OnDialogCommand(event); }
    bool OnEvent(CDialogInitializeEvent& event) override { return OnDialogInitialize(event); }
    bool OnEvent(CDialogTerminateEvent& event) override { return OnDialogTerminate(event); }

    virtual bool OnDialogMessage(CDialogMessageEvent& event);
    virtual bool OnDialogCommand(CDialogCommandEvent& event);
    virtual bool OnDialogInitialize(CDialogInitializeEvent& event);
    virtual bool OnDialogTerminate(CDialogTerminateEvent& event);

private:
    // Commands (CTracesDlgCommands.cpp).
    void New();
    void Modify();
    void Split();
    void Remove();
    void Ok();
    // Runs a dialog of this one modally over it.
    void RunChild(CDialogWindow& dialog, const SDialogIdentity& identity);
    // The project is being closed: empties the list, lets go of the project and ends.
    void OnProjectClosed();

    // List upkeep (CTracesDlgList.cpp).
    // Every selected row, in list order, with its tally mark.
    std::vector<std::pair<int, CTallymark*>> GetSelectedRows() const;
    // The tally mark's row, or -1; the focused one's without a search.
    int RowOf(CTallymark* tallymark) const;
    // Rewrites every cell of the rows of these tally marks (rows that cannot be found are
    // skipped).
    void RewriteRows(const std::set<CTallymark*>& tallymarks);
    void RewriteRow(CTallymark* tallymark, int row);
    // The header's picture marks the first sort key and its direction.
    void ShowSortPictures();
    // Sorts every row by Compare and scrolls the focused row fully into view.
    void SortRows();
    // Moves the tally mark's row to its place among the other rows, which are sorted: a
    // search by halves instead of a sort of every row. False (nothing moved) when a row
    // holds no tally mark of the list.
    bool PlaceRow(CTallymark* tallymark, int row);
    // Appends the tally mark's row and, while the rows are sorted, moves it to its place.
    void InsertInOrder(CTallymark* tallymark);
    void ScrollFocusedIntoView();
    // The focused tally mark's row, or -1.
    int FocusedRow() const;
    void UpdateButtons();
    // The local date and time of a universal time, as the cells show it.
    std::string FormatDate(const CDateTime& utc);

    CProject* m_project;
    CProjectState* m_state;
    // Opened by the constructor, ended when the dialog terminates.
    CEditTransaction m_edit;
    CTallymarksByDate* m_dateIndex;
    // The rows to fill, already in the order of the sort, so that the control's sort that
    // follows finds every row in place (it moves rows one by one).
    std::vector<CTallymark*> m_fillOrder;
    bool m_cancelled = true;
    // Whether the rows stand in the order of Compare (not after a split).
    bool m_sorted = false;
    CTallymarkOrder m_order;
    // The text of the last local day formatted.
    bool m_hasDayText = false;
    double m_day = 0.0;
    std::string m_dayText;
    std::string m_invalidText;
    std::string m_workingText;
    CListView<CTallymark> m_list;
    CProjectCloseWatch m_closeWatch{[this] { OnProjectClosed(); }};
};
