#pragma once

#include "library/datetime/CDateTime.h"
#include "library/datetime/CDateTimeSpan.h"
#include "library/events/CSignal.h"
#include "model/CTimePeriod.h"
#include "model/CTraceActivityChangedEvent.h"
#include "model/CTraceDeletedEvent.h"
#include "model/CTraceEndChangedEvent.h"
#include "model/CTraceStartChangedEvent.h"
#include "model/SClockReading.h"
#include "model/STallymarkEndNow.h"

#include <cstddef>

class CActivity;

// One registration of time: a start, an end and the activity the time was spent on. Both
// dates are universal time. A tally mark without an end (its end is the null date) is open:
// it is being worked on, and wherever a length or overlap is computed its end counts as now
// (CDateTime::Now(true)).
//
// Usage notes:
// - Every change of the start, end or activity, and the destruction, is announced through
//   the four signals; each setter compares first and announces only a real change, after
//   the new value is stored. Listeners read the new state from the tally mark and the old
//   value from the event.
// - A tally mark is owned by the collection (CTallymarks) of its activity once it was added
//   there. It may be deleted directly: its CTraceDeletedEvent takes it out of its collection
//   and every index. SetActivity does not move it itself; its collection reacts.
// - Never compute with the stored end of an open tally mark (the null date lies outside the
//   valid range of CDateTime): use GetEnd(true).
class CTallymark : public CSignal<CTraceStartChangedEvent>,
                   public CSignal<CTraceEndChangedEvent>,
                   public CSignal<CTraceActivityChangedEvent>,
                   public CSignal<CTraceDeletedEvent> {
public:
    // Closed from start to end (open when end is the null date).
    CTallymark(CActivity* activity, const CDateTime& start, const CDateTime& end);
    // Open from start.
    CTallymark(CActivity* activity, const CDateTime& start);
    // Start and end the null date, for a reader to fill in.
    explicit CTallymark(CActivity* activity);
    CTallymark(const CTallymark&) = delete;
    CTallymark& operator=(const CTallymark&) = delete;
    // Announces CTraceDeletedEvent first, with every link still in place.
    ~CTallymark() override;

    // Tally marks live in CTallymarkPool.
    static void* operator new(std::size_t size);
    static void operator delete(void* tallymark, std::size_t size) noexcept;

    // A new tally mark with the start and end of tallymark, for activity; the caller owns it.
    static CTallymark* Copy(const CTallymark& tallymark, CActivity* activity);

    // No date: the end of an open tally mark; the date index's answer when it is empty.
    static CDateTime GetNullDate() { return CDateTime(kNullDate); }
    // The bounds and the largest length that the tally-mark dialogs and list accept.
    static CDateTime GetMinDate() { return CDateTime(-693958.9); }
    static CDateTime GetMaxDate() { return CDateTime(2956135.0); }
    static CDateTimeSpan GetMaxDuration() { return CDateTimeSpan(693959.0); }

    CActivity* GetActivity() const { return m_activity; }
    const CDateTime& GetStart() const { return m_start; }
    // The stored end; with nowIfOpen, now for an open tally mark.
    CDateTime GetEnd(bool nowIfOpen) const;
    // The end exactly equals the null date.
    bool IsOpen() const { return m_end.GetValue() == kNullDate; }
    // The end (now when open) minus the start.
    CDateTimeSpan GetDuration() const;
    // The start is not after the end (now when open).
    bool IsValid() const;
    // The part inside the period: the later start and the earlier end (now when open);
    // empty (end before start) when the tally mark lies outside the period.
    CTimePeriod GetOverlap(const CDateTime& periodStart, const CDateTime& periodEnd) const;

    void SetStart(const CDateTime& start);
    // The null date reopens a closed tally mark.
    void SetEnd(const CDateTime& end);
    void SetActivity(CActivity* activity);
    // Where this tally mark ends when it ends at now (the present: SClockReading::Take), the
    // one rule by which every running tally mark ends at the present; changes nothing and
    // tells nobody. A closed tally mark gives NotOpen; a time that no project file can hold
    // (CanHold), Refused. When the work was seen running in this run (MarkRunningAt) the
    // monotonic clock decides: the clock's time since then may differ from what passed on it
    // by a minute plus a thousandth of it, ten minutes at the most, and the clock may never
    // lie before the start; otherwise the clock was set back or forward and the end is where
    // the work was seen plus the time that really passed. Without that reading a clock before
    // the start, and with it a start after the time that really passed, ends it at its start
    // (the time worked is not known). The end is never before the start.
    STallymarkEndNow FindEndNow(const SClockReading& now) const;
    STallymarkEndNow FindEndNow() const { return FindEndNow(SClockReading::Take()); }
    // Tells the user (CClockNotices) what the clock made of endNow, found by FindEndNow for
    // this tally mark: a refusal, a set clock or an unknown time; nothing for a plain end.
    void ReportEndNow(const STallymarkEndNow& endNow);
    // The same for an end that carrier stores instead of this tally mark (the copy that a
    // Move takes into another activity or project): the report is kept for the user only
    // while carrier holds that end (see CClockNotices).
    void ReportEndNow(const STallymarkEndNow& endNow, const CTallymark& carrier);
    // Ends an open tally mark where FindEndNow says and reports it (ReportEndNow); a refused
    // one stays open, a closed one as it is.
    ETallymarkEnd EndNow(const SClockReading& now);
    ETallymarkEnd EndNow() { return EndNow(SClockReading::Take()); }
    // Notes that the work on this tally mark was seen running at seen: its time is where the
    // work stood then (the start of new work; the end found for the work it goes on from),
    // its ticks when. The reading stays with the work whatever later moves its start (a
    // split, a clipping Move, an edit) and goes with its copies; EndNow measures from it.
    void MarkRunningAt(const SClockReading& seen);
    // Whether a project file can hold date as a start or end: a valid date (the null date
    // of an open end aside, which is no time).
    static bool CanHold(const CDateTime& date);

private:
    static constexpr double kNullDate = -693959.0;

    CDateTime m_start;
    CDateTime m_end;
    CActivity* m_activity;
    // Where and when the work was last seen running in this run; no ticks: not in this run.
    SClockReading m_seen;
};
