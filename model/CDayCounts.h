#pragma once

#include <cstddef>
#include <map>
#include <utility>
#include <vector>

// For every day number, how many things touch that day (never negative). Kept as runs of
// days with equal counts, so that adding or removing a span of days costs a look-up and a
// step per run inside the span, however many days it covers.
class CDayCounts {
public:
    // Adds delta to the count of every day from first to last (both included); a count that
    // would drop below zero stays zero. Nothing happens when first is after last.
    void Add(int first, int last, int delta);
    // Adds one to the days of each span (first, last), as Add does for each in turn; on
    // empty counts in one sort and one sweep instead of a look-up per span.
    void AddEach(const std::vector<std::pair<int, int>>& spans);
    int GetCount(int day) const;
    bool IsEmpty() const { return m_runs.empty(); }
    // The number of runs of days with the same count (zero-count runs between others
    // included).
    std::size_t GetNumRuns() const { return m_runs.size(); }

private:
    using CRuns = std::map<int, int>;

    // Makes a run start at day and returns it.
    CRuns::iterator Split(int day);

    // First day of each run -> the count of each day of the run; the run lasts up to the
    // next key. Days before the first key count zero, and so does the last run. No two
    // neighbouring runs have the same count.
    CRuns m_runs;
};
