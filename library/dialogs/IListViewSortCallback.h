#pragma once

// IListViewSortCallback<T>: the order of a list view's rows, for
//   SendMessageA(list, LVM_SORTITEMS, reinterpret_cast<WPARAM>(sortCallback),
//                reinterpret_cast<LPARAM>(&CListView<T>::CompareItems));
// Compare runs inside the control: an exception it throws does not cross the control's
// code, it ends the running dialog (see CListView<T>::CompareItems).

template <class T> class IListViewSortCallback {
public:
    // Negative when a sorts before b, 0 when equal, positive when after.
    virtual int Compare(T* a, T* b) = 0;

protected:
    ~IListViewSortCallback() = default;
};
