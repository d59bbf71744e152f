#pragma once
// CProjects: the set of open projects. It owns them, keeps them in name order (which
// rules every listing, the next/previous steps and the close vote) and by file path,
// knows the current one, and starts and stops work on them.
//
//   CProject* project = projects.Open(path, CProjects::kOpenAndSwitch, true);
//   // failures arrive only through CProjectsAddedEvent (messages 40270, 40271)
//   projects.StartWorking(nullptr, nullptr);   // current project, selected activity
//   if (projects.MayCloseAll(EExitReason::Exit)) projects.CloseAll();
//
// Usage notes:
// - Listeners of CProjectsMayCloseEvent decide whether a project may close: with none
//   connected the vote is "no".
// - CProjectsClosedEvent comes before the project is deleted; forget it then.
// - Naming a project that is not in the set to Close is an internal error (CError 40272).
// - User-interface thread only.
#include "library/events/CSignal.h"
#include "library/events/CSlot.h"
#include "library/files/CFilePath.h"
#include "model/CProjectFilePathChangedEvent.h"
#include "model/CProjectModifiedEvent.h"
#include "model/CProjectsAddedEvent.h"
#include "model/CProjectsClosedEvent.h"
#include "model/CProjectsMayCloseEvent.h"
#include "model/CProjectsSwitchedEvent.h"

#include <cstddef>
#include <map>
#include <string>
#include <vector>

class CActivity;
class CProject;

class CProjects : public CSlot<CProjectFilePathChangedEvent>,
                  public CSlot<CProjectModifiedEvent>,
                  public CSignal<CProjectsAddedEvent>,
                  public CSignal<CProjectsSwitchedEvent>,
                  public CSignal<CProjectsMayCloseEvent>,
                  public CSignal<CProjectsClosedEvent> {
public:
    enum EOpenMode {
        kOpenAndSwitch = 0,   // open and make current
        kOpenOnly = 1,        // open, the current project stays
        kOpenForExchange = 2, // not a user project, never current
    };

    CProjects();
    CProjects(const CProjects&) = delete;
    CProjects& operator=(const CProjects&) = delete;
    // Deletes every project that is left, in name order, announcing nothing.
    ~CProjects() override;

    size_t GetNumProjects() const { return m_byName.size(); }
    bool HasProjects() const { return !m_byName.empty(); }
    CProject* GetCurrentProject() const { return m_current; }
    // The project at index in name order; null past the end.
    CProject* GetProject(size_t index) const;
    // The project after (before) project in name order; project null gives the first
    // (last). For the only open project: itself when wrap and selfIfOnly are both set, else
    // null. Past the end: the other end with wrap, else null. A project that is not in
    // the set gives null.
    CProject* GetNext(CProject* project, bool wrap, bool selfIfOnly) const;
    CProject* GetPrevious(CProject* project, bool wrap, bool selfIfOnly) const;
    // Whether the file is open as a project, under this or any other spelling of it.
    bool IsOpen(const CFilePath& path) const;
    // The project of that file, found by its path or, for another spelling, by the file's
    // identity (CFileIdentity); null when none.
    CProject* FindOpen(const CFilePath& path) const;
    bool IsPathOpen(const std::string& path) const;
    // Whether a user project's committed state has a running tally mark; the list of those
    // projects in name order.
    bool IsAnyWorking() const;
    std::vector<CProject*> GetWorkingProjects() const;
    // Whether project is in the set (it may have closed since a caller took the pointer).
    bool Contains(const CProject* project) const;

    // Makes project current, announcing the change (nothing when it already is).
    void SetCurrent(CProject* project);
    // Makes the project with that file current; false when none is open.
    bool SwitchToFile(const CFilePath& path);
    // Step the current project through name order, wrapping; nothing with fewer than two.
    void SwitchToNext();
    void SwitchToPrevious();

    // Starts work on activity (the selected one of the project's state when null) in
    // project (the current one when null), ending the running tally mark first at the one
    // reading of the clock at which the new one starts. False, changing nothing, without a
    // project or activity, for a disabled one, for one that is not the project's, and while
    // an edit transaction is open on the project (the dialog that holds it decides for the
    // project until it ends).
    bool StartWorking(CProject* project, CActivity* activity);
    // Ends the running tally mark of project (the current one when null); false when
    // nothing runs or an edit transaction is open on the project.
    bool StopWorking(CProject* project);
    // Whether StartWorking and StopWorking act on project now (no edit is open on it).
    static bool CanChangeWork(const CProject* project);

    // Opens the project file (see EOpenMode). An open file gives its project without loading
    // it again. A missing file gives a new, empty, untitled project unless mustExist.
    // Announces CProjectsAddedEvent in every case; null on failure.
    CProject* Open(const CFilePath& path, int mode, bool mustExist);
    CProject* OpenPath(const std::string& path, int mode, bool mustExist);
    // Adds a new, untitled user project, which does not become current.
    CProject* CreateNew();

    // Asks, in name order, whether each project may close; stops at the first "no".
    bool MayCloseAll(EExitReason reason);
    // Closes project after a vote (reason EExitReason::CloseProject) unless force; false, changing
    // nothing, when the vote says no. A current project is followed by the next one in name
    // order, else the previous one. Null: true.
    bool Close(CProject* project, bool force);
    // Closes every project without a vote; the current project goes last.
    void CloseAll();

protected:
    bool OnEvent(CProjectFilePathChangedEvent& event) override {
        return OnProjectFilePathChange(event);
    }
    bool OnEvent(CProjectModifiedEvent& event) override { return OnProjectModified(event); }
    // Files the project under its new path; CError 40273 when the old one is not known.
    virtual bool OnProjectFilePathChange(CProjectFilePathChangedEvent& event);
    // A renamed project moves in the name order.
    virtual bool OnProjectModified(CProjectModifiedEvent& event);

private:
    using CIndex = std::multimap<std::string, CProject*>;

    void Add(CProject* project);
    CIndex::iterator FindInPathIndex(const std::string& key, const CProject* project);
    CIndex::const_iterator FindInNameIndex(const CProject* project) const;
    void RemoveFromIndexes(CProject* project, CIndex::iterator pathEntry);
    void Unlink(CProject* project);
    // Whether activity is one of project's own (not the root).
    static bool IsActivityOf(const CProject* project, CActivity* activity);

    CIndex m_byName;
    CIndex m_byPath;
    CProject* m_current = nullptr;
};
