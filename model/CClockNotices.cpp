#include "model/CClockNotices.h"

#include "model/CActivity.h"
#include "model/CProjectState.h"
#include "model/CTallymark.h"

#include <utility>

CClockNotices& CClockNotices::Get() {
    static CClockNotices notices;
    return notices;
}

void CClockNotices::Report(EClockNotice notice, CActivity* activity, CTallymark* tallymark,
                           const CDateTime& now) {
    Report(notice, activity, tallymark, now,
           tallymark != nullptr ? tallymark->GetEnd(false) : CTallymark::GetNullDate());
}

void CClockNotices::Report(EClockNotice notice, CActivity* activity, CTallymark* tallymark,
                           const CDateTime& now, const CDateTime& end) {
    SClockNotice kept;
    kept.notice = notice;
    kept.activity = activity != nullptr ? activity->GetName() : std::string();
    kept.hasTallymark = tallymark != nullptr;
    if (tallymark != nullptr) {
        kept.start = tallymark->GetStart();
        kept.end = end;
    }
    kept.now = now;
    const bool refused =
        notice == EClockNotice::StartRefused || notice == EClockNotice::StopRefused;
    if (!refused && activity != nullptr) {
        const auto held = m_held.find(activity->GetProjectState());
        if (held != m_held.end()) {
            if (held->second.size() < kMaxPending) {
                held->second.push_back(kept);
            }
            return;
        }
    }
    Keep(kept, activity, tallymark);
}

void CClockNotices::Keep(const SClockNotice& notice, CActivity* activity, CTallymark* tallymark) {
    if (m_pending.size() < kMaxPending) {
        m_pending.push_back(notice);
    }
    CClockNoticeEvent event(notice.notice, activity, tallymark, notice.now);
    Emit(event);
}

void CClockNotices::Hold(const CProjectState* copy) {
    m_held[copy];
}

void CClockNotices::Commit(const CProjectState* edited, const CProjectState* below) {
    const auto committed = m_held.find(edited);
    if (committed == m_held.end()) {
        return;
    }
    std::vector<SClockNotice> notices = std::move(committed->second);
    m_held.erase(committed);
    const auto outer = m_held.find(below);
    if (outer == m_held.end()) {
        // The copy's tally marks are the project's now, but may be gone since the report.
        for (const SClockNotice& notice : notices) {
            Keep(notice, nullptr, nullptr);
        }
        return;
    }
    // edited takes the outer copy's place, with what waited for both.
    for (const SClockNotice& notice : notices) {
        if (outer->second.size() < kMaxPending) {
            outer->second.push_back(notice);
        }
    }
    m_held[edited] = std::move(outer->second);
    m_held.erase(outer);
}

void CClockNotices::Forget(const CProjectState* state) {
    m_held.erase(state);
}

std::vector<SClockNotice> CClockNotices::TakePending() {
    std::vector<SClockNotice> taken(m_pending.begin(), m_pending.end());
    m_pending.clear();
    return taken;
}
