#pragma once
// CProject: one open project: its file (path, format, whether it may be written) and its
// content as a stack of project states. The front of the stack is the committed content;
// an edit transaction (CEditTransaction, the only way to open and end one) pushes a clone
// of the newest state and later commits it in place of the state below it, or throws it
// away:
//
//   CEditTransaction edit(project);
//   edit.GetState()->SetName("Plan");             // edit the clone
//   edit.Commit();                               // CProjectStateSwitchedEvent
//
// The project listens to its committed state alone and keeps the parts that are unsaved.
// Loading reports through the returned CError (code 3: another program holds the file);
// saving through CProjectSavedEvent. Neither shows anything.
#include "library/events/CSignal.h"
#include "library/events/CSlot.h"
#include "library/files/CDataFile.h"
#include "library/files/CFilePath.h"
#include "library/text/CError.h"
#include "model/CProjectAskNewLocationEvent.h"
#include "model/CProjectEndStateTrackingEvent.h"
#include "model/CProjectFilePathChangedEvent.h"
#include "model/CProjectModifiedEvent.h"
#include "model/CProjectSavedEvent.h"
#include "model/CProjectStateModifiedEvent.h"
#include "model/CProjectStateSwitchedEvent.h"
#include "model/EProjectPart.h"
#include "model/SProjectEntry.h"

#include <list>
#include <memory>
#include <set>
#include <string>

class CDataStream;
class CProjectState;

class CProject : public CSlot<CProjectStateModifiedEvent>,
                 public CSignal<CProjectFilePathChangedEvent>,
                 public CSignal<CProjectModifiedEvent>,
                 public CSignal<CProjectAskNewLocationEvent>,
                 public CSignal<CProjectSavedEvent>,
                 public CSignal<CProjectStateSwitchedEvent>,
                 public CSignal<CProjectEndStateTrackingEvent> {
public:
    // userProject is false only for a project opened to import from or export to.
    explicit CProject(bool userProject = true);
    CProject(const CProject&) = delete;
    CProject& operator=(const CProject&) = delete;
    ~CProject() override;

    // The committed state, or with newest the state that an open transaction edits.
    CProjectState* GetState(bool newest = false) const;
    // Whether state is one of the project's states (the committed one or a transaction's).
    bool HasState(const CProjectState* state) const;

    bool IsModified(const CBitmask<EProjectPart>& parts) const { return m_modified.HasAny(parts); }
    CBitmask<EProjectPart> GetModified() const { return m_modified; }
    // Adds the parts to the unsaved ones and announces exactly these parts.
    void SetModified(const CBitmask<EProjectPart>& parts);

    bool IsUserProject() const { return m_userProject; }
    bool IsWritable() const { return m_writable; }
    bool IsNew() const { return m_new; }
    bool IsInitialised() const { return m_initialised; }
    void SetInitialised() { m_initialised = true; }
    // 0 until a load or a save chose a format.
    int GetFormat() const { return m_format; }

    // The file path; with nameFallback, a path made from the project name when the project
    // has no (valid) file yet, to propose a file name.
    CFilePath GetFilePath(bool nameFallback) const;
    SProjectEntry GetNameAndPath() const;

    // Reads the file into the committed state; call once, on a new project. Code -1 when
    // loaded. On failure the project keeps whatever was read and should be deleted.
    CError Load(const CFilePath& path);
    // Saves state (the committed one when null) to path in format, or, without a path,
    // to the project's own file; asks for a location (CProjectAskNewLocationEvent) when the
    // project is new, read-only or has no format, or when forceAsk is set. Returns false
    // only when writing failed. When no location is chosen nothing is written, no event
    // follows, true is returned and the project stays modified: check IsModified. When
    // the project was closed while its location was asked for, or the state to save left
    // it, nothing is written, no event follows and false is returned: the caller must not
    // touch a project that may be gone (ask CProjects).
    bool Save(bool forceAsk, CProjectState* state = nullptr, const char* path = nullptr,
              int format = 0);

    // The name, " (read-only)" when not writable, " *" when name, activities or tally
    // marks are unsaved.
    std::string GetTitle() const;

    // The number of states on the stack: 1 plus the open transactions.
    size_t GetStateCount() const { return m_states.size(); }

protected:
    bool OnEvent(CProjectStateModifiedEvent& event) override { return OnStateModified(event); }
    virtual bool OnStateModified(CProjectStateModifiedEvent& event);

private:
    // Only a transaction opens and ends an edit, so that every edit ends exactly once.
    friend class CEditTransaction;
    // Opens an edit transaction on a clone of the newest state. Transactions nest.
    void StartStateTracking();
    // Ends the innermost transaction: commit puts the clone in place of the state below it.
    // Nothing happens without an open transaction. The states are back before anything is
    // announced, and every announcement is made also when an earlier listener threw; the
    // first exception of a listener is then thrown on.
    void EndStateTracking(bool commit);
    // The transaction that opened the stack's depth-th state goes while an inner one is
    // open: that state is discarded as soon as the inner ones have ended.
    void DropStateTracking(size_t depth);

    bool m_userProject;
    CBitmask<EProjectPart> m_modified;
    std::list<std::unique_ptr<CProjectState>> m_states;
    // The depths of the states whose transactions went (DropStateTracking).
    std::set<size_t> m_droppedDepths;
    bool m_new = true;
    bool m_initialised = false;
    int m_format = 0;
    CDataFile m_dataFile;
    CFilePath m_filePath;
    bool m_writable = true;
    // Lives exactly as long as the project: code that lets listeners run (who may close
    // and delete the project) keeps a weak reference and checks it afterwards.
    std::shared_ptr<const bool> m_alive = std::make_shared<const bool>(true);
};
