#include "model/CStatGen.h"

#include "model/CActivity.h"
#include "model/CProjectState.h"
#include "model/CTallymark.h"

#include "library/datetime/CCalendar.h"

#include <algorithm>
#include <cmath>

namespace {

// The length of tallymark's part inside the universal bounds of interval (up to now when it
// is open), in days; 0 when they do not overlap or a date is invalid.
double GetTimeIn(const CTallymark& tallymark, const CStatInt& interval) {
    const CTimePeriod overlap =
        tallymark.GetOverlap(interval.GetStart(ETimeBase::Utc), interval.GetEnd(ETimeBase::Utc));
    const CDateTimeSpan length = overlap.GetLength();
    return overlap.IsEmpty() || !length.IsValid() ? 0.0 : length.GetValue();
}

// The last change stamp handed out (user-interface thread only).
std::uint64_t g_lastChangeStamp = 0;

} // namespace

CStatGen::CStatGen(CActivity* activity)
    : m_activity(activity), m_notifier(activity->GetProjectState() != nullptr
                                           ? &activity->GetProjectState()->GetStatUpdateNotifier()
                                           : nullptr),
      m_changeStamp(++g_lastChangeStamp) {
    CSlot<CTracesAddedEvent>::Connect(&activity->GetTallymarks());
    CSlot<CTracesRemovedEvent>::Connect(&activity->GetTallymarks());
}

CStatGen::~CStatGen() = default;

CStatValue CStatGen::Generate(const CStatInt& interval, EStatScope scope) {
    CStatValue value(interval);
    value.AddTime(CDateTimeSpan(
        Accumulate(interval, scope == EStatScope::WithDescendants, GetRunningTallymark())));
    return value;
}

void CStatGen::ClearCache() {
    m_ageList.clear();
    m_cache.clear();
    m_cacheNodes.Release();
    m_spans = std::vector<SClosedSpan>();
    m_spansReady = false;
}

void CStatGen::StopListening() {
    CSlot<CTraceStartChangedEvent>::DisconnectAll();
    CSlot<CTraceEndChangedEvent>::DisconnectAll();
    CSlot<CTracesAddedEvent>::DisconnectAll();
    CSlot<CTracesRemovedEvent>::DisconnectAll();
    ClearCache();
}

double CStatGen::Accumulate(const CStatInt& interval, bool withDescendants,
                            const CTallymark* running) {
    double total = GetClosedTotal(interval);
    if (running != nullptr && running->GetActivity() == m_activity) {
        total += GetTimeIn(*running, interval);
    }
    if (withDescendants) {
        for (CActivity* child = m_activity->GetFirstChild(); child != nullptr;
             child = child->GetNextSibling()) {
            total += child->GetStatGen().Accumulate(interval, true, running);
        }
    }
    return total;
}

double CStatGen::GetClosedTotal(const CStatInt& interval) {
    const CCache::iterator found = m_cache.find(interval.GetKey());
    if (found != m_cache.end()) {
        return found->second.GetTotal().GetValue();
    }
    const double total = SumClosed(interval);
    CStatValue value(interval);
    value.AddTime(CDateTimeSpan(total));
    m_ageList.push_back(m_cache.emplace(interval.GetKey(), value).first);
    if (m_cache.size() > kMaxCachedValues) {
        m_cache.erase(m_ageList.front());
        m_ageList.pop_front();
    }
    return total;
}

double CStatGen::SumClosed(const CStatInt& interval) {
    // A few tally marks are summed faster than sorted.
    constexpr std::size_t kFewTallymarks = 16;
    CTallymarks& tallymarks = m_activity->GetTallymarks();
    const double from = interval.GetStart(ETimeBase::Utc).GetValue();
    const double to = interval.GetEnd(ETimeBase::Utc).GetValue();
    if (tallymarks.GetCount() > kFewTallymarks && std::isfinite(from) && std::isfinite(to) &&
        (m_spansReady || MakeSpans())) {
        // Only a tally mark that starts before the interval ends and at most the longest
        // length before it starts can reach into it (a day's thousandth of a second to spare
        // for rounding); each counts as it would alone.
        const double first = CCalendar::ToLinear(from) - m_longest - 1e-8;
        const double last = CCalendar::ToLinear(to) + 1e-8;
        auto span = std::upper_bound(
            m_spans.begin(), m_spans.end(), last,
            [](double value, const SClosedSpan& closed) { return value < closed.start; });
        double total = 0.0;
        while (span != m_spans.begin() && (--span)->start >= first) {
            total += GetTimeIn(*span->tallymark, interval);
        }
        return total;
    }
    // Open tally marks are never cached: the running one is added live, others count
    // nothing until they are closed.
    double total = 0.0;
    for (CTallymark* tallymark = tallymarks.GetFirst(); tallymark != nullptr;
         tallymark = tallymarks.GetNext()) {
        if (!tallymark->IsOpen()) {
            total += GetTimeIn(*tallymark, interval);
        }
    }
    return total;
}

