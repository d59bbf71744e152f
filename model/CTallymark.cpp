#include "model/CTallymark.h"

#include "model/CClockNotices.h"
#include "model/CTallymarkPool.h"

#include <algorithm>
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
    // An edit works on copies: the running copy still knows where the work was seen.
    copy->m_seen = tallymark.m_seen;
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
// How far the clock may stray from the monotonic clock before it counts as set: a minute,
// and a thousandth of the time worked, far beyond the drift of the two clocks (a few
// seconds a day); at most ten minutes, so that no correction of an hour goes unseen
// however long the work ran.
const double kToleranceDays = 1.0 / 1440.0;
const double kToleranceShare = 0.001;
const double kMaxToleranceDays = 10.0 / 1440.0;

} // namespace

STallymarkEndNow CTallymark::FindEndNow(const SClockReading& now) const {
    STallymarkEndNow found;
    found.end = GetNullDate();
    if (!IsOpen()) {
        return found;
    }
    found.now = now.time;
    if (!CanHold(found.now)) {
        found.result = ETallymarkEnd::Refused;
        return found;
    }
    if (m_seen.ticks == 0 || now.ticks < m_seen.ticks) {
        // No reading to trust (begun in an earlier run): only a clock before the start
        // shows that it was set, and how long the work lasted is then unknown.
        const bool beforeStart = found.now < m_start;
        found.result = beforeStart ? ETallymarkEnd::EndedAtStartTimeUnknown : ETallymarkEnd::Ended;
        found.end = beforeStart ? m_start : found.now;
        return found;
    }
    const double elapsedDays = static_cast<double>(now.ticks - m_seen.ticks) / kMillisecondsPerDay;
    const double wallDays = (found.now - m_seen.time).GetValue();
    const double tolerance =
        std::min(kToleranceDays + kToleranceShare * elapsedDays, kMaxToleranceDays);
    const bool beforeStart = found.now < m_start;
    if (!beforeStart && std::fabs(wallDays - elapsedDays) <= tolerance) {
        found.result = ETallymarkEnd::Ended;
        found.end = found.now;
        return found;
    }
    found.end = m_seen.time + CDateTimeSpan(elapsedDays);
    if (found.end < m_start) {
        // The start was put after the time that really passed: the work has not begun, and
        // the time worked is not known.
        found.result = ETallymarkEnd::EndedAtStartTimeUnknown;
        found.end = m_start;
        return found;
    }
    if (!CanHold(found.end)) {
        // Only work seen at the calendar's end gets here: the last moment a file holds.
        found.end = CDateTime(CDateTime::GetMaximum());
    }
    // A clock before the start counts as set back, also when only by seconds.
    found.result = beforeStart || wallDays < elapsedDays ? ETallymarkEnd::EndedAfterClockSetBack
                                                         : ETallymarkEnd::EndedAfterClockSetForward;
    return found;
}

void CTallymark::ReportEndNow(const STallymarkEndNow& endNow) {
    ReportEndNow(endNow, *this);
}

void CTallymark::ReportEndNow(const STallymarkEndNow& endNow, const CTallymark& carrier) {
    EClockNotice notice = EClockNotice::StopRefused;
    switch (endNow.result) {
    case ETallymarkEnd::NotOpen:
    case ETallymarkEnd::Ended:
        return;
    case ETallymarkEnd::Refused:
        break;
    case ETallymarkEnd::EndedAfterClockSetBack:
        notice = EClockNotice::EndedAfterClockSetBack;
        break;
    case ETallymarkEnd::EndedAfterClockSetForward:
        notice = EClockNotice::EndedAfterClockSetForward;
        break;
    case ETallymarkEnd::EndedAtStartTimeUnknown:
        notice = EClockNotice::EndedAtStartTimeUnknown;
        break;
    }
    CClockNotices::Get().Report(notice, m_activity, this, endNow.now, endNow.end, &carrier);
}

ETallymarkEnd CTallymark::EndNow(const SClockReading& now) {
    const STallymarkEndNow endNow = FindEndNow(now);
    if (endNow.Ends()) {
        SetEnd(endNow.end);
    }
    ReportEndNow(endNow);
    return endNow.result;
}

void CTallymark::MarkRunningAt(const SClockReading& seen) {
    m_seen = seen;
}

bool CTallymark::CanHold(const CDateTime& date) {
    return date.IsValid();
}
