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

void CDayCounts::AddEach(const std::vector<std::pair<int, int>>& spans) {
    if (!m_runs.empty()) {
        for (const std::pair<int, int>& span : spans) {
            Add(span.first, span.second, 1);
        }
        return;
    }
    // Each span raises the count at its first day and lowers it after its last.
    std::vector<std::pair<int, int>> steps;
    steps.reserve(2 * spans.size());
    for (const std::pair<int, int>& span : spans) {
        if (span.first <= span.second && span.second != INT_MAX) {
            steps.emplace_back(span.first, 1);
            steps.emplace_back(span.second + 1, -1);
        }
    }
    std::sort(steps.begin(), steps.end());
    int count = 0;
    for (std::size_t i = 0; i < steps.size();) {
        const int day = steps[i].first;
        const int before = count;
        for (; i < steps.size() && steps[i].first == day; ++i) {
            count += steps[i].second;
        }
        if (count != before) {
            m_runs.emplace_hint(m_runs.end(), day, count);
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
