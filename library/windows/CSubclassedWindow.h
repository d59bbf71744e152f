#pragma once

// CSubclassedWindow: base of every object that observes the messages of a window.
//
//   class CMyList : public CSubclassedWindow {
//       void OnMessage(CMessage& message) override;   // set handled to stop it
//   };
//   list.Subclass(GetDlgItem(dialog, IDC_LIST));
//
// Several objects may subclass one window; they see each message in ascending
// order of their addresses until one handles it. The destructor leaves every
// window, so no window ever calls a destroyed object.

#include "library/windows/CMessage.h"

#include <set>

class CSubclassedWindow {
public:
    CSubclassedWindow() = default;
    virtual ~CSubclassedWindow();
    CSubclassedWindow(const CSubclassedWindow&) = delete;
    CSubclassedWindow& operator=(const CSubclassedWindow&) = delete;

    // False when the window could not be subclassed (then nothing changed).
    bool Subclass(HWND window);
    void Unsubclass(HWND window);
    void UnsubclassAll();
    bool IsSubclassing(HWND window) const { return m_windows.count(window) != 0; }

    virtual void OnMessage(CMessage& message) = 0;

private:
    friend class CSubclassController;
    std::set<HWND> m_windows;
};
