#pragma once

#include "library/datetime/CDateTime.h"
#include "library/datetime/CDateTimeSpan.h"

// A stretch of time from a start to an end: the overlap of a tally mark with a period, the
// period of a statistic, a copy or a report.
//
// Usage notes:
// - Nothing is clipped: a period whose end lies before its start is empty (IsEmpty), one
//   whose end equals its start is a non-empty period of length zero.
// - Dates compare on the linear time line of CDateTime.
class CTimePeriod {
public:
    // The invalid date at both ends.
    CTimePeriod() = default;
    CTimePeriod(const CDateTime& start, const CDateTime& end);
    // The intersection of two periods: the later start and the earlier end.
    CTimePeriod(const CDateTime& start1, const CDateTime& end1, const CDateTime& start2,
                const CDateTime& end2);

    const CDateTime& GetStart() const { return m_start; }
    const CDateTime& GetEnd() const { return m_end; }
    // End minus start (negative for an empty period).
    CDateTimeSpan GetLength() const { return m_end - m_start; }
    bool IsEmpty() const { return m_end < m_start; }

    // Both dates compared as they are stored.
    bool operator==(const CTimePeriod& other) const {
        return m_start == other.m_start && m_end == other.m_end;
    }
    bool operator!=(const CTimePeriod& other) const { return !(*this == other); }

private:
    CDateTime m_start;
    CDateTime m_end;
};
