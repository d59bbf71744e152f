#pragma once

// IActivityTreeListCallbacks: what the activity tree list asks of the window that holds
// it: the columns beyond the activity names and their texts, and what to do when the user
// selects, checks, activates or types in the list.

#include "library/dialogs/SListViewColumn.h"

#include <windows.h>

#include <set>
#include <string>

class CActivity;

class IActivityTreeListCallbacks {
public:
    // The number of columns, the activity names (column 0) included.
    virtual int GetNumColumns() = 0;
    // Column index's title, alignment and width; a negative width marks the one column
    // that takes the rest of the client width.
    virtual SListViewColumn GetColumn(int index) = 0;
    // The text of a cell in column 1 or above.
    virtual std::string GetColumnText(CActivity* activity, int column) = 0;
    // After the user changed the selection: the first selected activity, or null.
    virtual void OnSelectionChanged(CActivity* activity) = 0;
    virtual void OnChecksChanged() = 0;
    // After the user activated a row (double click, Enter): the first selected activity.
    virtual void OnItemActivated(CActivity* activity) = 0;
    // True when the owner handled the key.
    virtual bool OnKeyDown(WORD virtualKey) = 0;
    // Fills checked with the activities whose rows are checked when the rows are loaded.
    virtual void GetCheckedActivities(std::set<CActivity*>& checked) = 0;

protected:
    ~IActivityTreeListCallbacks() = default;
};
