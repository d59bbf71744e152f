#pragma once

#include "library/events/CSignal.h"
#include "model/CClockNoticeEvent.h"
#include "model/SClockNotice.h"

#include <cstddef>
#include <deque>
#include <map>
#include <vector>

class CProjectState;

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
// - A report of an end on a tally mark of an edit copy (CEditTransaction) tells of an end
//   that nothing has stored yet: it waits with the copy, unannounced, and is kept for the
//   user only when the copy is committed into the project's committed state (an inner
//   transaction's commit hands it to the outer copy). It goes with a copy that is discarded,
//   or with its project. A refused start or stop is told at once: nothing waits for it.
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

    // copy is an edit copy from now on: reports of ends on its tally marks wait with it.
    void Hold(const CProjectState* copy);
    // The edit copy edited replaces below, the state under it. Its waiting reports join
    // those of below when that is an edit copy too (edited takes its place), and are kept
    // and announced now when below was the committed state.
    void Commit(const CProjectState* edited, const CProjectState* below);
    // Drops what waits with state, which goes (discarded, or closed with its project).
    void Forget(const CProjectState* state);

private:
    CClockNotices() = default;
    // Keeps notice for the user (unless kMaxPending wait) and announces it.
    void Keep(const SClockNotice& notice, CActivity* activity, CTallymark* tallymark);

    std::deque<SClockNotice> m_pending;
    // The reports that wait with each edit copy.
    std::map<const CProjectState*, std::vector<SClockNotice>> m_held;
};
