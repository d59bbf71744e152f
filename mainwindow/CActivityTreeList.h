#pragma once

// CActivityTreeList: the activity tree of one project state in a report-style list view:
// one row per activity below the root, in tree order (a parent before its children,
// children in their order), indented by depth, with the activity image 0 (disabled),
// 1 (enabled) or 2 (being worked on). Column 0 shows the names; the owner supplies every
// other column and hears what the user does.
//
//   class CMainDlg : ..., public IActivityTreeListCallbacks {
//       CActivityTreeList m_activities{*this, true};
//       ...
//       m_activities.Attach(GetHwnd(), IDC_ACTIVITIES, false);   // at initialisation
//       m_activities.SetProject(project, project->GetState());    // whenever it changes
//
// Usage notes:
// - The list follows the tree by itself: it listens to the bound state's root and to the
//   project, and keeps its rows in step with added, moved, removed and changed activities,
//   with the running work, and with a committed edit transaction that replaces the bound
//   state (the rows are then reloaded).
// - With follow set, the list keeps the state's selected activity equal to its own
//   selection: the state changes before the owner hears of the selection. It never shows
//   a selection that the state does not have: without a selected activity no row shows
//   selected, and a selection made elsewhere shows at once.
// - Programmatic changes (SelectActivity, reloads) are not reported to the owner.
// - Unbind (SetProject(nullptr, nullptr)) before the bound project is deleted; a list
//   whose state is destroyed under it unbinds itself and shows nothing.
// - Everything of CListView<CActivity> stays reachable, for the owner's columns:
//   InsertColumn, RemoveColumn, SetColumn, UpdateColumn (cheap: rewrites only changed
//   cells), UpdateCell, RefreshCell, GetColumnWidths, GetColumns, GetRowCount,
//   GetRowItem, FindRow.

#include "library/dialogs/CListView.h"
#include "library/dialogs/IListViewCallback.h"
#include "library/dialogs/IListViewDrawCallback.h"
#include "library/events/CSlot.h"
#include "mainwindow/IActivityTreeListCallbacks.h"
#include "model/CActivity.h"
#include "model/CActivityAddedEvent.h"
#include "model/CActivityModifiedEvent.h"
#include "model/CActivityRemovedEvent.h"
#include "model/CProjectModifiedEvent.h"
#include "model/CProjectStateSwitchedEvent.h"

#include <windows.h>

#include <set>
#include <string>

class CProject;
class CProjectState;

class CActivityTreeList : public CListView<CActivity>,
                          private IListViewCallback<CActivity>,
                          private IListViewDrawCallback<CActivity>,
                          public CSlot<CActivityAddedEvent>,
                          public CSlot<CActivityRemovedEvent>,
                          public CSlot<CActivityModifiedEvent>,
                          public CSlot<CProjectModifiedEvent>,
                          public CSlot<CProjectStateSwitchedEvent> {
public:
    // owner must outlive the list. follow: keep the bound state's selected activity equal
    // to the list's selection.
    CActivityTreeList(IActivityTreeListCallbacks& owner, bool follow);
    ~CActivityTreeList() override;
    CActivityTreeList(const CActivityTreeList&) = delete;
    CActivityTreeList& operator=(const CActivityTreeList&) = delete;

    // Binds the list control controlId of dialog, with the activity images, the owner's
    // columns and, on request, check boxes. The pictures must be loaded
    // (LoadIconsAndImageLists) for rows to show their images.
    void Attach(HWND dialog, int controlId, bool checkBoxes);
    // Shows state's tree (state must be one of project's states; both may be null, which
    // shows nothing) and follows project's events from now on. Reloads the rows.
    void SetProject(CProject* project, CProjectState* state);
    // Makes the activity (null: none) the only selected and the focused row and scrolls it
    // into view; with follow, the state's selected activity first. The owner hears nothing.
    void SelectActivity(CActivity* activity);
    // Asks the owner again for the text of the activity's cell in column and rewrites the
    // cell when it changed; nothing when the activity has no row.
    void UpdateActivityCell(CActivity* activity, int column);

protected:
    bool OnEvent(CActivityAddedEvent& event) override { return OnActivityAdded(event); }
    bool OnEvent(CActivityRemovedEvent& event) override { return OnActivityRemoved(event); }
    bool OnEvent(CActivityModifiedEvent& event) override { return OnActivityModified(event); }
    bool OnEvent(CProjectModifiedEvent& event) override { return OnProjectModified(event); }
    bool OnEvent(CProjectStateSwitchedEvent& event) override {
        return OnProjectStateSwitched(event);
    }

    virtual bool OnActivityAdded(CActivityAddedEvent& event);
    virtual bool OnActivityRemoved(CActivityRemovedEvent& event);
    virtual bool OnActivityModified(CActivityModifiedEvent& event);
    virtual bool OnProjectModified(CProjectModifiedEvent& event);
    virtual bool OnProjectStateSwitched(CProjectStateSwitchedEvent& event);

private:
    // What the list view asks and reports.
    int GetColumnCount() override;
    SListViewColumn GetColumn(int index) override;
    SListViewItemImage GetItemImage(CActivity* activity) override;
    CActivity* EnumItems(int index, CActivity* previous) override;
    void GetSelectedItems(std::set<CActivity*>& selected) override;
    void GetCheckedItems(std::set<CActivity*>& checked) override;
    CActivity* GetFocusedItem() override;
    std::string GetItemText(CActivity* activity, int column) override;
    void OnSelectionChanged() override;
    void OnChecksChanged() override;
    void OnItemActivated() override;
    bool OnKeyDown(WORD virtualKey) override;
    void OnLabelEdited(CActivity* activity, const std::string& text) override;
    void OnColumnClicked(int column) override;
    void DrawItem(CActivity* activity, DRAWITEMSTRUCT* draw) override;

    // Links the activity slots to root's signals (none for null) instead of the old root.
    void ConnectRoot(CActivity* root);
    // Forgets project, state and root and shows nothing.
    void Unbind();
    // The image index of the activity's row: 2 worked on, 1 enabled, 0 disabled.
    int GetImage(const CActivity* activity) const;
    // The topmost selected row's activity, or null.
    CActivity* GetFirstSelected() const;
    // Puts the rows of the added activity's subtree in place.
    void InsertSubtree(CActivity* activity, bool moved);
    // Rewrites the row's first cell (name, image, indent); nothing when it has no row.
    void RefreshRowImage(CActivity* activity);
    // Whether the control still exists; rows are kept only while it does.
    bool HasControl() const { return IsWindow(GetList()) != FALSE; }

    IActivityTreeListCallbacks* m_owner;
    bool m_follow;
    CProject* m_project = nullptr;
    CProjectState* m_state = nullptr;
    CActivity* m_root = nullptr;
    // The worked-on activity as last seen, to redraw the rows concerned when work moves.
    CActivity* m_working = nullptr;
};
