#include "model/CDayCounts.h"

#include <algorithm>
#include <climits>
#include <iterator>

void CDayCounts::Add(int first, int last, int delta) {
    if (first > last || last == INT_MAX || delta == 0) {
        return;
    }
    const CRuns::iterator from = Split(first);
    const CRuns::iterator to = Split(last + 1);
    for (CRuns::iterator run = from; run != to; ++run) {
        run->second = std::max(0, run->second + delta);
    }
    // Runs that now equal the run before them (zero before the first) join it.
    const CRuns::iterator stop = std::next(to);
    int before = from == m_runs.begin() ? 0 : std::prev(from)->second;
    for (CRuns::iterator run = from; run != stop;) {
        if (run->second == before) {
            run = m_runs.erase(run);
        } else {
            before = run->second;
            ++run;
        }
    }
}

int CDayCounts::GetCount(int day) const {
    const CRuns::const_iterator after = m_runs.upper_bound(day);
    return after == m_runs.begin() ? 0 : std::prev(after)->second;
}

CDayCounts::CRuns::iterator CDayCounts::Split(int day) {
    CRuns::iterator after = m_runs.upper_bound(day);
    if (after != m_runs.begin()) {
        const CRuns::iterator run = std::prev(after);
        if (run->first == day) {
            return run;
        }
        return m_runs.emplace_hint(after, day, run->second);
    }
    return m_runs.emplace_hint(after, day, 0);
}
