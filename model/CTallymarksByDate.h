#pragma once

#include "library/datetime/CDateTime.h"
#include "library/datetime/CTimeZone.h"
#include "library/events/CSlot.h"
#include "model/CActivityAddedEvent.h"
#include "model/CDayCounts.h"
#include "model/CSortedBlockSet.h"
#include "model/CTraceEndChangedEvent.h"
#include "model/CTraceStartChangedEvent.h"
#include "model/CTracesAddedEvent.h"
#include "model/CTracesRemovedEvent.h"
#include "model/STallymarkIndexEntry.h"

#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

class CActivity;
class CTallymark;

// The tally marks of one activity tree in order of time: by start (all) and by end (the
// closed ones), the running (open) tally mark, and for every local calendar day how many
// closed tally marks touch it, so that calendars can mark days with registered time and
// dialogs find the first and last registered moment. It keeps itself up to date from events
// alone.
//
// Usage notes:
// - AttachTo the root of a tree before activities with tally marks are added to it: the
//   index connects to each activity's collection when it hears the activity created, and
//   indexes the tally marks that join afterwards. The root's own tally marks are not
//   indexed; tally marks already in a collection when its activity is attached are not
//   either.
// - Days are counted in the time zone the index was made with (by default the one set with
//   SetDefaultTimeZone, else the system's zone at construction), so that a day counted
//   is always uncounted in the same zone.
// - The running tally mark is the open one that joined last; it stops running only when it
//   is closed itself or leaves. A closed tally mark that is reopened (its end set to the
//   null date) stays in the end index under the null date, counts no days and does not run.
class CTallymarksByDate : public CSlot<CTraceStartChangedEvent>,
                          public CSlot<CTraceEndChangedEvent>,
                          public CSlot<CTracesAddedEvent>,
                          public CSlot<CTracesRemovedEvent>,
                          public CSlot<CActivityAddedEvent> {
public:
    using CIndex = CSortedBlockSet<STallymarkIndexEntry>;

    CTallymarksByDate();
    explicit CTallymarksByDate(const CTimeZone& zone);
    CTallymarksByDate(const CTallymarksByDate&) = delete;
    CTallymarksByDate& operator=(const CTallymarksByDate&) = delete;
    ~CTallymarksByDate() override;

    // The zone of indexes made from now on without one, and of statistics intervals; null:
    // the system's zone. The same setting as CModelTimeZone::Set.
    static void SetDefaultTimeZone(const CTimeZone* zone);

    // For an owner that hears the start and end changes of every tally mark of the tree
    // itself (the project state): the index then links to no tally mark, a link less for
    // each, and the owner hands those changes on with TallymarkStartChanged and
    // TallymarkEndChanged after handling them. Call before AttachTo.
    void SetFedByOwner() { m_fedByOwner = true; }
    void TallymarkStartChanged(CTraceStartChangedEvent& event) { OnTraceStartChanged(event); }
    void TallymarkEndChanged(CTraceEndChangedEvent& event) { OnTraceEndChanged(event); }

    void AttachTo(CActivity* root);
    // Attaches this index, which must be new, to root, the root of a copy of original's tree
    // (whose root is originalRoot) that was filled while no index listened, and indexes every
    // tally mark below root at once; running is the copy's running tally mark (or null).
    // Days are counted in original's zone; the counts are taken over from original when the
    // copy holds the tally marks that original indexes. Much faster than hearing each tally
    // mark join.
    void AttachToCopy(CActivity* root, const CTallymarksByDate& original,
                      const CActivity* originalRoot, CTallymark* running);
    // Stops listening to everything and forgets every tally mark: for a tree that is about to
    // be destroyed, whose tally marks then need not leave the index one by one.
    void Detach();
    // Forgets every tally mark and indexes none until Rebuild, still hearing activities come
    // and go: for a tree about to be filled from a file, whose tally marks are then indexed
    // in one pass instead of one insertion each. Meanwhile the index answers as if empty.
    void Defer();
    // Ends Defer: indexes every tally mark below root, the root of the tree the index is
    // attached to, at once; running is the tree's running tally mark (or null).
    void Rebuild(CActivity* root, CTallymark* running);

    std::size_t GetCount() const { return m_byStart.GetSize(); }
    // Every indexed tally mark in order of start.
    const CIndex& GetStartIndex() const { return m_byStart; }
    // The earliest start; the null date when nothing is indexed.
    CDateTime GetFirstStart() const;
    // The latest end of a closed tally mark (the null date when there is none), or now when
    // a tally mark is running and now is later.
    CDateTime GetLastEnd() const;
    // Whether a closed tally mark touches the local day of localDate, or the running one
    // started on or before that day and the day is not after today (local).
    bool HasTallymarksOn(const CDateTime& localDate) const;

protected:
    bool OnEvent(CTraceStartChangedEvent& event) override { return OnTraceStartChanged(event); }
    bool OnEvent(CTraceEndChangedEvent& event) override { return OnTraceEndChanged(event); }
    bool OnEvent(CTracesAddedEvent& event) override { return OnTracesAdded(event); }
    bool OnEvent(CTracesRemovedEvent& event) override { return OnTracesRemoved(event); }
    bool OnEvent(CActivityAddedEvent& event) override { return OnActivityAdded(event); }

    virtual bool OnTraceStartChanged(CTraceStartChangedEvent& event);
    virtual bool OnTraceEndChanged(CTraceEndChangedEvent& event);
    virtual bool OnTracesAdded(CTracesAddedEvent& event);
    virtual bool OnTracesRemoved(CTracesRemovedEvent& event);
    virtual bool OnActivityAdded(CActivityAddedEvent& event);

private:
    static STallymarkIndexEntry MakeEntry(const CDateTime& date, CTallymark* tallymark);
    // The local day number of a universal time; INT_MIN for an invalid time.
    int GetLocalDay(const CDateTime& utc) const;
    // Adds delta to each local day from the day of start to the day of end.
    void CountDays(const CDateTime& start, const CDateTime& end, int delta);
    // What a walk over the tally marks of a tree gathers, in the order they lie in memory.
    struct SCollected {
        std::vector<STallymarkIndexEntry> starts;
        std::vector<STallymarkIndexEntry> ends;
        // The local days of each closed tally mark (when asked for).
        std::vector<std::pair<int, int>> days;
        // An order-independent digest of the dates of the closed tally marks.
        std::uint64_t digest = 0;
    };

    // Gathers the entries of every tally mark below activity. With connectCollections, also
    // listens to the collections (a copy that was filled while no index listened).
    void Collect(CActivity* activity, bool connectCollections, bool countDays,
                 SCollected& collected);
    // Takes the sorted entries in; running must be among them (or null).
    void Assign(std::vector<STallymarkIndexEntry>& starts, std::vector<STallymarkIndexEntry>& ends,
                CTallymark* running);
    // Counts the days of every closed tally mark of ends, on empty counts.
    void CountAllDays(const std::vector<STallymarkIndexEntry>& ends);

    CIndex m_byStart;
    CIndex m_byEnd;
    CTallymark* m_running = nullptr;
    bool m_fedByOwner = false;
    bool m_deferred = false;
    CDayCounts m_days;
    CTimeZone m_zone;
};
