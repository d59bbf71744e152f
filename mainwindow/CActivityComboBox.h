#pragma once

// CActivityComboBox: a drop-down-list combo box of a dialog as an activity chooser. It lists
// the activities of one project state in tree order (a parent before its children), draws
// each with its activity image (0 disabled, 1 enabled, 2 being worked on) indented by depth,
// shows the chosen activity's path in the selection field, and keeps one chosen activity.
//
//   class CSplitDlg : ... {
//       CActivityComboBox m_activity{false, false};
//       ...
//       m_activity.Attach(GetHwnd(), IDC_SPLIT_ACTIVITY);      // at initialisation
//       m_activity.SetProject(project, state);
//       m_activity.SetActivity(tallymark->GetActivity());
//       ...
//       CActivity* chosen = m_activity.GetActivity();          // at OK
//
// Usage notes:
// - The control must be CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS, without
//   CBS_SORT: items are added in tree order and each keeps its path as its string.
// - The box subclasses the dialog: it draws its own items (WM_DRAWITEM for its id) and hears
//   CBN_SELCHANGE, which it leaves unhandled so that the dialog's command handling still sees
//   it. The pictures must be loaded (LoadIconsAndImageLists) for items to show their images.
// - With follow, the choice is the bound state's selected activity: choosing an item sets
//   the state's selection, and every chooser of the same state shares it. Without, the box
//   keeps its own choice, which binding a project resets to the first activity.
// - The list is refilled on binding and when a committed edit replaces the bound state;
//   activities that leave the tree leave the list at once.
//   A state destroyed under the box (its root removed) unbinds it.
// - The choice may be an activity that is not listed (a disabled one with only-enabled set):
//   the box then shows no selection.

#include "library/events/CSlot.h"
#include "library/windows/CSubclassedWindow.h"
#include "model/CActivityRemovedEvent.h"
#include "model/CProjectModifiedEvent.h"
#include "model/CProjectStateSwitchedEvent.h"

#include <windows.h>

#include <map>
#include <vector>

class CActivity;
class CProject;
class CProjectState;

class CActivityComboBox : public CSubclassedWindow,
                          public CSlot<CProjectModifiedEvent>,
                          public CSlot<CProjectStateSwitchedEvent>,
                          public CSlot<CActivityRemovedEvent> {
public:
    // onlyEnabled: list only enabled activities. follow: the choice is the bound state's
    // selected activity.
    CActivityComboBox(bool onlyEnabled, bool follow);
    ~CActivityComboBox() override;
    CActivityComboBox(const CActivityComboBox&) = delete;
    CActivityComboBox& operator=(const CActivityComboBox&) = delete;

    // Binds the combo box controlId of dialog and makes its list items as high as the
    // control's font (at least the 16 pixels of an image). False when the dialog could not
    // be subclassed; the box then draws nothing.
    bool Attach(HWND dialog, int controlId);
    // Lists state's tree (state must be one of project's states; both may be null, which
    // lists nothing) and follows project's events from now on. When nothing is chosen
    // (always without follow), the first activity becomes the choice.
    void SetProject(CProject* project, CProjectState* state);
    // The chosen activity, or null.
    CActivity* GetActivity() const;
    // The bound state, or null.
    CProjectState* GetState() const { return m_state; }
    // Makes the activity (null: none) the choice and selects its item when it is listed; an
    // unlisted activity leaves the shown selection as it is. With follow and no state
    // nothing can be chosen.
    void SetActivity(CActivity* activity);
    // Chooses the first activity of the tree, listed or not (none in an empty tree). Without
    // a state: with follow nothing happens, without the own choice is cleared.
    void SelectFirst();
    // The combo box control, or null before Attach.
    HWND GetComboBox() const { return m_combo; }

protected:
    void OnMessage(CMessage& message) override;
    bool OnEvent(CProjectModifiedEvent& event) override { return OnProjectModified(event); }
    bool OnEvent(CProjectStateSwitchedEvent& event) override {
        return OnProjectStateSwitched(event);
    }
    bool OnEvent(CActivityRemovedEvent& event) override { return OnActivityRemoved(event); }

    virtual bool OnProjectModified(CProjectModifiedEvent& event);
    virtual bool OnProjectStateSwitched(CProjectStateSwitchedEvent& event);
    virtual bool OnActivityRemoved(CActivityRemovedEvent& event);

private:
    // Sets the choice without touching the shown selection.
    void Choose(CActivity* activity);
    // Empties the control and the item tables.
    void ClearItems();
    // Lists the bound state's tree again and selects the chosen activity's item.
    void Refill();
    // Shows the chosen activity's item as selected, or no selection when it is not listed.
    void SelectChosenItem();
    // Links the removal slot to root's tree (none for null) instead of the old one.
    void ConnectRoot(CActivity* root);
    // The listed activity of an item's data, or null for data that no listed item holds
    // (stale or missing).
    CActivity* ListedActivity(ULONG_PTR itemData) const;
    void DrawItem(const DRAWITEMSTRUCT& draw) const;
    void OnSelectionChanged();

    bool m_onlyEnabled;
    bool m_follow;
    CProject* m_project = nullptr;
    CProjectState* m_state = nullptr;
    // The bound state's root, kept to recognise the state's end without touching it.
    CActivity* m_root = nullptr;
    // Each listed activity's item index, and the activities in item order.
    std::map<CActivity*, int> m_itemIndex;
    std::vector<CActivity*> m_items;
    // The choice without follow.
    CActivity* m_ownChoice = nullptr;
    HWND m_dialog = nullptr;
    int m_controlId = 0;
    HWND m_combo = nullptr;
};
