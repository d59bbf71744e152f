#pragma once

// CEditTransaction: one edit transaction on a project, held by the dialog that edits it.
// It opens the transaction when made and ends it exactly once: Commit puts the edited copy
// in place of the state below it, Discard throws it away, and a transaction that neither
// happened to is discarded when the object goes. It is the only way to open or end an
// edit of a project.
//
//   CEditTransaction m_edit;                  // the dialog's member: holds nothing yet
//   m_edit.Restart(*project);                 // opens the edit
//   CProjectState* copy = m_edit.GetState();  // everything the dialog changes goes here
//   ...
//   m_edit.Commit();                          // OK
//   m_edit.Discard();                         // any other way out (the dialog's terminate)
//
// Usage notes:
// - Transactions nest: a dialog opened from an editing dialog opens its own transaction on
//   a copy of the outer copy, and its commit writes into the outer copy only. Only the
//   innermost transaction may end; ending another one is an internal error (CError). An
//   outer one that goes (or is dropped) meanwhile is discarded as soon as the inner ones
//   have ended, with whatever they committed into it.
// - While any transaction is open the project does not start or stop work from outside
//   the edit (CProjects::StartWorking, StopWorking); when the last one ends the project
//   announces CProjectEndStateTrackingEvent.
// - Listeners to the end of an edit (CProjectStateSwitchedEvent, the modifications that
//   a commit reports, CProjectEndStateTrackingEvent) should not throw. When one does, the
//   edit has ended all the same: the project's states are back before anything is
//   announced, and every announcement is made even after an earlier one threw (within
//   one announcement a throw still stops the later listeners). Commit, Discard and
//   Restart pass the first exception on; the destructor and Drop, which can neither
//   report nor undo it, drop it, so that a transaction that goes while the stack unwinds
//   or a dialog is destroyed never ends the program.
// - When the project is closed under the dialog, call Abandon during the closed event:
//   the states go with the project, and the transaction must not touch it again.
// - A transaction is moved only by construction (a moved-from one holds nothing); it is
//   never assigned, so that no open transaction can be overwritten: Restart ends the one
//   held before it opens the next.

#include <cstddef>

class CProject;
class CProjectState;

class CEditTransaction {
public:
    // Holds no transaction.
    CEditTransaction() = default;
    // Opens a transaction on a copy of project's newest state.
    explicit CEditTransaction(CProject& project);
    CEditTransaction(CEditTransaction&& other) noexcept;
    CEditTransaction& operator=(CEditTransaction&& other) = delete;
    CEditTransaction(const CEditTransaction&) = delete;
    CEditTransaction& operator=(const CEditTransaction&) = delete;
    // Discards the transaction when it is still open (an outer one as soon as the inner
    // ones have ended); never throws.
    ~CEditTransaction();

    bool IsOpen() const { return m_project != nullptr; }
    // The project; null when none is open.
    CProject* GetProject() const { return m_project; }
    // The copy this transaction edits (a committed inner transaction replaces it); null
    // when none is open or an inner one is open.
    CProjectState* GetState() const;

    // Ends the transaction, keeping (Commit) or dropping (Discard) the changes. Nothing
    // happens when none is open.
    void Commit();
    void Discard();
    // Discards the transaction held (as Discard), then opens a new one on project. When
    // the discard throws, nothing new is opened.
    void Restart(CProject& project);
    // Ends the transaction as the destructor does, for paths that must not throw.
    void Drop() noexcept;
    // Forgets the transaction without touching the project (it is being closed).
    void Abandon();

private:
    bool IsInnermost() const;
    void Open(CProject& project);
    void End(bool commit);

    CProject* m_project = nullptr;
    // The project's number of states while this transaction is the innermost.
    size_t m_depth = 0;
};
