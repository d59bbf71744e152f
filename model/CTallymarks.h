#pragma once

#include "library/datetime/CDateTime.h"
#include "library/events/CSignal.h"
#include "library/events/CSlot.h"
#include "model/CSortedBlockSet.h"
#include "model/CTraceActivityChangedEvent.h"
#include "model/CTraceDeletedEvent.h"
#include "model/CTracesAddedEvent.h"
#include "model/CTracesRemovedEvent.h"

#include <functional>

class CActivity;
class CTallymark;

// The tally marks of one activity, which it owns. Every tally mark that joins or leaves is
// announced (CTracesAddedEvent, CTracesRemovedEvent); a tally mark that is given another
// activity moves to that activity's collection, and one that is deleted leaves by itself.
//
// Usage notes:
// - The collection listens to each of its tally marks while, and only while, the tally
//   mark is in it: a tally mark that left is not heard again.
// - Tally marks are kept in address order; that order means nothing to the user and tests
//   must not rely on it.
// - GetFirst/GetNext iterate through the collection's single cursor; iterations must not
//   nest on one collection. The walk survives changes of the set.
class CTallymarks : public CSlot<CTraceActivityChangedEvent>,
                    public CSlot<CTraceDeletedEvent>,
                    public CSignal<CTracesAddedEvent>,
                    public CSignal<CTracesRemovedEvent> {
public:
    explicit CTallymarks(CActivity* activity);
    CTallymarks(const CTallymarks&) = delete;
    CTallymarks& operator=(const CTallymarks&) = delete;
    // Clears the collection: every tally mark is announced as removed and deleted.
    ~CTallymarks() override;

    CActivity* GetActivity() const { return m_activity; }

    // Takes tallymark into the collection, which owns it from now on, and announces it.
    // A tally mark already in the collection changes nothing (false).
    bool Add(CTallymark* tallymark);
    // Gives tallymark up without deleting it and announces it; false (and nothing is
    // announced) when it was not in the collection. The caller owns it afterwards.
    bool Remove(CTallymark* tallymark);
    // Announces each tally mark as removed and deletes it; the collection is empty from the
    // start of the first announcement.
    void Clear();

    bool HasTallymarks() const { return !m_tallymarks.IsEmpty(); }
    // Whether tallymark is in the collection; it may be one deleted since (never read).
    bool Contains(const CTallymark* tallymark) const {
        return m_tallymarks.Contains(const_cast<CTallymark*>(tallymark));
    }
    std::size_t GetCount() const { return m_tallymarks.GetSize(); }
    // The first tally mark, or null when there is none; then each following one, or null
    // after the last.
    CTallymark* GetFirst();
    CTallymark* GetNext();

    // Copies every tally mark into target (for target's activity), after clearing target
    // when clearTarget is set. Returns whether this collection holds tally marks.
    bool CopyAll(CTallymarks& target, bool clearTarget);
    // Copies the part of every tally mark inside the period into target (an open one ends
    // at the earlier of the period end and now, as CTallymark::FindEndNow puts now; moved
    // whole, it is reported as EndNow reports), after clearing target when clearTarget is
    // set. With move, the copied parts leave this collection: a tally mark inside the period
    // is deleted, one that sticks out is shortened, and one around the period is split (the
    // part before the period becomes a new tally mark here). Returns whether a part was
    // copied.
    bool CopyClipped(CTallymarks& target, bool clearTarget, bool move, const CDateTime& periodStart,
                     const CDateTime& periodEnd);

protected:
    bool OnEvent(CTraceActivityChangedEvent& event) override { return ActivityChangedEvent(event); }
    bool OnEvent(CTraceDeletedEvent& event) override { return OnTraceDeleted(event); }

    // Moves the tally mark to the collection of its new activity (none for a null activity:
    // it then belongs to whoever set it). Throws CError code 1 (text 40337) when this
    // collection belongs to neither activity of the event.
    virtual bool ActivityChangedEvent(CTraceActivityChangedEvent& event);
    virtual bool OnTraceDeleted(CTraceDeletedEvent& event);

private:
    using CSet = CSortedBlockSet<CTallymark*, std::less<CTallymark*>>;

    void Listen(CTallymark* tallymark);
    void StopListening(CTallymark* tallymark);

    CActivity* m_activity;
    CSet m_tallymarks;
    // The tally mark that the iteration returned last (null before the first and after the
    // last) and where it stood.
    CTallymark* m_cursorTallymark = nullptr;
    CSet::const_iterator m_cursor;
};
