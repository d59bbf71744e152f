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
    Report(notice, activity, tallymark, now, end, tallymark);
}

void CClockNotices::Report(EClockNotice notice, CActivity* activity, CTallymark* tallymark,
                           const CDateTime& now, const CDateTime& end, const CTallymark* carrier) {
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
    const CActivity* holder =
        carrier != nullptr && carrier->GetActivity() != nullptr ? carrier->GetActivity() : activity;
    if (!refused && holder != nullptr) {
        const auto held = m_held.find(holder->GetProjectState());
        if (held != m_held.end()) {
            if (held->second.size() < kMaxPending) {
                held->second.push_back(SHeldNotice{kept, carrier});
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

void CClockNotices::Hold(const CProjectState* copy, const CProjectState* original) {
    std::vector<SHeldNotice> inherited;
    const auto outer = m_held.find(original);
    if (outer != m_held.end() && copy != nullptr) {
        for (SHeldNotice held : outer->second) {
            if (held.carrier != nullptr) {
                held.carrier = FindCopy(*original, *copy, held.carrier);
                if (held.carrier == nullptr) {
                    // original no longer holds the tally mark: it would never be told.
                    continue;
                }
            }
            inherited.push_back(held);
        }
    }
    m_held[copy] = std::move(inherited);
}

void CClockNotices::Commit(const CProjectState* edited, const CProjectState* below) {
    const auto committed = m_held.find(edited);
    if (committed == m_held.end()) {
        return;
    }
    const auto outer = m_held.find(below);
    if (outer != m_held.end()) {
        // edited takes the outer copy's place; what waited with that copy waits with it.
        m_held.erase(outer);
        return;
    }
    std::vector<SHeldNotice> notices = std::move(committed->second);
    m_held.erase(committed);
    // The copy's tally marks are the project's now: an end the user removed or changed since
    // the report is no longer what happened.
    for (const SHeldNotice& held : notices) {
        if (held.carrier == nullptr || (edited != nullptr && StillStored(*edited, held))) {
            Keep(held.notice, nullptr, nullptr);
        }
    }
}

CActivity* CClockNotices::FindHolder(const CProjectState& state, const CTallymark* tallymark) {
    CActivity* root = state.GetRootActivity();
    for (CActivity* activity = root; activity != nullptr;
         activity = activity->GetNextInSubtree(root)) {
        if (activity->GetTallymarks().Contains(tallymark)) {
            return activity;
        }
    }
    return nullptr;
}

bool CClockNotices::StillStored(const CProjectState& state, const SHeldNotice& held) {
    return FindHolder(state, held.carrier) != nullptr &&
           held.carrier->GetEnd(false) == held.notice.end;
}

// A clone holds its tally marks in the same activities, with the same dates.
const CTallymark* CClockNotices::FindCopy(const CProjectState& original, const CProjectState& copy,
                                          const CTallymark* carrier) {
    const CActivity* holder = FindHolder(original, carrier);
    CActivity* counterpart = holder != nullptr ? copy.FindByPosition(holder) : nullptr;
    if (counterpart == nullptr) {
        return nullptr;
    }
    CTallymarks& marks = counterpart->GetTallymarks();
    for (const CTallymark* mark = marks.GetFirst(); mark != nullptr; mark = marks.GetNext()) {
        if (mark->GetStart() == carrier->GetStart() &&
            mark->GetEnd(false) == carrier->GetEnd(false)) {
            return mark;
        }
    }
    return nullptr;
}

void CClockNotices::Forget(const CProjectState* state) {
    m_held.erase(state);
}

std::vector<SClockNotice> CClockNotices::TakePending() {
    std::vector<SClockNotice> taken(m_pending.begin(), m_pending.end());
    m_pending.clear();
    return taken;
}
