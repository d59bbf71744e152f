#pragma once

#include "library/events/CSignal.h"
#include "model/CClockNoticeEvent.h"

// The one place where the model announces what the clock made it do otherwise than asked
// (CClockNoticeEvent): the application listens and tells the user.
class CClockNotices : public CSignal<CClockNoticeEvent> {
public:
    static CClockNotices& Get();
    void Report(EClockNotice notice, CActivity* activity, CTallymark* tallymark,
                const CDateTime& now);

private:
    CClockNotices() = default;
};
