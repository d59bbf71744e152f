#pragma once

// CEditTransaction: one edit transaction on a project, held by the dialog that edits it.
// It opens the transaction when made and ends it exactly once: Commit puts the edited copy
// in place of the state below it, Discard throws it away, and a transaction that neither
// happened to is discarded when the object goes.
//
//   CEditTransaction m_edit{*project};       // the dialog's member: opens the edit
//   CProjectState* copy = m_edit.GetState();  // everything the dialog changes goes here
//   ...
//   m_edit.Commit();                          // OK
//   m_edit.Discard();                         // any other way out (the dialog's terminate)
//
// Usage notes:
// - Transactions nest: a dialog opened from an editing dialog opens its own transaction on
//   a copy of the outer copy, and its commit writes into the outer copy only. Only the
//   innermost transaction may end; ending another one is an internal error (CError).
// - While any transaction is open the project does not start or stop work from outside
//   the edit (CProjects::StartWorking, StopWorking); when the last one ends the project
//   announces CProjectEndStateTrackingEvent.
// - When the project is closed under the dialog, call Abandon during the closed event:
//   the states go with the project, and the transaction must not touch it again.
// - Move-only; a moved-from transaction holds nothing.

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
    // Discards the transaction held so far, then takes other's.
    CEditTransaction& operator=(CEditTransaction&& other) noexcept;
    CEditTransaction(const CEditTransaction&) = delete;
    CEditTransaction& operator=(const CEditTransaction&) = delete;
    // Discards the transaction when it is still open.
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
    // Forgets the transaction without touching the project (it is being closed).
    void Abandon();

private:
    bool IsInnermost() const;
    void DiscardIfInnermost() noexcept;
    void End(bool commit);

    CProject* m_project = nullptr;
    // The project's number of states while this transaction is the innermost.
    size_t m_depth = 0;
};