bool CStatGen::MakeSpans() {
    m_spans.clear();
    m_longest = 0.0;
    CTallymarks& tallymarks = m_activity->GetTallymarks();
    for (CTallymark* tallymark = tallymarks.GetFirst(); tallymark != nullptr;
         tallymark = tallymarks.GetNext()) {
        if (tallymark->IsOpen()) {
            continue;
        }
        const double start = tallymark->GetStart().GetValue();
        const double end = tallymark->GetEnd(false).GetValue();
        if (!std::isfinite(start) || !std::isfinite(end)) {
            m_spans.clear();
            return false;
        }
        SClosedSpan span{CCalendar::ToLinear(start), CCalendar::ToLinear(end), tallymark};
        m_longest = std::max(m_longest, span.end - span.start);
        m_spans.push_back(span);
    }
    std::sort(m_spans.begin(), m_spans.end(),
              [](const SClosedSpan& a, const SClosedSpan& b) { return a.start < b.start; });
    m_spansReady = true;
    return true;
}

const CTallymark* CStatGen::GetRunningTallymark() const {
    const CProjectState* state = m_activity->GetProjectState();
    if (state == nullptr) {
        return nullptr;
    }
    // A running tally mark that was closed a moment ago is in the cached totals already,
    // though the state may not have heard of its closing yet.
    const CTallymark* running = state->GetCurrentTallymark();
    return running != nullptr && running->IsOpen() ? running : nullptr;
}

void CStatGen::AddToCache(const CTallymark& tallymark, double factor) {
    for (auto& entry : m_cache) {
        CStatValue& value = entry.second;
        const double time = GetTimeIn(tallymark, value.GetInterval());
        if (time != 0.0) {
            value.AddTime(CDateTimeSpan(factor * time));
        }
    }
}

bool CStatGen::StopsWork(const CTallymark* tallymark) const {
    const CProjectState* state = m_activity->GetProjectState();
    // The state may hear of the change before or after this generator does.
    return state == nullptr || state->GetCurrentTallymark() == nullptr ||
           state->GetCurrentTallymark() == tallymark;
}

void CStatGen::Notify(EStatChange change) {
    m_changeStamp = ++g_lastChangeStamp;
    if (m_notifier != nullptr) {
        m_notifier->Notify(change);
    }
}

bool CStatGen::OnTraceStartChanged(CTraceStartChangedEvent& event) {
    DropSpans();
    if (!event.tallymark->IsOpen()) {
        ClearCache();
        Notify(scValuesChanged);
    } else {
        // The running time is counted live, but it changed all the same.
        m_changeStamp = ++g_lastChangeStamp;
    }
    return true;
}

bool CStatGen::OnTraceEndChanged(CTraceEndChangedEvent& event) {
    DropSpans();
    if (event.becameClosed) {
        // Cached first, so that whoever hears the work stop already sees the final totals.
        AddToCache(*event.tallymark, 1.0);
        if (StopsWork(event.tallymark)) {
            Notify(scWorkStopped);
        }
        Notify(scValuesChanged);
    } else {
        ClearCache();
        Notify(scValuesChanged);
    }
    return true;
}

bool CStatGen::OnTracesAdded(CTracesAddedEvent& event) {
    DropSpans();
    CTallymark* tallymark = event.tallymark;
    if (tallymark->IsOpen()) {
        Notify(scWorkStarted);
    } else {
        AddToCache(*tallymark, 1.0);
        Notify(scValuesChanged);
    }
    CSlot<CTraceStartChangedEvent>::Connect(tallymark);
    CSlot<CTraceEndChangedEvent>::Connect(tallymark);
    return true;
}

bool CStatGen::OnTracesRemoved(CTracesRemovedEvent& event) {
    DropSpans();
    CTallymark* tallymark = event.tallymark;
    if (!tallymark->IsOpen()) {
        AddToCache(*tallymark, -1.0);
        Notify(scValuesChanged);
    } else if (StopsWork(tallymark)) {
        Notify(scWorkStopped);
    } else {
        Notify(scValuesChanged);
    }
    CSlot<CTraceStartChangedEvent>::Disconnect(tallymark);
    CSlot<CTraceEndChangedEvent>::Disconnect(tallymark);
    return true;
}
