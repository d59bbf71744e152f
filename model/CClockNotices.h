#pragma once

#include "library/events/CSignal.h"
#include "model/CClockNoticeEvent.h"
#include "model/SClockNotice.h"

#include <cstddef>
#include <deque>
#include <vector>

// The one place where the model reports what the clock made it do otherwise than asked.
// A report is kept (SClockNotice) for the application to show once the model's
// operation has returned: no model operation waits for the user. Each report is also
// announced (CClockNoticeEvent) while it is made; a listener must not open a message
// loop from it (nor run anything that could), only note it and come back.
//
//   CClockNotices::Get().Report(EClockNotice::StopRefused, activity, tallymark, now);
//   for (const SClockNotice& notice : CClockNotices::Get().TakePending()) ...
//
// Usage notes:
// - At most kMaxPending reports wait; later ones are dropped until they are taken.
// - User-interface thread only.
class CClockNotices : public CSignal<CClockNoticeEvent> {
public:
    static constexpr size_t kMaxPending = 16;

    static CClockNotices& Get();
    // The tally mark's start and end are kept as they are now.
    void Report(EClockNotice notice, CActivity* activity, CTallymark* tallymark,
                const CDateTime& now);
    // The same for a tally mark that ends (or ended) at end, which it may not hold yet.
    void Report(EClockNotice notice, CActivity* activity, CTallymark* tallymark,
                const CDateTime& now, const CDateTime& end);
    bool HasPending() const { return !m_pending.empty(); }
    // The reports kept so far, oldest first; none is kept afterwards.
    std::vector<SClockNotice> TakePending();

private:
    CClockNotices() = default;

    std::deque<SClockNotice> m_pending;
};
