#pragma once

#include "library/events/CSlot.h"
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
#include <map>

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
    using CCache = std::map<SStatIntKey, CStatValue>;

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

    CActivity* m_activity;
    CStatUpdateNotifier* m_notifier;
    // The cached totals, and the same entries in the order they were cached (oldest first).
    CCache m_cache;
    std::deque<CCache::iterator> m_ageList;
    std::uint64_t m_changeStamp;
};
