#include "model/CTallymarksByDate.h"

#include "library/datetime/CCalendar.h"
#include "model/CActivity.h"
#include "model/CTallymark.h"

#include <climits>
#include <cmath>
#include <memory>

namespace {

std::unique_ptr<CTimeZone>& DefaultZone() {
    static std::unique_ptr<CTimeZone> zone;
    return zone;
}

} // namespace

CTallymarksByDate::CTallymarksByDate()
    : CTallymarksByDate(DefaultZone() ? *DefaultZone() : CTimeZone::GetCurrent()) {}

CTallymarksByDate::CTallymarksByDate(const CTimeZone& zone) : m_zone(zone) {}

CTallymarksByDate::~CTallymarksByDate() = default;

void CTallymarksByDate::SetDefaultTimeZone(const CTimeZone* zone) {
    DefaultZone().reset(zone == nullptr ? nullptr : new CTimeZone(*zone));
}

void CTallymarksByDate::AttachTo(CActivity* root) {
    CSlot<CActivityAddedEvent>::Connect(root);
}

CDateTime CTallymarksByDate::GetFirstStart() const {
    return m_byStart.IsEmpty() ? CTallymark::GetNullDate()
                               : m_byStart.GetFirst().tallymark->GetStart();
}

CDateTime CTallymarksByDate::GetLastEnd() const {
    CDateTime last =
        m_byEnd.IsEmpty() ? CTallymark::GetNullDate() : m_byEnd.GetLast().tallymark->GetEnd(false);
    if (m_running != nullptr) {
        const CDateTime now = CDateTime::Now(true);
        if (now > last) {
            last = now;
        }
    }
    return last;
}

bool CTallymarksByDate::HasTallymarksOn(const CDateTime& localDate) const {
    const int day = localDate.GetDayNumber();
    if (m_days.GetCount(day) > 0) {
        return true;
    }
    if (m_running == nullptr) {
        return false;
    }
    const int startDay = GetLocalDay(m_running->GetStart());
    return startDay != INT_MIN && day >= startDay && day <= GetLocalDay(CDateTime::Now(true));
}

bool CTallymarksByDate::OnTraceStartChanged(CTraceStartChangedEvent& event) {
    CTallymark* tallymark = event.tallymark;
    if (!m_byStart.Erase(MakeEntry(event.oldStart, tallymark))) {
        return true;
    }
    m_byStart.Insert(MakeEntry(tallymark->GetStart(), tallymark));
    if (!tallymark->IsOpen()) {
        const CDateTime end = tallymark->GetEnd(false);
        CountDays(event.oldStart, end, -1);
        CountDays(tallymark->GetStart(), end, 1);
    }
    return true;
}

bool CTallymarksByDate::OnTraceEndChanged(CTraceEndChangedEvent& event) {
    CTallymark* tallymark = event.tallymark;
    // Also on closing: a tally mark that was reopened stands under the null date.
    m_byEnd.Erase(MakeEntry(event.oldEnd, tallymark));
    if (event.becameClosed) {
        if (m_running == tallymark) {
            m_running = nullptr;
        }
    } else {
        CountDays(tallymark->GetStart(), event.oldEnd, -1);
    }
    m_byEnd.Insert(MakeEntry(tallymark->GetEnd(false), tallymark));
    CountDays(tallymark->GetStart(), tallymark->GetEnd(false), 1);
    return true;
}

bool CTallymarksByDate::OnTracesAdded(CTracesAddedEvent& event) {
    CTallymark* tallymark = event.tallymark;
    if (!m_byStart.Insert(MakeEntry(tallymark->GetStart(), tallymark))) {
        return true;
    }
    if (tallymark->IsOpen()) {
        m_running = tallymark;
    } else {
        m_byEnd.Insert(MakeEntry(tallymark->GetEnd(false), tallymark));
        CountDays(tallymark->GetStart(), tallymark->GetEnd(false), 1);
    }
    CSlot<CTraceStartChangedEvent>::Connect(tallymark);
    CSlot<CTraceEndChangedEvent>::Connect(tallymark);
    return true;
}

bool CTallymarksByDate::OnTracesRemoved(CTracesRemovedEvent& event) {
    CTallymark* tallymark = event.tallymark;
    CSlot<CTraceStartChangedEvent>::Disconnect(tallymark);
    CSlot<CTraceEndChangedEvent>::Disconnect(tallymark);
    if (!m_byStart.Erase(MakeEntry(tallymark->GetStart(), tallymark))) {
        return true;
    }
    // A reopened tally mark is open and still has an entry under the null date.
    m_byEnd.Erase(MakeEntry(tallymark->GetEnd(false), tallymark));
    if (tallymark->IsOpen()) {
        if (m_running == tallymark) {
            m_running = nullptr;
        }
    } else {
        CountDays(tallymark->GetStart(), tallymark->GetEnd(false), -1);
    }
    return true;
}

bool CTallymarksByDate::OnActivityAdded(CActivityAddedEvent& event) {
    if (event.isNew) {
        CTallymarks& tallymarks = event.activity->GetTallymarks();
        CSlot<CTracesAddedEvent>::Connect(&tallymarks);
        CSlot<CTracesRemovedEvent>::Connect(&tallymarks);
    }
    return true;
}

STallymarkIndexEntry CTallymarksByDate::MakeEntry(const CDateTime& date, CTallymark* tallymark) {
    const double value = date.GetValue();
    // NaN has no place in an order; infinities keep theirs.
    if (!std::isfinite(value)) {
        return {std::isnan(value) ? -HUGE_VAL : value, tallymark};
    }
    return {CCalendar::ToLinear(value), tallymark};
}

int CTallymarksByDate::GetLocalDay(const CDateTime& utc) const {
    return utc.UtcToLocal(m_zone).GetDayNumber();
}

void CTallymarksByDate::CountDays(const CDateTime& start, const CDateTime& end, int delta) {
    const int first = GetLocalDay(start);
    const int last = GetLocalDay(end);
    if (first != INT_MIN && last != INT_MIN) {
        m_days.Add(first, last, delta);
    }
}
