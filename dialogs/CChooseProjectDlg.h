#pragma once

// CChooseProjectDlg: lets the user pick one of the open user projects. Each is listed
// with its name and states (current, working, its file or "not saved yet"); the opener
// decides whether the current project and projects with running work may be chosen.
// Those that may not are listed greyed and cannot be selected.
//
//   CChooseProjectDlg chooser(false, true);  // not the current project; working ones may
//   chooser.Create(MakeModalDialogParams(CChooseProjectDlg::kIdentity, owner));
//   CProject* other = chooser.GetChosenProject();  // null unless OK or a double-click
//
// A project that is closed while the dialog runs is taken off the list and can no
// longer be chosen; the chosen project is always one that is still open.

#include "app/ui/SDialogIdentity.h"
#include "library/controls/CListBox.h"
#include "library/dialogs/CResizableDialogWindow.h"
#include "library/events/CSlot.h"
#include "model/CProjectsClosedEvent.h"

#include <string>

class CProject;
class CProjects;

class CChooseProjectDlg : public CResizableDialogWindow,
                          public CSlot<CDialogMessageEvent>,
                          public CSlot<CDialogCommandEvent>,
                          public CSlot<CDialogInitializeEvent>,
                          public CSlot<CDialogTerminateEvent>,
                          public CSlot<CProjectsClosedEvent> {
public:
    // What names this dialog: template, size grip, placement slot and help page.
    static const SDialogIdentity kIdentity;

    CChooseProjectDlg(bool currentProjectAllowed, bool workingProjectsAllowed);
    ~CChooseProjectDlg() override;

    // The project chosen with OK or a double-click; null otherwise.
    CProject* GetChosenProject() const { return m_chosen; }
    // The selected item's project when that item is enabled; else null.
    CProject* GetSelectedProject() const;
    // Lists the open user projects in name order (again: the list is emptied first).
    void FillProjectList();

    // The item text of a project: its name and, in brackets, "active" when it is the
    // current one, "working" when time runs on it, and its path or "not saved yet".
    static std::string MakeItemText(const CProjects& projects, const CProject& project);

protected:
    bool OnEvent(CDialogMessageEvent& event) override { return OnDialogMessage(event); }
    bool OnEvent(CDialogCommandEvent& event) override { return OnDialogCommand(event); }
    bool OnEvent(CDialogInitializeEvent& event) override { return OnDialogInitialize(event); }
    bool OnEvent(CDialogTerminateEvent& event) override { return OnDialogTerminate(event); }
    bool OnEvent(CProjectsClosedEvent& event) override { return OnProjectsClosed(event); }

    virtual bool OnDialogMessage(CDialogMessageEvent& event);
    virtual bool OnDialogCommand(CDialogCommandEvent& event);
    virtual bool OnDialogInitialize(CDialogInitializeEvent& event);
    virtual bool OnDialogTerminate(CDialogTerminateEvent& event);
    virtual bool OnProjectsClosed(CProjectsClosedEvent& event);

private:
    void EnableOk(bool enable);

    bool m_currentProjectAllowed;
    bool m_workingProjectsAllowed;
    CProject* m_chosen = nullptr;
    // The project whose closing is under way: it is left out of the list.
    CProject* m_closing = nullptr;
    CListBox m_list{true};
};
