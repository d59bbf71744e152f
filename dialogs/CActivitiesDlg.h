#pragma once

// CActivitiesDlg: the manage activities dialog. The user edits the activity tree of one
// project: new, rename in place, remove, move up and down, indent and outdent, enable
// and disable, sort all by name, remove every activity without tally marks.
//
//   CActivitiesDlg dialog(project);          // opens an edit transaction
//   dialog.Create(MakeModalDialogParams(CActivitiesDlg::kIdentity, owner)); // 0 after OK, else 1
//
// Usage notes:
// - Every edit goes into a clone of the project's newest state. OK, and only the OK
//   button itself, commits the clone; every other way out (Cancel, Escape, the close
//   box) discards it as the dialog ends, and a dialog that never ran when it goes. Opened while
//   another dialog holds a transaction on the same project, the commit lands in that dialog's
//   clone, whose own OK or Cancel then decides for both.
// - When the project is closed while the dialog runs, the dialog ends at once and never
//   touches the project again; it then counts as cancelled.

#include "app/ui/SDialogIdentity.h"
#include "dialogs/CProjectCloseWatch.h"
#include "library/dialogs/CResizableDialogWindow.h"
#include "library/events/CSlot.h"
#include "library/windows/CSubclassedWindow.h"
#include "mainwindow/CActivityTreeList.h"
#include "mainwindow/IActivityTreeListCallbacks.h"
#include "model/CEditTransaction.h"

#include <functional>
#include <set>
#include <string>

class CActivity;
class CProject;
class CProjectState;

class CActivitiesDlg : public IActivityTreeListCallbacks,
                       public CResizableDialogWindow,
                       public CSlot<CDialogMessageEvent>,
                       public CSlot<CDialogCommandEvent>,
                       public CSlot<CDialogInitializeEvent>,
                       public CSlot<CDialogTerminateEvent> {
public:
    // What names this dialog: template, size grip, placement slot and help page.
    static const SDialogIdentity kIdentity;

    // Opens an edit transaction on project; without a project the dialog shows nothing.
    explicit CActivitiesDlg(CProject* project);
    ~CActivitiesDlg() override;

    // False only after OK committed the edits.
    bool IsCancelled() const { return m_cancelled; }
    // The edit copy that the dialog works on; null once its project was closed.
    CProjectState* GetEditState() const { return m_state; }
    CActivityTreeList& GetActivityList() { return m_list; }

    // IActivityTreeListCallbacks
    int GetNumColumns() override;
    SListViewColumn GetColumn(int index) override;
    std::string GetColumnText(CActivity* activity, int column) override;
    void OnSelectionChanged(CActivity* activity) override;
    void OnChecksChanged() override;
    void OnItemActivated(CActivity* activity) override;
    bool OnKeyDown(WORD virtualKey) override;
    void GetCheckedActivities(std::set<CActivity*>& checked) override;

protected:
    bool OnEvent(CDialogMessageEvent& event) override { return OnDialogMessage(event); }
    bool OnEvent(CDialogCommandEvent& event) override { return OnDialogCommand(event); }
    bool OnEvent(CDialogInitializeEvent& event) override { return OnDialogInitialize(event); }
    bool OnEvent(CDialogTerminateEvent& event) override { return OnDialogTerminate(event); }

    virtual bool OnDialogMessage(CDialogMessageEvent& event);
    virtual bool OnDialogCommand(CDialogCommandEvent& event);
    virtual bool OnDialogInitialize(CDialogInitializeEvent& event);
    virtual bool OnDialogTerminate(CDialogTerminateEvent& event);

private:
    // Takes the Ctrl+arrow keys from the list control before it acts on them: the control
    // would move the selection off the activity that the key just moved.
    class CMoveKeys : public CSubclassedWindow {
    public:
        explicit CMoveKeys(CActivitiesDlg& owner) : m_owner(owner) {}
        void OnMessage(CMessage& message) override;

    private:
        CActivitiesDlg& m_owner;
    };

    // The commands; each does nothing when its precondition does not hold.
    void New();
    void Remove();
    void Rename();
    void MoveUp();
    void MoveDown();
    void Indent();
    void Outdent();
    void ToggleEnabled();
    void SortAll();
    void RemoveUnused();
    void Commit();

    // The list's selected activity, or null.
    CActivity* GetSelected() const;
    // Enables the buttons for activity; null takes the list's selected activity.
    void UpdateButtons(CActivity* activity);
    // Puts the activity's row into label editing (keyboard focus to the list first).
    void EditName(CActivity* activity);
    // Whether levels more levels of activities fit below parent in a project file; when
    // not, says so.
    bool FitsBelow(CActivity* parent, int levels);
    // Moves activity under parent at position and keeps it selected.
    void Move(CActivity* activity, CActivity* parent, int position);
    // Makes a change of many activities with the list unbound and shows the result in one
    // reload (row by row a large tree takes seconds), with select (null: none) selected.
    void ChangeInBulk(const std::function<void()>& change, CActivity* select);
    // Shows the edit copy's rows anew.
    void Rebind();
    // The project is being closed: unbinds the list, forgets the project and its edit
    // copy and ends the dialog.
    void OnProjectClosed();

    CProject* m_project;
    CProjectState* m_state = nullptr;
    CEditTransaction m_edit;
    bool m_cancelled = true;
    CActivityTreeList m_list;
    CMoveKeys m_moveKeys{*this};
    CProjectCloseWatch m_closeWatch{[this] { OnProjectClosed(); }};
};
