#include "model/CStatGen.h"

#include "model/CActivity.h"
#include "model/CProjectState.h"
#include "model/CTallymark.h"

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
    // Open tally marks are never cached: the running one is added live, others count
    // nothing until they are closed.
    double total = 0.0;
    CTallymarks& tallymarks = m_activity->GetTallymarks();
    for (CTallymark* tallymark = tallymarks.GetFirst(); tallymark != nullptr;
         tallymark = tallymarks.GetNext()) {
        if (!tallymark->IsOpen()) {
            total += GetTimeIn(*tallymark, interval);
        }
    }
    CStatValue value(interval);
    value.AddTime(CDateTimeSpan(total));
    m_ageList.push_back(m_cache.emplace(interval.GetKey(), value).first);
    if (m_cache.size() > kMaxCachedValues) {
        m_cache.erase(m_ageList.front());
        m_ageList.pop_front();
    }
    return total;
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
