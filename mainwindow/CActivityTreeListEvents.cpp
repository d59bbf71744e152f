// CActivityTreeList: keeping the rows in step with the model's events.

#include "mainwindow/CActivityTreeList.h"

#include "model/CProject.h"
#include "model/CProjectState.h"
#include "model/EProjectPart.h"

bool CActivityTreeList::OnActivityAdded(CActivityAddedEvent& event) {
    if (event.activity != nullptr && m_root != nullptr && HasControl()) {
        InsertSubtree(event.activity, !event.isNew);
    }
    return true;
}

// The rows go right after the predecessor: the previous sibling's last row (its deepest
// last descendant), else the parent's row. A moved activity may still have rows, above or
// below that place; each is deleted before its activity is inserted again, and a row that
// lay above the insertion point moves the point up by one. So the rows end up exactly as
// a fresh reload would put them, whichever way the subtree moved.
void CActivityTreeList::InsertSubtree(CActivity* activity, bool moved) {
    CActivity* predecessor = activity->GetPrevSibling();
    if (predecessor == nullptr) {
        predecessor = activity->GetParent();
    } else {
        while (predecessor->GetLastChild() != nullptr) {
            predecessor = predecessor->GetLastChild();
        }
    }
    int position = 0;
    if (predecessor != m_root) {
        const int row = GetAllItems().count(predecessor) != 0 ? FindRow(predecessor) : -1;
        if (row < 0) {
            // The rows are out of step with the tree (a row was refused earlier): only a
            // reload puts every row in its place again.
            Reload();
            return;
        }
        position = row + 1;
    }
    for (CActivity* node = activity; node != nullptr; node = node->GetNextInSubtree(activity)) {
        if (moved && GetAllItems().count(node) != 0) {
            const int row = FindRow(node);
            if (row >= 0) {
                DeleteRow(row);
                if (row < position) {
                    --position;
                }
            }
        }
        if (InsertItem(node, position)) {
            ++position;
        }
    }
}

bool CActivityTreeList::OnActivityRemoved(CActivityRemovedEvent& event) {
    CActivity* removed = event.activity;
    if (removed == nullptr) {
        return true;
    }
    if (removed == m_root) {
        // The bound state is being destroyed: nothing of it may be touched again.
        Unbind();
        return true;
    }
    // Every removed activity leaves the list's sets, rows or not, so that no pointer to
    // it is ever handed to the owner.
    for (CActivity* node = removed; node != nullptr; node = node->GetNextInSubtree(removed)) {
        if (node == m_working) {
            m_working = nullptr;
        }
        if (GetAllItems().count(node) != 0) {
            RemoveItem(node);
        }
    }
    return true;
}

bool CActivityTreeList::OnActivityModified(CActivityModifiedEvent& event) {
    CActivity* activity = event.activity;
    if (activity == nullptr || GetAllItems().count(activity) == 0 || !HasControl()) {
        return true;
    }
    const int row = FindRow(activity);
    if (row >= 0) {
        const int columns = static_cast<int>(GetColumns().size());
        for (int column = 0; column < columns; ++column) {
            UpdateCell(activity, row, column);
        }
    }
    return true;
}

bool CActivityTreeList::OnProjectModified(CProjectModifiedEvent& event) {
    if (m_state == nullptr) {
        return true;
    }
    // Another control chose the activity (the compact window's box, a dialog): the rows
    // show the state's selection.
    if (m_follow && event.parts.HasAny(ppSelectedActivity) && HasControl() &&
        m_state->GetSelectedActivity() != GetFirstSelected()) {
        SelectOnly(m_state->GetSelectedActivity());
    }
    if (!event.parts.HasAny(ppWorkingState)) {
        return true;
    }
    CActivity* working = m_state->GetCurrentActivity();
    if (working != m_working) {
        CActivity* before = m_working;
        m_working = working;
        RefreshRowImage(before);
        RefreshRowImage(working);
    }
    return true;
}

void CActivityTreeList::RefreshRowImage(CActivity* activity) {
    if (activity == nullptr || GetAllItems().count(activity) == 0 || !HasControl()) {
        return;
    }
    const int row = FindRow(activity);
    if (row >= 0) {
        UpdateCell(activity, row, 0);
    }
}

bool CActivityTreeList::OnProjectStateSwitched(CProjectStateSwitchedEvent& event) {
    if (m_state == nullptr || event.oldState != m_state) {
        return true;
    }
    m_state = event.newState;
    m_root = m_state != nullptr ? m_state->GetRootActivity() : nullptr;
    m_working = m_state != nullptr ? m_state->GetCurrentActivity() : nullptr;
    ConnectRoot(m_root);
    Reload();
    // Following, the rows show the state's selection, also none.
    if (GetSelected().empty() && !m_follow) {
        if (CActivity* first = GetRowItem(0)) {
            SelectOnly(first);
        }
    }
    return true;
}
