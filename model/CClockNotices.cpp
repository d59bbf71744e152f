#include "model/CClockNotices.h"

CClockNotices& CClockNotices::Get() {
    static CClockNotices notices;
    return notices;
}

void CClockNotices::Report(EClockNotice notice, CActivity* activity, CTallymark* tallymark,
                           const CDateTime& now) {
    CClockNoticeEvent event(notice, activity, tallymark, now);
    Emit(event);
}
