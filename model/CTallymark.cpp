#include "model/CTallymark.h"

#include "model/CClockNotices.h"
#include "model/CTickClock.h"
#include "model/CTallymarkPool.h"

#include <cmath>
#include <new>

CTallymark::CTallymark(CActivity* activity, const CDateTime& start, const CDateTime& end)
    : m_start(start), m_end(end), m_activity(activity) {}

CTallymark::CTallymark(CActivity* activity, const CDateTime& start)
    : CTallymark(activity, start, GetNullDate()) {}

CTallymark::CTallymark(CActivity* activity) : CTallymark(activity, GetNullDate(), GetNullDate()) {}

CTallymark::~CTallymark() {
    CTraceDeletedEvent event(this);
    CSignal<CTraceDeletedEvent>::Emit(event);
}

void* CTallymark::operator new(std::size_t size) {
    return size <= CTallymarkPool::kSlotSize ? CTallymarkPool::Allocate() : ::operator new(size);
}

void CTallymark::operator delete(void* tallymark, std::size_t size) noexcept {
    if (size <= CTallymarkPool::kSlotSize) {
        CTallymarkPool::Free(tallymark);
    } else {
        ::operator delete(tallymark);
    }
}

CTallymark* CTallymark::Copy(const CTallymark& tallymark, CActivity* activity) {
    CTallymark* copy = new CTallymark(activity, tallymark.m_start, tallymark.m_end);
    // An edit works on copies: the running copy still knows when the work began.
    copy->m_startTicks = tallymark.m_startTicks;
    return copy;
}

CDateTime CTallymark::GetEnd(bool nowIfOpen) const {
    return nowIfOpen && IsOpen() ? CDateTime::Now(true) : m_end;
}

CDateTimeSpan CTallymark::GetDuration() const {
    return GetEnd(true) - m_start;
}

bool CTallymark::IsValid() const {
    return m_start <= GetEnd(true);
}

CTimePeriod CTallymark::GetOverlap(const CDateTime& periodStart, const CDateTime& periodEnd) const {
    return CTimePeriod(periodStart, periodEnd, m_start, GetEnd(true));
}

void CTallymark::SetStart(const CDateTime& start) {
    if (start == m_start) {
        return;
    }
    CTraceStartChangedEvent event(this, m_start, start);
    m_start = start;
    m_startTicks = 0;
    CSignal<CTraceStartChangedEvent>::Emit(event);
}

void CTallymark::SetEnd(const CDateTime& end) {
    if (end == m_end) {
        return;
    }
    CTraceEndChangedEvent event(this, m_end, end, IsOpen() && end.GetValue() != kNullDate);
    m_end = end;
    CSignal<CTraceEndChangedEvent>::Emit(event);
}

void CTallymark::SetActivity(CActivity* activity) {
    if (activity == m_activity) {
        return;
    }
    CTraceActivityChangedEvent event(this, m_activity, activity);
    m_activity = activity;
    CSignal<CTraceActivityChangedEvent>::Emit(event);
}

namespace {

const double kMillisecondsPerDay = 86400000.0;
// How far the wall clock may stray from the monotonic clock before it counts as set: a
// minute, and a thousandth of the time worked, far beyond the drift of the two clocks
// (a few seconds a day) yet far below an hour's step.
const double kToleranceDays = 1.0 / 1440.0;
const double kToleranceShare = 0.001;

} // namespace

ETallymarkEnd CTallymark::EndNow() {
    if (!IsOpen()) {
        return ETallymarkEnd::NotOpen;
    }
    const CDateTime now = CDateTime::Now(true);
    if (!CanHold(now)) {
        CClockNotices::Get().Report(EClockNotice::StopRefused, m_activity, this, now);
        return ETallymarkEnd::Refused;
    }
    const std::uint64_t ticks = m_startTicks != 0 ? CTickClock::Get() : 0;
    if (m_startTicks == 0 || ticks < m_startTicks) {
        // No reading to trust (begun in an earlier run): only a clock before the start
        // shows that it was set.
        if (!(now < m_start)) {
            SetEnd(now);
            return ETallymarkEnd::Ended;
        }
        SetEnd(m_start);
        CClockNotices::Get().Report(EClockNotice::EndedAfterClockSetBack, m_activity, this, now);
        return ETallymarkEnd::EndedAfterClockSetBack;
    }
    const double elapsedDays = static_cast<double>(ticks - m_startTicks) / kMillisecondsPerDay;
    const double wallDays = (now - m_start).GetValue();
    if (std::fabs(wallDays - elapsedDays) <= kToleranceDays + kToleranceShare * elapsedDays) {
        SetEnd(now);
        return ETallymarkEnd::Ended;
    }
    CDateTime end = m_start + CDateTimeSpan(elapsedDays);
    if (!CanHold(end)) {
        // Only a start at the calendar's end gets here: the last moment a file holds.
        end = CDateTime(CDateTime::GetMaximum());
    }
    SetEnd(end);
    const bool setBack = wallDays < elapsedDays;
    CClockNotices::Get().Report(setBack ? EClockNotice::EndedAfterClockSetBack
                                        : EClockNotice::EndedAfterClockSetForward,
                                m_activity, this, now);
    return setBack ? ETallymarkEnd::EndedAfterClockSetBack
                   : ETallymarkEnd::EndedAfterClockSetForward;
}

void CTallymark::MarkStartedNow() {
    m_startTicks = CTickClock::Get();
}

bool CTallymark::CanHold(const CDateTime& date) {
    return date.IsValid();
}
