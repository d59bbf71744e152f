#pragma once

// CMenu: the behaviour of the main window's menu bar and of its keyboard shortcuts. It
// watches the window's WM_COMMAND messages and carries out the menu's commands, keeps
// the greyed and checked state of every item in step with the open projects and the
// settings, lists the recent projects ("Open recent") and the open projects ("Window"),
// and announces a change of the period kind.
//
//   CMenu menu(mainWindow, EDisplayMode::Full); // links to projects and settings
//   menu.Attach(mainWindowHandle);                      // once the window exists
//   CSlot<CMenuStatTypeChangedEvent>::Connect(&menu);    // the window hears kind changes
//
// Usage notes:
// - The application object must outlive the menu; the window object too.
// - Menu and shortcut commands are treated alike; a command whose item is greyed, or an
//   entry past the end of its list, does nothing (the message still counts as handled).
//   Commands that open a dialog the launcher does not have are greyed too.
// - While a modal moment runs (CModalScope) no command or shortcut runs, whatever its
//   notification code: it can only come from outside the moment. Only notifications of
//   the window's own child controls reach the window then; the windows refuse the
//   commands of their buttons themselves.
// - The menu handle stays the window's: the window destroys it with itself.
// - The menu hears every open user project; ConnectProject may be called again for a
//   project it hears already.
// - Before Attach the menu keeps the recent list and its project links up to date but
//   touches no menu item.
// - User-interface thread only.

#include "app/settings/CRecentMenuChangedEvent.h"
#include "app/settings/CViewTopMostChangedEvent.h"
#include "library/events/CSignal.h"
#include "library/events/CSlot.h"
#include "library/windows/CSubclassedWindow.h"
#include "mainwindow/CMenuStatTypeChangedEvent.h"
#include "mainwindow/SMenuFacts.h"
#include "model/CProjectModifiedEvent.h"
#include "model/CProjectSavedEvent.h"
#include "model/CProjectsAddedEvent.h"
#include "model/CProjectsClosedEvent.h"
#include "model/CProjectsSwitchedEvent.h"

#include <windows.h>

#include <string>
#include <utility>
#include <vector>

class CMainDlgBase;
class CProject;
class CProjectState;

class CMenu : public CSubclassedWindow,
              public CSlot<CRecentMenuChangedEvent>,
              public CSlot<CProjectModifiedEvent>,
              public CSlot<CProjectSavedEvent>,
              public CSlot<CProjectsAddedEvent>,
              public CSlot<CProjectsSwitchedEvent>,
              public CSlot<CProjectsClosedEvent>,
              public CSlot<CViewTopMostChangedEvent>,
              public CSignal<CMenuStatTypeChangedEvent> {
public:
    // displayKind: the display of window.
    CMenu(CMainDlgBase& window, EDisplayMode displayKind);
    ~CMenu() override;

    // Watches window and takes over the state of its menu bar.
    void Attach(HWND window);
    // Starts or stops hearing a project's changes and saves.
    void ConnectProject(CProject* project);
    void DisconnectProject(CProject* project);
    // Shows the time columns by another period kind (0 hour ... 5 the whole project):
    // stores it in the settings and announces it. Nothing for the shown kind or a kind
    // outside that range.
    void SetKind(int kind);
    int GetKind() const { return m_kind; }

    // Carries out the menu's commands; every other message is left alone.
    void OnMessage(CMessage& message) override;

protected:
    bool OnEvent(CRecentMenuChangedEvent& event) override { return OnRecentMenuChanged(event); }
    bool OnEvent(CProjectModifiedEvent& event) override { return OnProjectModified(event); }
    bool OnEvent(CProjectSavedEvent& event) override { return OnProjectSaved(event); }
    bool OnEvent(CProjectsAddedEvent& event) override { return OnProjectsAdded(event); }
    bool OnEvent(CProjectsSwitchedEvent& event) override { return OnProjectsSwitched(event); }
    bool OnEvent(CProjectsClosedEvent& event) override { return OnProjectsClosed(event); }
    bool OnEvent(CViewTopMostChangedEvent& event) override { return OnViewTopMostChanged(event); }

    virtual bool OnRecentMenuChanged(CRecentMenuChangedEvent& event);
    virtual bool OnProjectModified(CProjectModifiedEvent& event);
    virtual bool OnProjectSaved(CProjectSavedEvent& event);
    virtual bool OnProjectsAdded(CProjectsAddedEvent& event);
    virtual bool OnProjectsSwitched(CProjectsSwitchedEvent& event);
    virtual bool OnProjectsClosed(CProjectsClosedEvent& event);
    virtual bool OnViewTopMostChanged(CViewTopMostChangedEvent& event);

private:
    // The current project of the set, and the state the window shows of it (its committed
    // state unless the window holds another of the project's states).
    static CProject* CurrentProject();
    CProjectState* ShownState(CProject* project) const;
    SMenuFacts GetFacts() const;
    // Whether a WM_COMMAND is a notification of one of the window's own controls (what a
    // modal moment lets through) rather than a command.
    bool IsOwnControlNotification(WPARAM wParam, LPARAM lParam) const;
    // The menu's own rules, and the availability of the command's dialog.
    bool IsCommandEnabled(int id, const SMenuFacts& facts) const;
    void RunCommand(int id);
    void OpenRecentProject(size_t index);

    // Item states and the two lists; nothing before Attach.
    void UpdateItems();
    void RebuildRecentMenu();
    void RebuildWindowMenu();
    void RedrawMenuBar() const;

    CMainDlgBase& m_window;
    // The window's own menu (not owned: the window destroys it).
    HMENU m_menu = nullptr;
    HWND m_hwnd = nullptr;
    EDisplayMode m_displayKind;
    int m_kind;
    bool m_portable = false;
    // The projects of the open-projects list, in the order shown.
    std::vector<CProject*> m_listed;
    // What the menu shows, so that unchanged items are left alone: per command of
    // GetMenuCommandIds enabled (1) and checked (2), and the open-projects entries.
    static constexpr int kUnknownItemState = -1;
    std::vector<int> m_itemStates;
    std::vector<std::pair<std::string, bool>> m_windowEntries;
    bool m_windowEntriesShown = false;
};
