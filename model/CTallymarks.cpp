#include "model/CTallymarks.h"

#include "library/text/CError.h"
#include "library/text/CText.h"
#include "model/CActivity.h"
#include "model/CTallymark.h"

#include "resources/ResourceIds.h"

#include <vector>

CTallymarks::CTallymarks(CActivity* activity) : m_activity(activity) {}

CTallymarks::~CTallymarks() {
    Clear();
}

bool CTallymarks::Add(CTallymark* tallymark) {
    if (tallymark == nullptr || !m_tallymarks.Insert(tallymark)) {
        return false;
    }
    Listen(tallymark);
    CTracesAddedEvent event(tallymark);
    CSignal<CTracesAddedEvent>::Emit(event);
    return true;
}

bool CTallymarks::Remove(CTallymark* tallymark) {
    if (!m_tallymarks.Erase(tallymark)) {
        return false;
    }
    StopListening(tallymark);
    CTracesRemovedEvent event(tallymark);
    CSignal<CTracesRemovedEvent>::Emit(event);
    return true;
}

void CTallymarks::Clear() {
    if (m_tallymarks.IsEmpty()) {
        return;
    }
    for (CTallymark* tallymark : m_tallymarks.TakeAll()) {
        CTracesRemovedEvent event(tallymark);
        CSignal<CTracesRemovedEvent>::Emit(event);
        StopListening(tallymark);
        delete tallymark;
    }
}

CTallymark* CTallymarks::GetFirst() {
    m_cursor = m_tallymarks.begin();
    m_cursorTallymark = m_cursor == m_tallymarks.end() ? nullptr : *m_cursor;
    return m_cursorTallymark;
}

CTallymark* CTallymarks::GetNext() {
    if (m_cursorTallymark == nullptr) {
        return nullptr;
    }
    if (m_tallymarks.Holds(m_cursor, m_cursorTallymark)) {
        ++m_cursor;
    } else {
        m_cursor = m_tallymarks.UpperBound(m_cursorTallymark);
    }
    m_cursorTallymark = m_cursor == m_tallymarks.end() ? nullptr : *m_cursor;
    return m_cursorTallymark;
}

bool CTallymarks::CopyAll(CTallymarks& target, bool clearTarget) {
    if (clearTarget) {
        target.Clear();
    }
    const std::vector<CTallymark*> tallymarks = m_tallymarks.ToVector();
    for (CTallymark* tallymark : tallymarks) {
        target.Add(CTallymark::Copy(*tallymark, target.m_activity));
    }
    return !tallymarks.empty();
}

bool CTallymarks::CopyClipped(CTallymarks& target, bool clearTarget, bool move,
                              const CDateTime& periodStart, const CDateTime& periodEnd) {
    if (clearTarget) {
        target.Clear();
    }
    bool copied = false;
    // Tally marks are deleted and added during the walk.
    for (CTallymark* tallymark : m_tallymarks.ToVector()) {
        const CDateTime start = tallymark->GetStart();
        // Running work ends now where every end of work puts it.
        const STallymarkEndNow endNow = tallymark->FindEndNow();
        const CDateTime end = endNow.Ends() ? endNow.end : tallymark->GetEnd(true);
        const CTimePeriod overlap(periodStart, periodEnd, start, end);
        if (overlap.IsEmpty()) {
            continue;
        }
        CTallymark* copy = new CTallymark(target.m_activity, overlap.GetStart(), overlap.GetEnd());
        target.Add(copy);
        copied = true;
        if (!move) {
            continue;
        }
        const bool startsInside = periodStart <= start;
        const bool endsInside = end <= periodEnd;
        if (endsInside) {
            // The running work leaves ended, its end stored in the copy: the user hears what
            // the clock did.
            tallymark->ReportEndNow(endNow, *copy);
        }
        if (startsInside && endsInside) {
            delete tallymark;
        } else if (endsInside) {
            tallymark->SetEnd(periodStart);
        } else if (startsInside) {
            tallymark->SetStart(periodEnd);
        } else {
            tallymark->SetStart(periodEnd);
            Add(new CTallymark(m_activity, start, periodStart));
        }
    }
    return copied;
}

bool CTallymarks::ActivityChangedEvent(CTraceActivityChangedEvent& event) {
    if (event.oldActivity == m_activity) {
        Remove(event.tallymark);
        if (event.newActivity != nullptr) {
            event.newActivity->GetTallymarks().Add(event.tallymark);
        }
    } else if (event.newActivity != m_activity) {
        throw CError(1, CText(IDS_INTERNAL_TALLYMARKS_ACTIVITY).GetString());
    }
    return true;
}

bool CTallymarks::OnTraceDeleted(CTraceDeletedEvent& event) {
    Remove(event.tallymark);
    return true;
}

void CTallymarks::Listen(CTallymark* tallymark) {
    CSlot<CTraceActivityChangedEvent>::Connect(tallymark);
    CSlot<CTraceDeletedEvent>::Connect(tallymark);
}

void CTallymarks::StopListening(CTallymark* tallymark) {
    CSlot<CTraceActivityChangedEvent>::Disconnect(tallymark);
    CSlot<CTraceDeletedEvent>::Disconnect(tallymark);
}
