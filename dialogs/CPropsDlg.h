#pragma once

// CPropsDlg: dialog 104, one project's name (editable), its file and its
// content (the numbers of activities and of tally marks), with buttons that open the
// manage activities and the manage tally marks dialogs on the same project. It is also
// the dialog in which the user names a new project.
//
//   CPropsDlg dialog(project);          // opens an edit transaction
//   dialog.Create(CPropsDlg::MakeParams(owner));
//   if (!dialog.IsCancelled()) { ... }              // the exit code says the same
//
// Usage notes:
// - Everything done while it runs, the two dialogs it opens included, is one edit
//   transaction: the dialogs it opens commit into its edit copy, and its own OK (the OK
//   button itself, nothing else) commits the lot with the name; every other way out
//   discards the lot, also what an inner dialog confirmed.
// - When its project is closed while it runs (a tray exit, the end of the session), it
//   forgets the project and ends at once, cancelled, never touching the project again.

#include "app/ui/SDialogIdentity.h"
#include "library/dialogs/CDialogCommandEvent.h"
#include "library/dialogs/CDialogInitializeEvent.h"
#include "library/dialogs/CDialogMessageEvent.h"
#include "library/dialogs/CDialogTerminateEvent.h"
#include "library/dialogs/CResizableDialogWindow.h"
#include "library/dialogs/SDialogParams.h"
#include "library/events/CSlot.h"
#include "model/CEditTransaction.h"
#include "model/CProjectStateSwitchedEvent.h"
#include "model/CProjectsClosedEvent.h"

#include <cstddef>
#include <string>

class CProject;
class CProjectState;

class CPropsDlg : public CResizableDialogWindow,
                  public CSlot<CDialogMessageEvent>,
                  public CSlot<CDialogCommandEvent>,
                  public CSlot<CDialogInitializeEvent>,
                  public CSlot<CDialogTerminateEvent>,
                  public CSlot<CProjectStateSwitchedEvent>,
                  public CSlot<CProjectsClosedEvent> {
public:
    // What names this dialog: template, size grip, placement slot and help page.
    static const SDialogIdentity kIdentity;

    // Opens an edit transaction on project, which must be open in the application.
    explicit CPropsDlg(CProject* project);
    ~CPropsDlg() override;

    // Modal parameters of dialog 104 with a size grip and the application's resources.
    static SDialogParams MakeParams(HWND owner);
    // The new-project road of the application: runs the dialog for project over owner;
    // true when the user confirmed it and the project is still open.
    static bool RunForNewProject(CProject& project, HWND owner);
    // "[NUMWHAT] [WHAT] in project" for count, with the singular word only for one.
    static std::string FormatContent(size_t count, unsigned int oneWord, unsigned int manyWord);

    // False only after OK committed the edits.
    bool IsCancelled() const { return m_cancelled; }
    // The edit copy shown; null once the project was closed.
    CProjectState* GetState() const { return m_state; }

    void ShowActivityCount();
    void ShowTallymarkCount();

protected:
    bool OnEvent(CDialogMessageEvent& event) override { return OnDialogMessage(event); }
    bool OnEvent(CDialogCommandEvent& event) override { return OnDialogCommand(event); }
    bool OnEvent(CDialogInitializeEvent& event) override { return OnDialogInitialize(event); }
    bool OnEvent(CDialogTerminateEvent& event) override { return OnDialogTerminate(event); }
    bool OnEvent(CProjectStateSwitchedEvent& event) override {
        return OnProjectStateSwitched(event);
    }
    bool OnEvent(CProjectsClosedEvent& event) override { return OnProjectsClosed(event); }

    virtual bool OnDialogMessage(CDialogMessageEvent& event);
    virtual bool OnDialogCommand(CDialogCommandEvent& event);
    virtual bool OnDialogInitialize(CDialogInitializeEvent& event);
    virtual bool OnDialogTerminate(CDialogTerminateEvent& event);
    virtual bool OnProjectStateSwitched(CProjectStateSwitchedEvent& event);
    virtual bool OnProjectsClosed(CProjectsClosedEvent& event);

private:
    void ManageActivities();
    void ManageTallymarks();
    // Runs a management dialog of this project modally over this one.
    void RunNested(CDialogWindow& dialog, const SDialogIdentity& identity);
    void Ok();
    void ForgetProject();

    CProject* m_project;
    CProjectState* m_state = nullptr;
    CEditTransaction m_edit;
    bool m_cancelled = true;
};
