#pragma once

#include "library/events/CSlot.h"
#include "model/CNodeArena.h"
#include "model/CStatInt.h"
#include "model/CStatUpdateNotifier.h"
#include "model/CStatValue.h"
#include "model/CTraceEndChangedEvent.h"
#include "model/CTraceStartChangedEvent.h"
#include "model/CTracesAddedEvent.h"
#include "model/CTracesRemovedEvent.h"

#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <vector>

class CActivity;
class CTallymark;

// Whose time a statistic counts.
enum class EStatScope {
    // The activity's own tally marks.
    Own,
    // Those of the activity and of every activity below it.
    WithDescendants,
};

// The statistics of one activity (each activity owns one): how much time it got in an
// interval. Totals of the activity's own closed tally marks are cached per interval and kept
// right from the tally marks' events; the running tally mark is added live at every request,
// and descendants are asked each time.
//
// Usage notes:
// - Ask again whenever the state's CStatUpdateNotifier announces CStatsUpdatedEvent: with a
//   tally mark running that happens once a second.
// - The cache holds at most kMaxCachedValues intervals; beyond that the interval cached
//   longest ago goes, however often it was asked for since.
// - An activity must not outlive its project state: the statistics use the state's working
//   state and notifier. An activity without a state counts no running time and notifies
//   nobody.
class CStatGen : public CSlot<CTraceStartChangedEvent>,
                 public CSlot<CTraceEndChangedEvent>,
                 public CSlot<CTracesAddedEvent>,
                 public CSlot<CTracesRemovedEvent> {
public:
    static constexpr std::size_t kMaxCachedValues = 10922;

    // Listens to activity's collection; activity's state (if any) must exist already.
    explicit CStatGen(CActivity* activity);
    CStatGen(const CStatGen&) = delete;
    CStatGen& operator=(const CStatGen&) = delete;
    ~CStatGen() override;

    // The time in the interval (its universal bounds): the cached total of the activity's
    // closed tally marks, plus the running tally mark's time up to now when it belongs to
    // this activity, plus, with descendants, every descendant's time.
    CStatValue Generate(const CStatInt& interval, EStatScope scope);

    std::size_t GetNumCachedValues() const { return m_cache.size(); }
    bool IsCached(const CStatInt& interval) const { return m_cache.count(interval.GetKey()) != 0; }
    // Forgets every cached total (they are computed again when asked for).
    void ClearCache();
    // Stops hearing the activity's tally marks and forgets every total: for a state that is
    // going away, whose statistics nobody asks for or hears of again.
    void StopListening();
    // Changes whenever the activity's own totals may have changed (a tally mark of its
    // came, went, moved in time or stopped); unique across every statistics object of the
    // process, so a stamp seen before never stands for another activity's totals.
    std::uint64_t GetChangeStamp() const { return m_changeStamp; }

protected:
    bool OnEvent(CTraceStartChangedEvent& event) override { return OnTraceStartChanged(event); }
    bool OnEvent(CTraceEndChangedEvent& event) override { return OnTraceEndChanged(event); }
    bool OnEvent(CTracesAddedEvent& event) override { return OnTracesAdded(event); }
    bool OnEvent(CTracesRemovedEvent& event) override { return OnTracesRemoved(event); }

    virtual bool OnTraceStartChanged(CTraceStartChangedEvent& event);
    virtual bool OnTraceEndChanged(CTraceEndChangedEvent& event);
    virtual bool OnTracesAdded(CTracesAddedEvent& event);
    virtual bool OnTracesRemoved(CTracesRemovedEvent& event);

private:
    using CCache = std::map<SStatIntKey, CStatValue, std::less<SStatIntKey>,
                            CNodeArena::CAllocator<std::pair<const SStatIntKey, CStatValue>>>;

    // A closed tally mark of the activity on the linear time line.
    struct SClosedSpan {
        double start;
        double end;
        const CTallymark* tallymark;
    };

    // The total in days (see Generate); running is the state's running tally mark, or null.
    double Accumulate(const CStatInt& interval, bool withDescendants, const CTallymark* running);
    // The cached total of the own closed tally marks, computed and cached on a miss.
    double GetClosedTotal(const CStatInt& interval);
    // The state's running tally mark while it is open; null otherwise.
    const CTallymark* GetRunningTallymark() const;
    // Adds factor times tallymark's time in each cached interval to its total.
    void AddToCache(const CTallymark& tallymark, double factor);
    // Whether tallymark leaving or closing ends the work of the state: it is the running
    // tally mark, or nothing else runs.
    bool StopsWork(const CTallymark* tallymark) const;
    // Takes a new change stamp and tells the notifier.
    void Notify(EStatChange change);
    // The total of the closed tally marks in interval: every one of them, or, with the
    // spans sorted by start, only those that may reach into it.
    double SumClosed(const CStatInt& interval);
    // Sorts the closed tally marks by start; false (and the spans stay unused) for a date
    // that has no place on the time line.
    bool MakeSpans();
    // Forgets the sorted spans after a change of the tally marks.
    void DropSpans() { m_spansReady = false; }

    CActivity* m_activity;
    CStatUpdateNotifier* m_notifier;
    // The cached totals (their nodes in the arena, which a cleared cache gives back at
    // once), and the same entries in the order they were cached (oldest first).
    CNodeArena m_cacheNodes;
    CCache m_cache{std::less<SStatIntKey>(), CCache::allocator_type(&m_cacheNodes)};
    std::deque<CCache::iterator> m_ageList;
    // The closed tally marks sorted by start and the longest of them, made when a total is
    // first computed and kept until the tally marks change: a first pass over many
    // intervals then looks at the few tally marks of each, not at all of them every time.
    std::vector<SClosedSpan> m_spans;
    double m_longest = 0.0;
    bool m_spansReady = false;
    std::uint64_t m_changeStamp;
};
