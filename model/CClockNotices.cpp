#include "model/CClockNotices.h"

#include "model/CActivity.h"
#include "model/CTallymark.h"

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
    if (m_pending.size() < kMaxPending) {
        SClockNotice kept;
        kept.notice = notice;
        kept.activity = activity != nullptr ? activity->GetName() : std::string();
        kept.hasTallymark = tallymark != nullptr;
        if (tallymark != nullptr) {
            kept.start = tallymark->GetStart();
            kept.end = end;
        }
        kept.now = now;
        m_pending.push_back(kept);
    }
    CClockNoticeEvent event(notice, activity, tallymark, now);
    Emit(event);
}

std::vector<SClockNotice> CClockNotices::TakePending() {
    std::vector<SClockNotice> taken(m_pending.begin(), m_pending.end());
    m_pending.clear();
    return taken;
}
