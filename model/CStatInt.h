#pragma once

#include "library/datetime/CDateTime.h"
#include "library/datetime/CTimeZone.h"

#include <cstdint>

// Which of an interval's two pairs of bounds is meant.
enum class ETimeBase {
    // Local time: for display and for building the next interval.
    Local,
    // Universal time: for overlaps with tally marks.
    Utc,
};

// The cache key of an interval: its local bounds to the whole second, each packed from the
// day number and the second within that day (day x 131072 + second), so that keys compare
// in the order of day, then second.
struct SStatIntKey {
    std::int64_t start = 0;
    std::int64_t end = 0;

    bool operator<(const SStatIntKey& other) const {
        return start < other.start || (start == other.start && end < other.end);
    }
    bool operator==(const SStatIntKey& other) const {
        return start == other.start && end == other.end;
    }
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
    // Whether all four bounds are valid dates: an interval that reaches past either end of
    // the calendar (or whose universal twin does) holds no time.
    bool IsInCalendar() const;

    // By key.
    bool operator<(const CStatInt& other) const { return m_key < other.m_key; }

private:
    // The day number and the second within that day, packed.
    static std::int64_t PackValue(const CDateTime& date);

    CDateTime m_start;
    CDateTime m_end;
    CDateTime m_utcStart;
    CDateTime m_utcEnd;
    SStatIntKey m_key;
};
