#pragma once

#include <windows.h>

class CPopupMenuEntry;
struct SPopupMenuEntryData;

// The owner of a CNotAreaIcon: gives it its windows and fills and answers its menu.
class INotAreaIconParent {
public:
    enum EWindowKind { kRestoredWindow = 0, kMessageWindow = 1 };

    // kMessageWindow: the window that receives the icon's messages; kRestoredWindow:
    // the window that is hidden to and restored from the notification area.
    virtual HWND GetWindow(int kind) = 0;
    // Told each time the icon was added (true) or removed (false).
    virtual void OnActiveChange(bool shown) = 0;
    // Fills the root entry of the icon's popup menu before it is shown.
    virtual void BuildPopupMenu(CPopupMenuEntry& root) = 0;
    // Carries out the chosen command, given its data, or null when the menu was
    // dismissed (the data lives until this call returns); answers whether something was
    // done.
    virtual bool OnMenuItem(SPopupMenuEntryData* data) = 0;

protected:
    ~INotAreaIconParent() = default;
};
