#include "model/CTallymark.h"

#include "model/CClockNotices.h"
#include "model/CTickClock.h"
#include "model/CTallymarkPool.h"

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

ETallymarkEnd CTallymark::EndNow() {
    if (!IsOpen()) {
        return ETallymarkEnd::NotOpen;
    }
    const CDateTime now = CDateTime::Now(true);
    if (!CanHold(now)) {
        CClockNotices::Get().Report(EClockNotice::StopRefused, m_activity, this, now);
        return ETallymarkEnd::Refused;
    }
    if (!(now < m_start)) {
        SetEnd(now);
        return ETallymarkEnd::Ended;
    }
    const std::uint64_t ticks = CTickClock::Get();
    const double elapsedDays =
        m_startTicks != 0 && ticks >= m_startTicks ? (ticks - m_startTicks) / 86400000.0 : 0.0;
    CDateTime end = m_start + CDateTimeSpan(elapsedDays);
    if (!CanHold(end)) {
        end = m_start;
    }
    SetEnd(end);
    CClockNotices::Get().Report(EClockNotice::EndedAfterClockSetBack, m_activity, this, now);
    return ETallymarkEnd::EndedAfterClockSetBack;
}

void CTallymark::MarkStartedNow() {
    m_startTicks = CTickClock::Get();
}

bool CTallymark::CanHold(const CDateTime& date) {
    return date.IsValid();
}
