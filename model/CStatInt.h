#pragma once

#include "library/datetime/CDateTime.h"
#include "library/datetime/CTimeZone.h"

// Which of an interval's two pairs of bounds is meant.
enum class ETimeBase {
    // Local time: for display and for building the next interval.
    Local,
    // Universal time: for overlaps with tally marks.
    Utc,
};

// The cache key of an interval: its local bounds to the whole second, each as a day number
// and the second within that day.
struct SStatIntKey {
    int startDay = 0;
    int startSecond = 0;
    int endDay = 0;
    int endSecond = 0;

    // In order of start day, start second, end day, end second.
    bool operator<(const SStatIntKey& other) const;
    bool operator==(const SStatIntKey& other) const;
};

// One interval of local time that statistics are asked for (an hour, a day, a week ...).
// It keeps its bounds in local time and their twins in universal time (tally marks are
// universal), and a key by which totals are cached: two intervals whose local bounds agree
// to the second are one cache entry.
//
// Usage notes:
// - The end is exclusive: the next interval starts there.
// - The universal bounds are converted in the model's zone (CModelTimeZone) unless a zone is
//   given.
class CStatInt {
public:
    // All four bounds invalid and a key of zeros.
    CStatInt();
    CStatInt(const CDateTime& localStart, const CDateTime& localEnd);
    CStatInt(const CDateTime& localStart, const CDateTime& localEnd, const CTimeZone& zone);
    CStatInt(const CStatInt&) = default;
    CStatInt& operator=(const CStatInt&) = default;
    virtual ~CStatInt() = default;

    void Set(const CDateTime& localStart, const CDateTime& localEnd);
    void Set(const CDateTime& localStart, const CDateTime& localEnd, const CTimeZone& zone);

    const CDateTime& GetStart(ETimeBase base) const {
        return base == ETimeBase::Utc ? m_utcStart : m_start;
    }
    const CDateTime& GetEnd(ETimeBase base) const {
        return base == ETimeBase::Utc ? m_utcEnd : m_end;
    }
    const SStatIntKey& GetKey() const { return m_key; }

    // By key.
    bool operator<(const CStatInt& other) const { return m_key < other.m_key; }

private:
    // A day number and the second within that day.
    static void SplitValue(const CDateTime& date, int& day, int& second);

    CDateTime m_start;
    CDateTime m_end;
    CDateTime m_utcStart;
    CDateTime m_utcEnd;
    SStatIntKey m_key;
};
