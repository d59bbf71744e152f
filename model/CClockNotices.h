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
//   transaction's commit hands it to the outer copy) and its tally mark is still there with
//   the end told; one removed or given another end since is dropped. It goes with a copy
//   that is discarded, or with its project. A refused start or stop is told at once:
//   nothing waits for it.
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
    // The same for an end that carrier (a tally mark in a collection) stores instead of
    // tallymark: carrier's state decides whether the report waits, and carrier must hold
    // the end when that state is committed.
    void Report(EClockNotice notice, CActivity* activity, CTallymark* tallymark,
                const CDateTime& now, const CDateTime& end, const CTallymark* carrier);
    bool HasPending() const { return !m_pending.empty(); }
    // The reports kept so far, oldest first; none is kept afterwards.
    std::vector<SClockNotice> TakePending();

    // copy, a clone of original, is an edit copy from now on: reports of ends on its tally
    // marks wait with it, and so do those that wait with original, on copy's copies of their
    // tally marks (they stay with original too, for a copy that is discarded).
    void Hold(const CProjectState* copy, const CProjectState* original);
    // The edit copy edited replaces below, the state under it. When below is an edit copy
    // too, edited takes its place with its waiting reports (below's among them); when below
    // was the committed state, those whose tally mark edited still holds with the end told
    // are kept and announced now, the others dropped.
    void Commit(const CProjectState* edited, const CProjectState* below);
    // Drops what waits with state, which goes (discarded, or closed with its project).
    void Forget(const CProjectState* state);

private:
    CClockNotices() = default;
    // A report that waits with an edit copy, and the tally mark of that copy that is to hold
    // its end (null: none; it may be deleted since, and is only ever compared).
    struct SHeldNotice {
        SClockNotice notice;
        const CTallymark* carrier;
    };

    // Keeps notice for the user (unless kMaxPending wait) and announces it.
    void Keep(const SClockNotice& notice, CActivity* activity, CTallymark* tallymark);
    // The activity of state that holds tallymark; null when none does.
    static CActivity* FindHolder(const CProjectState& state, const CTallymark* tallymark);
    // Whether state holds held's carrier, ending where held tells.
    static bool StillStored(const CProjectState& state, const SHeldNotice& held);
    // The tally mark of copy, a clone of original, that stands for carrier, a tally mark of
    // original; null when there is none.
    static const CTallymark* FindCopy(const CProjectState& original, const CProjectState& copy,
                                      const CTallymark* carrier);

    std::deque<SClockNotice> m_pending;
    // The reports that wait with each edit copy.
    std::map<const CProjectState*, std::vector<SHeldNotice>> m_held;
};
