#pragma once

// CLinkControl: makes a static text of a dialog look and act like a hyperlink:
// underlined, in the link colour, with the link cursor, and clicked by the mouse or
// by releasing the space key.
//
//   CShellExecuteLink homePage("https://example.org/");
//   CLinkControl link;
//   link.Attach(module, 405, dialog, GetDlgItem(dialog, IDC_HOMEPAGE), &homePage, 0xff0000);
//
// The link subclasses the static and its dialog (which colours the static). The
// cursor, loaded by the first attach, is shared by every link until the program
// ends.

#include "library/controls/ILinkControlCallback.h"
#include "library/handles/CHandle.h"
#include "library/handles/HandleTraits.h"
#include "library/windows/CSubclassedWindow.h"

#include <windows.h>

class CLinkControl : public CSubclassedWindow {
public:
    CLinkControl() = default;
    ~CLinkControl() override;

    // False (unattached) when either window cannot be subclassed. A second attach
    // leaves the first control.
    bool Attach(HINSTANCE module, int cursorId, HWND parent, HWND control,
                ILinkControlCallback* callback, COLORREF colour = 0xff0000);
    // Gives the control its former font back and leaves both windows.
    void Detach();

    void SetCallback(ILinkControlCallback* callback) { m_callback = callback; }
    HWND GetParentWindow() const { return m_parent; }
    HWND GetControlWindow() const { return m_control; }
    // The cursor of every link; null until one was loaded.
    static HCURSOR GetSharedCursor();

    void OnMessage(CMessage& message) override;

private:
    void OnControlMessage(CMessage& message);
    void OnParentMessage(CMessage& message);

    ILinkControlCallback* m_callback = nullptr;
    COLORREF m_colour = 0xff0000;
    HWND m_control = nullptr;
    HWND m_parent = nullptr;
    HFONT m_formerFont = nullptr;
    CHandle<CGDIHandleTraits> m_underlinedFont;
};
