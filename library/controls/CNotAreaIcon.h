#pragma once

// CNotAreaIcon: one icon in the notification area of the task bar for an owner
// (INotAreaIconParent). A double click on the icon removes it and restores the
// owner's window; a right click shows the popup menu that the owner fills. The icon
// comes back by itself after the task bar was recreated (the shell restarted).
//
//   icon.SetParent(&owner);                 // subclasses the owner's message window
//   icon.SetIconAndTip(appIcon, "Tallymarks");
//   icon.SetVisible(true);                  // hides the window to the tray
//   ...
//   icon.Remove();                          // before the owner goes
//
// Tip texts longer than 63 characters are cut. The shell is reached through
// Shell_NotifyIconA; SetNotifyFunction replaces it (tests).

#include "library/controls/INotAreaIconParent.h"
#include "library/windows/CSubclassedWindow.h"

#include <windows.h>
#include <shellapi.h>

#include <string>

class CNotAreaIcon : public CSubclassedWindow {
public:
    using NotifyFunction = BOOL(WINAPI*)(DWORD message, PNOTIFYICONDATAA data);
    static const UINT kCallbackMessage = 0x800;
    static const UINT kIconId = 1;

    CNotAreaIcon();
    ~CNotAreaIcon() override;

    // Leaves the former owner's message window and subclasses the new owner's;
    // false when that window cannot be subclassed. A null owner only leaves.
    bool SetParent(INotAreaIconParent* parent);
    // Stores the icon and tip; while shown they are sent to the shell (and the
    // answer is the shell's), else true.
    bool SetIconAndTip(HICON icon, const std::string& tip);
    // Adds the icon and hides the owner's window to it (true), or removes it and
    // restores the window (false). False when the shell refused; then nothing
    // changed and the owner is not told.
    bool SetVisible(bool show);
    bool IsShown() const { return m_shown; }
    // Takes the icon away without moving any window; true when it is gone.
    bool Remove();

    // The message the shell broadcasts when the task bar was recreated.
    static UINT GetTaskbarCreatedMessage();
    void SetNotifyFunction(NotifyFunction notify) { m_notify = notify; }
    const NOTIFYICONDATAA& GetIconData() const { return m_data; }

    void OnMessage(CMessage& message) override;

private:
    bool Notify(DWORD message);
    void OnTaskbarCreated();
    void ShowPopupMenu();
    void Animate(bool toTray);
    HWND GetParentWindow(int kind) const;

    INotAreaIconParent* m_parent = nullptr;
    NOTIFYICONDATAA m_data;
    bool m_shown = false;
    bool m_doubleClicked = false;
    NotifyFunction m_notify;
};
