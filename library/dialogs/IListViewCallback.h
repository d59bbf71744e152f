#pragma once

// IListViewCallback<T>: what the owner of a CListView<T> supplies and hears. The list
// view asks for columns, items in display order, texts, images and row states, and
// reports the user's changes back (selection, checks and activation coalesced: each
// once, 50 ms after the last change of a burst).

#include "library/dialogs/SListViewColumn.h"
#include "library/dialogs/SListViewItemImage.h"

#include <windows.h>

#include <set>
#include <string>

template <class T> class IListViewCallback {
public:
    virtual int GetColumnCount() = 0;
    virtual SListViewColumn GetColumn(int index) = 0;
    virtual SListViewItemImage GetItemImage(T* item) = 0;
    // The index-th item in display order; previous is the item answered for index - 1
    // (null for index 0). Null ends the enumeration.
    virtual T* EnumItems(int index, T* previous) = 0;
    // Fill the set (given empty) with the items to show selected.
    virtual void GetSelectedItems(std::set<T*>& selected) = 0;
    virtual T* GetFocusedItem() = 0;
    // Fill the set (given empty) with the items to show checked.
    virtual void GetCheckedItems(std::set<T*>& checked) = 0;
    virtual std::string GetItemText(T* item, int column) = 0;
    virtual void OnSelectionChanged() = 0;
    virtual void OnChecksChanged() = 0;
    // A double click or Enter.
    virtual void OnItemActivated() = 0;
    // True consumes the key.
    virtual bool OnKeyDown(WORD virtualKey) = 0;
    // The row keeps its old label unless the owner rewrites it.
    virtual void OnLabelEdited(T* item, const std::string& text) = 0;
    virtual void OnColumnClicked(int column) = 0;

protected:
    ~IListViewCallback() = default;
};
