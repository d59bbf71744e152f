#pragma once

#include "library/datetime/CDateTime.h"
#include "library/datetime/CTimeZone.h"
#include "model/CStatInt.h"

#include <vector>

// The kinds of statistics intervals.
enum EStatIntKind : unsigned int {
    sikHour = 0,
    sikDay = 1,
    // Starting on the first day of the week that the caller passes in.
    sikWeek = 2,
    sikMonth = 3,
    sikYear = 4,
    // The whole time line the program can handle: one interval, whatever the dates.
    sikAll = 5,
};

// Whether the outer intervals of a sequence are cut off at the dates asked for.
enum class EStatIntBounds {
    // The first interval starts at the start date, the last one ends at the end date.
    Clipped,
    // Every interval is a whole hour, day, week ...
    Whole,
};

// A sequence of consecutive statistics intervals of one kind, in order of time: the
// intervals that cover a period (for reports), or a number of intervals from or up to a
// date (for the activity lists and the statistics dialog).
//
// Usage notes:
// - Every Generate... replaces the sequence. firstDayOfWeek (0 = Sunday ... 6 = Saturday,
//   from the date-and-time settings) counts only for weeks.
// - Each throws CError code 1 (text 40336) instead of building an empty sequence: for a
//   period or a count that gives no interval, an unknown kind or an invalid date. The
//   sequence is then left as it was.
// - Bounds are local; the universal twins are converted in the model's zone
//   (CModelTimeZone).
class CStatInts {
public:
    // No intervals; both bounds invalid.
    CStatInts() = default;
    CStatInts(const CStatInts&) = default;
    CStatInts& operator=(const CStatInts&) = default;
    virtual ~CStatInts() = default;

    int GetCount() const { return static_cast<int>(m_intervals.size()); }
    // Throws std::out_of_range for an index outside 0 .. count - 1.
    const CStatInt& GetAt(int index) const;
    // The first interval's start and the last interval's end (local).
    const CDateTime& GetStart() const { return m_start; }
    const CDateTime& GetEnd() const { return m_end; }

    // The intervals of a kind that cover the local period from start to end: from the
    // interval that holds start up to the interval that holds end.
    void Generate(EStatIntKind kind, const CDateTime& start, const CDateTime& end,
                  EStatIntBounds bounds, int firstDayOfWeek);
    // count intervals, the first being the one that holds date (clipped: starting at date).
    void GenerateFrom(EStatIntKind kind, int count, const CDateTime& date, EStatIntBounds bounds,
                      int firstDayOfWeek);
    // count intervals, the last being the one that holds date (clipped: ending at date).
    // When the interval after date's lies past the calendar, the last interval's end is
    // the invalid date (that interval is not in the calendar); a first interval before the
    // calendar throws.
    void GenerateUpTo(EStatIntKind kind, int count, const CDateTime& date, EStatIntBounds bounds,
                      int firstDayOfWeek);

    // Whether GenerateUpTo of whole intervals builds only intervals that lie in the calendar
    // (CStatInt::IsInCalendar), in the model's zone.
    static bool FitsUpTo(EStatIntKind kind, int count, const CDateTime& date, int firstDayOfWeek);
    // date when it fits (FitsUpTo); otherwise the nearest start of an interval of kind, on
    // the side of the calendar's middle, that fits; date itself when none is found.
    static CDateTime ClampUpTo(EStatIntKind kind, int count, const CDateTime& date,
                               int firstDayOfWeek);

private:
    // Replaces the sequence by count intervals from the aligned start first; a non-null
    // override replaces the first start or the last end.
    void Build(EStatIntKind kind, const CDateTime& first, long long count,
               const CDateTime* startOverride, const CDateTime* endOverride);
    static bool IsKnown(EStatIntKind kind) { return kind <= sikAll; }
    // The start of the interval of kind that lies offset intervals after the one that holds
    // date (0: that one itself).
    static CDateTime GetIntervalStart(EStatIntKind kind, const CDateTime& date, int offset,
                                      int firstDayOfWeek);
    [[noreturn]] static void ThrowNoIntervals();

    std::vector<CStatInt> m_intervals;
    CDateTime m_start;
    CDateTime m_end;
};
