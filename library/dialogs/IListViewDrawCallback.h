#pragma once

// IListViewDrawCallback<T>: paints the rows of an owner-drawn list view.

#include <windows.h>

template <class T> class IListViewDrawCallback {
public:
    // item is null when the row has none.
    virtual void DrawItem(T* item, DRAWITEMSTRUCT* draw) = 0;

protected:
    ~IListViewDrawCallback() = default;
};
