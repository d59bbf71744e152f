#pragma once

// CNotAreaImpl: the program's icon in the notification area. Its picture and tooltip
// tell whether a project is open and whether work is registered; its popup menu shows
// the main window again, ends the program, and stops or starts work in any open
// project without the window.
//
//   CNotAreaImpl tray(projects);          // one for the whole run
//   tray.SetMainDlg(&mainWindow);         // with every new main window ...
//   tray.Attach(mainWindowHandle);        // ... which receives the icon's messages
//   tray.UpdateIcon();                    // and whenever some work starts or stops
//   tray.ShowIcon(true);                  // hides the main window to the icon
//
// Every appearance and disappearance of the icon is announced as
// CNotIconActiveChangeEvent. The menu is built anew for every right click; an entry
// whose project or activity went away while the menu was open does nothing. Only the
// user's own projects are offered (not one opened to import from or export to), and the
// start and stop entries of a project that a dialog is editing are greyed: that dialog's
// OK or Cancel decides the project's content until it closes.
// User-interface thread only.

#include "app/tray/CNotIconActiveChangeEvent.h"
#include "library/controls/CNotAreaIcon.h"
#include "library/controls/INotAreaIconParent.h"
#include "library/events/CSignal.h"

#include <windows.h>

#include <string>

class CActivity;
class CProject;
class CProjects;
class IMainWindow;

class CNotAreaImpl : public INotAreaIconParent, public CSignal<CNotIconActiveChangeEvent> {
public:
    // projects is the set of open projects; it must outlive this object.
    explicit CNotAreaImpl(CProjects& projects);
    CNotAreaImpl(const CNotAreaImpl&) = delete;
    CNotAreaImpl& operator=(const CNotAreaImpl&) = delete;
    // Takes a shown icon away first, which is announced as usual.
    ~CNotAreaImpl() override;

    // The running main window (not owned; null when none runs).
    void SetMainDlg(IMainWindow* window) { m_mainWindow = window; }
    // Makes window receive the icon's messages; false when it cannot be watched.
    bool Attach(HWND window);
    // Adds the icon (hiding the main window to it) or removes it (restoring the window);
    // true when the icon ends in the wanted state.
    bool ShowIcon(bool show);
    bool IsIconShown() const { return m_icon.IsShown(); }
    // Chooses picture and tooltip by the open projects' work; while the icon is shown
    // they go to the shell at once, else with the next ShowIcon. False when the shell
    // refused the change.
    bool UpdateIcon();
    // The readable activation hotkey, shown beside the menu's "Show"; empty for none.
    void SetHotKeyText(const std::string& text) { m_hotKeyText = text; }

    CNotAreaIcon& GetIcon() { return m_icon; }

    // kMessageWindow: the attached window; any other kind: the main window's handle,
    // null while no main window runs.
    HWND GetWindow(int kind) override;
    // Updates the icon, then announces the change.
    void OnActiveChange(bool shown) override;
    void BuildPopupMenu(CPopupMenuEntry& root) override;
    // Carries out an STrayMenuItem; false when there is none, or when its project or
    // activity is gone, or when the action was refused or found nothing to do.
    bool OnMenuItem(SPopupMenuEntryData* data) override;

private:
    void AddStopWorkingMenu(CPopupMenuEntry& root);
    void AddStartWorkingMenu(CPopupMenuEntry& root);
    // Whether activity is still an activity of project's committed state; found by address
    // alone, so that a deleted activity is never touched.
    static bool HasActivity(const CProject* project, const CActivity* activity);

    CProjects& m_projects;
    std::string m_hotKeyText;
    IMainWindow* m_mainWindow = nullptr;
    HWND m_messageWindow = nullptr;
    CNotAreaIcon m_icon;
};
