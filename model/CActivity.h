#pragma once

#include "library/datetime/CDateTime.h"
#include "library/events/CSignal.h"
#include "library/trees/CTreeNode.h"
#include "model/CActivityAddedEvent.h"
#include "model/CActivityModifiedEvent.h"
#include "model/CActivityRemovedEvent.h"
#include "model/CStatGen.h"
#include "model/CTallymarks.h"
#include "model/SClockReading.h"

#include <set>
#include <string>

class CProjectState;
class CTallymark;

// A node of a project's activity tree: a named, enabled or disabled thing that time is
// registered on, owning its tally marks. Each project state owns one unnamed root; the
// user's activities are its descendants.
//
// Usage notes:
// - Every event of a tree (an activity added, moved, removed, renamed, enabled or disabled)
//   is emitted through the signals of the tree's root: connect once, to the root, and hear
//   the whole tree. An activity that is not attached is the root of its own tree.
// - Create activities with new and attach them with AddChildActivity before adding tally
//   marks to them: listeners connect to an activity's collection when they hear it added.
//   A parent deletes its children; deleting an attached activity detaches it.
// - Merge marks (GetMergeMark): 0 untouched, 1 matched by the last merge (or the root of
//   its target), 2 created by it.
class CActivity : public CTreeNode<CActivity>,
                  public CSignal<CActivityModifiedEvent>,
                  public CSignal<CActivityAddedEvent>,
                  public CSignal<CActivityRemovedEvent> {
public:
    using CActivitySet = std::set<CActivity*>;

    // A detached activity of projectState's tree (which must outlive it).
    CActivity(CProjectState* projectState, const std::string& name, bool enabled);
    CActivity(const CActivity&) = delete;
    CActivity& operator=(const CActivity&) = delete;
    // Deletes the children first (each subtree before the next), announces the removal,
    // then announces every own tally mark as removed and deletes it.
    ~CActivity() override;

    CProjectState* GetProjectState() const { return m_projectState; }
    const std::string& GetName() const { return m_name; }
    bool IsEnabled() const { return m_enabled; }
    CTallymarks& GetTallymarks() { return m_tallymarks; }
    const CTallymarks& GetTallymarks() const { return m_tallymarks; }
    CStatGen& GetStatGen() { return m_statGen; }
    int GetMergeMark() const { return m_mergeMark; }
    bool HasMergedTallymarks() const { return m_mergedTallymarks; }
    // The top of the tree the activity hangs in (itself when detached).
    CActivity* GetTreeRoot();

    // Each announces CActivityModifiedEvent when the value changes (names compare exactly,
    // so a change of letter case counts).
    void SetName(const std::string& name);
    void SetEnabled(bool enabled);

    // The names from the topmost activity below the root down to this one, joined by "\";
    // a child of the root has its bare name, the root (or a detached activity) "".
    std::string GetPath() const;
    // Whether the activity holds tally marks; withDescendants: or any activity below it.
    bool HasTallymarks(bool withDescendants) const;

    // A new open tally mark starting at now (the present, or the reading at which the act
    // that starts it ended other work), seen running there, added to this activity (and
    // announced). Neither the enabled flag nor other running work is checked. Null,
    // announced through CClockNotices, when the clock shows a time that no project file can
    // hold.
    CTallymark* StartTallymark(const SClockReading& now);
    CTallymark* StartTallymark() { return StartTallymark(SClockReading::Take()); }

    // Attaches child before the child at position (a position outside 0 .. count - 1
    // appends), moving it from its parent if it has one, and announces CActivityAddedEvent
    // through the new tree. Refuses (false, nothing changes) a null child, this activity and
    // its ancestors.
    bool AddChildActivity(CActivity* child, int position);
    // Detaches child, which then is the root of its own tree; with notify, announces
    // CActivityRemovedEvent through this tree. Nothing is deleted. Throws CError code 1 (text
    // 40016) when child is not a child of this activity.
    void RemoveChildActivity(CActivity* child, bool notify);
    void DeleteChildren();
    // Deletes, bottom-up, every activity of the subtree (this one included) that has a
    // parent but neither tally marks nor children left. Returns whether this activity has
    // tally marks; when false, this activity may be gone.
    bool RemoveUnused();

    // Makes target a copy of this activity: name, enabled flag and merge marks; with
    // withChildren the children (target's own are deleted first), with withRecords the tally
    // marks, recursively. Refuses (false, nothing changes) a null target, this activity and
    // its descendants.
    bool CopyTo(CActivity* target, bool withChildren, bool withRecords);
    // Merges source's subtree into this one: the tally marks of the chosen activities are
    // copied (moved with move) clipped to the period, into the activity of the same path
    // (names compared ignoring case), which is created when missing; branches without tally
    // marks are skipped. On a root the merge marks are reset first and created activities
    // that received nothing are deleted afterwards. copiedAny and movedAny tell whether any
    // tally mark was copied or moved.
    void MergeFrom(CActivity* source, const CActivitySet& chosen, const CDateTime& periodStart,
                   const CDateTime& periodEnd, bool move, bool& copiedAny, bool& movedAny);

private:
    void MergeSubtree(CActivity* source, const CActivitySet& chosen, const CDateTime& periodStart,
                      const CDateTime& periodEnd, bool move, bool& copiedAny, bool& movedAny);
    void ResetMergeMarks();
    // Deletes, bottom-up, every activity of the subtree that has a parent but neither tally
    // marks nor children left (with onlyCreated: and was created by a merge). Returns whether
    // this activity has tally marks.
    bool Prune(bool onlyCreated);
    // This activity is activity or one of its ancestors.
    bool IsAncestorOrSelf(const CActivity* activity) const;

    CProjectState* m_projectState;
    CTallymarks m_tallymarks;
    // After the collection, which it listens to.
    CStatGen m_statGen;
    std::string m_name;
    int m_mergeMark = 0;
    bool m_enabled;
    bool m_mergedTallymarks = false;
};
